#pragma once
// What the benchmarks share: a timer, the ratio line of the closing summary, and the main that
// runs the registered benchmarks on the offscreen platform and then the summary.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>

namespace bench {

inline double seconds(const std::function<void()>& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// One line: our time against the plain one, the ratio and whether it keeps to the limit.
inline void report(const char* what, double ours, double plain, double limit)
{
    const double ratio = ours / plain;
    std::printf("%-48s %9.1f ms against %9.1f ms, ratio %.2f (at most %g): %s\n", what, ours * 1e3, plain * 1e3, ratio,
                limit, ratio <= limit ? "ok" : "TOO SLOW");
    std::fflush(stdout);
}

inline int RunThenSummarise(int argc, char** argv, void (*summary)())
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summary();
    return 0;
}

} // namespace bench
