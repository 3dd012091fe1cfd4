#pragma once
// The table-row helpers every configuration table shares: Delete, Insert, Copy and Paste Row
// through the program-wide row-copy buffer (State().Copy_Str, State().Copy_Is_Check), Enter
// moving to the next cell, and a header double-click sizing its column.
//
// The helpers see a table only through TRowTable, so this unit stays below the table control:
// TGridRows adapts any grid class that offers the control's public cell API (Cells, SetCells,
// RowCount, ColCount, Col, Row, ...) and picks up hidden columns, cell check boxes, read-only
// flags and column auto-size where the grid class has them; the caller names the data
// check-box columns. TTextTable is a plain table of texts for logic that only needs cells.
//
// The tables keep a fixed number of rows: delete and insert move contents and never change the
// row count. Column 0 (the row number) is never touched; the handled columns are 1 up to the
// grid's column count plus its hidden columns, minus 1.

#include <QString>
#include <QStringList>

#include <algorithm>
#include <concepts>
#include <functional>
#include <vector>

class QWidget;

namespace platform {
class MessageBoxes;
}

namespace common {

// What the row helpers ask of a table. Cells are addressed by real column and displayed row.
class TRowTable {
public:
    virtual ~TRowTable() = default;

    // Names the table for the row-copy buffer: a row pastes only into the table it was
    // copied from. Stable for the table's life and distinct between tables.
    virtual QString TableKey() const = 0;

    virtual int RowCount() const = 0;
    virtual int ColCount() const = 0; // displayed columns
    virtual int NumHiddenColumns() const { return 0; }
    virtual QString Cells(int col, int row) const = 0;
    virtual void SetCells(int col, int row, const QString& text) = 0;

    // Column grids: whether the column's editor is the data check box ("Y"/"N" texts).
    virtual bool IsDataCheckBoxColumn(int /*col*/) const { return false; }

    // String grids with cell check boxes and read-only cells.
    virtual bool HasCheckBox(int /*col*/, int /*row*/) const { return false; }
    virtual bool CheckBoxChecked(int /*col*/, int /*row*/) const { return false; }
    virtual void SetCheckBoxChecked(int /*col*/, int /*row*/, bool /*checked*/) {}
    virtual bool ReadOnly(int /*col*/, int /*row*/) const { return false; }
    virtual void SetReadOnly(int /*col*/, int /*row*/, bool /*readOnly*/) {}

    // Current cell and column sizing.
    virtual int Col() const { return 1; }
    virtual int Row() const { return 1; }
    virtual void SetCol(int /*col*/) {}
    virtual void SetRow(int /*row*/) {}
    // Sizes the column to its contents with no extra width.
    virtual void AutoSizeCol(int /*col*/) {}

    // Columns 1 .. Handled_Col_End() - 1 are the ones the helpers move.
    int Handled_Col_End() const { return ColCount() + NumHiddenColumns(); }
};

// A table of texts kept in memory: cols x rows cells, all empty at first.
class TTextTable final : public TRowTable {
public:
    TTextTable(QString key, int cols, int rows);

    QString TableKey() const override { return key_; }
    int RowCount() const override { return rows_; }
    int ColCount() const override { return cols_; }
    QString Cells(int col, int row) const override;
    void SetCells(int col, int row, const QString& text) override;
    int Col() const override { return col_; }
    int Row() const override { return row_; }
    void SetCol(int col) override { col_ = col; }
    void SetRow(int row) override { row_ = row; }

private:
    QString key_;
    int cols_;
    int rows_;
    int col_ = 1;
    int row_ = 1;
    std::vector<QString> cells_;
};

// Adapts a grid class through its public API; members the class lacks keep the TRowTable
// defaults. The grid must outlive the adapter.
template <typename Grid>
class TGridRows : public TRowTable {
public:
    TGridRows(Grid& grid, QString key) : grid_(grid), key_(std::move(key)) {}

    Grid& grid() const { return grid_; }

    QString TableKey() const override { return key_; }
    int RowCount() const override { return grid_.RowCount(); }
    int ColCount() const override { return grid_.ColCount(); }
    int NumHiddenColumns() const override
    {
        if constexpr (requires(const Grid& g) {
                          {
                              g.NumHiddenColumns()
                              } -> std::convertible_to<int>;
                      })
            return grid_.NumHiddenColumns();
        else
            return 0;
    }
    QString Cells(int col, int row) const override { return grid_.Cells(col, row); }
    void SetCells(int col, int row, const QString& text) override { grid_.SetCells(col, row, text); }

    // Column grids name their data check-box columns here (the column definitions' editor).
    std::function<bool(int col)> dataCheckBoxColumn;
    bool IsDataCheckBoxColumn(int col) const override { return dataCheckBoxColumn && dataCheckBoxColumn(col); }
    bool HasCheckBox(int col, int row) const override
    {
        if constexpr (requires(Grid & g) {
                          {
                              g.HasCheckBox(0, 0)
                              } -> std::convertible_to<bool>;
                      })
            return grid_.HasCheckBox(col, row);
        else
            return false;
    }
    bool CheckBoxChecked(int col, int row) const override
    {
        if constexpr (requires(Grid & g, bool& b) { g.GetCheckBoxState(0, 0, b); }) {
            bool checked = false;
            return grid_.GetCheckBoxState(col, row, checked) && checked;
        } else {
            return false;
        }
    }
    void SetCheckBoxChecked(int col, int row, bool checked) override
    {
        if constexpr (requires(Grid & g) { g.SetCheckBoxState(0, 0, true); })
            grid_.SetCheckBoxState(col, row, checked);
    }
    bool ReadOnly(int col, int row) const override
    {
        if constexpr (requires(Grid & g) {
                          {
                              g.GetReadOnly(0, 0)
                              } -> std::convertible_to<bool>;
                      })
            return grid_.GetReadOnly(col, row);
        else
            return false;
    }
    void SetReadOnly(int col, int row, bool readOnly) override
    {
        if constexpr (requires(Grid & g) { g.SetReadOnly(0, 0, true); }) {
            grid_.SetReadOnly(col, row, readOnly);
        } else if constexpr (requires(Grid & g) { g.GetCellProperties(0, 0)->FReadOnly = true; }) {
            // The grid keeps a cell's read-only flag in its cell properties.
            if (auto* properties = grid_.GetCellProperties(col, row))
                properties->FReadOnly = readOnly;
        }
    }

    int Col() const override { return grid_.Col(); }
    int Row() const override { return grid_.Row(); }
    void SetCol(int col) override { grid_.SetCol(col); }
    void SetRow(int row) override { grid_.SetRow(row); }
    void AutoSizeCol(int col) override
    {
        if constexpr (requires(Grid & g) { g.AutoSizeCol(0, 0); }) {
            grid_.AutoSizeCol(col, 0);
        } else if constexpr (requires(Grid & g) {
                                 g.SetColWidths(0, 0);
                                 g.fontMetrics();
                             }) {
            // A grid without its own auto-size: the widest text plus the cell's text margins.
            int width = 0;
            for (int r = 0; r < grid_.RowCount(); ++r)
                width = std::max(width, grid_.fontMetrics().horizontalAdvance(grid_.Cells(col, r)));
            grid_.SetColWidths(col, width + 4);
        }
    }

private:
    Grid& grid_;
    QString key_;
};

// Where the helpers show their messages (error sign with OK, question with Yes and No).
struct TRowMessages {
    platform::MessageBoxes* messages = nullptr;
    QWidget* parent = nullptr;
};

// The table the row in Copy_Str was copied from; empty before the first copy.
QString& Copy_Source();

// ---- column grids ("Y"/"N" data check boxes) ----------------------------------------------
void Grid_Delete_Row(int row, TRowTable& grid);
void Grid_Insert_Row(int row, TRowTable& grid, bool setEnable);
void Grid_Copy_Row(TRowTable& grid, int row);
// True when the row was pasted. A paste without a copied row of this table shows text 1502,
// a copied row of another width text 1501; a used target row asks text 1500.
bool Grid_Paste_Row(TRowTable& grid, int row, bool copied, const TRowMessages& ui);

// ---- string grids with cell check boxes and read-only cells --------------------------------
void Grid_Delete_Row_Ex(int row, TRowTable& grid, bool setEnable);
void Grid_Insert_Row_Ex(int row, TRowTable& grid, bool setEnable);
void Grid_Copy_Row_Ex(TRowTable& grid, int row);
bool Grid_Paste_Row_Ex(TRowTable& grid, int row, bool copied, const TRowMessages& ui);

// ---- grid events ----------------------------------------------------------------------------
// Called from a table's key press: with the jump option on, Enter moves to the next cell
// (wrapping to column 1 of the next row, and after the last row to row 1) and is consumed.
void Grid_Enter_Next_Cell(TRowTable& grid, QChar& key);
// Called from a table's cell double-click: with the auto-size option on, a header cell (row 0)
// sizes its column to the contents.
void Grid_DblClick_AutoSize(TRowTable& grid, int row, int col);

} // namespace common
