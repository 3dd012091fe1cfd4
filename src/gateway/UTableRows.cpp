#include "gateway/UTableRows.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"

#include <QDialog>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QVBoxLayout>

#include <memory>

namespace gateway {

namespace {

const QColor kTitleGrey{0x80, 0x80, 0x80};

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

void applyEditing(TTableGrid& grid, const std::vector<bool>& readOnly, int col)
{
    const bool editable = col >= 0 && col < int(readOnly.size()) && !readOnly[size_t(col)];
    const grid::TGridOptions o = grid.Options();
    const grid::TGridOptions want = editable ? (o | grid::goEditing) : (o & ~grid::goEditing);
    if (want != o)
        grid.SetOptions(want);
}

} // namespace

void Setup_Table(TTableGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols,
                 int rowHeight)
{
    grid.Columns().Clear();
    std::vector<bool> readOnly;
    for (size_t c = 0; c < columns.size(); ++c) {
        const TTableColumnDef& def = columns[c];
        grid::TGridColumnItem* item = grid.Columns().Add();
        item->SetColor(def.colour == grid::clNone ? grid.Color() : def.colour);
        item->SetReadOnly(def.readOnly);
        item->SetEditor(def.editor);
        item->SetComboItems(def.pickList);
        readOnly.push_back(def.readOnly || int(c) < fixedCols);
    }
    grid.SetColCount(int(columns.size()));
    grid.SetRowCount(rows);
    if (rows > 1)
        grid.SetFixedRows(1);
    grid.SetFixedCols(fixedCols);
    grid.SetDefaultRowHeight(rowHeight);
    for (size_t c = 0; c < columns.size(); ++c)
        grid.Columns()[int(c)].SetWidth(columns[c].width);
    grid.SetOptions(grid::goFixedVertLine | grid::goFixedHorzLine | grid::goVertLine | grid::goHorzLine
                    | grid::goRangeSelect | grid::goColSizing);
    // Editing follows the cell made current: on for a column that may be edited, off for a
    // read-only one, so that the read-only columns never open the editor.
    grid.OnSelectCell = [readOnly](grid::TStringGrid* g, int col, int, bool&) {
        applyEditing(static_cast<TTableGrid&>(*g), readOnly, col);
    };
    applyEditing(grid, readOnly, grid.Col());
}

std::unique_ptr<TTableRows> Make_Table_Rows(TTableGrid& grid, const QString& key)
{
    auto rows = std::make_unique<TTableRows>(grid, key);
    TTableGrid* g = &grid;
    rows->dataCheckBoxColumn = [g](int col) {
        return col >= 0 && col < g->Columns().Count() && g->Columns()[col].Editor() == grid::edDataCheckBox;
    };
    return rows;
}

TWindowFrame Build_Window_Frame(QDialog& window, int clientWidth)
{
    TWindowFrame f;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, kWindowBackground);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    window.setFont(verdana(8, false));

    f.layout = new QVBoxLayout(&window);
    f.layout->setContentsMargins(0, 0, 0, 0);
    f.layout->setSpacing(0);

    f.P_Title = new QWidget(&window);
    f.P_Title->setObjectName(QStringLiteral("P_Title"));
    f.P_Title->setFixedHeight(69);
    f.L_SW_Code = new QLabel(f.P_Title);
    f.L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    f.L_SW_Code->setFont(verdana(24, false));
    f.L_SW_Code->setGeometry(16, 4, clientWidth - 32, 40);
    f.L_SW_Desc = new QLabel(f.P_Title);
    f.L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    f.L_SW_Desc->setFont(verdana(8, true));
    f.L_SW_Desc->setGeometry(16, 46, clientWidth - 32, 18);
    for (QLabel* l : {f.L_SW_Code, f.L_SW_Desc}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, kTitleGrey);
        l->setPalette(lp);
    }
    f.L_SW_Code->setText(common::State().SW_Code);

    f.P_Button = new QWidget(&window);
    f.P_Button->setObjectName(QStringLiteral("P_Button"));
    f.P_Button->setFixedHeight(40);

    f.layout->addWidget(f.P_Title);
    return f;
}

TGlyphButton* Add_Strip_Button(const TWindowFrame& frame, const char* name, int index)
{
    auto* b = new TGlyphButton(frame.P_Button);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(16 + 118 * index, 6, 110, 28);
    return b;
}

TTableEvents::TTableEvents(TTableGrid& grid) : QObject(&grid), grid_(grid), viewport_(grid.viewport())
{
    viewport_->installEventFilter(this);
}

bool TTableEvents::eventFilter(QObject* watched, QEvent* event)
{
    // Compared with the viewport kept at the start: while the grid is being destroyed its
    // viewport still sends events, and the grid must not be asked anything then.
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* e = static_cast<QHelpEvent*>(event);
        int col = -1;
        int row = -1;
        grid_.MouseToCell(e->pos().x(), e->pos().y(), col, row);
        const QString hint = onHint && col >= 0 && row >= 0 ? onHint(col, row) : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(e->globalPos(), hint, grid_.viewport());
        return true;
    }
    default:
        break;
    }
    return false;
}

void Select_Row(TTableGrid& grid, int row)
{
    if (row < grid.FixedRows() || row >= grid.RowCount())
        return;
    grid.SelectRows(row, 1);
}

} // namespace gateway
