// The item selector: layout of the item cells, selection and hot mark, key lookup, painting of
// hot and selected items and their captions, and the mouse on the panel.

#include "dropdowns/ItemSelector.h"
#include "dropdowns/DropDownHelpers.h"
#include "grid/QvObj.h"
#include "support/Screenshots.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace dropdowns;
using namespace platform;

namespace {

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

// Each channel within `tolerance` of the other colour's.
bool near(TColor a, TColor b, int tolerance)
{
    a = colorToRGB(a), b = colorToRGB(b);
    return std::abs(getRValue(a) - getRValue(b)) <= tolerance && std::abs(getGValue(a) - getGValue(b)) <= tolerance
           && std::abs(getBValue(a) - getBValue(b)) <= tolerance;
}

QImage shot(QWidget* w)
{
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(0xFF010203);
    w->render(&img);
    return img;
}

class ItemSelector : public ::testing::Test {
protected:
    void SetUp() override { sel.resize(200, 150); }
    void addItems(int n, const QStringList& captions = {})
    {
        for (int i = 0; i < n; ++i)
            sel.Items().Add().SetCaption(i < captions.size() ? captions[i] : QString());
        sel.UpdateSelectorPanel();
    }
    void fixedCells(int w, int h)
    {
        sel.OnItemSize = [w, h](QObject*, QSize& s) { s = QSize(w, h); };
    }
    TCustomItemSelector& panel() { return *sel.Panel(); }
    grid::TRect rect(int i) { return panel().GetItemRect(i); }

    TQvCustomItemSelector sel;
};

} // namespace

// ---- layout ----------------------------------------------------------------------------------

TEST_F(ItemSelector, SevenItemsInThreeColumns)
{
    fixedCells(40, 30);
    sel.SetColumns(3);
    addItems(7);
    EXPECT_EQ(rect(0), (grid::TRect{2, 2, 42, 32}));
    EXPECT_EQ(rect(2), (grid::TRect{82, 2, 122, 32}));
    EXPECT_EQ(rect(3), (grid::TRect{2, 32, 42, 62}));
    EXPECT_EQ(rect(6), (grid::TRect{2, 62, 42, 92}));
    EXPECT_EQ(panel().size(), QSize(124, 94));
    EXPECT_EQ(sel.GetPanelSize(), QSize(124, 94));
    EXPECT_EQ(rect(7), (grid::TRect{-1, -1, -1, -1}));
    EXPECT_EQ(panel().ItemAtPos(42, 2), 1) << "left edge inside";
    EXPECT_EQ(panel().ItemAtPos(41, 31), 0);
    EXPECT_EQ(panel().ItemAtPos(50, 70), -1) << "right of the last item";
}

TEST_F(ItemSelector, EmptyAndColumnRules)
{
    EXPECT_EQ(panel().size(), QSize(100, 50));
    EXPECT_EQ(sel.GetPanelSize(), QSize(100, 50));
    fixedCells(40, 30);
    sel.SetColumns(3);
    sel.SetColumns(0);
    EXPECT_EQ(sel.Columns(), 3) << "0 is refused";
    sel.SetColumns(-2);
    EXPECT_EQ(sel.Columns(), 3);
    sel.SetColumns(1);
    addItems(3);
    EXPECT_EQ(rect(1), (grid::TRect{2, 32, 42, 62}));
    EXPECT_EQ(panel().size(), QSize(44, 94));
}

TEST_F(ItemSelector, CellSizeFromContentAndCaption)
{
    grid::TCustomImageList images(16, 12);
    sel.SetImages(&images);
    sel.Items().Add().SetImageIndex(0);
    sel.UpdateSelectorPanel();
    // Image only: 16 x 12 plus the item offsets of 4.
    EXPECT_EQ(rect(0), (grid::TRect{2, 2, 2 + 24, 2 + 20}));

    sel.Items().Items(0).SetCaption(QStringLiteral("Abc")); // fires the change: a new layout
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    p.setFont(grid::toQFont(sel.ItemAppearance().Font()));
    QSize caption;
    DrawMarkupText(p, QStringLiteral("Abc"), {0, 0, 1000, 500}, &images, false, -1, caption);
    const int cw = caption.width() + 4;
    EXPECT_EQ(rect(0).Width(), 8 + 16 + 4 + cw) << "caption right of the image";
    EXPECT_EQ(rect(0).Height(), std::max(12, caption.height()) + 8);
    sel.SetItemLayout(ilCaptionBottom);
    sel.UpdateSelectorPanel();
    EXPECT_EQ(rect(0).Width(), std::max(cw, 16) + 8);
    EXPECT_EQ(rect(0).Height(), 8 + 12 + 4 + caption.height());
}

// ---- selection, hot mark and lookup ----------------------------------------------------------

TEST_F(ItemSelector, NavigationAndReselection)
{
    addItems(3, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    int selects = 0;
    sel.OnItemSelect = [&](QObject* sender) {
        EXPECT_EQ(sender, &sel);
        ++selects;
    };
    sel.SelectPrevious();
    EXPECT_EQ(sel.ItemIndex(), 0) << "nothing selected: the first";
    sel.SelectLast();
    EXPECT_EQ(sel.ItemIndex(), 2);
    selects = 0;
    sel.SelectNext();
    EXPECT_EQ(sel.ItemIndex(), 2);
    EXPECT_EQ(selects, 0) << "nothing after the last";
    sel.SetItemIndex(2);
    EXPECT_EQ(selects, 1) << "reselecting reports again";
    sel.SetItemIndex(-1);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(sel.ItemIndex(), -1);
    sel.HotNext();
    sel.HotNext();
    EXPECT_EQ(sel.ItemHot(), 1);
    sel.UpdateSelectorPanel();
    EXPECT_EQ(sel.ItemHot(), -1) << "a layout clears the hot mark";
}

TEST_F(ItemSelector, LookupByPlainUpperCasedCaption)
{
    struct Case {
        QStringList captions;
        QString key;
        int want;
    };
    const Case cases[] = {
        {{QStringLiteral("xab"), QStringLiteral("<b>Abc</b>")}, QStringLiteral("AB"), 1},
        {{QStringLiteral("xab"), QStringLiteral("  abc")}, QStringLiteral("AB"), 1},
        {{QStringLiteral("xab")}, QStringLiteral("AB"), -1},
        {{QStringLiteral("abc")}, QStringLiteral("ab"), -1},
        {{QStringLiteral("abc")}, QString(), -1},
    };
    for (const Case& c : cases) {
        TQvCustomItemSelector s;
        for (const QString& cap : c.captions)
            s.Items().Add().SetCaption(cap);
        s.UpdateSelectorPanel();
        EXPECT_EQ(s.LookupItem(c.key), c.want >= 0) << c.key.toStdString();
        EXPECT_EQ(s.ItemIndex(), c.want) << c.key.toStdString();
    }
}

TEST_F(ItemSelector, ThePanelNeedsASelectorAsOwner)
{
    QWidget foreign;
    try {
        TCustomItemSelector panel(&foreign);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid parent");
    }
}

TEST_F(ItemSelector, VisibleItemCount)
{
    EXPECT_EQ(sel.GetVisibleItemCount(), 0);
    fixedCells(40, 30);
    sel.SetColumns(2);
    addItems(20);
    sel.resize(120, 100);
    sel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sel));
    const int rows = (100 - (sel.horizontalScrollBar()->isVisible() ? 20 : 0)) / 30;
    EXPECT_EQ(sel.GetVisibleItemCount(), rows * 2);
    fixedCells(40, 0); // items without height
    sel.UpdateSelectorPanel();
    EXPECT_EQ(sel.GetVisibleItemCount(), 0);
}

TEST_F(ItemSelector, SelectingScrollsTheItemIntoView)
{
    fixedCells(40, 30);
    addItems(10);
    sel.resize(80, 100);
    sel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sel));
    ASSERT_TRUE(sel.verticalScrollBar()->isVisible());
    sel.SetItemIndex(9);
    const int bottom = rect(9).Bottom + panel().y();
    EXPECT_EQ(bottom, sel.viewport()->height()) << "the item's bottom at the view's bottom";
    sel.SelectFirst();
    EXPECT_EQ(panel().y() + rect(0).Top, 0);
}

// ---- painting --------------------------------------------------------------------------------

namespace {

// Solid hot and selected colours, so a pixel tells which state was painted.
void solidLook(TItemAppearance& a)
{
    a.SetColorHot(0x00FF00);
    a.SetColorHotTo(clNone);
    a.SetColorSelected(0x0000FF);
    a.SetColorSelectedTo(clNone);
    a.SetBorderColor(0xFF0000);
    a.SetBorderColorTop(clNone);
}

} // namespace

TEST_F(ItemSelector, SelectedWinsOverHotAndFramesFollowTheLook)
{
    fixedCells(40, 30);
    sel.SetColumns(3);
    sel.SetColor(clWhite);
    solidLook(sel.ItemAppearance());
    addItems(3);
    sel.SetItemIndex(0);
    sel.HotNext();     // item 0 hot as well
    sel.HotNext();     // item 1
    sel.HotPrevious(); // back to 0
    ASSERT_EQ(sel.ItemHot(), 0);
    QImage img = shot(&panel());
    EXPECT_EQ(at(img, 20, 15), 0x0000FFu) << "selected colours";
    EXPECT_EQ(at(img, 2, 2), 0xFF0000u) << "square frame without a top border colour";
    EXPECT_EQ(at(img, 60, 15), clWhite) << "a plain item shows the selector's colour";

    // The hot border stays on a selected item when no selected border is set.
    sel.ItemAppearance().SetBorderColorHot(0x00FFFF);
    img = shot(&panel());
    EXPECT_EQ(at(img, 2, 2), 0x00FFFFu);
    EXPECT_EQ(at(img, 20, 15), 0x0000FFu);
    sel.ItemAppearance().SetBorderColorHot(clNone);

    // With a top border colour the frame is rounded: the corner shows the selector's colour.
    sel.ItemAppearance().SetBorderColorTop(0xF4FEFF);
    sel.ItemAppearance().SetBorderColorBottom(0xCAF8FF);
    sel.ItemAppearance().SetEdgeColor(0xC3D9DF);
    img = shot(&panel());
    EXPECT_EQ(at(img, 2, 2), clWhite);
    EXPECT_EQ(at(img, 20, 2), 0xFF0000u) << "the top line";
    EXPECT_EQ(at(img, 20, 3), 0xF4FEFFu) << "the inner top line";

    // Hot only.
    sel.SetItemIndex(2);
    img = shot(&panel());
    EXPECT_EQ(at(img, 20, 15), 0x00FF00u);
}

TEST_F(ItemSelector, CaptionBelowTheColourBox)
{
    sel.SetSelectorType(stColor);
    sel.SetItemLayout(ilCaptionBottom);
    sel.SetColor(clWhite);
    TSelectorItem& item = sel.Items().Add();
    item.SetColor(0x0000FF);
    item.SetCaption(QStringLiteral("Red"));
    sel.UpdateSelectorPanel();
    const grid::TRect r = rect(0);
    const QImage img = shot(&panel());
    // The 14 x 14 box is centred across and starts at the item's top offset.
    const int boxLeft = r.Left + 4 + (r.Width() - 8 - 14) / 2, boxTop = r.Top + 4;
    EXPECT_EQ(at(img, boxLeft, boxTop), 0u) << "black outline";
    EXPECT_EQ(at(img, boxLeft + 13, boxTop + 13), 0u);
    EXPECT_EQ(at(img, boxLeft + 1, boxTop + 1), 0x0000FFu);
    // The caption is drawn 14 + 4 pixels below the box's top, at the item's left offset.
    const grid::TRect t{r.Left + 4, boxTop + 18, r.Right - 4, r.Bottom - 4};
    QImage want(img.size(), QImage::Format_RGB32);
    want.fill(QColor(Qt::white));
    {
        QPainter p(&want);
        p.setFont(grid::toQFont(sel.ItemAppearance().Font()));
        p.setPen(QColor(Qt::black));
        QSize size;
        DrawMarkupText(p, QStringLiteral("Red"), t, nullptr, true, -1, size);
    }
    const QRect text = t.toQRect();
    EXPECT_EQ(img.copy(text), want.copy(text));
    int inked = 0;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            inked += at(want, x, y) != clWhite;
    EXPECT_GT(inked, 0) << "the caption was drawn at all";
}

// ---- mouse -----------------------------------------------------------------------------------

TEST_F(ItemSelector, MouseMarksHotAndSelects)
{
    fixedCells(40, 30);
    sel.SetColumns(3);
    addItems(3);
    sel.Items().Items(1).SetHint(QStringLiteral("second"));
    sel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sel));
    int selects = 0;
    sel.OnItemSelect = [&](QObject*) { ++selects; };
    QTest::mouseMove(&panel(), QPoint(50, 10));
    EXPECT_EQ(sel.ItemHot(), 1);
    EXPECT_EQ(panel().toolTip(), QStringLiteral("second"));
    QTest::mouseMove(&panel(), QPoint(50, 60));
    EXPECT_EQ(sel.ItemHot(), -1) << "empty space clears the hot mark";
    QTest::mouseClick(&panel(), Qt::LeftButton, {}, QPoint(90, 10));
    EXPECT_EQ(sel.ItemIndex(), 2);
    EXPECT_EQ(selects, 1);
    QTest::mouseClick(&panel(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(sel.ItemIndex(), 0) << "any button selects";
}

// ---- screenshot ------------------------------------------------------------------------------

TEST_F(ItemSelector, ScreenshotWithHotAndSelectedItems)
{
    QWidget window;
    window.setGeometry(60, 60, 260, 160);
    auto* s = new TQvCustomItemSelector(&window);
    s->setGeometry(10, 10, 240, 140);
    s->SetSelectorType(stColor);
    s->SetColumns(2);
    s->SetColor(clWhite);
    const TColor colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    const char* names[] = {"Red", "<b>Green</b>", "Blue", "Yellow"};
    for (int i = 0; i < 4; ++i) {
        TSelectorItem& item = s->Items().Add();
        item.SetColor(colours[i]);
        item.SetCaption(QString::fromLatin1(names[i]));
    }
    s->UpdateSelectorPanel();
    s->SetItemIndex(1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(s->Panel(), QPoint(s->Panel()->GetItemRect(2).Left + 5, s->Panel()->GetItemRect(2).Top + 5));
    ASSERT_EQ(s->ItemHot(), 2);
    QCoreApplication::processEvents();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QImage img = screen->grabWindow(0, 0, 0, 360, 260).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ItemSelector.png")));

    const TItemAppearance& look = s->ItemAppearance();
    const auto global = [&](int index, int dx, int dy) {
        const grid::TRect r = s->Panel()->GetItemRect(index);
        return s->Panel()->mapToGlobal(QPoint(r.Left + dx, r.Top + dy));
    };
    const auto px = [&](QPoint p) { return at(img, p.x(), p.y()); };
    // Office 2007 look: rounded frames, the corner in the selector's colour, the outer line in
    // the border colour, the inner top line below it; the upper half's gradient starts near
    // its first colour, the lower half near the mirror colour.
    const grid::TRect sr = s->Panel()->GetItemRect(1);
    EXPECT_EQ(px(global(1, 0, 0)), clWhite);
    EXPECT_EQ(px(global(1, sr.Width() / 2, 0)), look.BorderColor());
    EXPECT_EQ(px(global(1, sr.Width() / 2, 1)), look.BorderColorTop());
    EXPECT_TRUE(near(px(global(1, sr.Width() - 5, 2)), look.ColorSelected(), 12)) << "the selected gradient's top";
    EXPECT_TRUE(near(px(global(1, sr.Width() - 5, sr.Height() - 4)), look.ColorMirrorSelectedTo(), 12))
        << "the lower half's end";
    EXPECT_TRUE(near(px(global(2, sr.Width() - 5, 2)), look.ColorHot(), 12)) << "the hot gradient's top";
    EXPECT_EQ(px(global(0, 3, 2)), clWhite) << "a plain item";
    // The colour boxes show through.
    EXPECT_EQ(px(global(0, 5, 5)), 0x0000FFu);
}
