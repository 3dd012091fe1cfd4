#pragma once
// The EtherNet/IP scanner table: each enabled row is one implicit I/O connection the gateway
// opens to an adapter (its IP address, where its input and output bytes go in the gateway,
// the poll time, the instances, connection points and header formats of both directions).
// Import EDS fills a free row's connection columns from a connection the user picks in the
// adapter's EDS file. Kept in "EtherNetIP_Master_Rules.xml"; the window is the table-window
// base walking the description in UEtherNetIP_Master_Access.cpp.
//
// Disabled rows are skipped by the checks but saved; the first empty IP Address ends the
// table, and the base refuses OK when a row below it holds anything. After the rows, the
// input and output byte counts of the checked rows must each sum to at most 1438.

#include "tables/UTableWindow.h"

class TGlyphButton;

namespace ethernet {

class TFEtherNEtIP_EDS;

namespace enip_col {
inline constexpr int N = 0, Enable = 1, IP_Address = 2, Start_Input = 3, Num_Input = 4, Start_Output = 5,
                     Num_Output = 6, Time_Poll = 7, Instance_T_O = 8, Conn_Point_T_O = 9, Instance_O_T = 10,
                     Conn_Point_O_T = 11, Dim_Header_T_O = 12, Dim_Header_O_T = 13, Mnemonic = 14, Count = 15;
}

class TFEtherNetIP_Master_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 11; // the header row and 10 connections
    // What the gateway's arrays take of all connections together, in each direction.
    static constexpr int kByteLimit = 1438;

    // picker: the EDS connection picker Import EDS shows (none: the import does nothing).
    TFEtherNetIP_Master_Access(platform::Services& services, TFEtherNEtIP_EDS* picker, QWidget* parent = nullptr);

    void Set_Lang() override;
    void FormShow() override;
    void Btn_Import_EDSClick();

    tables::TTableGrid* ACG = nullptr;
    TGlyphButton* Btn_Import_EDS = nullptr;
    const QStringList& Hint() const { return Hints(0); }
    int Num_Byte_In = kByteLimit;
    int Num_Byte_Out = kByteLimit;

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;

private:
    TFEtherNEtIP_EDS* picker_;
};

} // namespace ethernet
