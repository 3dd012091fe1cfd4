// The grid picker's 54 re-published popup grid events: one table names each event, how the
// opening binds it and to which grid event; one routine walks it at every opening. The
// forwarders pass their parameters on unchanged (var parameters go back to the grid), apart from
// the few rules of their own below.

#include "dropdowns/QvCustomGridDropDown.h"

namespace dropdowns::customgrid {

namespace {

template <class Event, class... Args>
void fire(const Event& event, Args&&... args)
{
    if (event)
        event(std::forward<Args>(args)...);
}

} // namespace

struct GridEventBinder {
    using P = TCustomQvGridDropDown;
    using G = grid::TQvStringGrid;
    using S = grid::TStringGrid;

    // The grid event calls the forwarder with the grid as sender and its own arguments.
    template <auto GridField, auto Forwarder>
    static void bind(P& picker, TQvColGrid& g)
    {
        g.*GridField = [&picker](auto* sender, auto&&... args) {
            (picker.*Forwarder)(sender, std::forward<decltype(args)>(args)...);
        };
    }
    // Custom drawing costs every cell a call: bound only when the handler is there at opening.
    template <auto GridField, auto Forwarder, auto PickerField>
    static void bindIfAssigned(P& picker, TQvColGrid& g)
    {
        if (picker.*PickerField)
            bind<GridField, Forwarder>(picker, g);
        else
            g.*GridField = nullptr;
    }
    template <auto PickerField>
    static bool assigned(const P& picker)
    {
        return bool(picker.*PickerField);
    }
    // The table control's editor-properties event also hands over the editor link; the picker's
    // event has none.
    static void bindEditorProp(P& picker, TQvColGrid& g)
    {
        g.OnGetEditorPropInt = [&picker](G* sender, int row, int col, void*) {
            picker.DoGridGetEditorProp(sender, row, col);
        };
    }

    static const std::vector<TGridEventInfo>& table()
    {
        // clang-format off
        static const std::vector<TGridEventInfo> rows = {
            {"OnGridAnchorClick", ebBound, &bind<&G::OnAnchorClick, &P::DoGridAnchorClick>, &assigned<&P::OnGridAnchorClick>},
            {"OnGridAnchorEnter", ebBound, &bind<&G::OnAnchorEnter, &P::DoGridAnchorEnter>, &assigned<&P::OnGridAnchorEnter>},
            {"OnGridAnchorExit", ebBound, &bind<&G::OnAnchorExit, &P::DoGridAnchorExit>, &assigned<&P::OnGridAnchorExit>},
            {"OnGridAnchorHint", ebBound, &bind<&G::OnAnchorHint, &P::DoGridAnchorHint>, &assigned<&P::OnGridAnchorHint>},
            {"OnGridCanSort", ebOwnHandler, nullptr, &assigned<&P::OnGridCanSort>},
            {"OnGridClickSort", ebOwnHandler, nullptr, &assigned<&P::OnGridClickSort>},
            {"OnGridCustomCompare", ebNever, nullptr, &assigned<&P::OnGridCustomCompare>},
            {"OnGridRawCompare", ebNever, nullptr, &assigned<&P::OnGridRawCompare>},
            {"OnGridCustomCellDraw", ebCustomDraw, &bindIfAssigned<&G::OnCustomCellDraw, &P::DoGridCustomCellDraw, &P::OnGridCustomCellDraw>, &assigned<&P::OnGridCustomCellDraw>},
            {"OnGridCustomCellBkgDraw", ebCustomDraw, &bindIfAssigned<&G::OnCustomCellBkgDraw, &P::DoGridCustomCellBkgDraw, &P::OnGridCustomCellBkgDraw>, &assigned<&P::OnGridCustomCellBkgDraw>},
            {"OnGridGetAlignment", ebBound, &bind<&G::OnGetAlignment, &P::DoGridGetAlignment>, &assigned<&P::OnGridGetAlignment>},
            {"OnGridGetCellColor", ebBound, &bind<&G::OnGetCellColor, &P::DoGridGetCellColor>, &assigned<&P::OnGridGetCellColor>},
            {"OnGridGetCellGradient", ebBound, &bind<&G::OnGetCellGradient, &P::DoGridGetCellGradient>, &assigned<&P::OnGridGetCellGradient>},
            {"OnGridGetDiplText", ebBound, &bind<&grid::TBaseGrid::OnGetDisplText, &P::DoGridGetDiplText>, &assigned<&P::OnGridGetDiplText>},
            {"OnGridGetFloatFormat", ebBound, &bind<&G::OnGetFloatFormat, &P::DoGridGetFloatFormat>, &assigned<&P::OnGridGetFloatFormat>},
            {"OnGridGetFormat", ebBound, &bind<&G::OnGetFormat, &P::DoGridGetFormat>, &assigned<&P::OnGridGetFormat>},
            {"OnGridHint", ebBound, &bind<&G::OnGridHint, &P::DoGridHint>, &assigned<&P::OnGridHint>},
            {"OnGridRightClickCell", ebBound, &bind<&G::OnRightClickCell, &P::DoGridRightClickCell>, &assigned<&P::OnGridRightClickCell>},
            {"OnGridScrollHint", ebBound, &bind<&G::OnScrollHint, &P::DoGridScrollHint>, &assigned<&P::OnGridScrollHint>},
            {"OnGridMouseMove", ebBound, &bind<&TQvColGrid::OnMouseMove, &P::DoGridMouseMove>, &assigned<&P::OnGridMouseMove>},
            {"OnGridMouseDown", ebBound, &bind<&TQvColGrid::OnMouseDown, &P::DoGridMouseDown>, &assigned<&P::OnGridMouseDown>},
            {"OnGridMouseUp", ebBound, &bind<&TQvColGrid::OnMouseUp, &P::DoGridMouseUp>, &assigned<&P::OnGridMouseUp>},
            {"OnGridKeyDown", ebKeys, nullptr, &assigned<&P::OnGridKeyDown>},
            {"OnGridKeyUp", ebKeys, nullptr, &assigned<&P::OnGridKeyUp>},
            {"OnGridKeyPress", ebKeys, nullptr, &assigned<&P::OnGridKeyPress>},
            {"OnGridButtonClick", ebBound, &bind<&G::OnButtonClick, &P::DoGridButtonClick>, &assigned<&P::OnGridButtonClick>},
            {"OnGridCheckBoxClick", ebBound, &bind<&G::OnCheckBoxClick, &P::DoGridCheckBoxClick>, &assigned<&P::OnGridCheckBoxClick>},
            {"OnGridColumnSize", ebBound, &bind<&G::OnColumnSize, &P::DoGridColumnSize>, &assigned<&P::OnGridColumnSize>},
            {"OnGridColumnSizing", ebBound, &bind<&TQvColGrid::OnColumnSizing, &P::DoGridColumnSizing>, &assigned<&P::OnGridColumnSizing>},
            {"OnGridEndColumnSize", ebBound, &bind<&G::OnEndColumnSize, &P::DoGridEndColumnSize>, &assigned<&P::OnGridEndColumnSize>},
            {"OnGridRowSize", ebBound, &bind<&G::OnRowSize, &P::DoGridRowSize>, &assigned<&P::OnGridRowSize>},
            {"OnGridRowSizing", ebBound, &bind<&TQvColGrid::OnRowSizing, &P::DoGridRowSizing>, &assigned<&P::OnGridRowSizing>},
            {"OnGridEndRowSize", ebBound, &bind<&G::OnEndRowSize, &P::DoGridEndRowSize>, &assigned<&P::OnGridEndRowSize>},
            {"OnGridGetEditorType", ebBound, &bind<&G::OnGetEditorType, &P::DoGridGetEditorType>, &assigned<&P::OnGridGetEditorType>},
            {"OnGridGetEditorProp", ebBound, &bindEditorProp, &assigned<&P::OnGridGetEditorProp>},
            {"OnGridCanEditCell", ebBound, &bind<&G::OnCanEditCell, &P::DoGridCanEditCell>, &assigned<&P::OnGridCanEditCell>},
            {"OnGridEllipsClick", ebBound, &bind<&G::OnEllipsClick, &P::DoGridEllipsClick>, &assigned<&P::OnGridEllipsClick>},
            {"OnGridCellBalloon", ebBound, &bind<&G::OnCellBalloon, &P::DoGridCellBalloon>, &assigned<&P::OnGridCellBalloon>},
            {"OnGridInsertCol", ebBound, &bind<&G::OnAutoInsertCol, &P::DoGridInsertCol>, &assigned<&P::OnGridInsertCol>},
            {"OnGridInsertRow", ebBound, &bind<&G::OnAutoInsertRow, &P::DoGridInsertRow>, &assigned<&P::OnGridInsertRow>},
            {"OnGridDeleteRow", ebBound, &bind<&G::OnAutoDeleteRow, &P::DoGridDeleteRow>, &assigned<&P::OnGridDeleteRow>},
            {"OnGridAutoAddRow", ebBound, &bind<&G::OnAutoAddRow, &P::DoGridAutoAddRow>, &assigned<&P::OnGridAutoAddRow>},
            {"OnGridCanAddRow", ebBound, &bind<&G::OnCanAddRow, &P::DoGridCanAddRow>, &assigned<&P::OnGridCanAddRow>},
            {"OnGridCanDeleteRow", ebBound, &bind<&G::OnCanDeleteRow, &P::DoGridCanDeleteRow>, &assigned<&P::OnGridCanDeleteRow>},
            {"OnGridCanInsertRow", ebBound, &bind<&G::OnCanInsertRow, &P::DoGridCanInsertRow>, &assigned<&P::OnGridCanInsertRow>},
            {"OnGridColumnMove", ebBound, &bind<&TQvColGrid::OnColumnMove, &P::DoGridColumnMove>, &assigned<&P::OnGridColumnMove>},
            {"OnGridColumnMoved", ebBound, &bind<&S::OnColumnMoved, &P::DoGridColumnMoved>, &assigned<&P::OnGridColumnMoved>},
            {"OnGridColumnMoving", ebBound, &bind<&TQvColGrid::OnColumnMoving, &P::DoGridColumnMoving>, &assigned<&P::OnGridColumnMoving>},
            {"OnGridRowMove", ebBound, &bind<&TQvColGrid::OnRowMove, &P::DoGridRowMove>, &assigned<&P::OnGridRowMove>},
            {"OnGridRowMoving", ebBound, &bind<&TQvColGrid::OnRowMoving, &P::DoGridRowMoving>, &assigned<&P::OnGridRowMoving>},
            {"OnGridRowMoved", ebBound, &bind<&S::OnRowMoved, &P::DoGridRowMoved>, &assigned<&P::OnGridRowMoved>},
            {"OnGridTopLeftChanged", ebBound, &bind<&S::OnTopLeftChanged, &P::DoGridTopLeftChanged>, &assigned<&P::OnGridTopLeftChanged>},
            {"OnGridSearchEditChange", ebBound, &bind<&G::OnSearchEditChange, &P::DoGridSearchEditChange>, &assigned<&P::OnGridSearchEditChange>},
            {"OnGridSpinClick", ebNever, nullptr, &assigned<&P::OnGridSpinClick>},
        };
        // clang-format on
        return rows;
    }
};

const std::vector<TGridEventInfo>& GridEventTable()
{
    return GridEventBinder::table();
}

void TCustomQvGridDropDown::bindGridEvents(TQvColGrid& g)
{
    g.OnStartBlockFocus = [this](grid::TQvStringGrid*) { GridStartBlockFocus(); };
    g.OnEndBlockFocus = [this](grid::TQvStringGrid*) { GridEndBlockFocus(); };
    g.OnSelect = [this](QObject*) { GridSelect(); };
    for (const TGridEventInfo& e : GridEventTable())
        if (e.Bind)
            e.Bind(*this, g);
    // The sort events are the picker's own, so the chosen item stays current after a sort.
    g.OnCanSort = [this](grid::TQvStringGrid*, int col, bool& doSort) { GridCanSort(col, doSort); };
    g.OnClickSort = [this](grid::TQvStringGrid*, int col) { GridClickSort(col); };
    g.OnSelectCell = [this](grid::TStringGrid*, int col, int row, bool& canSelect) {
        GridSelectCell(col, row, canSelect);
    };
}

// ---- forwarders with rules of their own ------------------------------------------------------

// A window opened by the handler must not close the popup.
void TCustomQvGridDropDown::DoGridAnchorClick(QObject* Sender, int ARow, int ACol, const QString& Anchor,
                                              bool& AutoHandle)
{
    setBlockActivate(true);
    fire(OnGridAnchorClick, Sender, ARow, ACol, Anchor, AutoHandle);
    setBlockActivate(false);
}

void TCustomQvGridDropDown::DoGridButtonClick(QObject* Sender, int ACol, int ARow)
{
    setBlockActivate(true);
    fire(OnGridButtonClick, Sender, ACol, ARow);
    setBlockActivate(false);
}

void TCustomQvGridDropDown::DoGridEllipsClick(QObject* Sender, int ACol, int ARow, QString& S)
{
    setBlockActivate(true);
    fire(OnGridEllipsClick, Sender, ACol, ARow, S);
    setBlockActivate(false);
}

// The picker's columns give the defaults; the handler may change them.
void TCustomQvGridDropDown::DoGridGetAlignment(QObject* Sender, int ARow, int ACol, grid::TAlignment& HAlign,
                                               grid::TVAlignment& VAlign)
{
    if (ACol >= 0 && ACol < FColumns->Count())
        HAlign = FColumns->Items(ACol).Alignment();
    fire(OnGridGetAlignment, Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomQvGridDropDown::DoGridGetCellColor(QObject* Sender, int ARow, int ACol, grid::TGridDrawState AState,
                                               grid::TBrush& ABrush, TFont& AFont)
{
    // Switched-on bands colour the data rows; the columns' colours (white unless set) would
    // hide them.
    const bool banded = FQvColGrid && FQvColGrid->Bands().Active() && ARow >= FQvColGrid->FixedRows();
    if (ACol >= 0 && ACol < FColumns->Count() && !banded)
        ABrush.Color = FColumns->Items(ACol).Color();
    fire(OnGridGetCellColor, Sender, ARow, ACol, AState, ABrush, AFont);
}

// Floats show with an empty format unless the handler gives one.
void TCustomQvGridDropDown::DoGridGetFloatFormat(QObject* Sender, int ACol, int ARow, bool& IsFloat,
                                                 QString& FloatFormat)
{
    FloatFormat.clear();
    fire(OnGridGetFloatFormat, Sender, ACol, ARow, IsFloat, FloatFormat);
}

// The popup's balloon hints start afresh at the first mouse move of each opening.
void TCustomQvGridDropDown::DoGridMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (!FBalloonInit) {
        FBalloonInit = true;
        if (FQvColGrid && FQvColGrid->Balloon.Enable()) {
            FQvColGrid->Balloon.SetEnable(false);
            FQvColGrid->Balloon.SetEnable(true);
        }
    }
    fire(OnGridMouseMove, Sender, Shift, X, Y);
}

void TCustomQvGridDropDown::DoGridTopLeftChanged(QObject*)
{
    fire(OnGridTopLeftChanged, this);
}

void TCustomQvGridDropDown::DoGridCustomCellDraw(QObject* Sender, QPainter& Canvas, int ACol, int ARow,
                                                 grid::TGridDrawState AState, TRect ARect, bool Printing)
{
    fire(OnGridCustomCellDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomQvGridDropDown::DoGridCustomCellBkgDraw(QObject* Sender, QPainter& Canvas, int ACol, int ARow,
                                                    grid::TGridDrawState AState, TRect ARect, bool Printing)
{
    fire(OnGridCustomCellBkgDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

// ---- plain forwarders ------------------------------------------------------------------------

void TCustomQvGridDropDown::DoGridAnchorEnter(QObject* s, int r, int c, const QString& a)
{
    fire(OnGridAnchorEnter, s, r, c, a);
}
void TCustomQvGridDropDown::DoGridAnchorExit(QObject* s, int r, int c, const QString& a)
{
    fire(OnGridAnchorExit, s, r, c, a);
}
void TCustomQvGridDropDown::DoGridAnchorHint(QObject* s, int r, int c, QString& a)
{
    fire(OnGridAnchorHint, s, r, c, a);
}
void TCustomQvGridDropDown::DoGridCanSort(QObject* s, int c, bool& d)
{
    fire(OnGridCanSort, s, c, d);
}
void TCustomQvGridDropDown::DoGridClickSort(QObject* s, int c)
{
    fire(OnGridClickSort, s, c);
}
void TCustomQvGridDropDown::DoGridCustomCompare(QObject* s, const QString& a, const QString& b, int& res)
{
    fire(OnGridCustomCompare, s, a, b, res);
}
void TCustomQvGridDropDown::DoGridRawCompare(QObject* s, int c, int r1, int r2, int& res)
{
    fire(OnGridRawCompare, s, c, r1, r2, res);
}
void TCustomQvGridDropDown::DoGridColumnSize(QObject* s, int c, bool& a)
{
    fire(OnGridColumnSize, s, c, a);
}
void TCustomQvGridDropDown::DoGridColumnSizing(QObject* s, int c, int w)
{
    fire(OnGridColumnSizing, s, c, w);
}
void TCustomQvGridDropDown::DoGridEndColumnSize(QObject* s, int c)
{
    fire(OnGridEndColumnSize, s, c);
}
void TCustomQvGridDropDown::DoGridRowSize(QObject* s, int r, bool& a)
{
    fire(OnGridRowSize, s, r, a);
}
void TCustomQvGridDropDown::DoGridRowSizing(QObject* s, int r, int h)
{
    fire(OnGridRowSizing, s, r, h);
}
void TCustomQvGridDropDown::DoGridEndRowSize(QObject* s, int r)
{
    fire(OnGridEndRowSize, s, r);
}
void TCustomQvGridDropDown::DoGridRowMove(QObject* s, int r, bool& a)
{
    fire(OnGridRowMove, s, r, a);
}
void TCustomQvGridDropDown::DoGridRowMoving(QObject* s, int r, bool& a)
{
    fire(OnGridRowMoving, s, r, a);
}
void TCustomQvGridDropDown::DoGridRowMoved(QObject* s, int f, int t)
{
    fire(OnGridRowMoved, s, f, t);
}
void TCustomQvGridDropDown::DoGridColumnMove(QObject* s, int c, bool& a)
{
    fire(OnGridColumnMove, s, c, a);
}
void TCustomQvGridDropDown::DoGridColumnMoving(QObject* s, int c, bool& a)
{
    fire(OnGridColumnMoving, s, c, a);
}
void TCustomQvGridDropDown::DoGridColumnMoved(QObject* s, int f, int t)
{
    fire(OnGridColumnMoved, s, f, t);
}
void TCustomQvGridDropDown::DoGridCellBalloon(QObject* s, int c, int r, QString& t, QString& x, int& i)
{
    fire(OnGridCellBalloon, s, c, r, t, x, i);
}
void TCustomQvGridDropDown::DoGridGetCellGradient(QObject* s, int r, int c, TColor& a, TColor& b, TColor& m, TColor& n,
                                                  grid::TCellGradientDirection& d)
{
    fire(OnGridGetCellGradient, s, r, c, a, b, m, n, d);
}
void TCustomQvGridDropDown::DoGridGetEditorType(QObject* s, int c, int r, grid::TEditorType& e)
{
    fire(OnGridGetEditorType, s, c, r, e);
}
void TCustomQvGridDropDown::DoGridGetEditorProp(QObject* s, int r, int c)
{
    fire(OnGridGetEditorProp, s, r, c);
}
void TCustomQvGridDropDown::DoGridCanEditCell(QObject* s, int r, int c, bool& e)
{
    fire(OnGridCanEditCell, s, r, c, e);
}
void TCustomQvGridDropDown::DoGridGetDiplText(QObject* s, int c, int r, QString& v)
{
    fire(OnGridGetDiplText, s, c, r, v);
}
void TCustomQvGridDropDown::DoGridGetFormat(QObject* s, int c, grid::TSortStyle& st, QString& p, QString& x)
{
    fire(OnGridGetFormat, s, c, st, p, x);
}
void TCustomQvGridDropDown::DoGridHint(QObject* s, int r, int c, QString& h)
{
    fire(OnGridHint, s, r, c, h);
}
void TCustomQvGridDropDown::DoGridMouseDown(QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y)
{
    fire(OnGridMouseDown, s, b, m, x, y);
}
void TCustomQvGridDropDown::DoGridMouseUp(QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y)
{
    fire(OnGridMouseUp, s, b, m, x, y);
}
void TCustomQvGridDropDown::DoGridKeyDown(QObject* s, int& k, Qt::KeyboardModifiers m)
{
    fire(OnGridKeyDown, s, k, m);
}
void TCustomQvGridDropDown::DoGridKeyUp(QObject* s, int& k, Qt::KeyboardModifiers m)
{
    fire(OnGridKeyUp, s, k, m);
}
void TCustomQvGridDropDown::DoGridKeyPress(QObject* s, QChar& k)
{
    fire(OnGridKeyPress, s, k);
}
void TCustomQvGridDropDown::DoGridRightClickCell(QObject* s, int r, int c)
{
    fire(OnGridRightClickCell, s, r, c);
}
void TCustomQvGridDropDown::DoGridScrollHint(QObject* s, int r, QString& h)
{
    fire(OnGridScrollHint, s, r, h);
}
void TCustomQvGridDropDown::DoGridSearchEditChange(QObject* s, const QString& v, bool& d)
{
    fire(OnGridSearchEditChange, s, v, d);
}
void TCustomQvGridDropDown::DoGridSpinClick(QObject* s, int c, int r, int v, bool u)
{
    fire(OnGridSpinClick, s, c, r, v, u);
}
void TCustomQvGridDropDown::DoGridAutoAddRow(QObject* s, int r)
{
    fire(OnGridAutoAddRow, s, r);
}
void TCustomQvGridDropDown::DoGridInsertRow(QObject* s, int r)
{
    fire(OnGridInsertRow, s, r);
}
void TCustomQvGridDropDown::DoGridInsertCol(QObject* s, int c)
{
    fire(OnGridInsertCol, s, c);
}
void TCustomQvGridDropDown::DoGridDeleteRow(QObject* s, int r)
{
    fire(OnGridDeleteRow, s, r);
}
void TCustomQvGridDropDown::DoGridCanAddRow(QObject* s, bool& a)
{
    fire(OnGridCanAddRow, s, a);
}
void TCustomQvGridDropDown::DoGridCanInsertRow(QObject* s, int r, bool& a)
{
    fire(OnGridCanInsertRow, s, r, a);
}
void TCustomQvGridDropDown::DoGridCanDeleteRow(QObject* s, int r, bool& a)
{
    fire(OnGridCanDeleteRow, s, r, a);
}
void TCustomQvGridDropDown::DoGridCheckBoxClick(QObject* s, int c, int r, bool st)
{
    fire(OnGridCheckBoxClick, s, c, r, st);
}

} // namespace dropdowns::customgrid
