// The special editors inside a real column grid, driven with clicks and keys: each kind opens
// over its cell loaded with the cell's value, hands the keys back to the grid under the
// validation rules, and stores its value.

#include "grid/edit/GridButtons.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridSpin.h"
#include "grid/QvCGrid.h"

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

const TEditorType kKinds[kColumns] = {edNormal, edSpinEdit, edEditBtn, edUnitEditBtn, edCheckBox, edButton,
                                      edDateEdit, edTimeEdit, edDateTimeEdit, edNormal};

struct KindWindow {
    KindWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(1000, 300);
        grid->SetColCount(kColumns);
        grid->SetRowCount(6);
        for (int c = 1; c < kColumns; ++c) {
            grid->Columns()[c].SetEditor(kKinds[c]);
            grid->SetColWidths(c, 100);
        }
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
    ~KindWindow() { QLocale::setDefault(QLocale::c()); }

    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).toQRect().center());
        QApplication::processEvents();
    }
    // Makes the cell current and opens its editor as F2 does.
    void open(int col, int row)
    {
        click(col, row);
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
    case cSpin: return {"50", "70"};
    case cEditBtn: return {"ab", "abc"};
    case cUnit: return {"5cm", "7cm"};
    case cCheck: return {"cap", "cap"};   // the check-box editor writes nothing
    case cButton: return {"Go", "Go"};    // nor does the button without a click
    case cDate: return {"03/02/2001", "04/02/2001"};
    case cTime: return {"10:20:30", "11:20:30"};
    default: return {"03/02/2001 10:20", "04/02/2001 10:20"};
    }
}

void changeEditor(TQvStringGrid* g, int col)
{
    switch (col) {
    case cSpin: g->SpinEdit()->SetValue(70); break;
    case cEditBtn: g->EditBtn()->setText("abc"); break;
    case cUnit: g->UnitEditBtn()->setText("7"); break;
    case cDate: g->GetEditDate()->platform::TDateTimePicker::SetDateTime(QDateTime(QDate(2001, 2, 4), QTime(0, 0), Qt::UTC)); break;
    case cTime: g->GetEditDate()->platform::TDateTimePicker::SetDateTime(QDateTime(QDate(2001, 2, 4), QTime(11, 20, 30), Qt::UTC)); break;
    case cDateTime: g->DateAndTimePicker()->SetDate(QDateTimeToDateTime(QDateTime(QDate(2001, 2, 4), QTime(0, 0), Qt::UTC))); break;
    default: break;
    }
}

enum Option { None = 0, Tabs = 1, AdvanceOnEnter = 2, WalkEditor = 4 };

struct KeyCase {
    int col;
    int key;
    Qt::KeyboardModifiers mods;
    int options;
    int open;      // editor open afterwards: 1, 0, or -1 when the grid's own navigation decides
    int toCol, toRow;
    char stored;   // 'O' the opening value, 'M' the changed one
};

constexpr Qt::KeyboardModifiers S = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers N = Qt::NoModifier;
enum Keys : int {
    Tab = Qt::Key_Tab, Ret = Qt::Key_Return, Esc = Qt::Key_Escape, Up = Qt::Key_Up, Dn = Qt::Key_Down,
    Lt = Qt::Key_Left, Rt = Qt::Key_Right, PU = Qt::Key_PageUp, PD = Qt::Key_PageDown, Hm = Qt::Key_Home,
    En = Qt::Key_End
};

// The window validates cells (OnCellValidate), so the grid wants Tab even without goTabs; the
// grid advances left to right.
const KeyCase kKeyCases[] = {
    // Spin: Tab is its own only with goTabs; Up and Down close; the page keys step in place.
    {cSpin, Tab, N, None, 0, cSpin, 2, 'M'}, {cSpin, Tab, S, None, 0, cSpin, 2, 'M'},
    {cSpin, Ret, N, None, 0, cSpin, 2, 'M'}, {cSpin, Esc, N, None, 0, cSpin, 2, 'O'},
    {cSpin, Up, N, None, 0, cSpin, 1, 'M'}, {cSpin, Dn, N, None, 0, cSpin, 3, 'M'},
    {cSpin, Lt, N, None, 1, cSpin, 2, 'O'}, {cSpin, Rt, N, None, 1, cSpin, 2, 'O'},
    {cSpin, PU, N, None, 1, cSpin, 2, 'O'}, {cSpin, PD, N, None, 1, cSpin, 2, 'O'},
    {cSpin, Hm, N, None, 1, cSpin, 2, 'O'}, {cSpin, En, N, None, 1, cSpin, 2, 'O'},
    {cSpin, Tab, N, Tabs, -1, cEditBtn, 2, 'M'}, {cSpin, Ret, N, AdvanceOnEnter, -1, cEditBtn, 2, 'M'},
    // Edit with button: Tab out; Page keys close; Home and End move the caret.
    {cEditBtn, Tab, N, None, 0, cUnit, 2, 'M'}, {cEditBtn, Tab, S, None, 0, cSpin, 2, 'M'},
    {cEditBtn, Ret, N, None, 0, cEditBtn, 2, 'M'}, {cEditBtn, Esc, N, None, 0, cEditBtn, 2, 'O'},
    {cEditBtn, Up, N, None, 0, cEditBtn, 1, 'M'}, {cEditBtn, Dn, N, None, 0, cEditBtn, 3, 'M'},
    {cEditBtn, Lt, N, None, 1, cEditBtn, 2, 'O'}, {cEditBtn, Rt, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, PU, N, None, 0, cEditBtn, 2, 'M'}, {cEditBtn, PD, N, None, 0, cEditBtn, 2, 'M'},
    {cEditBtn, Hm, N, None, 1, cEditBtn, 2, 'O'}, {cEditBtn, En, N, None, 1, cEditBtn, 2, 'O'},
    {cEditBtn, Tab, N, Tabs, -1, cUnit, 2, 'M'}, {cEditBtn, Rt, N, WalkEditor, -1, cUnit, 2, 'M'},
    {cEditBtn, Ret, N, AdvanceOnEnter, -1, cUnit, 2, 'M'},
    // Unit: text and unit go together.
    {cUnit, Tab, N, None, 0, cUnit, 2, 'M'}, {cUnit, Ret, N, None, 0, cUnit, 2, 'M'},
    {cUnit, Esc, N, None, 0, cUnit, 2, 'O'}, {cUnit, Up, N, None, 0, cUnit, 1, 'M'},
    {cUnit, Dn, N, None, 0, cUnit, 3, 'M'}, {cUnit, Lt, N, None, 1, cUnit, 2, 'O'},
    {cUnit, PU, N, None, 0, cUnit, 2, 'M'}, {cUnit, Hm, N, None, 1, cUnit, 2, 'O'},
    {cUnit, Tab, N, Tabs, -1, cCheck, 2, 'M'}, {cUnit, Ret, N, AdvanceOnEnter, -1, cCheck, 2, 'M'},
    // Check box: the navigation keys close it; Up and Down move the grid.
    {cCheck, Ret, N, None, 0, cCheck, 2, 'O'}, {cCheck, Esc, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Up, N, None, 0, cCheck, 1, 'O'}, {cCheck, Dn, N, None, 0, cCheck, 3, 'O'},
    {cCheck, Lt, N, None, 0, cCheck, 2, 'O'}, {cCheck, Rt, N, None, 0, cCheck, 2, 'O'},
    {cCheck, PU, N, None, 0, cCheck, 2, 'O'}, {cCheck, En, N, None, 0, cCheck, 2, 'O'},
    {cCheck, Hm, N, None, 1, cCheck, 2, 'O'},
    // Button: the arrows move the grid, Escape gives the key back.
    {cButton, Esc, N, None, 0, cButton, 2, 'O'}, {cButton, Up, N, None, 0, cButton, 1, 'O'},
    {cButton, Dn, N, None, 0, cButton, 3, 'O'}, {cButton, Lt, N, None, 0, cCheck, 2, 'O'},
    {cButton, Rt, N, None, 0, cDate, 2, 'O'}, {cButton, PU, N, None, 1, cButton, 2, 'O'},
    // Date: Tab out; Page Up, Page Down and End close; Up and Down step the field.
    {cDate, Tab, N, None, 0, cTime, 2, 'M'}, {cDate, Ret, N, None, 0, cDate, 2, 'M'},
    {cDate, Esc, N, None, 0, cDate, 2, 'O'}, {cDate, Up, N, None, 1, cDate, 2, 'O'},
    {cDate, Lt, N, None, 1, cDate, 2, 'O'}, {cDate, PU, N, None, 0, cDate, 2, 'M'},
    {cDate, PD, N, None, 0, cDate, 2, 'M'}, {cDate, En, N, None, 0, cDate, 2, 'M'},
    {cDate, Hm, N, None, 1, cDate, 2, 'O'}, {cDate, Tab, N, Tabs, -1, cTime, 2, 'M'},
    {cTime, Tab, N, None, 0, cDateTime, 2, 'M'}, {cTime, Ret, N, None, 0, cTime, 2, 'M'},
    {cTime, Esc, N, None, 0, cTime, 2, 'O'},
    // Date and time: Enter, Escape and Tab close; every other key stays with the picker.
    {cDateTime, Tab, N, None, 0, cText, 2, 'M'}, {cDateTime, Ret, N, None, 0, cDateTime, 2, 'M'},
    {cDateTime, Esc, N, None, 0, cDateTime, 2, 'O'}, {cDateTime, Up, N, None, 1, cDateTime, 2, 'O'},
    {cDateTime, PU, N, None, 1, cDateTime, 2, 'O'}, {cDateTime, En, N, None, 1, cDateTime, 2, 'O'},
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
        const QString where = QStringLiteral("col %1 key %2 mods %3 options %4").arg(c.col).arg(c.key, 0, 16).arg(int(c.mods)).arg(c.options);
        EXPECT_EQ(w.grid->Cells(c.col, 2), c.stored == 'O' ? v.O : v.M) << where.toStdString();
        EXPECT_EQ(w.grid->Col(), c.toCol) << where.toStdString();
        EXPECT_EQ(w.grid->Row(), c.toRow) << where.toStdString();
        if (c.open >= 0)
            EXPECT_EQ(w.anyEditorOpen(), bool(c.open)) << where.toStdString();
        EXPECT_FALSE(w.grid->FNoAutoAdvance) << where.toStdString();
    }
}
