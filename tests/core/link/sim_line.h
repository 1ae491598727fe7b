// A simulated line for link tests: the simulator on a pty, the port opened on
// it, a link with a reporter that records what it was asked to show.
#pragma once

#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>
#include <vector>

namespace tavimo::testkit {

struct RecordingReporter : link::LinkReporter {
    std::vector<link::LinkMessage> shown;
    int terminations = 0;
    void showLinkMessage(link::LinkMessage m) override { shown.push_back(m); }
    void requestTermination() override { ++terminations; }
};

class SimLine : public ::testing::Test {
protected:
    void SetUp() override { startLine({0, 1, 2, 3}, 0); }

    void startLine(std::vector<int> ids, int checkMode)
    {
        sim::SimulatorOptions o;
        o.ids = std::move(ids);
        o.checkCodeMode = checkMode;
        sim_ = std::make_unique<sim::Simulator>(o);
        ASSERT_TRUE(sim_->start());
        port_ = std::make_unique<link::SerialPort>();
        // 100 ms per byte keeps failing attempts short.
        ASSERT_TRUE(port_->openPort(sim_->portPath(), "19200", "O", link::kTimeoutIndexScan, false, false, "1", "8"));
        link_ = std::make_unique<link::Link>(*port_, &reporter_);
        link_->setCheckCodeMode(checkMode);
        commands_ = std::make_unique<link::CommandSet>(*link_);
    }

    void TearDown() override
    {
        commands_.reset();
        link_.reset();
        if (port_) port_->closePort();
        port_.reset();
        if (sim_) sim_->stop();
    }

    std::vector<std::string> frames() const { return sim_->requestFrames(); }

    // The command field and data of every request, e.g. "WHM3" for
    // "%EE#WHM03**\r" (the ID digit dropped).
    std::vector<std::string> requests() const
    {
        std::vector<std::string> out;
        for (const auto& f : sim_->requestFrames()) {
            std::size_t trailer = link::checkCodeLength(link_->checkCodeMode()) + 1;
            if (f.size() < 8 + trailer) continue;
            out.push_back(f.substr(4, 3) + f.substr(8, f.size() - 8 - trailer));
        }
        return out;
    }

    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<link::SerialPort> port_;
    RecordingReporter reporter_;
    std::unique_ptr<link::Link> link_;
    std::unique_ptr<link::CommandSet> commands_;
};

} // namespace tavimo::testkit
