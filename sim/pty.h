// The pseudo-terminal the simulated line runs on. The simulator keeps its own
// descriptor of the slave open, so the master never sees a hang-up when the
// program closes and reopens the port.
#pragma once

#include <string>

namespace tavimo::sim {

class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens a master (non-blocking) and its slave in raw mode. False if impossible.
    bool open();
    // Closes the master only: the slave's users see the line go away.
    void closeMaster();
    void close();

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace tavimo::sim
