#pragma once
// The GSDML writer: the gateway seen as a PROFINET IO device with one access point and one
// fixed module carrying one input and one output data item. The file is a fixed table of 167
// lines; only the vendor name, the access point's station name and the two data lengths are
// filled in, from the communication settings. Written in UTF-8 with a byte-order mark and
// CR LF line ends, replacing the file only once it is written whole.
//
//   Create_GSDML_File  save dialog in Project_Dir proposing the composed name; the file is the
//                      chosen folder + that name; an existing one asks text 4808 (Yes / No)
//   Write_GSDML_File   Read_Profinet_ParGen, GSDML_Text, the file replaced
//
// The station name and the vendor name are escaped, so a name holding "&" or "<" still gives
// a well-formed file.

#include <QByteArray>
#include <QString>

class QWidget;

namespace platform {
struct Services;
}

namespace ethernet {

// What the file takes from the communication settings. The input data item is the data the
// controller receives, that is the gateway's PROFINET output bytes, and the other way round.
struct TProfinet_ParGen {
    static constexpr int kDefaultLength = 1438;
    int Input_Length = kDefaultLength;               // "PROFINET_NB_OUT"
    int Output_Length = kDefaultLength;              // "PROFINET_NB_IN"
    QString Station_Name = QStringLiteral("SERIAL"); // "PROFINET_NAME_STA", unless blank
};

// The vendor name of the device identity and the access point.
inline constexpr const char* kGSDML_Vendor_Name = "Norvix - www.norvix.example";

// Reads the settings from the file at parGenPath; a missing file or element keeps its
// default. False (and error) when the file exists but cannot be read.
bool Read_Profinet_ParGen(const QString& parGenPath, TProfinet_ParGen& settings, QString* error = nullptr);

// The whole file: byte-order mark, 167 lines, each ended by CR LF.
QByteArray GSDML_Text(const TProfinet_ParGen& settings);

// Writes the file from the open project's communication settings; false (and error) when
// the settings cannot be read or the file cannot be written (an old file is then kept).
bool Write_GSDML_File(const QString& path, QString* error = nullptr);

// The main window's entry: lets the user pick the folder and writes nameFileXml there. Every
// failure is shown in a message box; nothing is shown after writing.
void Create_GSDML_File(QWidget* parent, const platform::Services& services, const QString& nameFileXml);

} // namespace ethernet
