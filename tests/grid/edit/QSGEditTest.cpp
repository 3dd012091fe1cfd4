#include "grid/edit/QSGEdit.h"

#include "grid/support/FakeEditHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace grid;
using grid::test::FakeEditHost;

namespace {

// A window with a grid, the editor over one of its cells, and another control to take the
// focus away.
struct EditorWindow {
    EditorWindow() : host(&grid)
    {
        auto* lay = new QVBoxLayout(&window);
        grid.setParent(&window);
        lay->addWidget(&grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(400, 300);
        editor = new TQvInplaceEdit(&grid, &host);
        host.editor = editor;
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Opens the editor on a cell holding the text, caret at the end.
    void open(const QString& text, TEditorType kind = edNormal)
    {
        grid.setFocus(); // every edit starts from the grid, so the editor gains the focus anew
        QApplication::processEvents();
        host.kind = kind;
        host.setCell(text);
        host.noEditChange = true;
        editor->setText(text);
        editor->LoadContents();
        editor->setGeometry(10, 10, 100, 20);
        editor->show();
        editor->setFocus();
        QApplication::processEvents();
        editor->deselect();
        editor->setCursorPosition(text.size());
        host.log.clear();
    }
    QWidget window;
    TStringGrid grid;
    FakeEditHost host;
    QLineEdit* other = nullptr;
    TQvInplaceEdit* editor = nullptr;
};

struct LocaleGuard {
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST(QSGEdit, CharacterFilterByKind)
{
    struct Case {
        TEditorType kind;
        const char* start;
        int caret;
        const char* typed;
        const char* expected;
        int beeps;
    };
    const Case cases[] = {
        {edNormal, "", 0, "a-1,", "a-1,", 0},
        {edNumeric, "12", 0, "-", "-12", 0},
        {edNumeric, "12", 1, "-", "12", 1},
        {edNumeric, "-12", 0, "-", "-12", 1},
        {edNumeric, "", 0, "1a2", "12", 1},
        {edPositiveNumeric, "", 0, "-5", "5", 1},
        {edPositiveFloat, "", 0, "-1.5", "1.5", 0},
        {edFloat, "1.5", 3, ".", "1.5", 0},
        {edFloat, "1", 1, "x", "1", 0},
        {edFloat, "1", 1, "-", "1", 1},
        {edCapital, "", 0, "ab", "AB", 0},
        {edUpperCase, "", 0, "xY", "XY", 0},
        {edLowerCase, "", 0, "AbC", "abc", 0},
        {edMixedCase, "", 0, "hello world", "Hello World", 0},
    };
    EditorWindow w;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " + " + c.typed);
        w.open(QString::fromLatin1(c.start), c.kind);
        w.editor->setCursorPosition(c.caret);
        w.host.beeps = 0;
        QTest::keyClicks(w.editor, QString::fromLatin1(c.typed));
        EXPECT_EQ(w.editor->text(), QString::fromLatin1(c.expected));
        EXPECT_EQ(w.host.beeps, c.beeps);
        // The cell follows the editor while typing.
        EXPECT_EQ(w.host.cell(), QString::fromLatin1(c.expected));
    }
}

TEST(QSGEdit, FloatSeparatorsOfTheLocale)
{
    LocaleGuard de(QLocale(QLocale::German, QLocale::Germany));
    EditorWindow w;
    w.open(QStringLiteral("1,5"), edFloat);
    QTest::keyClicks(w.editor, QStringLiteral(".,"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("1,5")); // thousand separator and second comma dropped
    EXPECT_EQ(w.host.beeps, 0);
    w.editor->selectAll();
    QTest::keyClicks(w.editor, QStringLiteral("2,"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("2,"));
    w.host.excel = true;
    w.open(QStringLiteral("3"), edFloat);
    QTest::keyClick(w.editor, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(w.editor->text(), QStringLiteral("3,"));
}

TEST(QSGEdit, ValidCharsAndLengthLimit)
{
    EditorWindow w;
    w.host.validChars = QStringLiteral("0123456789ABCDEF");
    w.open(QString(), edValidChars);
    QTest::keyClicks(w.editor, QStringLiteral("1G2"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("12"));
    EXPECT_EQ(w.host.beeps, 1);

    w.host.limit = 3;
    w.open(QStringLiteral("abc"));
    QTest::keyClicks(w.editor, QStringLiteral("d"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("abc"));
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    EXPECT_EQ(w.editor->text(), QStringLiteral("ab"));
    w.host.limit = 0;
}

TEST(QSGEdit, PasteIsCheckedByKind)
{
    struct Case {
        TEditorType kind;
        const char* clip;
        const char* expected;
    };
    const Case cases[] = {
        {edNumeric, "12\r\n", "12"}, {edNumeric, "1\r\n2", ""}, {edPositiveNumeric, "-3", ""},
        {edNumeric, "-3", "-3"},     {edUpperCase, "ab", "AB"}, {edCapital, "ab", "ab"},
    };
    EditorWindow w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip);
        w.open(QString(), c.kind);
        QApplication::clipboard()->setText(QString::fromLatin1(c.clip));
        QTest::keyClick(w.editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.editor->text(), QString::fromLatin1(c.expected));
    }
}

TEST(QSGEdit, PasteEventsMayRefuseOrChangeThePastedText)
{
    EditorWindow w;
    w.open(QString());
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    w.host.onPaste = [](QString&, bool& allow) { allow = false; };
    QTest::keyClick(w.editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.editor->text(), QString());
    w.host.onPaste = [](QString& v, bool&) { v = v.toUpper(); };
    QTest::keyClick(w.editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.editor->text(), QStringLiteral("ABC"));
}

TEST(QSGEdit, EnterValidatesThenMovesOn)
{
    EditorWindow w;
    w.open(QStringLiteral("old"));
    QString seenCell;
    w.host.onValidate = [&](QString&, bool&) { seenCell = w.host.cell(); };
    QTest::keyClicks(w.editor, QStringLiteral("er"));
    QTest::keyClick(w.editor, Qt::Key_Return);
    EXPECT_EQ(seenCell, QStringLiteral("older")); // the cell already holds the typed text
    EXPECT_EQ(w.host.log.filter(QRegularExpression("^(Validate|GridKeyPress)")),
              QStringList({"Validate older", "GridKeyPress 13"}));
}

TEST(QSGEdit, RefusedValueKeepsTheEditorOpen)
{
    struct Case {
        int key;
        const char* handlerValue; // nullptr: the handler leaves the value alone
        const char* shown;
    };
    const Case cases[] = {
        {Qt::Key_Return, nullptr, "12x"},
        {Qt::Key_Return, "fixed", "fixed"},
        {Qt::Key_Tab, nullptr, "12x"},
        {Qt::Key_Down, nullptr, "12x"},
    };
    EditorWindow w;
    w.host.wantsTab = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        w.open(QStringLiteral("12"));
        w.host.onValidate = [&](QString& v, bool& valid) {
            valid = false;
            if (c.handlerValue)
                v = QString::fromLatin1(c.handlerValue);
        };
        QTest::keyClicks(w.editor, QStringLiteral("x"));
        QTest::keyClick(w.editor, Qt::Key(c.key));
        EXPECT_TRUE(w.editor->isVisible());
        EXPECT_EQ(w.editor->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(w.editor->selectedText(), QString::fromLatin1(c.shown)); // all selected
        EXPECT_FALSE(w.host.log.contains("Hide"));
        EXPECT_EQ(w.host.oldText, QStringLiteral("12")); // the next try compares with the old text
    }
}

TEST(QSGEdit, TabAndArrowsLeaveTheEditor)
{
    struct Case {
        bool tabs;
        int key;
        Qt::KeyboardModifiers mods;
        const char* last;
    };
    const Case cases[] = {
        {true, Qt::Key_Tab, Qt::NoModifier, "AdvanceOnTab 0"},
        {true, Qt::Key_Backtab, Qt::ShiftModifier, "AdvanceOnTab 1"},
        {false, Qt::Key_Tab, Qt::NoModifier, "Post 16777217"},
        {false, Qt::Key_Up, Qt::NoModifier, "GridKeyDown 16777235"},
        {false, Qt::Key_PageDown, Qt::NoModifier, "GridKeyDown 16777239"},
    };
    EditorWindow w;
    w.host.wantsTab = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        w.host.tabs = c.tabs;
        w.open(QStringLiteral("a"));
        QTest::keyClicks(w.editor, QStringLiteral("b"));
        QTest::keyClick(w.editor, Qt::Key(c.key), c.mods);
        ASSERT_FALSE(w.host.log.isEmpty());
        EXPECT_EQ(w.host.log.last(), QString::fromLatin1(c.last));
        EXPECT_EQ(w.host.cell(), QStringLiteral("ab"));
    }
}

TEST(QSGEdit, EscapeRestoresTheTextFromBeforeTheEdit)
{
    EditorWindow w;
    w.open(QStringLiteral("before"));
    QTest::keyClicks(w.editor, QStringLiteral("xyz"));
    EXPECT_EQ(w.host.cell(), QStringLiteral("beforexyz"));
    QTest::keyClick(w.editor, Qt::Key_Escape);
    EXPECT_EQ(w.host.cell(), QStringLiteral("before"));
    EXPECT_FALSE(w.editor->isVisible());
}

TEST(QSGEdit, FocusLossValidatesOnlyWhenLeavingTheGrid)
{
    EditorWindow w;
    w.open(QStringLiteral("a"));
    QTest::keyClicks(w.editor, QStringLiteral("b"));
    w.grid.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.host.log.filter("Validate").size(), 0);
    EXPECT_EQ(w.host.log.last(), QStringLiteral("EditDone 1 1"));

    w.open(QStringLiteral("a"));
    QTest::keyClicks(w.editor, QStringLiteral("c"));
    w.other->setFocus();
    QApplication::processEvents();
    const QStringList expected = {"EditChange ac", "Validate ac", "Hide", "EndEdit", "EditDone 1 1"};
    EXPECT_EQ(w.host.log, expected);
    EXPECT_EQ(w.host.cell(), QStringLiteral("ac"));
}

TEST(QSGEdit, LookupCompletesFromTheList)
{
    EditorWindow w;
    w.host.lookup = true;
    w.host.lookupItems = {QStringLiteral("Apple"), QStringLiteral("Apricot")};
    w.open(QString());
    QTest::keyClicks(w.editor, QStringLiteral("Ap"));
    EXPECT_EQ(w.editor->text(), QStringLiteral("Apple"));
    EXPECT_EQ(w.editor->selectedText(), QStringLiteral("ple"));
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    EXPECT_EQ(w.editor->text(), QStringLiteral("Ap"));
}

TEST(QSGEdit, EditSelectAllDecidesTheCaret)
{
    EditorWindow w;
    w.open(QStringLiteral("text"));
    w.editor->PlaceCaret();
    EXPECT_EQ(w.editor->selectedText(), QStringLiteral("text"));
    w.host.nav.SetEditSelectAll(false);
    w.editor->PlaceCaret();
    EXPECT_FALSE(w.editor->hasSelectedText());
    EXPECT_EQ(w.editor->cursorPosition(), 4);
}

TEST(QSGEdit, CursorWalkLeavesAtTheTextEdges)
{
    EditorWindow w;
    w.host.nav.SetCursorWalkEditor(true);
    w.host.col = 2;
    w.open(QStringLiteral("ab"));
    QTest::keyClick(w.editor, Qt::Key_Right); // caret already at the end
    EXPECT_TRUE(w.host.log.contains("Advance 1"));
    w.open(QStringLiteral("ab"));
    w.editor->setCursorPosition(1);
    QTest::keyClick(w.editor, Qt::Key_Left); // to 0: stays inside
    EXPECT_FALSE(w.host.log.contains("Advance 0"));
    QTest::keyClick(w.editor, Qt::Key_Left); // at 0 before and after: walks out
    EXPECT_TRUE(w.host.log.contains("Advance 0"));
}

TEST(QSGEdit, KeyDownHandlerCanTakeAKey)
{
    EditorWindow w;
    w.host.swallowKey = Qt::Key_Return;
    w.open(QStringLiteral("a"));
    QTest::keyClicks(w.editor, QStringLiteral("b"));
    QTest::keyClick(w.editor, Qt::Key_Return);
    EXPECT_TRUE(w.host.log.filter("Validate").isEmpty());
    EXPECT_TRUE(w.editor->isVisible());
    w.host.swallowKey = 0;
}

namespace {

// Opens the editor's context menu and picks its Paste entry, as a user would.
void pasteFromMenu(QLineEdit* editor)
{
    bool found = false;
    QTimer::singleShot(0, [&] {
        const QString pasteKey =
            QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible()) {
                for (QAction* a : m->actions())
                    if (a->text().endsWith(pasteKey)) {
                        found = true;
                        a->trigger();
                    }
                m->close();
            }
    });
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor, &ev);
    EXPECT_TRUE(found);
}

} // namespace

TEST(QSGEdit, MenuPasteIsFilteredAndDropsAreRefused)
{
    EditorWindow w;
    EXPECT_FALSE(w.editor->acceptDrops());
    w.open(QString(), edNumeric);
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    pasteFromMenu(w.editor);
    EXPECT_EQ(w.editor->text(), QString()); // letters refused in a numeric cell
    QApplication::clipboard()->setText(QStringLiteral("42"));
    pasteFromMenu(w.editor);
    EXPECT_EQ(w.editor->text(), QStringLiteral("42"));
    EXPECT_EQ(w.host.cell(), QStringLiteral("42"));
}
