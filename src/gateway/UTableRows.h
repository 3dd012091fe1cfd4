#pragma once
// What the IO-Link slave, DeviceNet network and offset windows share around their tables:
// the table class they use, the title and button strips of their frame, the column layout
// of a table (widths, colours, editors, pick lists) and the hints of the header cells.

#include "common/UComonRows.h"
#include "grid/QvCGrid.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QLabel;
class QVBoxLayout;
class QWidget;
class TGlyphButton;

namespace gateway {

// The table control of the three windows.
using TTableGrid = grid::TQvColumnGrid;
using TTableRows = common::TGridRows<TTableGrid>;

inline const QColor kWindowBackground{0xF8, 0xF7, 0xED};

// A colour given as red, green, blue.
constexpr platform::TColor Rgb(int r, int g, int b)
{
    return platform::TColor(r | (g << 8) | (b << 16));
}

// One column of a table: its width, whether it is edited, its cell colour (none: the
// window colour), its editor and the items of a pick list.
struct TTableColumnDef {
    int width;
    bool readOnly = false;
    platform::TColor colour = grid::clNone;
    grid::TEditorType editor = grid::edNormal;
    QStringList pickList = {};
};

// Sets up a configuration table: one column definition per column (width, colour, editor,
// pick list, read-only), counts, fixed row and column, grid lines, range selection and
// in-place editing of the columns that are not read-only.
void Setup_Table(TTableGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols,
                 int rowHeight);

// The frame of the three windows: a 69-pixel title strip with the software code and the
// window's description, the body, and a 40-pixel button strip.
struct TWindowFrame {
    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_Button = nullptr;
    QVBoxLayout* layout = nullptr; // title, then the body the window adds, then the buttons
};
TWindowFrame Build_Window_Frame(QDialog& window, int clientWidth);
// A 110 x 28 button of the button strip at slot index (x = 16 + 118 * index).
TGlyphButton* Add_Strip_Button(const TWindowFrame& frame, const char* name, int index);

// The hint of a table's cell under the mouse, shown from the grid's viewport.
class TTableEvents : public QObject {
    Q_OBJECT
public:
    explicit TTableEvents(TTableGrid& grid);

    std::function<QString(int col, int row)> onHint;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TTableGrid& grid_;
    QWidget* viewport_;
};

// The row helpers' view of a table; its data check-box columns are those whose column
// definition has that editor.
std::unique_ptr<TTableRows> Make_Table_Rows(TTableGrid& grid, const QString& key);

// Selects the whole row (the fixed column left out) through the grid's row selection.
void Select_Row(TTableGrid& grid, int row);

} // namespace gateway
