// Start-up to the main window: the start-up sequence, all 41 windows created, the main window
// shown and painted once, in a fresh temporary program folder each time.
#include "app/UForms.h"
#include "app/UQuorvantiseFirmWare.h"
#include "common/UComonState.h"
#include "platform/Services.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

void BM_StartUpToMainWindow(benchmark::State& st)
{
    platform::Services services; // no service is used before a button is clicked
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir tmp;
        common::State() = common::TProgramState();
        common::State().Exe_Dir = tmp.path();
        st.ResumeTiming();

        Forms().Create_Forms(services);
        Forms().Main()->show();
        benchmark::DoNotOptimize(Forms().Main()->grab());

        st.PauseTiming();
        Forms().Free_Forms();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
