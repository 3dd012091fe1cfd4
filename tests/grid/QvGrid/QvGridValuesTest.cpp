// Typed access to cell texts under an injected locale, with the exact error texts; dates with
// the null-date rule; display text additions; headers; graphic helpers.

#include "grid/QvGrid.h"
#include "grid/paint/GridPaint.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

using namespace grid;
using test::errorOf;

namespace {

// Switches the default locale for one test and back.
struct LocaleScope {
    explicit LocaleScope(QLocale::Language lang, QLocale::Territory t) : saved(QLocale())
    {
        QLocale::setDefault(QLocale(lang, t));
    }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

TEST(QvGridValues, IntsReadTrimmedStrippedTextAndRefuseOthers)
{
    TQvStringGrid g;
    struct Case {
        QString text;
        int value;
        QString error;
    };
    const Case cases[] = {
        {" 12 ", 12, ""},
        {"", 0, ""},
        {"-", 0, ""},
        {"-45", -45, ""},
        {"$1F", 31, ""},
        {"0x10", 16, ""},
        {"<b>7</b>", 7, ""},
        {"12a", 0, "Cell does not contain integer value"},
        {"1 2", 0, "Cell does not contain integer value"},
        {"99999999999", 0, "Cell does not contain integer value"},
    };
    for (const Case& c : cases) {
        g.SetCells(1, 1, c.text);
        if (c.error.isEmpty())
            EXPECT_EQ(g.GetInts(1, 1), c.value) << c.text.toStdString();
        else
            EXPECT_EQ(errorOf([&] { g.GetInts(1, 1); }), c.error) << c.text.toStdString();
    }
    // The real-row form reads the text as it is, markup included.
    g.SetCells(1, 1, "<b>7</b>");
    EXPECT_EQ(errorOf([&] { g.GetAllInts(1, 1); }), "Cell does not contain integer value");

    g.SetInts(2, 2, -301);
    EXPECT_EQ(g.Cells(2, 2), "-301");
}

TEST(QvGridValues, FloatsFollowTheLocaleSeparators)
{
    struct Case {
        QLocale::Language lang;
        QLocale::Territory territory;
        QString text;
        double value;
        bool raises;
    };
    const Case cases[] = {
        {QLocale::English, QLocale::UnitedStates, "3.14", 3.14, false},
        {QLocale::English, QLocale::UnitedStates, "3,14", 314, false}, // "," groups thousands
        {QLocale::English, QLocale::UnitedStates, "-", 0, false},
        {QLocale::English, QLocale::UnitedStates, "", 0, false},
        {QLocale::English, QLocale::UnitedStates, "2e", 0, true},
        // Nothing that can start a number: the normalised text is empty and reads 0.
        {QLocale::English, QLocale::UnitedStates, "abc", 0, false},
        {QLocale::German, QLocale::Germany, "3,14", 3.14, false},
        {QLocale::German, QLocale::Germany, "1.234,5", 1234.5, false},
        {QLocale::German, QLocale::Germany, "(3,5)", -3.5, false},
        {QLocale::German, QLocale::Germany, QString::fromUtf8("\u20ac 4,25"), 4.25, false},
        {QLocale::German, QLocale::Germany, "Euro 4,25", 0, true}, // the E stops the skipping
    };
    for (const Case& c : cases) {
        LocaleScope scope(c.lang, c.territory);
        TQvStringGrid g;
        g.SetCells(1, 1, c.text);
        if (c.raises)
            EXPECT_EQ(errorOf([&] { g.GetFloats(1, 1); }), "Cell does not contain a float value")
                << c.text.toStdString();
        else
            EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), c.value) << c.text.toStdString();
    }
}

TEST(QvGridValues, SetFloatsFormatsWithTheLocaleDecimalSeparator)
{
    struct Case {
        QLocale::Language lang;
        QLocale::Territory territory;
        QString format;
        QString expected;
    };
    const Case cases[] = {
        {QLocale::English, QLocale::UnitedStates, "%.2f", "3.14"},
        {QLocale::German, QLocale::Germany, "%.2f", "3,14"},
        {QLocale::English, QLocale::UnitedStates, "%.3f kg", "3.142 kg"},
        // A format that is no single float conversion is not passed to the formatter.
        {QLocale::English, QLocale::UnitedStates, "%s", "3.14159"},
    };
    for (const Case& c : cases) {
        LocaleScope scope(c.lang, c.territory);
        TQvStringGrid g;
        g.FloatFormat = c.format;
        g.SetFloats(1, 1, 3.14159);
        EXPECT_EQ(g.Cells(1, 1), c.expected) << c.format.toStdString();
        EXPECT_NEAR(g.GetFloats(1, 1), 3.14159, 0.01);
    }
}

TEST(QvGridValues, NullDateRuleAndRoundTrip)
{
    LocaleScope scope(QLocale::German, QLocale::Germany);
    TQvStringGrid g;
    const double day = QDate(1899, 12, 30).daysTo(QDate(2024, 2, 29));
    g.SetDates(1, 1, day);
    EXPECT_EQ(g.Cells(1, 1), QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat));
    EXPECT_DOUBLE_EQ(g.GetDates(1, 1), day);

    g.SetDates(1, 2, 0);
    EXPECT_EQ(g.Cells(1, 2), QLocale().toString(QDate(1899, 12, 30), QLocale::ShortFormat));
    g.ShowNullDates = false;
    g.SetDates(1, 2, 0);
    EXPECT_EQ(g.Cells(1, 2), "");

    g.SetCells(1, 3, "no date");
    EXPECT_EQ(errorOf([&] { g.GetDates(1, 3); }), "'no date' is not a valid date");

    g.SetTimes(1, 4, 0.5);
    EXPECT_DOUBLE_EQ(g.GetTimes(1, 4), 0.5);
}

TEST(QvGridValues, HiddenColumnsAndRowsThroughTheRealRowForms)
{
    TQvStringGrid g;
    g.SetRowCount(6);
    g.SetAllInts(1, 3, 42);
    g.HideRow(3);
    EXPECT_EQ(g.GetAllInts(1, 3), 42);
    g.SetAllFloats(1, 3, 2.5);
    EXPECT_DOUBLE_EQ(g.GetAllFloats(1, 3), 2.5);
    g.UnHideRow(3);
    EXPECT_EQ(g.Cells(1, 3), "2.50");
}

TEST(QvGridValues, DisplayTextShowsTheGroupCountAndTheFirstLink)
{
    TQvStringGrid g;
    g.SetRowCount(10);
    g.AddNode(2, 5);
    g.UpdateSubNodeCount(2, 1);
    g.SetCells(1, 2, "Group");
    g.Grouping.ShowGroupCount = true;
    EXPECT_EQ(g.Cells(1, 2), "Group (3)");
    g.Grouping.GroupCountFormat = "[%d]";
    EXPECT_EQ(g.Cells(1, 2), "Group[3]");

    g.URLShowInText = true;
    g.SetCells(2, 1, "see www.a.com and www.b.com <x>");
    EXPECT_EQ(g.Cells(2, 1), "see <a href=\"www.a.com\">www.a.com</a> and www.b.com &lt;x&gt;");
}

TEST(QvGridValues, HeadersAndPrintRangesAndVersion)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetColumnHeaders({"A", "B\\nC", "D", "E"});
    EXPECT_EQ(g.Cells(1, 0), "B\nC");
    EXPECT_EQ(g.Cells(3, 0), ""); // beyond the columns
    g.ClearColumnHeaders();
    EXPECT_EQ(g.Cells(0, 0), "");
    EXPECT_EQ(errorOf([&] { g.GetPrintColWidth(512); }), "Columns is not in valid range");
    EXPECT_EQ(errorOf([&] { g.GetPrintColOffset(-1); }), "Columns is not in valid range");
    EXPECT_EQ(g.Version(), "6.2.1.3");
    g.SetVersion("1.0");
    EXPECT_EQ(g.Version(), "6.2.1.3");
    const QStringList items{"x", "y"};
    g.SetLookupItems(&items);
    g.SetLookupItems(nullptr);
    EXPECT_EQ(g.LookupItems(), items);
}

TEST(QvGridValues, GraphicHelpersAndRowCheckBoxType)
{
    TQvStringGrid g;
    EXPECT_EQ(g.GetCellType(-1, 1), ctEmpty);
    g.SetCells(2, 2, "kept");
    g.CreateCellGraphic(2, 2)->FCellType = ctRating;
    EXPECT_EQ(g.Cells(2, 2), "kept");
    EXPECT_FALSE(g.RemoveCellGraphicOfType(2, 2, ctButton));
    EXPECT_TRUE(g.RemoveCellGraphicOfType(2, 2, ctRating));
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2));
    EXPECT_EQ(g.GetCellType(2, 2), ctEmpty);

    g.MouseActions().SetHotmailRowSelect(true);
    EXPECT_EQ(g.GetCellType(0, 3), ctRowCheckBox);
    g.SetRowSelect(2, true);
    EXPECT_EQ(g.GetCellGraphic(0, 0)->FCellAngle, 1); // some but not all rows selected
    // The row check boxes are transparent exactly in the flat control style.
    for (const TControlStyle style : {csClassic, csFlat, csWinXP, csTheme}) {
        g.PaintSettings().ControlLook.SetControlStyle(style);
        EXPECT_EQ(g.GetCellGraphic(0, 3)->FCellTransparent, style == csFlat) << style;
        EXPECT_EQ(g.GetCellGraphic(0, 0)->FCellTransparent, style == csFlat) << style;
    }
}

// A picture takes its drawn size in the cell less one pixel and the text margins; kinds drawn
// from the grid's image list take no room while the grid has none.
TEST(QvGridValues, PictureSizeInItsCellAndImageKindsWithoutAnImageList)
{
    TQvStringGrid g;
    g.SetColWidths(2, 111);
    g.SetRowHeights(3, 50); // the picture's area: 111 - 1 - 2 by 50 - 1 - 2
    struct Case {
        TStretchMode mode;
        TPoint size;
    };
    for (const Case& c :
         {Case{Stretch, {108, 47}}, Case{noStretch, {200, 100}}, Case{ShrinkWithAspectRatio, {94, 47}}}) {
        TCellGraphic* pic = g.CreateCellGraphic(2, 3);
        pic->SetPicture(new TPicture(QImage(200, 100, QImage::Format_RGB32)), false, c.mode, 0, haLeft, vaTop);
        pic->FCellCreated = true;
        EXPECT_EQ(g.GetCellGraphicSize(2, 3), c.size) << c.mode;
    }
    for (const TCellType kind : {ctImages, ctImageList, ctDataImage}) {
        g.CreateCellGraphic(1, 1)->FCellType = kind;
        EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{0, 0})) << kind;
    }
}

TEST(QvGridValues, GraphicSizesByKind)
{
    TQvStringGrid g;
    g.AddCheckBox(1, 1, false, false);
    g.AddRadioButton(2, 1);
    TCellGraphic* rating = g.CreateCellGraphic(3, 1);
    rating->FCellType = ctRating;
    rating->FCellAngle = 5;
    TCellGraphic* button = g.CreateCellGraphic(4, 1);
    button->FCellType = ctButton;
    button->FCellIndex = (22 << 16) | 60;
    TStringList* options = g.CreateRadio(1, 2, 0, -1);
    options->Strings = {"a", "b", "c"};
    struct Case {
        int col, row;
        TPoint size;
    };
    const int check = g.PaintSettings().ControlLook.CheckSize();
    const int radio = g.PaintSettings().ControlLook.RadioSize();
    for (const Case& c : {Case{1, 1, {check, check}}, Case{2, 1, {radio, radio}}, Case{3, 1, {90, 16}},
                          Case{4, 1, {60, 22}}, Case{2, 2, {0, 0}}})
        EXPECT_EQ(g.GetCellGraphicSize(c.col, c.row), c.size) << c.col << "," << c.row;
    const TPoint stacked = g.GetCellGraphicSize(1, 2);
    EXPECT_GE(stacked.X, 12);
    EXPECT_EQ(stacked.Y % 3, 0); // one line per option
    g.SetCells(4, 1, "caption"); // a button with text beside: no height of its own
    EXPECT_EQ(g.GetCellGraphicSize(4, 1), (TPoint{60, 0}));
}

} // namespace
