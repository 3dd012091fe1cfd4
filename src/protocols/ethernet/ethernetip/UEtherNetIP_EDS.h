#pragma once
// The EtherNet/IP EDS connection picker: reads the "[Connection Manager]" section of an
// adapter's EDS file, decodes each connection entry's path into the instances and connection
// points of both directions and its connection parameters into the two real-time header
// formats, drops the entries it cannot use, and lists the rest for the user to pick one. The
// scanner table copies the picked row's columns 3 to 8. A file without a usable connection
// shows text 5415 once the window is up and closes it with Cancel. Nothing is written.
//
//   FormShow        List_Conn emptied, the file's lines walked (below), ShowDatainGrid
//   DecodeConnStr   one entry's text: fields 2, 13, 14 and the path; appends a TConnData
//   ShowDatainGrid  one row per connection, or TClose started when there is none
//   TCloseTimer     the error box, then the window closes with 2
//
// Reading the section: each line is trimmed and cut at its first "$" (the comment mark); an
// entry starts at a line "ConnectionN =" and runs, joined without separators, up to the next
// entry or section. Only such a line starts an entry: a name, help text or key that merely
// holds the word Connection ("Object_Name = "Connection Manager Object";") no longer cuts the
// entry it stands in and loses its connection.

#include "common/UFormParts.h"
#include "tables/TableSetup.h"

#include <QString>

#include <cstdint>
#include <vector>

class QLabel;
class QTimer;
class TGlyphButton;

namespace ethernet {

// One decoded connection.
struct TConnData {
    int ConnIndex = 0;            // position in List_Conn, from 1
    QString ConnName;             // the name field as written, double quotes included
    QString HelpStr;              // the help field as written, double quotes included
    std::uint8_t DimHeaderTO = 0; // T > O real-time format (bits 12..14 of the parameters)
    std::uint8_t DimHeaderOT = 4; // O > T real-time format (bits 8..10 of the parameters)
    std::uint8_t NumClass = 4;    // not decoded
    std::uint8_t InstanceTO = 30;
    std::uint8_t ConnPointTO = 0;
    std::uint8_t InstanceOT = 30;
    std::uint8_t ConnPointOT = 0;
};

namespace eds_col {
inline constexpr int Connection = 0, Name = 1, Help = 2, Instance_O_T = 3, Conn_Point_O_T = 4, Instance_T_O = 5,
                     Conn_Point_T_O = 6, Dim_Header_O_T = 7, Dim_Header_T_O = 8, Count = 9;
}

class TFEtherNEtIP_EDS : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1150;
    static constexpr int kClientHeight = 337;
    // Bytes of a path kept; the rest of a longer path is ignored.
    static constexpr int kMaxPathBytes = 1001;

    explicit TFEtherNEtIP_EDS(platform::Services& services, QWidget* parent = nullptr);
    ~TFEtherNEtIP_EDS() override;

    void Set_Lang();
    void FormShow() override;
    // Decodes one entry (the text after "=") and appends it to List_Conn when it qualifies;
    // returns the caller's new, empty accumulator.
    QString DecodeConnStr(const QString& ConnStr);
    void ShowDatainGrid();
    void TCloseTimer();

    // Set by the scanner table before the window is shown.
    QString EDS_FileName;
    std::vector<TConnData> List_Conn;
    tables::TTableGrid* ACG = nullptr;
    QTimer* TClose = nullptr;

public slots:
    void reject() override;

private:
    void FormCreate();
    void Read_File();
};

} // namespace ethernet
