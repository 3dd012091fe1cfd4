#pragma once
// The IO-Link slave window: what the gateway offers the IO-Link master as a device, the input
// and output process data and the variables addressed by index, kept in "IOLink_Slave.xml".
// Every show reloads the three tables from the file; OK validates, rewrites the file and
// closes with 1; Cancel closes with 2 and writes nothing. The table logic is in
// UIOLinkSlaveTables.h.

#include "common/UFormParts.h"
#include "tables/TableSetup.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;
class QTabWidget;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace gateway {

class TFIOLinkSlave : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1300;
    static constexpr int kClientHeight = 337;

    explicit TFIOLinkSlave(platform::Services& services, QWidget* parent = nullptr);
    ~TFIOLinkSlave() override;

    void FormShow() override;
    bool Controllo_dati();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void Compile_Input_Pos_Bit();
    void Compile_Output_Pos_Bit();
    static QString Get_Var_Access(const QString& access);
    void Set_Lang();
    TGlyphButton* Btn_DelRow = nullptr;
    TGlyphButton* Btn_InsRow = nullptr;
    TGlyphButton* Btn_CopyRow = nullptr;
    TGlyphButton* Btn_PasteRow = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TS_ProcessData = nullptr;
    QWidget* TS_Variables = nullptr;
    QTabWidget* PC_ProcessData = nullptr;
    QWidget* TS_PD_Input = nullptr;
    QWidget* TS_PD_Output = nullptr;
    tables::TTableGrid* ACG_ProcessData_In = nullptr;
    tables::TTableGrid* ACG_ProcessData_Out = nullptr;
    tables::TTableGrid* ACG_Variable = nullptr;

    QStringList Hint_Var;
    QStringList Hint_ProcDataIn;
    QStringList Hint_ProcDataOut;
    bool Do_Copy_Var = false;
    bool Do_Copy_PD_In = false;
    bool Do_Copy_PD_Out = false;
    int Max_Byte_Read = 1400;
    int Max_Byte_Write = 1400;
    // Rows the file held at the last showing for the input, output and variables tables;
    // more than a table's 512 means OK would lose the rest, which it does only after the
    // user's Yes.
    std::array<int, 3> Rows_Read{};

    // The table the row buttons act on: the one on the page in front.
    tables::TTableGrid* Active_Table() const;

public slots:
    void reject() override;

protected:
private:
    void FormCreate();
    void buildTables();
    void hookTable(tables::TTableGrid* grid, common::TRowTable& rows, const QStringList& hints);
    common::TRowTable& rowsOf(tables::TTableGrid* grid);
    bool& copyFlagOf(tables::TTableGrid* grid);
    void afterRowChange(tables::TTableGrid* grid);
    // The tables' captions as the pages show them, in the order of Rows_Read.
    QString tableCaption(int table) const;

    std::unique_ptr<tables::TTableRows> rowsIn_, rowsOut_, rowsVar_;
};

} // namespace gateway
