#include "protocols/ethernet/profinet/UProfinetXML.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"

#include <QFileInfo>

#include <iterator>
#include <string_view>
#include <utility>

namespace ethernet {

namespace {

constexpr int kText_Overwrite = 4808;

// The lines that carry values of their own.
enum class TComputed {
    None,
    Vendor,       // <VendorName Value="..."/>
    Access_Point, // the DeviceAccessPointItem start tag with the station name
    Input,        // the input data item with its length
    Output,       // the output data item with its length
};

// One line of the file: the white space before it ("3T2B2T": three tabs, two blanks, two
// tabs; "0": none) and its text, or the value it is computed from.
struct TGSDML_Line {
    std::string_view lead;
    std::string_view text;
    TComputed computed = TComputed::None;
};

// clang-format off
constexpr TGSDML_Line kLines[] = {
    {"0", R"(<?xml version="1.0" encoding="UTF-8"?>)"},
    {"0", R"(<!-- A fieldbus integration example. -->)"},
    {"0", R"(<ISO15745Profile xmlns="http://www.profibus.com/GSDML/2003/11/DeviceProfile" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="http://www.profibus.com/GSDML/2003/11/DeviceProfile ..\xsd\GSDML-DeviceProfile-v2.31.xsd">)"},
    {"1T", R"(<ProfileHeader>)"},
    {"2T", R"(<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>)"},
    {"2T", R"(<ProfileRevision>1.00</ProfileRevision>)"},
    {"2T", R"(<ProfileName>Device Profile for PROFINET Devices</ProfileName>)"},
    {"2T", R"(<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>)"},
    {"2T", R"(<ProfileClassID>Device</ProfileClassID>)"},
    {"2T", R"(<ISO15745Reference>)"},
    {"3T", R"(<ISO15745Part>4</ISO15745Part>)"},
    {"3T", R"(<ISO15745Edition>1</ISO15745Edition>)"},
    {"3T", R"(<ProfileTechnology>GSDML</ProfileTechnology>)"},
    {"2T", R"(</ISO15745Reference>)"},
    {"1T", R"(</ProfileHeader>)"},
    {"1T", R"(<ProfileBody>)"},
    {"2T", R"(<DeviceIdentity VendorID="0x13B7" DeviceID="0x0B5E">)"},
    {"3T", R"(<InfoText TextId="IDT_INFO_Device"/>)"},
    {"3T", {}, TComputed::Vendor},
    {"2T", R"(</DeviceIdentity>)"},
    {"2T", R"(<DeviceFunction>)"},
    {"3T", R"(<Family MainFamily="Gateway" ProductFamily="GX41K58"/>)"},
    {"2T", R"(</DeviceFunction>)"},
    {"2T", R"(<ApplicationProcess>)"},
    {"3T", R"(<DeviceAccessPointList>)"},
    {"3T2B", {}, TComputed::Access_Point},
    {"5T", R"(<ModuleInfo>)"},
    {"6T", R"(<Name TextId="IDT_NAME_DAP1"/>)"},
    {"6T", R"(<InfoText TextId="IDT_INFO_DAP1"/>)"},
    {"6T", {}, TComputed::Vendor},
    {"6T", R"(<OrderNumber Value="GX41K58"/>)"},
    {"5T", R"(</ModuleInfo>)"},
    {"5T", R"(<SubslotList>)"},
    {"6T", R"(<SubslotItem SubslotNumber="0" TextId="IDT_SUBSLOT_1"/>)"},
    {"6T", R"(<SubslotItem SubslotNumber="32768" TextId="IDT_SUBSLOT_Interface"/>)"},
    {"6T", R"(<SubslotItem SubslotNumber="32769" TextId="IDT_SUBSLOT_Port1"/>)"},
    {"6T", R"(<SubslotItem SubslotNumber="32770" TextId="IDT_SUBSLOT_Port2"/>)"},
    {"5T", R"(</SubslotList>)"},
    {"5T", R"(<IOConfigData MaxInputLength="1440" MaxOutputLength="1440" MaxDataLength="2880"/>)"},
    {"5T", R"(<UseableModules>)"},
    {"6T", R"(<ModuleItemRef ModuleItemTarget="IDM_1" FixedInSlots="1"/>)"},
    {"5T", R"(</UseableModules>)"},
    {"5T", R"(<VirtualSubmoduleList>)"},
    {"6T", R"(<VirtualSubmoduleItem ID="IDS_V1" SubmoduleIdentNumber="0x00000000" >)"},
    {"5T4B", R"(<IOData IOPS_Length="1" IOCS_Length="1"/>)"},
    {"7T", R"(<ModuleInfo>)"},
    {"8T", R"(<Name TextId="IDT_NAME_VS1"/>)"},
    {"8T", R"(<InfoText TextId="IDT_INFO_VS1"/>)"},
    {"7T", R"(</ModuleInfo>)"},
    {"6T", R"(</VirtualSubmoduleItem>)"},
    {"5T", R"(</VirtualSubmoduleList>)"},
    {"5T", R"(<SystemDefinedSubmoduleList>)"},
    {"6T", R"(<InterfaceSubmoduleItem ID="IDS_I" SubmoduleIdentNumber="0x00000001" SubslotNumber="32768" TextId="IDT_NAME_IS" SupportedRT_Classes="RT_CLASS_1" SupportedProtocols="SNMP;LLDP" SupportedMibs="MIB2">)"},
    {"7T", R"(<ApplicationRelations>)"},
    {"8T", R"(<TimingProperties SendClock="32" ReductionRatio="1 2 4 8 16 32 64 128 256 512"/>)"},
    {"7T", R"(</ApplicationRelations>)"},
    {"6T", R"(</InterfaceSubmoduleItem>)"},
    {"6T", R"(<PortSubmoduleItem ID="IDS_P1" SubmoduleIdentNumber="0x00000002" SubslotNumber="32769" TextId="IDT_NAME_PS1" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)"},
    {"6T", R"(<PortSubmoduleItem ID="IDS_P2" SubmoduleIdentNumber="0x00000002" SubslotNumber="32770" TextId="IDT_NAME_PS2" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)"},
    {"5T", R"(</SystemDefinedSubmoduleList>)"},
    {"5T", R"(<!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->)"},
    {"5T", R"(<!-- FieldbusIntegrationSlots MaxSupported="127" Range="100..9999"/-->)"},
    {"4T", R"(</DeviceAccessPointItem>)"},
    {"3T", R"(</DeviceAccessPointList>)"},
    {"3T", R"(<ModuleList>)"},
    {"4T", R"(<!-- The "normal" module carrying the FAP. -->)"},
    {"4T", R"(<ModuleItem ID="IDM_1" ModuleIdentNumber="0x00000001">)"},
    {"5T", R"(<ModuleInfo>)"},
    {"6T", R"(<Name TextId="IDT_NAME_M1"/>)"},
    {"6T", R"(<InfoText TextId="IDT_INFO_M1"/>)"},
    {"6T", R"(<OrderNumber Value="12345-0040-M"/>)"},
    {"5T", R"(</ModuleInfo>)"},
    {"5T", R"(<VirtualSubmoduleList>)"},
    {"3T2B2T", R"(<VirtualSubmoduleItem ID="IDM_1" SubmoduleIdentNumber="0x00000001" >)"},
    {"3T2B2T2B", R"(<IOData IOPS_Length="1" IOCS_Length="1" >)"},
    {"3B3T2B2T5B", {}, TComputed::Input},
    {"3T2B2T5B", {}, TComputed::Output},
    {"3T2B2T2B", R"(</IOData>)"},
    {"3T2B1T3B1T2B", R"(<RecordDataList>)"},
    {"44B", R"(<ParameterRecordDataItem Index="128" Length="2" >)"},
    {"6T", R"(<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)"},
    {"48B", R"(<Const ByteOffset="0" Data="0x00,0x00"/>)"},
    {"48B", R"(<Ref TextId="IDT_REF_reaction_to_cpu_stop" Visible="true" DataType="BitArea" ByteOffset="0" BitOffset="0" BitLength="2" DefaultValue="2" AllowedValues="0..2" ValueItemTarget="IDV_reaction_to_cpu_stop" ID="IDT_REF_reaction_to_cpu_stop" />)"},
    {"47B", R"(<MenuList>)"},
    {"22B3T10B", R"(<MenuItem ID="IDT_NAME_M1_IDT_REF_channel">)"},
    {"7T", R"(<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)"},
    {"7T", R"(<MenuRef MenuTarget="IDT_NAME_M1_Base_Parameters"/>)"},
    {"6T2B", R"(</MenuItem>)"},
    {"6T2B", R"(<MenuItem ID="IDT_NAME_M1_Base_Parameters">)"},
    {"7T", R"(<Name TextId="IDT_NAME_M1_Base_Parameters"/>)"},
    {"7T", R"(<ParameterRef ParameterTarget="IDT_REF_reaction_to_cpu_stop"/>)"},
    {"6T2B", R"(</MenuItem>)"},
    {"5T7B", R"(</MenuList>)"},
    {"43B", R"(</ParameterRecordDataItem>)"},
    {"38B", R"(</RecordDataList>)"},
    {"3T2B1T4B", R"(<ModuleInfo>)"},
    {"3T2B1T2B1T2B", R"(<Name TextId="IDT_NAME_M1"/>)"},
    {"3T2B2T4B", R"(<InfoText TextId="IDT_INFO_M1"/>)"},
    {"1T3B2T2B1T2B", R"(</ModuleInfo>)"},
    {"2T5B2T", R"(</VirtualSubmoduleItem>)"},
    {"5T", R"(</VirtualSubmoduleList>)"},
    {"4T", R"(</ModuleItem>)"},
    {"3T", R"(</ModuleList>)"},
    {"9B", R"(<ValueList>)"},
    {"4T1B", R"(<ValueItem ID="IDV_reaction_to_cpu_stop">)"},
    {"5T", R"(<Assignments>)"},
    {"6T", R"(<Assign TextId="IDT_ASSIGN_do_set_substitude_values" Content="0"/>)"},
    {"6T", R"(<Assign TextId="IDT_ASSIGN_do_values_will_hold" Content="1"/>)"},
    {"6T", R"(<Assign TextId="IDT_ASSIGN_do_continue_counting" Content="2"/>)"},
    {"5T", R"(</Assignments>)"},
    {"3T8B", R"(</ValueItem>)"},
    {"9B", R"(</ValueList>)"},
    {"3T", R"(<CategoryList>)"},
    {"4T", R"(<CategoryItem ID="IDC_DI" TextId="IDT_CATEGORY_DI">)"},
    {"5T", R"(<InfoText TextId="IDT_INFO_DI"/>)"},
    {"4T", R"(</CategoryItem>)"},
    {"4T", R"(<CategoryItem ID="IDC_DO" TextId="IDT_CATEGORY_DO">)"},
    {"5T", R"(<InfoText TextId="IDT_INFO_DO"/>)"},
    {"4T", R"(</CategoryItem>)"},
    {"3T", R"(</CategoryList>)"},
    {"3T", R"(<ExternalTextList>)"},
    {"4T", R"(<PrimaryLanguage>)"},
    {"5T", R"(<Text TextId="IDT_INFO_Device" Value="Norvix Gateways"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_DAP1" Value="EthercatDevice"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_DAP1" Value="Profinet Ethercat Adapter"/>)"},
    {"5T", R"(<Text TextId="IDT_SUBSLOT_1" Value="Subslot 1"/>)"},
    {"5T", R"(<Text TextId="IDT_SUBSLOT_Interface" Value="Interface"/>)"},
    {"5T", R"(<Text TextId="IDT_SUBSLOT_Port1" Value="Port 1"/>)"},
    {"5T", R"(<Text TextId="IDT_SUBSLOT_Port2" Value="Port 2"/>)"},
    {"5T", R"(<Text TextId="IDT_RECORD_NAME_Head" Value="Parameters of head module"/>)"},
    {"5T", R"(<Text TextId="IDT_REF_Power" Value="Percent power"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_VS1" Value="Submodule V1"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_VS1" Value="Description of submodule V1"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_IS" Value="I"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_PS1" Value="P1"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_PS2" Value="P2"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_M1" Value="Module"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_M1" Value="device Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_FAP" Value="FAP for Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_FAP" Value="Description of FAP for Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_RECORD_NAME_SlotCluster" Value="Parameters of the FAP"/>)"},
    {"5T", R"(<Text TextId="IDT_REF_SlotClusterBegin" Value="Beginning of slot cluster"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_M_PB1" Value="Ethercat Device "/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_M_PB1" Value="Description of Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_S_PB1" Value="Module of a Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_S_PB1" Value="Description of module of a Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_PB_Input" Value="Digital input EthercatCLIENT"/>)"},
    {"5T", R"(<Text TextId="IDT_PB_InputBit0" Value="Digital input bit Ethercat"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_S1" Value="Submodule 1"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_S1" Value="Description of submodule 1"/>)"},
    {"5T", R"(<Text TextId="IDT_Input_1" Value="Input byte"/>)"},
    {"5T", R"(<Text TextId="IDT_Output_1" Value="Output word"/>)"},
    {"5T", R"(<Text TextId="IDT_CATEGORY_DI" Value="Digital Input"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_DI" Value="Description of digital input"/>)"},
    {"5T", R"(<Text TextId="IDT_CATEGORY_DO" Value="Digital output"/>)"},
    {"5T", R"(<Text TextId="IDT_INFO_DO" Value="Description of digital output"/>)"},
    {"5T", R"(<Text TextId="IDT_NAME_M1_IDT_REF_channel" Value="Canale x"/>)"},
    {"20B", R"(<Text TextId="IDT_REF_reaction_to_cpu_stop" Value="Reaction to CPU STOP"/>)"},
    {"20B", R"(<Text TextId="IDT_NAME_M1_Base_Parameters" Value="Base Parameters"/>)"},
    {"20B", R"(<Text Value="Output substitute value" TextId="IDT_ASSIGN_do_set_substitude_values"/>)"},
    {"5T", R"(<Text Value="Keep last value" TextId="IDT_ASSIGN_do_values_will_hold"/>)"},
    {"5T", R"(<Text Value="Continue operation" TextId="IDT_ASSIGN_do_continue_counting"/>)"},
    {"4T", R"(</PrimaryLanguage>)"},
    {"3T", R"(</ExternalTextList>)"},
    {"2T", R"(</ApplicationProcess>)"},
    {"1T", R"(</ProfileBody>)"},
    {"0", R"(</ISO15745Profile>)"},
};
// clang-format on
static_assert(std::size(kLines) == 167);

// The attributes of the access point, in the order they are written; the two empty values
// take the station name.
constexpr std::pair<std::string_view, std::string_view> kAccessPoint[] = {
    {"PNIO_Version", "V2.3"},
    {"RequiredSchemaVersion", "V2.25"},
    {"ID", "IDD_1"},
    {"PhysicalSlots", "0..4"},
    {"ModuleIdentNumber", "0x00000001"},
    {"MinDeviceInterval", "64"},
    {"ImplementationType", {}},
    {"DNS_CompatibleName", {}},
    {"FixedInSlots", "0"},
    {"ObjectUUID_LocalIndex", "1"},
    {"MultipleWriteSupported", "true"},
    {"MaxSupportedRecordSize", "8192"},
    {"ParameterizationSpeedupSupported", "true"},
    {"PowerOnToCommReady", "350"},
    {"DeviceAccessSupported", "true"},
    {"SharedDeviceSupported", "true"},
    {"CheckDeviceID_Allowed", "false"},
    {"NameOfStationNotTransferable", "true"},
};

QString utf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// "3T2B" -> three tabs and two blanks.
QString leadText(std::string_view code)
{
    QString lead;
    int count = 0;
    for (char c : code) {
        if (c >= '0' && c <= '9') {
            count = count * 10 + (c - '0');
            continue;
        }
        lead += QString(count, c == 'T' ? QLatin1Char('\t') : QLatin1Char(' '));
        count = 0;
    }
    return lead;
}

// A value for a double-quoted attribute.
QString escaped(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        // Kept as written: a parser would turn them into blanks.
        case '\t':
            out += QLatin1String("&#9;");
            break;
        case '\n':
            out += QLatin1String("&#10;");
            break;
        case '\r':
            out += QLatin1String("&#13;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString dataItem(const char* direction, int length, const char* textId, const char* blank)
{
    return QStringLiteral("<%1>%4<DataItem DataType=\"OctetString\" Length=\"%2\" TextId=\"%3\"/>%4</%1>")
        .arg(QLatin1String(direction), QString::number(length), QLatin1String(textId), QLatin1String(blank));
}

QString lineText(const TGSDML_Line& line, const TProfinet_ParGen& settings)
{
    switch (line.computed) {
    case TComputed::None:
        return utf8(line.text);
    case TComputed::Vendor:
        return QStringLiteral("<VendorName Value=\"%1\"/>").arg(escaped(QString::fromUtf8(kGSDML_Vendor_Name)));
    case TComputed::Access_Point: {
        QString tag = QStringLiteral("<DeviceAccessPointItem");
        for (const auto& [name, value] : kAccessPoint)
            tag += QLatin1Char(' ') + utf8(name) + QStringLiteral("=\"")
                   + (value.empty() ? escaped(settings.Station_Name) : utf8(value)) + QLatin1Char('"');
        return tag + QLatin1Char('>');
    }
    case TComputed::Input:
        return dataItem("Input", settings.Input_Length, "IDT_Input_1", " ");
    case TComputed::Output:
        return dataItem("Output", settings.Output_Length, "IDT_Output_1", "");
    }
    return QString();
}

} // namespace

bool Read_Profinet_ParGen(const QString& parGenPath, TProfinet_ParGen& settings, QString* error)
{
    settings = TProfinet_ParGen();
    if (parGenPath.isEmpty() || !platform::fileExists(parGenPath))
        return true;
    platform::xml::Document doc;
    if (!doc.load(parGenPath, error))
        return false;
    const pugi::xml_node root = doc.root();
    const auto length = [&root](const char* name) {
        return common::strToIntDef(platform::xml::childText(root, name), TProfinet_ParGen::kDefaultLength);
    };
    settings.Output_Length = length("PROFINET_NB_IN");
    settings.Input_Length = length("PROFINET_NB_OUT");
    const QString station = platform::xml::childText(root, "PROFINET_NAME_STA");
    if (!common::trimBlanks(station).isEmpty())
        settings.Station_Name = station;
    return true;
}

QByteArray GSDML_Text(const TProfinet_ParGen& settings)
{
    QString text;
    for (const TGSDML_Line& line : kLines)
        text += leadText(line.lead) + lineText(line, settings) + QStringLiteral("\r\n");
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool Write_GSDML_File(const QString& path, QString* error)
{
    TProfinet_ParGen settings;
    if (!Read_Profinet_ParGen(common::State().File_ParGen, settings, error))
        return false;
    return platform::replaceFile(path, GSDML_Text(settings), error);
}

void Create_GSDML_File(QWidget* parent, const platform::Services& services, const QString& nameFileXml)
{
    if (!services.dialogs)
        return;
    const QString chosen =
        services.dialogs->saveFileName(parent, QString(), platform::joinPath(common::State().Project_Dir, nameFileXml),
                                       QStringLiteral("PROFINET XML (%1)").arg(nameFileXml));
    if (chosen.isEmpty())
        return;
    // The name is the composed one whatever the user typed: only the folder is the user's.
    const QString path = platform::joinPath(QFileInfo(chosen).path(), nameFileXml);
    if (platform::fileExists(path)
        && (!services.messages || !services.messages->askYesNo(parent, common::Lang_Text(kText_Overwrite))))
        return;
    QString error;
    if (!Write_GSDML_File(path, &error) && services.messages)
        services.messages->error(parent, error);
}

} // namespace ethernet
