// The grid picker driven as a user drives it: choosing in the popup grid (sorted or not),
// narrowing and looking up while typing, editing in the popup, the direct mode, the popup's
// height and colour rules, and the 54 re-published grid events walked as one table.

#include "dropdowns/QvCustomGridDropDown.h"
#include "grid/QvObj.h"
#include "grid/search/SearchPanel.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace dropdowns;
using namespace dropdowns::customgrid;
using testsupport::FakeDesktop;

namespace {

class Picker : public TCustomQvGridDropDown {
public:
    using TCustomQvGridDropDown::AdjustDropDownHeight;
    using TCustomQvGridDropDown::TCustomQvGridDropDown;
};

class GridDropDown : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = testsupport::makeHostWindow({100, 100, 500, 400});
        dd = new Picker(window.get(), &desktop);
        dd->setGeometry(10, 10, 180, 21);
        dd->DropDownHeader().SetVisible(false);
        dd->DropDownFooter().SetVisible(false);
        other = new QWidget(window.get());
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(10, 300, 50, 20);
        testsupport::showHostWindow(*window, dd);
    }
    void TearDown() override
    {
        if (dd->DroppedDown())
            dd->HideDropDown(false);
    }
    // Items with their lookup texts in column 0 and a second text in column 1.
    void items(const QStringList& lookup)
    {
        for (int c = 0; c < 2; ++c)
            dd->Columns().Add().SetHeader(QStringLiteral("Col %1").arg(c));
        for (const QString& t : lookup)
            dd->Items().Add().SetText({t, t + QStringLiteral(" info")});
        dd->BeginUpdate();
        dd->EndUpdate();
    }
    void open()
    {
        dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    }
    void type(const QString& keys, QWidget* w = nullptr) { QTest::keyClicks(w ? w : &grid(), keys); }
    void key(Qt::Key k, QWidget* w = nullptr) { QTest::keyClick(w ? w : &grid(), k); }
    void click(int col, int row)
    {
        const grid::TRect r = grid().CellRect(col, row);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, r.toQRect().center());
    }
    TQvColGrid& grid() { return *dd->PopupGrid(); }
    // The lookup texts of the popup's data rows, top to bottom.
    QStringList rows()
    {
        QStringList l;
        for (int r = grid().FixedRows(); r < grid().RowCount(); ++r)
            l << grid().Cells(0, r);
        return l;
    }

    FakeDesktop desktop;
    std::unique_ptr<QWidget> window;
    Picker* dd = nullptr;
    QWidget* other = nullptr;
    // Unsorted, so a sort moves every row.
    const QStringList fruit{QStringLiteral("Pear"),   QStringLiteral("apple"),  QStringLiteral("Fig"),
                            QStringLiteral("banana"), QStringLiteral("Cherry"), QStringLiteral("date"),
                            QStringLiteral("Elder"),  QStringLiteral("berry")};
};

} // namespace

// ---- the picker and its popup rows -----------------------------------------------------------

TEST_F(GridDropDown, VersionAndDefaults)
{
    EXPECT_EQ(dd->Version(), QStringLiteral("6.0.1.1"));
    EXPECT_TRUE(dd->UseItems());
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->LookupMethod(), lmLookup);
    EXPECT_EQ(dd->Style(), dsDropDown);
    EXPECT_EQ(dd->Sorting(), gsNone);
    EXPECT_EQ(dd->LineColor(), 0xF1EDEBu);
    EXPECT_EQ(dd->FixedLineColor(), 0xD1BBA4u);
    EXPECT_EQ(dd->HeaderFont().Color, 0x723708u);
    EXPECT_EQ(dd->DropDownRowHeight(), 22);
    EXPECT_EQ(dd->Navigation().HomeEndKey(), grid::heFirstLastRow);
    ASSERT_NE(dd->PopupGrid(), nullptr);
    EXPECT_TRUE(grid().FixedRowAlways());
    EXPECT_EQ(grid().FixedCols(), 0);
}

TEST_F(GridDropDown, OpeningFillsOneRowPerItemEachKeepingItsItem)
{
    items(fruit);
    dd->SetItemIndex(3);
    open();
    EXPECT_EQ(grid().ColCount(), 2);
    EXPECT_EQ(grid().RowCount(), 9);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(grid().Cells(0, 0), QStringLiteral("Col 0"));
    EXPECT_EQ(grid().Cells(1, 4), QStringLiteral("banana info"));
    EXPECT_EQ(grid().Row(), 4);
    for (int r = 1; r < grid().RowCount(); ++r)
        EXPECT_EQ(dd->ItemOfRow(r), r - 1);
    EXPECT_EQ(dd->ItemOfRow(0), -1);
    EXPECT_EQ(dd->RowOfItem(5), 6);
}

TEST_F(GridDropDown, ReturnWithoutMovingKeepsTheIndexItOpenedWith)
{
    items(fruit);
    dd->SetItemIndex(5);
    open();
    key(Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 5);
    EXPECT_EQ(dd->Text(), QStringLiteral("date"));
}

TEST_F(GridDropDown, AHeaderClickSortsAndTheChosenItemStaysCurrent)
{
    items(fruit);
    dd->SetSorting(gsSingleColumn);
    dd->SetItemIndex(2); // Fig
    open();
    const grid::TRect header = grid().CellRect(0, 0);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, header.toQRect().center());
    ASSERT_NE(rows(), fruit) << "the header click did not sort";
    EXPECT_EQ(grid().Cells(0, grid().Row()), QStringLiteral("Fig"));
    EXPECT_EQ(dd->ItemOfRow(grid().Row()), 2);
    EXPECT_EQ(dd->ItemIndex(), 2);
    // Choosing another row gives that row's item, not the item at that position.
    const int row = 2;
    const int item = dd->ItemOfRow(row);
    ASSERT_NE(item, row - 1);
    click(0, row);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), item);
    EXPECT_EQ(dd->Text(), fruit[item]);
}

TEST_F(GridDropDown, NarrowingKeepsTheMatchingRowsAndBackspaceBringsThemBack)
{
    items(fruit);
    dd->SetLookupMethod(lmNarrowDown);
    open();
    type(QStringLiteral("er"));
    // Cherry, Elder and berry contain "er" (the filter ignores case).
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("Cherry"), QStringLiteral("Elder"), QStringLiteral("berry")}));
    EXPECT_EQ(grid().Row(), grid().FixedRows());
    // dsDropDown: the first row's text with the untyped rest selected.
    EXPECT_EQ(dd->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("erry"));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(rows(), fruit);
    // Narrowed again, closed; entering the control removes the filters.
    type(QStringLiteral("rr"));
    EXPECT_EQ(rows().size(), 2);
    dd->HideDropDown(false);
    other->setFocus();
    dd->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid().RowCount(), 9);
}

TEST_F(GridDropDown, LookupMethodsAndStylesWhenTypingInThePopup)
{
    items(fruit);
    struct Case {
        TLookupMethod method;
        TDropDownStyle style;
        QString typed;
        int item;     // the current row's item afterwards, -1: not moved
        QString text; // the edit's text afterwards
    };
    const Case cases[] = {
        // Lookup completes from the first item starting with the entry (case ignored).
        {lmLookup, dsDropDown, QStringLiteral("b"), 3, QStringLiteral("banana")},
        {lmLookup, dsDropDown, QStringLiteral("be"), 7, QStringLiteral("berry")},
        // dsDropDown keeps an entry that matches nothing: nothing moves.
        {lmLookup, dsDropDown, QStringLiteral("bf"), 3, QStringLiteral("banana")},
        // dsDropDownList restarts from a character that does not continue the entry.
        {lmLookup, dsDropDownList, QStringLiteral("bf"), 2, QStringLiteral("Fig")},
        // lmNone moves nothing and writes nothing.
        {lmNone, dsDropDown, QStringLiteral("be"), 0, QStringLiteral("Pear")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " method " + std::to_string(c.method) + " style "
                     + std::to_string(c.style));
        dd->SetLookupMethod(c.method);
        dd->SetStyle(c.style);
        dd->SetItemIndex(0);
        open();
        type(c.typed);
        EXPECT_EQ(dd->ItemOfRow(grid().Row()), c.item);
        EXPECT_EQ(dd->Text(), c.text);
        // Escape closes cancelling and empties the entry.
        key(Qt::Key_Escape);
        EXPECT_FALSE(dd->DroppedDown());
    }
}

TEST_F(GridDropDown, AnEditablePopupStaysOpenAndReturnEndsTheCellEdit)
{
    items(fruit);
    dd->SetGridEditable(true);
    // The table control edits cells only without whole-row selection.
    dd->SetRowSelect(false);
    dd->SetSorting(gsSingleColumn);
    for (bool sorted : {false, true}) {
        SCOPED_TRACE(sorted);
        dd->SetItemIndex(0);
        open();
        if (sorted)
            QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().CellRect(0, 0).toQRect().center());
        // Choosing a row leaves the popup open.
        click(0, 3);
        EXPECT_TRUE(dd->DroppedDown());
        const int item = dd->ItemOfRow(3);
        EXPECT_EQ(dd->ItemIndex(), item);
        // An edit of that row's lookup cell, ended by Return in the picker's edit.
        grid().EditCell(0, 3);
        ASSERT_TRUE(grid().EditMode);
        grid().InplaceEditor()->setText(QStringLiteral("Kiwi"));
        QTest::keyClick(dd, Qt::Key_Return);
        EXPECT_FALSE(grid().EditMode);
        EXPECT_EQ(grid().Cells(0, 3), QStringLiteral("Kiwi"));
        EXPECT_EQ(dd->Text(), QStringLiteral("Kiwi"));
        EXPECT_EQ(dd->ItemIndex(), item);
        if (dd->DroppedDown())
            dd->HideDropDown(true);
    }
}

TEST_F(GridDropDown, WithoutItemsThePopupHasOneFixedHeaderRow)
{
    items({});
    open();
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(grid().Cells(1, 0), QStringLiteral("Col 1"));
}

TEST_F(GridDropDown, TheDirectModeReadsRowsAndLookupTextsFromThePopupGrid)
{
    dd->SetUseItems(false);
    TQvColGrid& g = grid();
    g.SetColCount(2);
    g.SetRowCount(4);
    const QStringList names{QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")};
    for (int r = 0; r < 3; ++r) {
        g.SetCells(0, r + 1, names[r]);
        g.SetCells(1, r + 1, QString::number(r));
    }
    EXPECT_EQ(dd->ItemCount(), 3);
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Green"));
    QString found;
    int row = -1;
    EXPECT_TRUE(dd->FindLookupMatch(QStringLiteral("bl"), found, row));
    EXPECT_EQ(found, QStringLiteral("Blue"));
    EXPECT_EQ(row, 3);
    // The opening finds the text's row; choosing a row writes its text and data-row number.
    open();
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.RowCount(), 4);
    click(0, 3);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Blue"));
    // A text no row starts: the first data row is current and the text stays as typed.
    dd->SetText(QStringLiteral("zzz"));
    open();
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("zzz"));
}

TEST_F(GridDropDown, ThePopupShowsWholeRowsWithSixPixelsToSpare)
{
    struct Case {
        int rowHeight, height, expected;
    };
    // bars 0, header 25: avail = height - 27; 25 + 6 + (avail div rowHeight) x rowHeight.
    const Case cases[] = {{22, 200, 25 + 6 + 7 * 22}, {20, 127, 25 + 6 + 5 * 20}, {0, 50, 25 + 6 + 23}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rowHeight);
        dd->SetDropDownRowHeight(c.rowHeight);
        int h = c.height;
        dd->AdjustDropDownHeight(h);
        EXPECT_EQ(h, c.expected);
    }
}

TEST_F(GridDropDown, TheOffice2010StylesLeaveTheHeaderAndLineColours)
{
    dd->SetComponentStyle(grid::tsOffice2003Blue);
    EXPECT_EQ(dd->HeaderColor(), 0xD68759u);
    EXPECT_EQ(dd->LineColor(), 0x962D00u);
    for (TVLXStyle s : {grid::tsOffice2010Blue, grid::tsOffice2010Silver, grid::tsOffice2010Black}) {
        dd->SetComponentStyle(s);
        EXPECT_EQ(dd->HeaderColor(), 0xD68759u);
        EXPECT_EQ(dd->HeaderColorTo(), 0x933803u);
        EXPECT_EQ(dd->LineColor(), 0x962D00u);
        EXPECT_EQ(dd->FixedLineColor(), 0x962D00u);
    }
    dd->SetComponentStyle(grid::tsWindowsXP);
    EXPECT_EQ(dd->SelectionColor(), platform::clHighlight);
    EXPECT_EQ(dd->LineColor(), 0xC0C0C0u);
}

TEST_F(GridDropDown, ADragInsideThePopupKeepsItOpen)
{
    items(fruit);
    open();
    grid().StartBlockFocus();
    EXPECT_TRUE(dd->DropDownForm()->BlockActivate());
    grid().EndBlockFocus();
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
}

TEST_F(GridDropDown, AssigningItemsKeepsTheirTexts)
{
    TDropDownItems source;
    source.Add().SetText({QStringLiteral("a"), QStringLiteral("b")});
    source.Items(0).SetImageIndex(3);
    dd->SetItems(source);
    ASSERT_EQ(dd->Items().Count(), 1);
    EXPECT_EQ(dd->Items().Items(0).Text(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(dd->Items().Items(0).ImageIndex(), 3);
}

// ---- the re-published grid events ------------------------------------------------------------

namespace {

// What a picker's handler saw.
struct Record {
    QObject* sender = nullptr;
    int calls = 0;
};

// The handler's answers to var parameters, by type; other parameters are left alone.
void mark(bool& v)
{
    v = true;
}
void mark(int& v)
{
    v = 77;
}
void mark(QString& v)
{
    v = QStringLiteral("set");
}
void mark(grid::TColor& v)
{
    v = 0x123456;
}
void mark(grid::TBrush& v)
{
    v.Color = 0x123456;
}
template <class T>
void mark(T&&)
{
}

bool isMarked(const bool& v)
{
    return v;
}
bool isMarked(const int& v)
{
    return v == 77;
}
bool isMarked(const QString& v)
{
    return v == QStringLiteral("set");
}
bool isMarked(const grid::TColor& v)
{
    return v == 0x123456;
}
bool isMarked(const grid::TBrush& v)
{
    return v.Color == 0x123456;
}
template <class T>
bool isMarked(const T&)
{
    return true;
}

template <class A, class V>
bool handedBack(const V& value)
{
    if constexpr (std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>)
        return isMarked(value);
    else
        return true;
}

struct Fired {
    bool bound = false;
    bool handedBack = true;
};

// Fires a grid event with default arguments, as the table control would.
template <class S, class... A>
Fired fireGridEvent(const std::function<void(S*, A...)>& event, TQvColGrid& g)
{
    Fired f;
    if (!event)
        return f;
    f.bound = true;
    std::tuple<std::decay_t<A>...> values{};
    std::apply([&](auto&... v) { event(&g, v...); }, values);
    f.handedBack = std::apply([](const auto&... v) { return (handedBack<A>(v) && ...); }, values);
    return f;
}

struct EventCase {
    const char* name;
    TGridEventBinding binding;
    std::function<void(Picker&, Record&)> assign;
    std::function<Fired(TQvColGrid&)> fire;
    std::function<void(TQvColGrid&)> unbind;
};

template <auto PickerField, auto GridField>
EventCase eventCase(const char* name, TGridEventBinding binding)
{
    EventCase c{name, binding, {}, {}, {}};
    c.assign = [](Picker& p, Record& rec) {
        p.*PickerField = [&rec](QObject* sender, auto&&... args) {
            rec.sender = sender;
            ++rec.calls;
            (mark(args), ...);
        };
    };
    c.fire = [](TQvColGrid& g) { return fireGridEvent(g.*GridField, g); };
    c.unbind = [](TQvColGrid& g) { g.*GridField = nullptr; };
    return c;
}

using P = TCustomQvGridDropDown;
using G = grid::TQvStringGrid;
using S = grid::TStringGrid;
using C = TQvColGrid;

// The events in declaration order with the grid event each comes from.
// clang-format off
const std::vector<EventCase>& eventCases()
{
    static const std::vector<EventCase> cases = {
        eventCase<&P::OnGridAnchorClick, &G::OnAnchorClick>("OnGridAnchorClick", ebBound),
        eventCase<&P::OnGridAnchorEnter, &G::OnAnchorEnter>("OnGridAnchorEnter", ebBound),
        eventCase<&P::OnGridAnchorExit, &G::OnAnchorExit>("OnGridAnchorExit", ebBound),
        eventCase<&P::OnGridAnchorHint, &G::OnAnchorHint>("OnGridAnchorHint", ebBound),
        eventCase<&P::OnGridCanSort, &G::OnCanSort>("OnGridCanSort", ebOwnHandler),
        eventCase<&P::OnGridClickSort, &G::OnClickSort>("OnGridClickSort", ebOwnHandler),
        eventCase<&P::OnGridCustomCompare, &G::OnCustomCompare>("OnGridCustomCompare", ebNever),
        eventCase<&P::OnGridRawCompare, &G::OnRawCompare>("OnGridRawCompare", ebNever),
        eventCase<&P::OnGridCustomCellDraw, &G::OnCustomCellDraw>("OnGridCustomCellDraw", ebCustomDraw),
        eventCase<&P::OnGridCustomCellBkgDraw, &G::OnCustomCellBkgDraw>("OnGridCustomCellBkgDraw", ebCustomDraw),
        eventCase<&P::OnGridGetAlignment, &G::OnGetAlignment>("OnGridGetAlignment", ebBound),
        eventCase<&P::OnGridGetCellColor, &G::OnGetCellColor>("OnGridGetCellColor", ebBound),
        eventCase<&P::OnGridGetCellGradient, &G::OnGetCellGradient>("OnGridGetCellGradient", ebBound),
        eventCase<&P::OnGridGetDiplText, &grid::TBaseGrid::OnGetDisplText>("OnGridGetDiplText", ebBound),
        eventCase<&P::OnGridGetFloatFormat, &G::OnGetFloatFormat>("OnGridGetFloatFormat", ebBound),
        eventCase<&P::OnGridGetFormat, &G::OnGetFormat>("OnGridGetFormat", ebBound),
        eventCase<&P::OnGridHint, &G::OnGridHint>("OnGridHint", ebBound),
        eventCase<&P::OnGridRightClickCell, &G::OnRightClickCell>("OnGridRightClickCell", ebBound),
        eventCase<&P::OnGridScrollHint, &G::OnScrollHint>("OnGridScrollHint", ebBound),
        eventCase<&P::OnGridMouseMove, &C::OnMouseMove>("OnGridMouseMove", ebBound),
        eventCase<&P::OnGridMouseDown, &C::OnMouseDown>("OnGridMouseDown", ebBound),
        eventCase<&P::OnGridMouseUp, &C::OnMouseUp>("OnGridMouseUp", ebBound),
        eventCase<&P::OnGridKeyDown, &G::OnKeyDown>("OnGridKeyDown", ebKeys),
        eventCase<&P::OnGridKeyUp, &G::OnKeyUp>("OnGridKeyUp", ebKeys),
        eventCase<&P::OnGridKeyPress, &S::OnKeyPress>("OnGridKeyPress", ebKeys),
        eventCase<&P::OnGridButtonClick, &G::OnButtonClick>("OnGridButtonClick", ebBound),
        eventCase<&P::OnGridCheckBoxClick, &G::OnCheckBoxClick>("OnGridCheckBoxClick", ebBound),
        eventCase<&P::OnGridColumnSize, &G::OnColumnSize>("OnGridColumnSize", ebBound),
        eventCase<&P::OnGridColumnSizing, &C::OnColumnSizing>("OnGridColumnSizing", ebBound),
        eventCase<&P::OnGridEndColumnSize, &G::OnEndColumnSize>("OnGridEndColumnSize", ebBound),
        eventCase<&P::OnGridRowSize, &G::OnRowSize>("OnGridRowSize", ebBound),
        eventCase<&P::OnGridRowSizing, &C::OnRowSizing>("OnGridRowSizing", ebBound),
        eventCase<&P::OnGridEndRowSize, &G::OnEndRowSize>("OnGridEndRowSize", ebBound),
        eventCase<&P::OnGridGetEditorType, &G::OnGetEditorType>("OnGridGetEditorType", ebBound),
        eventCase<&P::OnGridGetEditorProp, &G::OnGetEditorPropInt>("OnGridGetEditorProp", ebBound),
        eventCase<&P::OnGridCanEditCell, &G::OnCanEditCell>("OnGridCanEditCell", ebBound),
        eventCase<&P::OnGridEllipsClick, &G::OnEllipsClick>("OnGridEllipsClick", ebBound),
        eventCase<&P::OnGridCellBalloon, &G::OnCellBalloon>("OnGridCellBalloon", ebBound),
        eventCase<&P::OnGridInsertCol, &G::OnAutoInsertCol>("OnGridInsertCol", ebBound),
        eventCase<&P::OnGridInsertRow, &G::OnAutoInsertRow>("OnGridInsertRow", ebBound),
        eventCase<&P::OnGridDeleteRow, &G::OnAutoDeleteRow>("OnGridDeleteRow", ebBound),
        eventCase<&P::OnGridAutoAddRow, &G::OnAutoAddRow>("OnGridAutoAddRow", ebBound),
        eventCase<&P::OnGridCanAddRow, &G::OnCanAddRow>("OnGridCanAddRow", ebBound),
        eventCase<&P::OnGridCanDeleteRow, &G::OnCanDeleteRow>("OnGridCanDeleteRow", ebBound),
        eventCase<&P::OnGridCanInsertRow, &G::OnCanInsertRow>("OnGridCanInsertRow", ebBound),
        eventCase<&P::OnGridColumnMove, &C::OnColumnMove>("OnGridColumnMove", ebBound),
        eventCase<&P::OnGridColumnMoved, &S::OnColumnMoved>("OnGridColumnMoved", ebBound),
        eventCase<&P::OnGridColumnMoving, &C::OnColumnMoving>("OnGridColumnMoving", ebBound),
        eventCase<&P::OnGridRowMove, &C::OnRowMove>("OnGridRowMove", ebBound),
        eventCase<&P::OnGridRowMoving, &C::OnRowMoving>("OnGridRowMoving", ebBound),
        eventCase<&P::OnGridRowMoved, &S::OnRowMoved>("OnGridRowMoved", ebBound),
        eventCase<&P::OnGridTopLeftChanged, &S::OnTopLeftChanged>("OnGridTopLeftChanged", ebBound),
        eventCase<&P::OnGridSearchEditChange, &G::OnSearchEditChange>("OnGridSearchEditChange", ebBound),
        eventCase<&P::OnGridSpinClick, &G::OnSpinClick>("OnGridSpinClick", ebNever),
    };
    return cases;
}
// clang-format on

} // namespace

TEST_F(GridDropDown, EveryRePublishedEventFromOneTable)
{
    const std::vector<EventCase>& cases = eventCases();
    const std::vector<TGridEventInfo>& table = GridEventTable();
    ASSERT_EQ(cases.size(), 54u);
    ASSERT_EQ(table.size(), cases.size());
    items(fruit);
    std::vector<Record> records(cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i].assign(*dd, records[i]);
    // Two openings: each binds the events afresh, also those a handler of the grid replaced.
    for (int opening = 1; opening <= 2; ++opening) {
        open();
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const EventCase& c = cases[i];
            SCOPED_TRACE(std::string(c.name) + " opening " + std::to_string(opening));
            EXPECT_STREQ(table[i].Published, c.name);
            EXPECT_EQ(table[i].Binding, c.binding);
            EXPECT_TRUE(table[i].Assigned(*dd));
            // Painting asks some of them too: only this call is counted.
            const int before = records[i].calls;
            const Fired f = c.fire(grid());
            const bool fires = c.binding == ebBound || c.binding == ebCustomDraw;
            EXPECT_EQ(records[i].calls - before, fires ? 1 : 0);
            if (!fires) {
                EXPECT_EQ(records[i].calls, 0);
                continue;
            }
            EXPECT_TRUE(f.handedBack);
            QObject* sender = std::string(c.name) == "OnGridTopLeftChanged" ? static_cast<QObject*>(dd) : &grid();
            EXPECT_EQ(records[i].sender, sender);
        }
        dd->HideDropDown(false);
        for (const EventCase& c : cases)
            if (c.binding == ebBound || c.binding == ebCustomDraw)
                c.unbind(grid());
    }
}

TEST_F(GridDropDown, TheColumnsPresetAlignmentColourAndAnEmptyFloatFormat)
{
    items(fruit);
    dd->Columns().Items(1).SetAlignment(grid::taRightJustify);
    dd->Columns().Items(1).SetColor(0x00FF00);
    open();
    grid::TAlignment ha = grid::taLeftJustify;
    grid::TVAlignment va{};
    grid().OnGetAlignment(&grid(), 1, 1, ha, va);
    EXPECT_EQ(ha, grid::taRightJustify);
    grid::TBrush brush;
    grid::TFont font;
    grid().OnGetCellColor(&grid(), 1, 1, {}, brush, font);
    EXPECT_EQ(brush.Color, 0x00FF00u);
    // Beyond the picker's columns nothing is preset.
    brush.Color = 0xABCDEF;
    grid().OnGetCellColor(&grid(), 1, 5, {}, brush, font);
    EXPECT_EQ(brush.Color, 0xABCDEFu);
    bool isFloat = true;
    QString format = QStringLiteral("%.2f");
    grid().OnGetFloatFormat(&grid(), 1, 1, isFloat, format);
    EXPECT_TRUE(format.isEmpty());
}

TEST_F(GridDropDown, ACustomDrawHandlerSetWhileOpenActsFromTheNextOpening)
{
    items(fruit);
    open();
    EXPECT_FALSE(grid().OnCustomCellDraw);
    int drawn = 0;
    dd->OnGridCustomCellDraw = [&](QObject*, QPainter&, int, int, grid::TGridDrawState, const grid::TRect&, bool) {
        ++drawn;
    };
    (void)grid().viewport()->grab();
    EXPECT_EQ(drawn, 0);
    dd->HideDropDown(false);
    open();
    ASSERT_TRUE(grid().OnCustomCellDraw);
    (void)grid().viewport()->grab();
    EXPECT_GT(drawn, 0);
}

TEST_F(GridDropDown, KeyEventsComeFromThePickerAfterItsOwnHandling)
{
    items(fruit);
    dd->SetItemIndex(0);
    open();
    QObject* sender = nullptr;
    int seen = 0;
    int itemWhenSeen = -2;
    dd->OnGridKeyDown = [&](QObject* s, int& k, Qt::KeyboardModifiers) {
        sender = s;
        seen = k;
        itemWhenSeen = dd->ItemIndex();
    };
    key(Qt::Key_Down);
    EXPECT_EQ(sender, dd);
    EXPECT_EQ(seen, int(Qt::Key_Down));
    // Down stays in the grid: the item had not moved yet when the event came.
    EXPECT_EQ(itemWhenSeen, 0);
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(GridDropDown, AModalWindowFromAButtonClickKeepsThePopupOpen)
{
    items(fruit);
    open();
    bool blockedWhileShown = false;
    bool openWhileShown = false;
    dd->OnGridButtonClick = [&](QObject*, int, int) {
        QDialog dialog;
        QTimer::singleShot(50, &dialog, [&] {
            blockedWhileShown = dd->DropDownForm()->BlockActivate();
            openWhileShown = dd->DroppedDown() && dd->DropDownForm()->isVisible();
            dialog.accept();
        });
        dialog.exec();
    };
    grid().OnButtonClick(&grid(), 0, 1);
    EXPECT_TRUE(blockedWhileShown);
    EXPECT_TRUE(openWhileShown);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
    EXPECT_TRUE(dd->DroppedDown());
}

// ---- the look of the open popup --------------------------------------------------------------

// GridDropDown_open.png: the popup sorted by its first column (capitals first), rows banded in
// two colours, the fifth row hovered, the current row selected and the search footer below.
TEST_F(GridDropDown, ScreenshotOfTheOpenPopupSortedBandedAndHovered)
{
    items(fruit);
    dd->SetSorting(gsSingleColumn);
    dd->SetDropDownHeight(320);
    constexpr TColor kPrimary = 0xF0E0D0;
    constexpr TColor kSecondary = 0xD0F0E0;
    constexpr TColor kHover = 0x80FFFF;
    dd->Bands().SetActive(true);
    dd->Bands().SetPrimaryColor(kPrimary);
    dd->Bands().SetSecondaryColor(kSecondary);
    dd->Bands().SetPrimaryLength(1);
    dd->Bands().SetSecondaryLength(1);
    dd->SetHoverRow(true);
    dd->SetHoverRowColor(kHover);
    dd->SearchFooter().SetVisible(true);
    dd->SetItemIndex(0);
    open();
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().CellRect(0, 0).toQRect().center());
    ASSERT_EQ(grid().Cells(0, 1).compare(grid().Cells(0, 2), Qt::CaseInsensitive) < 0, true);
    const int hovered = 5;
    QTest::mouseMove(grid().viewport(), grid().CellRect(1, hovered).toQRect().center());
    QCoreApplication::processEvents();
    const QImage form = dd->DropDownForm()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(testsupport::saveScreenshot(form, QStringLiteral("dropdowns/GridDropDown_open.png")));
    const QImage img = grid().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto at = [&](int x, int y) { return platform::fromQColor(QColor(img.pixel(x, y))); };
    // A point of a data row's second column away from its text and lines.
    const auto sample = [&](int row) {
        const grid::TRect r = grid().CellRect(1, row);
        return at(r.Right - 4, r.Top + 3);
    };
    const int current = grid().Row();
    for (int row = grid().FixedRows(); row < std::min(grid().RowCount(), 8); ++row) {
        SCOPED_TRACE(row);
        if (row == current)
            continue;
        if (row == hovered)
            EXPECT_EQ(sample(row), kHover) << std::hex << sample(row);
        else
            EXPECT_EQ(sample(row), (row - grid().FixedRows()) % 2 == 0 ? kPrimary : kSecondary)
                << std::hex << sample(row);
    }
    // The search footer shows under the rows.
    const QWidget* footer = grid().SearchPanel();
    ASSERT_NE(footer, nullptr);
    EXPECT_TRUE(footer->isVisible());
}
