// One completion keystroke in the list pickers over 100,000 items (the match is the last item,
// or there is none, so every item is looked at) against a bare case-blind QString::startsWith
// loop over the same texts in a QStringList. The summary prints both times and the ratio (the
// target is at most 2), and the memory that opening the multi-column popup on those items
// takes (the popup list draws from the items and copies no texts).

#include "dropdowns/QvDetailDropDown.h"
#include "dropdowns/QvMultiColumnDropDown.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

using dropdowns::TQvDetailDropDown;
using dropdowns::multicolumn::TQvMultiColumnDropDown;

constexpr int kItems = 100000;

QStringList makeTexts()
{
    QStringList texts;
    texts.reserve(kItems);
    for (int i = 0; i < kItems - 1; ++i)
        texts << QStringLiteral("Item %1").arg(i, 6, 10, QLatin1Char('0'));
    texts << QStringLiteral("Zulu");
    return texts;
}

const QStringList& texts()
{
    static const QStringList t = makeTexts();
    return t;
}

TQvMultiColumnDropDown& multiColumn()
{
    static TQvMultiColumnDropDown* dd = [] {
        auto* d = new TQvMultiColumnDropDown;
        d->Columns().Add();
        d->Columns().Add();
        for (const QString& t : texts())
            d->Items().Add().SetText({t, QStringLiteral("x")});
        d->BeginUpdate();
        d->EndUpdate();
        return d;
    }();
    return *dd;
}

TQvDetailDropDown& detail()
{
    static TQvDetailDropDown* dd = [] {
        auto* d = new TQvDetailDropDown;
        for (const QString& t : texts())
            d->Items().Add().SetCaption(t);
        return d;
    }();
    return *dd;
}

// One key as the window system delivers it: key-down, character, key-up.
void keystroke(dropdowns::TQvCustomDropDown& dd, QChar ch)
{
    dd.SendKeyDown(Qt::Key_A + (ch.toUpper().unicode() - 'A'), Qt::NoModifier);
    dd.SendChar(ch, Qt::NoModifier);
    dd.SendKeyUp(Qt::Key_A + (ch.toUpper().unicode() - 'A'), Qt::NoModifier);
}

int bareLoop(const QStringList& list, const QString& typed)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].startsWith(typed, Qt::CaseInsensitive))
            return i;
    return -1;
}

void resetMulti()
{
    multiColumn().SetItemIndex(-1);
}

void resetDetail()
{
    detail().SetItemIndex(0);
    detail().SetItemIndex(-1);
}

void BM_MultiColumnKeystroke(benchmark::State& state)
{
    const QChar ch = state.range(0) ? QLatin1Char('z') : QLatin1Char('q');
    for (auto _ : state) {
        state.PauseTiming();
        resetMulti();
        state.ResumeTiming();
        keystroke(multiColumn(), ch);
    }
}
BENCHMARK(BM_MultiColumnKeystroke)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_DetailKeystroke(benchmark::State& state)
{
    const QChar ch = state.range(0) ? QLatin1Char('z') : QLatin1Char('q');
    for (auto _ : state) {
        state.PauseTiming();
        resetDetail();
        state.ResumeTiming();
        keystroke(detail(), ch);
    }
}
BENCHMARK(BM_DetailKeystroke)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_BareStartsWith(benchmark::State& state)
{
    const QString typed = state.range(0) ? QStringLiteral("z") : QStringLiteral("q");
    for (auto _ : state)
        benchmark::DoNotOptimize(bareLoop(texts(), typed));
}
BENCHMARK(BM_BareStartsWith)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

double bestOf(int rounds, auto&& before, auto&& run)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        before();
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void summary()
{
    const auto none = [] {};
    for (const auto& [label, ch] :
         {std::pair{"last item matches", QLatin1Char('z')}, std::pair{"no match", QLatin1Char('q')}}) {
        const QString typed(ch);
        const double bare = bestOf(9, none, [&] { benchmark::DoNotOptimize(bareLoop(texts(), typed)); });
        const double multi = bestOf(9, resetMulti, [&] { keystroke(multiColumn(), ch); });
        const double det = bestOf(9, resetDetail, [&] { keystroke(detail(), ch); });
        std::printf("%d items, %s: startsWith loop %.3f ms, multi-column keystroke %.3f ms (ratio %.2f), "
                    "detail keystroke %.3f ms (ratio %.2f); target <= 2\n",
                    kItems, label, bare, multi, multi / bare, det, det / bare);
    }
    // Opening the popup on the same items.
    TQvMultiColumnDropDown& dd = multiColumn();
    dd.resize(200, 21);
    dd.show();
    const long before = residentKiB();
    dd.ShowDropDown();
    QCoreApplication::processEvents();
    const long after = residentKiB();
    long long textBytes = 0;
    for (const QString& t : texts())
        textBytes += t.size() * 2;
    std::printf("Opening the multi-column popup on %d items: resident memory +%ld KiB (the item texts hold %lld KiB; "
                "rows in the popup grid's cell store: %lld)\n",
                kItems, after - before, textBytes / 1024, (long long)dd.QvColGrid()->Store().RowExtent());
    dd.HideDropDown(false);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
