// main() of the benchmarks that may draw a chart: with the Qt build
// (TAVIMO_BENCH_CHART) a QApplication on the offscreen platform unless the
// caller chose one, then Google Benchmark as usual.
#include <benchmark/benchmark.h>

#include <cstdlib>

#ifdef TAVIMO_BENCH_CHART
#include <QApplication>
#endif

int main(int argc, char** argv)
{
#ifdef TAVIMO_BENCH_CHART
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
