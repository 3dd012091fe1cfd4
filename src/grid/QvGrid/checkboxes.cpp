// Check boxes, radio buttons and radio groups in cells: making them, their state (in the
// graphic, in the cell text for data check boxes, in the row selection for row check boxes),
// toggling with group propagation, the column-wide operations and the glyph hit test.

#include "grid/QvGrid.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace grid {

namespace {

bool isCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox
           || t == ctTriStateCheckBox;
}

TCellVAlign cellVAlign(TVAlignment v)
{
    return v == vtaCenter ? vaCenter : v == vtaBottom ? vaBottom : vaTop;
}

} // namespace

bool TQvStringGrid::IsControlCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

bool TQvStringGrid::IsDataBoundGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

// The graphic of a cell addressed by real row: the cell's own (from the hidden-row store when
// the row is hidden), else the shared virtual or row check box the lookup answers.
TCellGraphic* TQvStringGrid::checkGraphic(int ACol, int realRow)
{
    if (ACol < 0 || realRow < 0)
        return nullptr;
    if (FGridItems.empty())
        return GetCellGraphic(ACol, realRow);
    if (TObject* o = CellObjectByRealRow(ACol, realRow))
        if (TCellGraphic* g = PropertiesGraphic(o))
            return g;
    if (IsHiddenRow(realRow))
        return nullptr;
    TCellGraphic* g = GetCellGraphic(ACol, DisplRowFromReal(realRow));
    return g && (g->FCellType == ctVirtCheckBox || g->FCellType == ctRowCheckBox) ? g : nullptr;
}

// ---- check boxes -----------------------------------------------------------------------------

void TQvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EQvGridError(QStringLiteral("Invalid cell"));
    if (Data) {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        const QString text = Cells(ACol, ARow);
        if (text != t && text != f)
            SetCells(ACol, ARow, State ? t : f);
    }
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, Data, true, haBeforeText, cellVAlign(VAlignment));
    g->FCellAngle = 0;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState state)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EQvGridError(QStringLiteral("Invalid cell"));
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(state, true, haBeforeText, cellVAlign(VAlignment));
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r)
        AddCheckBox(ACol, r, state);
}

void TQvStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox)
        return;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->FCellAngle == 1 && t != ctTriStateCheckBox) {
        delete g->FCellBitmap; // the attached balloon's texts
        g->FCellBitmap = nullptr;
        g->FCellAngle = 0;
    }
    RemoveCellGraphic(ACol, ARow);
}

bool TQvStringGrid::HasCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return isCheckKind(GetCellType(b.X, b.Y));
}

bool TQvStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

// A tri-state check box answers whether it is checked, hidden rows or not.
bool TQvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& state)
{
    const TCellGraphic* g = checkGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->FCellType) {
    case ctCheckBox:
        state = g->FCellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        GetCheckTrue(ACol, ARow, t);
        state = GetCellsEx(ACol, ARow) == t;
        return true;
    }
    case ctTriStateCheckBox:
        state = g->FCellCheckBoxState == cbChecked;
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        state = GetRowSelect(DisplRowFromReal(ARow));
        return true;
    default:
        return false;
    }
}

bool TQvStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& state)
{
    const TCellGraphic* g = checkGraphic(ACol, ARow);
    if (g && g->FCellType == ctTriStateCheckBox) {
        state = g->FCellCheckBoxState;
        return true;
    }
    bool checked = false;
    if (!GetCheckBoxState(ACol, ARow, checked))
        return false;
    state = BoolToCheckBoxState(checked);
    return true;
}

// ARow is a real row; data check boxes take their text at that real row, in the hidden-row
// store when the row is hidden.
bool TQvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = checkGraphic(ACol, ARow);
    if (!g)
        return false;
    const bool shown = !IsHiddenRow(ARow);
    const int displ = DisplRowFromReal(ARow);
    switch (g->FCellType) {
    case ctCheckBox:
        g->FCellBoolean = State;
        break;
    case ctTriStateCheckBox:
        g->FCellCheckBoxState = BoolToCheckBoxState(State);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString text;
        if (State)
            GetCheckTrue(ACol, ARow, text);
        else
            GetCheckFalse(ACol, ARow, text);
        SetCellsEx(ACol, ARow, text);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0 || !shown)
            return false;
        SetRowSelect(displ, State);
        return true;
    default:
        return false;
    }
    if (shown)
        RepaintCell(DisplColIndex(ACol), displ);
    return true;
}

bool TQvStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    TCellGraphic* g = checkGraphic(ACol, ARow);
    if (!g || g->FCellType != ctTriStateCheckBox)
        return false;
    g->FCellCheckBoxState = State;
    if (!IsHiddenRow(ARow))
        RepaintCell(DisplColIndex(ACol), DisplRowFromReal(ARow));
    return true;
}

bool TQvStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TQvStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = FGridItems.empty() ? GetCellGraphic(ACol, ARow) : checkGraphic(ACol, RealRowIndex(ARow));
    if (!g)
        return false;
    switch (g->FCellType) {
    case ctCheckBox:
        if (State != g->FCellBoolean) {
            g->FCellBoolean = State;
            CheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        const bool was = Cells(ACol, ARow) == t;
        SetCells(ACol, ARow, State ? t : f);
        if (State != was)
            CheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        if (State != GetRowSelect(ARow)) {
            SetRowSelect(ARow, State);
            CheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TQvStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, true);
    if (FNumHidden > 0)
        RepaintCol(DisplColIndex(ACol));
}

void TQvStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, false);
}

bool TQvStringGrid::DoToggleCheckBox(int ACol, int ARow, bool FromUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !isCheckKind(g->FCellType))
        return false;

    const bool group = Grouping.AutoCheckGroup;
    const bool node = group && IsNode(ARow);
    const int nodeSpan = node ? GetNodeSpan(ARow) : 0;
    const bool contracted = node && GetNodeState(ARow);
    const int parent = group && !node ? GetParentRow(ARow) : -1;
    const int parentSpan = parent >= 0 ? GetNodeSpan(parent) : 0;

    if (FromUser && !PaintSettings().ControlLook.CheckAlwaysActive()) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return false;
    }

    bool state = false;
    switch (g->FCellType) {
    case ctCheckBox:
        g->FCellBoolean = !g->FCellBoolean;
        state = g->FCellBoolean;
        break;
    case ctTriStateCheckBox:
        if (node) {
            g->FCellCheckBoxState = g->FCellCheckBoxState == cbChecked ? cbUnchecked : cbChecked;
            state = g->FCellCheckBoxState == cbChecked;
        } else {
            g->FCellCheckBoxState = g->FCellCheckBoxState == cbUnchecked ? cbGrayed
                                    : g->FCellCheckBoxState == cbGrayed  ? cbChecked
                                                                         : cbUnchecked;
            state = false;
        }
        break;
    default: { // data, virtual and row check boxes: the text is the state
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        state = Cells(ACol, ARow) != t;
        if (g->FCellType == ctRowCheckBox && ACol == 0)
            SetRowSelect(ARow, !GetRowSelect(ARow));
        else
            SetCells(ACol, ARow, state ? t : f);
        break;
    }
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    CheckBoxChange(ACol, ARow, state);

    if (group) {
        if (node) {
            const int realNode = RealRowIndex(ARow);
            for (int k = 1; k < nodeSpan; ++k)
                SetCheckBoxState(ACol, contracted ? realNode + k : RealRowIndex(ARow + k), state);
        } else if (parent >= 0 && parentSpan > 1) {
            const int realParent = RealRowIndex(parent);
            bool first = false;
            bool same = true;
            GetCheckBoxState(ACol, realParent + 1, first);
            for (int k = 2; k < parentSpan; ++k) {
                bool s = false;
                GetCheckBoxState(ACol, realParent + k, s);
                same = same && s == first;
            }
            SetCheckBoxState(ACol, realParent, same ? BoolToCheckBoxState(first) : cbGrayed);
        }
    }

    if (UndoRedo()) {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        if (state)
            UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), f, t);
        else
            UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), t, f);
    }
    return true;
}

// Undo records name the real row (ARow here): a hidden row takes its text in the hidden-row
// store. Undoing a toggle of a plain check box sets the box again; only cells whose state is
// their text take the text.
void TQvStringGrid::UndoRedoSetCell(int ACol, int ARow, const QString& value)
{
    const int shown = UndoRedoShownRow(ARow);
    TCellGraphic* g = nullptr;
    if (ACol >= 0 && ARow >= 0)
        g = shown >= 0 ? GetCellGraphic(ACol, shown) : CellGraphicByRealRow(ACol, ARow);
    if (g && (g->FCellType == ctCheckBox || g->FCellType == ctTriStateCheckBox)) {
        QString t;
        GetCheckTrue(ACol, std::max(shown, 0), t);
        if (g->FCellType == ctCheckBox)
            g->FCellBoolean = value == t;
        else
            g->FCellCheckBoxState = BoolToCheckBoxState(value == t);
        if (shown >= 0)
            RepaintCell(DisplColIndex(ACol), shown);
        return;
    }
    SetCellsEx(ACol, ARow, value);
}

QString TQvStringGrid::UndoRedoCell(int ACol, int ARow)
{
    return GetCellsEx(ACol, ARow);
}

int TQvStringGrid::UndoRedoShownRow(int ARow) const
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return -1;
    return DisplRowFromReal(ARow);
}

void TQvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r) {
        if (IsSummary(r))
            continue;
        if (IsNode(r))
            AddCheckBox(ACol, r, cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TQvStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

bool TQvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(isCheckKind(g->FCellType) || g->FCellType == ctRadioButton))
        return false;
    if (!FMouseActions->PreciseCheckBoxCheck())
        return true;
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    const int s = PaintSettings().ControlLook.CheckSize();
    int top = r.Top + (r.Height() - s) / 2;
    if (g->FCellVAlign == vaTop)
        top = r.Top + 2;
    else if (g->FCellVAlign == vaBottom)
        top = r.Bottom - s - 2;
    TAlignment ha = CellHasProperties(ACol, ARow)
                        ? static_cast<const TCellProperties*>(GetGridObject(ACol, ARow))->FAlignment
                        : FDefaultAlignment;
    TVAlignment va = VAlignment;
    GetCellAlignment(ACol, ARow, ha, va);
    int left = r.Left + 2;
    if (ha == taRightJustify) {
        left = r.Right - s - 2;
        const QString text = Cells(ACol, ARow);
        if (!text.isEmpty()) {
            const TFont f = GetCellFont(ACol, ARow);
            QFont font(f.Name);
            font.setPointSize(std::max(1, f.Size));
            left -= QFontMetrics(font).horizontalAdvance(text);
        }
    } else if (ha == taCenter) {
        left = r.Left + (r.Width() - s) / 2;
    }
    return XPos >= left && XPos < left + s && YPos >= top && YPos < top + s;
}

// ---- radio buttons -------------------------------------------------------------------------

void TQvStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EQvGridError(QStringLiteral("Invalid cell"));
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetRadioButton(State, true, haBeforeText, cellVAlign(VAlignment));
    g->FCellAngle = 0;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadioButton);
}

bool TQvStringGrid::HasRadioButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

bool TQvStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->FCellBoolean;
}

bool TQvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g->FCellBoolean != State) {
        g->FCellBoolean = State;
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TQvStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TQvStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        RemoveRadioButton(ACol, r);
}

void TQvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

int TQvStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TQvStringGrid::DoClickRadioButton(int ACol, int ARow, bool FromUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->FCellType != ctRadioButton)
        return false;
    if (FromUser && !PaintSettings().ControlLook.CheckAlwaysActive()) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return false;
    }
    if (!g->FCellBoolean) {
        g->FCellBoolean = true;
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow)
                continue;
            TCellGraphic* other = GetCellGraphic(ACol, r);
            if (other && other->FCellType == ctRadioButton && other->FCellBoolean) {
                other->FCellBoolean = false;
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

// ---- radio groups ----------------------------------------------------------------------------

void TQvStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctRadio;
    g->FCellIndex = IdxRadio;
    g->FCellBitmap = sl;
    g->FCellAngle = sl ? sl->Count() : 0;
    g->FCellBoolean = DirRadio != 0;
    g->FCellCreated = false;
    RepaintCell(DisplColIndex(ACol), ARow);
}

TStringList* TQvStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* list = new TStringList; // owned by the graphic (FCellCreated)
    g->FCellType = ctRadio;
    g->FCellIndex = IdxRadio;
    g->FCellBitmap = list;
    g->FCellAngle = 0;
    g->FCellBoolean = DirRadio != 0;
    g->FCellCreated = true;
    RepaintCell(DisplColIndex(ACol), ARow);
    return list;
}

bool TQvStringGrid::IsRadio(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadio;
}

bool TQvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    if (!IsRadio(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    IdxRadio = GetCellGraphic(b.X, b.Y)->FCellIndex;
    return true;
}

bool TQvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    if (!IsRadio(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    GetCellGraphic(b.X, b.Y)->FCellIndex = IdxRadio;
    if (IdxRadio == -1)
        SetCells(ACol, ARow, QString());
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

TStringList* TQvStringGrid::GetRadioStrings(int ACol, int ARow)
{
    if (!IsRadio(ACol, ARow))
        return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return dynamic_cast<TStringList*>(GetCellGraphic(b.X, b.Y)->FCellBitmap);
}

void TQvStringGrid::RemoveRadio(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadio);
}

void TQvStringGrid::CycleRadioGroup(int ACol, int ARow, bool FromUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->FCellType != ctRadio)
        return;
    if (FromUser && !PaintSettings().ControlLook.RadioAlwaysActive()) {
        bool allowed = true;
        CanEditCell(ACol, ARow, allowed);
        if (!allowed)
            return;
    }
    const auto* list = dynamic_cast<const TStringList*>(g->FCellBitmap);
    const int count = list ? list->Count() : 0;
    if (count == 0)
        return;
    int next = g->FCellIndex >= 0 ? g->FCellIndex + 1 : int(list->Strings.indexOf(Cells(ACol, ARow))) + 1;
    if (next >= count)
        next = 0;
    if (g->FCellIndex >= -1)
        g->FCellIndex = next;
    g->FCellVar = next;
    SetCells(ACol, ARow, list->Strings[next]);
}

void TQvStringGrid::CheckBoxClick(int ACol, int ARow, bool state)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, state);
}

void TQvStringGrid::CheckBoxChange(int ACol, int ARow, bool state)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, state);
}

} // namespace grid
