#!/usr/bin/env bash
# Installs every Debian 12 package Tavimo needs to build, test and run.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  build-essential g++ cmake ninja-build pkg-config git \
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libglx-dev \
  libqcustomplot-dev libcli11-dev \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xauth xdotool imagemagick fonts-noto-cjk \
  dpkg-dev file \
  clang libclang-rt-14-dev
