#include "gateway/UDNet.h"

#include "gateway/UDNetTable.h"

#include "common/GlyphButton.h"
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
#include <QVBoxLayout>

namespace gateway {

using tables::Make_Table_Rows;
using tables::Rgb;
using tables::Select_Row;
using tables::Setup_Table;
using tables::TTableColumnDef;
using tables::TTableEvents;
using tables::TTableGrid;

namespace {

const std::vector<TTableColumnDef> kColumns = {
    {45, true},
    {100, false, Rgb(0xCE, 0xFF, 0xCE)},
    {100, false, Rgb(0xFF, 0xFF, 0xD5)},
    {100, false, Rgb(0xFF, 0xFF, 0xD5)},
    {375},
};

} // namespace

TFDNet::TFDNet(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FDNet"));
    QVBoxLayout* body = Build_Frame(common::Table_Frame(
        {kClientWidth, kClientHeight}, common::Row_Buttons(&Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow),
        common::TFrameSizing::Resizable));

    QSG = new TTableGrid(this);
    QSG->setObjectName(QStringLiteral("QSG"));
    Setup_Table(*QSG, kRows, kColumns, 1, 21);
    rows_ = Make_Table_Rows(*QSG, QStringLiteral("FDNet.QSG"));
    QSG->OnKeyPress = [this](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(*rows_, key); };
    auto* events = new TTableEvents(*QSG);
    QSG->HintShowCells = true;
    QSG->OnClickCell = [this](grid::TQvStringGrid*, int row, int col) { ClickCell(row, col); };
    QSG->OnDblClickCell = [this](grid::TQvStringGrid*, int row, int col) {
        common::Grid_DblClick_AutoSize(*rows_, row, col);
    };
    events->onHint = [this](int col, int row) {
        return row == 0 && col >= 1 && col - 1 < Hint_DeviceNet.size() ? Hint_DeviceNet[col - 1] : QString();
    };
    QSG->OnGridHint = [events](grid::TQvStringGrid*, int row, int col, QString& hint) {
        hint = events->onHint(col, row);
    };

    body->addWidget(QSG, 1);
    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFDNet::bitbtn1Click);
    connect(Btn_DelRow, &TGlyphButton::OnClick, this, &TFDNet::Btn_DelRow_Click);
    connect(Btn_InsRow, &TGlyphButton::OnClick, this, &TFDNet::Btn_InsRowClick);
    connect(Btn_CopyRow, &TGlyphButton::OnClick, this, &TFDNet::Btn_CopyRowClick);
    connect(Btn_PasteRow, &TGlyphButton::OnClick, this, &TFDNet::Btn_PasteRowClick);
    FormCreate();
}

TFDNet::~TFDNet() = default;

void TFDNet::FormCreate()
{
    Set_Lang();
}

void TFDNet::Set_Lang()
{
    setWindowTitle(common::Lang_Text(3100));
    L_SW_Desc->setText(common::Lang_Text(3101));
    TGlyphButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        buttons[i]->setCaption(common::Lang_Text(3102 + i));
        buttons[i]->setToolTip(common::Lang_Text(3108 + i));
    }
    for (int c = 0; c < dnet_col::Count; ++c)
        QSG->SetCells(c, 0, common::Lang_Text(3114 + c));
    Hint_DeviceNet.clear();
    for (int n = 3119; n <= 3122; ++n)
        Hint_DeviceNet.append(common::Lang_Text(n));
}

void TFDNet::FormShow()
{
    DNet_Reset_Table(*rows_);
    TDNet_Net_File file;
    Rows_Read = 0;
    if (Read_DNETM_Net_File(common::State().File_DNETM_Net, file)) {
        Show_DNet_File(file, *rows_);
        Rows_Read = int(file.Rows.size());
        // Every row is shown, a missing attribute as an empty cell, so nothing below it is
        // lost; the user is told which row the file spoilt.
        if (const auto missing = DNet_Missing_Attribute(file); missing && services_.messages)
            services_.messages->error(this, *missing);
        if (Rows_Read > kRows - 1 && services_.messages)
            services_.messages->show(this, common::Lang_Text(kText_DNet_Rows_Not_Shown).arg(Rows_Read).arg(kRows - 1),
                                     QString(), platform::MsgIcon::Warning, platform::MsgButtons::Ok);
    }
    Do_Copy = false;
    QSG->viewport()->update();
}

bool TFDNet::controllo_dati()
{
    QSG->HideInplaceEdit();
    auto error = gateway::controllo_dati(*rows_);
    if (!error)
        error = DNet_Check_Dropped_Rows(*rows_);
    if (!error)
        return true;
    if (services_.messages)
        services_.messages->error(this, *error);
    return false;
}

void TFDNet::bitbtn1Click()
{
    if (!controllo_dati())
        return;
    // Slaves of the file beyond the table are dropped only on the user's Yes.
    if (Rows_Read > kRows - 1
        && (!services_.messages
            || !services_.messages->askYesNo(this,
                                             common::Lang_Text(kText_DNet_Rows_Lost).arg(Rows_Read).arg(kRows - 1))))
        return;
    QString error;
    if (!Write_DNETM_Net_File(common::State().File_DNETM_Net, DNet_File_From_Table(*rows_), &error)) {
        // The window stays open with the table as typed, so nothing is lost.
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

void TFDNet::Btn_DelRow_Click()
{
    QSG->HideInplaceEdit();
    const int row = QSG->Row();
    if (!services_.messages
        || !services_.messages->askYesNo(this, common::Lang_Text(kText_DNet_Delete_Question) + QString::number(row)))
        return;
    common::Grid_Delete_Row(row, *rows_);
    QSG->viewport()->update();
}

void TFDNet::Btn_InsRowClick()
{
    QSG->HideInplaceEdit();
    common::Grid_Insert_Row(QSG->Row(), *rows_, false);
    QSG->viewport()->update();
}

void TFDNet::Btn_CopyRowClick()
{
    QSG->HideInplaceEdit();
    common::Grid_Copy_Row(*rows_, QSG->Row());
    Do_Copy = true;
}

void TFDNet::Btn_PasteRowClick()
{
    QSG->HideInplaceEdit();
    if (common::Grid_Paste_Row(*rows_, QSG->Row(), Do_Copy, {services_.messages, this}))
        QSG->viewport()->update();
}

void TFDNet::ClickCell(int row, int col)
{
    if (col == 0)
        Select_Row(*QSG, row);
}

void TFDNet::reject()
{
    done(kModalCancel);
}

} // namespace gateway
