// The SCL device reader on large files: a deterministic generator writes an SCD-shaped file
// (Header, Substation, Communication, 200 IEDs with data sets, FCDAs, GOOSE and report
// controls and DOI/DAI values, DataTypeTemplates last; about 55 bytes per element, as real
// files have) and the first IED is decoded.
//
// The summary compares, in the same run, the decode (TIEC_Device's constructor: read, parse,
// template index, decode, document released) with pugixml's load_file of the same file. Each
// measurement runs in a child process of its own, forked while this process is small, so its
// peak memory is the high-water growth of a process that does only that work; the two
// alternate, seven times each, and the medians count. Bars: decode time at most 1.5x
// load_file's, decode peak at most 4x the file size. The time bar is taken on processor time,
// which a busy shared machine disturbs far less than wall-clock time (both are shown; the file
// is in the page cache, so neither waits for the disk). A 5 MB file with a single IED,
// decoded whole, is reported without a bar.
//
// Usage: scl_bench [--summary_only] [--scl FILE | --keep DIR] [benchmark options]
//   --scl FILE measures an existing SCL file instead of the generated ones;
//   --keep DIR writes the generated files into DIR and leaves them there.

#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using energy_it::TIEC_Device;

namespace {

// ---- generator ----

struct Shape {
    int ieds;
    int ldsPerIed;
    int lnsPerLd;
    int settingsPerLn; // DOIs with a setting value beyond the four every node has
};

// Writes lines with tab indentation, as the tools that write SCL do.
class Writer {
public:
    explicit Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (file_)
            std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    }
    ~Writer()
    {
        if (file_)
            std::fclose(file_);
    }
    bool ok() const { return file_ != nullptr; }

    // One line at depth; counts the elements it opens.
    void line(int depth, const char* format, ...) __attribute__((format(printf, 3, 4)))
    {
        char text[512];
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        for (int i = 0; i < depth; ++i)
            std::fputc('\t', file_);
        std::fwrite(text, 1, size_t(std::min<int>(n, sizeof text - 1)), file_);
        std::fputc('\n', file_);
        for (const char* p = text; (p = std::strchr(p, '<')); ++p)
            if (p[1] != '/' && p[1] != '?' && p[1] != '!')
                ++elements_;
    }
    long long elements() const { return elements_; }

private:
    std::FILE* file_;
    long long elements_ = 0;
};

struct LnKind {
    const char* lnClass;
    const char* prefix;
    const char* lnType;
    const char* doName; // a data object for FCDAs and DOIs
    const char* daName;
    const char* fc;
};

constexpr LnKind kKinds[] = {
    {"MMXU", "", "MMXU_T", "TotW", "mag", "MX"},    {"XCBR", "Q0", "XCBR_T", "Pos", "stVal", "ST"},
    {"CSWI", "Q0", "CSWI_T", "Pos", "stVal", "ST"}, {"PTOC", "", "PTOC_T", "Op", "general", "ST"},
    {"GGIO", "", "GGIO_T", "Ind1", "stVal", "ST"},  {"MMXU", "Feeder", "MMXU_T", "Hz", "mag.f", "MX"},
    {"PTRC", "", "PTRC_T", "Tr", "general", "ST"},  {"LPHD", "", "LPHD_T", "PhyHealth", "stVal", "ST"},
};
constexpr int kKindCount = int(sizeof kKinds / sizeof kKinds[0]);

// The n-th logical node of a logical device: its kind and instance (instances counted per class).
struct LnRef {
    const LnKind* kind;
    int inst;
};
LnRef lnAt(int n)
{
    return {&kKinds[n % kKindCount], n / kKindCount + 1};
}

void writeDoi(Writer& w, int depth, const char* doName, const char* daName, const char* value)
{
    w.line(depth, "<DOI name=\"%s\" desc=\"%s of the node\">", doName, doName);
    w.line(depth + 1, "<DAI name=\"%s\" valKind=\"Set\">", daName);
    w.line(depth + 2, "<Val>%s</Val>", value);
    w.line(depth + 1, "</DAI>");
    w.line(depth, "</DOI>");
}

void writeLn0(Writer& w, const Shape& s, const char* ied, int ld)
{
    w.line(6, "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">");
    for (int d = 1; d <= 3; ++d) {
        w.line(7, "<DataSet name=\"DS%d\" desc=\"data set %d\">", d, d);
        for (int m = 0; m < 16; ++m) {
            const LnRef ln = lnAt((d * 16 + m) % s.lnsPerLd);
            w.line(8,
                   "<FCDA ldInst=\"LD%d\" prefix=\"%s\" lnClass=\"%s\" lnInst=\"%d\" doName=\"%s\" daName=\"%s\" "
                   "fc=\"%s\" />",
                   ld, ln.kind->prefix, ln.kind->lnClass, ln.inst, ln.kind->doName, ln.kind->daName, ln.kind->fc);
        }
        w.line(7, "</DataSet>");
    }
    for (int r = 1; r <= 2; ++r) {
        w.line(7,
               "<ReportControl name=\"rcb%d\" rptID=\"%sLD%d/LLN0$RP$rcb%d\" datSet=\"DS%d\" confRev=\"1\" "
               "buffered=\"true\" bufTime=\"50\">",
               r, ied, ld, r, r);
        w.line(8, "<TrgOps dchg=\"true\" qchg=\"true\" dupd=\"false\" period=\"false\" gi=\"true\" />");
        w.line(
            8,
            "<OptFields seqNum=\"true\" timeStamp=\"true\" dataSet=\"true\" reasonCode=\"true\" entryID=\"true\" />");
        w.line(8, "<RptEnabled max=\"5\" />");
        w.line(7, "</ReportControl>");
    }
    writeDoi(w, 7, "Mod", "ctlModel", "status-only");
    w.line(7, "<DOI name=\"NamPlt\">");
    w.line(8, "<DAI name=\"vendor\">");
    w.line(9, "<Val>Generated</Val>");
    w.line(8, "</DAI>");
    w.line(8, "<DAI name=\"configRev\">");
    w.line(9, "<Val>Rev 1.0</Val>");
    w.line(8, "</DAI>");
    w.line(7, "</DOI>");
    for (int g = 1; g <= 2; ++g)
        w.line(7, "<GSEControl name=\"gcb%d\" appID=\"%sLD%dgcb%d\" datSet=\"DS%d\" confRev=\"1\" type=\"GOOSE\" />", g,
               ied, ld, g, g + 1);
    w.line(6, "</LN0>");
}

void writeLn(Writer& w, const Shape& s, int n)
{
    const LnRef ln = lnAt(n);
    w.line(6, "<LN prefix=\"%s\" lnClass=\"%s\" inst=\"%d\" lnType=\"%s\">", ln.kind->prefix, ln.kind->lnClass, ln.inst,
           ln.kind->lnType);
    writeDoi(w, 7, "Mod", "ctlModel", "status-only");
    writeDoi(w, 7, "Beh", "d", "Behaviour");
    w.line(7, "<DOI name=\"%s\" desc=\"measured or switched value\">", ln.kind->doName);
    w.line(8, "<DAI name=\"d\" valKind=\"RO\">");
    w.line(9, "<Val>Node %d value</Val>", n);
    w.line(8, "</DAI>");
    w.line(8, "<SDI name=\"units\" desc=\"unit of the value\">");
    w.line(9, "<DAI name=\"SIUnit\" valKind=\"RO\">");
    w.line(10, "<Val>W</Val>");
    w.line(9, "</DAI>");
    w.line(8, "</SDI>");
    w.line(7, "</DOI>");
    writeDoi(w, 7, "NamPlt", "d", "Generated node");
    for (int k = 1; k <= s.settingsPerLn; ++k) {
        w.line(7, "<DOI name=\"Set%d\" desc=\"setting %d of node %d\">", k, k, n);
        w.line(8, "<DAI name=\"setVal\" sAddr=\"%d.%d\" valKind=\"Set\">", n, k);
        w.line(9, "<Val>%d</Val>", (n * 31 + k * 7) % 1000);
        w.line(8, "</DAI>");
        w.line(7, "</DOI>");
    }
    w.line(6, "</LN>");
}

void writeIed(Writer& w, const Shape& s, int i)
{
    char ied[16];
    std::snprintf(ied, sizeof ied, "IED%03d", i + 1);
    w.line(1,
           "<IED name=\"%s\" type=\"Relay\" manufacturer=\"Maker\" configVersion=\"1.0\" originalSclVersion=\"2007\">",
           ied);
    w.line(2, "<Services>");
    for (const char* service :
         {"DynAssociation", "GetDirectory", "GetDataObjectDefinition", "DataObjectDirectory", "GetDataSetValue",
          "DataSetDirectory", "ReadWrite", "GetCBValues", "FileHandling", "GSEDir", "TimerActivatedControl"})
        w.line(3, "<%s />", service);
    w.line(3, "<ConfLNs fixPrefix=\"true\" fixLnInst=\"true\" />");
    w.line(3, "<GOOSE max=\"8\" />");
    w.line(2, "</Services>");
    w.line(2, "<AccessPoint name=\"AP1\">");
    w.line(3, "<Server>");
    w.line(4, "<Authentication none=\"true\" />");
    for (int ld = 1; ld <= s.ldsPerIed; ++ld) {
        w.line(5, "<LDevice inst=\"LD%d\" desc=\"logical device %d\">", ld, ld);
        writeLn0(w, s, ied, ld);
        for (int n = 0; n < s.lnsPerLd; ++n)
            writeLn(w, s, n);
        w.line(5, "</LDevice>");
    }
    w.line(3, "</Server>");
    w.line(2, "</AccessPoint>");
    w.line(1, "</IED>");
}

void writeHeaderSubstationCommunication(Writer& w, const Shape& s)
{
    w.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    w.line(0, "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" version=\"2007\" revision=\"B\">");
    w.line(1, "<Header id=\"Generated\" version=\"1\" revision=\"1\" toolID=\"scl_bench\" nameStructure=\"IEDName\">");
    w.line(2, "<History>");
    w.line(3, "<Hitem version=\"1\" revision=\"1\" when=\"2024-01-01\" who=\"bench\" what=\"generated\" />");
    w.line(2, "</History>");
    w.line(1, "</Header>");
    w.line(1, "<Substation name=\"S1\" desc=\"Substation\">");
    w.line(2, "<VoltageLevel name=\"E1\" nomFreq=\"50\" numPhases=\"3\">");
    w.line(3, "<Voltage unit=\"V\" multiplier=\"k\">110</Voltage>");
    for (int i = 0; i < s.ieds; ++i) {
        w.line(3, "<Bay name=\"Bay%03d\" desc=\"feeder bay\">", i + 1);
        w.line(4, "<LNode iedName=\"IED%03d\" ldInst=\"LD1\" lnClass=\"MMXU\" lnInst=\"1\" />", i + 1);
        w.line(4, "<ConductingEquipment type=\"CBR\" name=\"QA1\">");
        w.line(5, "<LNode iedName=\"IED%03d\" ldInst=\"LD1\" lnClass=\"XCBR\" lnInst=\"1\" />", i + 1);
        w.line(5,
               "<Terminal connectivityNode=\"S1/E1/Bay%03d/L1\" substationName=\"S1\" voltageLevelName=\"E1\" "
               "bayName=\"Bay%03d\" cNodeName=\"L1\" />",
               i + 1, i + 1);
        w.line(4, "</ConductingEquipment>");
        w.line(4, "<ConnectivityNode name=\"L1\" pathName=\"S1/E1/Bay%03d/L1\" />", i + 1);
        w.line(3, "</Bay>");
    }
    w.line(2, "</VoltageLevel>");
    w.line(1, "</Substation>");
    w.line(1, "<Communication>");
    w.line(2, "<SubNetwork name=\"StationBus\" type=\"8-MMS\">");
    for (int i = 0; i < s.ieds; ++i) {
        w.line(3, "<ConnectedAP iedName=\"IED%03d\" apName=\"AP1\">", i + 1);
        w.line(4, "<Address>");
        w.line(5, "<P type=\"IP\">10.0.%d.%d</P>", i / 250, i % 250 + 1);
        w.line(5, "<P type=\"IP-SUBNET\">255.255.0.0</P>");
        w.line(5, "<P type=\"OSI-AP-Title\">1,3,9999,23</P>");
        w.line(5, "<P type=\"OSI-PSEL\">00000001</P>");
        w.line(4, "</Address>");
        for (int g = 1; g <= 2; ++g) {
            w.line(4, "<GSE ldInst=\"LD1\" cbName=\"gcb%d\">", g);
            w.line(5, "<Address>");
            w.line(6, "<P type=\"MAC-Address\">01-0C-CD-01-%02X-%02X</P>", i % 256, g);
            w.line(6, "<P type=\"APPID\">%04X</P>", i * 2 + g);
            w.line(5, "</Address>");
            w.line(4, "</GSE>");
        }
        w.line(3, "</ConnectedAP>");
    }
    w.line(2, "</SubNetwork>");
    w.line(1, "</Communication>");
}

void writeTemplates(Writer& w)
{
    struct DoUse {
        const char* name;
        const char* type;
    };
    auto lnType = [&](const char* id, const char* lnClass, std::initializer_list<DoUse> dos) {
        w.line(2, "<LNodeType id=\"%s\" lnClass=\"%s\">", id, lnClass);
        for (const char* common : {"Mod", "Beh", "Health"})
            w.line(3, "<DO name=\"%s\" type=\"%s\" />", common, std::strcmp(common, "Mod") == 0 ? "ENC_T" : "ENS_T");
        w.line(3, "<DO name=\"NamPlt\" type=\"LPL_T\" />");
        for (const DoUse& d : dos)
            w.line(3, "<DO name=\"%s\" type=\"%s\" />", d.name, d.type);
        w.line(2, "</LNodeType>");
    };
    struct DaDef {
        const char* name;
        const char* bType;
        const char* type; // "" for none
        const char* fc;
    };
    auto doType = [&](const char* id, const char* cdc, std::initializer_list<DaDef> das) {
        w.line(2, "<DOType id=\"%s\" cdc=\"%s\">", id, cdc);
        for (const DaDef& d : das) {
            if (std::strcmp(d.bType, "SDO") == 0)
                w.line(3, "<SDO name=\"%s\" type=\"%s\" />", d.name, d.type);
            else if (*d.type)
                w.line(3, "<DA name=\"%s\" bType=\"%s\" type=\"%s\" fc=\"%s\" />", d.name, d.bType, d.type, d.fc);
            else
                w.line(3, "<DA name=\"%s\" bType=\"%s\" fc=\"%s\" />", d.name, d.bType, d.fc);
        }
        w.line(2, "</DOType>");
    };
    auto daType = [&](const char* id, std::initializer_list<DaDef> bdas) {
        w.line(2, "<DAType id=\"%s\">", id);
        for (const DaDef& d : bdas) {
            if (*d.type)
                w.line(3, "<BDA name=\"%s\" bType=\"%s\" type=\"%s\" />", d.name, d.bType, d.type);
            else
                w.line(3, "<BDA name=\"%s\" bType=\"%s\" />", d.name, d.bType);
        }
        w.line(2, "</DAType>");
    };
    auto enumType = [&](const char* id, std::initializer_list<const char*> values) {
        w.line(2, "<EnumType id=\"%s\">", id);
        int ord = 1;
        for (const char* v : values)
            w.line(3, "<EnumVal ord=\"%d\">%s</EnumVal>", ord++, v);
        w.line(2, "</EnumType>");
    };

    w.line(1, "<DataTypeTemplates>");
    lnType("LLN0_T", "LLN0", {});
    lnType("LPHD_T", "LPHD", {{"PhyNam", "DPL_T"}, {"PhyHealth", "ENS_T"}, {"Proxy", "SPS_T"}});
    lnType("MMXU_T", "MMXU", {{"TotW", "MV_T"}, {"TotVAr", "MV_T"}, {"Hz", "MV_T"}, {"PhV", "WYE_T"}, {"A", "WYE_T"}});
    lnType("XCBR_T", "XCBR",
           {{"Loc", "SPS_T"}, {"OpCnt", "INS_T"}, {"Pos", "DPC_T"}, {"BlkOpn", "SPC_T"}, {"BlkCls", "SPC_T"}});
    lnType("CSWI_T", "CSWI", {{"Pos", "DPC_T"}, {"OpOpn", "ACT_T"}, {"OpCls", "ACT_T"}});
    lnType("PTOC_T", "PTOC", {{"Str", "ACD_T"}, {"Op", "ACT_T"}, {"StrVal", "ASG_T"}, {"OpDlTmms", "ING_T"}});
    lnType("GGIO_T", "GGIO",
           {{"Ind1", "SPS_T"},
            {"Ind2", "SPS_T"},
            {"Ind3", "SPS_T"},
            {"Ind4", "SPS_T"},
            {"AnIn1", "MV_T"},
            {"AnIn2", "MV_T"},
            {"SPCSO1", "SPC_T"},
            {"SPCSO2", "SPC_T"}});
    lnType("PTRC_T", "PTRC", {{"Tr", "ACT_T"}, {"Op", "ACT_T"}, {"Str", "ACD_T"}});

    doType("ENC_T", "ENC",
           {{"origin", "Struct", "Originator_T", "ST"},
            {"ctlNum", "INT8U", "", "ST"},
            {"stVal", "Enum", "Beh_Enum", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"},
            {"ctlModel", "Enum", "CtlModel_Enum", "CF"},
            {"Oper", "Struct", "Oper_T", "CO"}});
    doType("ENS_T", "ENS",
           {{"stVal", "Enum", "Beh_Enum", "ST"}, {"q", "Quality", "", "ST"}, {"t", "Timestamp", "", "ST"}});
    doType("LPL_T", "LPL",
           {{"vendor", "VisString255", "", "DC"},
            {"swRev", "VisString255", "", "DC"},
            {"d", "VisString255", "", "DC"},
            {"configRev", "VisString255", "", "DC"}});
    doType("DPL_T", "DPL",
           {{"vendor", "VisString255", "", "DC"},
            {"hwRev", "VisString255", "", "DC"},
            {"serNum", "VisString255", "", "DC"},
            {"model", "VisString255", "", "DC"}});
    doType("SPS_T", "SPS",
           {{"stVal", "BOOLEAN", "", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"},
            {"d", "VisString255", "", "DC"}});
    doType("INS_T", "INS", {{"stVal", "INT32", "", "ST"}, {"q", "Quality", "", "ST"}, {"t", "Timestamp", "", "ST"}});
    doType("DPC_T", "DPC",
           {{"origin", "Struct", "Originator_T", "ST"},
            {"ctlNum", "INT8U", "", "ST"},
            {"stVal", "Dbpos", "", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"},
            {"ctlModel", "Enum", "CtlModel_Enum", "CF"},
            {"sboTimeout", "INT32U", "", "CF"},
            {"SBOw", "Struct", "Oper_T", "CO"},
            {"Oper", "Struct", "Oper_T", "CO"},
            {"Cancel", "Struct", "Cancel_T", "CO"}});
    doType("SPC_T", "SPC",
           {{"stVal", "BOOLEAN", "", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"},
            {"ctlModel", "Enum", "CtlModel_Enum", "CF"},
            {"Oper", "Struct", "Oper_T", "CO"}});
    doType("ACT_T", "ACT",
           {{"general", "BOOLEAN", "", "ST"},
            {"phsA", "BOOLEAN", "", "ST"},
            {"phsB", "BOOLEAN", "", "ST"},
            {"phsC", "BOOLEAN", "", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"}});
    doType("ACD_T", "ACD",
           {{"general", "BOOLEAN", "", "ST"},
            {"dirGeneral", "Enum", "Dir_Enum", "ST"},
            {"phsA", "BOOLEAN", "", "ST"},
            {"dirPhsA", "Enum", "Dir_Enum", "ST"},
            {"q", "Quality", "", "ST"},
            {"t", "Timestamp", "", "ST"}});
    doType("MV_T", "MV",
           {{"mag", "Struct", "AV_T", "MX"},
            {"q", "Quality", "", "MX"},
            {"t", "Timestamp", "", "MX"},
            {"units", "Struct", "Unit_T", "CF"},
            {"db", "INT32U", "", "CF"},
            {"d", "VisString255", "", "DC"}});
    doType("CMV_T", "CMV",
           {{"cVal", "Struct", "Vector_T", "MX"},
            {"q", "Quality", "", "MX"},
            {"t", "Timestamp", "", "MX"},
            {"units", "Struct", "Unit_T", "CF"},
            {"db", "INT32U", "", "CF"}});
    doType("WYE_T", "WYE",
           {{"phsA", "SDO", "CMV_T", ""},
            {"phsB", "SDO", "CMV_T", ""},
            {"phsC", "SDO", "CMV_T", ""},
            {"neut", "SDO", "CMV_T", ""},
            {"d", "VisString255", "", "DC"}});
    doType("ASG_T", "ASG",
           {{"setMag", "Struct", "AV_T", "SP"},
            {"units", "Struct", "Unit_T", "CF"},
            {"minVal", "Struct", "AV_T", "CF"},
            {"maxVal", "Struct", "AV_T", "CF"}});
    doType("ING_T", "ING",
           {{"setVal", "INT32", "", "SP"}, {"minVal", "INT32", "", "CF"}, {"maxVal", "INT32", "", "CF"}});

    daType("AV_T", {{"f", "FLOAT32", "", ""}});
    daType("Vector_T", {{"mag", "Struct", "AV_T", ""}, {"ang", "Struct", "AV_T", ""}});
    daType("Unit_T", {{"SIUnit", "Enum", "SIUnit_Enum", ""}, {"multiplier", "Enum", "Multiplier_Enum", ""}});
    daType("Originator_T", {{"orCat", "Enum", "OrCat_Enum", ""}, {"orIdent", "Octet64", "", ""}});
    daType("Oper_T", {{"ctlVal", "BOOLEAN", "", ""},
                      {"origin", "Struct", "Originator_T", ""},
                      {"ctlNum", "INT8U", "", ""},
                      {"T", "Timestamp", "", ""},
                      {"Test", "BOOLEAN", "", ""},
                      {"Check", "Check", "", ""}});
    daType("Cancel_T", {{"ctlVal", "BOOLEAN", "", ""},
                        {"origin", "Struct", "Originator_T", ""},
                        {"ctlNum", "INT8U", "", ""},
                        {"T", "Timestamp", "", ""},
                        {"Test", "BOOLEAN", "", ""}});

    enumType("Beh_Enum", {"on", "blocked", "test", "test/blocked", "off"});
    enumType("CtlModel_Enum", {"status-only", "direct-with-normal-security", "sbo-with-normal-security",
                               "direct-with-enhanced-security", "sbo-with-enhanced-security"});
    enumType("Dir_Enum", {"unknown", "forward", "backward", "both"});
    enumType("OrCat_Enum", {"not-supported", "bay-control", "station-control", "remote-control", "automatic-bay",
                            "automatic-station", "automatic-remote", "maintenance", "process"});
    enumType("SIUnit_Enum", {"none", "m", "kg", "s", "A", "K", "mol", "cd", "deg", "rad", "sr", "Gy", "V", "W", "Hz"});
    enumType("Multiplier_Enum", {"y", "z", "a", "f", "p", "n", "u", "m", "c", "d", "", "da", "h", "k", "M", "G"});
    w.line(1, "</DataTypeTemplates>");
}

struct Generated {
    long long bytes = 0;
    long long elements = 0;
};

Generated generate(const std::string& path, const Shape& s)
{
    Generated g;
    {
        Writer w(path);
        if (!w.ok())
            return g;
        writeHeaderSubstationCommunication(w, s);
        for (int i = 0; i < s.ieds; ++i)
            writeIed(w, s, i);
        writeTemplates(w);
        w.line(0, "</SCL>");
        g.elements = w.elements();
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    g.bytes = in ? (long long)in.tellg() : 0;
    return g;
}

// ---- measurements in child processes ----

long statusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(in, line))
        if (line.compare(0, n, key) == 0)
            return std::atol(line.c_str() + n);
    return -1;
}

struct Sample {
    bool ok = false;
    double ms = 0;         // wall-clock time of the work
    double cpuMs = 0;      // processor time the child spent on it, user and system
    long peakGrowthKb = 0; // VmHWM at the end minus VmRSS at the child's start
    long keptKb = 0;       // VmRSS after the work, its result still alive, minus the start
    long objects = 0;      // decode: logical nodes, data objects and attributes, data sets
    char error[160] = {};
};

using Clock = std::chrono::steady_clock;

double cpuMsNow()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(ru.ru_utime) + ms(ru.ru_stime);
}

template <class Work>
Sample inChild(Work work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        Sample s;
        const long baseKb = statusKb("VmRSS:");
        work(s, baseKb);
        s.peakGrowthKb = statusKb("VmHWM:") - baseKb;
        const ssize_t written = write(fds[1], &s, sizeof s);
        // Leave without tearing anything down: release time is no part of the work measured.
        _exit(written == ssize_t(sizeof s) ? 0 : 1);
    }
    close(fds[1]);
    Sample s;
    const ssize_t got = read(fds[0], &s, sizeof s);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got != ssize_t(sizeof s))
        s.ok = false;
    return s;
}

long countObjects(const TIEC_Device& dev)
{
    long n = 0;
    auto das = [&](const auto& self, const std::vector<std::unique_ptr<energy_it::TIEC_DA>>& list) -> void {
        for (const auto& da : list) {
            ++n;
            self(self, da->List_DA);
        }
    };
    auto dos = [&](const auto& self, const std::vector<std::unique_ptr<energy_it::TIEC_DO>>& list) -> void {
        for (const auto& d : list) {
            ++n;
            self(self, d->List_DO);
            das(das, d->List_DA);
        }
    };
    for (const auto& ld : dev.List_LDevice)
        for (const auto& ln : ld->List_LN) {
            n += 1 + long(ln->List_DataSet.size());
            dos(dos, ln->List_DO);
        }
    return n;
}

Sample decodeOnce(const std::string& path)
{
    return inChild([&](Sample& s, long baseKb) {
        try {
            const double c0 = cpuMsNow();
            const auto t0 = Clock::now();
            TIEC_Device dev(QString::fromStdString(path));
            const auto t1 = Clock::now();
            s.cpuMs = cpuMsNow() - c0;
            s.ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
            s.keptKb = statusKb("VmRSS:") - baseKb;
            s.objects = countObjects(dev);
            s.ok = !dev.fName.isEmpty();
            if (!s.ok)
                std::snprintf(s.error, sizeof s.error, "no IED decoded");
        } catch (const std::exception& e) {
            std::snprintf(s.error, sizeof s.error, "%s", e.what());
        }
    });
}

Sample loadFileOnce(const std::string& path)
{
    return inChild([&](Sample& s, long baseKb) {
        pugi::xml_document doc;
        const double c0 = cpuMsNow();
        const auto t0 = Clock::now();
        const pugi::xml_parse_result r = doc.load_file(path.c_str());
        const auto t1 = Clock::now();
        s.cpuMs = cpuMsNow() - c0;
        s.ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
        s.keptKb = statusKb("VmRSS:") - baseKb;
        s.ok = bool(r);
        if (!s.ok)
            std::snprintf(s.error, sizeof s.error, "%s", r.description());
    });
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Summary {
    bool ok = false;
    double decodeMs = 0, loadMs = 0, decodeCpuMs = 0, loadCpuMs = 0;
    long decodePeakKb = 0, loadPeakKb = 0, keptKb = 0, objects = 0;
};

// Alternating runs, so that both see the same machine; medians of the times, the largest peaks.
Summary measure(const std::string& path, int runs)
{
    // Read once so that every run finds the file in the page cache.
    {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> chunk(1 << 20);
        while (in.read(chunk.data(), std::streamsize(chunk.size())) || in.gcount() > 0) {}
    }
    Summary sum;
    std::vector<double> decodeMs, loadMs, decodeCpuMs, loadCpuMs;
    for (int r = 0; r < runs; ++r) {
        const Sample d = decodeOnce(path);
        const Sample l = loadFileOnce(path);
        if (!d.ok || !l.ok) {
            std::fprintf(stderr, "run failed: %s%s\n", d.error, l.error);
            return sum;
        }
        decodeMs.push_back(d.ms);
        loadMs.push_back(l.ms);
        decodeCpuMs.push_back(d.cpuMs);
        loadCpuMs.push_back(l.cpuMs);
        sum.decodePeakKb = std::max(sum.decodePeakKb, d.peakGrowthKb);
        sum.loadPeakKb = std::max(sum.loadPeakKb, l.peakGrowthKb);
        sum.keptKb = std::max(sum.keptKb, d.keptKb);
        sum.objects = d.objects;
    }
    sum.decodeMs = median(decodeMs);
    sum.loadMs = median(loadMs);
    sum.decodeCpuMs = median(decodeCpuMs);
    sum.loadCpuMs = median(loadCpuMs);
    sum.ok = true;
    return sum;
}

// Prints one file's figures; returns whether the bars hold (always true without bars).
bool report(const char* title, const std::string& path, long long bytes, long long elements, bool bars)
{
    const Summary s = measure(path, 7);
    if (!s.ok)
        return false;
    const double mb = double(bytes) / (1024.0 * 1024.0);
    const double fileKb = double(bytes) / 1024.0;
    std::printf("\n%s: %.1f MB", title, mb);
    if (elements > 0)
        std::printf(", %lld elements, %.1f bytes per element", elements, double(bytes) / double(elements));
    std::printf("\n");
    std::printf("%-26s %10s %10s %14s %12s\n", "", "cpu ms", "wall ms", "peak growth", "x file size");
    std::printf("%-26s %10.0f %10.0f %11.1f MB %11.2fx\n", "decode (TIEC_Device)", s.decodeCpuMs, s.decodeMs,
                s.decodePeakKb / 1024.0, s.decodePeakKb / fileKb);
    std::printf("%-26s %10.0f %10.0f %11.1f MB %11.2fx\n", "pugixml load_file", s.loadCpuMs, s.loadMs,
                s.loadPeakKb / 1024.0, s.loadPeakKb / fileKb);
    std::printf("decoded: %ld objects (nodes, data objects, attributes, data sets); resident after the decode, "
                "document released: %.1f MB (%.2fx file)\n",
                s.objects, s.keptKb / 1024.0, s.keptKb / fileKb);
    const double timeRatio = s.decodeCpuMs / s.loadCpuMs;
    const double memRatio = s.decodePeakKb / fileKb;
    std::printf("time decode / load_file: cpu %.2fx, wall %.2fx", timeRatio, s.decodeMs / s.loadMs);
    if (!bars) {
        std::printf(" (no bar)\n");
        return true;
    }
    const bool timeOk = timeRatio <= 1.5;
    const bool memOk = memRatio <= 4.0;
    std::printf(" (bar 1.5x: %s); peak / file size: %.2fx (bar 4x: %s)\n", timeOk ? "met" : "MISSED", memRatio,
                memOk ? "met" : "MISSED");
    return timeOk && memOk;
}

// ---- Google Benchmark timings, in this process ----

std::string g_path;

void BM_DecodeFirstIed(benchmark::State& st)
{
    for (auto _ : st) {
        TIEC_Device dev(QString::fromStdString(g_path));
        benchmark::DoNotOptimize(dev.List_LDevice.data());
    }
}

void BM_PugixmlLoadFile(benchmark::State& st)
{
    for (auto _ : st) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(g_path.c_str()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    bool summaryOnly = false;
    std::string given;
    QString keep;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--summary_only") == 0)
            summaryOnly = true;
        else if (std::strcmp(argv[i], "--scl") == 0 && i + 1 < argc)
            given = argv[++i];
        else if (std::strcmp(argv[i], "--keep") == 0 && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }

    QTemporaryDir tmp;
    bool barsMet = true;
    if (!given.empty()) {
        std::ifstream in(given, std::ios::binary | std::ios::ate);
        barsMet = report("given file", given, in ? (long long)in.tellg() : 0, 0, true);
        g_path = given;
    } else {
        const QString dir = keep.isEmpty() ? tmp.path() : keep;
        const std::string big = (dir + QStringLiteral("/station.scd")).toStdString();
        const std::string single = (dir + QStringLiteral("/single.icd")).toStdString();
        const Generated g = generate(big, {200, 4, 70, 0});
        const Generated one = generate(single, {1, 4, 460, 12});
        if (g.bytes == 0 || one.bytes == 0) {
            std::fprintf(stderr, "could not write the generated files in %s\n", qPrintable(dir));
            return 1;
        }
        barsMet = report("generated SCD, 200 IEDs, first IED decoded", big, g.bytes, g.elements, true);
        report("generated single-IED file, decoded whole", single, one.bytes, one.elements, false);
        g_path = big;
    }
    std::printf("\n");
    if (summaryOnly)
        return barsMet ? 0 : 1;

    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    if (benchmark::ReportUnrecognizedArguments(n, rest.data()))
        return 1;
    benchmark::RegisterBenchmark("DecodeFirstIed", BM_DecodeFirstIed)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PugixmlLoadFile", BM_PugixmlLoadFile)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return barsMet ? 0 : 1;
}
