// Going online and going offline: the sequences behind the main window's
// online button, shared by the window and the command-line tool. What only
// the window has (tab captions, the screen switch, enabling rules) is asked
// of an OnlineView; messages, progress and the wait cursor go through the
// Operator. Every failure is reported here and returned as its code
// (shell/failure_codes.h): 400, 401, 500, 501.
#pragma once

#include "link/active_list.h"
#include "link/commands.h"
#include "link/worker_control.h"
#include "shell/operator.h"

#include <string>

namespace tavimo::link {

// The line as configured: the texts picked from the lists by the indices of
// the configuration, the timeout row and the accepted version item.
struct OnlineLine {
    std::string port;
    std::string speed = "19200";
    std::string parity = "O";
    std::string stop = "1";
    int timeoutIndex = 2;
    int versionIndex = 0;
};

// The window's part of the switch. Every step has a default that does
// nothing, so a front end without windows implements none.
class OnlineView {
public:
    virtual ~OnlineView() = default;
    // The online button's colour and the communication settings menu item.
    virtual void showOnline(bool /*online*/) {}
    // Reopens the screen of the pressed screen button for the new state.
    virtual void switchScreen(bool /*online*/) {}
    // Tab and check-box captions and enabling from the active list; shows
    // another controller if the one shown is not active.
    virtual void showControllers(const ActiveControllers& /*active*/) {}
    virtual void applyEnablingRules() {}
};

struct OnlineParts {
    CommandSet& commands;
    ActiveControllers& active;
    WorkerControl& worker;
    shell::Operator& op;
    OnlineView& view;
};

// Offline -> online: open the port, scan IDs 0..7, set the online flag, let
// the view follow, resume the worker. 0 on success; on 400 and 401 the port
// is closed and the program stays offline; 501 closes the port and ends the
// application. Already online: 0, nothing done.
int goOnline(OnlineParts parts, const OnlineLine& line);

// Online -> offline: pause the worker, clear the online flag, let the view
// follow, close the port. 0, or 500 (the application ends). Already
// offline: 0, nothing done.
int goOffline(OnlineParts parts);

} // namespace tavimo::link
