// The special editors inside a real column grid, driven with clicks and keys: each kind opens
// over its cell loaded with the cell's value, hands the keys back to the grid under the
// validation rules, and stores its value.

#include "grid/QvCGrid.h"
#include "grid/edit/GridButtons.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridSpin.h"
#include "grid/support/GridTestHelpers.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

// One column per special kind, a text column at the end, a line edit to take the focus away.
enum Column { cSpin = 1, cEditBtn, cUnit, cCheck, cButton, cDate, cTime, cDateTime, cText, kColumns };

const TEditorType kKinds[kColumns] = {edNormal, edSpinEdit, edEditBtn,  edUnitEditBtn,  edCheckBox,
                                      edButton, edDateEdit, edTimeEdit, edDateTimeEdit, edNormal};

struct KindWindow {
    KindWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(1100, 300);
        grid->SetColCount(kColumns);
        grid->SetRowCount(6);
        for (int c = 1; c < kColumns; ++c) {
            grid->Columns()[c].SetEditor(kKinds[c]);
            grid->SetColWidths(c, 100);
        }
        grid->SetColWidths(cDateTime, 190); // the date and the companion time picker beside it
        grid->Columns()[cSpin].SetSpinMin(0);
        grid->Columns()[cSpin].SetSpinMax(100);
        grid->Columns()[cSpin].SetSpinStep(10);
        grid->OnGetEditorProp = [this](TQvStringGrid* g, int c, int r, void*) {
            log << QStringLiteral("EditorProp c%1 r%2").arg(c).arg(r);
            if (c == cUnit)
                g->UnitEditBtn()->SetUnits({QStringLiteral("mm"), QStringLiteral("cm")});
        };
        grid->OnCellValidate = [this](TQvStringGrid*, int c, int r, QString& v, bool& valid) {
            log << QStringLiteral("Validate c%1 r%2 %3").arg(c).arg(r).arg(v);
            if (refuse)
                valid = false;
        };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }

    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).toQRect().center());
        QApplication::processEvents();
    }
    // Makes the cell current and opens its editor as F2 does.
    void open(int col, int row)
    {
        click(col, row);
        if (!grid->EditMode) // a click on the current cell opens it already
            grid->ShowInplaceEdit();
        QApplication::processEvents();
    }
    void key(int k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
        QApplication::processEvents();
    }
    QWidget* editor() const { return grid->EditCtrl; }
    bool anyEditorOpen() const
    {
        for (QWidget* w : grid->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w != grid->InplaceEdit() && !w->inherits("QScrollBar"))
                return true;
        return false;
    }

    grid::test::DefaultLocale locale{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    QStringList log;
    bool refuse = false;
    QWidget window;
    TQvColumnGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

// The value each kind's editor opens on (O) and the value put into it before the key (M).
struct KindValues {
    QString O, M;
};

KindValues valuesOf(int col)
{
    switch (col) {
    case cSpin:
        return {"50", "70"};
    case cEditBtn:
        return {"ab", "abc"};
    case cUnit:
        return {"5cm", "7cm"};
    case cCheck:
        return {"cap", "cap"}; // the check-box editor writes nothing
    case cButton:
        return {"Go", "Go"}; // nor does the button without a click
    case cDate:
        return {"03/02/2001", "04/02/2001"};
    case cTime:
        return {"10:20:30", "11:20:30"};
    default:
        return {"03/02/2001 10:20", "04/02/2001 10:20"};
    }
}

void changeEditor(TQvStringGrid* g, int col)
{
    switch (col) {
    case cSpin:
        g->SpinEdit()->SetValue(70);
        break;
    case cEditBtn:
        g->EditBtn()->setText("abc");
        break;
    case cUnit:
        g->UnitEditBtn()->setText("7");
        break;
    case cDate:
        g->GetEditDate()->platform::TDateTimePicker::SetDateTime(QDateTime(QDate(2001, 2, 4), QTime(0, 0), Qt::UTC));
        break;
    case cTime:
        g->GetEditDate()->platform::TDateTimePicker::SetDateTime(
            QDateTime(QDate(2001, 2, 4), QTime(11, 20, 30), Qt::UTC));
        break;
    case cDateTime:
        g->DateAndTimePicker()->SetDate(QDateTimeToDateTime(QDateTime(QDate(2001, 2, 4), QTime(0, 0), Qt::UTC)));
        break;
    default:
        break;
    }
}

enum Option { None = 0, Tabs = 1, AdvanceOnEnter = 2, WalkEditor = 4 };

struct KeyCase {
    int col;
    int key;
    Qt::KeyboardModifiers mods;
    int options;
    int open; // editor open afterwards: 1, 0, or -1 when the grid's own navigation decides
    int toCol, toRow;
    char stored; // 'O' the opening value, 'M' the changed one
};

constexpr Qt::KeyboardModifiers S = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers N = Qt::NoModifier;
enum Keys : int {
    Tab = Qt::Key_Tab,
    Ret = Qt::Key_Return,
    Esc = Qt::Key_Escape,
    Up = Qt::Key_Up,
    Dn = Qt::Key_Down,
    Lt = Qt::Key_Left,
    Rt = Qt::Key_Right,
    PU = Qt::Key_PageUp,
    PD = Qt::Key_PageDown,
    Hm = Qt::Key_Home,
    En = Qt::Key_End
};

// The window validates cells (OnCellValidate), so the grid wants Tab even without goTabs; the
// grid advances left to right.
const KeyCase kKeyCases[] = {
    // Spin: Tab is its own only with goTabs; Up and Down close; the page keys step in place.
    {cSpin, Tab, N, None, 0, cSpin, 2, 'M'},
    {cSpin, Tab, S, None, 0, cSpin, 2, 'M'},
    {cSpin, Ret, N, None, 0, cSpin, 2, 'M'},
    {cSpin, Esc, N, None, 0, cSpin, 2, 'O'},
    {cSpin, Up, N, None, 0, cSpin, 1, 'M'},
    {cSpin, Dn, N, None, 0, cSpin, 3, 'M'},
    {cSpin, Lt, N, None, 1, cSpin, 2, 'O'},
    {cSpin, Rt, N, None, 1, cSpin, 2, 'O'},
    {cSpin, PU, N, None, 1, cSpin, 2, 'O'},
    {cSpin, PD, N, None, 1, cSpin, 2, 'O'},
    {cSpin, Hm, N, None, 1, cSpin, 2, 'O'},
    {cSpin, En, N, None, 1, cSpin, 2, 'O'},
    {cSpin, Tab, N, Tabs, -1, cEditBtn, 2, 'M'},
    {cSpin, Ret, N, AdvanceOnEnter, -1, cEditBtn, 2, 'M'},
    // Edit with button: Tab out; Page keys close; Home and End move the caret.
    {cEditBtn, Tab, N, None, 0, cUnit, 2, 'M'},
    {cEditBtn, Tab, S, None, 0, cSpin, 2, 'M'},
    {cEditBtn, Ret, N, None, 0, cEditBtn, 2, 'M'},
    {cEditBtn, Esc, N, None, 0, cEditBtn, 2, 'O'},
    {cEditBtn, Up, N, None, 0, cEditBtn, 1, 'M'},
    {cEditBtn, Dn, N, None, 0, cEditBtn, 3, 'M'},
    {cEditBtn, Lt, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, Rt, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, PU, N, None, 0, cEditBtn, 2, 'M'},
    {cEditBtn, PD, N, None, 0, cEditBtn, 2, 'M'},
    {cEditBtn, Hm, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, En, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, Tab, N, Tabs, -1, cUnit, 2, 'M'},
    {cEditBtn, Rt, N, WalkEditor, -1, cUnit, 2, 'M'},
    {cEditBtn, Ret, N, AdvanceOnEnter, -1, cUnit, 2, 'M'},
    // Unit: text and unit go together.
    {cUnit, Tab, N, None, 0, cUnit, 2, 'M'},
    {cUnit, Ret, N, None, 0, cUnit, 2, 'M'},
    {cUnit, Esc, N, None, 0, cUnit, 2, 'O'},
    {cUnit, Up, N, None, 0, cUnit, 1, 'M'},
    {cUnit, Dn, N, None, 0, cUnit, 3, 'M'},
    {cUnit, Lt, N, None, 1, cUnit, 2, 'O'},
    {cUnit, PU, N, None, 0, cUnit, 2, 'M'},
    {cUnit, Hm, N, None, 1, cUnit, 2, 'O'},
    {cUnit, Tab, N, Tabs, -1, cCheck, 2, 'M'},
    {cUnit, Ret, N, AdvanceOnEnter, -1, cCheck, 2, 'M'},
    // Check box: the navigation keys close it; Up and Down move the grid.
    {cCheck, Ret, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Esc, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Up, N, None, 0, cCheck, 1, 'O'},
    {cCheck, Dn, N, None, 0, cCheck, 3, 'O'},
    {cCheck, Lt, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Rt, N, None, 0, cCheck, 2, 'O'},
    {cCheck, PU, N, None, 0, cCheck, 2, 'O'},
    {cCheck, En, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Hm, N, None, 1, cCheck, 2, 'O'},
    // Button: the arrows move the grid, Escape gives the key back.
    {cButton, Esc, N, None, 0, cButton, 2, 'O'},
    {cButton, Up, N, None, 0, cButton, 1, 'O'},
    {cButton, Dn, N, None, 0, cButton, 3, 'O'},
    {cButton, Lt, N, None, 0, cCheck, 2, 'O'},
    {cButton, Rt, N, None, 0, cDate, 2, 'O'},
    {cButton, PU, N, None, 1, cButton, 2, 'O'},
    // Date: Tab out; Page Up, Page Down and End close; Up and Down step the field.
    {cDate, Tab, N, None, 0, cTime, 2, 'M'},
    {cDate, Ret, N, None, 0, cDate, 2, 'M'},
    {cDate, Esc, N, None, 0, cDate, 2, 'O'},
    {cDate, Up, N, None, 1, cDate, 2, 'O'},
    {cDate, Lt, N, None, 1, cDate, 2, 'O'},
    {cDate, PU, N, None, 0, cDate, 2, 'M'},
    {cDate, PD, N, None, 0, cDate, 2, 'M'},
    {cDate, En, N, None, 0, cDate, 2, 'M'},
    {cDate, Hm, N, None, 1, cDate, 2, 'O'},
    {cDate, Tab, N, Tabs, -1, cTime, 2, 'M'},
    {cTime, Tab, N, None, 0, cDateTime, 2, 'M'},
    {cTime, Ret, N, None, 0, cTime, 2, 'M'},
    {cTime, Esc, N, None, 0, cTime, 2, 'O'},
    // Date and time: Enter, Escape and Tab close; every other key stays with the picker.
    {cDateTime, Tab, N, None, 0, cText, 2, 'M'},
    {cDateTime, Ret, N, None, 0, cDateTime, 2, 'M'},
    {cDateTime, Esc, N, None, 0, cDateTime, 2, 'O'},
    {cDateTime, Up, N, None, 1, cDateTime, 2, 'O'},
    {cDateTime, PU, N, None, 1, cDateTime, 2, 'O'},
    {cDateTime, En, N, None, 1, cDateTime, 2, 'O'},
    {cDateTime, Ret, N, AdvanceOnEnter, -1, cText, 2, 'M'},
};

} // namespace

TEST(GridEditPlacement, KeysOfEachEditorGiveTheStoredTextAndTheCurrentCell)
{
    for (const KeyCase& c : kKeyCases) {
        KindWindow w;
        if (c.options & Tabs)
            w.grid->SetOptions(w.grid->Options() | goTabs);
        w.grid->Navigation().SetAdvanceOnEnter(c.options & AdvanceOnEnter);
        w.grid->Navigation().SetCursorWalkEditor(c.options & WalkEditor);
        const KindValues v = valuesOf(c.col);
        w.grid->SetCells(c.col, 2, v.O);
        w.open(c.col, 2);
        ASSERT_TRUE(w.editor() || c.col == cCheck || c.col == cDateTime) << c.col;
        changeEditor(w.grid, c.col);
        w.key(c.key, c.mods);
        const QString where = QStringLiteral("col %1 key %2 mods %3 options %4")
                                  .arg(c.col)
                                  .arg(c.key, 0, 16)
                                  .arg(int(c.mods))
                                  .arg(c.options);
        EXPECT_EQ(w.grid->Cells(c.col, 2), c.stored == 'O' ? v.O : v.M) << where.toStdString();
        EXPECT_EQ(w.grid->Col(), c.toCol) << where.toStdString();
        EXPECT_EQ(w.grid->Row(), c.toRow) << where.toStdString();
        if (c.open >= 0) {
            EXPECT_EQ(w.anyEditorOpen(), bool(c.open)) << where.toStdString();
        }
        EXPECT_FALSE(w.grid->FNoAutoAdvance) << where.toStdString();
    }
}

// A refused value keeps each editor open with the value its class names, and the grid in place.
TEST(GridEditPlacement, RefusedEnterKeepsEachEditorOpen)
{
    struct Case {
        int col;
        QString shown; // what the editor shows afterwards
    };
    const Case cases[] = {
        {cSpin, "50"},         // CurrentCellText: the cell's text, back after the refusal
        {cEditBtn, "abc"},     // FNewCellText: the value as the handler left it
        {cUnit, "5"},          // CurrentCellText, with its unit
        {cDate, "04/02/2001"}, // FNewCellText
    };
    for (const Case& c : cases) {
        KindWindow w;
        w.refuse = true;
        w.grid->SetCells(c.col, 2, valuesOf(c.col).O);
        w.open(c.col, 2);
        changeEditor(w.grid, c.col);
        w.key(Qt::Key_Return);
        ASSERT_TRUE(w.editor()) << c.col;
        EXPECT_TRUE(w.editor()->isVisible()) << c.col;
        EXPECT_TRUE(w.editor()->hasFocus()) << c.col;
        EXPECT_FALSE(w.grid->InplaceEdit() && w.grid->InplaceEdit()->isVisible()) << c.col;
        const QString shown =
            c.col == cDate ? w.grid->GetEditDate()->Text() : qobject_cast<QLineEdit*>(w.editor())->text();
        EXPECT_EQ(shown, c.shown) << c.col;
        EXPECT_EQ(w.grid->Cells(c.col, 2), valuesOf(c.col).O) << c.col;
        EXPECT_TRUE(w.grid->FNoAutoAdvance) << c.col;
        EXPECT_EQ(w.grid->Col(), c.col);
    }
}

TEST(GridEditPlacement, TypedFirstCharacterReachesOnlyTheKindsThatTakeIt)
{
    struct Case {
        int col;
        QString typed;
        QString shown;
    };
    const Case cases[] = {
        {cSpin, "7", "7"}, // the value opens selected: the digit replaces it
        {cEditBtn, "x", "x"},
        {cUnit, "9", "9"},
        {cDate, "15", "15/02/2001"}, // the day field takes the digit, then the next one
        {cCheck, "x", "cap"},        // never: the caption stays
        {cButton, "x", "Go"},
        {cTime, "1", "10:20:30"},
        {cDateTime, "1", "03/02/2001"},
    };
    for (const Case& c : cases) {
        KindWindow w;
        w.grid->SetCells(c.col, 2, valuesOf(c.col).O);
        w.click(c.col, 2);
        QTest::keyClicks(w.grid, c.typed.left(1));
        QApplication::processEvents();
        if (c.typed.size() > 1)
            QTest::keyClicks(QApplication::focusWidget(), c.typed.mid(1));
        QApplication::processEvents();
        QString shown;
        switch (c.col) {
        case cCheck:
            shown = w.grid->EditCheck()->text();
            break;
        case cButton:
            shown = w.grid->GridButton()->text();
            break;
        case cDate:
        case cTime:
            shown = w.grid->GetEditDate()->Text();
            break;
        case cDateTime:
            shown = w.grid->DateAndTimePicker()->Text();
            break;
        default:
            shown = qobject_cast<QLineEdit*>(w.editor())->text();
            break;
        }
        EXPECT_EQ(shown, c.shown) << c.col;
        EXPECT_TRUE(w.anyEditorOpen()) << c.col;
    }
}

TEST(GridEditPlacement, EditorsAppearOnFirstUseTheSpinAtTheFirstKindQuery)
{
    TQvColumnGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    for (TEditorType k : {edSpinEdit, edEditBtn, edUnitEditBtn, edCheckBox, edButton, edDateEdit, edDateTimeEdit})
        EXPECT_FALSE(grid.HasEditor(k)) << k;
    TEditorType kind = edNormal;
    grid.GetCellEditor(1, 1, kind);
    EXPECT_TRUE(grid.HasEditor(edSpinEdit));
    EXPECT_FALSE(grid.HasEditor(edEditBtn));
    EXPECT_EQ(grid.EditBtn()->ButtonCaption(), QStringLiteral("..."));
    for (QWidget* e :
         std::initializer_list<QWidget*>{grid.SpinEdit(), grid.EditBtn(), grid.UnitEditBtn(), grid.EditCheck(),
                                         grid.GridButton(), grid.GetEditDate(), grid.DateAndTimePicker()}) {
        EXPECT_FALSE(e->isVisible());
        EXPECT_FALSE(e->isEnabled());
        EXPECT_EQ(e->parentWidget(), grid.viewport());
    }
}

TEST(GridEditPlacement, EditorsSitOverTheirCell)
{
    KindWindow w;
    for (int col : {cSpin, cEditBtn, cUnit, cCheck, cDate, cTime}) {
        w.grid->SetCells(col, 2, valuesOf(col).O);
        w.open(col, 2);
        const TRect r = w.grid->CellRect(col, 2);
        QWidget* e = col == cCheck ? static_cast<QWidget*>(w.grid->EditCheck()) : w.editor();
        EXPECT_EQ(e->geometry(), QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1)) << col;
        w.key(Qt::Key_Escape);
    }
    w.grid->SetCells(cButton, 2, "Go");
    w.open(cButton, 2);
    const TRect r = w.grid->CellRect(cButton, 2);
    // One pixel larger on every side.
    EXPECT_EQ(w.grid->GridButton()->geometry(),
              QRect(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1));
}

TEST(GridEditPlacement, SpinLoadsTheLeadingDigitsAndMayStoreAnEmptyCell)
{
    KindWindow w;
    w.grid->SetCells(cSpin, 2, "42abc");
    w.open(cSpin, 2);
    EXPECT_EQ(w.grid->SpinEdit()->text(), QStringLiteral("42"));
    w.key(Qt::Key_Escape);

    w.grid->SpinEdit()->AllowEmptyValue = true;
    w.grid->SetCells(cSpin, 2, "30");
    w.open(cSpin, 2);
    w.grid->SpinEdit()->clear();
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(cSpin, 2), QString());
}

TEST(GridEditPlacement, SpinClickThatStartedTheEditIsReplayed)
{
    KindWindow w;
    QStringList clicks;
    w.grid->OnSpinClick = [&](TQvStringGrid*, int c, int r, int v, bool up) {
        clicks << QStringLiteral("c%1 r%2 %3 %4").arg(c).arg(r).arg(v).arg(up);
    };
    w.grid->SetCells(cSpin, 2, "50");
    // The press on the upper half of an always-visible spin button starts the edit.
    w.grid->ControlLook().SetSpinButtonsAlwaysVisible(true);
    w.grid->OnHasSpinEdit = [](TQvStringGrid*, int c, int, bool& has) { has = c == cSpin; };
    const TRect cr = w.grid->CellRect(cSpin, 2);
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, QPoint(cr.Right - 5, cr.Top + 3));
    if (!w.grid->EditMode)
        w.grid->ShowInplaceEdit();
    QApplication::processEvents();
    EXPECT_EQ(w.grid->SpinEdit()->Value(), 60);
    EXPECT_FALSE(w.grid->FSpinUpClick);
    w.key(Qt::Key_PageUp);
    EXPECT_EQ(clicks, (QStringList{"c1 r2 60 1", "c1 r2 70 1"}));
}

TEST(GridEditPlacement, DateLimitsAndCustomConversion)
{
    struct Case {
        QDate minDate, maxDate;
        QString cell;
        QString shown;
    };
    const Case cases[] = {
        {{}, {}, "03/02/2001", "03/02/2001"},                // no limits: nothing limited
        {{}, QDate(2000, 6, 1), "03/02/2001", "31/05/2000"}, // past MaxDate: MaxDate - 1
        {QDate(2005, 1, 1), {}, "03/02/2001", "02/01/2005"}, // at or before MinDate: MinDate + 1
    };
    for (const Case& c : cases) {
        KindWindow w;
        w.grid->OnGetEditorProp = [&](TQvStringGrid* g, int, int, void*) {
            g->GetEditDate()->SetMinDate(c.minDate);
            g->GetEditDate()->SetMaxDate(c.maxDate);
        };
        w.grid->SetCells(cDate, 2, c.cell);
        w.open(cDate, 2);
        EXPECT_EQ(w.grid->GetEditDate()->Text(), c.shown) << c.shown.toStdString();
    }
    KindWindow w;
    w.grid->OnCustomStrToDate = [](TQvStringGrid*, const QString& s, TDateTime& d) {
        if (s == QLatin1String("launch"))
            d = QDateTimeToDateTime(QDateTime(QDate(1969, 7, 20), QTime(0, 0), Qt::UTC));
    };
    w.grid->SetCells(cDate, 2, "launch");
    w.open(cDate, 2);
    EXPECT_EQ(w.grid->GetEditDate()->Text(), QStringLiteral("20/07/1969"));
}

TEST(GridEditPlacement, DirectDateDropOpensTheCalendar)
{
    KindWindow w;
    w.grid->MouseActions().SetDirectDateDrop(true);
    w.grid->SetCells(cDate, 2, "03/02/2001");
    w.open(cDate, 2);
    EXPECT_TRUE(w.grid->GetEditDate()->DroppedDown());
    EXPECT_TRUE(w.grid->GetEditDate()->FOldDropped);
}

TEST(GridEditPlacement, DateAndTimeLeavesThroughTheCellValidation)
{
    for (int k : {int(Qt::Key_Return), int(Qt::Key_Tab)}) {
        KindWindow w;
        w.grid->SetCells(cDateTime, 2, "03/02/2001 10:20");
        w.open(cDateTime, 2);
        changeEditor(w.grid, cDateTime);
        w.log.clear();
        w.key(k);
        EXPECT_TRUE(w.log.contains(QStringLiteral("Validate c8 r2 04/02/2001 10:20"))) << k;
        EXPECT_EQ(w.grid->Cells(cDateTime, 2), QStringLiteral("04/02/2001 10:20")) << k;
    }
    KindWindow w;
    w.grid->SetCells(cDateTime, 2, "03/02/2001 10:20");
    w.open(cDateTime, 2);
    // Enter in the companion time picker closes as well, and the grid keeps the focus.
    w.grid->DateAndTimePicker()->TimePicker()->setFocus();
    w.key(Qt::Key_Return);
    EXPECT_FALSE(w.anyEditorOpen());
    EXPECT_TRUE(w.grid->hasFocus());
    w.open(cDateTime, 2);
    w.grid->DateAndTimePicker()->SetShowCheckbox(true);
    w.grid->DateAndTimePicker()->SetChecked(false);
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(cDateTime, 2), QString()); // unchecked: no date
}

TEST(GridEditPlacement, EventsCarryTheRealColumnWithAHiddenColumnToTheLeft)
{
    KindWindow w;
    w.grid->HideColumn(cSpin); // displayed column 1 is now the edit-with-button column
    QStringList events;
    w.grid->OnEllipsClick = [&](TQvStringGrid*, int c, int r, QString& v) {
        events << QStringLiteral("Ellips c%1 r%2").arg(c).arg(r);
        v = QStringLiteral("picked");
    };
    w.grid->OnUnitChanged = [&](TQvStringGrid*, int c, int r, const QString& u) {
        events << QStringLiteral("Unit c%1 r%2 %3").arg(c).arg(r).arg(u);
    };
    w.grid->SetCells(cEditBtn, 2, "ab");
    w.open(cEditBtn - 1, 2);
    w.key(Qt::Key_F4);
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(cEditBtn, 2), QStringLiteral("picked"));
    w.grid->SetCells(cUnit, 2, "5cm");
    w.open(cUnit - 1, 2);
    w.grid->UnitEditBtn()->UnitCommand(1);
    EXPECT_EQ(events, (QStringList{"Ellips c2 r2", "Unit c3 r2 mm"}));
}

TEST(GridEditPlacement, ScreenshotOfEachEditorOverItsCell)
{
    KindWindow w;
    for (int col = cSpin; col <= cDateTime; ++col)
        for (int row = 1; row < 6; ++row)
            w.grid->SetCells(col, row, valuesOf(col).O);
    const char* names[] = {"", "spin", "edit_button", "unit", "check_box", "button", "date", "time", "date_time"};
    for (int col = cSpin; col <= cDateTime; ++col) {
        w.open(col, 2);
        ASSERT_TRUE(w.anyEditorOpen()) << col;
        const QImage img = testsupport::takeScreenshot(
            w.window, QStringLiteral("grid/GridEditor_%1.png").arg(QLatin1String(names[col])));
        // The open editor is drawn over its cell: it differs from a closed cell of the same value.
        const auto cellIn = [&](int r) {
            return w.grid->CellRect(col, r).toQRect().translated(w.grid->viewport()->mapTo(&w.window, QPoint()));
        };
        EXPECT_NE(img.copy(cellIn(2)), img.copy(cellIn(4))) << col;
        w.key(Qt::Key_Escape);
    }
}
