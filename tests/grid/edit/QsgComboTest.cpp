#include "grid/edit/QsgCombo.h"
#include "grid/edit/GridCombo.h"

#include "grid/look/QvXPVS.h"
#include "grid/support/FakeEditHost.h"
#include "grid/support/FakeVisualStyles.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;
using grid::test::FakeEditHost;

TEST(QsgCombo, ButtonWidthAndDropWidthLimits)
{
    TQsgComboBox c;
    const int w = c.ButtonWidth();
    for (int bad : {13, 33}) {
        c.SetButtonWidth(bad);
        EXPECT_EQ(c.ButtonWidth(), w);
    }
    for (int good : {14, 32}) {
        c.SetButtonWidth(good);
        EXPECT_EQ(c.ButtonWidth(), good);
    }
    c.SetDropWidth(0);
    EXPECT_EQ(c.DropWidth(), 0);
    c.SetDropWidth(300);
    EXPECT_EQ(c.view()->minimumWidth(), 300);
}

TEST(QsgCombo, SelectItemKeepsTheIndexForAnAbsentText)
{
    TQsgComboBox c;
    c.addItems({"one", "two"});
    c.SelectItem(QStringLiteral("two"));
    EXPECT_EQ(c.currentIndex(), 1);
    c.SelectItem(QStringLiteral("three"));
    EXPECT_EQ(c.currentIndex(), 1);
}

TEST(QsgCombo, LabelStandsWhereItsPositionSays)
{
    QWidget parent;
    auto* c = new TQsgComboBox(&parent);
    c->setGeometry(100, 100, 120, 22);
    c->SetLabelCaption(QStringLiteral("Name"));
    QLabel* l = c->ComboLabel();
    ASSERT_NE(l, nullptr);
    const int w = QFontMetrics(l->font()).boundingRect(QRect(0, 0, 1000, 255), Qt::TextHideMnemonic, "Name").width();
    const int lh = l->height();
    struct Case {
        TLabelPosition pos;
        int left, top;
    };
    const Case cases[] = {
        {lpLeftTop, 100 - w - 4, 100},
        {lpLeftCenter, 100 - w - 4, 100 + (22 - lh) / 2},
        {lpLeftBottom, 100 - w - 4, 100 + 22 - lh},
        {lpTopLeft, 100, 100 - lh - 4},
        {lpBottomLeft, 100, 100 + 22 + 4},
        {lpLeftTopLeft, 96, 100},
        {lpTopCenter, 100 + (120 - l->width()) / 2, 100 - lh - 4},
        {lpRightTop, 224, 100},
        {lpRighBottom, 224, 100 + 22 - lh},
    };
    for (const Case& k : cases) {
        c->SetLabelPosition(k.pos);
        EXPECT_EQ(l->x(), k.left) << k.pos;
        EXPECT_EQ(l->y(), k.top) << k.pos;
    }
    c->SetLabelMargin(10);
    c->SetLabelPosition(lpLeftTopLeft);
    EXPECT_EQ(l->x(), 90);
}

TEST(QsgCombo, LabelFollowsEnabledUnlessAlwaysEnabled)
{
    QWidget parent;
    auto* c = new TQsgComboBox(&parent);
    c->SetLabelCaption(QStringLiteral("L"));
    c->setEnabled(false);
    EXPECT_FALSE(c->ComboLabel()->isEnabled());
    c->setEnabled(true);
    c->SetLabelAlwaysEnabled(true);
    c->setEnabled(false);
    EXPECT_TRUE(c->ComboLabel()->isEnabled());
}

// The label font counts once the box has a font of its own; with the parent's font the label
// follows the box and a written label font is ignored.
TEST(QsgCombo, LabelFontAppliesWhenTheBoxHasItsOwnFont)
{
    QWidget parent;
    QFont parentFont = parent.font();
    parentFont.setPointSize(9);
    parent.setFont(parentFont);
    auto* c = new TQsgComboBox(&parent);
    c->SetLabelCaption(QStringLiteral("Label"));
    QFont big = c->font();
    big.setPointSize(20);
    big.setItalic(true);
    ASSERT_TRUE(c->ParentFont());
    c->SetLabelFont(big);
    EXPECT_NE(c->LabelFont(), big);
    EXPECT_EQ(c->ComboLabel()->font().pointSize(), 9);

    QFont own = c->font();
    own.setPointSize(11);
    c->setFont(own);
    EXPECT_FALSE(c->ParentFont());
    c->SetLabelFont(big);
    EXPECT_EQ(c->LabelFont(), big);
    EXPECT_EQ(c->ComboLabel()->font().pointSize(), 20);
    EXPECT_TRUE(c->ComboLabel()->font().italic());
    // The label grows with its font, so it is placed again by its new size.
    EXPECT_GE(c->ComboLabel()->height(), QFontMetrics(big).height());
}

TEST(QsgCombo, DropUpFiresWhenTheListCloses)
{
    QWidget parent;
    auto* c = new TQsgComboBox(&parent);
    c->addItems({"a", "b"});
    parent.show();
    int ups = 0;
    c->OnDropUp = [&](QObject*) { ++ups; };
    c->showPopup();
    EXPECT_TRUE(c->Dropped());
    c->hidePopup();
    EXPECT_EQ(ups, 1);
    EXPECT_FALSE(c->Dropped());
}

namespace {

struct ComboWindow {
    ComboWindow() : host(&grid)
    {
        auto* lay = new QVBoxLayout(&window);
        lay->addWidget(&grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(400, 300);
        combo = new TGridCombo(&grid, &host);
        host.editor = combo;
        combo->addItems({"Alpha", "Beta", "Gamma"});
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void open(const QString& cellText, bool list)
    {
        host.setCell(cellText);
        host.noEditChange = true;
        combo->setEditable(!list);
        if (list)
            combo->setCurrentIndex(combo->findText(cellText));
        else
            combo->setEditText(cellText);
        combo->setGeometry(10, 10, 120, 22);
        combo->setEnabled(true);
        combo->show();
        grid.setFocus();
        QApplication::processEvents();
        combo->setFocus();
        QApplication::processEvents();
        host.noEditChange = false;
        host.log.clear();
    }
    QWidget window;
    QWidget grid;
    FakeEditHost host;
    QLineEdit* other = nullptr;
    TGridCombo* combo = nullptr;
};

} // namespace

TEST(GridCombo, KeyboardPicksAndEnterStores)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), true);
    QTest::keyClick(w.combo, Qt::Key_Down);
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("Beta"));
    EXPECT_TRUE(w.host.log.contains("ComboChange 1 1 1 Beta"));
    QTest::keyClick(w.combo, Qt::Key_Return);
    EXPECT_EQ(w.host.cell(), QStringLiteral("Beta"));
    EXPECT_TRUE(w.host.log.contains("Validate Beta"));
    EXPECT_TRUE(w.host.log.contains("Done 16777220"));
    EXPECT_FALSE(w.combo->isVisible());
}

TEST(GridCombo, FirstLetterSelectsInTheList)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), true);
    QTest::keyClick(w.combo, Qt::Key_G);
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("Gamma"));
}

TEST(GridCombo, ListStyleRefusesFreeTextEditStyleKeepsIt)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), true);
    QTest::keyClicks(w.combo, QStringLiteral("zz"));
    QTest::keyClick(w.combo, Qt::Key_Return);
    EXPECT_EQ(w.host.cell(), QStringLiteral("Alpha"));

    w.open(QStringLiteral("Alpha"), false);
    w.combo->lineEdit()->selectAll();
    QTest::keyClicks(w.combo, QStringLiteral("free"));
    QTest::keyClick(w.combo, Qt::Key_Return);
    EXPECT_EQ(w.host.cell(), QStringLiteral("free"));
}

TEST(GridCombo, EscapePutsBackTheCellText)
{
    ComboWindow w;
    w.open(QStringLiteral("Beta"), true);
    QTest::keyClick(w.combo, Qt::Key_Down);
    QTest::keyClick(w.combo, Qt::Key_Escape);
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("Beta"));
    EXPECT_EQ(w.host.cell(), QStringLiteral("Beta"));
    EXPECT_FALSE(w.combo->isVisible());
}

TEST(GridCombo, MousePickStoresWhenTheFocusLeaves)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), true);
    w.combo->showPopup();
    QApplication::processEvents();
    QAbstractItemView* v = w.combo->view();
    const QRect r = v->visualRect(v->model()->index(2, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QApplication::processEvents();
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("Gamma"));
    EXPECT_FALSE(w.combo->Dropped());
    w.other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.host.cell(), QStringLiteral("Gamma"));
    EXPECT_TRUE(w.host.log.contains("Hide"));
}

TEST(GridCombo, EnterInTheDroppedListPicksAndStores)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), true);
    w.combo->showPopup();
    QApplication::processEvents();
    QAbstractItemView* v = w.combo->view();
    v->setCurrentIndex(v->model()->index(1, 0));
    QTest::keyClick(v, Qt::Key_Return);
    EXPECT_EQ(w.host.cell(), QStringLiteral("Beta"));
    EXPECT_FALSE(w.combo->isVisible());
}

TEST(GridCombo, RefusedValueKeepsTheComboOpen)
{
    ComboWindow w;
    w.open(QStringLiteral("Alpha"), false);
    w.host.onValidate = [](QString&, bool& valid) { valid = false; };
    w.combo->lineEdit()->selectAll();
    QTest::keyClicks(w.combo, QStringLiteral("bad"));
    QTest::keyPress(w.combo, Qt::Key_Return); // the key-up clears the no-advance mark again
    EXPECT_TRUE(w.combo->isVisible());
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("bad"));
    EXPECT_TRUE(w.host.noAutoAdvance);
}

TEST(GridCombo, WheelStepsThroughTheItems)
{
    ComboWindow w;
    w.open(QStringLiteral("Beta"), true);
    QWheelEvent down(QPointF(5, 5), w.combo->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.combo, &down);
    EXPECT_EQ(w.combo->currentText(), QStringLiteral("Gamma"));
    EXPECT_TRUE(w.host.log.contains("ComboChange 1 1 2 Gamma"));
}

TEST(GridCombo, DropDownWidthFitsTheWidestItem)
{
    ComboWindow w;
    w.combo->resize(40, 22);
    w.combo->addItem(QStringLiteral("A rather long item text"));
    w.combo->SizeDropDownWidth();
    const int tw = QFontMetrics(w.combo->font()).horizontalAdvance("A rather long item text");
    EXPECT_EQ(w.combo->view()->minimumWidth(), tw + 8);
}

TEST(QsgCombo, DisabledFlatBoxShowsTheParentColourUntilEnabled)
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    parent.setPalette(pal);
    auto* c = new TQsgComboBox(&parent);
    c->SetFlatParentColor(false);
    c->SetFlat(true); // takes the loaded colour
    EXPECT_EQ(c->Color(), platform::clWindow);
    c->SetColor(0x00FFFFFF);
    c->setEnabled(false);
    EXPECT_EQ(c->Color(), platform::fromQColor(QColor(0x10, 0x20, 0x30)));
    c->setEnabled(true);
    EXPECT_EQ(c->Color(), TColor(0x00FFFFFF));
}

TEST(GridCombo, EditStyleWalksOutAtTheTextEdges)
{
    ComboWindow w;
    w.host.nav.SetCursorWalkEditor(true);
    w.host.col = 2;
    w.open(QStringLiteral("ab"), false);
    w.combo->lineEdit()->deselect();
    w.combo->lineEdit()->setCursorPosition(1);
    QTest::keyClick(w.combo, Qt::Key_Right); // reaches the end: walks right
    EXPECT_TRUE(w.host.log.contains("Advance 1"));
    EXPECT_TRUE(w.host.log.contains("Show"));
    w.open(QStringLiteral("ab"), true);
    QTest::keyClick(w.combo, Qt::Key_Left); // list style: Left is a closing key instead
    EXPECT_TRUE(w.host.log.contains("GridKeyDown 16777234"));
}

TEST(QsgCombo, ThemedDropButtonStates)
{
    testsupport::FakeVisualStyles styles;
    ReleaseGridThemeApi();
    BindGridThemeApi(styles);
    QWidget parent;
    auto* c = new TQsgComboBox(&parent);
    c->setGeometry(0, 0, 120, 22);
    c->SetButtonWidth(20);
    struct Case {
        bool flat, enabled;
        int state; // 0: nothing themed drawn
    };
    const Case cases[] = {{false, true, 0}, {true, true, 1}, {true, false, 4}};
    for (const Case& k : cases) {
        styles.draws.clear();
        c->SetFlat(k.flat);
        c->setEnabled(k.enabled);
        c->grab();
        if (k.state == 0) {
            EXPECT_TRUE(styles.draws.empty());
            continue;
        }
        ASSERT_EQ(styles.draws.size(), 1u);
        EXPECT_EQ(styles.draws[0].themeClass, QStringLiteral("combobox"));
        EXPECT_EQ(styles.draws[0].part, 1);
        EXPECT_EQ(styles.draws[0].state, k.state);
        EXPECT_EQ(styles.draws[0].rect, QRect(120 - 20 + 3, 1, 20 - 4, 20));
    }
    ReleaseGridThemeApi();
    BindGridThemeApi();
}

TEST(QsgCombo, CustomDropButtonAndFrameByTheCombosRow)
{
    QWidget parent;
    auto* c = new TQsgComboBox(&parent);
    c->setGeometry(0, 0, 120, 22);
    c->SetButtonWidth(20);
    c->ButtonColor = 0xFF0000;     // blue face
    c->ButtonTextColor = 0x00FFFF; // yellow arrow
    c->SetBorderColor(0x0000FF);   // red frame
    const QImage img = c->grab().toImage();
    const int left = 120 - 20 + 3, top = 1; // client width - button width + 2, shrunk by 1
    const QRgb arrow = qRgb(0xFF, 0xFF, 0x00), face = qRgb(0x00, 0x00, 0xFF), red = qRgb(0xFF, 0x00, 0x00);
    EXPECT_EQ(img.pixel(left + 4, top + 7), arrow);
    EXPECT_EQ(img.pixel(left + 10, top + 7), arrow);
    EXPECT_EQ(img.pixel(left + 7, top + 10), arrow);
    EXPECT_EQ(img.pixel(left + 11, top + 7), face) << "the pickers' arrow would reach here";
    EXPECT_EQ(img.pixel(left - 1, top + 1), face) << "the face starts one pixel left of the button";
    for (const QPoint& at : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 21), QPoint(119, 21)})
        EXPECT_EQ(img.pixel(at), red) << at.x() << "," << at.y();
}
