// What the main window owns for the whole run and shares with the link, the
// polling worker and the screens: the configuration and the settings model,
// the port lists, the serial port with its link and command set, the
// active-controller list, the shared buffers and the polling worker. The
// window's creation and close use it in their order of steps; it holds no
// window and is tested without one.
#pragma once

#include "files/app_config.h"
#include "link/active_list.h"
#include "link/commands.h"
#include "link/going_online.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "link/worker_control.h"
#include "measure/polling_worker.h"
#include "measure/shared_data.h"
#include "settings/operation_context.h"
#include "settings/settings_model.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tavimo::window {

struct SessionOptions {
    std::filesystem::path configPath;
    // Put first in the port list (the demo line); empty: none.
    std::string firstPort;
    // Folder of the system's serial devices, for tests.
    std::string sysTtyRoot = "/sys/class/tty";
    std::string devRoot = "/dev";
};

class Session {
public:
    explicit Session(SessionOptions options);
    ~Session(); // the worker ends before anything it uses is destroyed
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Creation: load the configuration and the model (a missing or unreadable
    // file gives every default), set the catalog's language, build the port
    // list, create the polling worker suspended. Returns why defaults were
    // used (None when the file was read).
    files::FileError open();

    // Close, in its order: markOffline first (the worker stops polling),
    // then, after the window has stored its fields and closed its screen,
    // finish: the worker is asked to end and joined, the port closed, and
    // the configuration saved when `save`.
    void markOffline() { active.setOnline(false); }
    files::FileError finish(bool save, std::string* detail = nullptr);

    // The worker stopped and joined; also on a fatal exit, which saves nothing.
    void stopWorker();

    // The line as configured, for going online.
    link::OnlineLine onlineLine() const;
    // The context of a batch or controller operation.
    settings::OperationContext operationContext(shell::Operator& op);
    link::OnlineParts onlineParts(shell::Operator& op, link::OnlineView& view);

    const SessionOptions& options() const { return options_; }
    bool workerRunning() const { return worker_ != nullptr; }

    files::AppConfig config;
    settings::SettingsModel model;
    std::vector<std::string> ports;
    link::SerialPort port;
    link::Link link{port};
    link::CommandSet commands{link};
    link::ActiveControllers active;
    measure::SharedData shared;

private:
    // Forwards to the worker while it exists; a missing worker counts as a
    // failed handshake.
    struct WorkerHandle : link::WorkerControl {
        Session& session;
        explicit WorkerHandle(Session& s) : session(s) {}
        bool pauseWorker() override;
        bool resumeWorker() override;
    };

    SessionOptions options_;
    std::unique_ptr<measure::TSdrvThread> worker_;
    WorkerHandle workerHandle_{*this};
};

} // namespace tavimo::window
