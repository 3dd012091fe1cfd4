#include "gateway/UIOLinkSlave.h"

#include "gateway/UIOLinkSlaveTables.h"
#include "gateway/UValueLimits.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"
#include "tables/TableEvents.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gateway {

using tables::Make_Table_Rows;
using tables::Rgb;
using tables::Setup_Table;
using tables::TTableColumnDef;
using tables::TTableEvents;
using tables::TTableGrid;

namespace {

// The delete question; the window's own range has no text for it, so it shares the scan
// list's identical one.
constexpr int kTextDeleteQuestion = 3127;

// Column colours: Enable; Index, Name, Access, Length; Gradient, Offset, Unit Code; Default
// Value; positions and start bits; Description. Mnemonic keeps the window colour.
constexpr platform::TColor kEnable = Rgb(0xFF, 0xD8, 0xB0);
constexpr platform::TColor kKey = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kScale = Rgb(0xA8, 0xFF, 0xA8);
constexpr platform::TColor kDefault = Rgb(0xFF, 0xFF, 0xA8);
constexpr platform::TColor kPlace = Rgb(0xFC, 0xD6, 0xF4);
constexpr platform::TColor kText = Rgb(0xD5, 0xD5, 0xFF);

const QStringList kAccessItems = {QStringLiteral("Read Only"), QStringLiteral("Write Only"),
                                  QStringLiteral("Read Write")};
const QStringList kBitItems = [] {
    QStringList items;
    for (int bit = limits::Start_Bit.min; bit <= limits::Start_Bit.max; ++bit)
        items.append(QString::number(bit));
    return items;
}();
constexpr grid::TEditorType kCheck = grid::edDataCheckBox;
constexpr grid::TEditorType kList = grid::edComboList;

const std::vector<TTableColumnDef> kPDColumns = {
    {40, true},
    {50, false, kEnable, kCheck},
    {100, false, kKey},
    {60, false, kKey},
    {70, false, kScale},
    {70, false, kScale},
    {70, false, kScale},
    {100, true, kPlace},
    {100, true, kPlace},
    {180, false, kText},
    {420},
};
const std::vector<TTableColumnDef> kVarColumns = {
    {40, true},
    {50, false, kEnable, kCheck},
    {60, false, kKey},
    {100, false, kKey},
    {70, false, kKey, kList, kAccessItems},
    {55, false, kKey},
    {65, false, kScale},
    {50, false, kScale},
    {70, false, kScale},
    {95, false, kDefault},
    {100, false, kPlace},
    {100, false, kPlace, kList, kBitItems},
    {100, false, kPlace},
    {100, false, kPlace, kList, kBitItems},
    {110, false, kText},
    {105},
};

// Header texts by column, hint texts from column 1 on.
constexpr int kPDInHeaders[] = {1747, 1748, 1749, 1750, 1751, 1752, 1753, 1754, 1755, 1805, 1756};
constexpr int kPDInHints[] = {1757, 1758, 1759, 1760, 1761, 1762, 1763, 1764, 1807, 1765};
constexpr int kPDOutHeaders[] = {1766, 1767, 1768, 1769, 1770, 1771, 1772, 1773, 1774, 1806, 1775};
constexpr int kPDOutHints[] = {1776, 1777, 1778, 1779, 1780, 1781, 1782, 1783, 1808, 1784};

template <size_t N>
void fillTexts(QStringList& list, const int (&numbers)[N])
{
    list.clear();
    for (int n : numbers)
        list.append(common::Lang_Text(n));
}

} // namespace

TFIOLinkSlave::TFIOLinkSlave(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FIOLinkSlave"));
    buildTables();
    FormCreate();
}

TFIOLinkSlave::~TFIOLinkSlave() = default;

void TFIOLinkSlave::buildTables()
{
    QVBoxLayout* body = Build_Frame(common::Table_Frame(
        {kClientWidth, kClientHeight}, common::Row_Buttons(&Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow),
        common::TFrameSizing::Resizable));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TS_ProcessData = new QWidget;
    TS_ProcessData->setObjectName(QStringLiteral("TS_ProcessData"));
    TS_Variables = new QWidget;
    TS_Variables->setObjectName(QStringLiteral("TS_Variables"));
    PageControl1->addTab(TS_ProcessData, QString());
    PageControl1->addTab(TS_Variables, QString());

    PC_ProcessData = new QTabWidget(TS_ProcessData);
    PC_ProcessData->setObjectName(QStringLiteral("PC_ProcessData"));
    TS_PD_Input = new QWidget;
    TS_PD_Input->setObjectName(QStringLiteral("TS_PD_Input"));
    TS_PD_Output = new QWidget;
    TS_PD_Output->setObjectName(QStringLiteral("TS_PD_Output"));
    PC_ProcessData->addTab(TS_PD_Input, QStringLiteral("Process Data - Input"));
    PC_ProcessData->addTab(TS_PD_Output, QStringLiteral("Process Data - Output"));
    auto* pdLayout = new QVBoxLayout(TS_ProcessData);
    pdLayout->setContentsMargins(0, 0, 0, 0);
    pdLayout->addWidget(PC_ProcessData);

    auto table = [](QWidget* page, const char* name, const std::vector<TTableColumnDef>& columns) {
        auto* grid = new TTableGrid(page);
        grid->setObjectName(QLatin1String(name));
        Setup_Table(*grid, kIOLink_Data_Rows + 1, columns, 1, 21);
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(grid);
        return grid;
    };
    ACG_ProcessData_In = table(TS_PD_Input, "ACG_ProcessData_In", kPDColumns);
    ACG_ProcessData_Out = table(TS_PD_Output, "ACG_ProcessData_Out", kPDColumns);
    ACG_Variable = table(TS_Variables, "ACG_Variable", kVarColumns);
    rowsIn_ = Make_Table_Rows(*ACG_ProcessData_In, QStringLiteral("FIOLinkSlave.ACG_ProcessData_In"));
    rowsOut_ = Make_Table_Rows(*ACG_ProcessData_Out, QStringLiteral("FIOLinkSlave.ACG_ProcessData_Out"));
    rowsVar_ = Make_Table_Rows(*ACG_Variable, QStringLiteral("FIOLinkSlave.ACG_Variable"));
    hookTable(ACG_ProcessData_In, *rowsIn_, Hint_ProcDataIn);
    hookTable(ACG_ProcessData_Out, *rowsOut_, Hint_ProcDataOut);
    hookTable(ACG_Variable, *rowsVar_, Hint_Var);

    body->addWidget(PageControl1, 1);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFIOLinkSlave::Btn_OKClick);
    connect(Btn_DelRow, &TGlyphButton::OnClick, this, &TFIOLinkSlave::Btn_DelRowClick);
    connect(Btn_InsRow, &TGlyphButton::OnClick, this, &TFIOLinkSlave::Btn_InsRowClick);
    connect(Btn_CopyRow, &TGlyphButton::OnClick, this, &TFIOLinkSlave::Btn_CopyRowClick);
    connect(Btn_PasteRow, &TGlyphButton::OnClick, this, &TFIOLinkSlave::Btn_PasteRowClick);
}

void TFIOLinkSlave::hookTable(TTableGrid* grid, common::TRowTable& rows, const QStringList& hints)
{
    const bool processData = grid != ACG_Variable;
    grid->OnKeyPress = [&rows](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(rows, key); };
    grid->OnSetEditText = [this, grid, processData](grid::TStringGrid*, int col, int, const QString&) {
        // A changed Enable moves the positions as a click on the check box does.
        if (processData && grid->RealColIndex(col) == pd_col::Enable)
            afterRowChange(grid);
    };
    if (processData) {
        // Only an accepted Length moves the positions and fills the row's empty defaults: the
        // editor writes the cell at every keystroke, and an edit left with Escape must leave
        // the row as it was. The column comes as a real column.
        grid->OnCellValidate = [grid, &rows](grid::TQvStringGrid*, int col, int row, QString& value, bool&) {
            if (col != pd_col::Length)
                return;
            rows.SetCells(col, row, value);
            Length_Edited(rows, row);
            grid->viewport()->update();
        };
        // A ticked or unticked Enable box moves the rows below; the change event comes with
        // every toggle, the click event with the user's (placing twice gives the same).
        grid->OnCheckBoxClick = [this, grid](grid::TQvStringGrid*, int, int, bool) { afterRowChange(grid); };
        grid->OnCheckBoxChange = [this, grid](grid::TQvStringGrid*, int, int, bool) { afterRowChange(grid); };
    }
    auto* events = new TTableEvents(*grid);
    grid->HintShowCells = true;
    grid->OnDblClickCell = [&rows](grid::TQvStringGrid*, int row, int col) {
        common::Grid_DblClick_AutoSize(rows, row, col);
    };
    events->onHint = [&hints](int col, int row) {
        return row == 0 && col >= 1 && col - 1 < hints.size() ? hints[col - 1] : QString();
    };
    grid->OnGridHint = [events](grid::TQvStringGrid*, int row, int col, QString& hint) {
        hint = events->onHint(col, row);
    };
}

void TFIOLinkSlave::FormCreate()
{
    PageControl1->setCurrentWidget(TS_ProcessData);
    PC_ProcessData->setCurrentWidget(TS_PD_Input);
    Set_Lang();
}

void TFIOLinkSlave::Set_Lang()
{
    setWindowTitle(common::Lang_Text(1700));
    L_SW_Desc->setText(common::Lang_Text(1701));
    TGlyphButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        buttons[i]->setCaption(common::Lang_Text(1702 + i));
        buttons[i]->setToolTip(common::Lang_Text(1708 + i));
    }
    PageControl1->setTabText(PageControl1->indexOf(TS_Variables), common::Lang_Text(1714));
    PageControl1->setTabText(PageControl1->indexOf(TS_ProcessData), common::Lang_Text(1715));

    for (int c = 0; c < pd_col::Count; ++c) {
        ACG_ProcessData_In->Columns()[c].SetHeader(common::Lang_Text(kPDInHeaders[c]));
        ACG_ProcessData_Out->Columns()[c].SetHeader(common::Lang_Text(kPDOutHeaders[c]));
    }
    for (int c = 0; c < var_col::Count; ++c)
        ACG_Variable->Columns()[c].SetHeader(common::Lang_Text(1716 + c));
    fillTexts(Hint_ProcDataIn, kPDInHints);
    fillTexts(Hint_ProcDataOut, kPDOutHints);
    Hint_Var.clear();
    for (int n = 1732; n <= 1746; ++n)
        Hint_Var.append(common::Lang_Text(n));
}

void TFIOLinkSlave::FormShow()
{
    Reset_Table(*rowsIn_);
    Reset_Table(*rowsOut_);
    Reset_Table(*rowsVar_);
    Max_Byte_Read = kIOLink_Area_Bytes;
    Max_Byte_Write = kIOLink_Area_Bytes;
    Do_Copy_Var = Do_Copy_PD_In = Do_Copy_PD_Out = false;

    TIOLink_Slave_File file;
    Rows_Read = {};
    if (Read_IOLink_Slave_File(common::State().File_IOLink_Slave, file)) {
        Show_IOLink_File(file, *rowsIn_, *rowsOut_, *rowsVar_);
        Rows_Read = {int(file.Process_Data_Input.size()), int(file.Process_Data_Output.size()),
                     int(file.Variables.size())};
        for (int t = 0; t < int(Rows_Read.size()); ++t)
            if (Rows_Read[size_t(t)] > kIOLink_Data_Rows && services_.messages)
                services_.messages->show(this,
                                         common::Lang_Text(kText_IOLink_Rows_Not_Shown)
                                             .arg(Rows_Read[size_t(t)])
                                             .arg(tableCaption(t))
                                             .arg(kIOLink_Data_Rows),
                                         QString(), platform::MsgIcon::Warning, platform::MsgButtons::Ok);
    }
    // Stored positions may be stale (a hand-edited file, an older row order): show them as
    // the lengths place them.
    Compile_Input_Pos_Bit();
    Compile_Output_Pos_Bit();
}

void TFIOLinkSlave::Compile_Input_Pos_Bit()
{
    Compile_Pos_Bit(*rowsIn_);
    ACG_ProcessData_In->viewport()->update();
}

void TFIOLinkSlave::Compile_Output_Pos_Bit()
{
    Compile_Pos_Bit(*rowsOut_);
    ACG_ProcessData_Out->viewport()->update();
}

QString TFIOLinkSlave::Get_Var_Access(const QString& access)
{
    return gateway::Get_Var_Access(access);
}

bool TFIOLinkSlave::Controllo_dati()
{
    ACG_ProcessData_In->HideInplaceEdit();
    ACG_ProcessData_Out->HideInplaceEdit();
    ACG_Variable->HideInplaceEdit();
    auto error = Controllo_Dati(*rowsIn_, *rowsOut_, *rowsVar_, common::Get_Decimal_Separator());
    if (!error)
        error = Check_Dropped_Rows(*rowsIn_, *rowsOut_, *rowsVar_);
    if (!error)
        return true;
    if (services_.messages)
        services_.messages->error(this, *error);
    return false;
}

QString TFIOLinkSlave::tableCaption(int table) const
{
    switch (table) {
    case 0:
        return PC_ProcessData->tabText(PC_ProcessData->indexOf(TS_PD_Input));
    case 1:
        return PC_ProcessData->tabText(PC_ProcessData->indexOf(TS_PD_Output));
    default:
        return PageControl1->tabText(PageControl1->indexOf(TS_Variables));
    }
}

void TFIOLinkSlave::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    // Rows of the file beyond a table are dropped only on the user's Yes.
    for (int t = 0; t < int(Rows_Read.size()); ++t) {
        if (Rows_Read[size_t(t)] <= kIOLink_Data_Rows)
            continue;
        const QString question = common::Lang_Text(kText_IOLink_Rows_Lost)
                                     .arg(Rows_Read[size_t(t)])
                                     .arg(tableCaption(t))
                                     .arg(kIOLink_Data_Rows);
        if (!services_.messages || !services_.messages->askYesNo(this, question))
            return;
    }
    QString error;
    if (!Write_IOLink_Slave_File(common::State().File_IOLink_Slave,
                                 IOLink_File_From_Tables(*rowsIn_, *rowsOut_, *rowsVar_), &error)) {
        // The window stays open with the tables as typed, so nothing is lost.
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

TTableGrid* TFIOLinkSlave::Active_Table() const
{
    if (PageControl1->currentWidget() != TS_ProcessData)
        return ACG_Variable;
    return PC_ProcessData->currentWidget() == TS_PD_Input ? ACG_ProcessData_In : ACG_ProcessData_Out;
}

common::TRowTable& TFIOLinkSlave::rowsOf(TTableGrid* grid)
{
    if (grid == ACG_ProcessData_In)
        return *rowsIn_;
    if (grid == ACG_ProcessData_Out)
        return *rowsOut_;
    return *rowsVar_;
}

bool& TFIOLinkSlave::copyFlagOf(TTableGrid* grid)
{
    if (grid == ACG_ProcessData_In)
        return Do_Copy_PD_In;
    if (grid == ACG_ProcessData_Out)
        return Do_Copy_PD_Out;
    return Do_Copy_Var;
}

void TFIOLinkSlave::afterRowChange(TTableGrid* grid)
{
    if (grid == ACG_ProcessData_In)
        Compile_Input_Pos_Bit();
    else if (grid == ACG_ProcessData_Out)
        Compile_Output_Pos_Bit();
    grid->viewport()->update();
}

void TFIOLinkSlave::Btn_DelRowClick()
{
    TTableGrid* grid = Active_Table();
    grid->HideInplaceEdit();
    const int row = grid->Row();
    if (!services_.messages
        || !services_.messages->askYesNo(this, common::Lang_Text(kTextDeleteQuestion) + QString::number(row)))
        return;
    common::Grid_Delete_Row(row, rowsOf(grid));
    afterRowChange(grid);
}

void TFIOLinkSlave::Btn_InsRowClick()
{
    TTableGrid* grid = Active_Table();
    grid->HideInplaceEdit();
    common::Grid_Insert_Row(grid->Row(), rowsOf(grid), true);
    // The rows below moved: their positions follow at once.
    afterRowChange(grid);
}

void TFIOLinkSlave::Btn_CopyRowClick()
{
    TTableGrid* grid = Active_Table();
    grid->HideInplaceEdit();
    common::Grid_Copy_Row(rowsOf(grid), grid->Row());
    Do_Copy_Var = Do_Copy_PD_In = Do_Copy_PD_Out = false;
    copyFlagOf(grid) = true;
}

void TFIOLinkSlave::Btn_PasteRowClick()
{
    TTableGrid* grid = Active_Table();
    grid->HideInplaceEdit();
    if (common::Grid_Paste_Row(rowsOf(grid), grid->Row(), copyFlagOf(grid), {services_.messages, this}))
        afterRowChange(grid);
}

void TFIOLinkSlave::reject()
{
    done(kModalCancel);
}

} // namespace gateway
