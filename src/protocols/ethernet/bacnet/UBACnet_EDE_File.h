#pragma once
// The EDE file of the gateway's BACnet server: one ";"-separated line per object of the server
// tables ("BACnet_Slave.xml") with its key name, device instance, name, type, instance number,
// description and unit, after a header of seven lines, for the engineering tools of the BACnet
// network. The EDE import of the client tables reads such files back.
//
//   Create_EDE_File  the main window's entry with the file name it asked for
//   Build_EDE_File   reset, settings, objects, write; a failure is shown and nothing written
//
// Every line keeps its seven fields: a ";", CR or LF inside a field is written as a blank.

#include <QDateTime>
#include <QString>

#include <map>
#include <vector>

class QWidget;

namespace platform {
struct Services;
}

namespace ethernet {

// One object line, every field as written.
struct TBACnet_EDE_Obj {
    QString Keyname;
    QString DevObjInstance;
    QString ObjectName;
    QString ObjectType;
    QString ObjectInstance;
    QString Description;
    QString UnitCode;
};

// The BACnet object-type number of a server table's Data Type (trimmed, any letter case);
// 0 for a text outside the table.
int EDE_Object_Type(const QString& dataType);

// "hh:mm:ss dd/mm/yyyy" of a local date and time.
QString EDE_Date_Time_Str(const QDateTime& time);

// One generation: its objects and the state they are numbered and named with.
class TBACnet_EDE_File {
public:
    // Names are cut to this many characters, or to kLongNameLength when the settings ask for
    // long names.
    static constexpr int kNameLength = 16;
    static constexpr int kLongNameLength = 32;

    // Instance counters to 0, no device instance, short names, no objects.
    void Reset_EDE_Instances();
    // The device instance and the name length from the communication settings; false (and
    // error) when the file exists but cannot be read.
    bool Read_EDE_ParGen(QString& error);
    // One object per row of the server tables, read rows first; false (and error) when the
    // file exists but cannot be read or a row lacks an attribute.
    bool Read_EDE_Objects(QString& error);
    // The type's next instance number (0, 1, 2, ... per type over both tables).
    int Next_EDE_Instance(int objectType);
    // The file's text: header and object lines, each ended by CR LF.
    QString EDE_Text(const QDateTime& time) const;
    // Replaces the file with EDE_Text in the ANSI code page; false (and error) on failure.
    bool Write_EDE_File(const QString& fileName, const QDateTime& time, QString& error) const;

    std::vector<TBACnet_EDE_Obj> EDE_Objects;
    QString EDE_Dev_Instance;
    bool EDE_Long_Names = false;
    std::map<int, int> EDE_Instance_Counters;
};

// Builds the file from the open project's settings and server tables; a failure is shown
// (through services.messages) and leaves any existing file as it was. True when written.
bool Build_EDE_File(const QString& fileName, platform::Services& services, QWidget* parent = nullptr);
bool Create_EDE_File(const QString& fileName, platform::Services& services, QWidget* parent = nullptr);

} // namespace ethernet
