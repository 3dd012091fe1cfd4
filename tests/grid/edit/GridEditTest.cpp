// In-place editing driven the way a user does it: clicks and keys on an offscreen column grid.

#include "grid/QvCGrid.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/QSGEdit.h"
#include "grid/edit/qsgcheck.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

using namespace grid;

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// A window holding a column grid of five columns (text, pick-only combo, editable combo,
// read-only) and a line edit to take the focus away; every editing event is recorded with its
// arguments in the order they arrive.
struct EditWindow {
    EditWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(600, 400);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        TGridColumnCollection& cols = grid->Columns();
        cols[2].SetEditor(edComboList);
        cols[2].SetComboItems({"Alpha", "Beta", "Gamma"});
        cols[3].SetEditor(edComboEdit);
        cols[3].SetComboItems({"Alpha", "Beta", "Gamma"});
        cols[4].SetReadOnly(true);
        grid->OnCanEditCell = [this](TQvStringGrid*, int r, int c, bool&) {
            log << QStringLiteral("CanEdit r%1 c%2").arg(r).arg(c);
        };
        grid->OnGetEditorType = [this](TQvStringGrid*, int c, int r, TEditorType&) {
            log << QStringLiteral("EditorType c%1 r%2").arg(c).arg(r);
        };
        grid->OnCellValidate = [this](TQvStringGrid* g, int c, int r, QString& v, bool& valid) {
            log << QStringLiteral("Validate c%1 r%2 %3 cell=%4").arg(c).arg(r).arg(v, g->Cells(c, r));
            if (refuse)
                valid = false;
            if (!replacement.isEmpty())
                v = replacement;
        };
        grid->OnEditingDone = [this](TQvStringGrid*) { log << QStringLiteral("EditingDone"); };
        grid->OnEditCellDone = [this](TQvStringGrid*, int c, int r) {
            log << QStringLiteral("EditCellDone c%1 r%2").arg(c).arg(r);
        };
        grid->OnComboChange = [this](TQvStringGrid*, int c, int r, int i, const QString& s) {
            log << QStringLiteral("ComboChange c%1 r%2 %3 %4").arg(c).arg(r).arg(i).arg(s);
        };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    QPoint centre(int col, int row) const { return grid->CellRect(col, row).toQRect().center(); }
    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(col, row));
        QApplication::processEvents();
    }
    // Keys go where the user's keys go: to the control that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    }
    void type(const QString& s)
    {
        for (const QChar c : s)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QApplication::processEvents();
    }
    QStringList events(const char* prefixes) const { return log.filter(QRegularExpression(prefixes)); }
    bool textEditorOpen() const { return grid->InplaceEdit() && grid->InplaceEdit()->isVisible(); }

    // Declared before the window: the grid may still report while the window is torn down.
    QStringList log;
    bool refuse = false;
    QString replacement;
    QWidget window;
    TQvColumnGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST(GridEdit, ColumnGridEditsWithEditingOffInOptions)
{
    EditWindow w;
    EXPECT_FALSE(w.grid->Options() & goEditing);
    w.click(1, 3);
    EXPECT_TRUE(w.grid->Options() & goEditing); // the editable column switched it on
    w.type(QStringLiteral("hello"));
    ASSERT_TRUE(w.textEditorOpen());
    EXPECT_EQ(w.grid->InplaceEdit()->text(), QStringLiteral("hello"));
    w.key(Qt::Key_Return);
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_EQ(w.grid->Cells(1, 3), QStringLiteral("hello"));
}

TEST(GridEdit, EnterEventsInOrderWithTheirArgumentOrders)
{
    EditWindow w;
    w.click(1, 3);
    w.log.clear();
    w.type(QStringLiteral("ab"));
    w.key(Qt::Key_Return);
    const QStringList expected = {
        "CanEdit r3 c1",             // row before column
        "EditorType c1 r3",          // column before row
        "Validate c1 r3 ab cell=ab", // the cell already holds the typed text
        "EditingDone",
        "EditCellDone c1 r3", // from the event queue, after the key
    };
    EXPECT_EQ(w.events("^(CanEdit|EditorType|Validate|EditingDone|EditCellDone)").mid(0, 1), expected.mid(0, 1));
    EXPECT_EQ(w.events("^(EditorType|Validate|EditingDone|EditCellDone)"), expected.mid(1));
}

TEST(GridEdit, EditCellDoneArrivesAfterTheClosingInput)
{
    EditWindow w;
    w.click(1, 2);
    w.type(QStringLiteral("x"));
    w.log.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // no event processing yet
    EXPECT_TRUE(w.events("^EditingDone").size() == 1);
    EXPECT_TRUE(w.events("^EditCellDone").isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(w.events("^EditCellDone"), QStringList({"EditCellDone c1 r2"}));
}

TEST(GridEdit, EveryWayOutStoresTheValue)
{
    struct Case {
        const char* name;
        std::function<void(EditWindow&)> leave;
        int col, row; // current cell afterwards
    };
    const Case cases[] = {
        {"Enter", [](EditWindow& w) { w.key(Qt::Key_Return); }, 1, 2},
        {"Tab", [](EditWindow& w) { w.key(Qt::Key_Tab); }, 2, 2},
        {"Down", [](EditWindow& w) { w.key(Qt::Key_Down); }, 1, 3},
        {"Up", [](EditWindow& w) { w.key(Qt::Key_Up); }, 1, 1},
        {"click elsewhere", [](EditWindow& w) { w.click(1, 4); }, 1, 4},
        {"focus elsewhere",
         [](EditWindow& w) {
             w.other->setFocus();
             QApplication::processEvents();
         },
         1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs);
        w.click(1, 2);
        w.type(QStringLiteral("value"));
        w.log.clear();
        c.leave(w);
        EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("value"));
        EXPECT_FALSE(w.textEditorOpen());
        EXPECT_EQ(w.grid->Col(), c.col);
        EXPECT_EQ(w.grid->Row(), c.row);
        EXPECT_EQ(w.events("^Validate"), QStringList({"Validate c1 r2 value cell=value"}));
        EXPECT_EQ(w.events("^EditCellDone"), QStringList({"EditCellDone c1 r2"}));
    }
}

TEST(GridEdit, RefusedValidationKeepsTheEditorWithTheTypedText)
{
    struct Case {
        const char* name;
        std::function<void(EditWindow&)> leave;
    };
    const Case cases[] = {
        {"Enter", [](EditWindow& w) { w.key(Qt::Key_Return); }},
        {"Down", [](EditWindow& w) { w.key(Qt::Key_Down); }},
        {"click elsewhere", [](EditWindow& w) { w.click(1, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow w;
        w.grid->SetCells(1, 2, QStringLiteral("old"));
        w.refuse = true;
        w.click(1, 2);
        w.type(QStringLiteral("bad"));
        c.leave(w);
        ASSERT_TRUE(w.textEditorOpen());
        EXPECT_EQ(w.grid->InplaceEdit()->text(), QStringLiteral("bad"));
        EXPECT_EQ(w.grid->Row(), 2);
        EXPECT_EQ(w.grid->Col(), 1);
        EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("old")); // a refused value is never stored
        // Accepting the next try stores it.
        w.refuse = false;
        w.key(Qt::Key_Return);
        EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("bad"));
    }
}

TEST(GridEdit, CorrectedValueIsStored)
{
    EditWindow w;
    w.replacement = QStringLiteral("CORRECT");
    w.click(1, 1);
    w.type(QStringLiteral("typo"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("CORRECT"));
}

TEST(GridEdit, UnchangedTextIsNotValidated)
{
    EditWindow w;
    w.grid->SetCells(1, 1, QStringLiteral("same"));
    w.click(1, 2);
    w.click(1, 1);
    EXPECT_FALSE(w.textEditorOpen());
    w.click(1, 1); // a second click opens the editor
    ASSERT_TRUE(w.textEditorOpen());
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.events("^Validate").isEmpty());
    w.grid->AlwaysValidate = true;
    w.click(1, 1);
    w.type(QStringLiteral("same"));
    w.grid->InplaceEdit()->setText(QStringLiteral("same"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.events("^Validate").size(), 1);
}

TEST(GridEdit, EscapeRestoresTheCell)
{
    EditWindow w;
    w.grid->SetCells(1, 1, QStringLiteral("keep"));
    w.click(1, 1);
    w.type(QStringLiteral("zzz"));
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("zzz"));
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("keep"));
}

TEST(GridEdit, ReadOnlyColumnAndNoEditorKindStayClosed)
{
    EditWindow w;
    w.click(4, 1);
    w.type(QStringLiteral("x"));
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_TRUE(w.grid->Cells(4, 1).isEmpty());

    w.grid->OnGetEditorType = [](TQvStringGrid*, int, int, TEditorType& e) { e = edNone; };
    w.click(1, 1);
    w.type(QStringLiteral("x"));
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_FALSE(w.grid->EditMode);
    EXPECT_TRUE(w.grid->Cells(1, 1).isEmpty());
}

TEST(GridEdit, PickOnlyComboByKeyboard)
{
    EditWindow w;
    w.grid->SetCells(2, 1, QStringLiteral("Alpha"));
    w.click(2, 1);
    w.click(2, 1);
    TGridCombo* combo = w.grid->EditCombo();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), QStringLiteral("Alpha"));
    EXPECT_TRUE(w.events("^ComboChange").isEmpty()); // its text is an item: no event on opening
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.events("^ComboChange"), QStringList({"ComboChange c2 r1 1 Beta"}));
    w.key(Qt::Key_Return);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(w.grid->Cells(2, 1), QStringLiteral("Beta"));
    EXPECT_EQ(w.events("^Validate"), QStringList({"Validate c2 r1 Beta cell=Beta"}));
    EXPECT_EQ(w.events("^EditCellDone"), QStringList({"EditCellDone c2 r1"}));
}

TEST(GridEdit, TypedLetterOpensTheComboOnItsItem)
{
    EditWindow w;
    w.click(2, 1);
    w.type(QStringLiteral("g"));
    TGridCombo* combo = w.grid->EditCombo();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), QStringLiteral("Gamma"));
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.grid->Cells(2, 1), QStringLiteral("Gamma"));
}

TEST(GridEdit, PickOnlyComboOnAnUnknownTextStartsOnTheFirstItem)
{
    EditWindow w;
    w.grid->SetCells(2, 2, QStringLiteral("unknown"));
    w.click(2, 2);
    w.log.clear();
    w.click(2, 2);
    EXPECT_EQ(w.grid->EditCombo()->currentText(), QStringLiteral("Alpha"));
    EXPECT_EQ(w.events("^ComboChange"), QStringList({"ComboChange c2 r2 0 Alpha"}));
    EXPECT_EQ(w.grid->Cells(2, 2), QStringLiteral("unknown")); // written when the editor closes
}

TEST(GridEdit, PickOnlyComboByMouse)
{
    EditWindow w;
    w.click(2, 3);
    w.click(2, 3);
    TGridCombo* combo = w.grid->EditCombo();
    ASSERT_TRUE(combo->isVisible());
    // A click on the combo's button drops its list. The list takes a release as a pick only
    // after the double-click time; that time is set to nothing here instead of waiting.
    const int dbl = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(0);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 5, combo->height() / 2));
    QApplication::processEvents();
    ASSERT_TRUE(combo->Dropped());
    QAbstractItemView* v = combo->view();
    const QPoint item = v->visualRect(v->model()->index(2, 0)).center();
    QTest::mouseMove(v->viewport(), item);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, item);
    QApplication::setDoubleClickInterval(dbl);
    QApplication::processEvents();
    EXPECT_EQ(combo->currentText(), QStringLiteral("Gamma"));
    w.click(1, 5);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(w.grid->Cells(2, 3), QStringLiteral("Gamma"));
    EXPECT_EQ(w.grid->Row(), 5);
    EXPECT_EQ(w.events("^Validate"), QStringList({"Validate c2 r3 Gamma cell=Gamma"}));
}

TEST(GridEdit, PickOnlyRefusesFreeTextEditableKeepsIt)
{
    EditWindow w;
    w.grid->SetCells(2, 1, QStringLiteral("Beta"));
    w.click(2, 1);
    w.click(2, 1);
    w.type(QStringLiteral("zz"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(2, 1), QStringLiteral("Beta"));

    w.click(3, 1);
    w.type(QStringLiteral("free text"));
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(3, 1), QStringLiteral("free text"));
}

TEST(GridEdit, RefusedComboValueKeepsTheCombo)
{
    EditWindow w;
    w.refuse = true;
    w.click(3, 2);
    w.type(QStringLiteral("nope"));
    w.key(Qt::Key_Return);
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    EXPECT_EQ(w.grid->EditCombo()->currentText(), QStringLiteral("nope"));
    EXPECT_EQ(w.grid->Row(), 2);
}

TEST(GridEdit, EventsCarryTheRealColumnWithAHiddenColumnToTheLeft)
{
    EditWindow w;
    w.grid->HideColumn(1); // displayed column 1 is now real column 2, the pick-only combo
    w.grid->SetCells(2, 1, QStringLiteral("Alpha"));
    w.click(1, 2);
    w.click(1, 1);
    w.log.clear();
    w.type(QStringLiteral("b"));
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(2, 1), QStringLiteral("Beta"));
    EXPECT_EQ(w.events("^(EditorType|Validate|EditCellDone)"),
              QStringList({"EditorType c2 r1", "Validate c2 r1 Beta cell=Beta", "EditCellDone c2 r1"}));
}

namespace {

struct UpperCaseChecker : VAviDadoraVidoRavad {
    QString Correct(int, int, const QString& s) override { return s.toUpper(); }
    QString MarkError(int, int, const QString& s) override
    {
        return QStringLiteral("<e>") + s + QStringLiteral("</e>");
    }
};

} // namespace

TEST(GridEdit, CellCheckerCorrectsBeforeAndMarksAfterValidation)
{
    struct Case {
        bool correct, mark;
        const char* seen;
        const char* stored;
    };
    const Case cases[] = {
        {true, false, "ABC", "ABC"}, {false, true, "abc", "<e>abc</e>"}, {true, true, "ABC", "<e>ABC</e>"}};
    for (const Case& c : cases) {
        EditWindow w;
        UpperCaseChecker checker;
        checker.AutoCorrect = c.correct;
        checker.AutoMarkError = c.mark;
        w.grid->CellChecker = &checker;
        w.click(1, 1);
        w.type(QStringLiteral("abc"));
        w.key(Qt::Key_Return);
        EXPECT_EQ(w.events("^Validate"), QStringList({QStringLiteral("Validate c1 r1 %1 cell=abc").arg(c.seen)}));
        EXPECT_EQ(w.grid->Cells(1, 1), QString::fromLatin1(c.stored));
        w.grid->CellChecker = nullptr;
    }
}

TEST(GridEdit, DataCheckBoxColumnNeverOpensAnEditor)
{
    EditWindow w;
    w.grid->Columns()[1].SetEditor(edDataCheckBox);
    w.grid->SetOptions(w.grid->Options() | goEditing);
    w.click(1, 2);
    w.click(1, 2);
    w.type(QStringLiteral("x"));
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_FALSE(w.grid->EditMode);
    w.grid->ShowInplaceEdit();
    EXPECT_FALSE(w.textEditorOpen());
}

TEST(GridEdit, NoEditorOpensWhileAValidationRuns)
{
    EditWindow w;
    bool openedDuringValidation = true;
    w.grid->OnCellValidate = [&](TQvStringGrid* g, int, int, QString&, bool&) {
        openedDuringValidation = g->AllowEditorShow();
    };
    w.click(1, 2);
    w.type(QStringLiteral("v"));
    w.click(1, 3); // validation in the select decision, the text editor no longer focused
    EXPECT_FALSE(openedDuringValidation);
    EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("v"));
}

TEST(GridEdit, PickOnlyComboWithoutItemsSelectsNothing)
{
    EditWindow w;
    w.grid->Columns()[2].SetComboItems({});
    w.click(2, 2);
    w.log.clear();
    w.click(2, 2);
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    EXPECT_EQ(w.grid->EditCombo()->currentIndex(), -1);
    EXPECT_TRUE(w.events("^ComboChange").isEmpty());
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(2, 2), QString()); // no item selected: the empty text
}

TEST(GridEdit, RefusalShowsTheInvalidEntryTip)
{
    EditWindow w;
    w.grid->InvalidEntryTitle = QStringLiteral("Wrong");
    w.grid->InvalidEntryText = QStringLiteral("Numbers only");
    w.refuse = true;
    w.click(1, 2);
    w.type(QStringLiteral("abc"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Wrong\nNumbers only"));
}

TEST(GridEdit, ColumnEditLengthLimitsTheTextEditor)
{
    EditWindow w;
    w.grid->Columns()[1].SetEditLength(3);
    w.click(1, 2);
    w.type(QStringLiteral("abcdef"));
    EXPECT_EQ(w.grid->InplaceEdit()->text(), QStringLiteral("abc"));
}

TEST(GridEdit, ListComboLeftAndRightMoveTheGridEditComboMovesTheCaret)
{
    EditWindow w;
    w.click(2, 2);
    w.click(2, 2);
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    w.key(Qt::Key_Right);
    EXPECT_FALSE(w.grid->EditCombo()->isVisible());
    EXPECT_EQ(w.grid->Col(), 3);

    w.type(QStringLiteral("ab")); // the editable combo opens on the typed text
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    w.key(Qt::Key_Left);
    EXPECT_TRUE(w.grid->EditCombo()->isVisible());
    EXPECT_EQ(w.grid->EditCombo()->lineEdit()->cursorPosition(), 1);
    EXPECT_EQ(w.grid->Col(), 3);
}

TEST(GridEdit, DirectComboDropOpensTheList)
{
    EditWindow w;
    w.grid->MouseActions().SetDirectComboDrop(true);
    w.click(2, 2);
    w.click(2, 2);
    EXPECT_TRUE(w.grid->EditCombo()->Dropped());
    w.grid->EditCombo()->hidePopup();
}

TEST(GridEdit, EnterAdvancesAndReopensWithAdvanceOnEnter)
{
    EditWindow w;
    w.grid->Navigation().SetAdvanceOnEnter(true);
    w.click(2, 2);
    w.type(QStringLiteral("b"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(2, 2), QStringLiteral("Beta"));
    EXPECT_EQ(w.grid->Col(), 3);
    EXPECT_EQ(w.grid->Row(), 2);
    EXPECT_TRUE(w.grid->EditCombo()->isVisible()); // auto edit opens the next cell's editor
    EXPECT_TRUE(w.grid->EditCombo()->isEditable());
}

TEST(GridEdit, PlainStringGridFollowsItsEditingOptionAndCanEditHook)
{
    QWidget window;
    auto* lay = new QVBoxLayout(&window);
    auto* g = new TQvStringGrid(&window);
    lay->addWidget(g);
    window.resize(500, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    g->setFocus();
    const auto clickAt = [&](int c, int r) {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->CellRect(c, r).toQRect().center());
    };
    clickAt(2, 2);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    EXPECT_FALSE(g->InplaceEdit() && g->InplaceEdit()->isVisible()); // editing off: nothing opens

    g->SetOptions(g->Options() | goEditing);
    g->OnCanEditCell = [](TQvStringGrid*, int r, int, bool& can) { can = r != 3; };
    clickAt(2, 3);
    EXPECT_FALSE(g->Options() & goEditing); // a cell that may not be edited switches editing off
    clickAt(2, 4);
    EXPECT_TRUE(g->Options() & goEditing); // and the next editable one on again
    QTest::keyClicks(g, QStringLiteral("n"));
    for (const QChar c : QStringLiteral("ew"))
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("new"));
}

TEST(GridEdit, GridGoesAwayWithAnEditorOpen)
{
    for (const bool combo : {false, true}) {
        auto w = std::make_unique<EditWindow>();
        w->click(combo ? 2 : 1, 2);
        w->type(QStringLiteral("g"));
        ASSERT_TRUE(combo ? w->grid->EditCombo()->hasFocus() : w->textEditorOpen());
        delete w->grid; // the editor loses the focus while the grid is torn down
        w->grid = nullptr;
        QApplication::processEvents();
        EXPECT_TRUE(true);
    }
}

// Once the grid or its window is being torn down, no validation or edit event reaches a handler:
// the handlers below belong to a window already half gone and fail the test when called.
TEST(GridEdit, NoHandlerRunsWhileTheGridOrItsWindowIsTornDown)
{
    struct Case {
        const char* name;
        bool combo;
        bool wholeWindow;
    };
    const Case cases[] = {{"text editor, grid deleted", false, false},
                          {"combo, grid deleted", true, false},
                          {"text editor, window deleted", false, true},
                          {"combo, window deleted", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A window of a type of its own, as every window of the program is.
        auto window = std::make_unique<QFrame>();
        auto* grid = new TQvColumnGrid(window.get());
        grid->setGeometry(0, 0, 500, 300);
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->Columns()[2].SetEditor(edComboEdit);
        grid->Columns()[2].SetComboItems({"Alpha", "Beta"});
        bool tornDown = false;
        const auto mustNotRun = [&tornDown](const char* event) {
            if (tornDown)
                ADD_FAILURE() << event << " reached its handler during the teardown";
        };
        grid->OnCellValidate = [&](TQvStringGrid*, int, int, QString&, bool&) { mustNotRun("OnCellValidate"); };
        grid->OnEditCellDone = [&](TQvStringGrid*, int, int) { mustNotRun("OnEditCellDone"); };
        grid->OnEditingDone = [&](TQvStringGrid*) { mustNotRun("OnEditingDone"); };
        grid->OnEditChange = [&](TQvStringGrid*, int, int, const QString&) { mustNotRun("OnEditChange"); };
        grid->OnComboChange = [&](TQvStringGrid*, int, int, int, const QString&) { mustNotRun("OnComboChange"); };
        window->resize(520, 320);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(c.combo ? 2 : 1, 1).toQRect().center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("g"));
        QApplication::processEvents();
        ASSERT_TRUE(c.combo ? grid->EditCombo() && grid->EditCombo()->hasFocus()
                            : grid->InplaceEdit() && grid->InplaceEdit()->isVisible());
        tornDown = true;
        if (c.wholeWindow)
            window.reset();
        else
            delete grid;
        QApplication::processEvents();
        window.reset();
    }
}

TEST(GridEdit, CoveredCellOfAMergeLeadsToItsBaseWithoutRangeSelect)
{
    EditWindow w;
    w.grid->MergeCells(1, 2, 2, 1); // columns 1 and 2 of row 2
    w.grid->SetOptions(w.grid->Options() & ~goRangeSelect);
    const TRect merged = w.grid->CellRect(1, 2);
    const QPoint inColumn2(merged.Left + w.grid->ColWidths(1) + 5, (merged.Top + merged.Bottom) / 2);
    w.click(3, 3);
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, inColumn2);
    EXPECT_EQ(w.grid->Col(), 1);
    EXPECT_EQ(w.grid->Row(), 2);
    w.type(QStringLiteral("m"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("m"));

    // With range selection the select decision does not redirect a covered cell (a move by
    // the program shows it); a press there still lands on the base cell, the press's own rule.
    w.grid->SetOptions(w.grid->Options() | goRangeSelect);
    w.grid->FocusCell(2, 2);
    EXPECT_EQ(w.grid->Col(), 2);
    w.click(3, 3);
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, inColumn2);
    EXPECT_EQ(w.grid->Col(), 1);
}

TEST(GridEdit, KeyPressHandlerTakingEnterMovesOnWithTheValueStored)
{
    EditWindow w;
    w.grid->OnKeyPress = [](TStringGrid* g, QChar& key) {
        if (key.unicode() == 13) {
            g->SetCol(g->Col() + 1);
            key = QChar();
        }
    };
    w.click(1, 2);
    w.type(QStringLiteral("jump"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("jump"));
    EXPECT_EQ(w.grid->Col(), 2);
    EXPECT_FALSE(w.textEditorOpen());
    EXPECT_EQ(w.events("^Validate"), QStringList({"Validate c1 r2 jump cell=jump"}));
}

// The same handler on a pick-only combo, its list closed or dropped: the picked item lands in
// the cell whose list was open, and only then does the handler move on. A refused pick keeps
// the handler from seeing the Enter at all.
TEST(GridEdit, KeyPressHandlerTakingEnterAfterAComboPick)
{
    const struct {
        const char* name;
        bool drop;
        bool refuse;
        const char* cell;
        int col;
    } cases[] = {
        {"closed list", false, false, "Beta", 3},
        {"dropped list", true, false, "Beta", 3},
        {"refused pick", false, true, "Alpha", 2},
    };
    for (const auto& c : cases) {
        EditWindow w;
        QStringList seen;
        w.grid->OnKeyPress = [&seen](TStringGrid* g, QChar& key) {
            if (key.unicode() != 13)
                return;
            seen << QStringLiteral("Enter at c%1 cell=%2").arg(g->Col()).arg(g->Cells(g->Col(), g->Row()));
            g->SetCol(g->Col() + 1);
            key = QChar();
        };
        w.grid->SetCells(2, 1, QStringLiteral("Alpha"));
        w.click(2, 1);
        w.click(2, 1);
        TGridCombo* combo = w.grid->EditCombo();
        ASSERT_TRUE(combo->isVisible()) << c.name;
        if (c.drop) {
            w.key(Qt::Key_Down, Qt::AltModifier);
            ASSERT_TRUE(combo->Dropped()) << c.name;
            QTest::keyClick(combo->view(), Qt::Key_Down);
            QTest::keyClick(combo->view(), Qt::Key_Return);
            QApplication::processEvents();
        } else {
            w.key(Qt::Key_Down);
            w.refuse = c.refuse;
            w.key(Qt::Key_Return);
        }
        EXPECT_EQ(w.grid->Cells(2, 1), QLatin1String(c.cell)) << c.name;
        EXPECT_EQ(w.grid->Cells(3, 1), QString()) << c.name;
        EXPECT_EQ(w.grid->Col(), c.col) << c.name;
        EXPECT_EQ(seen, c.refuse ? QStringList() : QStringList({"Enter at c2 cell=Beta"})) << c.name;
    }
}

TEST(GridEdit, DownOnTheLastRowAppendsARowWhenAsked)
{
    EditWindow w;
    w.grid->Navigation().SetAppendOnArrowDown(true);
    const int rows = w.grid->RowCount();
    w.click(2, rows - 1);
    w.click(2, rows - 1);
    ASSERT_TRUE(w.grid->EditCombo()->isVisible());
    w.key(Qt::Key_Down); // a pick-only combo hands Down to the grid: the next item, then
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->RowCount(), rows);
    w.click(3, rows - 1);
    w.type(QStringLiteral("x"));
    w.key(Qt::Key_Down); // an editable combo leaves on Down
    EXPECT_EQ(w.grid->Cells(3, rows - 1), QStringLiteral("x"));
    EXPECT_EQ(w.grid->RowCount(), rows + 1);
    EXPECT_EQ(w.grid->Row(), rows);
}

TEST(GridEdit, AlwaysEditOpensTheEditorWhenTheGridGetsTheFocus)
{
    EditWindow w;
    w.grid->Navigation().SetAlwaysEdit(true);
    w.click(1, 2);
    w.type(QStringLiteral("a"));
    w.key(Qt::Key_Return);
    w.other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(w.textEditorOpen());
    w.grid->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(w.textEditorOpen());
}

TEST(GridEdit, EnteringTheGridRenewsTheRememberedValue)
{
    EditWindow w;
    w.click(1, 2);
    w.other->setFocus();
    QApplication::processEvents();
    w.grid->SetCells(1, 2, QStringLiteral("set by the program"));
    w.grid->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(w.grid->FOldCellText, QStringLiteral("set by the program"));
}

TEST(GridEdit, DoubleClickInTheTextEditorReportsTheCell)
{
    EditWindow w;
    QStringList clicks;
    w.grid->OnDblClickCell = [&](TQvStringGrid*, int r, int c) { clicks << QStringLiteral("r%1 c%2").arg(r).arg(c); };
    w.click(1, 3);
    w.type(QStringLiteral("word"));
    ASSERT_TRUE(w.textEditorOpen());
    clicks.clear();
    QTest::mouseDClick(w.grid->InplaceEdit(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, QStringList({"r3 c1"}));
}

TEST(GridEdit, DirectEditAndDropReportTheSelectionWhenTheComboOpens)
{
    EditWindow w;
    int reports = 0;
    w.grid->OnSelectionChanged = [&](TQvStringGrid*, int, int, int, int) { ++reports; };
    w.click(2, 2);
    w.grid->MouseActions().SetDirectEdit(true);
    w.grid->MouseActions().SetDirectComboDrop(true);
    reports = 0;
    w.grid->ShowInplaceEdit();
    ASSERT_TRUE(w.grid->EditCombo()->Dropped());
    EXPECT_GE(reports, 1);
    w.grid->EditCombo()->hidePopup();
}

TEST(GridEdit, AcceptedEditIsRecordedForUndo)
{
    EditWindow w;
    VOreRizeZuvuZira history;
    w.grid->SetUndoRedo(&history);
    w.grid->SetCells(1, 2, QStringLiteral("before"));
    w.click(1, 2);
    w.type(QStringLiteral("after"));
    w.key(Qt::Key_Return);
    ASSERT_EQ(history.Items().size(), 1u);
    EXPECT_EQ(history.Items()[0].Col, 1);
    EXPECT_EQ(history.Items()[0].Row, 2);
    EXPECT_EQ(history.Items()[0].Value, QStringLiteral("after"));
    EXPECT_EQ(history.Items()[0].OrigValue, QStringLiteral("before"));
    history.Undo();
    EXPECT_EQ(w.grid->Cells(1, 2), QStringLiteral("before"));
    w.grid->SetUndoRedo(nullptr);
}

TEST(GridEdit, ComboEditEventsInOrderWithTheirArgumentOrders)
{
    EditWindow w;
    w.grid->OnGetEditorProp = [&](TQvStringGrid*, int c, int r, void*) {
        w.log << QStringLiteral("EditorProp c%1 r%2").arg(c).arg(r);
    };
    w.grid->OnEditChange = [&](TQvStringGrid*, int c, int r, const QString& v) {
        w.log << QStringLiteral("EditChange c%1 r%2 %3").arg(c).arg(r).arg(v);
    };
    w.grid->SetCells(2, 3, QStringLiteral("Alpha"));
    w.click(2, 3);
    w.log.clear();
    w.click(2, 3);
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Return);
    const QStringList expected = {
        "CanEdit r3 c2",    // row before column
        "EditorType c2 r3", // column before row, as every event below
        "EditorProp c2 r3", "EditChange c2 r3 Beta", "ComboChange c2 r3 1 Beta", "Validate c2 r3 Beta cell=Beta",
        "EditingDone",      "EditCellDone c2 r3",
    };
    const QStringList got =
        w.events("^(CanEdit|EditorType|EditorProp|EditChange|ComboChange|Validate|EditingDone|EditCellDone)");
    ASSERT_FALSE(got.isEmpty());
    EXPECT_EQ(got.first(), expected.first());
    EXPECT_EQ(got.filter(QRegularExpression("^(?!CanEdit)")), expected.mid(1));
}

// With real row 1 and real column 1 hidden, an edit of displayed cell (4, 3) is real cell
// (5, 4): the events name the real column and the displayed row they address cells by, the
// modified mark and the undo history name the real row and column.
TEST(GridEdit, HiddenRowAboveAndColumnLeftNameTheRealRowAndColumn)
{
    EditWindow w;
    w.grid->SetColCount(6);
    w.grid->Columns()[5].SetReadOnly(false); // real column 5: a text column
    VOreRizeZuvuZira history;
    w.grid->SetUndoRedo(&history);
    w.grid->PaintSettings().ShowModified.Enabled = true;
    w.grid->SetCells(5, 4, QStringLiteral("before"));
    w.grid->HideColumn(1);
    w.grid->HideRow(1);
    ASSERT_EQ(w.grid->RealColIndex(4), 5);
    ASSERT_EQ(w.grid->RealRowIndex(3), 4);
    ASSERT_EQ(w.grid->Cells(5, 3), QStringLiteral("before"));
    w.click(4, 3);
    w.log.clear();
    w.type(QStringLiteral("after"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.events("^(Validate|EditCellDone)"),
              QStringList({"Validate c5 r3 after cell=after", "EditCellDone c5 r3"}));
    EXPECT_EQ(w.grid->GetCellsEx(5, 4), QStringLiteral("after"));
    EXPECT_TRUE(w.grid->GetRowModified(4));
    EXPECT_FALSE(w.grid->GetRowModified(3));
    EXPECT_EQ(w.grid->ModifiedRowCount(), 1);
    ASSERT_EQ(history.Items().size(), 1u);
    EXPECT_EQ(history.Items()[0].Col, 5);
    EXPECT_EQ(history.Items()[0].Row, 4);

    // Undo finds the edited cell by its real row even after the rows above changed.
    w.grid->UnHideRow(1);
    history.Undo();
    EXPECT_EQ(w.grid->Cells(5, 4), QStringLiteral("before"));
    EXPECT_EQ(w.grid->Col(), 4);
    EXPECT_EQ(w.grid->Row(), 4);
    history.Redo();
    EXPECT_EQ(w.grid->Cells(5, 4), QStringLiteral("after"));
    w.grid->HideRow(4);
    history.Undo();
    EXPECT_EQ(w.grid->GetCellsEx(5, 4), QStringLiteral("before"));
    EXPECT_EQ(w.grid->Cells(5, 4), QString());
    w.grid->SetUndoRedo(nullptr);
}
