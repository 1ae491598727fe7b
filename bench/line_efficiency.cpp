// Line efficiency and host cost of the transaction layer.
//
// 1. With the simulator pacing bytes at the real rate (11 bits a character),
//    MD reads per second at 19200 and 115200 baud, as a ratio to the physical
//    limit of the line computed from the request and answer lengths.
// 2. With an unpaced simulator: transactions per second and the CPU time the
//    calling thread spends per transaction.
//
// Usage: bench-line-efficiency [seconds per run, default 3]
#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "sim/simulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

using namespace tavimo;
using Clock = std::chrono::steady_clock;

namespace {

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct RunResult {
    long transactions = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    std::size_t requestLength = 0;
    std::size_t answerLength = 0;
    long failures = 0;
};

RunResult run(int baud, bool pace, double seconds)
{
    sim::SimulatorOptions o;
    o.ids = {0};
    o.baud = baud;
    o.pace = pace;
    sim::Simulator simulator(o);
    RunResult r;
    if (!simulator.start()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        std::exit(1);
    }
    link::SerialPort port;
    if (!port.openPort(simulator.portPath(), std::to_string(baud), "O", 2, false, false, "1", "8")) {
        std::fprintf(stderr, "cannot open %s\n", simulator.portPath().c_str());
        std::exit(1);
    }
    link::Link link(port);
    const std::string request = link::buildRequest(0, link::Direction::Read, "MD", 0, "0");
    r.requestLength = request.size();
    // Warm up once, then measure.
    link.sendCommand(link::Direction::Read, "MD", 0, "0", false);
    auto start = Clock::now();
    double cpu0 = threadCpuSeconds();
    auto end = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        auto res = link.sendCommand(link::Direction::Read, "MD", 0, "0", false);
        if (!res.ok()) {
            ++r.failures;
            continue;
        }
        r.answerLength = link::kAnswerHeaderLength + res.data.size() + 3;
        ++r.transactions;
    }
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    r.cpuSeconds = threadCpuSeconds() - cpu0;
    port.closePort();
    simulator.stop();
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    if (seconds <= 0) seconds = 3.0;
    std::printf("Line efficiency (paced simulator, 11 bits per character, %.1f s per run)\n", seconds);
    for (int baud : {19200, 115200}) {
        RunResult r = run(baud, true, seconds);
        double perSecond = static_cast<double>(r.transactions) / r.seconds;
        double limit = baud / (11.0 * static_cast<double>(r.requestLength + r.answerLength));
        std::printf("  %6d baud: %8.1f MD/s, limit %8.1f MD/s (%zu + %zu characters), ratio %.4f, failures %ld\n", baud,
                    perSecond, limit, r.requestLength, r.answerLength, perSecond / limit, r.failures);
    }
    RunResult h = run(115200, false, seconds);
    std::printf("Host cost (unpaced simulator)\n");
    std::printf("  %.0f transactions/s, %.1f us CPU per transaction on the calling thread, failures %ld\n",
                static_cast<double>(h.transactions) / h.seconds,
                h.transactions ? h.cpuSeconds / static_cast<double>(h.transactions) * 1e6 : 0.0, h.failures);
    return 0;
}
