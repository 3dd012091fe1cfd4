#pragma once
// Reader of IEC 61850 SCL files (.scd, .icd, .cid, ...): the first IED of a file as a read-only
// object tree, IED > logical devices > logical nodes > data objects > data attributes, each
// attribute carrying its full object reference, plus each logical node's data sets with the
// attributes they name and the GOOSE control that sends them.
//
// Call flow: TIEC_Device's constructor parses the file in place (platform::xml), indexes the
// data type templates by id once, then decodes in two passes: Decode_LDevice builds every
// logical device with its nodes (Decode_LN > Decode_DO > Decode_DA, expanding templates), and a
// second Decode_LDevice pass reads the data sets (Decode_LN_DataSet > Decode_DataSet,
// Decode_LN_Goose), so that a data set member may name any logical device of the IED. The
// document is released before the constructor returns; no decoded object refers into it.
//
// Files come from many tools and are often not schema-valid: elements are matched by local
// name (default namespace or a prefix), whatever is not read here is ignored, and unresolved
// references leave the object without children. A file that is not well-formed throws
// platform::xml::XmlError naming the file, the place and the parser's reason.

#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

class QTreeWidgetItem;

namespace pugi {
class xml_node;
}

namespace energy_it {

class TIEC_Device;
// The file's templates indexed by id and the decode's bookkeeping; lives while one file is
// decoded (UIEC_Client_Decode.cpp).
class TSCL_Templates;

// A data attribute or a sub attribute; a leaf when List_DA is empty.
class TIEC_DA {
public:
    QString fReference; // IED + LD inst + "/" + prefix + lnClass + inst + ".DO[.SDO...].DA[.BDA...]"
    QString fFC;
    QString fbType;
    QString fName;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    QTreeWidgetItem* TreeNode = nullptr; // set by the window, never owned

    // Depth first among the sub attributes.
    TIEC_DA* Find_DA(const QString& DA_Name) const;
    // First sub attribute, then its first, down to a leaf; none without sub attributes.
    TIEC_DA* Find_First_DA() const;

    void Decode_DA(pugi::xml_node DA, TSCL_Templates& DTT, QString str_Reference, const QString& FC_Father);
};

// A data object or a sub data object.
class TIEC_DO {
public:
    QString fName;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    QTreeWidgetItem* TreeNode = nullptr;

    // Depth first: each object before its sub data objects.
    TIEC_DO* Find_DO(const QString& DO_Name) const;
    // Depth first over this object's own attributes and their sub attributes (not over those
    // of the sub data objects).
    TIEC_DA* Find_DA(const QString& DA_Name) const;
    TIEC_DA* Find_First_DA() const;

    void Decode_DO(pugi::xml_node NDO, TSCL_Templates& DTT, QString str_Reference);
};

class TIEC_DataSet {
public:
    QString fName;
    QString fReference; // LD reference + "/" + lnClass + "." + name: no prefix, no inst
    QString fGooseName; // the GSEControl of the same logical node that sends it, or empty
    // The members in FCDA order: attributes owned by the device's data-object tree.
    std::vector<TIEC_DA*> List_DA;
    QTreeWidgetItem* TreeNode = nullptr;

    void Decode_DataSet(pugi::xml_node DataSet, TSCL_Templates& DTT, QString str_Reference,
                        const TIEC_Device& IEC_Device);
};

class TIEC_LN {
public:
    QString flnClass;
    QString flnType;
    QString fPrefix;
    QString fInst;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    QTreeWidgetItem* TreeNode = nullptr;

    TIEC_DO* Find_DO(const QString& DO_Name) const;

    void Decode_LN(pugi::xml_node LN, TSCL_Templates& DTT, QString str_Reference);
    void Decode_LN_DataSet(pugi::xml_node LN, TSCL_Templates& DTT, QString str_Reference,
                           const TIEC_Device& IEC_Device);
    // One GSEControl of the node: names the data set it sends.
    void Decode_LN_Goose(pugi::xml_node GSEControl, const QString& str_Reference);
};

class TIEC_LDevice {
public:
    QString fName; // the LDevice's inst
    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    QTreeWidgetItem* TreeNode = nullptr;

    // The first logical node of the class; prefix and instance are not compared.
    TIEC_LN* Find_LN(const QString& LN_Class) const;
    // The logical node with this prefix, class and instance; when none has all three, the
    // first of the class. Data set members name their node this way: taking the first of the
    // class alone put MMXU2's members on MMXU1.
    TIEC_LN* Find_LN(const QString& Prefix, const QString& LN_Class, const QString& Inst) const;

    // DataSetSearch false: reads the device and builds its logical nodes. True (second pass,
    // IEC_Device given): decodes the data sets and GOOSE controls of the nodes built before.
    void Decode_LDevice(pugi::xml_node LDevice, TSCL_Templates& DTT, QString str_Reference, bool DataSetSearch,
                        const TIEC_Device* IEC_Device);
};

// One SCL file, one IED. Everything is decoded by the constructor.
class TIEC_Device {
public:
    // Template expansion stops with an error beyond this many data objects and attributes:
    // real IEDs stay far below it, and types nested within each other can multiply without end.
    static constexpr std::size_t kMax_Decoded_Objects = 1'000'000;

    // Missing file, no SCL, IED or DataTypeTemplates: an empty device; no AccessPoint or
    // Server: the IED name only. Throws platform::xml::XmlError when the file cannot be read,
    // is not well-formed, or expands beyond Max_Objects.
    explicit TIEC_Device(const QString& FileName_icd, std::size_t Max_Objects = kMax_Decoded_Objects);
    ~TIEC_Device();
    TIEC_Device(const TIEC_Device&) = delete;
    TIEC_Device& operator=(const TIEC_Device&) = delete;

    QString fName;     // the IED's name; empty when the file yields no IED
    QString fFileName; // the file name without its folder
    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    QTreeWidgetItem* TreeNode = nullptr;

    TIEC_LDevice* Find_LDevice(const QString& LD_Name) const;

private:
    void Decode_Device(const QString& FileName_icd, std::size_t Max_Objects);
};

} // namespace energy_it
