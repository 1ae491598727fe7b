// The simulator on a pty with the whole online set-up the batch operations
// work with: port, link, command set, active list (online), shared buffers,
// a running polling worker, a scripted Operator and a settings model. The
// send-interval and reset waits are recorded instead of slept.
#pragma once

#include "scripted_operator.h"

#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "link/worker_control.h"
#include "measure/polling_worker.h"
#include "settings/operation_context.h"
#include "settings/settings_model.h"
#include "shell/catalog.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tavimo::batchtest {

struct SilentReporter : link::LinkReporter {
    int shown = 0;
    void showLinkMessage(link::LinkMessage) override { ++shown; }
    void requestTermination() override {}
};

// The timeout row the operations are configured with; short, so that a
// controller that does not answer costs little.
inline constexpr int kTestTimeoutIndex = link::kTimeoutIndexScan;
inline constexpr int kTestSendInterval = 7;

class BatchLine : public ::testing::Test {
protected:
    void SetUp() override { shell::Catalog::instance().setLanguage(shell::Language::English); }

    // The line with controllers `ids`, online with all of them active and
    // checked, the worker running with no screen open.
    void start(std::vector<int> ids)
    {
        startOffline(ids);
        ASSERT_TRUE(port_.openPort(sim_->portPath(), "19200", "O", kTestTimeoutIndex, false, false, "1", "8"));
        std::array<int, 8> list{-1, -1, -1, -1, -1, -1, -1, -1};
        for (std::size_t i = 0; i < ids.size(); ++i) list[i] = ids[i];
        active_.setScanned(list, static_cast<int>(ids.size()));
        active_.setOnline(true);
        ASSERT_TRUE(worker_->resumeWorker());
    }

    // The simulator and the worker (suspended), the port closed, offline.
    void startOffline(std::vector<int> ids)
    {
        sim::SimulatorOptions o;
        o.ids = std::move(ids);
        sim_ = std::make_unique<sim::Simulator>(o);
        ASSERT_TRUE(sim_->start());
        shared_.checks.checked.fill(true);
        worker_ = std::make_unique<measure::TSdrvThread>(commands_, active_, shared_, 40, 3);
        control_ = std::make_unique<link::WorkerControlFor<measure::TSdrvThread>>(*worker_);
    }

    void TearDown() override
    {
        control_.reset();
        worker_.reset();
        port_.closePort();
        if (sim_) sim_->stop();
    }

    settings::OperationContext context()
    {
        return settings::OperationContext{
            commands_, active_,           *control_,         shared_,
            op_,       kTestTimeoutIndex, kTestSendInterval, [this](int ms) { pauses_.push_back(ms); }};
    }

    void check(std::initializer_list<int> ids)
    {
        shared_.checks.checked.fill(false);
        for (int id : ids) shared_.checks.checked[static_cast<std::size_t>(id)] = true;
    }

    bool workerRunning() const
    {
        return !worker_->suspended() && worker_->currentState() == static_cast<int>(measure::WorkerState::Running);
    }

    template <class Fn> void onController(int id, Fn&& fn)
    {
        ASSERT_TRUE(sim_->withController(id, std::forward<Fn>(fn)));
    }

    // Command field and data of every request to `id` ("WHM3"), in order.
    std::vector<std::string> requestsTo(int id) const
    {
        std::vector<std::string> out;
        for (const auto& f : sim_->requestFrames()) {
            if (f.size() < 11 || f[7] != static_cast<char>('0' + id)) continue;
            out.push_back(f.substr(4, 3) + f.substr(8, f.size() - 8 - 3)); // "**" and CR
        }
        return out;
    }

    std::vector<std::string> writesTo(int id) const
    {
        std::vector<std::string> out;
        for (const auto& r : requestsTo(id))
            if (r[0] == 'W') out.push_back(r);
        return out;
    }

    std::vector<std::string> writesStartingWith(int id, const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& w : writesTo(id))
            if (w.rfind(prefix, 0) == 0) out.push_back(w);
        return out;
    }

    std::unique_ptr<sim::Simulator> sim_;
    link::SerialPort port_;
    SilentReporter reporter_;
    link::Link link_{port_, &reporter_};
    link::CommandSet commands_{link_};
    link::ActiveControllers active_;
    measure::SharedData shared_;
    std::unique_ptr<measure::TSdrvThread> worker_;
    std::unique_ptr<link::WorkerControl> control_;
    ScriptedOperator op_;
    settings::SettingsModel model_;
    std::vector<int> pauses_;
};

inline std::string text(shell::Msg id)
{
    return shell::Catalog::instance().text(id);
}

} // namespace tavimo::batchtest
