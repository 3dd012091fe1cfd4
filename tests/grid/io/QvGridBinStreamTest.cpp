// The binary cell stream and file: the records byte for byte against hand-made fixtures, round
// trips of every cell kind, the placement and size rules, and streams from elsewhere (cut,
// foreign, mutated) ending in the stream's own errors with the grid unharmed.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "grid/support/RectRecord.h"
#include "platform/ComponentStream.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>
#include <random>

using namespace grid;
using grid::test::errorOf;
using grid::test::ShownGrid;

namespace {

QByteArray saveRect(TQvStringGrid& g, TGridRect r)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    g.SaveRectToBinStream(r, buf);
    return buf.data();
}

QByteArray saveAll(TQvStringGrid& g)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    g.SaveToBinStream(buf);
    return buf.data();
}

void loadAt(TQvStringGrid& g, TPoint p, const QByteArray& data)
{
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    g.LoadAtPointFromBinStream(p, buf);
}

void loadAll(TQvStringGrid& g, const QByteArray& data)
{
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    g.LoadFromBinStream(buf);
}

// The fixtures write the grid's ID as 0 (tag 2, value 0): the writing grid's own goes there.
QByteArray withID(QByteArray fixture, int id)
{
    const QByteArray placeholder("\x02"
                                 "ID\x02\x00",
                                 5);
    QByteArray value("\x02"
                     "ID",
                     3);
    if (id <= 127) {
        value += '\x02';
        value += char(id);
    } else {
        value += '\x03';
        char b[2];
        qToLittleEndian<qint16>(qint16(id), b);
        value.append(b, 2);
    }
    const qsizetype at = fixture.indexOf(placeholder);
    EXPECT_GE(at, 0);
    return fixture.replace(at, placeholder.size(), value);
}

QImage redSquare()
{
    QImage img(2, 2, QImage::Format_ARGB32);
    img.fill(QColor(255, 0, 0));
    img.setPixelColor(1, 1, QColor(0, 0, 255));
    return img;
}

// A picture file for the file-picture cells.
QString picturePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("square.png"));
        redSquare().save(p, "PNG");
        return p;
    }();
    return path;
}

TEST(QvGridBinStream, OneCellOfPlainTextIsTheRectangleAndOneCellRecord)
{
    ShownGrid<TQvStringGrid> s(3, 3);
    s.g.SetColWidths(1, 64);
    s.g.SetRowHeights(1, 24);
    s.g.SetCells(1, 1, QStringLiteral("a"));
    const QByteArray expected =
        withID(testsupport::readFile(testsupport::fixturePath("grid/bin_stream_one_cell.bin")), s.g.GridID());
    EXPECT_EQ(saveRect(s.g, {1, 1, 1, 1}).toHex(' '), expected.toHex(' '));
}

TEST(QvGridBinStream, ColouredCellWithAGridBitmapWritesItsPropertiesGraphicAndImage)
{
    ShownGrid<TQvStringGrid> s(3, 3);
    TQvStringGrid& g = s.g;
    g.SetColWidths(1, 64);
    g.SetRowHeights(1, 24);
    g.SetCells(1, 1, QStringLiteral("x"));
    g.CreateBitmap(1, 1, true, haRight, vaCenter)->Image = redSquare();
    TCellProperties& p = *g.GetCellProperties(1, 1);
    p.FAlignment = taCenter;
    p.FVAlignment = vtaCenter;
    p.FBorderColor = 0x123456;
    p.FBorderWidth = 2;
    p.FBrushColor = platform::clRed;
    p.FBrushStyle = bsSolid;
    p.FFontColor = platform::clNavy;
    p.FFontName = QStringLiteral("Arial");
    p.FFontSize = 9;
    p.FFontStyle = fsBold | fsUnderline;
    p.FReadOnly = true;
    p.FWordWrap = false;
    p.FNodeLevel = 0;
    // A copy of the property set leaves these two behind: the stream carries a new set's values.
    p.FBrushColorTo = platform::clBlue;
    p.FGradientDirection = GradientHorizontal;

    const QByteArray stream = saveRect(g, {1, 1, 1, 1});
    const QByteArray expected =
        withID(testsupport::readFile(testsupport::fixturePath("grid/bin_stream_color_bitmap.bin")), g.GridID());
    ASSERT_GE(stream.size(), expected.size());
    EXPECT_EQ(stream.left(expected.size()).toHex(' '), expected.toHex(' '));

    // Record 5: the bitmap's "Data" as a binary block holding a length and the PNG bytes.
    const QByteArray head("TPF0\x0aTGridBMPIO\x00\x0b"
                          "Bitmap.Data\x0a",
                          29);
    QByteArray rest = stream.mid(expected.size());
    ASSERT_TRUE(rest.startsWith(head)) << rest.left(40).toHex(' ').constData();
    rest.remove(0, head.size());
    const quint32 block = qFromLittleEndian<quint32>(rest.constData());
    const QByteArray data = rest.mid(4, block);
    EXPECT_EQ(rest.mid(4 + block), QByteArray("\x00\x00", 2));
    ASSERT_GE(data.size(), 4);
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData()), quint32(data.size() - 4));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(data.mid(4), "PNG"));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32), redSquare());
}

// ---- round trips ----------------------------------------------------------------------------------

struct KindCase {
    const char* name;
    std::function<void(TQvStringGrid&)> make;  // on cell (1, 1) of the source
    std::function<void(TQvStringGrid&)> check; // on cell (1, 1) of the copy
};

const std::vector<KindCase>& kindCases()
{
    static const std::vector<KindCase> cases = {
        {"ascii text", [](TQvStringGrid& g) { g.SetCells(1, 1, QStringLiteral("plain")); },
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(1, 1), QStringLiteral("plain")); }},
        {"long text", [](TQvStringGrid& g) { g.SetCells(1, 1, QString(300, QLatin1Char('L'))); },
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(1, 1), QString(300, QLatin1Char('L'))); }},
        {"accented text", [](TQvStringGrid& g) { g.SetCells(1, 1, QStringLiteral("Grüße, Ærø")); },
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Grüße, Ærø")); }},
        {"wide text", [](TQvStringGrid& g) { g.SetCells(1, 1, QStringLiteral("温度 \U0001F321 センサー")); },
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(1, 1), QStringLiteral("温度 \U0001F321 センサー")); }},
        {"two lines", [](TQvStringGrid& g) { g.SetCells(1, 1, QStringLiteral("one\r\ntwo")); },
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(1, 1), QStringLiteral("one\r\ntwo")); }},
        {"colours and font",
         [](TQvStringGrid& g) {
             g.SetCells(1, 1, QStringLiteral("c"));
             TCellProperties& p = *g.GetCellProperties(1, 1);
             p.FBrushColor = 0x00ABCDEF;
             p.FFontColor = platform::clWindowText;
             p.FFontName = QStringLiteral("Courier New");
             p.FFontSize = 11;
             p.FFontStyle = fsItalic | fsStrikeOut;
             p.FAlignment = taRightJustify;
             p.FVAlignment = vtaBottom;
             p.FReadOnly = true;
             p.FEditor = edComboList;
         },
         [](TQvStringGrid& g) {
             ASSERT_TRUE(g.CellHasProperties(1, 1));
             const TCellProperties& p = *g.GetCellProperties(1, 1);
             EXPECT_EQ(p.FBrushColor, 0x00ABCDEFu);
             EXPECT_EQ(p.FFontColor, platform::clWindowText);
             EXPECT_EQ(p.FFontName, QStringLiteral("Courier New"));
             EXPECT_EQ(p.FFontSize, 11);
             EXPECT_EQ(p.FFontStyle, TFontStyles(fsItalic | fsStrikeOut));
             EXPECT_EQ(p.FAlignment, taRightJustify);
             EXPECT_EQ(p.FVAlignment, vtaBottom);
             EXPECT_TRUE(p.FReadOnly);
             EXPECT_EQ(p.FEditor, edComboList);
             EXPECT_EQ(p.OwnerCol(), 1);
             EXPECT_EQ(p.OwnerRow(), 1);
         }},
        {"check box", [](TQvStringGrid& g) { g.AddCheckBox(1, 1, true, false); },
         [](TQvStringGrid& g) {
             bool state = false;
             EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
             EXPECT_TRUE(state);
         }},
        // The third state is the one a stream carrying the first state for every box would lose.
        {"tri-state box, grayed", [](TQvStringGrid& g) { g.AddCheckBox(1, 1, cbGrayed); },
         [](TQvStringGrid& g) {
             TCheckBoxState state = cbUnchecked;
             EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
             EXPECT_EQ(state, cbGrayed);
         }},
        {"tri-state box, checked", [](TQvStringGrid& g) { g.AddCheckBox(1, 1, cbChecked); },
         [](TQvStringGrid& g) {
             TCheckBoxState state = cbUnchecked;
             EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
             EXPECT_EQ(state, cbChecked);
         }},
        {"bitmap", [](TQvStringGrid& g) { g.CreateBitmap(1, 1, false, haCenter, vaBottom)->Image = redSquare(); },
         [](TQvStringGrid& g) {
             TBitmap* b = g.GetBitmap(1, 1);
             ASSERT_NE(b, nullptr);
             EXPECT_EQ(b->Image.convertToFormat(QImage::Format_ARGB32), redSquare());
             EXPECT_EQ(g.GetCellGraphic(1, 1)->FCellHAlign, haCenter);
             EXPECT_EQ(g.GetCellGraphic(1, 1)->FCellVAlign, vaBottom);
             EXPECT_TRUE(g.GetCellGraphic(1, 1)->OwnsBitmap());
         }},
        {"icon", [](TQvStringGrid& g) { g.CreateIcon(1, 1, haLeft, vaTop)->Image = redSquare(); },
         [](TQvStringGrid& g) {
             const TCellGraphic* gr = g.GetCellGraphic(1, 1);
             ASSERT_TRUE(gr && gr->FCellType == ctIcon);
             auto* icon = dynamic_cast<TIcon*>(gr->FCellIcon);
             ASSERT_NE(icon, nullptr);
             EXPECT_EQ(icon->Image.convertToFormat(QImage::Format_ARGB32), redSquare());
         }},
        {"picture",
         [](TQvStringGrid& g) { g.CreatePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->Image = redSquare(); },
         [](TQvStringGrid& g) {
             TPicture* p = g.GetPicture(1, 1);
             ASSERT_NE(p, nullptr);
             EXPECT_EQ(p->Image.convertToFormat(QImage::Format_ARGB32), redSquare());
         }},
        {"file picture",
         [](TQvStringGrid& g) {
             g.CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->SetFilename(picturePath());
         },
         [](TQvStringGrid& g) {
             TFilePicture* p = g.GetFilePicture(1, 1);
             ASSERT_NE(p, nullptr);
             EXPECT_EQ(p->Filename(), picturePath());
             EXPECT_EQ(p->Width(), 2);
         }},
        {"radio group",
         [](TQvStringGrid& g) {
             g.CreateRadio(1, 1, 1, 2)->Strings = QStringList{"off", "slow", "fast"};
         },
         [](TQvStringGrid& g) {
             const TCellGraphic* gr = g.GetCellGraphic(1, 1);
             ASSERT_TRUE(gr && gr->FCellType == ctRadio);
             auto* sl = dynamic_cast<TStringList*>(gr->FCellBitmap);
             ASSERT_NE(sl, nullptr);
             EXPECT_EQ(sl->Strings, (QStringList{"off", "slow", "fast"}));
             EXPECT_EQ(gr->FCellIndex, 2);
             EXPECT_TRUE(gr->FCellBoolean);
         }},
        {"image indexes",
         [](TQvStringGrid& g) {
             static TCustomImageList images;
             g.GridImages = &images;
             g.AddMultiImage(1, 1, 0, haLeft, vaTop);
             g.GetCellImages(1, 1)->Add(3);
             g.GetCellImages(1, 1)->Add(1);
         },
         [](TQvStringGrid& g) {
             TIntList* l = g.GetCellImages(1, 1);
             ASSERT_NE(l, nullptr);
             EXPECT_EQ(l->StrValue(), QStringLiteral("3,1"));
         }},
        {"comment", [](TQvStringGrid& g) { g.AddComment(1, 1, QStringLiteral("note, with comma")); },
         [](TQvStringGrid& g) {
             const TCellGraphic* gr = g.GetCellGraphic(1, 1);
             ASSERT_TRUE(gr && gr->FCellType == ctComment);
             EXPECT_EQ(gr->FCellText, QStringLiteral("note, with comma"));
         }},
        {"value",
         [](TQvStringGrid& g) {
             TCellGraphic* gr = g.CreateCellGraphic(1, 1);
             gr->FCellType = ctProgress;
             gr->FCellValue = -1234.5625;
         },
         [](TQvStringGrid& g) {
             const TCellGraphic* gr = g.GetCellGraphic(1, 1);
             ASSERT_TRUE(gr && gr->FCellType == ctProgress);
             EXPECT_EQ(gr->FCellValue, -1234.5625);
         }},
    };
    return cases;
}

TEST(QvGridBinStream, EveryCellKindComesBackThroughMemoryAndFile)
{
    QTemporaryDir dir;
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.name);
        ShownGrid<TQvStringGrid> src(4, 4), viaMemory(2, 2), viaFile(2, 2);
        k.make(src.g);
        loadAll(viaMemory.g, saveAll(src.g));
        EXPECT_EQ(viaMemory.g.ColCount(), 4);
        k.check(viaMemory.g);
        const QString path = dir.filePath(QStringLiteral("cells.bin"));
        src.g.SaveToBinFile(path);
        viaFile.g.LoadFromBinFile(path);
        k.check(viaFile.g);
    }
}

TEST(QvGridBinStream, MergedCellsComeBackMerged)
{
    ShownGrid<TQvStringGrid> src(5, 5), dst(5, 5);
    src.g.MergeCells(1, 1, 2, 3);
    src.g.SetCells(1, 1, QStringLiteral("merged"));
    loadAll(dst.g, saveAll(src.g));
    EXPECT_TRUE(dst.g.IsBaseCell(1, 1));
    EXPECT_EQ(dst.g.CellSpan(1, 1), (TPoint{1, 2}));
    EXPECT_EQ(dst.g.BaseCell(2, 3), (TPoint{1, 1}));
    EXPECT_EQ(dst.g.Cells(2, 3), QStringLiteral("merged"));
}

// A covered cell cut out of its merge (its base left outside the rectangle) lands as a plain
// cell: its offset back to the base would point outside the grid.
TEST(QvGridBinStream, ACoveredCellWithoutItsBaseIsNotMergedWhereItLands)
{
    ShownGrid<TQvStringGrid> src(5, 5), dst(5, 5);
    src.g.MergeCells(1, 1, 3, 1);
    loadAt(dst.g, {0, 0}, saveRect(src.g, {2, 1, 3, 1}));
    EXPECT_EQ(dst.g.BaseCell(0, 0), (TPoint{0, 0}));
    EXPECT_EQ(dst.g.BaseCell(1, 0), (TPoint{1, 0}));
}

TEST(QvGridBinStream, HiddenColumnsTravelAndStayHiddenInTheirGrid)
{
    ShownGrid<TQvStringGrid> src(5, 2);
    for (int c = 0; c < 5; ++c)
        src.g.SetCells(c, 1, QStringLiteral("c%1").arg(c));
    src.g.SetColWidths(2, 77);
    src.g.HideColumn(2);
    const QByteArray stream = saveAll(src.g);

    ShownGrid<TQvStringGrid> fresh(1, 1);
    loadAll(fresh.g, stream);
    ASSERT_EQ(fresh.g.ColCount(), 5);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(fresh.g.Cells(c, 1), QStringLiteral("c%1").arg(c));
    EXPECT_EQ(fresh.g.ColWidths(2), 77);

    loadAll(src.g, stream);
    EXPECT_EQ(src.g.ColCount(), 4);
    EXPECT_TRUE(src.g.IsHiddenColumn(2));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(src.g.Cells(c, 1), QStringLiteral("c%1").arg(c));
}

// ---- the edge cases of the format ------------------------------------------------------------------

TEST(QvGridBinStream, AnEmptyCellLeavesItsTextOutAndReadsBackEmpty)
{
    ShownGrid<TQvStringGrid> src(4, 4), dst(4, 4);
    src.g.SetCells(1, 1, QStringLiteral("a"));
    const QByteArray stream = saveRect(src.g, {1, 1, 2, 1});
    EXPECT_EQ(stream.count(QByteArray("\x04"
                                      "Cell",
                                      5)),
              1);
    dst.g.SetCells(1, 1, QStringLiteral("old"));
    dst.g.SetCells(2, 1, QStringLiteral("old"));
    loadAt(dst.g, {1, 1}, stream);
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(dst.g.Cells(2, 1), QString());
}

TEST(QvGridBinStream, AZeroValueIsLeftOutAndReadsBackZeroAfterAnotherValue)
{
    ShownGrid<TQvStringGrid> src(4, 4), dst(4, 4);
    for (int c : {1, 2}) {
        TCellGraphic* gr = src.g.CreateCellGraphic(c, 1);
        gr->FCellType = ctProgress;
        gr->FCellValue = c == 1 ? 42.0 : 0.0;
    }
    const QByteArray stream = saveRect(src.g, {1, 1, 2, 1});
    EXPECT_EQ(stream.count("CellGraphic.CellValue"), 1);
    loadAt(dst.g, {1, 1}, stream);
    EXPECT_EQ(dst.g.GetCellGraphic(1, 1)->FCellValue, 42.0);
    EXPECT_EQ(dst.g.GetCellGraphic(2, 1)->FCellValue, 0.0);
}

TEST(QvGridBinStream, AnApplicationBitmapTravelsWithoutItsGraphic)
{
    ShownGrid<TQvStringGrid> src(4, 4), dst(4, 4);
    TBitmap own(redSquare());
    src.g.AddBitmap(1, 1, &own, false, haLeft, vaTop);
    const QByteArray stream = saveRect(src.g, {1, 1, 1, 1});
    EXPECT_TRUE(stream.contains("TGridCellPropIO"));
    EXPECT_FALSE(stream.contains("TGridGraphicIO"));
    loadAt(dst.g, {1, 1}, stream);
    EXPECT_TRUE(dst.g.CellHasProperties(1, 1));
    EXPECT_EQ(dst.g.GetBitmap(1, 1), nullptr);
}

TEST(QvGridBinStream, ARectangleIsPlacedByItsFirstCell)
{
    ShownGrid<TQvStringGrid> src(10, 10), dst(10, 10);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            src.g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    loadAt(dst.g, {0, 0}, saveRect(src.g, {3, 5, 4, 6}));
    EXPECT_EQ(dst.g.Cells(0, 0), QStringLiteral("3:5"));
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("4:6"));
    EXPECT_EQ(dst.g.Cells(3, 5), QString());
    EXPECT_EQ(dst.g.ColCount(), 10);
}

TEST(QvGridBinStream, CellsBeyondTheGridAreDroppedAndTheGridDoesNotGrow)
{
    ShownGrid<TQvStringGrid> src(10, 10), dst(3, 3);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            src.g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    loadAt(dst.g, {2, 2}, saveRect(src.g, {1, 1, 4, 4}));
    EXPECT_EQ(dst.g.ColCount(), 3);
    EXPECT_EQ(dst.g.RowCount(), 3);
    EXPECT_EQ(dst.g.Cells(2, 2), QStringLiteral("1:1"));
}

TEST(QvGridBinStream, AFullGridStreamResizesAnotherGridWithItsSizes)
{
    ShownGrid<TQvStringGrid> src(4, 3), dst(2, 7);
    const int widths[] = {30, 41, 52, 63};
    const int heights[] = {20, 31, 42};
    for (int c = 0; c < 4; ++c)
        src.g.SetColWidths(c, widths[c]);
    for (int r = 0; r < 3; ++r)
        src.g.SetRowHeights(r, heights[r]);
    src.g.SetCells(3, 2, QStringLiteral("last"));
    dst.g.SetCells(1, 5, QStringLiteral("gone"));
    loadAll(dst.g, saveAll(src.g));
    ASSERT_EQ(dst.g.ColCount(), 4);
    ASSERT_EQ(dst.g.RowCount(), 3);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(dst.g.ColWidths(c), widths[c]);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(dst.g.RowHeights(r), heights[r]);
    EXPECT_EQ(dst.g.Cells(3, 2), QStringLiteral("last"));
}

TEST(QvGridBinStream, OneTrailingByteIsIgnoredTwoAreAReadError)
{
    ShownGrid<TQvStringGrid> src(3, 3), dst(3, 3);
    src.g.SetCells(2, 2, QStringLiteral("end"));
    const QByteArray stream = saveAll(src.g);
    loadAll(dst.g, stream + '\0');
    EXPECT_EQ(dst.g.Cells(2, 2), QStringLiteral("end"));
    EXPECT_EQ(errorOf([&] { loadAll(dst.g, stream + QByteArray(2, '\0')); }), QStringLiteral("Stream read error"));
}

TEST(QvGridBinStream, AColumnBeyondSixteenBitsComesBackModulo65536)
{
    ShownGrid<TQvStringGrid> src(70001, 1), dst(1, 1);
    src.g.SetFixedCols(0);
    src.g.SetFixedRows(0);
    src.g.SetCells(70000, 0, QStringLiteral("far"));
    loadAll(dst.g, saveAll(src.g));
    ASSERT_EQ(dst.g.ColCount(), 70001);
    EXPECT_EQ(dst.g.Cells(70000 - 65536, 0), QStringLiteral("far"));
    EXPECT_EQ(dst.g.Cells(70000, 0), QString());
}

TEST(QvGridBinStream, ProgressCountsTheRectangleRowsAndEndsAtOneHundred)
{
    ShownGrid<TQvStringGrid> src(3, 12), dst(3, 12);
    std::vector<short> fired;
    src.g.OnFileProgress = [&](TQvStringGrid*, short p) { fired.push_back(p); };
    const QByteArray stream = saveRect(src.g, {0, 5, 2, 9});
    EXPECT_EQ(fired, (std::vector<short>{0, 25, 50, 75, 100}));
    std::vector<short> read;
    dst.g.OnFileProgress = [&](TQvStringGrid*, short p) { read.push_back(p); };
    loadAt(dst.g, {0, 0}, stream);
    EXPECT_EQ(read, (std::vector<short>{0, 8, 17, 25, 33}));
}

TEST(QvGridBinStream, ExportNotificationsFrameTheRows)
{
    struct Grid : TQvStringGrid {
        std::vector<std::pair<int, int>> calls;
        void ExportNotification(TExportState s, int row) override { calls.emplace_back(int(s), row); }
    };
    ShownGrid<Grid> src(2, 4);
    saveRect(src.g, {0, 1, 1, 2});
    EXPECT_EQ(src.g.calls, (std::vector<std::pair<int, int>>{
                               {esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2}, {esExportDone, -1}}));
}

TEST(QvGridBinStream, LoadingCountsTheNodeRows)
{
    ShownGrid<TQvStringGrid> src(3, 6), dst(3, 6);
    src.g.AddNode(1, 2);
    src.g.AddNode(4, 2);
    loadAll(dst.g, saveAll(src.g));
    EXPECT_EQ(dst.g.FNumNodes, 2);
    EXPECT_TRUE(dst.g.IsNode(4));
}

TEST(QvGridBinStream, EveryGridHasItsOwnID)
{
    ShownGrid<TQvStringGrid> a(1, 1), b(1, 1);
    EXPECT_NE(a.g.GridID(), b.g.GridID());
    EXPECT_EQ(a.g.GridID(), a.g.GridID());
}

// ---- streams from elsewhere -------------------------------------------------------------------------

// A full-grid rectangle record with the given counts and lists.
QByteArray rectRecord(int cols, int rows, const QString& widths, const QString& heights)
{
    return grid::test::rectRecord(cols, rows, widths, heights, true);
}

TEST(QvGridBinStream, FullGridSizesTheStreamCannotBackAreRefusedBeforeTheGridChanges)
{
    struct Case {
        const char* name;
        QByteArray stream;
        const char* error;
    };
    const Case cases[] = {
        {"more columns than widths", rectRecord(1000000, 1, "64", "24"), "Stream read error"},
        {"more rows than heights", rectRecord(1, 16000000, "64", "24"), "Stream read error"},
        {"negative count", rectRecord(-1, 1, "64", "24"), "Stream read error"},
        {"width too large", rectRecord(2, 1, "64,40000", "24"), "Stream read error"},
        {"negative height", rectRecord(1, 1, "64", "-3"), "Stream read error"},
        {"width not a number", rectRecord(2, 1, "64,wide", "24"), "'wide' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownGrid<TQvStringGrid> dst(3, 3);
        dst.g.SetCells(1, 1, QStringLiteral("kept"));
        EXPECT_EQ(errorOf([&] { loadAll(dst.g, c.stream); }), QString::fromLatin1(c.error));
        EXPECT_EQ(dst.g.ColCount(), 3);
        EXPECT_EQ(dst.g.RowCount(), 3);
        EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("kept"));
    }
}

TEST(QvGridBinStream, AFilePictureWhosePictureIsNotHereKeepsItsName)
{
    ShownGrid<TQvStringGrid> src(3, 3), dst(3, 3);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone.png"));
    redSquare().save(path, "PNG");
    src.g.CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->SetFilename(path);
    const QByteArray stream = saveRect(src.g, {1, 1, 1, 1});
    QFile::remove(path);
    loadAt(dst.g, {1, 1}, stream);
    ASSERT_NE(dst.g.GetFilePicture(1, 1), nullptr);
    EXPECT_EQ(dst.g.GetFilePicture(1, 1)->Filename(), path);
}

TEST(QvGridBinStream, ACellObjectNumberIsReadAndDropped)
{
    ShownGrid<TQvStringGrid> src(3, 3), dst(3, 3);
    TObject mine;
    src.g.SetObjectEx(1, 1, &mine);
    src.g.SetCells(1, 1, QStringLiteral("o"));
    loadAt(dst.g, {1, 1}, saveRect(src.g, {1, 1, 1, 1}));
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("o"));
    EXPECT_EQ(dst.g.GetObjectEx(1, 1), nullptr);
}

TEST(QvGridBinStream, AForeignOrCutRecordIsAReadErrorWithTheEarlierCellsPlaced)
{
    ShownGrid<TQvStringGrid> src(3, 3);
    for (int c = 0; c < 3; ++c)
        src.g.SetCells(c, 1, QStringLiteral("v%1").arg(c));
    const QByteArray stream = saveRect(src.g, {0, 1, 2, 1});
    const qsizetype third = stream.lastIndexOf("TGridCellIO");

    QByteArray foreign = stream;
    foreign.replace(third, 11, "TGridCellIX");
    const QByteArray cut = stream.left(stream.size() - 5);
    QByteArray unknownProperty = stream;
    unknownProperty.replace(stream.lastIndexOf("HasProp"), 7, "HasMore");
    for (const QByteArray& bad : {foreign, cut, unknownProperty}) {
        ShownGrid<TQvStringGrid> dst(3, 3);
        EXPECT_EQ(errorOf([&] { loadAt(dst.g, {0, 1}, bad); }), QStringLiteral("Stream read error"));
        EXPECT_EQ(dst.g.Cells(0, 1), QStringLiteral("v0"));
        EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("v1"));
    }
}

TEST(QvGridBinStream, AFileThatCannotBeOpenedOrWrittenIsAFileStreamError)
{
    ShownGrid<TQvStringGrid> g(2, 2);
    EXPECT_TRUE(errorOf([&] {
                    g.g.LoadFromBinFile(QStringLiteral("/nonexistent/dir/cells.bin"));
                }).startsWith(QStringLiteral("Cannot open file \"/nonexistent/dir/cells.bin\".")));
    EXPECT_TRUE(errorOf([&] {
                    g.g.SaveToBinFile(QStringLiteral("/nonexistent/dir/cells.bin"));
                }).startsWith(QStringLiteral("Cannot create file \"/nonexistent/dir/cells.bin\".")));
}

// Ten thousand damaged copies of a stream holding every cell kind: bits flipped, cut short,
// counts and lengths made huge. Each must end in the stream's own errors (or read), never
// anything else, and never leave a grid larger than its stream could describe.
TEST(QvGridBinStream, MutatedStreamsEndInTheStreamsOwnErrors)
{
    // A full-grid stream with a merge, then the cell records of every kind, all for cell (1, 1).
    ShownGrid<TQvStringGrid> src(4, 4);
    src.g.SetCells(3, 3, QStringLiteral("end"));
    src.g.MergeCells(2, 2, 2, 2);
    QByteArray good = saveAll(src.g);
    for (const KindCase& k : kindCases()) {
        ShownGrid<TQvStringGrid> one(3, 3);
        k.make(one.g);
        const QByteArray cell = saveRect(one.g, {1, 1, 1, 1});
        good += cell.mid(cell.indexOf("TPF0", 4));
    }

    std::mt19937 rng(4511);
    auto pick = [&](qsizetype n) { return qsizetype(std::uniform_int_distribution<qsizetype>(0, n - 1)(rng)); };
    ShownGrid<TQvStringGrid> dst(4, 4);
    int errors = 0;
    for (int i = 0; i < 10000; ++i) {
        QByteArray bad = good;
        switch (i % 4) {
        case 0: // bit flips
            for (int k = 1 + int(pick(4)); k > 0; --k)
                bad[pick(bad.size())] ^= char(1 << pick(8));
            break;
        case 1: // cut short
            bad.truncate(pick(bad.size()));
            break;
        case 2: { // a huge count or length
            const qsizetype at = pick(bad.size() - 4);
            const qint32 huge = i % 8 == 2 ? 0x7FFFFFFF : qint32(0x80000000u);
            qToLittleEndian<qint32>(huge, bad.data() + at);
            break;
        }
        default: { // a value made larger: an 8-bit integer turned 32-bit
            const qsizetype at = bad.indexOf('\x02', pick(bad.size()));
            if (at >= 0 && at + 1 < bad.size())
                bad.replace(at, 2, QByteArray("\x04\xff\xff\xff\x7f", 5));
            break;
        }
        }
        try {
            loadAll(dst.g, bad);
        } catch (const platform::EReadError&) {
            ++errors;
        } catch (const EConvertError&) {
            ++errors;
        }
        ASSERT_LE(dst.g.ColCount(), bad.size()) << "copy " << i;
        ASSERT_LE(dst.g.RowCount(), bad.size()) << "copy " << i;
    }
    EXPECT_GT(errors, 2500);
}

} // namespace
