#pragma once
// The EtherCAT slave information (ESI) file an EtherCAT master's engineering tool imports to
// know the gateway: an "EtherCATInfo" document (schema version 1.6) describing one device with
// fixed sync managers, distributed-clock modes and mailbox protocols, and one process-data
// entry per enabled variable of the EtherCAT slave table.
//
//   Create_ESI_File          save dialog in the project folder, ".xml" added, overwrite asked
//   Build_ESI_File           Read_EtherCAT_Slave_Data, then Write_ESI_File
//   Read_EtherCAT_Slave_Data the slave's name, revision and node address from "ParGen.xml",
//                            the enabled variables from "EtherCAT_Slave.xml"
//   Write_ESI_File           the fixed template with the computed values filled in and the
//                            output (RxPdo) and input (TxPdo) blocks in its middle
//
// The file is UTF-8 (what a declaration without an encoding means; ASCII text is the same in
// any code page) with CR LF line ends, written through a temporary file. Names are
// XML-escaped. Nothing is shown after a file is written; a failure to write it is.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QWidget;

namespace platform {
struct Services;
}

namespace fieldbus {

// One process-data entry.
struct TEtherCAT_Rule {
    QString DataType;    // the ESI data type name: "BIT", "INT", "STRING(12)", ...
    std::int64_t Length; // in bits
    QString Name;        // the variable's name as typed
};

// What one run reads.
struct TESI_Data {
    QString Slave_Name = QStringLiteral("EtherCAT Slave");
    int Revision = 0;
    std::uint16_t Node_Address = 1;
    QString Product_Code = QStringLiteral("00000518"); // eight hexadecimal digits
    std::vector<TEtherCAT_Rule> ESI_Slave_To_Master;   // the inputs of the master, in table order
    std::vector<TEtherCAT_Rule> ESI_Master_To_Slave;   // its outputs
    std::int64_t ESI_Bytes_In = 0;                     // bytes of the slave-to-master image
};

// The main window's "EtherCAT ESI File" step (an open project is needed).
void Create_ESI_File(QWidget* parent, const platform::Services& services);

// Reads the project's files and writes the ESI file; false (and error) when it cannot be written.
bool Build_ESI_File(const QString& fileName, QString* error = nullptr);

// The project's values: a missing file, element or attribute gives its default; a variables
// file without "EtherCAT_Slave_Variables" or a section has no variables there.
TESI_Data Read_EtherCAT_Slave_Data();

// The file's lines, without line ends.
QStringList ESI_Lines(const TESI_Data& data);

// Writes the lines with CR LF ends through a temporary file.
bool Write_ESI_File(const QString& fileName, const TESI_Data& data, QString* error = nullptr);

// The ESI data type and bit length of a table type (trimmed, any case) whose Length is
// byteLength; unknown types are one bit.
struct TESI_Type {
    QString DataType;
    std::int64_t BitLen;
};
TESI_Type ESI_Data_Type(const QString& type, int byteLength);

// The number in decimal, at least three digits: 7 gives "007".
QString Num_Str_3(int number);

// The vendor's 16 x 14 icon: a bitmap file as upper-case hexadecimal.
QString ESI_Vendor_Icon();

} // namespace fieldbus
