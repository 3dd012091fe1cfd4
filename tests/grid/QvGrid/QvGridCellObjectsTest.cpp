// Cell objects: what every Add and Create stores in the cell's graphic and who owns it, the
// kind-specific operations and their edge cases, and an offscreen paint of every kind.

#include "grid/QvGrid.h"
#include "grid/support/GridTestHelpers.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace grid;

namespace {

// Paints a solid square and records where the grid asked it to.
class TSquareDrawer : public TInterfacedPersistent, public IGridCellDrawer {
public:
    explicit TSquareDrawer(bool beforeText = false) : before(beforeText) {}
    void Draw(QPainter& canvas, const TRect& rect, int ACol, int ARow, bool, TQvStringGrid*) override
    {
        canvas.fillRect(QRect(rect.Left + 2, rect.Top + 2, 8, 8), QColor(0, 160, 0));
        drawnAt = {ACol, ARow};
        ++draws;
    }
    int GetWidth() override { return 12; }
    int GetHeight() override { return 10; }
    bool DrawBeforeText() override { return before; }
    bool before;
    TPoint drawnAt{-1, -1};
    int draws = 0;
};

// Where the graphic keeps each value, as a row of the table below expects it.
enum TObjectSlot { inNone, inBitmap, inIcon };
struct Fields {
    TCellType kind = ctNone;
    TObjectSlot created = inNone; // the object the call made and returned sits here
    const TObject* bitmap = nullptr;
    const TObject* icon = nullptr;
    TColor bitmapColor = 0, iconColor = 0;
    int index = 0, angle = 0, errFrom = 0, errLen = 0;
    bool boolean = false, transparent = false;
    const char* text = "";
    TCellHAlign hal = haLeft;
    TCellVAlign val = vaTop;
};

struct CallerObjects {
    TBitmap bitmap{QImage(6, 6, QImage::Format_RGB32)};
    TIcon icon{QImage(5, 5, QImage::Format_RGB32)};
    TPicture picture{QImage(8, 4, QImage::Format_RGB32)};
    TFilePicture filePicture;
    TBitmap glyph{QImage(4, 4, QImage::Format_RGB32)};
    TSquareDrawer drawer;
};

struct AddCase {
    const char* call;
    std::function<TObject*(TQvStringGrid&, int col, int row)> add;
    Fields expect;
};

std::vector<AddCase> addCases(CallerObjects& o)
{
    const TColor comment = 0x0000FF; // ControlLook.CommentColor of a new grid
    return {
        {"AddBitmap",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddBitmap(c, r, &o.bitmap, true, haRight, vaCenter);
             return nullptr;
         },
         {.kind = ctBitmap, .bitmap = &o.bitmap, .transparent = true, .hal = haRight, .val = vaCenter}},
        {"CreateBitmap",
         [](TQvStringGrid& g, int c, int r) -> TObject* { return g.CreateBitmap(c, r, false, haCenter, vaBottom); },
         {.kind = ctBitmap, .created = inBitmap, .hal = haCenter, .val = vaBottom}},
        {"AddIcon",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddIcon(c, r, &o.icon, haCenter, vaCenter);
             return nullptr;
         },
         {.kind = ctIcon, .icon = &o.icon, .hal = haCenter, .val = vaCenter}},
        {"CreateIcon",
         [](TQvStringGrid& g, int c, int r) -> TObject* { return g.CreateIcon(c, r, haRight, vaTop); },
         {.kind = ctIcon, .created = inIcon, .hal = haRight}},
        {"AddImageIdx",
         [](TQvStringGrid& g, int c, int r) {
             g.AddImageIdx(c, r, 3, haRight, vaBottom);
             return nullptr;
         },
         {.kind = ctImageList, .index = 3, .hal = haRight, .val = vaBottom}},
        {"AddDataImage",
         [](TQvStringGrid& g, int c, int r) {
             g.AddDataImage(c, r, 1, haCenter, vaTop);
             return nullptr;
         },
         {.kind = ctDataImage, .index = 1, .hal = haCenter}},
        {"AddMultiImage",
         [](TQvStringGrid& g, int c, int r) {
             g.AddMultiImage(c, r, 0, haLeft, vaCenter);
             return nullptr;
         },
         {.kind = ctImages, .boolean = true, .val = vaCenter}},
        {"AddRotated",
         [](TQvStringGrid& g, int c, int r) {
             g.AddRotated(c, r, -90, "x");
             return nullptr;
         },
         {.kind = ctRotated, .angle = 270}},
        {"AddPicture",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddPicture(c, r, &o.picture, true, StretchWithAspectRatio, 3, haFull, vaFull);
             return nullptr;
         },
         {.kind = ctPicture,
          .bitmap = &o.picture,
          .index = 3,
          .angle = StretchWithAspectRatio,
          .transparent = true,
          .hal = haFull,
          .val = vaFull}},
        {"CreatePicture",
         [](TQvStringGrid& g, int c, int r) -> TObject* {
             return g.CreatePicture(c, r, false, Shrink, 1, haCenter, vaCenter);
         },
         {.kind = ctPicture, .created = inBitmap, .index = 1, .angle = Shrink, .hal = haCenter, .val = vaCenter}},
        {"AddFilePicture",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddFilePicture(c, r, &o.filePicture, false, Stretch, 2, haLeft, vaBottom);
             return nullptr;
         },
         {.kind = ctFilePicture, .bitmap = &o.filePicture, .index = 2, .angle = Stretch, .val = vaBottom}},
        {"CreateFilePicture",
         [](TQvStringGrid& g, int c, int r) -> TObject* {
             return g.CreateFilePicture(c, r, true, noStretch, 0, haRight, vaTop);
         },
         {.kind = ctFilePicture, .created = inBitmap, .transparent = true, .hal = haRight}},
        {"AddProgress",
         [](TQvStringGrid& g, int c, int r) {
             g.AddProgress(c, r, 0x0000FF, 0xFFFFFF);
             return nullptr;
         },
         {.kind = ctProgress, .bitmapColor = 0x0000FF, .iconColor = 0xFFFFFF, .errFrom = 0, .errLen = 100}},
        {"AddProgressEx",
         [](TQvStringGrid& g, int c, int r) {
             g.AddProgressEx(c, r, 0x0000FF, 0x00FF00, 0xFFFFFF, 0xFF0000);
             return nullptr;
         },
         {.kind = ctProgress,
          .bitmapColor = 0x0000FF,
          .iconColor = 0xFFFFFF,
          .index = 0x00FF00,
          .angle = 0xFF0000,
          .errLen = 100,
          .boolean = true}},
        {"AddProgressFormatted",
         [](TQvStringGrid& g, int c, int r) {
             g.AddProgressFormatted(c, r, 1, 2, 3, 4, "%d%%", 10, 20);
             return nullptr;
         },
         {.kind = ctProgress,
          .bitmapColor = 1,
          .iconColor = 3,
          .index = 2,
          .angle = 4,
          .errFrom = 10,
          .errLen = 20,
          .boolean = true,
          .text = "%d%%"}},
        {"AddQvProgress",
         [](TQvStringGrid& g, int c, int r) {
             g.AddQvProgress(c, r, 5, 50);
             return nullptr;
         },
         {.kind = ctXPProgress, .errFrom = 5, .errLen = 50}},
        {"AddProgressPie",
         [](TQvStringGrid& g, int c, int r) {
             g.AddProgressPie(c, r, 0x00FF00, 40);
             return nullptr;
         },
         {.kind = ctProgressPie, .bitmapColor = 0x00FF00, .angle = 40, .hal = haBeforeText}},
        {"AddRangeIndicator",
         [](TQvStringGrid& g, int c, int r) {
             g.AddRangeIndicator(c, r, 50, 0x0000FF, 0x00FF00, true);
             return nullptr;
         },
         {.kind = ctRangeIndicator, .bitmapColor = 0x0000FF, .iconColor = 0x00FF00, .index = 50, .boolean = true}},
        {"AddComment",
         [](TQvStringGrid& g, int c, int r) {
             g.AddComment(c, r, "note");
             return nullptr;
         },
         {.kind = ctComment, .index = int(comment), .text = "note"}},
        {"AddColorComment",
         [](TQvStringGrid& g, int c, int r) {
             g.AddColorComment(c, r, "green", 0x00FF00);
             return nullptr;
         },
         {.kind = ctComment, .index = 0x00FF00, .text = "green"}},
        {"AddShape",
         [](TQvStringGrid& g, int c, int r) {
             g.AddShape(c, r, csCircle, 0x00FF00, 0x000080, haCenter, vaCenter);
             return nullptr;
         },
         {.kind = ctShape,
          .bitmapColor = 0x000080,
          .index = 0x00FF00,
          .angle = csCircle,
          .hal = haCenter,
          .val = vaCenter}},
        {"AddRating",
         [](TQvStringGrid& g, int c, int r) {
             g.AddRating(c, r, 5, 0x00FFFF, 0xC0C0C0);
             return nullptr;
         },
         {.kind = ctRating, .bitmapColor = 0xC0C0C0, .index = 0x00FFFF, .angle = 5, .hal = haFull}},
        // Without auto range: an auto-range bar measures its cell at once (GridCellScrollTest).
        {"AddScrollBar",
         [](TQvStringGrid& g, int c, int r) {
             g.AddScrollBar(c, r, false);
             return nullptr;
         },
         {.kind = ctScrollbar, .errFrom = 100, .boolean = false}},
        {"AddButton",
         [](TQvStringGrid& g, int c, int r) {
             g.AddButton(c, r, 40, 18, "Go", haRight, vaCenter);
             return nullptr;
         },
         {.kind = ctButton, .index = (18 << 16) | 40, .text = "Go", .hal = haRight, .val = vaCenter}},
        {"AddBitButton",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddBitButton(c, r, 30, 20, "B", &o.glyph, haLeft, vaTop);
             return nullptr;
         },
         {.kind = ctBitButton, .bitmap = &o.glyph, .index = (20 << 16) | 30, .text = "B"}},
        {"CreateBitButton",
         [](TQvStringGrid& g, int c, int r) -> TObject* {
             return g.CreateBitButton(c, r, 30, 20, "C", haCenter, vaTop);
         },
         {.kind = ctBitButton, .created = inBitmap, .index = (20 << 16) | 30, .text = "C", .hal = haCenter}},
        {"AddInterfacedCell",
         [&](TQvStringGrid& g, int c, int r) {
             g.AddInterfacedCell(c, r, &o.drawer);
             return nullptr;
         },
         {.kind = ctInterface, .bitmap = &o.drawer}},
        {"AddBalloon",
         [](TQvStringGrid& g, int c, int r) {
             g.AddBalloon(c, r, "Title", "Text", biWarning);
             return nullptr;
         },
         {.kind = ctBalloon, .index = biWarning}},
        {"AddMarker",
         [](TQvStringGrid& g, int c, int r) {
             g.AddMarker(c, r, 2, 3);
             return nullptr;
         },
         {.kind = ctEmpty, .errFrom = 2, .errLen = 3}},
    };
}

// The lists the graphic makes for itself (image indexes, balloon texts) are its own.
bool graphicMadeList(TCellType kind)
{
    return kind == ctImages || kind == ctBalloon;
}

TEST(QvGridCellObjects, EveryAddStoresItsFieldsAndOwnership)
{
    CallerObjects objects;
    TCustomImageList images;
    const std::vector<AddCase> cases = addCases(objects);
    TQvStringGrid g;
    g.GridImages = &images;
    g.SetRowCount(int(cases.size()) + 1);
    for (size_t i = 0; i < cases.size(); ++i) {
        const AddCase& c = cases[i];
        const Fields& e = c.expect;
        const int row = int(i) + 1;
        TObject* made = c.add(g, 2, row);
        const TCellGraphic* gr = g.GetCellGraphic(2, row);
        ASSERT_NE(gr, nullptr) << c.call;
        EXPECT_EQ(gr->FCellType, e.kind) << c.call;
        if (e.created == inBitmap) {
            EXPECT_TRUE(made && gr->FCellBitmap == made) << c.call;
        } else if (!graphicMadeList(e.kind)) {
            EXPECT_EQ(gr->FCellBitmap, e.bitmap) << c.call;
        }
        EXPECT_EQ(gr->FCellIcon, e.created == inIcon ? made : e.icon) << c.call;
        EXPECT_EQ(gr->FCellCreated, e.created != inNone || e.kind == ctImages) << c.call;
        EXPECT_EQ(gr->OwnsBitmap() || gr->OwnsIcon(), e.created != inNone || graphicMadeList(e.kind)) << c.call;
        EXPECT_EQ(gr->FCellBitmapColor, e.bitmapColor) << c.call;
        EXPECT_EQ(gr->FCellIconColor, e.iconColor) << c.call;
        EXPECT_EQ(gr->FCellIndex, e.index) << c.call;
        EXPECT_EQ(gr->FCellAngle, e.angle) << c.call;
        EXPECT_EQ(gr->FCellErrFrom, e.errFrom) << c.call;
        EXPECT_EQ(gr->FCellErrLen, e.errLen) << c.call;
        EXPECT_EQ(gr->FCellBoolean, e.boolean) << c.call;
        EXPECT_EQ(gr->FCellTransparent, e.transparent) << c.call;
        EXPECT_EQ(gr->FCellText, QString::fromLatin1(e.text)) << c.call;
        EXPECT_EQ(gr->FCellHAlign, e.hal) << c.call;
        EXPECT_EQ(gr->FCellVAlign, e.val) << c.call;
    }
    // What the table cannot say: texts written beside the graphic and the lists it made.
    EXPECT_EQ(g.Cells(2, 6), "1"); // AddDataImage on an empty cell writes the image number
    EXPECT_EQ(g.Cells(2, 8), "x"); // AddRotated
    EXPECT_NE(dynamic_cast<TIntList*>(g.GetCellGraphic(2, 7)->FCellBitmap), nullptr);
    QString title, text;
    TBalloonIcon icon = biNone;
    ASSERT_TRUE(g.IsBalloon(2, 28, title, text, icon));
    EXPECT_EQ(title, "Title");
    EXPECT_EQ(text, "Text");
    EXPECT_EQ(icon, biWarning);
}

TEST(QvGridCellObjects, AddReplacesTheCellsGraphic)
{
    TBitmap bmp(QImage(4, 4, QImage::Format_RGB32));
    TQvStringGrid g;
    g.AddComment(1, 1, "remark");
    g.AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
    EXPECT_TRUE(g.HasBitmap(1, 1));
    QString comment;
    EXPECT_FALSE(g.IsComment(1, 1, comment));
    EXPECT_EQ(g.GetComment(1, 1), "");
    EXPECT_EQ(g.GetBitmap(1, 1), &bmp);
}

TEST(QvGridCellObjects, RangesOfProgressBarsAndTheirAlignment)
{
    TQvStringGrid g;
    g.AddProgressFormatted(1, 1, 1, 2, 3, 4, "%d", 10, 20);
    g.AddProgress(1, 2, 1, 3);
    g.AddProgressEx(1, 3, 1, 2, 3, 4);
    for (int r : {1, 2, 3})
        EXPECT_EQ(g.GetCellProperties(1, r)->FAlignment, taLeftJustify) << r;
    EXPECT_EQ(g.GetCellGraphic(1, 1)->FCellErrFrom, 10);
    EXPECT_EQ(g.GetCellGraphic(1, 1)->FCellErrLen, 20);
    EXPECT_EQ(g.GetCellGraphic(1, 2)->FCellErrFrom, 0);
    EXPECT_EQ(g.GetCellGraphic(1, 2)->FCellErrLen, 100);
    g.AutoNumAlign = true;
    g.AddProgress(2, 1, 1, 3);
    g.AddProgressEx(2, 2, 1, 2, 3, 4);
    g.AddProgressFormatted(2, 3, 1, 2, 3, 4, "%d", 0, 5);
    for (int r : {1, 2, 3})
        EXPECT_EQ(g.GetCellProperties(2, r)->FAlignment, taRightJustify) << r;
    TQvStringGrid copy;
    copy.Assign(g);
    EXPECT_TRUE(copy.AutoNumAlign);
}

TEST(QvGridCellObjects, ImageKindsNeedTheGridsImageList)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "kept");
    g.AddImageIdx(1, 1, 2, haLeft, vaTop);
    g.AddDataImage(1, 2, 2, haLeft, vaTop);
    g.AddMultiImage(1, 3, 0, haLeft, vaTop);
    for (int r : {1, 2, 3})
        EXPECT_EQ(g.GetCellGraphic(1, r), nullptr) << r;
    EXPECT_EQ(g.Cells(1, 1), "kept");
    EXPECT_EQ(g.Cells(1, 2), "");

    TCustomImageList images;
    g.GridImages = &images;
    int idx = -1;
    g.AddImageIdx(1, 1, 2, haLeft, vaTop);
    ASSERT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    g.SetImageIdx(1, 1, 5);
    ASSERT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 5);
    // A data image keeps a text that is already there; removing it takes the number away.
    g.AddDataImage(1, 1, 4, haLeft, vaTop);
    EXPECT_EQ(g.Cells(1, 1), "kept");
    g.AddDataImage(1, 2, 4, haLeft, vaTop);
    EXPECT_TRUE(g.HasDataImage(1, 2));
    g.RemoveDataImage(1, 2);
    EXPECT_EQ(g.Cells(1, 2), "");
    g.GridImages = nullptr;
    EXPECT_FALSE(g.GetImageIdx(1, 1, idx));
}

TEST(QvGridCellObjects, BalloonsOnlyBesideCheckBoxesAndRadioButtons)
{
    TQvStringGrid g;
    g.AddRadioButton(1, 1, true);
    g.AddBalloon(1, 1, "T", "X", biInfo);
    const TCellGraphic* radio = g.GetCellGraphic(1, 1);
    EXPECT_EQ(radio->FCellType, ctRadioButton);
    EXPECT_TRUE(radio->FCellBoolean);
    EXPECT_EQ(radio->FCellAngle, 1);
    QString title, text;
    TBalloonIcon icon = biNone;
    EXPECT_TRUE(g.IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title + "|" + text, "T|X");
    EXPECT_FALSE(g.HasBalloon(1, 1));
    // A second balloon replaces the first; removing keeps the radio button.
    g.AddBalloon(1, 1, "T2", "X2", biError);
    g.RemoveBalloon(1, 1);
    EXPECT_FALSE(g.IsBalloon(1, 1, title, text, icon));
    EXPECT_TRUE(g.HasRadioButton(1, 1));

    g.AddButton(2, 1, 30, 16, "Go", haLeft, vaTop);
    g.AddBalloon(2, 1, "T", "X", biInfo); // the list it would make is not kept (LeakSanitizer)
    EXPECT_FALSE(g.IsBalloon(2, 1, title, text, icon));
    EXPECT_EQ(g.GetCellGraphic(2, 1)->FCellBitmap, nullptr);
    EXPECT_TRUE(g.HasButton(2, 1));

    g.AddBalloon(3, 1, "T", "X", biWarning);
    EXPECT_TRUE(g.HasBalloon(3, 1));
    g.RemoveBalloon(3, 1);
    EXPECT_EQ(g.GetCellGraphic(3, 1), nullptr);
}

TEST(QvGridCellObjects, AnswersForCellsOfAnotherKind)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "plain");
    EXPECT_EQ(g.GetShapeColor(1, 1), clNone);
    EXPECT_EQ(g.GetScrollPosition(1, 1), -1);
    EXPECT_EQ(g.GetScrollProp(1, 1), (TScrollProp{-1, -1}));
    EXPECT_EQ(g.GetButtonText(1, 1), "");
    EXPECT_EQ(g.GetBitmap(1, 1), nullptr);
    EXPECT_EQ(g.GetPicture(1, 1), nullptr);
    EXPECT_EQ(g.GetFilePicture(1, 1), nullptr);
    EXPECT_EQ(g.GetInterfacedCell(1, 1), nullptr);
    EXPECT_FALSE(g.HasProgress(-1, 1));
    int angle = -1;
    EXPECT_FALSE(g.IsRotated(1, 1, angle));
    int from = -1, len = -1;
    g.GetMarker(1, 1, from, len);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(len, 0);
    // Writers for another kind leave the cell alone.
    g.AddRating(2, 1, 5, 1, 2);
    g.SetShapeColor(2, 1, 0x123456);
    g.SetProgressPie(2, 1, 70);
    g.SetScrollPosition(2, 1, 9);
    g.SetComment(2, 1, "no");
    const TCellGraphic* rating = g.GetCellGraphic(2, 1);
    EXPECT_EQ(rating->FCellType, ctRating);
    EXPECT_EQ(rating->FCellIndex, 1);
    EXPECT_EQ(rating->FCellAngle, 5);
    EXPECT_EQ(rating->FCellText, "");
    g.RemoveProgress(2, 1);
    EXPECT_TRUE(g.HasRating(2, 1));
}

TEST(QvGridCellObjects, KindSpecificWriters)
{
    TQvStringGrid g;
    g.AddShape(1, 1, csSquare, 0x00FF00, 0, haLeft, vaTop);
    g.SetShapeColor(1, 1, 0xFF0000);
    EXPECT_EQ(g.GetShapeColor(1, 1), TColor(0xFF0000));
    g.AddProgressPie(1, 2, 0, 10);
    g.SetProgressPie(1, 2, 75);
    EXPECT_EQ(g.GetCellGraphic(1, 2)->FCellAngle, 75);
    g.SetComment(1, 3, "new"); // a cell without graphic gets the comment
    g.SetComment(1, 3, "changed");
    EXPECT_EQ(g.GetComment(1, 3), "changed");
    g.AddScrollBar(1, 4, false);
    EXPECT_FALSE(g.HasAutoRangeScrollBar(1, 4));
    g.SetScrollPosition(1, 4, 30);
    g.SetScrollProp(1, 4, {10, 200});
    EXPECT_EQ(g.GetScrollPosition(1, 4), 30);
    EXPECT_EQ(g.GetScrollProp(1, 4), (TScrollProp{10, 200}));
    int angle = 0;
    g.SetRotated(1, 5, 450);
    ASSERT_TRUE(g.IsRotated(1, 5, angle));
    EXPECT_EQ(angle, 90);
    // A picture the grid made becomes rotated text without being lost (LeakSanitizer).
    g.CreatePicture(2, 5, false, noStretch, 0, haLeft, vaTop)->Image = QImage(3, 3, QImage::Format_RGB32);
    g.SetRotated(2, 5, 45);
    ASSERT_TRUE(g.IsRotated(2, 5, angle));
    EXPECT_EQ(angle, 45);
    g.AddComment(3, 1, "a");
    g.AddComment(3, 2, "b");
    g.RemoveAllComments();
    EXPECT_EQ(g.GetCellGraphic(3, 1), nullptr);
    EXPECT_EQ(g.GetCellGraphic(3, 2), nullptr);
    EXPECT_NE(g.GetCellGraphic(1, 1), nullptr);
}

TEST(QvGridCellObjects, MarkersOnEveryKind)
{
    TQvStringGrid g;
    g.AddProgress(1, 1, 1, 2);
    g.AddMarker(1, 1, 3, 4);
    int from = 0, len = 0;
    g.GetMarker(1, 1, from, len);
    EXPECT_EQ(from * 10 + len, 34);
    g.RemoveMarker(1, 1);
    ASSERT_TRUE(g.HasProgress(1, 1));
    g.GetMarker(1, 1, from, len);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(len, 0);
    g.AddMarker(2, 2, 1, 1);
    g.AddMarker(3, 3, 1, 1);
    g.RemoveAllMarkers();
    EXPECT_EQ(g.GetCellGraphic(2, 2), nullptr);
    EXPECT_EQ(g.GetCellGraphic(3, 3), nullptr);
    EXPECT_TRUE(g.HasProgress(1, 1));
}

TEST(QvGridCellObjects, ButtonsTextsRectanglesAndRemoval)
{
    test::ShownGrid<TQvStringGrid> w(6, 6);
    TQvStringGrid& g = w.g;
    g.AddButton(2, 2, 40, 14, "Go", haLeft, vaTop);
    g.AddBitButton(3, 2, 30, 12, "B", nullptr, haLeft, vaTop);
    g.SetButtonText(2, 2, "Run");
    EXPECT_EQ(g.GetButtonText(2, 2), "Run");
    // Where the painter placed it: top offset * 65536 + left offset, size packed the same way.
    g.GetCellGraphic(2, 2)->FCellValue = 3 * 65536 + 5;
    const TRect cell = g.CellRect(2, 2);
    EXPECT_EQ(g.GetButtonRect(2, 2), (TRect{cell.Left + 5, cell.Top + 3, cell.Left + 45, cell.Top + 17}));
    g.RemoveBitButton(2, 2); // a plain button is no bit button
    EXPECT_TRUE(g.HasButton(2, 2));
    g.AddComment(4, 2, "stays");
    g.RemoveAllButtons();
    EXPECT_FALSE(g.HasButton(2, 2));
    EXPECT_FALSE(g.HasButton(3, 2));
    EXPECT_EQ(g.GetComment(4, 2), "stays");
}

TEST(QvGridCellObjects, HiddenColumnsKeepTheirObjects)
{
    TQvStringGrid g;
    g.SetColCount(6);
    g.AddButton(4, 1, 20, 10, "Four", haLeft, vaTop);
    g.AddComment(2, 1, "hidden");
    g.HideColumn(2);
    // Displayed column 3 is real column 4.
    EXPECT_EQ(g.GetButtonText(3, 1), "Four");
    g.SetButtonText(3, 1, "Moved");
    EXPECT_EQ(g.GetCellGraphic(4, 1)->FCellText, "Moved");
    g.RemoveAllComments(); // displayed cells only
    EXPECT_EQ(g.GetComment(2, 1), "hidden");
}

TEST(QvGridCellObjects, LookIdentifiersHooksAndLinks)
{
    const std::pair<TGridLook, const char*> looks[] = {{glStandard, "glStandard"},
                                                       {glSoft, "glSoft"},
                                                       {glClassic, "glClassic"},
                                                       {glVLX, "glVLX"},
                                                       {glXP, "glXP"},
                                                       {glListView, "glListView"},
                                                       {glVista, "glVista"},
                                                       {glWin7, "glWin7"},
                                                       {glOffice2007, "glOffice2007"},
                                                       {glCustom, ""}};
    for (const auto& [look, ident] : looks)
        EXPECT_EQ(TQvStringGrid::GridLookIdent(look), QString::fromLatin1(ident)) << ident;

    TQvStringGrid g;
    double rate = 3.5;
    EXPECT_TRUE(g.RatingChange(1, 1, rate));
    g.OnRatingChange = [](TQvStringGrid*, int, int, double& r, bool& allow) {
        r = 4;
        allow = false;
    };
    EXPECT_FALSE(g.RatingChange(1, 1, rate));
    EXPECT_EQ(rate, 4.0);
    g.SetCol(2);
    g.SetRow(3);
    QString seen;
    g.OnColorSelect = [&](TQvStringGrid*, int c, int r, TColor col, const QString& text) {
        seen = QStringLiteral("%1,%2 %3 %4").arg(c).arg(r).arg(col, 6, 16, QLatin1Char('0')).arg(text);
    };
    g.OnImageSelect = [&](TQvStringGrid*, int c, int r, int index) {
        seen += QStringLiteral(" %1,%2 #%3").arg(c).arg(r).arg(index);
    };
    g.ColorSelect(0x00FF00, "clLime");
    g.ImageSelect(7);
    EXPECT_EQ(seen, "2,3 00ff00 clLime 2,3 #7");

    g.SetURLShow(true);
    g.SetURLFull(true);
    g.SetURLShowInText(true);
    g.SetURLColor(0x00AA00);
    EXPECT_TRUE(g.URLShow());
    EXPECT_TRUE(g.URLFull());
    EXPECT_TRUE(g.URLShowInText);
    EXPECT_EQ(g.URLColor, TColor(0x00AA00));
}

TEST(QvGridCellObjects, InterfacedAndImageCellsAreMeasured)
{
    TCustomImageList images(10, 8);
    images.Add(QImage(10, 8, QImage::Format_RGB32));
    TSquareDrawer drawer;
    TQvStringGrid g;
    g.GridImages = &images;
    g.AddInterfacedCell(1, 1, &drawer);
    EXPECT_EQ(g.GetInterfacedCell(1, 1), &drawer);
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{12, 10}));
    g.AddImageIdx(1, 2, 0, haLeft, vaTop);
    EXPECT_EQ(g.GetCellGraphicSize(1, 2), (TPoint{10, 8}));
    g.AddMultiImage(1, 3, 0, haLeft, vaTop);
    g.GetCellImages(1, 3)->Add(0);
    g.GetCellImages(1, 3)->Add(0);
    EXPECT_EQ(g.GetCellGraphicSize(1, 3), (TPoint{20, 8}));
    g.AddMultiImage(1, 4, 1, haLeft, vaTop);
    g.GetCellImages(1, 4)->Add(0);
    g.GetCellImages(1, 4)->Add(0);
    EXPECT_EQ(g.GetCellGraphicSize(1, 4), (TPoint{10, 16}));
}

// The grid frees what Create made and the lists it made, never what Add was given; the
// sanitizers' leak check sees the first, the reads below the second.
TEST(QvGridCellObjects, DestroyingTheGridLeavesTheCallersObjects)
{
    CallerObjects objects;
    TCustomImageList images;
    {
        auto g = std::make_unique<TQvStringGrid>();
        g->GridImages = &images;
        g->SetRowCount(40);
        const std::vector<AddCase> cases = addCases(objects);
        for (size_t i = 0; i < cases.size(); ++i)
            cases[i].add(*g, 1, int(i) + 1);
        g->AddRadioButton(2, 1);
        g->AddBalloon(2, 1, "T", "X", biInfo);
        g->CreateRadio(2, 2, 0, 0)->Strings = {"a", "b"};
    }
    EXPECT_EQ(objects.bitmap.Width(), 6);
    EXPECT_EQ(objects.icon.Width(), 5);
    EXPECT_EQ(objects.picture.Height(), 4);
    EXPECT_EQ(objects.glyph.Width(), 4);
    EXPECT_EQ(objects.filePicture.Filename(), "");
    EXPECT_EQ(objects.drawer.GetWidth(), 12);
}

// ---- painting ------------------------------------------------------------------------------

QImage shot(TQvStringGrid& g)
{
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    g.viewport()->render(&img);
    return img;
}

bool hasColor(const QImage& img, const TRect& r, QRgb color)
{
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                return true;
    return false;
}

TEST(QvGridCellObjects, EveryKindPaintsOffscreen)
{
    CallerObjects objects;
    objects.bitmap.Image.fill(Qt::blue);
    objects.icon.Image.fill(Qt::red);
    objects.picture.Image.fill(Qt::darkCyan);
    objects.glyph.Image.fill(Qt::magenta);
    TCustomImageList images(10, 10);
    QImage orange(10, 10, QImage::Format_RGB32);
    orange.fill(QColor(255, 128, 0));
    images.Add(orange);
    images.Add(orange);
    const std::vector<AddCase> cases = addCases(objects);

    TQvStringGrid g;
    g.resize(640, 900);
    g.GridImages = &images;
    g.SetColCount(4);
    g.SetRowCount(int(cases.size()) + 4);
    g.SetColWidths(1, 150);
    g.SetColWidths(2, 150);
    g.SetCells(1, 0, "call");
    g.SetCells(2, 0, "cell");
    for (size_t i = 0; i < cases.size(); ++i) {
        const int row = int(i) + 1;
        g.SetCells(1, row, QString::fromLatin1(cases[i].call));
        if (g.Cells(2, row).isEmpty())
            g.SetCells(2, row, "42");
        TObject* made = cases[i].add(g, 2, row);
        if (auto* bmp = dynamic_cast<TBitmap*>(made))
            bmp->Image = QImage(6, 6, QImage::Format_RGB32);
    }
    g.SetImageIdx(2, 5, 0);
    g.GetCellImages(2, 7)->Add(1);
    g.GetCellImages(2, 7)->Add(0);
    // A progress bar after its marker was removed, and an object drawn under its text.
    const int extra = int(cases.size()) + 1;
    g.AddProgress(2, extra, 0x00C000, 0xFFFFFF);
    g.SetCells(2, extra, "60");
    g.RemoveMarker(2, extra);
    TSquareDrawer under(true);
    g.AddInterfacedCell(2, extra + 1, &under);
    g.SetCells(2, extra + 1, "text over it");
    g.AddImageIdx(2, extra + 2, 1, haLeft, vaCenter);
    g.show();
    QApplication::processEvents();
    under.draws = 0;
    const QImage img = shot(g);
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("QvGridCellObjects.png")));

    EXPECT_EQ(objects.drawer.drawnAt, (TPoint{2, 27}));
    EXPECT_EQ(under.draws, 1); // drawn once per paint, before the text
    EXPECT_TRUE(hasColor(img, g.CellRect(2, 27), qRgb(0, 160, 0)));
    EXPECT_TRUE(hasColor(img, g.CellRect(2, extra + 2), qRgb(255, 128, 0)));
    EXPECT_TRUE(hasColor(img, g.CellRect(2, 5), qRgb(255, 128, 0)));   // image list
    EXPECT_TRUE(hasColor(img, g.CellRect(2, 7), qRgb(255, 128, 0)));   // several images
    EXPECT_TRUE(hasColor(img, g.CellRect(2, 1), qRgb(0, 0, 255)));     // bitmap
    EXPECT_TRUE(hasColor(img, g.CellRect(2, extra), qRgb(0, 192, 0))); // progress bar
}

TEST(QvGridCellObjects, ShapesFillInTheirFillColour)
{
    TQvStringGrid g;
    g.resize(300, 200);
    g.SetDefaultRowHeight(30);
    g.AddShape(1, 1, csSquare, 0x00FF00, 0x0000FF, haLeft, vaTop);
    g.show();
    QApplication::processEvents();
    const QImage img = shot(g);
    const TRect cell = g.CellRect(1, 1);
    EXPECT_TRUE(hasColor(img, cell, qRgb(0, 255, 0)));
    EXPECT_TRUE(hasColor(img, cell, qRgb(255, 0, 0)));
}

TEST(QvGridCellObjects, ABalloonDoesNotGrayItsCheckBox)
{
    TQvStringGrid g;
    g.resize(300, 200);
    g.AddCheckBox(1, 2, true, false);
    g.AddCheckBox(1, 3, true, false);
    g.AddBalloon(1, 3, "T", "X", biInfo);
    g.show();
    QApplication::processEvents();
    const QImage img = shot(g);
    const TRect a = g.CellRect(1, 2), b = g.CellRect(1, 3);
    EXPECT_EQ(img.copy(a.toQRect()), img.copy(b.toQRect()));
}

} // namespace
