// The polling worker on a paced line.
//
// 1. Measured-value cycles per second with 1 and 8 controllers at 19200 and
//    115200 baud, as a ratio to the line's physical limit (every request and
//    answer byte at 11 bits).
// 2. The CPU this process uses while polling, and while online with no
//    screen open (the worker idle).
//
// The simulator runs as a separate process (tavimo-sim --pace), so the CPU
// figures are the program's own.
//
// Usage: bench-worker PATH/TO/tavimo-sim [seconds per run, default 3]
#include "link/active_list.h"
#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "measure/polling_worker.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tavimo;
using Clock = std::chrono::steady_clock;

namespace {

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

struct SimProcess {
    pid_t pid = -1;
    std::string path;
    SimProcess(const char* program, int baud, int controllers)
    {
        std::string ids;
        for (int i = 0; i < controllers; ++i) ids += (i ? "," : "") + std::to_string(i);
        int fds[2];
        if (pipe(fds) != 0) std::exit(1);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            std::string b = std::to_string(baud);
            execl(program, program, "--ids", ids.c_str(), "--baud", b.c_str(), "--pace", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') path += c;
        close(fds[0]);
        if (path.empty()) {
            std::fprintf(stderr, "tavimo-sim did not start\n");
            std::exit(1);
        }
    }
    ~SimProcess()
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

// Request and answer characters of one measured-value cycle per controller:
// MD, OT, ZS and UT requests of 12; answers of 8 + data + 3 (MD's data is 9
// characters, the others 1).
constexpr int kCharsPerController = 4 * 12 + (8 + 9 + 3) + 3 * (8 + 1 + 3);

void runPolling(const char* sim, int baud, int controllers, double seconds)
{
    SimProcess line(sim, baud, controllers);
    link::SerialPort port;
    if (!port.openPort(line.path, std::to_string(baud), "O", 2, false, false, "1", "8")) std::exit(1);
    link::Link link(port);
    link::CommandSet commands(link);
    link::ActiveControllers active;
    std::array<int, 8> ids{-1, -1, -1, -1, -1, -1, -1, -1};
    for (int i = 0; i < controllers; ++i) ids[static_cast<std::size_t>(i)] = i;
    active.setScanned(ids, controllers);
    active.setOnline(true);
    measure::SharedData shared;
    shared.screenMode = 1;
    measure::TSdrvThread worker(commands, active, shared, 40, 3);
    worker.resumeWorker();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto c0 = worker.cycles();
    auto t0 = Clock::now();
    double cpu0 = processCpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    auto c1 = worker.cycles();
    double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    double cpu = processCpuSeconds() - cpu0;
    double perSecond = static_cast<double>(c1 - c0) / elapsed;
    double limit = baud / (11.0 * kCharsPerController * controllers);
    std::printf("  %6d baud, %d controller%s: %7.2f cycles/s, limit %7.2f, ratio %.4f, CPU %.1f %% of a core\n", baud,
                controllers, controllers == 1 ? " " : "s", perSecond, limit, perSecond / limit, 100.0 * cpu / elapsed);

    // Online, the screen closed: the worker idles.
    shared.screenMode = 0;
    worker.wake();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    t0 = Clock::now();
    cpu0 = processCpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    cpu = processCpuSeconds() - cpu0;
    std::printf("  %6d baud, %d controller%s, no screen: CPU %.3f %% of a core\n", baud, controllers,
                controllers == 1 ? " " : "s", 100.0 * cpu / elapsed);
    worker.pauseWorker();
    worker.terminate();
    port.closePort();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-worker PATH/TO/tavimo-sim [seconds]\n");
        return 2;
    }
    double seconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    if (seconds <= 0) seconds = 3.0;
    std::printf("Measured-value cycles (paced tavimo-sim, 11 bits per character, %.1f s per run)\n", seconds);
    for (int baud : {19200, 115200})
        for (int n : {1, 8}) runPolling(argv[1], baud, n, seconds);
    return 0;
}
