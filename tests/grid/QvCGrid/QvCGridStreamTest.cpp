// The column stream and the formats against hand-made fixtures.

#include "grid/QvCGrid.h"
#include "grid/support/LineEditLink.h"
#include "support/TestSupport.h"

#include "grid/QvCGrid/ColumnNames.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <optional>

using namespace grid;

// ---- column stream -------------------------------------------------------------------------------

namespace {

QByteArray saveColumns(TQvColumnGrid& g)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    g.SaveColumnsToStream(buf);
    return buf.data();
}

void loadColumns(TQvColumnGrid& g, const QByteArray& data)
{
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    g.LoadColumnsFromStream(buf);
}

} // namespace

TEST(QvCGridStream, RoundTripKeepsEverySettingACopyTakes)
{
    QWidget form;
    auto* menu = new QMenu(&form);
    menu->setObjectName("ColumnMenu");
    auto* a = new TQvColumnGrid(&form);
    a->SetColCount(4);
    TGridColumnItem& c = a->Columns()[1];
    c.SetAlignment(taRightJustify);
    c.SetHeaderAlignment(taCenter);
    c.SetBorders(cbTop | cbBottom);
    c.SetBorderPen({0x123456, 2, psDash});
    c.SetCheckTrue("Ja");
    c.SetCheckFalse("Nein");
    c.SetColor(0xFFFFFF);
    c.SetColumnPopup(menu);
    c.SetColumnPopupType(cpAllCellsLClick);
    c.SetComboItems({"one", "two", QString::fromUtf8("dr\xc3\xab")});
    c.SetDropDownCount(12);
    c.SetEditLength(7);
    c.SetEditMask("000");
    c.SetEditor(edComboList);
    c.SetFilter({"Low=<5"});
    c.SetFilterCaseSensitive(true);
    c.SetFixed(true);
    c.SetFloatFormat("%.1f");
    c.SetFont({"Courier New", 10, fsBold | fsItalic, 0x0000FF});
    c.SetHeader("Speed");
    c.SetHeaderFont({"Arial", 12, fsUnderline, platform::clWindowText});
    c.SetMinSize(20);
    c.SetMaxSize(300);
    c.SetAutoMinSize(10);
    c.SetAutoMaxSize(400);
    c.SetName("speed");
    c.SetPassword(true);
    c.SetPrintBorderCustom(false);
    c.SetPrintBorders(cbLeft);
    c.SetPrintBorderPen({0x00FF00, 3, psDot});
    c.SetPrintColor(0xEEEEEE);
    c.SetPrintFontCustom(false);
    c.SetPrintFont({"Verdana", 9, 0, 0});
    c.SetReadOnly(true);
    c.SetShowBands(true);
    c.SetSortStyle(ssNumeric);
    c.SetSortPrefix("$");
    c.SetSortSuffix(" km");
    c.SetSpinMin(-5);
    c.SetSpinMax(70000);
    c.SetSpinStep(5);
    c.SetTag(-100000);
    c.SetWidth(140);
    const QByteArray stream = saveColumns(*a);
    EXPECT_TRUE(stream.startsWith("TPF0\x0fTQvColumnGridIO\x00\x05Items\x0e"));

    auto* b = new TQvColumnGrid(&form);
    loadColumns(*b, stream);
    EXPECT_EQ(b->ColCount(), 4);
    EXPECT_EQ(b->Columns().Count(), 4);
    const TGridColumnItem& d = b->Columns()[1];
    EXPECT_EQ(d.Alignment(), taRightJustify);
    EXPECT_EQ(d.HeaderAlignment(), taCenter);
    EXPECT_EQ(d.Borders(), TCellBorders(cbTop | cbBottom));
    EXPECT_EQ(d.BorderPen().Color, TColor(0x123456));
    EXPECT_EQ(d.BorderPen().Width, 2);
    EXPECT_EQ(d.BorderPen().Style, psDash);
    EXPECT_EQ(d.CheckTrue(), "Ja");
    EXPECT_EQ(d.CheckFalse(), "Nein");
    EXPECT_EQ(d.Color(), TColor(0xFFFFFF));
    EXPECT_EQ(d.ColumnPopup(), menu);
    // A definition's copy leaves the popup type and the custom print switches out, so the
    // stream does too: they come back as a new definition has them.
    EXPECT_EQ(d.ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(d.ComboItems(), c.ComboItems());
    EXPECT_EQ(d.DropDownCount(), 12);
    EXPECT_EQ(d.EditLength(), 7);
    EXPECT_EQ(d.EditMask(), "000");
    EXPECT_EQ(d.Editor(), edComboList);
    EXPECT_EQ(d.Filter(), c.Filter());
    EXPECT_TRUE(d.FilterCaseSensitive());
    EXPECT_TRUE(d.Fixed());
    EXPECT_EQ(d.FloatFormat(), "%.1f");
    EXPECT_EQ(d.Font(), c.Font());
    EXPECT_EQ(d.Header(), "Speed");
    EXPECT_EQ(b->Cells(1, 0), "Speed");
    EXPECT_EQ(d.HeaderFont(), c.HeaderFont());
    EXPECT_EQ(d.MinSize(), 20);
    EXPECT_EQ(d.MaxSize(), 300);
    EXPECT_EQ(d.AutoMinSize(), 10);
    EXPECT_EQ(d.AutoMaxSize(), 400);
    EXPECT_EQ(d.Name(), "speed");
    EXPECT_TRUE(d.Password());
    EXPECT_TRUE(d.PrintBorderCustom());
    EXPECT_EQ(d.PrintBorders(), TCellBorders(cbLeft));
    EXPECT_EQ(d.PrintBorderPen().Width, 3);
    EXPECT_EQ(d.PrintColor(), TColor(0xEEEEEE));
    EXPECT_TRUE(d.PrintFontCustom());
    EXPECT_EQ(d.PrintFont(), c.PrintFont());
    EXPECT_TRUE(d.ReadOnly());
    EXPECT_TRUE(d.ShowBands());
    EXPECT_EQ(d.SortStyle(), ssNumeric);
    EXPECT_EQ(d.SortPrefix(), "$");
    EXPECT_EQ(d.SortSuffix(), " km");
    EXPECT_EQ(d.SpinMin(), -5);
    EXPECT_EQ(d.SpinMax(), 70000);
    EXPECT_EQ(d.SpinStep(), 5);
    EXPECT_EQ(d.Tag(), -100000);
    EXPECT_EQ(d.Width(), 140);
    EXPECT_EQ(b->ColWidths(1), 140);
    // A definition the stream left plain stays plain.
    EXPECT_EQ(b->Columns()[2].Editor(), edNormal);
    EXPECT_EQ(b->Columns()[2].CheckTrue(), "Y");
}

TEST(QvCGridStream, BadStreamsLeaveTheColumnsAlone)
{
    TQvColumnGrid a;
    a.Columns()[1].SetName("kept");
    const QByteArray good = saveColumns(a);
    QByteArray unknown = good;
    unknown.replace("AutoMinSize", "AutoMinSizX");
    struct Case {
        const char* what;
        QByteArray data;
        QString error;
    };
    const Case cases[] = {
        {"empty", {}, "Stream read error"},
        {"other signature", "TPF1" + good.mid(4), "Invalid stream format"},
        {"cut short", good.left(good.size() / 2), "Stream read error"},
        {"unknown property", unknown, "Property AutoMinSizX does not exist"},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        g.Columns()[1].SetName("before");
        QString error;
        try {
            loadColumns(g, c.data);
        } catch (const EQvGridError& e) {
            error = e.Message();
        }
        SCOPED_TRACE(c.what);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(g.Columns()[1].Name(), "before");
        EXPECT_EQ(g.Columns().Count(), 5);
    }
}

// ---- the formats against hand-made fixtures --------------------------------------------------

TEST(QvCGridFixtures, ColumnStreamOfOneColumn)
{
    TQvColumnGrid g;
    g.SetColCount(1);
    TGridColumnItem& c = g.Columns()[0];
    c.SetName("speed");
    c.SetHeader("Speed");
    c.SetEditor(edDataCheckBox);
    c.SetWidth(80);
    const QByteArray expected = testsupport::readFile(testsupport::fixturePath("grid/column_stream_one_column.bin"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(saveColumns(g).toHex(' '), expected.toHex(' '));

    // One definition into a five-column grid with a fixed column: the count stays (a grid
    // keeps a normal column beside its fixed ones) and the missing definitions are added.
    TQvColumnGrid h;
    loadColumns(h, expected);
    EXPECT_EQ(h.ColCount(), 5);
    EXPECT_EQ(h.Columns().Count(), 5);
    EXPECT_EQ(h.Columns()[0].Name(), "speed");
    EXPECT_EQ(h.Columns()[0].Editor(), edDataCheckBox);
    EXPECT_EQ(h.ColWidths(0), 80);
    EXPECT_EQ(h.Cells(0, 0), "Speed");
}

// The popup type and the custom print switches are not streamed: the same column with them
// changed writes the same bytes, and loads back with a new definition's values.
TEST(QvCGridFixtures, ColumnStreamLeavesThePopupTypeAndPrintSwitchesOut)
{
    TQvColumnGrid g;
    g.SetColCount(1);
    TGridColumnItem& c = g.Columns()[0];
    c.SetName("speed");
    c.SetHeader("Speed");
    c.SetEditor(edDataCheckBox);
    c.SetWidth(80);
    c.SetColumnPopupType(cpAllCellsLClick);
    c.SetPrintBorderCustom(false);
    c.SetPrintFontCustom(false);
    const QByteArray expected = testsupport::readFile(testsupport::fixturePath("grid/column_stream_one_column.bin"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(saveColumns(g).toHex(' '), expected.toHex(' '));

    TQvColumnGrid h;
    h.SetColCount(1);
    h.Columns()[0].SetColumnPopupType(cpNormalCellsLClick);
    loadColumns(h, saveColumns(g));
    EXPECT_EQ(h.Columns()[0].Name(), "speed");
    EXPECT_EQ(h.Columns()[0].ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(h.Columns()[0].PrintBorderCustom());
    EXPECT_TRUE(h.Columns()[0].PrintFontCustom());
}

TEST(QvCGridFixtures, ColumnPositionsFile)
{
    QTemporaryDir dir;
    const QString written = dir.filePath("positions.ini");
    TQvColumnGrid a;
    nameColumns(a);
    a.Loaded();
    a.MoveColumn(1, 3);
    ASSERT_TRUE(a.SaveColumnPositions(written, "Grid"));
    EXPECT_EQ(testsupport::readFile(written),
              testsupport::readFile(testsupport::fixturePath("grid/column_positions_moved.ini")));

    struct Case {
        const char* file;
        bool loads;
        QStringList order;
    };
    const Case cases[] = {
        {"grid/column_positions_moved.ini", true, {"c0", "c2", "c3", "c1", "c4"}},
        {"grid/column_positions_duplicate.ini", false, {"c0", "c1", "c2", "c3", "c4"}},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        nameColumns(g);
        g.Loaded();
        if (QString(c.file).contains("duplicate")) {
            g.SetColCount(3);
            nameColumns(g);
        }
        SCOPED_TRACE(c.file);
        EXPECT_EQ(g.LoadColumnPositions(testsupport::fixturePath(c.file), "Grid"), c.loads);
        EXPECT_EQ(columnNames(g), c.order.mid(0, g.Columns().Count()));
    }
}
