// The filter drop-down: its look, the plain and the check list that show a column's values,
// opening them from a filter-row button and closing them, and the tool window that never
// takes the focus.

#include "grid/QvGrid.h"
#include "platform/Colors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace grid {

namespace {

// The frame of a list box on each side.
constexpr int kEdge = 2;

// Whether a press elsewhere closes the list: any widget but the list and its parts. A press
// on the grid leaves the column to the grid's mouse-up, which tells a second click on the
// open column's button (close) from one on another button (open that one).
bool closesList(QWidget* list, QObject* watched, QEvent* e, QWidget* gridViewport, bool& onGrid)
{
    if (e->type() != QEvent::MouseButtonPress || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w == list || list->isAncestorOf(w))
        return false;
    const QPoint at = list->mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
    if (list->rect().contains(at))
        return false;
    onGrid = w == gridViewport;
    return true;
}

} // namespace

// ---- look --------------------------------------------------------------------------------------

void TFilterDropDown::SetGlyph(const TBitmap& v)
{
    FGlyph.Image = v.Image;
    if (OnChange)
        OnChange();
}

void TFilterDropDown::SetGlyphActive(const TBitmap& v)
{
    FGlyphActive.Image = v.Image;
    if (OnChange)
        OnChange();
}

void TFilterDropDown::Assign(const TFilterDropDown& source)
{
    AutoSize = source.AutoSize;
    Color = source.Color;
    ColumnWidth = source.ColumnWidth;
    Height = source.Height;
    Width = source.Width;
    FFont = source.FFont;
    SetGlyph(source.FGlyph);
    SetGlyphActive(source.FGlyphActive);
}

// ---- the lists ---------------------------------------------------------------------------------

TDropList::TDropList(TQvStringGrid* grid) : QListWidget(grid->viewport()), FGrid(grid)
{
    hide();
    resize(0, 0);
}

void TDropList::keyPressEvent(QKeyEvent* e)
{
    QListWidget::keyPressEvent(e);
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        hide();
        if (OnSelect)
            OnSelect(this, currentRow());
    }
}

void TDropList::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    hide();
    if (OnSelect)
        OnSelect(this, currentRow());
}

void TDropList::showEvent(QShowEvent* e)
{
    QListWidget::showEvent(e);
    qApp->installEventFilter(this);
}

void TDropList::hideEvent(QHideEvent* e)
{
    qApp->removeEventFilter(this);
    QListWidget::hideEvent(e);
}

bool TDropList::eventFilter(QObject* watched, QEvent* e)
{
    bool onGrid = false;
    if (isVisible() && closesList(this, watched, e, FGrid->viewport(), onGrid)) {
        hide();
        if (!onGrid)
            FGrid->FilterCol = -1;
    }
    return QListWidget::eventFilter(watched, e);
}

TDropCheckList::TDropCheckList(TQvStringGrid* grid) : QListWidget(grid->viewport()), FGrid(grid)
{
    hide();
    resize(0, 0);
    // A toggled box rebuilds the filter at once; the list stays open for the next tick.
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        if (OnSelect)
            OnSelect(this, -1);
    });
}

bool TDropCheckList::Checked(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it && it->checkState() == Qt::Checked;
}

void TDropCheckList::SetChecked(int Index, bool value)
{
    if (QListWidgetItem* it = item(Index))
        it->setCheckState(value ? Qt::Checked : Qt::Unchecked);
}

void TDropCheckList::showEvent(QShowEvent* e)
{
    QListWidget::showEvent(e);
    qApp->installEventFilter(this);
}

void TDropCheckList::hideEvent(QHideEvent* e)
{
    qApp->removeEventFilter(this);
    QListWidget::hideEvent(e);
}

bool TDropCheckList::eventFilter(QObject* watched, QEvent* e)
{
    bool onGrid = false;
    if (isVisible() && closesList(this, watched, e, FGrid->viewport(), onGrid)) {
        hide();
        if (!onGrid)
            FGrid->FilterCol = -1;
    }
    return QListWidget::eventFilter(watched, e);
}

// ---- the tool window ---------------------------------------------------------------------------

TNoActiveForm::TNoActiveForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TNoActiveForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- the grid's side ---------------------------------------------------------------------------

void TQvStringGrid::createFilter()
{
    FFilter = std::make_unique<TFilter>(this);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this] { Invalidate(); };
    FDropList = new TDropList(this);
    FDropList->OnSelect = [this](QWidget*, int ItemIndex) { FilterDropDownSelect(ItemIndex); };
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->OnSelect = [this](QWidget*, int) { ApplyCheckedFilterValues(); };
}

void TQvStringGrid::HideFilterDropDown()
{
    FDropList->hide();
    FDropCheckList->hide();
}

bool TQvStringGrid::FilterMouseUp(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    const int row = FilterDropDownRow();
    bool onButton = false;
    // Wherever the painter draws the button (the filter row, every column with a filter list,
    // fixed or not, asked by real column), a release on it opens the list.
    if (c >= 0 && r >= 0 && r == row) {
        const TRect cell = CellRect(c, r);
        onButton = X > cell.Right - 16 && X < cell.Right - 3 && Y < cell.Top + 19;
    }
    const int real = onButton ? RealColFromDispl(c) : -1;
    if (!onButton || real == FilterCol) {
        // Anywhere else, or the open column's button again: the list closes.
        if (FilterCol >= 0 || FDropList->isVisible() || FDropCheckList->isVisible()) {
            HideFilterDropDown();
            FilterCol = -1;
        }
        return false;
    }
    HideFilterDropDown();
    return ShowFilterDropDown(real);
}

bool TQvStringGrid::ShowFilterDropDown(int ACol)
{
    if (!GetColumnFilter(ACol))
        return false;
    FilterCol = ACol;
    QListWidget* list = FilterDropDownCheck ? static_cast<QListWidget*>(FDropCheckList) : FDropList;
    const TFilterDropDown& look = *FFilterDropDown;
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, platform::toQColor(look.Color));
    pal.setColor(QPalette::Text, platform::toQColor(look.Font().Color));
    list->setPalette(pal);
    list->setFont(toQFont(look.Font()));

    // Names only; a check box is ticked when the column has that condition (quoted when it
    // holds a blank, as the value list gives it).
    const QSignalBlocker quiet(list);
    list->clear();
    int widest = 0;
    const QFontMetrics fm(list->font());
    for (const QString& entry : std::as_const(FFilterList)) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? entry : entry.left(eq);
        auto* item = new QListWidgetItem(name, list);
        widest = std::max(widest, fm.horizontalAdvance(name));
        if (list == FDropCheckList) {
            const QString asCondition =
                name.contains(QLatin1Char(' ')) ? QLatin1Char('"') + name + QLatin1Char('"') : name;
            bool ticked = false;
            for (int i = 0; i < FFilter->Count() && !ticked; ++i) {
                const TFilterData& f = FFilter->Items(i);
                ticked = f.Column == ACol && f.Condition == asCondition;
            }
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
    }
    if (list == FDropList && list->count() > 0)
        list->setCurrentRow(0);

    int w = look.Width, h = look.Height;
    if (look.AutoSize) {
        const int itemHeight = list->count() > 0 ? list->sizeHintForRow(0) : fm.height();
        h = list->count() * itemHeight + 2 * kEdge;
        w = 2 * kEdge + widest + 8;
    }
    const int displ = DisplColIndex(ACol);
    const TRect cell = CellRect(displ, FilterDropDownRow());
    int left = cell.Right - 16;
    const int top = cell.Top + 16;
    if (look.ColumnWidth) {
        left = cell.Left;
        w = cell.Width();
    }
    // Kept inside the grid: past its right edge the list ends with the column instead.
    if (left + w > viewport()->width())
        left = std::max(0, cell.Right - w);
    list->setGeometry(left, top, w, h);
    list->show();
    list->raise();
    list->setFocus();
    return true;
}

} // namespace grid
