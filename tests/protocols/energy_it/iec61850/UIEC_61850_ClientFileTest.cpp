// "IEC_61850_Client.xml": what OK writes compared byte for byte with hand-made fixtures, what
// showing the window reads back (members kept only where they still match their data set, the
// byte window optional, missing catalogue files kept as placeholder devices), and the files
// the window refuses to open so that OK cannot overwrite them.

#include "IEC_ClientWindowTest.h"

#include "platform/Xml.h"
#include "protocols/energy_it/iec61850/UIEC_61850_ClientFile.h"
#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

#include <QFile>
#include <QTabWidget>

namespace {

using energy_it::TFIEC_61850_Access;
using iectest::IECClientWindow;
using iectest::smallFixture;
namespace da_col = energy_it::da_col;
namespace ds_col = energy_it::ds_col;
namespace member_col = energy_it::member_col;

// A file with one catalogue entry for the small fixture and the given lists.
QByteArray clientFile(const QByteArray& daItems, const QByteArray& dataSets,
                      const QByteArray& icd = "<ICD_File Name=\"SRV1\" FileName=\"client_small.icd\" />")
{
    return "<IEC_68850_Client><List_ICD_Files>" + icd + "</List_ICD_Files><List_DA_Selected>" + daItems
           + "</List_DA_Selected><List_DataSet_Selected>" + dataSets
           + "</List_DataSet_Selected></IEC_68850_Client>\n<!--SW_VERSION = 1.000-->\n";
}

QByteArray daItem(const QByteArray& bType, const QByteArray& reference, const QByteArray& bytes = {})
{
    return "<DA_Item Index=\"0\" bType=\"" + bType + "\" fc=\"MX\" Reference=\"" + reference + "\" " + bytes
           + " IPAddress=\"1.2.3.4\" Port=\"102\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Position=\"0\""
             " StartBit=\"\" ReadWrite=\"\" Convertion=\"\" MoltFact=\"None\" Mnemonic=\"\" />";
}

QByteArray dataSetItem(const QByteArray& index, const QByteArray& reference, const QByteArray& members)
{
    return "<DataSet_Item Index=\"" + index + "\" Reference=\"" + reference
           + "\" GooseName=\"gcb1\" EnGoose=\"Y\" IPAddress=\"\" Port=\"\" Time=\"\" Mnemonic=\"\"><DataSet_List_DAs>"
           + members + "</DataSet_List_DAs></DataSet_Item>";
}

class IECClientFile : public IECClientWindow {
protected:
    // The small fixture in the catalogue, as Add IEC Device leaves it.
    void putInCatalogue(const QString& name = QStringLiteral("client_small.icd"))
    {
        ASSERT_TRUE(QDir().mkpath(catalog()));
        ASSERT_TRUE(QFile::copy(smallFixture(), catalog(name)));
    }
};

TEST_F(IECClientFile, SavedFileMatchesTheHandMadeFixture)
{
    open();
    addDevice(smallFixture());
    clickDevice(0);
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "mag", "f"});
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "d"});
    addVar({"SRV1", "LD0", "LLN0", "DS1"});

    user->type("ACG_DA", da_col::IP_Address, 1, "192.168.1.20");
    user->type("ACG_DA", da_col::Port, 1, "102");
    user->type("ACG_DA", da_col::Position, 1, "0");
    user->pick(*w->ACG_DA, da_col::Start_Bit, 1, "2");
    user->pick(*w->ACG_DA, da_col::Read_Write, 1, "Read");
    user->pick(*w->ACG_DA, da_col::Convertion, 1, "None");
    user->type("ACG_DA", da_col::Molt_Fact, 1, "None");
    user->type("ACG_DA", da_col::Mnemonic, 1, "Power & <W>");
    user->type("ACG_DA", da_col::Start_Byte, 2, "10");
    user->type("ACG_DA", da_col::Num_Byte, 2, "20");
    user->type("ACG_DA", da_col::IP_Address, 2, "10.0.0.2");
    user->type("ACG_DA", da_col::Port, 2, "102");
    w->ACG_DA->SetCells(da_col::On_Timer, 2, QStringLiteral("Y"));
    user->type("ACG_DA", da_col::Time, 2, "500");
    user->type("ACG_DA", da_col::Position, 2, "12");
    user->pick(*w->ACG_DA, da_col::Read_Write, 2, "Write");
    user->pick(*w->ACG_DA, da_col::Convertion, 2, "ItoF/FtoI");
    user->type("ACG_DA", da_col::Molt_Fact, 2, "0.5");

    user->type("ACG_DataSet", ds_col::IP_Address, 1, "192.168.1.30");
    user->type("ACG_DataSet", ds_col::Port, 1, "102");
    user->type("ACG_DataSet", ds_col::Time, 1, "1000");
    user->type("ACG_DataSet", ds_col::Mnemonic, 1, "ds one");
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 1);
    user->type("ACG_DS_Vars", member_col::Position, 1, "10");
    user->pick(*w->ACG_DS_Vars, member_col::Start_Bit, 1, "3");
    user->type("ACG_DS_Vars", member_col::Mnemonic, 3, "breaker");

    user->press("Btn_OK");
    EXPECT_EQ(messages.shown.size(), 0u) << messages.lastText().toStdString();
    EXPECT_EQ(user->result(), TFIEC_61850_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("IEC_61850_Client_window.xml")));

    // Shown again, the window is the file's: the device (no tree yet), the rows, the members.
    open();
    EXPECT_EQ(listed(), QStringList{"SRV1"});
    EXPECT_EQ(w->TV_IEC_Device->topLevelItemCount(), 0);
    EXPECT_EQ(w->ACG_DA->RowCount(), 3);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Mnemonic, 1), QStringLiteral("Power & <W>"));
    EXPECT_TRUE(w->ACG_DA->GetReadOnly(da_col::Num_Byte, 1));
    EXPECT_FALSE(w->ACG_DA->GetReadOnly(da_col::Num_Byte, 2));
    ASSERT_EQ(w->List_DataSet.size(), 1u);
    ASSERT_EQ(w->List_DataSet[0]->List_DAs.size(), 3u);
    showDataSetPage();
    // The row-number cell: the table is still scrolled to where the last edit left it.
    user->clickCell(*w->ACG_DataSet, ds_col::N, 1);
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Position, 1), QStringLiteral("10"));
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Mnemonic, 3), QStringLiteral("breaker"));
    // OK again writes the same bytes.
    user->press("Btn_OK");
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("IEC_61850_Client_window.xml")));
}

TEST_F(IECClientFile, EmptyTablesWriteEmptyListsAndLoadEmpty)
{
    open();
    user->press("Btn_OK");
    EXPECT_EQ(user->result(), TFIEC_61850_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("IEC_61850_Client_empty.xml")));
    open();
    EXPECT_EQ(w->ACG_DA->RowCount(), 2);
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::Index, 1).isEmpty());
    EXPECT_TRUE(w->List_DataSet.empty());
    EXPECT_TRUE(listed().isEmpty());

    // A table emptied by Remove Var writes an empty list too.
    addDevice(smallFixture());
    clickDevice(0);
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "q"});
    user->press("Btn_RemoveVar");
    user->press("Btn_Remove_IEC_Device");
    user->press("Btn_OK");
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("IEC_61850_Client_empty.xml")));
}

TEST_F(IECClientFile, ReloadKeepsAMemberOnlyOnExactTypeAndReferenceAtItsPlace)
{
    putInCatalogue();
    const QByteArray members =
        "<DataSet_DA_Item bType=\"Struct\" Reference=\"SRV1LD0/MMXU1.TotW.mag\" Position=\"1\" StartBit=\"2\""
        " Convertion=\"None\" MoltFact=\"3\" Mnemonic=\"kept\" />"
        // Same reference, other type case: dropped.
        "<DataSet_DA_Item bType=\"QUALITY\" Reference=\"SRV1LD0/MMXU1.TotW.q\" Position=\"9\" />"
        // Right member, attributes missing but the key ones: kept with empty fields.
        "<DataSet_DA_Item bType=\"BOOLEAN\" Reference=\"SRV1LD0/OutGGIO1.Ind1.stVal\" />"
        // Past the data set's members: dropped.
        "<DataSet_DA_Item bType=\"BOOLEAN\" Reference=\"SRV1LD0/OutGGIO1.Ind1.stVal\" />";
    const QByteArray sets = dataSetItem("0", "SRV1LD0/LLN0.DS1", members)
                            // A member at another place than its data set has it: dropped.
                            + dataSetItem("0", "SRV1LD0/LLN0.DS2",
                                          "<DataSet_DA_Item Reference=\"SRV1LD0/OutGGIO1.Ind1.t\" bType=\"Timestamp\" "
                                          "Position=\"4\"/><DataSet_DA_Item bType=\"Timestamp\" "
                                          "Reference=\"SRV1LD0/OutGGIO1.Ind1.t\" Position=\"5\"/>")
                            // A data set no device has: its row stays, without members.
                            + dataSetItem("3", "SRV1LD0/LLN0.DS1", members)
                            + dataSetItem("0", "SRV1LD0/LLN0.DSX", members);
    ASSERT_TRUE(testsupport::writeFile(path(), clientFile("", sets)));
    open();
    ASSERT_EQ(messages.shown.size(), 0u) << messages.lastText().toStdString();
    ASSERT_EQ(w->List_DataSet.size(), 4u);
    EXPECT_EQ(w->ACG_DataSet->RowCount(), 5);
    const auto& first = w->List_DataSet[0]->List_DAs;
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0]->Select_DA->fReference, QStringLiteral("SRV1LD0/MMXU1.TotW.mag"));
    EXPECT_EQ(first[0]->Position, QStringLiteral("1"));
    EXPECT_EQ(first[0]->bitAddress, QStringLiteral("2"));
    EXPECT_EQ(first[0]->conversion, QStringLiteral("None"));
    EXPECT_EQ(first[0]->multFactor, QStringLiteral("3"));
    EXPECT_EQ(first[0]->Mnemonic, QStringLiteral("kept"));
    EXPECT_EQ(first[1]->Select_DA->fReference, QStringLiteral("SRV1LD0/OutGGIO1.Ind1.stVal"));
    EXPECT_TRUE(first[1]->Position.isEmpty());
    ASSERT_EQ(w->List_DataSet[1]->List_DAs.size(), 1u);
    EXPECT_EQ(w->List_DataSet[1]->List_DAs[0]->Position, QStringLiteral("4"));
    EXPECT_FALSE(w->List_DataSet[2]->Select_DataSet);
    EXPECT_TRUE(w->List_DataSet[2]->List_DAs.empty());
    EXPECT_FALSE(w->List_DataSet[3]->Select_DataSet);
    EXPECT_EQ(w->ACG_DataSet->Cells(ds_col::Index, 3), QStringLiteral("3"));
    // The member table fills on a click only.
    EXPECT_TRUE(w->ACG_DS_Vars->Cells(member_col::Reference, 1).isEmpty());
    showDataSetPage();
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 1);
    EXPECT_EQ(w->ACG_DS_Vars->RowCount(), 3);
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Mnemonic, 1), QStringLiteral("kept"));
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 3);
    EXPECT_EQ(w->ACG_DS_Vars->RowCount(), 2);
    EXPECT_TRUE(w->ACG_DS_Vars->Cells(member_col::Reference, 1).isEmpty());
}

TEST_F(IECClientFile, MissingByteWindowLoads)
{
    putInCatalogue();
    ASSERT_TRUE(testsupport::writeFile(path(), clientFile(daItem("FLOAT32", "SRV1LD0/MMXU1.TotW.mag.f")
                                                              + daItem("VisString255", "SRV1LD0/MMXU1.TotW.d")
                                                              + daItem("Octet64", "x", "StartByte=\"3\""),
                                                          "")));
    open();
    ASSERT_EQ(messages.shown.size(), 0u) << messages.lastText().toStdString();
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 1), QStringLiteral("0"));
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Num_Byte, 1), QStringLiteral("4"));
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::Start_Byte, 2).isEmpty());
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::Num_Byte, 2).isEmpty());
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 3), QStringLiteral("3"));
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::Num_Byte, 3).isEmpty());
    EXPECT_EQ(w->ACG_DA->Cells(da_col::N, 3), QStringLiteral("3"));
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Molt_Fact, 3), QStringLiteral("None"));
}

// A catalogue file gone from the folder keeps its device number: the rows still name the right
// devices, the list shows its saved name, and OK writes it back as it was.
TEST_F(IECClientFile, MissingCatalogueFileBecomesAPlaceholder)
{
    putInCatalogue(QStringLiteral("b.icd"));
    const QByteArray icd = "<ICD_File Name=\"GONE\" FileName=\"a.icd\" />"
                           "<ICD_File Name=\"SRV1\" FileName=\"b.icd\" />"
                           "<ICD_File Name=\"X &amp; Y\" FileName=\"c.icd\" />";
    QByteArray rows = daItem("Quality", "SRV1LD0/MMXU1.TotW.q");
    rows.replace("Index=\"0\"", "Index=\"1\"");
    ASSERT_TRUE(testsupport::writeFile(
        path(), clientFile(rows,
                           dataSetItem("1", "SRV1LD0/LLN0.DS2",
                                       "<DataSet_DA_Item bType=\"Timestamp\" Reference=\"SRV1LD0/OutGGIO1.Ind1.t\" />"),
                           icd)));
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.lastText(),
        QStringLiteral("These files are missing from the catalog directory; their devices are kept without a tree:\n"
                       "a.icd\nc.icd"));
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Warning);
    EXPECT_EQ(listed(), (QStringList{"GONE", "SRV1", "X & Y"}));
    // Device 1 is still the decoded one: its data set was found.
    ASSERT_TRUE(w->List_DataSet[0]->Select_DataSet);
    EXPECT_EQ(w->List_DataSet[0]->List_DAs.size(), 1u);
    // A placeholder shows no tree.
    clickDevice(0);
    EXPECT_EQ(w->TV_IEC_Device->topLevelItemCount(), 0);
    clickDevice(1);
    EXPECT_EQ(w->TV_IEC_Device->topLevelItemCount(), 1);

    user->press("Btn_OK");
    EXPECT_EQ(user->result(), TFIEC_61850_Access::kModalOK) << messages.lastText().toStdString();
    const QByteArray saved = testsupport::readFile(path());
    EXPECT_TRUE(saved.contains("<ICD_File Name=\"GONE\" FileName=\"a.icd\" />\n\t\t<ICD_File Name=\"SRV1\" "
                               "FileName=\"b.icd\" />\n\t\t<ICD_File Name=\"X &amp; Y\" FileName=\"c.icd\" />"))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains("Index=\"1\" bType=\"Quality\""));
    EXPECT_TRUE(saved.contains("<DataSet_DA_Item bType=\"Timestamp\" Reference=\"SRV1LD0/OutGGIO1.Ind1.t\""));
}

// What the program always writes is required: without it the window says why and stays shut,
// so OK cannot overwrite the file.
TEST_F(IECClientFile, FilesLackingRequiredPartsAreRefused)
{
    putInCatalogue();
    const QByteArray ds = dataSetItem("0", "SRV1LD0/LLN0.DS1", "");
    QByteArray noIndexNumber = ds;
    noIndexNumber.replace("Index=\"0\"", "Index=\"zero\"");
    QByteArray noList = ds;
    noList.replace("<DataSet_List_DAs></DataSet_List_DAs>", "");
    QByteArray noPort = daItem("FLOAT32", "r");
    noPort.replace(" Port=\"102\"", "");
    const struct Case {
        const char* name;
        QByteArray file;
        const char* names; // what the message names
    } cases[] = {
        {"other root", "<IEC_61850_Client><List_ICD_Files/><List_DA_Selected/></IEC_61850_Client>", "IEC_68850_Client"},
        {"no catalogue list", "<IEC_68850_Client><List_DA_Selected/></IEC_68850_Client>", "List_ICD_Files"},
        {"no variables list", "<IEC_68850_Client><List_ICD_Files/></IEC_68850_Client>", "List_DA_Selected"},
        {"catalogue entry without FileName", clientFile("", "", "<ICD_File Name=\"SRV1\" />"), "FileName"},
        {"variable without Port", clientFile(noPort, ""), "Port"},
        {"data set with a non-numeric Index", clientFile("", noIndexNumber), "zero"},
        {"data set without its member list", clientFile("", noList), "DataSet_List_DAs"},
        {"not well-formed", "<IEC_68850_Client><List_ICD_Files>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFile(path(), c.file));
        const size_t before = messages.shown.size();
        open();
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.shown.size(), before + 1);
        EXPECT_TRUE(messages.lastText().contains(QLatin1String(c.names))) << messages.lastText().toStdString();
        EXPECT_EQ(user->result(), TFIEC_61850_Access::kModalCancel);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(testsupport::readFile(path()), c.file);
    }
    // A file without data sets at all is fine.
    ASSERT_TRUE(
        testsupport::writeFile(path(), "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected/></IEC_68850_Client>"));
    const size_t before = messages.shown.size();
    open();
    EXPECT_EQ(messages.shown.size(), before);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(IECClientFile, RecordRoundTripsThroughTheFileFunctions)
{
    energy_it::TIEC_Client_File file;
    file.icdFiles.push_back({"A", "a.icd"});
    file.daItems.push_back(QStringList(18, QStringLiteral("v")));
    energy_it::TIEC_Client_File::TDataSet_Item item;
    item.cells = QStringList{"2", "R", "G", "Y", "", "", "", "M"};
    item.members.push_back({QStringLiteral("BOOLEAN"), QStringLiteral("ref"), QStringLiteral("1"), {}, {}, {}, {}});
    file.dataSets.push_back(item);
    const QString p = QDir(tmp.path()).filePath(QStringLiteral("f.xml"));
    ASSERT_TRUE(testsupport::writeFile(p, energy_it::IEC_Client_File_Bytes(file)));
    const energy_it::TIEC_Client_File back = energy_it::Read_IEC_Client_File(p);
    ASSERT_EQ(back.icdFiles.size(), 1u);
    EXPECT_EQ(back.icdFiles[0].FileName, QStringLiteral("a.icd"));
    ASSERT_EQ(back.daItems.size(), 1u);
    EXPECT_EQ(back.daItems[0], QStringList(18, QStringLiteral("v")));
    ASSERT_EQ(back.dataSets.size(), 1u);
    EXPECT_EQ(back.dataSets[0].index, 2);
    EXPECT_EQ(back.dataSets[0].cells, item.cells);
    ASSERT_EQ(back.dataSets[0].members.size(), 1u);
    // A member attribute left out is written empty and read as such.
    EXPECT_EQ(back.dataSets[0].members[0].StartBit, QString());
    EXPECT_EQ(back.dataSets[0].members[0].Position, QStringLiteral("1"));
}

} // namespace
