// The grid's cell store against QStandardItemModel doing the same work: fill 1,000,000 rows x
// 10 columns of short texts, read every cell, insert and delete rows in the middle.
//
// Two parts:
// - Google Benchmark timings of each phase (fill, read, insert/delete) for both stores.
// - A side-by-side summary: each whole workload runs in a child process of its own, so its
//   peak resident memory (high-water mark minus the resident size at the child's start) is
//   measured without the other store's pages; time is taken in the same run.

#include "grid/store/CellStore.h"

#include <benchmark/benchmark.h>

#include <QStandardItemModel>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;
constexpr int kMiddle = kRows / 2;
constexpr int kInsertDelete = 100; // rows inserted, then deleted, one at a time

// "R<row>C<col>", built without the formatting machinery so that making the texts costs both
// stores the same small amount (one allocation) and does not hide the stores' own cost.
QString cellText(int col, int row)
{
    char16_t buf[32];
    int n = 0;
    auto digits = [&](int v) {
        char16_t tmp[12];
        int k = 0;
        do {
            tmp[k++] = char16_t(u'0' + v % 10);
            v /= 10;
        } while (v > 0);
        while (k > 0)
            buf[n++] = tmp[--k];
    };
    buf[n++] = u'R';
    digits(row);
    buf[n++] = u'C';
    digits(col);
    return QString(reinterpret_cast<const QChar*>(buf), n);
}

// Texts either made per cell (the caller builds each text) or taken from a pool of 4096
// distinct ones (the caller already holds its texts, so only the store's own work is timed;
// the model then shares the pooled texts, which flatters its memory, not the store's).
enum class Texts { Made, Pooled };
Texts g_texts = Texts::Made;

const QString& pooledText(int col, int row)
{
    static const std::vector<QString> pool = [] {
        std::vector<QString> p;
        for (int i = 0; i < 4096; ++i)
            p.push_back(cellText(i % kCols, 100000 + i));
        return p;
    }();
    return pool[std::size_t(row * kCols + col) & 4095];
}

// ---- the two workloads -----------------------------------------------------------------------

struct StoreWork {
    grid::TCellStore store;
    void fill()
    {
        if (g_texts == Texts::Pooled) {
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    store.SetText(c, r, pooledText(c, r));
            return;
        }
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                store.SetText(c, r, cellText(c, r));
    }
    // The store's own read: a view of each text, no copy.
    long long read()
    {
        long long n = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                n += store.TextView(c, r).size();
        return n;
    }
    // The read through the grid's Cells interface, which hands out a QString copy per cell.
    long long readCopies()
    {
        long long n = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                n += store.Text(c, r).size();
        return n;
    }
    void insertDelete()
    {
        for (int i = 0; i < kInsertDelete; ++i) {
            store.InsertRows(kMiddle, 1);
            store.SetText(0, kMiddle, QStringLiteral("new"));
        }
        for (int i = 0; i < kInsertDelete; ++i)
            store.DeleteRows(kMiddle, 1);
    }
};

struct ModelWork {
    QStandardItemModel model;
    void fill()
    {
        model.setRowCount(kRows);
        model.setColumnCount(kCols);
        if (g_texts == Texts::Pooled) {
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    model.setItem(r, c, new QStandardItem(pooledText(c, r)));
            return;
        }
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                model.setItem(r, c, new QStandardItem(cellText(c, r)));
    }
    long long read()
    {
        long long n = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                n += model.item(r, c)->text().size();
        return n;
    }
    long long readCopies() { return read(); }
    void insertDelete()
    {
        for (int i = 0; i < kInsertDelete; ++i) {
            model.insertRow(kMiddle);
            model.setItem(kMiddle, 0, new QStandardItem(QStringLiteral("new")));
        }
        for (int i = 0; i < kInsertDelete; ++i)
            model.removeRow(kMiddle);
    }
};

// ---- Google Benchmark phases ----------------------------------------------------------------

template <class Work>
void BM_Fill(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Work>();
        state.ResumeTiming();
        w->fill();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

template <class Work>
void BM_ReadAll(benchmark::State& state)
{
    static std::unique_ptr<Work> w;
    if (!w) {
        w = std::make_unique<Work>();
        w->fill();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(w->read());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
    if (state.thread_index() == 0)
        w.reset();
}

void BM_ReadAllCopies(benchmark::State& state)
{
    auto w = std::make_unique<StoreWork>();
    w->fill();
    for (auto _ : state)
        benchmark::DoNotOptimize(w->readCopies());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

template <class Work>
void BM_InsertDeleteMiddle(benchmark::State& state)
{
    auto w = std::make_unique<Work>();
    w->fill();
    for (auto _ : state)
        w->insertDelete();
    state.SetItemsProcessed(state.iterations() * 2 * kInsertDelete);
}

BENCHMARK_TEMPLATE(BM_Fill, StoreWork)->Name("Fill/GridCellStore")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(BM_Fill, ModelWork)->Name("Fill/QStandardItemModel")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(BM_ReadAll, StoreWork)->Name("ReadAll/GridCellStore")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(BM_ReadAll, ModelWork)
    ->Name("ReadAll/QStandardItemModel")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_ReadAllCopies)->Name("ReadAllQStringCopies/GridCellStore")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_TEMPLATE(BM_InsertDeleteMiddle, StoreWork)
    ->Name("InsertDeleteMiddle/GridCellStore")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_TEMPLATE(BM_InsertDeleteMiddle, ModelWork)
    ->Name("InsertDeleteMiddle/QStandardItemModel")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// ---- side-by-side summary -------------------------------------------------------------------

long residentKb()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Result {
    double fillMs = 0, readMs = 0, insertDeleteMs = 0, readCopiesMs = 0;
    long peakKb = 0;
    bool ok = false;
    double totalMs() const { return fillMs + readMs + insertDeleteMs; }
};

template <class Work>
Result runInChild()
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const long baseKb = residentKb();
        using clock = std::chrono::steady_clock;
        auto ms = [](clock::time_point a, clock::time_point b) {
            return std::chrono::duration<double, std::milli>(b - a).count();
        };
        Result r;
        {
            auto w = std::make_unique<Work>();
            const auto t0 = clock::now();
            w->fill();
            const auto t1 = clock::now();
            benchmark::DoNotOptimize(w->read());
            const auto t2 = clock::now();
            w->insertDelete();
            const auto t3 = clock::now();
            benchmark::DoNotOptimize(w->readCopies());
            const auto t4 = clock::now();
            r.fillMs = ms(t0, t1);
            r.readMs = ms(t1, t2);
            r.insertDeleteMs = ms(t2, t3);
            r.readCopiesMs = ms(t3, t4);
            rusage ru{};
            getrusage(RUSAGE_SELF, &ru);
            r.peakKb = ru.ru_maxrss - baseKb;
            r.ok = true;
            // Exit without tearing the store down: its release time is no part of the work.
            const ssize_t written = write(fds[1], &r, sizeof r);
            _exit(written == ssize_t(sizeof r) ? 0 : 1);
        }
    }
    close(fds[1]);
    Result r;
    const ssize_t got = read(fds[0], &r, sizeof r);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got != ssize_t(sizeof r))
        r.ok = false;
    return r;
}

void printSummary(Texts texts)
{
    g_texts = texts;
    const Result store = runInChild<StoreWork>();
    const Result model = runInChild<ModelWork>();
    if (!store.ok || !model.ok) {
        std::fprintf(stderr, "summary run failed\n");
        return;
    }
    std::printf("\n%d rows x %d columns, texts %s, %d rows inserted and deleted in the middle\n", kRows, kCols,
                texts == Texts::Made ? "made per cell" : "from a pool", kInsertDelete);
    std::printf("%-22s %12s %12s %12s %12s %12s\n", "", "fill ms", "read ms", "ins/del ms", "total ms", "peak MB");
    auto line = [](const char* name, const Result& r) {
        std::printf("%-22s %12.0f %12.0f %12.1f %12.0f %12.1f\n", name, r.fillMs, r.readMs, r.insertDeleteMs,
                    r.totalMs(), r.peakKb / 1024.0);
    };
    line("grid cell store", store);
    line("QStandardItemModel", model);
    std::printf("speed-up (model time / store time): fill %.1fx, read %.1fx, insert/delete %.1fx, total %.1fx\n",
                model.fillMs / store.fillMs, model.readMs / store.readMs,
                model.insertDeleteMs / std::max(store.insertDeleteMs, 0.001), model.totalMs() / store.totalMs());
    std::printf("peak memory (store / model): %.3fx\n", double(store.peakKb) / double(model.peakKb));
    std::printf("read through QString copies: store %.0f ms, model %.0f ms (%.1fx); total with it %.1fx\n",
                store.readCopiesMs, model.readCopiesMs, model.readCopiesMs / store.readCopiesMs,
                (model.fillMs + model.readCopiesMs + model.insertDeleteMs)
                    / (store.fillMs + store.readCopiesMs + store.insertDeleteMs));
    g_texts = Texts::Made;
}

} // namespace

int main(int argc, char** argv)
{
    // The summary runs first, in child processes, while this process is still small.
    bool summaryOnly = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--summary_only") == 0)
            summaryOnly = true;
    printSummary(Texts::Made);
    printSummary(Texts::Pooled);
    std::printf("\n");
    if (summaryOnly)
        return 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
