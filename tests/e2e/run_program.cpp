#include "run_program.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavimo::testkit {

namespace {

// Starts program with args, its stdout on outFd and its stderr on errFd
// (-1: inherited); returns the child's pid.
pid_t spawn(const std::string& program, const std::vector<std::string>& args, int outFd, int errFd)
{
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::dup2(outFd, 1);
    if (errFd >= 0) ::dup2(errFd, 2);
    ::closefrom(3);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

} // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args)
{
    ProgramResult r;
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return r;
    const pid_t pid = spawn(program, args, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    if (pid < 0) {
        ::close(out[0]);
        ::close(err[0]);
        return r;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    char buf[4096];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? r.out : r.err).append(buf, static_cast<size_t>(n));
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

BackgroundProgram::BackgroundProgram(const std::string& program, const std::vector<std::string>& args)
{
    int fds[2];
    if (::pipe(fds) != 0) return;
    const pid_t pid = spawn(program, args, fds[1], -1);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return;
    }
    pid_ = pid;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') firstLine_ += c;
    ::close(fds[0]);
}

BackgroundProgram::~BackgroundProgram()
{
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

} // namespace tavimo::testkit
