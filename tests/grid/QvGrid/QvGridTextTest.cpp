// Cell text measuring, the formatted text of number cells, the save text of the exports and
// rich-text cells drawn selected and not, on a screen-like and on a scaled canvas.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/markup/GridMarkup.h"
#include "grid/support/GridTestHelpers.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

// Metrics of the grid's cell font as the grid measures it (the viewport's resolution).
QFontMetrics cellMetrics(TQvStringGrid& g)
{
    return QFontMetrics(toQFont(g.Font()), g.viewport());
}

// ---- measuring ---------------------------------------------------------------------------------

struct SizeCase {
    const char* name;
    QString text;
    std::function<void(TQvStringGrid&)> setup;
    // The expected size from the cell font's metrics (w: text width, gh: line height).
    std::function<QSize(const QFontMetrics&)> expected;
};

TEST(QvGridText, UnwrappedSizes)
{
    const SizeCase cases[] = {
        {"empty cell: no width, one line", QString(), nullptr,
         [](const QFontMetrics& fm) { return QSize(0, fm.height()); }},
        {"one line", QStringLiteral("abc def"), nullptr,
         [](const QFontMetrics& fm) { return QSize(fm.horizontalAdvance(QStringLiteral("abc def")), fm.height()); }},
        {"multi-line cells off: the first line only", QStringLiteral("ab\r\nlonger line"), nullptr,
         [](const QFontMetrics& fm) { return QSize(fm.horizontalAdvance(QStringLiteral("ab")), fm.height()); }},
        {"multi-line cells on: the widest of the lines", QStringLiteral("ab\r\nlonger line\rc"),
         [](TQvStringGrid& g) { g.PaintSettings().Multilinecells = true; },
         [](const QFontMetrics& fm) {
             return QSize(fm.horizontalAdvance(QStringLiteral("longer line")), 3 * fm.height());
         }},
        {"link shown: the prefix does not count", QStringLiteral("http://example.org"),
         [](TQvStringGrid& g) { g.SetURLShow(true); },
         [](const QFontMetrics& fm) {
             return QSize(fm.horizontalAdvance(QStringLiteral("example.org")), fm.height());
         }},
        {"link shown in full", QStringLiteral("http://example.org"),
         [](TQvStringGrid& g) {
             g.SetURLShow(true);
             g.SetURLFull(true);
         },
         [](const QFontMetrics& fm) {
             return QSize(fm.horizontalAdvance(QStringLiteral("http://example.org")), fm.height());
         }},
        {"link not shown as a link", QStringLiteral("http://example.org"), nullptr,
         [](const QFontMetrics& fm) {
             return QSize(fm.horizontalAdvance(QStringLiteral("http://example.org")), fm.height());
         }},
        {"rotated by 90: height + 12 by width + 12", QStringLiteral("turned"),
         [](TQvStringGrid& g) { g.AddRotated(1, 1, 90, QStringLiteral("turned")); },
         [](const QFontMetrics& fm) {
             return QSize(fm.height() + 12, fm.horizontalAdvance(QStringLiteral("turned")) + 12);
         }},
        {"rotated by 180: width + 12 by height + 12", QStringLiteral("turned"),
         [](TQvStringGrid& g) { g.AddRotated(1, 1, 180, QStringLiteral("turned")); },
         [](const QFontMetrics& fm) {
             return QSize(fm.horizontalAdvance(QStringLiteral("turned")) + 12, fm.height() + 12);
         }},
    };
    for (const SizeCase& c : cases) {
        TQvStringGrid g;
        g.SetCells(1, 1, c.text);
        if (c.setup)
            c.setup(g);
        EXPECT_EQ(g.GetCellTextSize(1, 1, false, false), c.expected(cellMetrics(g))) << c.name;
    }
}

TEST(QvGridText, MarkupIsMeasuredByTheRendererPlusTwo)
{
    TQvStringGrid g;
    const QString text = QStringLiteral("<b>bold</b> and <i>more</i><br>second");
    g.SetCells(1, 1, text);
    QImage device = MeasuringDevice(g.viewport());
    QPainter p(&device);
    p.setFont(toQFont(g.Font()));
    RizIVUDE::TMarkupRequest m;
    m.Canvas = &p;
    m.Text = text;
    m.Rect = {0, 0, 65535, 65535};
    m.MeasureOnly = true;
    RizIVUDE::TMarkupResult r;
    RizIVUDE::PaintMarkup(m, r);
    ASSERT_GT(r.MarkupWidth, 0);
    EXPECT_EQ(g.GetCellTextSize(1, 1, false, false), QSize(r.MarkupWidth + 2, r.MarkupHeight + 2));
}

TEST(QvGridText, WrappedMeasureKeepsTheScrollBarsRoom)
{
    TQvStringGrid g;
    g.SetColWidths(1, 120);
    g.SetCells(1, 1, QString(QStringLiteral("ii ")).repeated(60).trimmed());
    const QSize plain = g.GetCellTextSize(1, 1, true, false);
    const QSize withBar = g.GetCellTextSize(1, 1, true, true);
    // The cell less XYOffset (2) and 2 on each side, and the bar's 17 pixels.
    const int room = 120 - 4 - 4;
    EXPECT_LE(plain.width(), room);
    EXPECT_GT(plain.width(), room - 17);
    EXPECT_LE(withBar.width(), room - 17);
    EXPECT_GT(withBar.height(), plain.height());
    EXPECT_EQ(plain.height() % cellMetrics(g).height(), 0);
}

TEST(QvGridText, RichTextCellAsksForItsDocumentsSize)
{
    TQvStringGrid g;
    g.SetCells(1, 1, QStringLiteral("{\\rtf1 one\\par two\\par}"));
    const QSize s = g.GetCellTextSize(1, 1, false, false);
    // Two lines of the document's font, + 4.
    const QFontMetrics fm(QFont(), g.viewport());
    EXPECT_GE(s.width(), fm.horizontalAdvance(QStringLiteral("two")));
    EXPECT_GE(s.height(), 2 * fm.height() + 4);
    EXPECT_LT(s.height(), 3 * fm.height() + 4);
}

// ---- formatted text ----------------------------------------------------------------------------

TEST(QvGridText, FormattedCell)
{
    struct Case {
        const char* name;
        const char* text;
        const char* format; // nullptr: no OnGetFloatFormat
        bool isFloat;
        const char* shown;
    } cases[] = {
        {"decimal in %.1f", "3.14159", "%.1f", true, "3.1"},
        {"integer in %.1f", "7", "%.1f", true, "7.0"},
        {"exponent in %.1f", "1e3", "%.1f", true, "1000.0"},
        {"integer in %03d", "7", "%03d", true, "007"},
        {"a decimal has no integer value: raw", "1.5", "%d", true, "1.5"},
        {"a format taking no integer: raw", "7", "%.2f dB", true, "7"},
        {"event says not a float", "3.14159", "%.1f", false, "3.14159"},
        {"empty format", "3.14159", "", true, "3.14159"},
        {"not a number", "abc", "%.1f", true, "abc"},
        {"no event: FloatFormat not applied", "3.14159", nullptr, true, "3.14159"},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.FloatFormat = QStringLiteral("%.4f");
        g.SetCells(1, 1, QString::fromUtf8(c.text));
        int calls = 0;
        if (c.format)
            g.OnGetFloatFormat = [&](TQvStringGrid*, int col, int row, bool& isFloat, QString& format) {
                ++calls;
                EXPECT_EQ(col, 1);
                EXPECT_EQ(row, 1);
                EXPECT_TRUE(isFloat);
                EXPECT_EQ(format, "%.4f"); // the grid's FloatFormat comes in
                isFloat = c.isFloat;
                format = QString::fromUtf8(c.format);
            };
        EXPECT_EQ(g.GetFormattedCell(1, 1), QString::fromUtf8(c.shown)) << c.name;
        if (c.format && QString::fromUtf8(c.text) == QLatin1String("abc")) {
            EXPECT_EQ(calls, 0) << c.name;
        }
    }
}

TEST(QvGridText, ColumnGridFormatsWithTheColumnsFormat)
{
    TQvColumnGrid g;
    g.SetColCount(3);
    g.Columns().GetItem(1)->SetFloatFormat(QStringLiteral("%.1f"));
    g.Columns().GetItem(2)->SetFloatFormat(QStringLiteral("%d"));
    const struct {
        int col;
        const char* text;
        const char* shown;
    } cases[] = {
        {1, "2.54", "2.5"},
        {1, "3", "3.0"},
        {1, "1e3", "1e3"},
        {1, "x", "x"},
        // A "%d" column gives the integer, and a decimal stays as written.
        {2, "12", "12"},
        {2, "1.5", "1.5"},
        // A column without a format shows the text.
        {0, "2.54", "2.54"},
    };
    for (const auto& c : cases) {
        g.SetCells(c.col, 1, QString::fromUtf8(c.text));
        EXPECT_EQ(g.GetFormattedCell(c.col, 1), QString::fromUtf8(c.shown)) << c.col << " " << c.text;
    }
    // The event has the last word.
    g.OnGetFloatFormat = [](TQvStringGrid*, int, int, bool& isFloat, QString& format) {
        isFloat = true;
        format = QStringLiteral("%.3f");
    };
    g.SetCells(0, 1, QStringLiteral("2.54"));
    EXPECT_EQ(g.GetFormattedCell(0, 1), "2.540");
}

TEST(QvGridText, PainterShowsTheFormattedText)
{
    test::ShownGrid<TQvStringGrid> sg(3, 3);
    TQvStringGrid& g = sg.g;
    g.SetCells(1, 1, QStringLiteral("3.14159"));
    g.OnGetFloatFormat = [](TQvStringGrid*, int, int, bool&, QString& format) { format = QStringLiteral("%.0f"); };
    g.SetColWidths(1, 200);
    g.FocusCell(2, 2, true); // no focus frame on the cell
    const TRect r = g.CellRect(1, 1);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    g.viewport()->render(&img);
    // "3" alone is a narrow run: nothing dark past its width.
    const int w3 = cellMetrics(g).horizontalAdvance(QStringLiteral("3"));
    int darkBeyond = 0, dark = 0;
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        for (int x = r.Left + 1; x < r.Right - 2; ++x)
            dark += qGray(img.pixel(x, y)) < 100;
        for (int x = r.Left + g.XYOffset.X + w3 + 3; x < r.Right - 2; ++x)
            darkBeyond += qGray(img.pixel(x, y)) < 100;
    }
    EXPECT_GT(dark, 0);
    EXPECT_EQ(darkBeyond, 0);
}

// ---- save texts --------------------------------------------------------------------------------

TEST(QvGridText, SaveCellText)
{
    struct Case {
        const char* name;
        QString stored;
        std::function<void(TQvStringGrid&)> setup;
        QString saved;
    } cases[] = {
        {"empty check box, checked", QString(), [](TQvStringGrid& g) { g.AddCheckBox(1, 1, cbChecked); },
         QStringLiteral("Y")},
        {"empty check box, unchecked", QString(), [](TQvStringGrid& g) { g.AddCheckBox(1, 1, cbUnchecked); },
         QStringLiteral("N")},
        {"markup kept", QStringLiteral("<b>bold</b><br>next"), nullptr, QStringLiteral("<b>bold</b><br>next")},
        {"markup made plain", QStringLiteral("<b>bold</b><br>next"), [](TQvStringGrid& g) { g.SaveWithHTML = false; },
         QStringLiteral("bold\r\nnext")},
        {"rich text made plain", QStringLiteral("{\\rtf1 one\\par\r\ntwo\\par\r\n}"), nullptr,
         QStringLiteral("one\r\ntwo")},
        {"rich text kept on one line", QStringLiteral("{\\rtf1 one\\par\r\ntwo\\par\r\n}"),
         [](TQvStringGrid& g) { g.SaveWithRTF = true; }, QStringLiteral("{\\rtf1 one\\partwo\\par}")},
        {"virtual cells: the formatted number", QStringLiteral("2.54"),
         [](TQvStringGrid& g) {
             g.OnGetFloatFormat = [](TQvStringGrid*, int, int, bool&, QString& f) { f = QStringLiteral("%.1f"); };
         },
         QStringLiteral("2.5")},
        {"stored text without virtual cells", QStringLiteral("2.54"),
         [](TQvStringGrid& g) {
             g.SaveVirtCells = false;
             g.OnGetFloatFormat = [](TQvStringGrid*, int, int, bool&, QString& f) { f = QStringLiteral("%.1f"); };
         },
         QStringLiteral("2.54")},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.SetCells(1, 1, c.stored);
        if (c.setup)
            c.setup(g);
        QString v;
        g.GetSaveCellText(1, 1, v);
        EXPECT_EQ(v, c.saved) << c.name;
    }
}

TEST(QvGridText, SaveEventHasTheLastWord)
{
    TQvStringGrid g;
    g.SaveWithHTML = false;
    g.SetCells(1, 1, QStringLiteral("<b>x</b>"));
    g.OnSaveCell = [](TQvStringGrid*, int, int, QString& v) { v += QStringLiteral("!"); };
    QString v;
    g.GetSaveCellText(1, 1, v);
    EXPECT_EQ(v, "x!");
}

// ---- rich-text cells painted -------------------------------------------------------------------

// The colour the text of an area shows: "red" or "blue" when it has enough pixels of that
// colour and none of the other, else "mixed" or "none".
QString shownColour(const QImage& img, const QRect& area)
{
    int red = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
            blue += c.blue() > 180 && c.green() < 90 && c.red() < 90;
        }
    if (red > 20 && blue == 0)
        return QStringLiteral("red");
    if (blue > 20 && red == 0)
        return QStringLiteral("blue");
    return red + blue > 0 ? QStringLiteral("mixed") : QStringLiteral("none");
}

class RichCellPaint : public ::testing::Test {
protected:
    RichCellPaint() : sg(4, 4)
    {
        g().SetColWidths(1, 160);
        g().SetRowHeights(1, 40);
        // Large red text.
        g().SetCells(1, 1, QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\fs40\\b WWWW\\par}"));
        g().SelectionTextColor = platform::clBlue;
        g().SelectionColor = platform::clWhite;
    }
    TQvStringGrid& g() { return sg.g; }
    void select(bool on)
    {
        if (on) {
            g().FocusCell(2, 2, true);
            g().SetSelection({1, 1, 2, 2});
        } else {
            g().FocusCell(3, 3, true);
        }
    }
    // RenderRichCell onto a white image with the canvas scaled by `scale`.
    QImage render(double scale)
    {
        QImage img(int(200 * scale), int(60 * scale), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.scale(scale, scale);
        g().RenderRichCell(1, 1, {0, 0, 160, 40}, p);
        p.end();
        return img;
    }
    test::ShownGrid<TQvStringGrid> sg;
};

TEST_F(RichCellPaint, ScreenCanvasShowsTheSelectionTextColour)
{
    select(false);
    EXPECT_EQ(shownColour(render(1), QRect(0, 0, 200, 60)), "red");
    select(true);
    EXPECT_EQ(shownColour(render(1), QRect(0, 0, 200, 60)), "blue");
}

TEST_F(RichCellPaint, ScaledCanvasKeepsTheCellsColours)
{
    select(false);
    EXPECT_EQ(shownColour(render(2), QRect(0, 0, 400, 120)), "red");
    select(true);
    const QImage img = render(2);
    EXPECT_EQ(shownColour(img, img.rect()), "red");
    // Inset by XYOffset taken to the canvas's units and back to the device's: the first
    // column stays white.
    EXPECT_EQ(shownColour(img, QRect(0, 0, 1, img.height())), "none");
}

TEST_F(RichCellPaint, SelectionKeptWithSelectionRTFKeep)
{
    g().SelectionRTFKeep = true;
    select(true);
    EXPECT_EQ(shownColour(render(1), QRect(0, 0, 200, 60)), "red");
}

TEST_F(RichCellPaint, GridPaintsTheRichCell)
{
    QImage img(g().viewport()->size(), QImage::Format_RGB32);
    const QRect cell = g().CellRect(1, 1).toQRect();
    select(false);
    g().viewport()->render(&img);
    EXPECT_EQ(shownColour(img, cell), "red");
    select(true);
    g().viewport()->render(&img);
    EXPECT_EQ(shownColour(img, cell), "blue");
}

} // namespace
