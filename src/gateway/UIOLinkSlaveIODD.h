#pragma once
// The IODD generator: the IO-Link device description (IODD 1.1) of this gateway, built from the
// project's IO-Link variables and process data ("IOLink_Slave.xml") and IO-Link rate
// ("ParGen.xml") around a fixed template, stamped with the CRC-32 the IODD standard prescribes,
// and packed with the three device pictures into the ZIP package the user hands to the
// IO-Link master's engineering tool.
//
// The description is written in UTF-8, as its declaration says, with every text taken from
// the project XML-escaped, so any name a user types gives a well-formed file.

#include "common/UComonState.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace platform {
class FileDialogs;
class MessageBoxes;
} // namespace platform

namespace gateway {

// One IO-Link variable (a parameter the master reads and writes by index).
struct TVariable {
    int Index = 60;
    QString Name;
    QString Description;
    QString Access; // "ro", "wo", "rw" or empty
    int Length = 0; // bits
    float Gradient = 1.0f;
    int Offset = 0;
    int UnitCode = 0;
    int DefaultValue = 0;
};

// One process-data item.
struct TProcessData {
    QString Name;
    QString Description;
    int Length = 0; // bits
    float Gradient = 1.0f;
    int Offset = 0;
    int UnitCode = 0; // read, but the description does not carry it
};

// What one run takes from the project; Read_IOLink_Data refills it.
struct TIODD_Data {
    std::vector<TVariable> IODD_Variables;
    std::vector<TProcessData> IODD_PD_In;
    std::vector<TProcessData> IODD_PD_Out;
    int IODD_PD_In_Bits = 0;
    int IODD_PD_Out_Bits = 0;
    QString IODD_Bitrate = QStringLiteral("COM1");
    int IODD_Min_Cycle_Time = 0; // microseconds
};

// Fixed identity of this gateway.
inline constexpr const char* kIODD_Vendor_Id = "5047";
inline constexpr const char* kIODD_Vendor_Name = "Norvix";
inline constexpr const char* kIODD_Vendor_Url = common::kMakerHost;
inline constexpr const char* kIODD_Copyright = "Copyright Norvix";
inline constexpr const char* kIODD_Device_Family = "Norvix Gateways";
inline constexpr const char* kIODD_Pic = "Norvix-pic.png";
inline constexpr const char* kIODD_Icon = "Norvix-icon.png";
inline constexpr const char* kIODD_Logo = "Norvix-logo.png";

QString Get_Product_Code(); // "GX40517"
QString Get_Device_Id();    // "517"

// "Read Only" -> "ro", "Write Only" -> "wo", "Read Write" -> "rw", anything else empty.
QString Access_Rights_Str(const QString& access);

// yyyymmdd and yyyy-mm-dd.
QString Date_Str(const QDate& day);
QString Date_Str_Dash(const QDate& day);

// A gradient as the description writes it: the exact value of the 32-bit float in the
// shortest general notation with at most 15 significant digits and "." as decimal separator
// (0.1f gives "0.100000001490116"); scientific form ("6.103515625E-5") below 0.0001 and
// from 1E15 on.
QString Gradient_Str(float gradient);

// Text made safe for XML text and attribute values: "&", "<", ">", quotes and apostrophes
// become entities, and tab, line feed and carriage return character references so attribute
// normalisation keeps them.
QString Xml_Escape(const QString& text);

// CRC-32 of ISO 3309 / IEEE 802.3 (that of ZIP and zlib); 0 for a count of 0 or less.
std::uint32_t Calc_CRC32(const QByteArray& buffer, qint64 count);
// CRC-32 of a file's content (at most 10,000,000 bytes); 0 when it cannot be opened.
std::uint32_t File_CRC32(const QString& path);

// Fills data from the two project files (a missing file, element or attribute takes its
// default; gradients are read with the user's decimal separator, "," and "." alike). False
// (and error) when a file exists but cannot be read or is not well-formed; data is then
// unusable and nothing should be written.
bool Read_IOLink_Data(TIODD_Data& data, const QString& parGenPath, const QString& ioLinkSlavePath,
                      QString* error = nullptr);
// The same from the open project's File_ParGen and File_IOLink_Slave.
bool Read_IOLink_Data(TIODD_Data& data, QString* error = nullptr);

// The description's bytes (UTF-8, one element per line, tabs, CR LF) with crc as the stamp's
// value (empty for the stamp's own computation) and day as its release date.
QByteArray IODD_Document(const TIODD_Data& data, const QDate& day, const QString& crc);

// Refusals of process data longer than the 32 octets IO-Link carries per direction.
inline constexpr int kText_IODD_PD_In_Too_Long = 1834;
inline constexpr int kText_IODD_PD_Out_Too_Long = 1835;

// Writes the description to path: the document is built with an empty stamp, its CRC-32
// computed over exactly those bytes, and the stamped document written in one piece through a
// temporary file. False (and error) when it cannot be written, or when the enabled process
// data of a direction exceed 32 octets (nothing is written then).
bool Write_IODD_File(const TIODD_Data& data, const QString& path, const QDate& day, QString* error = nullptr);

// ---- Package ----------------------------------------------------------------------------

// Number of the overwrite question in the text table.
inline constexpr int kText_File_Exists = 1505;

// "Norvix-GX40517-" + yyyymmdd + "-IODD1.1".
QString IODD_Package_Name(const QDate& day);

// Writes the package: the description and the pictures that are present in ioddDir, under
// their bare names, in the order description, picture, icon, logo. The package is built in a
// temporary file and replaces packagePath only when complete. False (and error) on failure.
bool Zip_IODD(const QString& packagePath, const QString& descriptionPath, const QString& ioddDir,
              QString* error = nullptr);
// The same with the program's IODD folder.
bool Zip_IODD(const QString& packagePath, const QString& descriptionPath, QString* error = nullptr);

// What Create_IODD needs from its surroundings.
struct TIODD_Services {
    platform::FileDialogs* dialogs = nullptr;
    platform::MessageBoxes* messages = nullptr;
    // Today's date; the system clock when empty (tests fix the day).
    std::function<QDate()> today;
};

enum class TIODD_Result { Cancelled, Declined, Written, Failed };

// The step "IO-Link IODD File": asks for the package folder (starting in the project folder),
// asks before overwriting a package of the same name, writes the description into the IODD
// folder and packs it. Cancel or No writes nothing; a failure is shown as an error.
TIODD_Result Create_IODD(QWidget* parent, const TIODD_Services& services);

} // namespace gateway
