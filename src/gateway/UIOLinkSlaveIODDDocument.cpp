// The fixed IODD template of this gateway, filled from the project: one element (or closing
// tag) per line, one tab per nesting level, CR LF after every line, UTF-8.

#include "gateway/UIOLinkSlaveIODD.h"

#include <initializer_list>
#include <utility>

namespace gateway {

namespace {

using Attr = std::pair<const char*, QString>;

class Lines {
public:
    // <name a="v" .../>
    void empty(int depth, const char* name, std::initializer_list<Attr> attrs = {}, const QString& trailer = QString())
    {
        add(depth, tag(name, attrs) + QStringLiteral("/>") + trailer);
    }
    // <name a="v" ...>
    void open(int depth, const char* name, std::initializer_list<Attr> attrs = {})
    {
        add(depth, tag(name, attrs) + QLatin1Char('>'));
    }
    void close(int depth, const char* name)
    {
        add(depth, QStringLiteral("</") + QLatin1String(name) + QLatin1Char('>'));
    }
    // <name a="v" ...></name>
    void openClose(int depth, const char* name, std::initializer_list<Attr> attrs = {})
    {
        add(depth, tag(name, attrs) + QStringLiteral("></") + QLatin1String(name) + QLatin1Char('>'));
    }
    // <name>text</name>
    void text(int depth, const char* name, const QString& value)
    {
        add(depth, QLatin1Char('<') + QLatin1String(name) + QLatin1Char('>') + Xml_Escape(value) + QStringLiteral("</")
                       + QLatin1String(name) + QLatin1Char('>'));
    }
    void add(int depth, const QString& line)
    {
        text_ += QString(depth, QLatin1Char('\t'));
        text_ += line;
        text_ += QLatin1String("\r\n");
    }
    QByteArray bytes() const { return text_.toUtf8(); }

private:
    static QString tag(const char* name, std::initializer_list<Attr> attrs)
    {
        QString t = QLatin1Char('<') + QLatin1String(name);
        for (const Attr& a : attrs)
            t += QLatin1Char(' ') + QLatin1String(a.first) + QStringLiteral("=\"") + Xml_Escape(a.second)
                 + QLatin1Char('"');
        return t;
    }

    QString text_;
};

QString num(qint64 n)
{
    return QString::number(n);
}

QString numbered(const char* prefix, std::size_t j)
{
    return QLatin1String(prefix) + QString::number(j);
}

const char* simpleType(int length)
{
    return length == 1 ? "BooleanT" : "UIntegerT";
}

struct ErrorType {
    const char* additionalCode;
    const char* comment;
};

constexpr ErrorType kErrorTypes[] = {
    {"0", "no detail"},
    {"17", "Idx not avail."},
    {"18", "Subidx not avail."},
    {"32", "Service not avail."},
    {"35", "Access denied"},
    {"48", "Para value out of range"},
    {"51", "Para len overrun"},
    {"52", "Para len underrun"},
    {"53", "Function not avail."},
    {"54", "Function temporarily not avail"},
    {"64", "Para set invalid"},
    {"65", "Para set inconsistent"},
    {"130", "Application not ready"},
};

struct StdString {
    const char* id;
    const char* length;
    QString defaultValue;
};

constexpr const char* kIdentVariables[] = {
    "V_VendorName",  "V_VendorText",       "V_ProductName",      "V_ProductID",
    "V_ProductText", "V_HardwareRevision", "V_FirmwareRevision", "V_ApplicationSpecificTag",
};

void processDataSide(Lines& out, int d, const std::vector<TProcessData>& items, int bits, const char* element,
                     const char* id, const char* nameTextPrefix, const char* descTextPrefix, const char* sideTextId)
{
    if (items.empty())
        return;
    out.open(d, element, {{"id", id}, {"bitLength", num(bits)}});
    out.open(d + 1, "Datatype",
             {{"xsi:type", "RecordT"}, {"bitLength", num(bits)}, {"subindexAccessSupported", "false"}});
    qint64 bitOffset = 0;
    for (std::size_t j = 0; j < items.size(); ++j) {
        const TProcessData& pd = items[j];
        out.open(d + 2, "RecordItem", {{"subindex", num(qint64(j) + 1)}, {"bitOffset", num(bitOffset)}});
        if (pd.Length == 1)
            out.empty(d + 3, "SimpleDatatype", {{"xsi:type", simpleType(pd.Length)}});
        else
            out.empty(d + 3, "SimpleDatatype", {{"xsi:type", simpleType(pd.Length)}, {"bitLength", num(pd.Length)}});
        out.openClose(d + 3, "Name", {{"textId", numbered(nameTextPrefix, j)}});
        out.empty(d + 3, "Description", {{"textId", numbered(descTextPrefix, j)}});
        out.close(d + 2, "RecordItem");
        bitOffset += pd.Length;
    }
    out.close(d + 1, "Datatype");
    out.empty(d + 1, "Name", {{"textId", sideTextId}});
    out.close(d, element);
}

void observeRefs(Lines& out, int d, const std::vector<TProcessData>& items, const char* variableId)
{
    for (std::size_t j = 0; j < items.size(); ++j) {
        const TProcessData& pd = items[j];
        if (pd.Length == 1)
            out.empty(d, "RecordItemRef",
                      {{"variableId", variableId}, {"subindex", num(qint64(j) + 1)}, {"displayFormat", "Dec"}});
        else
            out.empty(d, "RecordItemRef",
                      {{"variableId", variableId},
                       {"subindex", num(qint64(j) + 1)},
                       {"displayFormat", "Dec"},
                       {"gradient", Gradient_Str(pd.Gradient)},
                       {"offset", num(pd.Offset)}});
    }
}

} // namespace

QByteArray IODD_Document(const TIODD_Data& data, const QDate& day, const QString& crc)
{
    const QString vendorName = QString::fromLatin1(kIODD_Vendor_Name);
    const QString vendorUrl = QString::fromLatin1(kIODD_Vendor_Url);
    const QString product = Get_Product_Code();
    Lines out;

    out.add(0, QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    out.open(0, "IODevice",
             {{"xmlns", "http://www.io-link.com/IODD/2010/10"},
              {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
              {"xsi:schemaLocation", "http://www.io-link.com/IODD/2010/10 IODD1.1.xsd"}});
    out.empty(1, "DocumentInfo",
              {{"version", "V1.0.1"}, {"releaseDate", Date_Str_Dash(day)}, {"copyright", kIODD_Copyright}});

    out.open(1, "ProfileHeader");
    out.text(2, "ProfileIdentification", QStringLiteral("IO Device Profile"));
    out.text(2, "ProfileRevision", QStringLiteral("1.1"));
    out.text(2, "ProfileName", QStringLiteral("Device Profile for IO Devices"));
    out.text(2, "ProfileSource", QStringLiteral("IO-Link Consortium"));
    out.text(2, "ProfileClassID", QStringLiteral("Device"));
    out.open(2, "ISO15745Reference");
    out.text(3, "ISO15745Part", QStringLiteral("1"));
    out.text(3, "ISO15745Edition", QStringLiteral("1"));
    out.text(3, "ProfileTechnology", QStringLiteral("IODD"));
    out.close(2, "ISO15745Reference");
    out.close(1, "ProfileHeader");

    out.open(1, "ProfileBody");
    out.open(2, "DeviceIdentity",
             {{"vendorId", kIODD_Vendor_Id}, {"vendorName", vendorName}, {"deviceId", Get_Device_Id()}});
    out.empty(3, "VendorText", {{"textId", "TI_VendorText"}});
    out.empty(3, "VendorUrl", {{"textId", "TI_VendorUrl"}});
    out.empty(3, "VendorLogo", {{"name", kIODD_Logo}});
    out.empty(3, "DeviceName", {{"textId", "TI_DeviceName"}});
    out.empty(3, "DeviceFamily", {{"textId", "TI_DeviceFamily"}});
    out.open(3, "DeviceVariantCollection");
    out.open(4, "DeviceVariant", {{"productId", product}, {"deviceSymbol", kIODD_Pic}, {"deviceIcon", kIODD_Icon}});
    out.empty(5, "Name", {{"textId", "TN_Product"}});
    out.empty(5, "Description", {{"textId", "TD_Product"}});
    out.close(4, "DeviceVariant");
    out.close(3, "DeviceVariantCollection");
    out.close(2, "DeviceIdentity");

    out.open(2, "DeviceFunction");
    out.empty(3, "Features", {{"blockParameter", "true"}, {"dataStorage", "true"}});
    out.open(3, "VariableCollection");
    out.empty(4, "StdVariableRef", {{"id", "V_DirectParameters_1"}});
    out.open(4, "StdVariableRef", {{"id", "V_SystemCommand"}});
    for (const char* value : {"129", "130", "131"})
        out.empty(5, "StdSingleValueRef", {{"value", value}});
    out.close(4, "StdVariableRef");
    const StdString strings[] = {
        {"V_VendorName", "32", vendorName},      {"V_VendorText", "32", vendorUrl},
        {"V_ProductName", "32", QString()},      {"V_ProductID", "32", QString()},
        {"V_ProductText", "32", QString()},      {"V_HardwareRevision", "32", QString()},
        {"V_FirmwareRevision", "16", QString()}, {"V_ApplicationSpecificTag", "16", QStringLiteral("***")},
    };
    for (const StdString& s : strings)
        out.empty(4, "StdVariableRef",
                  {{"id", s.id}, {"fixedLengthRestriction", s.length}, {"defaultValue", s.defaultValue}});
    out.empty(4, "StdVariableRef", {{"id", "V_ProcessDataInput"}});
    out.empty(4, "StdVariableRef", {{"id", "V_ProcessDataOutput"}});
    out.add(0, QString());
    for (std::size_t j = 0; j < data.IODD_Variables.size(); ++j) {
        const TVariable& v = data.IODD_Variables[j];
        out.open(4, "Variable",
                 {{"id", numbered("PAR_", j)},
                  {"accessRights", v.Access},
                  {"index", num(v.Index)},
                  {"defaultValue", num(v.DefaultValue)}});
        if (v.Length == 1)
            out.empty(5, "Datatype", {{"xsi:type", simpleType(v.Length)}});
        else
            out.empty(5, "Datatype", {{"xsi:type", simpleType(v.Length)}, {"bitLength", num(v.Length)}});
        out.empty(5, "Name", {{"textId", numbered("TN_par_", j)}});
        out.empty(5, "Description", {{"textId", numbered("TD_par_", j)}});
        out.close(4, "Variable");
    }
    out.close(3, "VariableCollection");

    out.open(3, "ProcessDataCollection");
    out.open(4, "ProcessData", {{"id", "PD"}});
    processDataSide(out, 5, data.IODD_PD_In, data.IODD_PD_In_Bits, "ProcessDataIn", "PD_IN", "TN_PDIn_", "TD_PDIn_",
                    "TN_PD_In");
    processDataSide(out, 5, data.IODD_PD_Out, data.IODD_PD_Out_Bits, "ProcessDataOut", "PD_OUT", "TN_PDOut_",
                    "TD_PDOut_", "TN_PD_Out");
    out.close(4, "ProcessData");
    out.close(3, "ProcessDataCollection");

    out.open(3, "ErrorTypeCollection");
    for (const ErrorType& e : kErrorTypes)
        out.empty(4, "StdErrorTypeRef", {{"code", "128"}, {"additionalCode", e.additionalCode}},
                  QStringLiteral(" <!-- ") + QLatin1String(e.comment) + QStringLiteral(" -->"));
    out.close(3, "ErrorTypeCollection");

    out.open(3, "UserInterface");
    out.open(4, "MenuCollection");
    out.open(5, "Menu", {{"id", "M_Ident"}});
    for (const char* id : kIdentVariables)
        out.empty(6, "VariableRef", {{"variableId", id}});
    out.close(5, "Menu");
    out.open(5, "Menu", {{"id", "M_Par"}});
    for (std::size_t j = 0; j < data.IODD_Variables.size(); ++j) {
        const TVariable& v = data.IODD_Variables[j];
        if (v.Length == 1)
            out.empty(6, "VariableRef", {{"variableId", numbered("PAR_", j)}, {"displayFormat", "Dec"}});
        else
            out.empty(6, "VariableRef",
                      {{"variableId", numbered("PAR_", j)},
                       {"displayFormat", "Dec"},
                       {"gradient", Gradient_Str(v.Gradient)},
                       {"offset", num(v.Offset)},
                       {"unitCode", num(v.UnitCode)}});
    }
    out.close(5, "Menu");
    out.open(5, "Menu", {{"id", "M_Observe"}});
    observeRefs(out, 6, data.IODD_PD_In, "V_ProcessDataInput");
    observeRefs(out, 6, data.IODD_PD_Out, "V_ProcessDataOutput");
    out.close(5, "Menu");
    out.close(4, "MenuCollection");
    out.open(4, "ObserverRoleMenuSet");
    out.empty(5, "IdentificationMenu", {{"menuId", "M_Ident"}});
    out.empty(5, "ParameterMenu", {{"menuId", "M_Par"}});
    out.close(4, "ObserverRoleMenuSet");
    for (const char* set : {"MaintenanceRoleMenuSet", "SpecialistRoleMenuSet"}) {
        out.open(4, set);
        out.empty(5, "IdentificationMenu", {{"menuId", "M_Ident"}});
        out.empty(5, "ParameterMenu", {{"menuId", "M_Par"}});
        out.empty(5, "ObservationMenu", {{"menuId", "M_Observe"}});
        out.close(4, set);
    }
    out.close(3, "UserInterface");
    out.close(2, "DeviceFunction");
    out.close(1, "ProfileBody");

    out.open(1, "CommNetworkProfile", {{"xsi:type", "IOLinkCommNetworkProfileT"}, {"iolinkRevision", "V1.1"}});
    out.open(2, "TransportLayers");
    out.open(3, "PhysicalLayer",
             {{"minCycleTime", num(data.IODD_Min_Cycle_Time)},
              {"sioSupported", "true"},
              {"bitrate", data.IODD_Bitrate},
              {"mSequenceCapability", "41"}});
    out.open(4, "Connection", {{"xsi:type", "M12-4ConnectionT"}});
    out.empty(5, "ProductRef", {{"productId", product}});
    out.empty(5, "Wire1", {{"function", "L+"}});
    out.empty(5, "Wire2", {{"function", "NC"}});
    out.empty(5, "Wire3", {{"function", "L-"}});
    out.empty(5, "Wire4", {{"function", "C/Q"}});
    out.close(4, "Connection");
    out.close(3, "PhysicalLayer");
    out.close(2, "TransportLayers");
    out.open(2, "Test");
    out.empty(3, "Config1", {{"index", "241"}, {"testValue", "0xFE"}});
    out.empty(
        3, "Config3",
        {{"index", "24"}, {"testValue", "0x31,0x32,0x33,0x34,0x35,0x36,0x37,0x38,0x39,0x41,0x42,0x43,0x44,0x45,0x46"}});
    out.close(2, "Test");
    out.close(1, "CommNetworkProfile");

    out.open(1, "ExternalTextCollection");
    out.open(2, "PrimaryLanguage", {{"xml:lang", "en"}});
    auto text = [&out](const QString& id, const QString& value) {
        out.empty(3, "Text", {{"id", id}, {"value", value}});
    };
    text(QStringLiteral("TI_VendorText"), vendorUrl);
    text(QStringLiteral("TI_VendorUrl"), vendorUrl);
    text(QStringLiteral("TI_DeviceName"), product);
    text(QStringLiteral("TI_DeviceFamily"), QString::fromLatin1(kIODD_Device_Family));
    text(QStringLiteral("TN_Product"), product);
    text(QStringLiteral("TD_Product"), QString::fromLatin1(kIODD_Device_Family));
    for (std::size_t j = 0; j < data.IODD_Variables.size(); ++j) {
        text(numbered("TN_par_", j), data.IODD_Variables[j].Name);
        text(numbered("TD_par_", j), data.IODD_Variables[j].Description);
    }
    for (std::size_t j = 0; j < data.IODD_PD_In.size(); ++j) {
        text(numbered("TN_PDIn_", j), data.IODD_PD_In[j].Name);
        text(numbered("TD_PDIn_", j), data.IODD_PD_In[j].Description);
    }
    for (std::size_t j = 0; j < data.IODD_PD_Out.size(); ++j) {
        text(numbered("TN_PDOut_", j), data.IODD_PD_Out[j].Name);
        text(numbered("TD_PDOut_", j), data.IODD_PD_Out[j].Description);
    }
    text(QStringLiteral("TN_PD_In"), QStringLiteral("Process data input"));
    text(QStringLiteral("TN_PD_Out"), QStringLiteral("Process data output"));
    out.close(2, "PrimaryLanguage");
    out.close(1, "ExternalTextCollection");

    out.add(1, QStringLiteral("<Stamp crc=\"") + Xml_Escape(crc)
                   + QStringLiteral("\"><Checker name=\"IODD-Checker V1.1.6\" version=\"V1.1.6.0\"/></Stamp>"));
    out.close(0, "IODevice");
    return out.bytes();
}

} // namespace gateway
