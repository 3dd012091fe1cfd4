// Change notifiers on a plain string grid: each registered one hears every edited cell once, in
// registration order, after the grid's own OnCellsChanged.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

class LogNotifier : public TGridChangeNotifier {
public:
    LogNotifier(QStringList& log, QString name) : log(log), name(std::move(name)) {}
    void CellsChanged(const TRect& r) override
    {
        log << QStringLiteral("%1 %2,%3-%4,%5").arg(name).arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    }
    QStringList& log;
    QString name;
};

} // namespace

TEST(QvGridNotifier, RegisteredOnceCalledInOrderAfterTheEvent)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    QStringList log;
    g.OnCellsChanged = [&](TQvStringGrid*, const TRect& r) {
        log << QStringLiteral("event %1,%2").arg(r.Left).arg(r.Top);
    };
    LogNotifier a(log, "a"), b(log, "b");
    g.RegisterNotifier(&a);
    g.RegisterNotifier(&b);
    g.RegisterNotifier(&a);
    EXPECT_EQ(g.NotifierCount(), 2);
    g.CellsChanged(TRect{1, 2, 1, 2});
    EXPECT_EQ(log, (QStringList{"event 1,2", "a 1,2-1,2", "b 1,2-1,2"}));

    log.clear();
    g.UnRegisterNotifier(&a);
    g.CellsChanged(TRect{0, 1, 2, 1});
    EXPECT_EQ(log, (QStringList{"event 0,1", "b 0,1-2,1"}));
}

TEST(QvGridNotifier, FooterCalculationsFollowTheNotifiers)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    g.FloatingFooter.SetVisible(true); // the last row is the footer
    g.SetFooterCalcType(1, acCUSTOM);
    QStringList log;
    g.OnCellsChanged = [&](TQvStringGrid*, const TRect&) { log << "event"; };
    LogNotifier a(log, "a");
    g.RegisterNotifier(&a);
    g.OnCalcFooter = [&](TQvStringGrid*, int c, int, QString& v) {
        log << QStringLiteral("footer %1").arg(c);
        v = "sum";
    };
    g.CellsChanged(TRect{1, 1, 1, 1});
    EXPECT_EQ(log, (QStringList{"event", "a 1,1-1,1", "footer 1"}));
    EXPECT_EQ(g.Cells(1, 4), "sum");

    log.clear();
    g.RecalcFooterColumn(1);
    g.RecalcFooterColumn(2); // no calculation there
    EXPECT_EQ(log, (QStringList{"footer 1"}));
}
