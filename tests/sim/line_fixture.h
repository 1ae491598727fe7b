// The simulator on its pty with the program's own port, link and command set
// opened on it, as the program opens its serial port.
#pragma once

#include "link/commands.h"
#include "link/line_settings.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tavimo::simtest {

class LineTest : public ::testing::Test {
protected:
    void SetUp() override { startLine({}); }
    void TearDown() override { closeLine(); }

    void startLine(sim::SimulatorOptions o)
    {
        closeLine();
        sim_ = std::make_unique<sim::Simulator>(o);
        ASSERT_TRUE(sim_->start());
        port_ = std::make_unique<link::SerialPort>();
        ASSERT_TRUE(port_->openPort(sim_->portPath(), "19200", "O", 2, false, false, "1", "8"));
        link_ = std::make_unique<link::Link>(*port_);
        link_->setCheckCodeMode(o.checkCodeMode);
        commands_ = std::make_unique<link::CommandSet>(*link_);
    }

    void closeLine()
    {
        commands_.reset();
        link_.reset();
        if (port_) port_->closePort();
        port_.reset();
        if (sim_) sim_->stop();
        sim_.reset();
    }

    // 100 ms per answer byte, for commands that are meant to fail.
    void shortTimeout() { port_->applyTimeout(link::kTimeoutIndexScan); }

    // Every request received since the last clearLog, as command field + data
    // ("RMD0", "WCA0"), with check code mode 0.
    std::vector<std::string> requests() const
    {
        std::vector<std::string> out;
        for (const auto& f : sim_->requestFrames())
            if (f.size() >= 11) out.push_back(f.substr(4, 3) + f.substr(8, f.size() - 11));
        return out;
    }

    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<link::SerialPort> port_;
    std::unique_ptr<link::Link> link_;
    std::unique_ptr<link::CommandSet> commands_;
};

} // namespace tavimo::simtest
