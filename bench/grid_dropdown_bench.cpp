// The grid picker on 100,000 items (two columns, no auto-sizing): opening the popup, which
// refills its grid from the items, against filling a table control of the same size cell by
// cell; and one narrowing keystroke in the open popup over all rows. The summary prints both
// times of the opening and their ratio (the target is at most 1.3) and the keystroke's time.

#include "dropdowns/QvCustomGridDropDown.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include <chrono>
#include <cstdio>

namespace {

using dropdowns::customgrid::TCustomQvGridDropDown;

constexpr int kItems = 100000;
constexpr int kColumns = 2;

QString itemText(int i, int c)
{
    return c == 0 ? QStringLiteral("Item %1").arg(i, 6, 10, QLatin1Char('0')) : QStringLiteral("x%1").arg(i);
}

TCustomQvGridDropDown& picker()
{
    static TCustomQvGridDropDown* dd = [] {
        auto* d = new TCustomQvGridDropDown;
        d->SetAutoSizeColumns(false);
        for (int c = 0; c < kColumns; ++c)
            d->Columns().Add().SetHeader(QStringLiteral("Col %1").arg(c));
        for (int i = 0; i < kItems; ++i)
            d->Items().Add().SetText({itemText(i, 0), itemText(i, 1)});
        d->BeginUpdate();
        d->EndUpdate();
        d->resize(200, 21);
        d->show();
        return d;
    }();
    return *dd;
}

void openAndClose()
{
    TCustomQvGridDropDown& dd = picker();
    dd.ShowDropDown();
    dd.HideDropDown(false);
}

// The same rows written into a table control one cell at a time, header included.
void fillCellByCell()
{
    grid::TQvStringGrid g;
    g.SetColCount(kColumns);
    g.SetRowCount(kItems + 1);
    for (int c = 0; c < kColumns; ++c)
        g.SetCells(c, 0, QStringLiteral("Col %1").arg(c));
    for (int i = 0; i < kItems; ++i)
        for (int c = 0; c < kColumns; ++c)
            g.SetCells(c, i + 1, itemText(i, c));
}

void key(QWidget* w, int k, QChar ch)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, ch.isNull() ? QString() : QString(ch));
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, ch.isNull() ? QString() : QString(ch));
    QCoreApplication::sendEvent(w, &release);
}

// One character typed into the open, narrowing popup; Backspace brings every row back after.
double narrowingKeystroke()
{
    TCustomQvGridDropDown& dd = picker();
    dd.SetLookupMethod(dropdowns::customgrid::lmNarrowDown);
    dd.ShowDropDown();
    QWidget* g = dd.PopupGrid();
    const auto t0 = std::chrono::steady_clock::now();
    key(g, Qt::Key_9, QLatin1Char('9'));
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    key(g, Qt::Key_Backspace, QLatin1Char('\b'));
    dd.HideDropDown(true);
    dd.SetLookupMethod(dropdowns::customgrid::lmLookup);
    return ms;
}

void BM_OpenGridPicker(benchmark::State& state)
{
    for (auto _ : state)
        openAndClose();
}
BENCHMARK(BM_OpenGridPicker)->Unit(benchmark::kMillisecond);

void BM_FillTableCellByCell(benchmark::State& state)
{
    for (auto _ : state)
        fillCellByCell();
}
BENCHMARK(BM_FillTableCellByCell)->Unit(benchmark::kMillisecond);

void BM_NarrowingKeystroke(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(narrowingKeystroke() / 1000.0);
}
BENCHMARK(BM_NarrowingKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond);

double bestOf(int rounds, auto&& run)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void summary()
{
    const double open = bestOf(5, openAndClose);
    const double fill = bestOf(5, fillCellByCell);
    std::printf("%d items: opening the grid picker %.1f ms, filling a table control cell by cell %.1f ms "
                "(ratio %.2f; target <= 1.3)\n",
                kItems, open, fill, open / fill);
    double narrow = 1e9;
    for (int i = 0; i < 5; ++i)
        narrow = std::min(narrow, narrowingKeystroke());
    std::printf("One narrowing keystroke over %d rows: %.1f ms\n", kItems, narrow);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summary();
    return 0;
}
