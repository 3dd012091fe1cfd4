// Start-up to the main window: the start-up sequence, all 41 windows created, the main window
// shown and painted once, in a fresh temporary program folder each time.
//
// The summary sets the whole process against a bare QWidget program, in the same run: this
// program started again as a child, once doing the start-up (--program) and once showing and
// painting one empty QWidget (--bare), each timed from the spawn to the child's exit, which
// follows right after the first paint (median of 3 each; target at most 3x). Both children are
// this same executable, so loading it costs both the same.
#include "app/UForms.h"
#include "app/UQuorvantiseFirmWare.h"
#include "common/UComonState.h"
#include "platform/Services.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// The two children: each ends right after its first paint.
int runChild(int argc, char** argv, bool program)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (program) {
        platform::Services services;
        QTemporaryDir tmp;
        common::State().Exe_Dir = tmp.path();
        Forms().Create_Forms(services);
        Forms().Main()->show();
        benchmark::DoNotOptimize(Forms().Main()->grab());
    } else {
        QWidget w;
        w.resize(800, 600);
        w.show();
        benchmark::DoNotOptimize(w.grab());
    }
    std::fflush(stdout);
    _exit(0);
}

// Seconds from spawning this program with the flag to its exit; negative when it failed.
double timeChild(const char* self, const char* flag)
{
    char* args[] = {const_cast<char*>(self), const_cast<char*>(flag), nullptr};
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void summary()
{
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    std::array<double, 3> program{}, bare{};
    for (int i = 0; i < 3; ++i) {
        program[std::size_t(i)] = timeChild(self.constData(), "--program");
        bare[std::size_t(i)] = timeChild(self.constData(), "--bare");
    }
    std::sort(program.begin(), program.end());
    std::sort(bare.begin(), bare.end());
    if (program[0] < 0 || bare[0] < 0) {
        std::fprintf(stderr, "a start-up child failed\n");
        return;
    }
    std::printf("start-up, whole process to the first paint (median of 3):\n");
    bench::report("program start-up / bare QWidget program", program[1], bare[1], 3);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--program") == 0 || std::strcmp(argv[1], "--bare") == 0))
        return runChild(argc, argv, std::strcmp(argv[1], "--program") == 0);
    return bench::RunThenSummarise(argc, argv, summary);
}
