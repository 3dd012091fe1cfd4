#pragma once
// The CANopen EDS writer: the INI-style device description (EDSVersion 4.0) a CANopen master's
// tool imports to know the gateway as a slave. It describes fixed communication objects, one
// set of PDO objects per row of the saved PDO table and one manufacturer object per index of
// the saved SDO server table:
//
//   Write_EDS_File   reads both project files, sorts each index's sub-indexes, takes the date
//                    and time from one clock reading, builds the lines and replaces the file
//                    (Windows-1252, CR LF); a reading or writing failure is shown and no file
//                    is written
//
// Mended: an index and sub-index pair met more than once (an object the master reads and
// writes) is one sub-index section, counted once, read-write when any of its rows is on the
// write sheet; two sections of one name would make the file unreadable to a master's tool.
// A PDO row whose Dimension is outside 1..8 is refused: the mapping and variable objects are
// sized from it.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

class QWidget;

namespace platform {
struct Services;
}

namespace fieldbus {

// One sub-index of a manufacturer object.
struct SDO_Sub_Type {
    std::uint8_t Sub = 0;
    std::uint8_t Quantity = 0; // bytes: 1, 2 or 4 (anything else is written as 4)
    bool Readonly = true;      // only on the read sheet
    QString Mnemonic;          // kept empty
};

// A manufacturer object and its sub-indexes (never empty once the object exists).
struct SDO_Index {
    std::uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

struct EDS_PDO_Entry {
    std::int32_t Cob_Id = 0;
    std::int32_t Dimension = 0; // bytes
};

// PDOs per direction the data sheet holds (the PDO window saves no more).
inline constexpr int kEDS_Max_PDO = 30;

// Name prefixes of the PDO variable objects' entries, by PDO position (first PDO first).
// Receive 8 to 10 are j, k, i; the two-letter names skip aj, ak, cj and ck.
inline constexpr std::array<std::string_view, kEDS_Max_PDO> RPDO_Var_Names = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
inline constexpr std::array<std::string_view, kEDS_Max_PDO> TPDO_Var_Names = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

// The maker, written as CreatedBy, ModifiedBy and VendorName.
inline constexpr const char* kEDS_Maker_Name = "Norvix";

// The date and time texts of the file: 03-07-2024 for 7 March 2024; 01:07PM for 13:07, with
// noon itself 12:00AM and the rest of the noon hour 00:mmPM.
QString EDS_Date_Text(const QDate& date);
QString EDS_Time_Text(const QTime& time);

// The value of mapping entry j of a PDO whose variable object is at variableIndex: the
// object, sub-index j and 8 bits ("0x70000108").
QString EDS_Mapping_Value(int variableIndex, int j);

// One writing run's data, read from the project files named in the program state. The
// readers throw platform::xml::XmlError, naming the file, for a file that cannot be used.
class TEds {
public:
    std::vector<SDO_Index> SDO_Index_List; // by first appearance: read sheet, then write sheet
    std::array<EDS_PDO_Entry, kEDS_Max_PDO> RPDO_Table{};
    std::array<EDS_PDO_Entry, kEDS_Max_PDO> TPDO_Table{};
    int RPDO_Count = 0;
    int TPDO_Count = 0;

    // The PDO file; none: no PDOs. Rows past the 30th of a section are not read.
    void Read_PDO_CANopen();
    // The SDO server file; none: no manufacturer objects.
    void Read_SDO_Server_CANopen();
    // The position of the object with this index in SDO_Index_List, or -1.
    int Find_SDO_Index(int index) const;
    // Each object's sub-indexes in ascending order; equal ones keep their order.
    void Sort_SDO_Sub_Indexs();
    // The file's lines, stamped with this date and time.
    QStringList Build_EDS_Lines(const QDateTime& now) const;

private:
    void Add_SDO(int index, int sub, int nByte, bool readonly);
};

// The entry of the main window's "EDS File" step: writes the data sheet under fileName (an
// existing file is replaced). A failure is shown as an error and leaves no file written.
// True when written.
bool Write_EDS_File(const QString& fileName, platform::Services& services, QWidget* parent = nullptr);

} // namespace fieldbus
