#!/usr/bin/env bash
# Start-up time: from process start to the main window shown, for
# `Tavimo --demo` and for a bare Qt window with one label, under Xvfb; prints
# the medians and their ratio.
#
# Usage: bench/startup_bench.sh BUILD_DIR [runs, default 9]
set -euo pipefail
build="${1:?usage: startup_bench.sh BUILD_DIR [runs]}"
runs="${2:-9}"
tavimo="$build/app/gui/Tavimo"
bare="$build/bench/bench-bare-window"
command -v xdotool >/dev/null || { echo "needs xdotool"; exit 2; }

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb; wait $xvfb 2>/dev/null' EXIT
  sleep 1
fi
# A configuration folder of its own, so no earlier run's state is read.
export XDG_CONFIG_HOME="$(mktemp -d)"

# Milliseconds from launch until a visible window with exactly this title.
time_to_window() {
  local title=$1; shift
  local t0 t1 pid
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
    # A program that ended, or a window that never comes, ends the run.
    if ! kill -0 "$pid" 2>/dev/null || [ $(( $(date +%s%N) - t0 )) -gt 30000000000 ]; then
      echo "no window titled $title from $1" >&2
      exit 1
    fi
  done
  t1=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( (t1 - t0) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

b=$(for _ in $(seq "$runs"); do time_to_window Bare "$bare"; done | median)
t=$(for _ in $(seq "$runs"); do time_to_window Tavimo "$tavimo" --demo; sleep 0.2; done | median)
echo "bare Qt window: ${b} ms, Tavimo --demo: ${t} ms (medians of $runs), ratio $(awk -v t="$t" -v b="$b" 'BEGIN {printf "%.2f", t / b}')"
