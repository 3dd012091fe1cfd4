#pragma once
// The SNMP agent's MIB module, written from the saved "SNMP_Trap.xml" (not from the open
// agent window): a fixed object tree under the maker's enterprise number, one object per
// enabled read and write variable, numbered as the agent window numbers them, and one
// notification per read variable.

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace platform {
struct Services;
}

namespace energy_it {

// At most this many variables per section: the agent window's rows.
inline constexpr int kMaxMIBVariables = 256;

// Whether each enabled read or write variable of the file, in order, is an integer.
const std::vector<bool>& SNMP_Read_Is_Int();
const std::vector<bool>& SNMP_Write_Is_Int();

// The main window's "SNMP MIB" button: asks for the file (in the project folder, ".mib"
// added when no extension is typed), asks before replacing one, then reads and writes. A
// failure is shown and nothing is written.
void Create_MIB_File(platform::Services& services, QWidget* parent);

// Fills State().SNMP_Read_Desc and SNMP_Write_Desc and the integer flags from the enabled
// rows of File_SNMP_Trap; a missing file leaves them empty.
void Read_SNMP_Trap_Vars();

// The module's lines from the lists and flags, without line ends.
QStringList MIB_Lines();

// Writes the module (Windows-1252, CR LF after every line). False with the reason when a
// description cannot name an object of the module (an illegal, reserved or repeated name)
// or the file cannot be written; then nothing is written.
bool Write_MIB_File(const QString& fileName, QString* error = nullptr);

} // namespace energy_it
