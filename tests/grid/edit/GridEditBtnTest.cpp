// The edit-with-button and unit cell editors driven alone over a stand-in grid: the button's
// ellipsis result, the number filters for typing and pasting, the closing keys and the unit.

#include "grid/edit/GridEditBtn.h"

#include "grid/support/EditorWindow.h"

#include <gtest/gtest.h>

#include <QClipboard>

using namespace grid;
using grid::test::EditorWindow;

namespace {

struct BtnWindow : EditorWindow<TGridEditBtn> {
    void openText(const QString& s, TEditorType kind = edEditBtn)
    {
        host.kind = kind;
        open(s, [&](TGridEditBtn& b) { b.setText(s); });
    }
};

struct UnitWindow : EditorWindow<TGridUnitEditBtn> {
    void openText(const QString& s)
    {
        host.kind = edUnitEditBtn;
        open(s, [&](TGridUnitEditBtn& u) {
            u.SetUnits({QStringLiteral("mm"), QStringLiteral("cm")});
            u.LoadTextAndUnit(s);
        });
    }
};

} // namespace

TEST(GridEditBtn, ButtonClickTakesTheEllipsisResult)
{
    BtnWindow w;
    w.host.onEllipsis = [](const QString& s) { return s + QStringLiteral("!"); };
    w.openText(QStringLiteral("abc"));
    w.editor->ClickButton(w.editor->Button());
    EXPECT_EQ(w.editor->text(), QStringLiteral("abc!"));
    EXPECT_EQ(w.editor->selectedText(), QStringLiteral("abc!"));
    EXPECT_TRUE(w.editor->isVisible()); // the edit goes on

    w.editor->StopEditAfterClick = true;
    w.openText(QStringLiteral("xyz"));
    w.key(Qt::Key_F4); // F4 clicks the button
    EXPECT_EQ(w.host.cell(), QStringLiteral("xyz!"));
    EXPECT_FALSE(w.editor->isVisible());
    EXPECT_TRUE(w.grid->hasFocus());
}

TEST(GridEditBtn, NumberKindsFilterTypedCharacters)
{
    struct Case {
        TEditorType kind;
        QString typed;
        QString expected;
        int beeps;
    };
    const Case cases[] = {
        {edEditBtn, "a-1", "a-1", 0},         {edNumericEditBtn, "-1a2", "-12", 1},
        {edNumericEditBtn, "1-", "1", 1},     // a minus only at the start
        {edFloatEditBtn, "-1.5x", "-1.5", 0}, // outside the float set: dropped silently
        {edFloatEditBtn, "1.2.3", "1.23", 0}, // a second separator is dropped
    };
    for (const Case& c : cases) {
        BtnWindow w;
        w.openText(QString(), c.kind);
        w.type(c.typed);
        EXPECT_EQ(w.editor->text(), c.expected) << c.typed.toStdString();
        EXPECT_EQ(w.host.beeps, c.beeps) << c.typed.toStdString();
    }
}

// Mend: a paste goes through the same length limit and number filters as typing.
TEST(GridEditBtn, PasteFollowsTheTextEditorsRules)
{
    struct Case {
        TEditorType kind;
        int limit;
        QString start;
        QString pasted;
        QString expected;
    };
    const Case cases[] = {
        {edEditBtn, 0, "ab", "cd\r\n", "abcd"},  // a trailing CR LF is dropped
        {edEditBtn, 4, "ab", "cde", "ab"},       // longer than the limit: nothing
        {edNumericEditBtn, 0, "12", "3x", "12"}, // no whole number: nothing
        {edNumericEditBtn, 0, "12", "34", "1234"}, {edFloatEditBtn, 0, "1", ".25", "1.25"},
        {edFloatEditBtn, 0, "1", "e5", "1"},
    };
    for (const Case& c : cases) {
        BtnWindow w;
        w.host.limit = c.limit;
        w.openText(c.start, c.kind);
        w.editor->end(false);
        QApplication::clipboard()->setText(c.pasted);
        w.key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.editor->text(), c.expected) << c.pasted.toStdString();
        if (c.expected != c.start) {
            EXPECT_EQ(w.host.cell(), c.expected); // the cell follows the paste
        }
    }
}

TEST(GridEditBtn, PasteEventsMayRefuseOrChangeThePastedText)
{
    BtnWindow w;
    w.openText(QStringLiteral("a"));
    w.editor->end(false);
    QApplication::clipboard()->setText(QStringLiteral("b"));
    w.host.onPaste = [](QString&, bool& allow) { allow = false; };
    w.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.editor->text(), QStringLiteral("a"));
    w.host.onPaste = [](QString& v, bool&) { v = QStringLiteral("Z"); };
    w.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.editor->text(), QStringLiteral("aZ"));
}

TEST(GridEditBtn, RefusedEnterShowsTheHandlersValueAllSelected)
{
    BtnWindow w;
    w.host.onValidate = [](QString& v, bool& valid) {
        v = QStringLiteral("fixed");
        valid = false;
    };
    w.openText(QStringLiteral("old"), edNumericEditBtn);
    w.editor->end(false);
    w.type(QStringLiteral("1"));
    w.host.kind = edNormal; // what a validation handler may leave behind
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.editor->isVisible());
    EXPECT_EQ(w.editor->text(), QStringLiteral("fixed"));
    EXPECT_EQ(w.editor->selectedText(), QStringLiteral("fixed"));
    EXPECT_EQ(w.host.kind, edNormal);
    EXPECT_TRUE(w.host.noAutoAdvance);
}

TEST(GridEditBtn, EscapePutsTheCacheBackAndOtherKeysReachOnKeyDownFirst)
{
    BtnWindow w;
    w.openText(QStringLiteral("keep"));
    w.host.swallowKey = Qt::Key_X;
    w.type(QStringLiteral("x"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("keep"));
    w.type(QStringLiteral("y"));
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.host.cell(), QStringLiteral("keep"));
    EXPECT_FALSE(w.editor->isVisible());
}

TEST(GridEditBtn, LookupCompletesAndCursorWalkLeavesAtTheEnd)
{
    BtnWindow w;
    w.host.lookup = true;
    w.host.lookupItems = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
    w.openText(QString());
    w.type(QStringLiteral("b"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("beta"));
    EXPECT_EQ(w.editor->selectedText(), QStringLiteral("eta"));

    w.host.nav.SetCursorWalkEditor(true);
    w.openText(QStringLiteral("ab"));
    w.editor->end(false);
    w.key(Qt::Key_Right);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Advance 1")));
    EXPECT_FALSE(w.editor->isVisible());
}

TEST(GridUnitEditBtn, EnterStoresTextAndUnitEscapeTheCell)
{
    UnitWindow w;
    w.openText(QStringLiteral("12cm"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("12"));
    EXPECT_EQ(w.editor->UnitID(), QStringLiteral("cm"));
    w.editor->UnitCommand(1);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("UnitChanged mm")));
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Validate 12mm")));
    EXPECT_EQ(w.editor->UnitID(), QStringLiteral("mm"));

    w.openText(QStringLiteral("7cm"));
    w.editor->UnitCommand(1);
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.editor->text(), QStringLiteral("7"));
    EXPECT_EQ(w.editor->UnitID(), QStringLiteral("cm"));
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Done %1").arg(int(Qt::Key_Escape))));
}

TEST(GridUnitEditBtn, TextWithoutAUnitStaysWhole)
{
    UnitWindow w;
    w.openText(QStringLiteral("12 kg"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("12 kg"));
    EXPECT_TRUE(w.editor->UnitID().isEmpty());
}
