// The EDE import picker driven like a user: where the data of a file begin, how a line splits
// into fields, which object types are listed, the ticks a user may set, Select All and
// Unselect All, the device address it refuses, and the published EDE example with its
// companion files (the reference copies in tests/fixtures/refdata).

#include "protocols/ethernet/bacnet/UImportEDEFile.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <optional>

namespace {

using ethernet::TBACnet_Var;
using ethernet::TFImportEDEFile;
using testsupport::TableWindowDriver;
namespace col = ethernet::ede_col;

const QString kSamples = QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/refdata/ede");

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList l;
    for (const char* t : texts)
        l << QString::fromLatin1(t);
    return l;
}

// Six lines of header and the "# mandatory" line where the layout puts it (line 7).
QStringList header()
{
    return lines({"# EDE", "PROJECT_NAME;P", "VERSION_OF_REFERENCEFILE;1", "TIMESTAMP_OF_LAST_CHANGE;x",
                  "AUTHOR_OF_LAST_CHANGE;y", "VERSION_OF_LAYOUT;2.2", "#mandatory;mandatory", "# keyname;..."});
}

TEST(EDEReader, DataStartAtLineNineOrTwoLinesAfterTheLastMandatoryLine)
{
    const QString object = QStringLiteral("k;1;Name;0;7;Desc;;;;N;N;;;;62;V");
    // Line 7 marks the data at line 9; a later "mandatory" line is then read as an object line
    // without a type and dropped.
    QStringList standard = header();
    standard << object << QStringLiteral("#  mandatory") << QStringLiteral("skipped") << object;
    EXPECT_EQ(ethernet::Read_EDE_Vars(standard).size(), 2u);

    // Without it, the last "mandatory" line wins; blanks around "#" are allowed.
    QStringList scanned = lines({"a", "b", "c", "d", "e", "  # mandatory;x", "names", "k;1;First;0;1;;;;;;;;;;;"});
    scanned << QStringLiteral("x") << QStringLiteral("\t#\tmandatory") << QStringLiteral("names") << object;
    const auto vars = ethernet::Read_EDE_Vars(scanned);
    ASSERT_EQ(vars.size(), 1u);
    EXPECT_EQ(vars[0].object_name, QStringLiteral("Name"));

    const struct {
        const char* what;
        QStringList lines;
    } empty[] = {
        {"six lines", lines({"a", "# mandatory", "names", "k;1;N;0;1;;;;;;;;;;;", "", ""})},
        {"no mandatory line", lines({"a", "b", "c", "d", "e", "f", "# Mandatory", "x", "k;1;N;0;1;"})},
        {"\"mandatory\" without \"#\"", lines({"a", "b", "c", "d", "e", "f", "mandatory", "x", "k;1;N;0;1;"})},
        {"nothing", {}},
    };
    for (const auto& e : empty)
        EXPECT_TRUE(ethernet::Read_EDE_Vars(e.lines).empty()) << e.what;
}

TEST(EDEReader, FieldsAreTakenFromTheLeft)
{
    QStringList l = header();
    l << QStringLiteral(" key ; 12 ; Name ; 1 ; 99 ; The desc ; 20 ; 0 ; 100 ; y ; Y ; 24 ; 18 ; 5432 ; 62 ; V1; V2 ;")
      << QStringLiteral("short;x;Short;2;") // fewer fields: the rest empty, numbers -1
      << QStringLiteral("") << QStringLiteral("   ") << QStringLiteral("typeless;1;NoType;;5;")
      << QStringLiteral("device;1;Dev;8;5;")               // a type the tables do not take
      << QStringLiteral("last;1;Last;5;3;d;;;;N;N;;;;62"); // field 15 not followed by ";"
    const auto vars = ethernet::Read_EDE_Vars(l);
    ASSERT_EQ(vars.size(), 3u);
    const TBACnet_Var& v = vars[0];
    EXPECT_EQ(v.keyname, QStringLiteral("key"));
    EXPECT_EQ(v.device_obj_instance, 12);
    EXPECT_EQ(v.object_name, QStringLiteral("Name"));
    EXPECT_EQ(v.object_type, 1);
    EXPECT_EQ(v.object_instance, 99);
    EXPECT_EQ(v.description, QStringLiteral("The desc"));
    EXPECT_EQ(v.present_value_default, QStringLiteral("20"));
    EXPECT_EQ(v.min_present_value, QStringLiteral("0"));
    EXPECT_EQ(v.max_present_value, QStringLiteral("100"));
    EXPECT_TRUE(v.commandable);
    EXPECT_TRUE(v.support_COV);
    EXPECT_EQ(v.hi_limit, QStringLiteral("24"));
    EXPECT_EQ(v.low_limit, QStringLiteral("18"));
    EXPECT_EQ(v.stete_text_reference, QStringLiteral("5432"));
    EXPECT_EQ(v.unit_code, QStringLiteral("62"));
    EXPECT_EQ(v.vendor_specific_address, QStringLiteral("V1; V2"));
    EXPECT_TRUE(v.import && v.read && v.write);

    EXPECT_EQ(vars[1].device_obj_instance, -1);
    EXPECT_EQ(vars[1].object_instance, -1);
    EXPECT_EQ(vars[1].description, QString());
    EXPECT_FALSE(vars[1].commandable || vars[1].write);

    // The unit that is not followed by ";" reads empty and stays for the vendor address.
    EXPECT_EQ(vars[2].unit_code, QString());
    EXPECT_EQ(vars[2].vendor_specific_address, QStringLiteral("62"));
}

TEST(EDEReader, ObjectKindsOfTheClientTables)
{
    const struct {
        int type;
        const char* name;
        const char* dataType;
        int bytes;
    } kinds[] = {
        {0, "Analog Input", "Real", 4},
        {1, "Analog Output", "Real", 4},
        {2, "Analog Value", "Real", 4},
        {3, "Binary Input", "Enumerated", 1},
        {4, "Binary Output", "Enumerated", 1},
        {5, "Binary Value", "Enumerated", 1},
        {13, "Multi-State Input", "Unsigned Int", 4},
        {14, "Multi-State Output", "Unsigned Int", 4},
        {19, "Multi-State Value", "Unsigned Int", 4},
        {21, "Life Safety Point", "Enumerated", 2},
        {22, "Life Safety Zone", "Enumerated", 2},
        {23, "Accumulator", "Unsigned Int", 4},
        {45, "Integer Value", "Signed Int", 4},
        {46, "Large Analog Value", "Double", 8},
        {48, "Positive Integer Value", "Unsigned Int", 4},
        {8, "", "Null", 4},
        {-1, "", "Null", 4},
    };
    for (const auto& k : kinds) {
        EXPECT_EQ(ethernet::Get_ObjType_EDE(k.type), QLatin1String(k.name)) << k.type;
        EXPECT_EQ(ethernet::Get_DataType_EDE(k.type), QLatin1String(k.dataType)) << k.type;
        EXPECT_EQ(ethernet::Get_NumByte_EDE(k.type), k.bytes) << k.type;
    }
}

class EDEPicker : public testsupport::TableWindowTest<TFImportEDEFile> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start();
        file = QDir(tmp.path()).filePath(QStringLiteral("device.csv"));
    }

    void open(const QString& path, int kind = 0)
    {
        w->hide();
        w->EDE_File = path;
        w->App_BACnet_Type = kind;
        user->open();
    }

    void openWith(const QByteArray& content, int kind = 0)
    {
        ASSERT_TRUE(testsupport::writeFile(file, content));
        open(file, kind);
    }

    QString cell(int c, int row) const { return w->ACG->Cells(c, row); }

    QString file;
};

const QByteArray kThree = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n# mandatory\r\nnames\r\n"
                          "k1;1;Temp;0;4;Room;;;;N;N;;;;62;\r\n"
                          "k2;1;Damper;1;5;Duct;;;;Y;N;;;;98;\r\n"
                          "k3;1;Fan;3;6;Contact;;;;n;N;;;;;\r\n";

TEST_F(EDEPicker, ListsTheObjectsWithTheirTicks)
{
    openWith(kThree);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Import BACnet EDE File"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Import EDE File of a BACnet Slave"));
    EXPECT_EQ(w->LID_IP->text(), QStringLiteral("ID or IP address of the BACnet device"));
    EXPECT_EQ(w->Btn_Select_All->Caption(), QStringLiteral("Select All"));
    EXPECT_EQ(w->size(), QSize(863, 337));
    ASSERT_EQ(w->ACG->RowCount(), 4);
    const QStringList headers = {"N",           "Import",   "Read",        "Write",      "Name",
                                 "Object Type", "Instance", "Description", "Commandable"};
    for (int c = 0; c < col::Count; ++c)
        EXPECT_EQ(cell(c, 0), headers[c]);
    const QStringList rows[] = {
        {"1", "Y", "Y", "N", "Temp", "0", "4", "Room", "N"},
        {"2", "Y", "Y", "Y", "Damper", "1", "5", "Duct", "Y"},
        {"3", "Y", "Y", "N", "Fan", "3", "6", "Contact", "N"},
    };
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < col::Count; ++c)
            EXPECT_EQ(cell(c, r), rows[r - 1][c]) << c << "," << r;
    EXPECT_EQ(user->messageCount(), 0u);
}

TEST_F(EDEPicker, WriteOnlyOnACommandableObject)
{
    openWith(kThree);
    // Write on the object that is only read: refused with a message, the tick put back.
    user->clickCell(*w->ACG, col::Write, 1);
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error line 1!! The Variable is only in read"));
    EXPECT_EQ(cell(col::Write, 1), QStringLiteral("N"));
    EXPECT_FALSE(w->List_EDE_Var[0].write);

    // The commandable one may be unticked and ticked again; Read and Import follow their ticks.
    user->clickCell(*w->ACG, col::Write, 2);
    EXPECT_FALSE(w->List_EDE_Var[1].write);
    user->clickCell(*w->ACG, col::Write, 2);
    EXPECT_TRUE(w->List_EDE_Var[1].write);
    user->clickCell(*w->ACG, col::Read, 3);
    EXPECT_FALSE(w->List_EDE_Var[2].read);
    EXPECT_EQ(cell(col::Read, 3), QStringLiteral("N"));
    user->clickCell(*w->ACG, col::Import, 3);
    EXPECT_FALSE(w->List_EDE_Var[2].import);
    // Commandable is shown, not edited.
    user->clickCell(*w->ACG, col::Commandable, 1);
    EXPECT_EQ(cell(col::Commandable, 1), QStringLiteral("N"));
    EXPECT_EQ(user->messageCount(), 1u);
}

TEST_F(EDEPicker, SelectAllAndUnselectAll)
{
    openWith(kThree);
    user->press("Btn_Unselect_All");
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(cell(col::Import, r), QStringLiteral("N"));
        EXPECT_FALSE(w->List_EDE_Var[size_t(r - 1)].import);
    }
    user->clickCell(*w->ACG, col::Import, 2);
    EXPECT_TRUE(w->List_EDE_Var[1].import);
    user->press("Btn_Select_All");
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(cell(col::Import, r), QStringLiteral("Y"));
        EXPECT_TRUE(w->List_EDE_Var[size_t(r - 1)].import);
    }
}

TEST_F(EDEPicker, TheAddressIsCheckedForTheClientsKind)
{
    const struct {
        int kind;
        const char* address;
        const char* message; // empty: the picker closes with OK
    } cases[] = {
        {0, "192.168.1.20", ""},
        {0, "192.168.1", "Error!! IP Address is not correct"},
        {0, "", "Error!! IP Address is not correct"},
        {0, "192.168.1.256", "Error!! IP Address is not correct"},
        {1, "254", ""},
        {1, "255", "Error!! Slave ID must be between 0 and 254"},
        {1, "1.2.3.4", "Error!! Slave ID must be between 0 and 254"},
        {2, "anything", ""},
        {2, "", ""},
    };
    ASSERT_TRUE(testsupport::writeFile(file, kThree));
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.address) + " kind " + std::to_string(k.kind));
        messages.shown.clear();
        open(file, k.kind);
        w->setResult(0);
        w->E_ID_IP->setText(QLatin1String(k.address));
        user->press("Btn_OK");
        if (*k.message) {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), QLatin1String(k.message));
            EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
            EXPECT_TRUE(w->isVisible());
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_EQ(user->result(), TFImportEDEFile::kModalOK);
        }
    }
    // The address stays for the next import.
    w->E_ID_IP->setText(QStringLiteral("10.0.0.9"));
    open(file);
    EXPECT_EQ(w->E_ID_IP->text(), QStringLiteral("10.0.0.9"));
}

TEST_F(EDEPicker, FilesWithoutObjectsGiveAnEmptyListAndNoMessage)
{
    const struct {
        const char* what;
        QByteArray content;
    } files[] = {
        {"six lines", "a\r\n# mandatory\r\nnames\r\nk1;1;Temp;0;4;Room;\r\ne\r\nf\r\n"},
        {"no mandatory line", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\nk1;1;Temp;0;4;Room;\r\n"},
        {"empty", ""},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        openWith(kThree);
        openWith(f.content);
        EXPECT_TRUE(w->List_EDE_Var.empty());
        EXPECT_EQ(w->ACG->RowCount(), 2);
        EXPECT_EQ(cell(col::Name, 1), QString());
        EXPECT_EQ(cell(col::Import, 1), QString());
        EXPECT_EQ(user->messageCount(), 0u);
    }
}

// The file was there when it was chosen and is gone when the picker reads it: the picker says
// which file, and lists nothing.
TEST_F(EDEPicker, AVanishedFileIsNamed)
{
    openWith(kThree);
    const QString gone = QDir(tmp.path()).filePath(QStringLiteral("missing.csv"));
    open(gone);
    EXPECT_TRUE(w->List_EDE_Var.empty());
    EXPECT_EQ(w->ACG->RowCount(), 2);
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_TRUE(user->lastMessage().startsWith(QStringLiteral("Cannot open file \"%1\".").arg(gone)))
        << user->lastMessage().toStdString();
}

// An editor's UTF-8 file without a byte-order mark keeps its accents.
TEST_F(EDEPicker, Utf8WithoutAMarkKeepsItsAccents)
{
    openWith("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n# mandatory\r\nnames\r\n"
             "k1;1;Z\xC3\xBCrich;0;4;Stra\xC3\x9F"
             "e;;;;N;N;;;;62;\r\n");
    ASSERT_EQ(w->ACG->RowCount(), 2);
    EXPECT_EQ(cell(col::Name, 1), QString::fromUtf8("Z\u00fcrich"));
    EXPECT_EQ(cell(col::Description, 1), QString::fromUtf8("Stra\u00dfe"));
}

TEST_F(EDEPicker, ThePublishedExample)
{
    const QString sample = kSamples + QStringLiteral("/EDE_2_2_example_EDE.csv");
    ASSERT_TRUE(QFile::exists(sample)) << "missing reference file " << sample.toStdString();
    open(sample);
    // Data from line 9; the two controllers (type 8, the device) are not listed.
    ASSERT_EQ(w->List_EDE_Var.size(), 6u);
    const struct {
        const char* name;
        int type;
        int instance;
        bool commandable;
    } objects[] = {
        {"RoomTemperature", 0, 4123, false}, {"Damper", 1, 1234, true}, {"Damper", 2, 1111, false},
        {"Window", 3, 4711, false},          {"Fan", 14, 4711, false},  {"RoomTemperature", 0, 1000, false},
    };
    for (size_t i = 0; i < 6; ++i) {
        const TBACnet_Var& v = w->List_EDE_Var[i];
        EXPECT_EQ(v.object_name, QLatin1String(objects[i].name)) << i;
        EXPECT_EQ(v.object_type, objects[i].type) << i;
        EXPECT_EQ(v.object_instance, objects[i].instance) << i;
        EXPECT_EQ(v.commandable, objects[i].commandable) << i;
        // Only the settable Analog Output is ticked for Write.
        EXPECT_EQ(cell(col::Write, int(i) + 1), QLatin1String(objects[i].commandable ? "Y" : "N")) << i;
    }
    const TBACnet_Var& first = w->List_EDE_Var[0];
    EXPECT_EQ(first.keyname, QStringLiteral("Building03Room15Temperature"));
    EXPECT_EQ(first.device_obj_instance, 10);
    EXPECT_EQ(first.description, QStringLiteral("This is a Room Temperature"));
    EXPECT_EQ(first.hi_limit, QStringLiteral("24"));
    EXPECT_EQ(first.low_limit, QStringLiteral("18"));
    EXPECT_EQ(first.unit_code, QStringLiteral("62"));
    EXPECT_EQ(first.vendor_specific_address, QStringLiteral("T1.128.15"));
    EXPECT_EQ(w->List_EDE_Var[3].stete_text_reference, QStringLiteral("5432"));
    EXPECT_TRUE(w->List_EDE_Var[3].support_COV);
    EXPECT_EQ(user->messageCount(), 0u);

    user->checkTablePicture(QStringLiteral("windows/ImportEDEFile_window.png"), QSize(863, 337), *w->ACG, col::Write,
                            1);
}

TEST_F(EDEPicker, TheCompanionFilesHoldNoObjects)
{
    const char* companions[] = {"EDE_2_2_example_ObjTypes.csv", "EDE_2_2_example_Units.csv", "example_StateTexts.csv"};
    for (const char* name : companions) {
        const QString path = kSamples + QLatin1Char('/') + QLatin1String(name);
        ASSERT_TRUE(QFile::exists(path)) << "missing reference file " << path.toStdString();
        open(path);
        EXPECT_TRUE(w->List_EDE_Var.empty()) << name;
        EXPECT_EQ(user->messageCount(), 0u) << name;
    }
}

} // namespace
