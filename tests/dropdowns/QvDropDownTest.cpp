// The drop-down edit's construction, layout, label, settings and clipboard, driven through its
// public members and the keys and clicks a user gives.

#include "dropdowns/QvDropDown.h"
#include "support/TestDropDown.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::FakeDesktop;
using testsupport::TestDropDown;

namespace {

class DropDownEdit : public ::testing::Test {
protected:
    // Shown (and the controls shown in it), so resizes and moves reach the controls at once.
    void SetUp() override
    {
        parent.resize(600, 400);
        parent.show();
    }
    FakeDesktop desktop;
    QWidget parent;
};

// Records the key events a widget receives.
class KeyRecorder : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<std::pair<QEvent::Type, int>> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.emplace_back(e->type(), e->key()); }
    void keyReleaseEvent(QKeyEvent* e) override { keys.emplace_back(e->type(), e->key()); }
};

} // namespace

// ---- construction ----------------------------------------------------------------------------

TEST_F(DropDownEdit, ConstructionReachesThePickersOverrides)
{
    TestDropDown dd(&parent, &desktop);
    EXPECT_EQ(dd.createdForms, 1);
    EXPECT_TRUE(dd.constructedText.isEmpty()) << "the empty text went through the picker's setter";
    ASSERT_NE(dd.panel, nullptr);
    EXPECT_EQ(dd.panel->parentWidget(), dd.DropDownForm());
    EXPECT_EQ(dd.size(), QSize(200, 21));
    EXPECT_EQ(dd.GetComponentStyle(), grid::tsOffice2007Luna);
    EXPECT_EQ(dd.SelectionColorStyle(), scOffice2007);
    EXPECT_TRUE(dd.DefaultHandling());
    EXPECT_TRUE(dd.CanUndo());
    EXPECT_FALSE(dd.DroppedDown());
}

TEST_F(DropDownEdit, VersionReadsFromTheVersionNumber)
{
    TestDropDown dd(&parent, &desktop);
    EXPECT_EQ(dd.Version(), QStringLiteral("1.2.3.4"));
    dd.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(dd.Version(), QStringLiteral("1.2.3.4"));
}

// ---- layout ----------------------------------------------------------------------------------

TEST_F(DropDownEdit, ButtonShows16PixelsWhileTheWidthReads17)
{
    TestDropDown dd(&parent, &desktop);
    dd.show();
    EXPECT_EQ(dd.DropDownButtonWidth(), 17);
    EXPECT_EQ(dd.Button()->width(), 16);
    dd.SetDropDownButtonWidth(17);
    EXPECT_EQ(dd.Button()->width(), 16) << "an unchanged value changes nothing";
    dd.SetDropDownButtonWidth(18);
    EXPECT_EQ(dd.Button()->width(), 18);
    EXPECT_EQ(dd.DropDownButtonWidth(), 18);
    // Whatever the host is given, it keeps its width.
    dd.Button()->resize(40, dd.Button()->height());
    EXPECT_EQ(dd.Button()->width(), 18);
}

TEST_F(DropDownEdit, ButtonAtTheRightEdgeOverTheClientHeight)
{
    TestDropDown dd(&parent, &desktop);
    dd.show();
    dd.resize(150, 24);
    // 3-D single border: two pixels of client edge on each side.
    EXPECT_EQ(dd.Button()->geometry(), QRect(150 - 16 - 2, 2, 16, 24 - 4));
    EXPECT_EQ(dd.EditRect(), (grid::TRect{1, 1, 150 - 4 - 16 - 3, 24 - 4 + 1}));
    dd.SetFlat(true);
    EXPECT_EQ(dd.Button()->geometry(), QRect(150 - 16 - 3 + 2, 2 + 2, 16, 24 - 3));
}

TEST_F(DropDownEdit, MinimumHeightAddsAQuarterOfTheSmallerFont)
{
    TestDropDown dd(&parent, &desktop);
    const int s = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
    for (const int pixelSize : {6, 11, 20, 40}) {
        QFont f = dd.font();
        f.setPixelSize(pixelSize);
        dd.setFont(f);
        const int h = QFontMetrics(f).height();
        EXPECT_EQ(dd.MinimumHeight(), h + std::min(h, s) / 4) << pixelSize;
    }
}

TEST_F(DropDownEdit, TooLowIsRaisedAndTheButtonKeepsTheInnerHeight)
{
    TestDropDown dd(&parent, &desktop);
    dd.show();
    QFont f = dd.font();
    f.setPixelSize(30);
    dd.setFont(f);
    dd.resize(200, 10);
    EXPECT_EQ(dd.height(), dd.MinimumHeight());
    EXPECT_EQ(dd.Button()->height(), dd.height() - 4);
}

// ---- label -----------------------------------------------------------------------------------

TEST_F(DropDownEdit, LabelPlacedAtEachOfTheFifteenPositions)
{
    TestDropDown dd(&parent, &desktop);
    dd.show();
    dd.setGeometry(100, 50, 200, 21);
    dd.SetLabelCaption(QStringLiteral("Baud rate"));
    dd.SetLabelMargin(4);
    QLabel* label = dd.EditLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &parent);
    const int L = 100, T = 50, W = 200, H = 21, m = 4;
    const int lw = label->width(), lh = label->height();
    const int w =
        QFontMetrics(label->font()).boundingRect(QRect(0, 0, 1000, 255), Qt::TextHideMnemonic, label->text()).width();
    const int vc = T + (H - lh) / 2, hc = L + (W - lw) / 2;
    struct Case {
        TLabelPosition position;
        int top, left;
    };
    const Case cases[] = {
        {lpLeftTop, T, L - w - m},
        {lpLeftCenter, vc, L - w - m},
        {lpLeftBottom, T + H - lh, L - w - m},
        {lpTopLeft, T - lh - m, L},
        {lpBottomLeft, T + H + m, L},
        {lpLeftTopLeft, T, L - m},
        {lpLeftCenterLeft, vc, L - m},
        {lpLeftBottomLeft, T + H - lh, L - m},
        {lpTopCenter, T - lh - m, hc},
        {lpBottomCenter, T + H + m, hc},
        {lpRightTop, T, L + W + m},
        {lpRightCenter, vc, L + W + m},
        {lpRighBottom, T + H - lh, L + W + m},
        {lpTopRight, T - lh - m, L + W - lw},
        {lpBottomRight, T + H + m, L + W - lw},
    };
    ASSERT_EQ(std::size(cases), std::size_t(kLabelPositionCount));
    for (const Case& c : cases) {
        dd.SetLabelPosition(c.position);
        EXPECT_EQ(label->pos(), QPoint(c.left, c.top)) << int(c.position);
    }
    // The label moves with the edit.
    dd.SetLabelPosition(lpTopLeft);
    dd.move(20, 80);
    EXPECT_EQ(label->pos(), QPoint(20, 80 - lh - m));
}

TEST_F(DropDownEdit, LabelClicksReachTheEvents)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetLabelCaption(QStringLiteral("Port"));
    int clicks = 0, doubles = 0;
    dd.OnLabelClick = [&](QObject*) { ++clicks; };
    dd.OnLabelDblClick = [&](QObject*) { ++doubles; };
    QTest::mouseClick(dd.EditLabel(), Qt::LeftButton);
    QTest::mouseDClick(dd.EditLabel(), Qt::LeftButton);
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(doubles, 1);
}

// ---- value -----------------------------------------------------------------------------------

TEST_F(DropDownEdit, TextLeavesPrefixAndSuffixOut)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetPrefix(QStringLiteral("$"));
    dd.SetSuffix(QStringLiteral(" kg"));
    dd.SetText(QStringLiteral("12"));
    EXPECT_EQ(dd.QLineEdit::text(), QStringLiteral("$12 kg"));
    EXPECT_EQ(dd.Text(), QStringLiteral("12"));
    dd.SelectAll();
    EXPECT_EQ(dd.selectionStart(), 1);
    EXPECT_EQ(dd.selectedText(), QStringLiteral("12"));
}

TEST_F(DropDownEdit, EmptyNumberShowsZeroAndHexIsUpperCase)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetEditType(etNumeric);
    dd.SetText(QString());
    EXPECT_EQ(dd.Text(), QStringLiteral("0"));
    dd.SetEditType(etHex);
    dd.SetText(QStringLiteral("1f"));
    EXPECT_EQ(dd.Text(), QStringLiteral("1F"));
}

TEST_F(DropDownEdit, RawTextIsNotWhatACancelRestores)
{
    testsupport::DropDownWindow w(desktop);
    w.dd->SetPrefix(QStringLiteral("#"));
    w.dd->SetText(QStringLiteral("7"));
    w.dd->ShowDropDown();
    w.dd->SetRawText(QStringLiteral("#9"));
    EXPECT_EQ(w.dd->Text(), QStringLiteral("9"));
    w.dd->HideDropDown(true);
    EXPECT_EQ(w.dd->QLineEdit::text(), QStringLiteral("#7"));
}

// ---- taking settings -------------------------------------------------------------------------

TEST_F(DropDownEdit, AssignFromAnotherDropDownCopiesItsSettings)
{
    TestDropDown source(&parent, &desktop), target(&parent, &desktop);
    source.SetDropDownColor(0x123456);
    source.SetDropDownWidth(222);
    source.SetDropPosition(dpUp);
    source.SetPrefix(QStringLiteral("<"));
    source.SetEditorEnabled(false);
    source.SetDropDownButtonWidth(20);
    source.SetDropDownButtonHint(QStringLiteral("Open"));
    source.DropDownHeader().SetCaption(QStringLiteral("<b>Pick</b>"));
    target.Assign(&source);
    EXPECT_EQ(target.DropDownColor(), 0x123456u);
    EXPECT_EQ(target.DropDownWidth(), 222);
    EXPECT_EQ(target.DropPosition(), dpUp);
    EXPECT_EQ(target.Prefix(), QStringLiteral("<"));
    EXPECT_FALSE(target.EditorEnabled());
    EXPECT_EQ(target.Button()->width(), 20);
    EXPECT_EQ(target.Button()->toolTip(), QStringLiteral("Open"));
    EXPECT_EQ(target.DropDownHeader().Caption(), QStringLiteral("<b>Pick</b>"));
}

TEST_F(DropDownEdit, AssignFromAnythingElseChangesNothing)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetDropDownColor(0x010203);
    QLineEdit plain;
    plain.setText(QStringLiteral("other"));
    dd.Assign(&plain);
    dd.Assign(nullptr);
    EXPECT_EQ(dd.DropDownColor(), 0x010203u);
    EXPECT_EQ(dd.Text(), QString());
}

// ---- clipboard -------------------------------------------------------------------------------

TEST_F(DropDownEdit, CutFiresNoCopyEvent)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetPrefix(QStringLiteral("["));
    dd.SetText(QStringLiteral("alpha"));
    std::vector<QString> cuts, copies;
    dd.OnClipboardCut = [&](QObject*, const QString& v, bool&) { cuts.push_back(v); };
    dd.OnClipboardCopy = [&](QObject*, const QString& v, bool&) { copies.push_back(v); };
    dd.setSelection(2, 3); // "lph"
    dd.WMCut();
    EXPECT_EQ(cuts, std::vector<QString>{QStringLiteral("lph")});
    EXPECT_TRUE(copies.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("lph"));
    EXPECT_EQ(dd.Text(), QStringLiteral("aa"));

    dd.setSelection(1, 2);
    dd.WMCopy();
    EXPECT_EQ(copies, std::vector<QString>{QStringLiteral("aa")});
}

TEST_F(DropDownEdit, RefusedCopyLeavesTheClipboard)
{
    TestDropDown dd(&parent, &desktop);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    dd.SetText(QStringLiteral("secret"));
    dd.OnClipboardCopy = [](QObject*, const QString&, bool& allow) { allow = false; };
    dd.setSelection(0, 6);
    QTest::keyClick(&dd, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(DropDownEdit, PasteOffersThePredictedTextAndSelectsWhatReplacedASelection)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetText(QStringLiteral("abcdef"));
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    QString offered;
    dd.OnClipboardPaste = [&](QObject*, const QString& v, bool&) { offered = v; };
    dd.setSelection(2, 2);
    QTest::keyClick(&dd, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(offered, QStringLiteral("abXYef"));
    EXPECT_EQ(dd.Text(), QStringLiteral("abXYef"));
    EXPECT_EQ(dd.selectedText(), QStringLiteral("XY"));
    EXPECT_TRUE(dd.IsModified());

    dd.OnClipboardPaste = [](QObject*, const QString&, bool& allow) { allow = false; };
    dd.setCursorPosition(0);
    dd.WMPaste();
    EXPECT_EQ(dd.Text(), QStringLiteral("abXYef"));
}

// ---- the window system's special-key query ---------------------------------------------------

TEST_F(DropDownEdit, NoSpecialKeyAnswerWithoutAParentForm)
{
    TestDropDown dd(nullptr, &desktop);
    dd.SetText(QStringLiteral("value"));
    dd.setCursorPosition(2);
    int key = Qt::Key_Escape;
    EXPECT_EQ(dd.CMWantSpecialKey(key), 0);
    EXPECT_EQ(key, int(Qt::Key_Escape)) << "nothing happened at all";
    EXPECT_FALSE(dd.hasSelectedText());
}

TEST_F(DropDownEdit, EscapeSelectsTheValueAndIsPostedToTheParent)
{
    KeyRecorder host;
    TestDropDown dd(&host, &desktop);
    dd.SetText(QStringLiteral("value"));
    dd.setCursorPosition(2);
    int key = Qt::Key_Escape;
    EXPECT_EQ(dd.CMWantSpecialKey(key), 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(dd.selectedText(), QStringLiteral("value"));
    QCoreApplication::processEvents();
    const std::vector<std::pair<QEvent::Type, int>> expected{{QEvent::KeyPress, Qt::Key_Escape},
                                                             {QEvent::KeyRelease, Qt::Key_Escape}};
    EXPECT_EQ(host.keys, expected);

    // Without DefaultHandling nothing is posted; without CanUndo an open popup keeps Escape.
    host.keys.clear();
    dd.SetDefaultHandling(false);
    key = Qt::Key_Escape;
    dd.CMWantSpecialKey(key);
    QCoreApplication::processEvents();
    EXPECT_TRUE(host.keys.empty());
}

TEST_F(DropDownEdit, OpenPopupKeepsEscapeWhenUndoIsOff)
{
    testsupport::DropDownWindow w(desktop);
    w.dd->SetCanUndo(false);
    int key = Qt::Key_Escape;
    EXPECT_EQ(w.dd->CMWantSpecialKey(key), 0);
    w.dd->ShowDropDown();
    key = Qt::Key_Escape;
    EXPECT_EQ(w.dd->CMWantSpecialKey(key), 1);
}

// ---- a pure picker ---------------------------------------------------------------------------

TEST_F(DropDownEdit, PurePickerTakesNoCharacters)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetText(QStringLiteral("keep"));
    dd.SetEditorEnabled(false);
    QTest::keyClicks(&dd, QStringLiteral("xyz"));
    EXPECT_EQ(dd.Text(), QStringLiteral("keep"));
}
