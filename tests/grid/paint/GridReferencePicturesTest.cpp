// Reference pictures of the cell painter and the printer: every cell graphic kind, every kind
// of cell text and the printed pages, compared pixel for pixel with the PNG files under
// tests/fixtures/grid/screens. The references were taken from the painter as it stood before
// its drawing was split into stages; any change of a pixel is a change of what the user sees.
// To take them anew (only for a deliberate change of the look), run with QV_WRITE_REFERENCES=1.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/print/GridPrint.h"
#include "platform/Printer.h"
#include "platform/Services.h"

#include "support/TestSupport.h"

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using namespace grid;

namespace {

QString referencePath(const QString& name)
{
    return testsupport::fixturePath(QStringLiteral("grid/screens/") + name + QStringLiteral(".png"));
}

// Compares with the reference; a differing picture is written beside the test run for a look.
void expectReference(const QImage& actual, const QString& name)
{
    ASSERT_FALSE(actual.isNull()) << name.toStdString();
    const QImage shot = actual.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("QV_WRITE_REFERENCES")) {
        QDir().mkpath(QFileInfo(referencePath(name)).absolutePath());
        ASSERT_TRUE(shot.save(referencePath(name)));
        return;
    }
    const QImage ref = QImage(referencePath(name)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(ref.isNull()) << "no reference " << referencePath(name).toStdString();
    ASSERT_EQ(ref.size(), shot.size()) << name.toStdString();
    int differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < ref.height(); ++y)
        for (int x = 0; x < ref.width(); ++x)
            if (ref.pixel(x, y) != shot.pixel(x, y)) {
                if (differing++ == 0)
                    first = QPoint(x, y);
            }
    if (differing > 0)
        testsupport::saveScreenshot(shot, name + QStringLiteral("_actual.png"));
    EXPECT_EQ(differing, 0) << name.toStdString() << ": first at " << first.x() << "," << first.y();
}

QImage solid(int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    return img;
}

// An interfaced cell that paints a diagonal cross.
class CrossDrawer : public TInterfacedPersistent, public IGridCellDrawer {
public:
    void Draw(QPainter& canvas, const TRect& r, int, int, bool selected, TQvStringGrid*) override
    {
        canvas.save();
        canvas.setPen(selected ? Qt::red : Qt::darkGreen);
        canvas.drawLine(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
        canvas.drawLine(r.Left, r.Bottom - 1, r.Right - 1, r.Top);
        canvas.restore();
    }
    int GetWidth() override { return 14; }
    int GetHeight() override { return 12; }
    bool DrawBeforeText() override { return false; }
};

// Every graphic kind once, six columns of 72 and rows of 30 pixels.
struct GraphicsGrid {
    TQvStringGrid g;
    TCustomImageList images{10, 10};
    CrossDrawer drawer;
    TStringList radioOptions{QStringList{QStringLiteral("A"), QStringLiteral("B")}};

    GraphicsGrid()
    {
        images.Add(solid(10, 10, qRgb(255, 0, 0)));
        images.Add(solid(10, 10, qRgb(0, 0, 255)));
        images.Add(solid(10, 10, qRgb(0, 160, 0)));
        g.GridImages = &images;
        g.resize(6 * 72 + 8, 7 * 30 + 8);
        g.SetScrollBars(ssNone);
        g.SetColCount(6);
        g.SetRowCount(7);
        g.SetFixedRows(1);
        g.SetFixedCols(0);
        for (int c = 0; c < 6; ++c)
            g.SetColWidths(c, 72);
        for (int r = 0; r < 7; ++r)
            g.SetRowHeights(r, 30);
        g.HideFocusRect = true;
        for (int c = 0; c < 6; ++c)
            g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
        // Row 1: pictures.
        *g.CreateBitmap(0, 1, false, haLeft, vaCenter) = TBitmap(solid(12, 9, qRgb(200, 0, 200)));
        *g.CreateIcon(1, 1, haCenter, vaTop) = TIcon(solid(8, 8, qRgb(0, 200, 200)));
        *g.CreatePicture(2, 1, false, Stretch, 2, haFull, vaFull) = TPicture(solid(20, 10, qRgb(250, 200, 0)));
        g.AddImageIdx(3, 1, 1, haRight, vaBottom);
        g.AddDataImage(4, 1, 0, haLeft, vaCenter);
        g.SetCells(4, 1, QStringLiteral("2"));
        g.AddMultiImage(5, 1, 1, haLeft, vaTop);
        if (TIntList* l = g.GetCellImages(5, 1)) {
            l->Add(0);
            l->Add(2);
        }
        // Row 2: check boxes.
        g.AddCheckBox(0, 2, true, false);
        g.SetCells(0, 2, QStringLiteral("on"));
        g.AddCheckBox(1, 2, false, true);
        g.SetCells(1, 2, g.CheckTrue);
        g.AddCheckBox(2, 2, cbGrayed);
        g.AddRadioButton(3, 2, true);
        g.AddRadio(4, 2, 0, 1, &radioOptions);
        g.AddCheckBox(5, 2, false, false);
        g.SetCells(5, 2, QStringLiteral("off"));
        // Row 3: values drawn as bars.
        g.AddProgress(0, 3, 0x00FF00, 0xFFFFFF);
        g.SetCells(0, 3, QStringLiteral("40"));
        g.AddQvProgress(1, 3, 0, 100);
        g.SetCells(1, 3, QStringLiteral("75"));
        g.AddProgressPie(2, 3, 0x0000FF, 60);
        g.AddRangeIndicator(3, 3, 10, 0x0000FF, 0x00FF00, true);
        g.SetCells(3, 3, QStringLiteral("-4"));
        g.AddRating(4, 3, 3, 0x00A0FF, 0xC0C0C0);
        g.SetCells(4, 3, QStringLiteral("1.5"));
        g.AddProgressFormatted(5, 3, 0xFF0000, 0xFFFFFF, 0xE0E0E0, 0x000000, QStringLiteral("%d of 10"), 0, 10);
        g.SetCells(5, 3, QStringLiteral("4"));
        // Row 4: shapes, buttons, comment, expand.
        g.AddShape(0, 4, csCircle, 0x00FF00, 0x000000, haCenter, vaCenter);
        g.AddShape(1, 4, csTriangleUp, 0xFF0000, 0x000080, haLeft, vaCenter);
        g.AddButton(2, 4, 50, 20, QStringLiteral("Go"), haCenter, vaCenter);
        *g.CreateBitButton(3, 4, 60, 22, QStringLiteral("Bit"), haLeft, vaCenter) = TBitmap(solid(8, 8, qRgb(0, 0, 0)));
        g.AddComment(4, 4, QStringLiteral("note"));
        g.SetCells(4, 4, QStringLiteral("commented"));
        g.AddExpand(5, 4, 60);
        // Row 5: rotated text, interfaced cell, node.
        g.AddRotated(0, 5, 45, QStringLiteral("Turned"));
        g.AddInterfacedCell(1, 5, &drawer);
        g.AddNode(5, 2);
        g.SetCells(2, 5, QStringLiteral("node row"));
        g.AddShape(3, 5, csStar, 0x00FFFF, 0x000000, haRight, vaBottom);
        g.AddButton(4, 5, 40, 16, QStringLiteral("Off"), haRight, vaTop);
        g.AddMarker(5, 5, 1, 3);
        g.SetCells(5, 5, QStringLiteral("marked"));
        // Row 6: graphics beside text.
        *g.CreateBitmap(0, 6, false, haBeforeText, vaCenter) = TBitmap(solid(8, 8, qRgb(0, 0, 200)));
        g.SetCells(0, 6, QStringLiteral("before"));
        *g.CreateBitmap(1, 6, false, haAfterText, vaCenter) = TBitmap(solid(8, 8, qRgb(200, 0, 0)));
        g.SetCells(1, 6, QStringLiteral("after"));
        *g.CreateBitmap(2, 6, false, haLeft, vaAboveText) = TBitmap(solid(6, 6, qRgb(0, 120, 0)));
        g.SetCells(2, 6, QStringLiteral("above"));
        *g.CreateBitmap(3, 6, false, haRight, vaUnderText) = TBitmap(solid(6, 6, qRgb(120, 0, 120)));
        g.SetCells(3, 6, QStringLiteral("under"));
        g.AddCheckBox(4, 6, true, false);
        g.SetCells(4, 6, QStringLiteral("centred"));
        g.SetAlignments(4, 6, taCenter);
        g.AddCheckBox(5, 6, true, true);
        g.SetCells(5, 6, QStringLiteral("right"));
        g.SetAlignments(5, 6, taRightJustify);
    }
};

// Every kind of cell text: plain, cut to one line, several lines, wrapped, markup, rich text,
// formula, wide, URL, password, marked, ellipsis, and the fixed cells with a sort indicator.
struct TextGrid {
    TQvStringGrid g;

    TextGrid()
    {
        g.resize(4 * 96 + 8, 6 * 34 + 8);
        g.SetScrollBars(ssNone);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        for (int c = 0; c < 4; ++c)
            g.SetColWidths(c, 96);
        for (int r = 0; r < 6; ++r)
            g.SetRowHeights(r, 34);
        g.HideFocusRect = true;
        g.SetCells(1, 0, QStringLiteral("Sorted"));
        g.SetCells(2, 0, QStringLiteral("<b>Bold</b> head"));
        g.SetCells(3, 0, QStringLiteral("Right head"));
        auto& ss = g.SortSettings();
        ss.SetShow(true);
        ss.SetColumn(1);
        ss.SetRow(0);
        for (int r = 1; r < 6; ++r)
            g.SetCells(0, r, QStringLiteral("Row %1").arg(r));
        g.SetCells(1, 1, QStringLiteral("plain text"));
        g.SetCells(2, 1, QStringLiteral("first line\nsecond line"));
        g.SetCells(3, 1, QStringLiteral("<i>marked</i> <font color=\"clred\">up</font>"));
        g.SetCells(1, 2, QStringLiteral("=1+2"));
        g.SetCells(2, 2,
                   QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                  "\\f0\\fs16 rich \\cf1 red\\par}"));
        g.SetCells(3, 2, QStringLiteral("http://www.example.com/x"));
        g.PaintSettings().URLShow = true;
        g.SetCells(1, 3, QStringLiteral("a rather long text that does not fit"));
        g.PaintSettings().EnhTextSize = true;
        g.SetCells(2, 3, QStringLiteral("right"));
        g.SetAlignments(2, 3, taRightJustify);
        g.SetCells(3, 3, QStringLiteral("centre"));
        g.SetAlignments(3, 3, taCenter);
        g.SetCells(1, 4, QStringLiteral("wrapped words in a narrow cell"));
        g.SetWordWraps(1, 4, true);
        g.SetCells(2, 4, QStringLiteral("mistake"));
        g.AddMarker(2, 4, 2, 3);
        g.SetCells(3, 4, QStringLiteral("|\\wide"));
        g.SetCells(1, 5, QStringLiteral("selected"));
        g.SetCells(2, 5, QStringLiteral("tabs\there"));
        g.SetCells(3, 5, QStringLiteral("bottom"));
        g.SetColors(1, 5, 0xFFE0C0);
    }
};

QImage screenShot(TQvStringGrid& g)
{
    g.show();
    QApplication::processEvents();
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    g.viewport()->render(&img);
    return img;
}

class ReferencePictures : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        if (GetParam())
            BindGridThemeApi();
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    QString suffix() const { return GetParam() ? QStringLiteral("_themed") : QStringLiteral("_classic"); }
};

INSTANTIATE_TEST_SUITE_P(Looks, ReferencePictures, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

TEST_P(ReferencePictures, EveryGraphicKindOnScreen)
{
    GraphicsGrid s;
    expectReference(screenShot(s.g), QStringLiteral("graphics") + suffix());
}

TEST_P(ReferencePictures, EveryGraphicKindSelected)
{
    GraphicsGrid s;
    s.g.SetOptions(s.g.Options() | goRangeSelect);
    s.g.SetSelection({0, 1, 5, 6});
    expectReference(screenShot(s.g), QStringLiteral("graphics_selected") + suffix());
}

TEST_P(ReferencePictures, EveryTextKindOnScreen)
{
    TextGrid s;
    expectReference(screenShot(s.g), QStringLiteral("texts") + suffix());
}

TEST_P(ReferencePictures, TextsSelectedAndFiltered)
{
    TextGrid s;
    s.g.SetOptions(s.g.Options() | goRangeSelect);
    s.g.SetSelection({1, 3, 3, 5});
    s.g.SelectionRectangle = true;
    s.g.FilterDropDownColumns = fdAll;
    s.g.FilterDropDownAuto = true;
    expectReference(screenShot(s.g), QStringLiteral("texts_selected") + suffix());
}

// The print preview onto a picture: the printer's own device path without a PDF reader.
TEST(ReferencePrint, PreviewOfGraphicsAndTexts)
{
    GraphicsGrid s;
    s.g.PrintSettings().SetPrintGraphics(true);
    s.g.PrintSettings().SetBorders(pbSingle);
    QImage page(420, 594, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        s.g.PrintPreview(p, {0, 0, page.width(), page.height()});
    }
    expectReference(page, QStringLiteral("print_preview_graphics"));

    TextGrid t;
    t.g.PrintSettings().SetBorders(pbSingle);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        t.g.PrintPreview(p, {0, 0, page.width(), page.height()});
    }
    expectReference(page, QStringLiteral("print_preview_texts"));
}

// Printed into a PDF file and the pages rendered at 40 dpi.
TEST(ReferencePrint, PdfPagesOfGraphicsAndTexts)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils (pdftoppm) not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto printPages = [&](TQvStringGrid& g, const QString& name) {
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        platform::QtPrinter printer(pdf);
        platform::Services services;
        services.printer = &printer;
        g.SetServices(services);
        auto& ps = g.PrintSettings();
        ps.SetPrintGraphics(true);
        ps.SetBorders(pbSingle);
        ps.SetTitle(ppTopLeft);
        ps.SetTitleLines({QStringLiteral("<b>Reference</b> page")});
        ps.SetPageNr(ppBottomRight);
        ps.SetPagePrefix(QStringLiteral("Page"));
        g.Print();
        ASSERT_TRUE(QFile::exists(pdf));
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), QStringLiteral("-f"),
                 QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                 dir.filePath(name)});
        p.waitForFinished(30000);
        expectReference(QImage(dir.filePath(name + QStringLiteral(".png"))), QStringLiteral("pdf_") + name);
    };
    GraphicsGrid s;
    printPages(s.g, QStringLiteral("graphics"));
    TextGrid t;
    printPages(t.g, QStringLiteral("texts"));
}

} // namespace
