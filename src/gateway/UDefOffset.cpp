#include "gateway/UDefOffset.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gateway {

using tables::Rgb;
using tables::Select_Row;
using tables::Setup_Table;
using tables::TTableColumnDef;
using tables::TTableGrid;

namespace {

const std::vector<TTableColumnDef> kSlaveColumns = {
    {100, true, Rgb(0xCE, 0xFF, 0xCE)},
    {100, true, Rgb(0xFF, 0xFF, 0xD5)},
    {100, true, Rgb(0xFF, 0xFF, 0xD5)},
    {160, true},
};
const std::vector<TTableColumnDef> kByteColumns = {{60, true}, {90, false, grid::clNone, grid::edComboList}, {300}};

// Row counts of the tables: the header row stays fixed whenever there are data rows.
void setDataRows(TTableGrid& grid, int dataRows)
{
    grid.SetRowCount(dataRows + 1);
    if (dataRows > 0 && grid.FixedRows() < 1)
        grid.SetFixedRows(1);
}

void showBytes(TTableGrid& grid, const QStringList& offsets, const QStringList& mnemonics)
{
    setDataRows(grid, int(offsets.size()));
    for (qsizetype k = 0; k < offsets.size(); ++k) {
        const int row = int(k) + 1;
        grid.SetCells(0, row, QString::number(k));
        grid.SetCells(1, row, offsets[k]);
        grid.SetCells(2, row, k < mnemonics.size() ? mnemonics[k] : QString());
    }
    grid.viewport()->update();
}

void storeBytes(TTableGrid& grid, QStringList& offsets, QStringList& mnemonics)
{
    grid.HideInplaceEdit();
    for (int row = 1; row < grid.RowCount() && row - 1 < offsets.size(); ++row) {
        offsets[row - 1] = grid.Cells(1, row);
        mnemonics[row - 1] = grid.Cells(2, row);
    }
}

QLabel* label(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

} // namespace

TFDefOffset::TFDefOffset(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FDefOffset"));
    QVBoxLayout* body = Build_Frame(
        common::Table_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_Slots(), common::TFrameSizing::Resizable));

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);

    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = label(Panel1, "Label1");
    ACG_DN_Slaves = new TTableGrid(Panel1);
    ACG_DN_Slaves->setObjectName(QStringLiteral("ACG_DN_Slaves"));
    Setup_Table(*ACG_DN_Slaves, 1, kSlaveColumns, 0, 21);
    // With no slave the header is the table's only row: it stays a header, not a data row
    // painted in the data colours, selected and framed.
    ACG_DN_Slaves->SetFixedRowAlways(true);
    ACG_DN_Slaves->OnClick = [this](grid::TStringGrid*) { ACG_DN_SlavesClick(); };
    auto* p1 = new QVBoxLayout(Panel1);
    p1->setContentsMargins(4, 4, 4, 0);
    p1->addWidget(Label1);
    p1->addWidget(ACG_DN_Slaves, 1);

    Panel3 = new QWidget;
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Label2 = label(Panel3, "Label2");
    Label3 = label(Panel3, "Label3");
    PageControl1 = new QTabWidget(Panel3);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QString());
    PageControl1->addTab(TabSheet2, QString());
    auto byteTable = [](QWidget* page, const char* name) {
        auto* grid = new TTableGrid(page);
        grid->setObjectName(QLatin1String(name));
        Setup_Table(*grid, 1, kByteColumns, 1, 21);
        grid->SetFixedRowAlways(true);
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(grid);
        return grid;
    };
    ACG_ByteIN = byteTable(TabSheet1, "ACG_ByteIN");
    ACG_ByteOUT = byteTable(TabSheet2, "ACG_ByteOUT");
    auto* p3 = new QVBoxLayout(Panel3);
    p3->setContentsMargins(4, 4, 4, 0);
    p3->addWidget(Label2);
    p3->addWidget(Label3);
    p3->addWidget(PageControl1, 1);

    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel3);
    Splitter1->setSizes({162, kClientHeight - 69 - 40 - 162 - 3});
    body->addWidget(Splitter1, 1);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFDefOffset::bitbtn1Click);
    FormCreate();
}

TFDefOffset::~TFDefOffset() = default;

void TFDefOffset::FormCreate()
{
    PageControl1->setCurrentWidget(TabSheet1);
    Set_Lang();
}

void TFDefOffset::Set_Lang()
{
    setWindowTitle(common::Lang_Text(3200));
    L_SW_Desc->setText(common::Lang_Text(3201));
    Btn_OK->setCaption(common::Lang_Text(3202));
    Btn_Cancel->setCaption(common::Lang_Text(3203));
    Btn_OK->setToolTip(common::Lang_Text(3204));
    Btn_Cancel->setToolTip(common::Lang_Text(3205));
    PageControl1->setTabText(0, common::Lang_Text(3206));
    PageControl1->setTabText(1, common::Lang_Text(3207));
    Label1->setText(common::Lang_Text(3208));
    Label2->setText(common::Lang_Text(3209));
    Label3->setText(common::Lang_Text(3210));
    for (int c = 0; c < 4; ++c)
        ACG_DN_Slaves->SetCells(c, 0, common::Lang_Text(3211 + c));
    for (int c = 0; c < 3; ++c) {
        ACG_ByteIN->SetCells(c, 0, common::Lang_Text(3215 + c));
        ACG_ByteOUT->SetCells(c, 0, common::Lang_Text(3218 + c));
    }
}

void TFDefOffset::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QString error;
    try {
        FormShow();
        if (!loadFailed_)
            return;
    } catch (const platform::xml::XmlError& e) {
        error = QString::fromUtf8(e.what());
    }
    // A file that cannot be read: say so and do not open, so that an OK cannot drop the
    // offsets of slaves that were never shown.
    if (!error.isEmpty() && services_.messages)
        services_.messages->error(this, error);
    QMetaObject::invokeMethod(
        this, [this] { done(kModalCancel); }, Qt::QueuedConnection);
}

void TFDefOffset::FormShow()
{
    List_Slaves_DN.clear();
    MAX_BYTE_IN = kDefOff_Max_Byte;
    MAX_BYTE_OUT = kDefOff_Max_Byte;
    for (auto [grid, count] : {std::pair{ACG_ByteIN, MAX_BYTE_IN}, std::pair{ACG_ByteOUT, MAX_BYTE_OUT}}) {
        QStringList& items = grid->Columns()[1].ComboItems();
        items.clear();
        items.append(QLatin1String(kOffset_None));
        for (int k = 0; k < count; ++k)
            items.append(QString::number(k));
    }
    Slave_Before_Select = -1;
    loadFailed_ = false;
    Load_Slave_DN();
    if (loadFailed_)
        return;
    Load_Offset_Slave_DN();
    Select_First();
}

void TFDefOffset::Load_Slave_DN()
{
    setDataRows(*ACG_DN_Slaves, 0);
    TDNet_Net_File net;
    if (!Read_DNETM_Net_File(common::State().File_DNETM_Net, net))
        return;
    QString error;
    if (!gateway::Load_Slave_DN(net, List_Slaves_DN, error)) {
        loadFailed_ = true;
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    setDataRows(*ACG_DN_Slaves, int(List_Slaves_DN.size()));
    for (size_t i = 0; i < List_Slaves_DN.size(); ++i) {
        const TSlave_DN& s = *List_Slaves_DN[i];
        const int row = int(i) + 1;
        ACG_DN_Slaves->SetCells(0, row, QString::number(s.ID));
        ACG_DN_Slaves->SetCells(1, row, QString::number(s.ByteIN));
        ACG_DN_Slaves->SetCells(2, row, QString::number(s.ByteOUT));
        ACG_DN_Slaves->SetCells(3, row, s.Mnemonic);
    }
}

void TFDefOffset::Load_Offset_Slave_DN()
{
    TDNet_DefOff_File offsets;
    if (Read_DNETM_DefOff_File(common::State().File_DNETM_DefOff, offsets))
        gateway::Load_Offset_Slave_DN(offsets, List_Slaves_DN);
}

void TFDefOffset::Select_First()
{
    if (ACG_DN_Slaves->RowCount() < 2) {
        setDataRows(*ACG_ByteIN, 0);
        setDataRows(*ACG_ByteOUT, 0);
        return;
    }
    // Making row 1 current runs the slave click.
    ACG_DN_Slaves->SetRow(1);
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    if (Slave_Before_Select < 0 || Slave_Before_Select >= int(List_Slaves_DN.size()))
        return true;
    TSlave_DN& s = *List_Slaves_DN[size_t(Slave_Before_Select)];
    storeBytes(*ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    storeBytes(*ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
    return true;
}

void TFDefOffset::ACG_DN_SlavesClick()
{
    const int row = ACG_DN_Slaves->Row();
    if (row < 1 || row > int(List_Slaves_DN.size()))
        return;
    Save_Data_ByteIN_ByteOUT();
    Select_Row(*ACG_DN_Slaves, row);
    Slave_Before_Select = row - 1;
    Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN()
{
    const int index = ACG_DN_Slaves->Row() - 1;
    if (index < 0 || index >= int(List_Slaves_DN.size()))
        return;
    const TSlave_DN& s = *List_Slaves_DN[size_t(index)];
    showBytes(*ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    showBytes(*ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
}

bool TFDefOffset::Check_Data()
{
    const auto error = gateway::Check_Data(List_Slaves_DN);
    if (!error)
        return true;
    if (services_.messages)
        services_.messages->error(this, *error);
    return false;
}

bool TFDefOffset::Save_Offset_Slave_DN()
{
    QString error;
    if (Write_DNETM_DefOff_File(common::State().File_DNETM_DefOff, DefOff_File_From_Slaves(List_Slaves_DN), &error))
        return true;
    // The window stays open with the choices as made, so nothing is lost.
    if (services_.messages)
        services_.messages->error(this, error);
    return false;
}

void TFDefOffset::bitbtn1Click()
{
    Save_Data_ByteIN_ByteOUT();
    if (!Check_Data() || !Save_Offset_Slave_DN())
        return;
    done(kModalOK);
}

void TFDefOffset::reject()
{
    done(kModalCancel);
}

} // namespace gateway
