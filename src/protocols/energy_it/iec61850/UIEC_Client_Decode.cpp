#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

#include "platform/Files.h"
#include "platform/Xml.h"

#include <pugixml.hpp>

#include <QFileInfo>
#include <QStringBuilder>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace energy_it {

namespace {

// Only attributes are read: text is kept inside its element rather than in nodes of its own
// (values of DAI elements would otherwise double the node count), and comments, declarations
// and processing instructions are not kept at all.
constexpr unsigned kSclParseOptions = pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_embed_pcdata;

// Tools write SCL in a default namespace, some with a prefix ("scl:LN"): names are compared
// after the prefix.
const char* localName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool isElement(pugi::xml_node node, const char* name)
{
    return node.type() == pugi::node_element && std::strcmp(localName(node.name()), name) == 0;
}

pugi::xml_node firstChild(pugi::xml_node parent, const char* name)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (isElement(n, name))
            return n;
    return {};
}

// Calls f for each child element with this local name, in document order.
template <class F>
void forEachChild(pugi::xml_node parent, const char* name, F&& f)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (isElement(n, name))
            f(n);
}

// The search every finder shares: each object of the list in order, then (when it does not
// match) the same search among its children.
template <class T, class Children>
T* findDepthFirst(const std::vector<std::unique_ptr<T>>& list, const QString& name, Children children)
{
    for (const auto& item : list) {
        if (item->fName == name)
            return item.get();
        if (T* found = findDepthFirst(children(*item), name, children))
            return found;
    }
    return nullptr;
}

TIEC_DA* firstLeaf(const std::vector<std::unique_ptr<TIEC_DA>>& list)
{
    if (list.empty())
        return nullptr;
    TIEC_DA* da = list.front().get();
    while (!da->List_DA.empty())
        da = da->List_DA.front().get();
    return da;
}

} // namespace

// The kinds of template under DataTypeTemplates that the decode expands.
enum class TSCL_Kind { LNodeType, DOType, DAType };

class TSCL_Templates {
public:
    TSCL_Templates(pugi::xml_node dtt, const QString& fileName, std::size_t maxObjects)
        : fileName_(fileName), maxObjects_(maxObjects)
    {
        // One walk over the templates instead of one per lookup: a large file holds thousands
        // of them and every logical node, data object and attribute looks one up.
        for (pugi::xml_node n = dtt.first_child(); n; n = n.next_sibling()) {
            if (n.type() != pugi::node_element)
                continue;
            const char* name = localName(n.name());
            for (int k = 0; k < 3; ++k) {
                if (std::strcmp(name, kKindNames[k]) == 0) {
                    if (const pugi::xml_attribute id = n.attribute("id"))
                        index_[k][id.value()].push_back(n);
                    break;
                }
            }
        }
    }

    // Every template of the kind with this id, in document order.
    const std::vector<pugi::xml_node>& find(TSCL_Kind kind, const char* id) const
    {
        static const std::vector<pugi::xml_node> none;
        const auto& map = index_[int(kind)];
        const auto it = map.find(id);
        return it == map.end() ? none : it->second;
    }

    // Attribute values as shared texts: names, functional constraints and basic types repeat
    // across thousands of attributes, and one copy of each keeps the catalogue small beside
    // the document it is read from.
    QString text(pugi::xml_node node, const char* attribute)
    {
        const char* value = node.attribute(attribute).value();
        auto [it, added] = texts_.try_emplace(value);
        if (added)
            it->second = QString::fromUtf8(value);
        return it->second;
    }

    // Reads the attribute into field only when the element has it.
    void read(pugi::xml_node node, const char* attribute, QString& field)
    {
        if (node.attribute(attribute))
            field = text(node, attribute);
    }

    void countObject()
    {
        if (++objects_ > maxObjects_)
            throw platform::xml::XmlError(
                QStringLiteral("%1: the data types expand to more than %2 data objects and attributes")
                    .arg(fileName_)
                    .arg(maxObjects_)
                    .toStdString());
    }

    // A type that (through its children) contains itself would expand without end: while a
    // type is being expanded, a further use of it below is treated as unresolved. So is a type
    // nested deeper than any real file nests them (a handful of levels), before a chain of
    // distinct types can exhaust the stack.
    static constexpr std::size_t kMaxNesting = 64;

    class Expansion {
    public:
        Expansion(TSCL_Templates& t, TSCL_Kind kind, const char* id) : path_(t.path_[int(kind)])
        {
            const auto& p = path_;
            entered_ = p.size() < kMaxNesting && std::find(p.begin(), p.end(), std::string_view(id)) == p.end();
            if (entered_)
                path_.push_back(id);
        }
        ~Expansion()
        {
            if (entered_)
                path_.pop_back();
        }
        Expansion(const Expansion&) = delete;
        Expansion& operator=(const Expansion&) = delete;
        bool entered() const { return entered_; }

    private:
        std::vector<std::string_view>& path_;
        bool entered_ = false;
    };

private:
    static constexpr const char* kKindNames[3] = {"LNodeType", "DOType", "DAType"};

    QString fileName_;
    std::size_t maxObjects_;
    std::size_t objects_ = 0;
    // Keys point into the document, which outlives this object.
    std::unordered_map<std::string_view, std::vector<pugi::xml_node>> index_[3];
    std::unordered_map<std::string_view, QString> texts_;
    std::vector<std::string_view> path_[3];
};

// ---- data attributes ----

TIEC_DA* TIEC_DA::Find_DA(const QString& DA_Name) const
{
    return findDepthFirst(
        List_DA, DA_Name, [](const TIEC_DA& da) -> const auto& { return da.List_DA; });
}

TIEC_DA* TIEC_DA::Find_First_DA() const
{
    return firstLeaf(List_DA);
}

void TIEC_DA::Decode_DA(pugi::xml_node DA, TSCL_Templates& DTT, QString str_Reference, const QString& FC_Father)
{
    DTT.read(DA, "name", fName);
    // Built in one allocation of the exact size: every attribute keeps its own reference text.
    str_Reference = str_Reference % QLatin1Char('.') % fName;
    fReference = str_Reference;
    DTT.read(DA, "bType", fbType);
    fFC = FC_Father;
    DTT.read(DA, "fc", fFC);
    const pugi::xml_attribute type = DA.attribute("type");
    // Enumerations are leaves: their types list values, not attributes.
    if (!type || fbType == QLatin1String("Enum"))
        return;
    TSCL_Templates::Expansion expansion(DTT, TSCL_Kind::DAType, type.value());
    if (!expansion.entered())
        return;
    for (pugi::xml_node daType : DTT.find(TSCL_Kind::DAType, type.value())) {
        forEachChild(daType, "BDA", [&](pugi::xml_node bda) {
            DTT.countObject();
            auto sub = std::make_unique<TIEC_DA>();
            sub->Decode_DA(bda, DTT, str_Reference, fFC);
            List_DA.push_back(std::move(sub));
        });
    }
}

// ---- data objects ----

TIEC_DO* TIEC_DO::Find_DO(const QString& DO_Name) const
{
    return findDepthFirst(
        List_DO, DO_Name, [](const TIEC_DO& d) -> const auto& { return d.List_DO; });
}

TIEC_DA* TIEC_DO::Find_DA(const QString& DA_Name) const
{
    return findDepthFirst(
        List_DA, DA_Name, [](const TIEC_DA& da) -> const auto& { return da.List_DA; });
}

TIEC_DA* TIEC_DO::Find_First_DA() const
{
    return firstLeaf(List_DA);
}

void TIEC_DO::Decode_DO(pugi::xml_node NDO, TSCL_Templates& DTT, QString str_Reference)
{
    DTT.read(NDO, "name", fName);
    str_Reference = str_Reference % QLatin1Char('.') % fName;
    const char* type = NDO.attribute("type").value();
    if (!*type)
        return;
    TSCL_Templates::Expansion expansion(DTT, TSCL_Kind::DOType, type);
    if (!expansion.entered())
        return;
    for (pugi::xml_node doType : DTT.find(TSCL_Kind::DOType, type)) {
        for (pugi::xml_node child = doType.first_child(); child; child = child.next_sibling()) {
            if (isElement(child, "SDO")) {
                DTT.countObject();
                auto sdo = std::make_unique<TIEC_DO>();
                sdo->Decode_DO(child, DTT, str_Reference);
                List_DO.push_back(std::move(sdo));
            } else if (isElement(child, "DA")) {
                DTT.countObject();
                auto da = std::make_unique<TIEC_DA>();
                da->Decode_DA(child, DTT, str_Reference, QString());
                List_DA.push_back(std::move(da));
            }
        }
    }
}

// ---- data sets ----

void TIEC_DataSet::Decode_DataSet(pugi::xml_node DataSet, TSCL_Templates& DTT, QString str_Reference,
                                  const TIEC_Device& IEC_Device)
{
    DTT.read(DataSet, "name", fName);
    fReference = str_Reference % QLatin1Char('.') % fName;
    forEachChild(DataSet, "FCDA", [&](pugi::xml_node fcda) {
        const QString ldInst = DTT.text(fcda, "ldInst");
        const QString lnClass = DTT.text(fcda, "lnClass");
        const QString doName = DTT.text(fcda, "doName");
        const QString daName = DTT.text(fcda, "daName");
        if (ldInst.isEmpty() || lnClass.isEmpty() || doName.isEmpty())
            return;
        const TIEC_LDevice* ld = IEC_Device.Find_LDevice(ldInst);
        const TIEC_LN* ln = ld ? ld->Find_LN(DTT.text(fcda, "prefix"), lnClass, DTT.text(fcda, "lnInst")) : nullptr;
        const TIEC_DO* dob = ln ? ln->Find_DO(doName) : nullptr;
        if (!dob)
            return;
        if (TIEC_DA* da = daName.isEmpty() ? dob->Find_First_DA() : dob->Find_DA(daName))
            List_DA.push_back(da);
    });
}

// ---- logical nodes ----

TIEC_DO* TIEC_LN::Find_DO(const QString& DO_Name) const
{
    return findDepthFirst(
        List_DO, DO_Name, [](const TIEC_DO& d) -> const auto& { return d.List_DO; });
}

void TIEC_LN::Decode_LN(pugi::xml_node LN, TSCL_Templates& DTT, QString str_Reference)
{
    DTT.read(LN, "lnClass", flnClass);
    DTT.read(LN, "lnType", flnType);
    DTT.read(LN, "prefix", fPrefix);
    DTT.read(LN, "inst", fInst);
    str_Reference = str_Reference % QLatin1Char('/') % fPrefix % flnClass % fInst;
    if (flnType.isEmpty())
        return;
    for (pugi::xml_node lnType : DTT.find(TSCL_Kind::LNodeType, LN.attribute("lnType").value())) {
        forEachChild(lnType, "DO", [&](pugi::xml_node dataObject) {
            DTT.countObject();
            auto d = std::make_unique<TIEC_DO>();
            d->Decode_DO(dataObject, DTT, str_Reference);
            List_DO.push_back(std::move(d));
        });
    }
}

void TIEC_LN::Decode_LN_DataSet(pugi::xml_node LN, TSCL_Templates& DTT, QString str_Reference,
                                const TIEC_Device& IEC_Device)
{
    DTT.read(LN, "lnClass", flnClass);
    str_Reference = str_Reference % QLatin1Char('/') % flnClass;
    // A node without lnType lists neither data objects nor data sets; one whose type has no
    // template still lists its data sets.
    if (DTT.text(LN, "lnType").isEmpty())
        return;
    forEachChild(LN, "DataSet", [&](pugi::xml_node dataSet) {
        auto ds = std::make_unique<TIEC_DataSet>();
        ds->Decode_DataSet(dataSet, DTT, str_Reference, IEC_Device);
        List_DataSet.push_back(std::move(ds));
    });
    forEachChild(LN, "GSEControl", [&](pugi::xml_node gse) { Decode_LN_Goose(gse, str_Reference); });
}

void TIEC_LN::Decode_LN_Goose(pugi::xml_node GSEControl, [[maybe_unused]] const QString& str_Reference)
{
    const QString name = QString::fromUtf8(GSEControl.attribute("name").value());
    const QString datSet = QString::fromUtf8(GSEControl.attribute("datSet").value());
    if (name.isEmpty() || datSet.isEmpty())
        return;
    for (const auto& ds : List_DataSet) {
        if (ds->fName == datSet) {
            ds->fGooseName = name;
            return;
        }
    }
}

// ---- logical devices ----

TIEC_LN* TIEC_LDevice::Find_LN(const QString& LN_Class) const
{
    for (const auto& ln : List_LN)
        if (ln->flnClass == LN_Class)
            return ln.get();
    return nullptr;
}

TIEC_LN* TIEC_LDevice::Find_LN(const QString& Prefix, const QString& LN_Class, const QString& Inst) const
{
    for (const auto& ln : List_LN)
        if (ln->flnClass == LN_Class && ln->fPrefix == Prefix && ln->fInst == Inst)
            return ln.get();
    return Find_LN(LN_Class);
}

void TIEC_LDevice::Decode_LDevice(pugi::xml_node LDevice, TSCL_Templates& DTT, QString str_Reference,
                                  bool DataSetSearch, const TIEC_Device* IEC_Device)
{
    DTT.read(LDevice, "inst", fName);
    str_Reference += fName;
    std::size_t k = 0;
    for (pugi::xml_node n = LDevice.first_child(); n; n = n.next_sibling()) {
        if (!isElement(n, "LN0") && !isElement(n, "LN"))
            continue;
        if (!DataSetSearch) {
            auto ln = std::make_unique<TIEC_LN>();
            ln->Decode_LN(n, DTT, str_Reference);
            List_LN.push_back(std::move(ln));
        } else if (IEC_Device && k < List_LN.size()) {
            List_LN[k++]->Decode_LN_DataSet(n, DTT, str_Reference, *IEC_Device);
        }
    }
}

// ---- device ----

TIEC_Device::TIEC_Device(const QString& FileName_icd, std::size_t Max_Objects)
{
    fFileName = QFileInfo(FileName_icd).fileName();
    Decode_Device(FileName_icd, Max_Objects);
}

TIEC_Device::~TIEC_Device() = default;

TIEC_LDevice* TIEC_Device::Find_LDevice(const QString& LD_Name) const
{
    for (const auto& ld : List_LDevice)
        if (ld->fName == LD_Name)
            return ld.get();
    return nullptr;
}

void TIEC_Device::Decode_Device(const QString& FileName_icd, std::size_t Max_Objects)
{
    if (!platform::fileExists(FileName_icd))
        return;
    // The document goes when the decode ends, on every path, and its memory with it.
    struct Released {
        pugi::xml_document doc;
        ~Released()
        {
            doc.reset();
            platform::xml::releaseFreedMemory();
        }
    } file;
    pugi::xml_document& doc = file.doc;
    QString error;
    if (!platform::xml::loadFileInPlace(doc, FileName_icd, kSclParseOptions, &error))
        throw platform::xml::XmlError(QStringLiteral("%1: %2").arg(FileName_icd, error).toStdString());

    const pugi::xml_node scl = firstChild(doc, "SCL");
    const pugi::xml_node ied = firstChild(scl, "IED");
    const pugi::xml_node dtt = firstChild(scl, "DataTypeTemplates");
    if (!ied || !dtt)
        return;
    if (const pugi::xml_attribute name = ied.attribute("name"))
        fName = QString::fromUtf8(name.value());
    const pugi::xml_node server = firstChild(firstChild(ied, "AccessPoint"), "Server");
    if (!server)
        return;

    TSCL_Templates templates(dtt, FileName_icd, Max_Objects);
    forEachChild(server, "LDevice", [&](pugi::xml_node ldElement) {
        auto ld = std::make_unique<TIEC_LDevice>();
        ld->Decode_LDevice(ldElement, templates, fName, false, nullptr);
        List_LDevice.push_back(std::move(ld));
    });
    // Data sets only now, when every logical device has its data objects.
    std::size_t k = 0;
    forEachChild(server, "LDevice", [&](pugi::xml_node ldElement) {
        List_LDevice[k++]->Decode_LDevice(ldElement, templates, fName, true, this);
    });
}

} // namespace energy_it
