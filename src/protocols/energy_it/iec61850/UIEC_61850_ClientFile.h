#pragma once
// The project file "IEC_61850_Client.xml" of the IEC 61850 client window, as a record:
//
//   <IEC_68850_Client>                   (spelled so; found by name among the document's nodes)
//     <List_ICD_Files>       <ICD_File Name FileName/> ...
//     <List_DA_Selected>     <DA_Item Index bType fc Reference StartByte NumByte ... Mnemonic/> ...
//     <List_DataSet_Selected>
//       <DataSet_Item Index Reference GooseName EnGoose IPAddress Port Time Mnemonic>
//         <DataSet_List_DAs> <DataSet_DA_Item bType Reference Position StartBit Convertion
//                              MoltFact Mnemonic/> ...
//   <!--SW_VERSION = 1.000-->
//
// Reading refuses (platform::xml::XmlError) what the program always writes and a reader
// cannot do without: the root, "List_ICD_Files", "List_DA_Selected", the attributes of
// "ICD_File", "DA_Item" (but StartByte and NumByte) and "DataSet_Item", a numeric data-set
// Index and each data set's "DataSet_List_DAs". "List_DataSet_Selected" and the member
// attributes may be missing. Attribute orders and element names are tables in the .cpp.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace energy_it {

inline constexpr const char* kIEC_Client_Root = "IEC_68850_Client";

struct TIEC_Client_File {
    struct TICD_File {
        QString Name;
        QString FileName;
    };
    // A member: each attribute is nothing when the file lacks it.
    struct TMember {
        std::optional<QString> bType, Reference, Position, StartBit, Convertion, MoltFact, Mnemonic;
    };
    struct TDataSet_Item {
        QStringList cells; // columns 1 .. 8 of the data-set table
        int index = 0;     // cells[0] as a number
        std::vector<TMember> members;
    };

    std::vector<TICD_File> icdFiles;
    std::vector<QStringList> daItems; // columns 1 .. 18 of the variables table
    std::vector<TDataSet_Item> dataSets;
};

// Reads the file; throws platform::xml::XmlError when it cannot be read, is not well-formed or
// lacks a required part.
TIEC_Client_File Read_IEC_Client_File(const QString& path);

// The file's bytes (members written from their texts as given).
QByteArray IEC_Client_File_Bytes(const TIEC_Client_File& file);

} // namespace energy_it
