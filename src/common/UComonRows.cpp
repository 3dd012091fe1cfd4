#include "common/UComonRows.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Messages.h"

namespace common {

namespace {

constexpr int kTextRowUsed = 1500;
constexpr int kTextCopyWidth = 1501;
constexpr int kTextCopyFirst = 1502;

void showError(const TRowMessages& ui, int number)
{
    if (ui.messages)
        ui.messages->error(ui.parent, Lang_Text(number));
}

bool askOverwrite(const TRowMessages& ui)
{
    return ui.messages && ui.messages->askYesNo(ui.parent, Lang_Text(kTextRowUsed));
}

// Steps 1 and 2 of every paste: a row of this very table must be in the buffer, and of this
// table's width. The buffer remembers its table so that a row copied elsewhere never lands
// in a table whose columns mean something else, even when the widths happen to match.
bool canPaste(const TRowTable& grid, bool copied, const TRowMessages& ui)
{
    if (!copied || Copy_Source() != grid.TableKey()) {
        showError(ui, kTextCopyFirst);
        return false;
    }
    if (grid.Handled_Col_End() != State().Copy_Str.size() + 1) {
        showError(ui, kTextCopyWidth);
        return false;
    }
    return true;
}

// Row 0 is every table's header row: the helpers never move it.
bool validRow(const TRowTable& grid, int row)
{
    return row >= 1 && row < grid.RowCount();
}

// Moves cell (col, from) onto (col, to), check state or text, and the read-only flag.
void moveCellEx(TRowTable& grid, int col, int from, int to)
{
    if (grid.HasCheckBox(col, from))
        grid.SetCheckBoxChecked(col, to, grid.CheckBoxChecked(col, from));
    else
        grid.SetCells(col, to, grid.Cells(col, from));
    grid.SetReadOnly(col, to, grid.ReadOnly(col, from));
}

void clearCellEx(TRowTable& grid, int col, int row, bool setEnable, bool readOnly)
{
    if (grid.HasCheckBox(col, row))
        grid.SetCheckBoxChecked(col, row, setEnable && col == 1);
    else
        grid.SetCells(col, row, QString());
    grid.SetReadOnly(col, row, readOnly);
}

} // namespace

TTextTable::TTextTable(QString key, int cols, int rows)
    : key_(std::move(key)), cols_(cols), rows_(rows), cells_(size_t(cols) * size_t(rows))
{
}

QString TTextTable::Cells(int col, int row) const
{
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
        return QString();
    return cells_[size_t(row) * size_t(cols_) + size_t(col)];
}

void TTextTable::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
        return;
    cells_[size_t(row) * size_t(cols_) + size_t(col)] = text;
}

QString& Copy_Source()
{
    static QString source;
    return source;
}

void Grid_Delete_Row(int row, TRowTable& grid)
{
    if (!validRow(grid, row))
        return;
    const int end = grid.Handled_Col_End();
    const int last = grid.RowCount() - 1;
    for (int r = row; r < last; ++r)
        for (int c = 1; c < end; ++c)
            grid.SetCells(c, r, grid.Cells(c, r + 1));
    for (int c = 1; c < end; ++c)
        grid.SetCells(c, last, QString());
}

void Grid_Insert_Row(int row, TRowTable& grid, bool setEnable)
{
    if (!validRow(grid, row))
        return;
    const int end = grid.Handled_Col_End();
    for (int r = grid.RowCount() - 2; r >= row; --r)
        for (int c = 1; c < end; ++c)
            grid.SetCells(c, r + 1, grid.Cells(c, r));
    for (int c = 1; c < end; ++c)
        grid.SetCells(c, row, c == 1 && setEnable ? QStringLiteral("Y") : QString());
}

void Grid_Copy_Row(TRowTable& grid, int row)
{
    QStringList& buffer = State().Copy_Str;
    buffer.clear();
    const int end = grid.Handled_Col_End();
    for (int c = 1; c < end; ++c)
        buffer.append(grid.Cells(c, row));
    Copy_Source() = grid.TableKey();
}

bool Grid_Paste_Row(TRowTable& grid, int row, bool copied, const TRowMessages& ui)
{
    if (!canPaste(grid, copied, ui) || !validRow(grid, row))
        return false;
    const int end = grid.Handled_Col_End();
    bool used = false;
    for (int c = 1; c < end && !used; ++c)
        used = !grid.IsDataCheckBoxColumn(c) && !trimBlanks(grid.Cells(c, row)).isEmpty();
    if (used && !askOverwrite(ui))
        return false;
    const QStringList& buffer = State().Copy_Str;
    for (int c = 1; c < end; ++c)
        grid.SetCells(c, row, buffer[c - 1]);
    return true;
}

void Grid_Delete_Row_Ex(int row, TRowTable& grid, bool setEnable)
{
    if (!validRow(grid, row))
        return;
    const int end = grid.Handled_Col_End();
    const int last = grid.RowCount() - 1;
    for (int r = row; r < last; ++r)
        for (int c = 1; c < end; ++c)
            moveCellEx(grid, c, r + 1, r);
    for (int c = 1; c < end; ++c)
        clearCellEx(grid, c, last, setEnable, true);
}

void Grid_Insert_Row_Ex(int row, TRowTable& grid, bool setEnable)
{
    if (!validRow(grid, row))
        return;
    const int end = grid.Handled_Col_End();
    for (int r = grid.RowCount() - 2; r >= row; --r)
        for (int c = 1; c < end; ++c)
            moveCellEx(grid, c, r, r + 1);
    for (int c = 1; c < end; ++c)
        clearCellEx(grid, c, row, setEnable, false);
}

void Grid_Copy_Row_Ex(TRowTable& grid, int row)
{
    QStringList& buffer = State().Copy_Str;
    QList<bool>& isCheck = State().Copy_Is_Check;
    buffer.clear();
    isCheck.clear();
    const int end = grid.Handled_Col_End();
    for (int c = 1; c < end; ++c) {
        const bool check = grid.HasCheckBox(c, row);
        isCheck.append(check);
        if (check)
            buffer.append(grid.CheckBoxChecked(c, row) ? QStringLiteral("Y") : QStringLiteral("N"));
        else
            buffer.append(grid.Cells(c, row));
    }
    Copy_Source() = grid.TableKey();
}

bool Grid_Paste_Row_Ex(TRowTable& grid, int row, bool copied, const TRowMessages& ui)
{
    if (!canPaste(grid, copied, ui) || !validRow(grid, row))
        return false;
    const int end = grid.Handled_Col_End();
    bool used = false;
    // Blanks are not trimmed here: a text cell holding only blanks counts as used.
    for (int c = 1; c < end && !used; ++c)
        used = !grid.HasCheckBox(c, row) && !grid.Cells(c, row).isEmpty();
    if (used && !askOverwrite(ui))
        return false;
    const QStringList& buffer = State().Copy_Str;
    const QList<bool>& isCheck = State().Copy_Is_Check;
    for (int c = 1; c < end; ++c) {
        const bool check = c - 1 < isCheck.size() && isCheck[c - 1];
        if (!check)
            grid.SetCells(c, row, buffer[c - 1]);
        else if (grid.HasCheckBox(c, row))
            grid.SetCheckBoxChecked(c, row, buffer[c - 1] == QLatin1String("Y"));
    }
    return true;
}

void Grid_Enter_Next_Cell(TRowTable& grid, QChar& key)
{
    if (!State().Enable_Jump_Field_Tables || key != QChar(13))
        return;
    const int col = grid.Col();
    const int row = grid.Row();
    if (col > 0 && row > 0) {
        if (col < grid.ColCount() - 1) {
            grid.SetCol(col + 1);
        } else {
            grid.SetCol(1);
            grid.SetRow(row < grid.RowCount() - 1 ? row + 1 : 1);
        }
    }
    key = QChar(0);
}

void Grid_DblClick_AutoSize(TRowTable& grid, int row, int col)
{
    if (State().Double_Click_Auto_Size && row == 0)
        grid.AutoSizeCol(col);
}

} // namespace common
