// Construction with every default, the companion objects the grid owns, teardown, version,
// and the tri-state check-box helpers.

#include "grid/QvGrid.h"
#include "grid/edit/ControlEdit.h"
#include "grid/edit/GridTrans.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/look/GridLooks.h" // the look store the grid owns
#include "grid/markup/HTMLHintWindow.h"
#include "grid/search/SearchPanel.h"

#include <QScrollBar>
#include <QStyle>

namespace grid {

TQvStringGrid::TQvStringGrid(QWidget* parent, bool designing_) : TBaseGrid(parent), designing(designing_)
{
    FVisibleCol.fill(true);
    FFocusHelper = std::make_unique<TFocusHelper>();
    FSearchFooter = std::make_unique<TSearchFooter>(this, designing);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FNavigation = std::make_unique<TNavigation>();
    FColumnSize = std::make_unique<TColumnSize>();
    hookColumnSizeSettings();
    FCellNode = std::make_unique<TCellNode>(this);
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanel(); };
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject*) { BandsChanged(); };
    Balloon.OnEnableChange = [this](TBalloonSettings*) { BalloonEnableChanged(); };
    ShowModified().OnChange = [this](TObject*) { ShowModifiedChanged(); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>();
    FMouseActions->OnIsDesigning = [this](TObject*, bool& d) { d = designing; };
    FMouseActions->OnInvalidate = [this](TObject*) { Invalidate(); };
    FOrigColSizes = std::make_unique<TIntList>(0, 0);
    FFixedFont.Name = QStringLiteral("Tahoma");
    FFixedFont.Style = fsBold;
    FActiveCellFont.Style = fsBold;
    if (designing)
        FActiveCellFont.Name = QStringLiteral("Tahoma");
    FSortState = std::make_unique<TSortState>();
    FRowData = std::make_unique<TRowSideData>();
    LookState();
    for (auto* list : {&FMergedColumns, &FSelectedCells, &FColumnOrder, &FIgnoreColumns})
        *list = std::make_unique<TIntList>(0, 0);
    FMergedColumns->OnChange = [this](TObject*, int, int) { MergedColumnsChanged(); };
    FRowIndicator = std::make_unique<TBitmap>();
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FCellGraphic = std::make_unique<TCellGraphic>();
    createFilter();
    FScrollHintWnd = new THTMLHintWindow(this);
    if (!designing) {
        FTransEdit = new TGridTransEdit(this);
        connect(FTransEdit, &QLineEdit::textEdited, this, [this](const QString& t) { FixedCellEditChanged(t); });
        FTransCombo = new TGridTransCombo(this);
        FFocusWindow = new TGridFocusWindow(this);
        createSearchPanel();
        FFooterPanel = new TFooterPanel(this, this);
        FEditControl = new TControlEdit(this);
        FComboControl = new TControlCombo(this);
        for (int d = 0; d < 4; ++d)
            arrows[d] = new TArrowWindow(this, TArrowDirection(d));
        FMoveButton = new THeaderDragButton(this);
        for (QScrollBar** bar : {&FScrollBar, &FPaintScrollBar}) {
            *bar = new QScrollBar(Qt::Vertical, viewport());
            (*bar)->setFocusPolicy(Qt::NoFocus);
            (*bar)->hide();
        }
        connectCellScrollBar();
    }

    ScrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(400, 250);
    SetDefaultRowHeight(22);
    FFixedRowHeight = DefaultRowHeight();
    SetRowCount(10); // through the writer, after every companion exists
    FOldRowSel = Row();
}

// Cells are cleared up to the largest counts the grid ever had; the base grid then frees
// every remaining cell object of its store, so properties in rows cut off by a smaller row
// count go too. User objects stored in cells stay their owners'.
TQvStringGrid::~TQvStringGrid()
{
    // Kept widths are written while the columns are still whole; a store that cannot be
    // written must not stop the teardown.
    if (FColumnSize->Save()) {
        try {
            SaveColSizes();
        } catch (...) {
        }
    }
    destroying = true;
    if (!designing)
        BalloonDone();
    // A fixed-cell editor that holds the focus loses it while the grid goes; it must not store
    // its text into a grid already half gone.
    if (FTransEdit)
        FTransEdit->SetGrid(nullptr);
    if (FTransCombo)
        FTransCombo->SetGrid(nullptr);
    if (FAutoThemeAdapt && GlobalThemeNotifier)
        GlobalThemeNotifier->UnRegisterWindow(this);
    // The open filter lists watch every event of the application and read the grid: they go
    // while the grid is still whole, not among its children later.
    delete FDropList;
    FDropList = nullptr;
    delete FDropCheckList;
    FDropCheckList = nullptr;
    freeHiddenRowObjects();
    const int r = std::max(RowCount(), FMaxRowCount);
    const int c = std::max(TotalColCount(), FMaxColCount);
    if (r > 0 && c > 0 && FHasCellProps)
        FreeCellObjects(0, 0, c - 1, r - 1);
}

QString TQvStringGrid::GetVersionString() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Sep, 2012")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

QString TQvStringGrid::Version() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TQvStringGrid::CompleteLoading()
{
    loading = false;
    UpdateSearchPanel();
    FFixedRowsMin = TStringGrid::FixedRows();
    FFixedColsMin = TStringGrid::FixedCols();
    MinRowHeight = DefaultRowHeight();
    MinColWidth = 10;
    FMaxRowCount = RowCount();
    if (Options() & goAlwaysShowEditor) {
        FNavigation->SetAlwaysEdit(true);
        SetOptions(Options() & ~goAlwaysShowEditor);
    }
    if (FAutoThemeAdapt && !designing) {
        applyDesktopTheme();
        registerThemeWindow(true);
    }
    if (FColumnSize->Save())
        LoadColSizes();
    InitOrigColSizes();
    if (Balloon.Enable())
        BalloonInit();
    AdaptToActiveStyle();
}

void TQvStringGrid::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        Invalidate();
        PaintBorderColor(); // the border line was held back while the update ran
    }
}

// ---- cell fonts and read-only flags ---------------------------------------------------------

TFont TQvStringGrid::GetCellFont(int i, int j) const
{
    if (!CellHasProperties(i, j))
        return Font();
    const auto* p = static_cast<const TCellProperties*>(GetGridObject(i, j));
    TFont f;
    f.Name = p->FFontName;
    f.Size = p->FFontSize;
    f.Style = p->FFontStyle;
    f.Color = p->FFontColor;
    return f;
}

bool TQvStringGrid::GetReadOnly(int ACol, int ARow) const
{
    if (!CellHasProperties(ACol, ARow))
        return false;
    return static_cast<const TCellProperties*>(GetGridObject(ACol, ARow))->FReadOnly;
}

void TQvStringGrid::Assign(const TQvStringGrid& src)
{
    if (&src == this)
        return;
    SetFont(src.Font());
    ActiveCellColor = src.ActiveCellColor;
    ActiveCellColorTo = src.ActiveCellColorTo;
    FActiveCellFont = src.FActiveCellFont;
    ActiveCellShow = src.ActiveCellShow;
    SetActiveRowShow(src.ActiveRowShow());
    AutoNumAlign = src.AutoNumAlign;
    AutoSize = src.AutoSize;
    SetAutoThemeAdapt(src.AutoThemeAdapt());
    AutoFilterUpdate = src.AutoFilterUpdate;
    FMouseActions->Assign(*src.FMouseActions);
    FNavigation->Assign(*src.FNavigation);
    FSearchFooter->Assign(*src.FSearchFooter);
    UpdateSearchPanel(); // Assign copies without telling the grid
    FPrintSettings->Assign(*src.FPrintSettings);
    FHTMLSettings->Assign(*src.FHTMLSettings);
    FBands->Assign(*src.FBands);
    FCellNode->Assign(*src.FCellNode);
    FColumnSize->Assign(*src.FColumnSize);
    FSyncGrid->Assign(*src.FSyncGrid);
    FFocusHelper->Assign(*src.FFocusHelper);
    FFixedRowAlways = src.FFixedRowAlways;
    SetColCount(src.ColCount());
    SetRowCount(src.RowCount());
    SetFixedRows(src.TStringGrid::FixedRows());
    SetFixedCols(src.TStringGrid::FixedCols());
    SetDefaultColWidth(src.DefaultColWidth());
    SetDefaultRowHeight(src.DefaultRowHeight());
    SetFixedRowHeight(src.FixedRowHeight());
    SetOptions(src.Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src.ColWidths(c));
    FColumnHeaders = src.FColumnHeaders;
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src.RowHeights(r));
    ScrollWidth = src.ScrollWidth;
    ScrollBars = src.ScrollBars;
    ScrollColor = src.ScrollColor;
    ScrollType = src.ScrollType;
    AssignCells(src);
}

// The cells' texts as the file and stream writers see them, through the load hook.
void TQvStringGrid::AssignCells(const TQvStringGrid& src)
{
    if (&src == this)
        return;
    auto& from = const_cast<TQvStringGrid&>(src);
    for (int r = 0; r < src.RowCount(); ++r)
        for (int c = 0; c < src.ColCount(); ++c) {
            QString v;
            from.GetSaveCellText(c, r, v);
            if (!v.isEmpty())
                LoadCellText(c, r, v);
        }
    CellsChanged({0, 0, ColCount() - 1, RowCount() - 1});
    AfterCellsLoaded();
}

} // namespace grid
