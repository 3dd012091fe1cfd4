// The BACnet client tables driven like a user: the rules of both tables with their exact
// messages (first error only), the address kinds of the communication settings, the file
// written on OK compared byte for byte with hand-made fixtures, the defaults of missing
// attributes, the window's width by screen, and Import EDE through the picker: the published
// EDE example (the reference copy in tests/fixtures/refdata), the server's own EDE file
// read back, where the imported rows and bytes go, and the folder remembered.

#include "protocols/ethernet/bacnet/UBACnetAccess.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "protocols/ethernet/bacnet/UBACnet_EDE_File.h"
#include "protocols/ethernet/bacnet/UImportEDEFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace {

using ethernet::TFBACnetAccess;
using ethernet::TFImportEDEFile;
using testsupport::TableWindowDriver;
namespace rc = ethernet::bacnet_read_col;
namespace wc = ethernet::bacnet_write_col;

const QString kSamples = QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/refdata/ede");

// Cells 1 .. 17 of a read row and 1 .. 21 of a write row that pass every check.
QStringList validRead(const QString& address)
{
    return {"Y", address, "Analog Input", "1", "Present Value (85)", "4", "N", "", "", "", "1000", "0", "0", "0", "N",
            "",  "m"};
}
QStringList validWrite(const QString& address)
{
    return {"Y",    address, "Analog Output",
            "Real", "1",     "Present Value (85)",
            "0",    "4",     "N",
            "",     "",      "",
            "N",    "N",     "1000",
            "0",    "0",     "0",
            "N",    "",      "m"};
}

QStringList withCells(QStringList row, const std::map<int, QString>& cells)
{
    for (const auto& [column, text] : cells)
        row[column - 1] = text;
    return row;
}

class BACnetClient : public testsupport::TableWindowTest<TFBACnetAccess> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QDir dir(tmp.path());
        common::State().File_BACnet_Master_Access = dir.filePath(QStringLiteral("BACnet_Master_Access.xml"));
        common::State().File_ParGen = dir.filePath(QStringLiteral("ParGen.xml"));
        common::State().File_BACnet_Slave = dir.filePath(QStringLiteral("BACnet_Slave.xml"));
        writeKind("0");
        services.dialogs = &dialogs;
        services.clock = &clock;
        Start();
        picker = std::make_unique<TFImportEDEFile>(services);
        w->FImportEDEFile = picker.get();
    }

    void writeKind(const char* kind)
    {
        ASSERT_TRUE(testsupport::writeFile(common::State().File_ParGen, QByteArray("<Par_Gen>\n\t<BACnet_Master_Type>")
                                                                            + kind
                                                                            + "</BACnet_Master_Type>\n</Par_Gen>\n"));
    }

    void open()
    {
        w->hide();
        user->open();
    }

    QString path() const { return common::State().File_BACnet_Master_Access; }
    QString fixture(const char* name) const
    {
        return testsupport::fixturePath(QStringLiteral("bacnet/") + QLatin1String(name));
    }
    grid::TQvColumnGrid& readTable() { return *w->ACG1; }
    grid::TQvColumnGrid& writeTable() { return *w->ACG2; }

    static QStringList rowCells(grid::TQvColumnGrid& table, int row)
    {
        QStringList cells;
        for (int c = 1; c < table.ColCount() + table.NumHiddenColumns(); ++c)
            cells << table.Cells(c, row);
        return cells;
    }

    testsupport::FakeDialogs dialogs;
    platform::FixedClock clock{QDateTime(QDate(2025, 11, 3), QTime(9, 5, 7))};
    std::unique_ptr<TFImportEDEFile> picker;
};

TEST_F(BACnetClient, TypedRequestsAreSavedOnOK)
{
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set BACnet Access"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("BACnet Read"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("BACnet Write"));
    EXPECT_EQ(readTable().RowCount(), 513);
    EXPECT_EQ(writeTable().RowCount(), 513);
    EXPECT_EQ(readTable().ColCount() + readTable().NumHiddenColumns(), 18);
    EXPECT_EQ(writeTable().ColCount() + writeTable().NumHiddenColumns(), 22);
    for (int c : {rc::Swap, rc::Convertion})
        EXPECT_TRUE(readTable().IsHiddenColumn(c)) << c;
    for (int c : {wc::Swap, wc::Convertion})
        EXPECT_TRUE(writeTable().IsHiddenColumn(c)) << c;
    EXPECT_EQ(readTable().Cells(rc::Address, 0), QStringLiteral("IP Address"));
    EXPECT_EQ(writeTable().Cells(wc::Data_Type, 0), QStringLiteral("Data Type"));
    EXPECT_EQ(readTable().Cells(rc::Enable, 512), QStringLiteral("Y"));
    EXPECT_EQ(readTable().Columns()[rc::Position].ComboItems().size(), 1440);
    EXPECT_EQ(readTable().Columns()[rc::Position].ComboItems().value(1439), QStringLiteral("1439"));

    user->type("ACG1", rc::Address, 1, QStringLiteral("192.168.0.20"));
    user->type("ACG1", rc::Object_Type, 1, QStringLiteral("Analog Input"));
    user->type("ACG1", rc::Instance, 1, QStringLiteral("4123"));
    user->type("ACG1", rc::Property, 1, QStringLiteral("Present Value (85)"));
    user->type("ACG1", rc::D_Len, 1, QStringLiteral("M3"));
    // The editor works on displayed columns: the Mnemonic comes after the two hidden ones.
    user->type("ACG1", readTable().DisplColFromReal(rc::Mnemonic), 1, QStringLiteral("Room & <T>"));
    for (const auto& [c, text] : std::map<int, const char*>{{rc::NByte, "4"},
                                                            {rc::En_Dest, "Y"},
                                                            {rc::D_Net, "5"},
                                                            {rc::D_Add, "1, 2,3"},
                                                            {rc::Poll_Time, "1000"},
                                                            {rc::Max_Err, "3"},
                                                            {rc::Position, "0"},
                                                            {rc::Start_Bit, "0"},
                                                            {rc::Swap, "Y"},
                                                            {rc::Convertion, "Float to Int"}})
        readTable().SetCells(c, 1, QLatin1String(text));
    // A disabled row is saved as it is, unchecked.
    TableWindowDriver::setRow(readTable(), 2, {"N", "bad", "x", "", "", "", "", "", "", "", "-1"});
    TableWindowDriver::setRow(writeTable(), 1,
                              {"Y",
                               "192.168.0.21",
                               "Analog Output",
                               "Real",
                               "1234",
                               "Present Value (85)",
                               "8",
                               "4",
                               "N",
                               "",
                               "",
                               "",
                               "Y",
                               "N",
                               "",
                               "0",
                               "4",
                               "0",
                               "Y",
                               "Int to Float",
                               "Damper"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFBACnetAccess::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("BACnet_Master_Access_window.xml")));

    // Shown again, the tables are the file's; the hidden columns are not in it.
    open();
    EXPECT_EQ(readTable().Cells(rc::Mnemonic, 1), QStringLiteral("Room & <T>"));
    EXPECT_EQ(readTable().Cells(rc::Swap, 1), QString());
    EXPECT_EQ(readTable().Cells(rc::Enable, 2), QStringLiteral("N"));
    EXPECT_EQ(writeTable().Cells(wc::Change, 1), QStringLiteral("Y"));
    EXPECT_EQ(writeTable().Cells(wc::Convertion, 1), QString());
    EXPECT_EQ(readTable().Cells(rc::Address, 3), QString());
}

TEST_F(BACnetClient, FirstErrorIsShownAndNothingWritten)
{
    const QString readPrefix = QStringLiteral("Error in Read, row 2");
    const QString writePrefix = QStringLiteral("Error in Write, row 2");
    const QString objectType = QStringLiteral("!! Object Type is not correct. Select one from the list");
    const QString property = QStringLiteral("!! Property is not correct. Select one from the list");
    const QString instance = QStringLiteral("!! Instance must be between 0 and 4294967295");
    const QString tooFew = QStringLiteral("!! Destination Address has too few bytes");
    const QString tooMany = QStringLiteral("!! Destination Address has too many bytes");
    const QString byteRange = QStringLiteral("!! Bytes of Destination Address must be between 0 and 255");
    const QString listLength = QStringLiteral("!! Destination Length is Wrong, choose one in List");
    const auto routed = [](const char* length, const char* address) {
        return std::map<int, QString>{{rc::En_Dest, "Y"}, {rc::D_Net, "1"}, {rc::D_Len, length}, {rc::D_Add, address}};
    };
    const auto routedWrite = [](const char* length, const char* address) {
        return std::map<int, QString>{{wc::En_Dest, "Y"}, {wc::D_Net, "1"}, {wc::D_Len, length}, {wc::D_Add, address}};
    };
    const struct Case {
        bool write;                  // the row changed is in the write table
        std::map<int, QString> row2; // changes to a valid row
        QString message;             // empty: passes
    } cases[] = {
        {false, {{rc::Address, "10.0.0"}}, readPrefix + "!! IP Address is not correct"},
        {false, {{rc::Address, "10.0.0.2 "}}, readPrefix + "!! IP Address is not correct"},
        {false, {{rc::Object_Type, "Analog"}}, readPrefix + objectType},
        {false, {{rc::Object_Type, " analog input "}}, {}},
        {false, {{rc::Object_Type, "128"}}, {}},
        {false, {{rc::Object_Type, "1023"}}, {}},
        {false, {{rc::Object_Type, "1024"}}, readPrefix + objectType},
        {false, {{rc::Object_Type, "127"}}, readPrefix + objectType},
        {false, {{rc::Instance, "4294967295"}}, {}},
        {false, {{rc::Instance, "4294967296"}}, readPrefix + instance},
        {false, {{rc::Instance, "-1"}}, readPrefix + instance},
        {false, {{rc::Object_Type, "Binary Input"}, {rc::Property, "Units (117)"}}, readPrefix + property},
        {false, {{rc::Object_Type, "Analog Input"}, {rc::Property, "Units (117)"}}, {}},
        {false, {{rc::Object_Type, "Accumulator"}, {rc::Property, "Scale (187)"}}, {}},
        {false, {{rc::Property, "Scale (187)"}}, readPrefix + property},
        {false, {{rc::Object_Type, "Binary Value"}, {rc::Property, "polarity (84)"}}, {}},
        {false, {{rc::Object_Type, "Multi-State Value"}, {rc::Property, "Number of States (74)"}}, {}},
        {false, {{rc::Property, "Number of States (74)"}}, readPrefix + property},
        {false, {{rc::Property, "511"}}, readPrefix + property},
        {false, {{rc::Property, "512"}}, {}},
        {false, {{rc::Property, "4194303"}}, {}},
        {false, {{rc::Property, "4194304"}}, readPrefix + property},
        {false, {{rc::NByte, "256"}}, readPrefix + "!! NByte must be between 0 and 255"},
        {false, {{rc::NByte, "255"}}, {}},
        {false,
         {{rc::En_Dest, "Y"}, {rc::D_Net, "0"}, {rc::D_Len, "1"}, {rc::D_Add, "0"}},
         readPrefix + "!! Destination Network must be between 1 and 65535"},
        {false, {{rc::En_Dest, "N"}, {rc::D_Net, "0"}, {rc::D_Len, "x"}}, {}},
        {false, routed("3", "0"), readPrefix + "!! Destination Lenght must be 1 or 2 or 6"},
        {false, routed("1", "255"), {}},
        {false, routed("1", "256"), readPrefix + "!! Destination Address must be between 0 and 255"},
        {false, routed("2", "0"), readPrefix + "!! Destination Address must be between 1 and 65535"},
        {false, routed("2", "65535"), {}},
        {false, routed("6", "192.168.0.15:47808"), {}},
        {false, routed("6", "192.168.0.15"),
         readPrefix + "!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"},
        {false, routed("M3", "1,2,3"), {}},
        {false, routed("m3", " 1 , 2 , 3 "), {}},
        {false, routed("M3", "1,2"), readPrefix + tooFew},
        {false, routed("M3", ""), readPrefix + tooFew},
        {false, routed("M3", "1,2,3,4"), readPrefix + tooMany},
        {false, routed("M3", "1,256,3"), readPrefix + byteRange},
        {false, routed("M3", "1,256"), readPrefix + byteRange},
        {false, routed("M3", "1,2,3,4,256"), readPrefix + tooMany},
        {false, routed("M3", "1,,3"), readPrefix + byteRange},
        {false, routed("M9", "1"), readPrefix + listLength},
        {false, routed("", "1"), readPrefix + listLength},
        {false, {{rc::Poll_Time, "100000001"}}, readPrefix + "!! Poll Time must be between 0 and 100000000 ms"},
        {false, {{rc::Max_Err, "65535"}}, {}},
        {false, {{rc::Max_Err, "65536"}}, readPrefix + "!! Max Err must be between 0 and 65535"},
        {false, {{rc::Enable, "N"}, {rc::Address, "x"}, {rc::Object_Type, "x"}, {rc::NByte, "x"}}, {}},

        {true, {{wc::Address, "1.2.3.4.5"}}, writePrefix + "!! IP Address is not correct"},
        {true, {{wc::Object_Type, "Analog Input"}}, writePrefix + objectType},
        {true, {{wc::Object_Type, "Accumulator"}}, writePrefix + objectType},
        {true, {{wc::Instance, "4294967296"}}, writePrefix + instance},
        {true, {{wc::Property, "Units (117)"}}, writePrefix + property},
        {true,
         {{wc::Data_Type, "Signed Int"}},
         writePrefix + "!! Data Type is not correct. Aspected Data Type is Real"},
        {true, {{wc::Data_Type, " real "}}, {}},
        {true,
         {{wc::Object_Type, "Binary Output"}, {wc::Data_Type, "Real"}},
         writePrefix + "!! Data Type is not correct. Aspected Data Type is Enumerated"},
        {true,
         {{wc::Object_Type, "Positive Integer Value"}, {wc::Data_Type, "Signed Int"}},
         writePrefix + "!! Data Type is not correct. Aspected Data Type is Unsigned Int"},
        {true, {{wc::Object_Type, "Integer Value"}, {wc::Data_Type, "Signed Int"}}, {}},
        {true, {{wc::Object_Type, "Large Analog Value"}, {wc::Data_Type, "Double"}, {wc::NByte, "8"}}, {}},
        {true,
         {{wc::Object_Type, "Large Analog Value"}, {wc::Data_Type, "Double"}, {wc::NByte, "9"}},
         writePrefix + "!! NByte must be between 0 and 8"},
        {true, {{wc::Property, "600"}, {wc::Data_Type, "Octet String"}, {wc::NByte, "255"}}, {}},
        {true, {{wc::Object_Type, "300"}, {wc::Data_Type, "Date"}}, {}},
        {true,
         {{wc::Object_Type, "Life Safety Point"}, {wc::Data_Type, "Enumerated"}},
         writePrefix + "!! Data Type is not correct"},
        {true,
         {{wc::Property, "600"}, {wc::Data_Type, "Boolean"}, {wc::NByte, "2"}},
         writePrefix + "!! NByte must be between 0 and 1"},
        {true, {{wc::Property, "600"}, {wc::Data_Type, "Null"}, {wc::NByte, "0"}}, {}},
        {true,
         {{wc::Property, "600"}, {wc::Data_Type, "Bit String"}, {wc::NByte, "121"}},
         writePrefix + "!! NByte must be between 0 and 120"},
        {true, {{wc::Priority, "16"}}, {}},
        {true, {{wc::Priority, "17"}}, writePrefix + "!! Priority must be between 0 and 16"},
        {true, routedWrite("M2", "1"), writePrefix + tooFew},
        {true, routedWrite("2", "1"), {}},
        {true,
         {{wc::En_Dest, "Y"}, {wc::D_Net, "65536"}, {wc::D_Len, "1"}, {wc::D_Add, "0"}},
         writePrefix + "!! Destination Network must be between 1 and 65535"},
        {true, {{wc::Timer, "N"}, {wc::Poll_Time, "-1"}}, {}},
        {true, {{wc::Timer, "Y"}, {wc::Poll_Time, "-1"}}, writePrefix + "!! Poll Time must be between 0 and 100000000"},
        {true, {{wc::Max_Err, "65536"}}, writePrefix + "!! Max Err must be between 0 and 65535"},
    };
    for (const Case& k : cases) {
        const QStringList row2 = withCells(k.write ? validWrite("10.0.0.2") : validRead("10.0.0.2"), k.row2);
        SCOPED_TRACE((k.write ? "write: " : "read: ") + row2.join(QLatin1Char('|')).toStdString());
        QFile::remove(path());
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(readTable(), 1, validRead("10.0.0.1"));
        TableWindowDriver::setRow(writeTable(), 1, validWrite("10.0.0.1"));
        grid::TQvColumnGrid& table = k.write ? writeTable() : readTable();
        TableWindowDriver::setRow(table, 2, row2);
        // A row error is the first one only: the row after it holds another.
        if (!k.message.isEmpty())
            TableWindowDriver::setRow(table, 3,
                                      withCells(k.write ? validWrite("10.0.0.3") : validRead("10.0.0.3"),
                                                {{k.write ? wc::Instance : rc::Instance, "x"}}));
        user->press("Btn_OK");
        if (k.message.isEmpty()) {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
        } else {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), k.message);
            EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
            EXPECT_FALSE(QFile::exists(path()));
        }
    }
}

TEST_F(BACnetClient, TheReadTableIsCheckedFirst)
{
    open();
    TableWindowDriver::setRow(readTable(), 1, withCells(validRead("10.0.0.1"), {{rc::Max_Err, "-1"}}));
    TableWindowDriver::setRow(writeTable(), 1, withCells(validWrite("10.0.0.1"), {{wc::Priority, "99"}}));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error in Read, row 1!! Max Err must be between 0 and 65535"));
    TableWindowDriver::setRow(readTable(), 1, validRead("10.0.0.1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error in Write, row 1!! Priority must be between 0 and 16"));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(BACnetClient, AddressKinds)
{
    const QString selectType = QStringLiteral("Select the BACnet Type in the \"Set Communication\" section");
    // No settings file, and one without the key: told at each show, IP addresses then.
    for (const char* settings : {"", "<Par_Gen>\n\t<BACnet_Type>1</BACnet_Type>\n</Par_Gen>\n"}) {
        QFile::remove(common::State().File_ParGen);
        if (*settings) {
            ASSERT_TRUE(testsupport::writeFile(common::State().File_ParGen, settings));
        }
        messages.shown.clear();
        open();
        ASSERT_EQ(user->messageCount(), 1u);
        EXPECT_EQ(user->lastMessage(), selectType);
        EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
        EXPECT_EQ(w->App_BACnet_Type, 0);
        EXPECT_EQ(readTable().Cells(rc::Address, 0), QStringLiteral("IP Address"));
    }

    // Station numbers.
    writeKind("1");
    messages.shown.clear();
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(w->App_BACnet_Type, 1);
    EXPECT_EQ(readTable().Cells(rc::Address, 0), QStringLiteral("Slave ID"));
    EXPECT_EQ(writeTable().Cells(wc::Address, 0), QStringLiteral("Slave ID"));
    EXPECT_FALSE(readTable().IsHiddenColumn(rc::Address));
    TableWindowDriver::setRow(readTable(), 1, validRead("254"));
    TableWindowDriver::setRow(writeTable(), 1, validWrite("255"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error in Write, row 1!! Slave ID must be between 0 and 254"));
    TableWindowDriver::setRow(writeTable(), 1, validWrite("10.0.0.1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error in Write, row 1!! Slave ID must be between 0 and 254"));

    // A kind that is no number is the IP address, without a message.
    writeKind("x");
    messages.shown.clear();
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(w->App_BACnet_Type, 0);
    EXPECT_EQ(readTable().Cells(rc::Address, 0), QStringLiteral("IP Address"));
}

TEST_F(BACnetClient, WithoutAnAddressColumnTheObjectTypeEndsTheTable)
{
    writeKind("2");
    // The file as the window writes it: the stored addresses go back unchanged.
    const QByteArray file = testsupport::readFile(fixture("BACnet_Master_Access_no_address.xml"));
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_TRUE(readTable().IsHiddenColumn(rc::Address));
    EXPECT_TRUE(writeTable().IsHiddenColumn(wc::Address));
    EXPECT_EQ(readTable().Cells(rc::Address, 1), QStringLiteral("10.9.8.7"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), file);

    // Shown again with IP addresses, the column is back and the empty address ends the table.
    writeKind("0");
    open();
    EXPECT_FALSE(readTable().IsHiddenColumn(rc::Address));
    EXPECT_EQ(readTable().Cells(rc::Address, 0), QStringLiteral("IP Address"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error in Read, row 2!! This row is empty but rows below it are filled: fill it in or "
                             "delete it, or the rows below would not be saved"));
}

TEST_F(BACnetClient, MissingAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(path(), "<Other>\n\t<BACnet_Read>\n\t\t<row Object_Type=\"Analog Input\" />\n"
                                               "\t\t<row Enable=\"N\" Enable_Destination=\"Y\" />\n\t</BACnet_Read>\n"
                                               "\t<BACnet_Write>\n\t\t<row Mnemonic=\"w\" />\n\t</BACnet_Write>\n"
                                               "</Other>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(rowCells(readTable(), 1),
              (QStringList{"Y", "", "Analog Input", "", "", "", "N", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(readTable().Cells(rc::Enable, 2), QStringLiteral("N"));
    EXPECT_EQ(readTable().Cells(rc::En_Dest, 2), QStringLiteral("Y"));
    EXPECT_EQ(rowCells(writeTable(), 1),
              (QStringList{"Y", "", "", "", "", "", "", "", "N", "", "", "", "N", "N", "", "", "", "", "", "", "w"}));
    EXPECT_EQ(readTable().Cells(rc::En_Dest, 3), QString());

    // A missing section is told and the window closes, so that OK cannot drop the other table.
    ASSERT_TRUE(testsupport::writeFile(path(), "<BACnet_Master_Access>\n\t<BACnet_Read />\n</BACnet_Master_Access>\n"));
    messages.shown.clear();
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_TRUE(user->lastMessage().contains(QLatin1String("BACnet_Write")));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(BACnetClient, WindowWidthFollowsTheScreen)
{
    EXPECT_EQ(TFBACnetAccess::Client_Width(1270), 1000);
    EXPECT_EQ(TFBACnetAccess::Client_Width(1271), 1305);
    EXPECT_EQ(TFBACnetAccess::Client_Width(800), 1000);
    EXPECT_EQ(TFBACnetAccess::Client_Width(1920), 1305);
    // The test screen is 1920 pixels wide.
    EXPECT_EQ(w->size(), QSize(1305, 337));
}

TEST_F(BACnetClient, ButtonsWithoutHintsCopyOrPaste)
{
    open();
    EXPECT_EQ(w->Btn_Import_CSV->Caption(), QStringLiteral("Import EDE"));
    EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(w->Btn_InsRow->Caption(), QStringLiteral("Insert Row"));
    EXPECT_TRUE(w->Btn_CopyRow->isHidden());
    EXPECT_TRUE(w->Btn_PasteRow->isHidden());
    for (TGlyphButton* b : {w->Btn_OK, w->Btn_Cancel, w->Btn_DelRow, w->Btn_InsRow, w->Btn_Import_CSV})
        EXPECT_EQ(b->toolTip(), QString());
    QString hint = QStringLiteral("none");
    readTable().GetCellHint(rc::Address, 0, hint);
    EXPECT_EQ(hint, QString());

    // Delete Row asks with the row number, on the table in front.
    TableWindowDriver::setRow(writeTable(), 1, validWrite("10.0.0.1"));
    TableWindowDriver::setRow(writeTable(), 2, validWrite("10.0.0.2"));
    TableWindowDriver::bringForward(writeTable());
    writeTable().SetRow(1);
    messages.answers.push_back(platform::MsgResult::Yes);
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(writeTable().Cells(wc::Address, 1), QStringLiteral("10.0.0.2"));
    // Insert Row puts an enabled empty row.
    user->press("Btn_InsRow");
    EXPECT_EQ(writeTable().Cells(wc::Enable, 1), QStringLiteral("Y"));
    EXPECT_EQ(writeTable().Cells(wc::Address, 1), QString());
    EXPECT_EQ(writeTable().Cells(wc::Address, 2), QStringLiteral("10.0.0.2"));
}

TEST_F(BACnetClient, LanguageChangeReappliesTheTexts)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR2200 =Accesso BACnet\r\nSTR2211 =Tipo oggetto\r\nSTR2259 =Importa EDE\r\n"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Accesso BACnet"));
    EXPECT_EQ(readTable().Cells(rc::Object_Type, 0), QStringLiteral("Tipo oggetto"));
    EXPECT_EQ(w->Btn_Import_CSV->Caption(), QStringLiteral("Importa EDE"));
}

TEST_F(BACnetClient, Screenshot)
{
    open();
    TableWindowDriver::setRow(readTable(), 1,
                              withCells(validRead("192.168.1.20"), {{rc::Mnemonic, "Room temperature"}}));
    TableWindowDriver::setRow(
        readTable(), 2,
        withCells(validRead("192.168.1.21"),
                  {{rc::En_Dest, "Y"}, {rc::D_Net, "5"}, {rc::D_Len, "M3"}, {rc::D_Add, "1,2,3"}}));
    user->checkTablePicture(QStringLiteral("windows/BACnetAccess_window.png"), QSize(1305, 337), readTable(), 2, 2, 5);
}

// ---- Import EDE ----------------------------------------------------------------------------

class BACnetImport : public BACnetClient {
protected:
    // Presses Import EDE and chooses the file; once the picker is up, `inPicker` acts and the
    // button is pressed. A file that does not exist opens no picker.
    void importFile(const QString& file, const std::function<void()>& inPicker = {}, const char* button = "Btn_OK",
                    const char* address = "192.168.1.50")
    {
        dialogs.answers.push_back(file);
        QPointer<QTimer> poll = new QTimer(picker.get());
        QObject::connect(poll, &QTimer::timeout, picker.get(), [this, poll, inPicker, button, address] {
            if (!picker->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            picker->E_ID_IP->setText(QLatin1String(address));
            if (inPicker)
                inPicker();
            picker->findChild<TGlyphButton*>(QLatin1String(button))->Click();
        });
        poll->start(0);
        user->press("Btn_Import_CSV");
        // No picker came up (a file that does not exist): the poll ends here.
        delete poll.data();
    }

    QString writeEde(const QByteArray& content)
    {
        const QString file = QDir(tmp.path()).filePath(QStringLiteral("ede/device.csv"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(testsupport::writeFile(file, content));
        return file;
    }

    QStringList column(grid::TQvColumnGrid& table, int c, int rows)
    {
        QStringList cells;
        for (int row = 1; row <= rows; ++row)
            cells << table.Cells(c, row);
        return cells;
    }
};

// Temp (Analog Input, not commandable), Damper (Analog Output, commandable), Fan (Binary Input).
const QByteArray kThree = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n# mandatory\r\nnames\r\n"
                          "k1;1;Temp;0;4;Room;;;;N;N;;;;62;\r\n"
                          "k2;1;Damper;1;5;Duct;;;;Y;N;;;;98;\r\n"
                          "k3;1;Fan;3;6;Contact;;;;N;N;;;;;\r\n";

TEST_F(BACnetImport, ThePublishedExample)
{
    const QString sample = kSamples + QStringLiteral("/EDE_2_2_example_EDE.csv");
    ASSERT_TRUE(QFile::exists(sample)) << "missing reference file " << sample.toStdString();
    open();
    importFile(sample);
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(column(readTable(), rc::Position, 7), (QStringList{"0", "4", "8", "12", "13", "17", ""}));
    EXPECT_EQ(column(readTable(), rc::Object_Type, 6),
              (QStringList{"Analog Input", "Analog Output", "Analog Value", "Binary Input", "Multi-State Output",
                           "Analog Input"}));
    EXPECT_EQ(rowCells(readTable(), 1),
              (QStringList{"Y", "192.168.1.50", "Analog Input", "4123", "Present Value (85)", "4", "N", "", "", "",
                           "1000", "0", "0", "0", "N", "", "RoomTemperature - This is a Room Temperature"}));
    // Only the settable Damper is written.
    EXPECT_EQ(rowCells(writeTable(), 1), (QStringList{"Y",
                                                      "192.168.1.50",
                                                      "Analog Output",
                                                      "Real",
                                                      "1234",
                                                      "Present Value (85)",
                                                      "0",
                                                      "4",
                                                      "N",
                                                      "",
                                                      "",
                                                      "",
                                                      "N",
                                                      "N",
                                                      "1000",
                                                      "0",
                                                      "0",
                                                      "0",
                                                      "N",
                                                      "",
                                                      "Damper - Damper in Duct 2"}));
    EXPECT_EQ(writeTable().Cells(wc::Object_Type, 2), QString());
    EXPECT_EQ(common::State().Last_EDE_Dir, QFileInfo(sample).absolutePath());
    // The imported rows pass the checks.
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(BACnetImport, TheServersOwnEDEFileReadsBack)
{
    open();
    importFile(testsupport::fixturePath(QStringLiteral("bacnet/EDE_short_names.csv")));
    EXPECT_EQ(user->messageCount(), 0u);
    // Data from line 8; nothing is commandable; the description repeats the name.
    EXPECT_EQ(column(readTable(), rc::Object_Type, 6),
              (QStringList{"Analog Input", "Analog Input", "Analog Value", "Analog Value", "Binary Output", ""}));
    EXPECT_EQ(column(readTable(), rc::Instance, 5), (QStringList{"0", "1", "0", "1", "0"}));
    EXPECT_EQ(column(readTable(), rc::Position, 5), (QStringList{"0", "4", "8", "12", "16"}));
    EXPECT_EQ(readTable().Cells(rc::Mnemonic, 1), QStringLiteral("Room_Temp - Room_Temp"));
    EXPECT_EQ(readTable().Cells(rc::Mnemonic, 4), QStringLiteral("Set  point - Set  point"));
    EXPECT_EQ(writeTable().Cells(wc::Object_Type, 1), QString());
}

TEST_F(BACnetImport, RoundTripFromTheServerTablesToTheClientFile)
{
    // The server's tables and settings, its EDE file written as the main window writes it.
    ASSERT_TRUE(testsupport::writeFile(common::State().File_BACnet_Slave,
                                       testsupport::readFile(fixture("project/BACnet_Slave.xml"))));
    ASSERT_TRUE(testsupport::writeFile(common::State().File_ParGen,
                                       "<Par_Gen>\n\t<BACnet_Type>0</BACnet_Type>\n"
                                       "\t<BACnet_DEV_IDE>1234</BACnet_DEV_IDE>\n"
                                       "\t<BACnet_Master_Type>0</BACnet_Master_Type>\n</Par_Gen>\n"));
    const QString ede = QDir(tmp.path()).filePath(QStringLiteral("Plant.csv"));
    ASSERT_TRUE(ethernet::Create_EDE_File(ede, services));
    ethernet::TBACnet_EDE_File server;
    QString error;
    ASSERT_TRUE(server.Read_EDE_ParGen(error) && server.Read_EDE_Objects(error)) << error.toStdString();

    open();
    importFile(ede, {}, "Btn_OK", "10.1.1.1");
    ASSERT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    // The writer puts a blank for ";" and the line ends inside a field.
    const auto asWritten = [](QString field) {
        for (QChar& c : field)
            if (c == QLatin1Char(';') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                c = QLatin1Char(' ');
        return field;
    };
    int row = 1;
    for (const ethernet::TBACnet_EDE_Obj& o : server.EDE_Objects) {
        SCOPED_TRACE(o.Keyname.toStdString());
        const int type = o.ObjectType.toInt();
        EXPECT_EQ(readTable().Cells(rc::Object_Type, row), ethernet::Get_ObjType_EDE(type));
        EXPECT_EQ(readTable().Cells(rc::Instance, row), o.ObjectInstance);
        EXPECT_EQ(readTable().Cells(rc::NByte, row), QString::number(ethernet::Get_NumByte_EDE(type)));
        EXPECT_EQ(readTable().Cells(rc::Mnemonic, row),
                  asWritten(o.ObjectName) + QStringLiteral(" - ") + asWritten(o.Description));
        ++row;
    }
    EXPECT_EQ(readTable().Cells(rc::Object_Type, row), QString());
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("BACnet_Master_Access_round_trip.xml")));
}

TEST_F(BACnetImport, ImportedValuesFollowTheBytesInUse)
{
    open();
    // Bytes 6..9 and 0..1 in use; an empty row between used ones is filled, a used one kept.
    TableWindowDriver::setRow(readTable(), 1, withCells(validRead("10.0.0.1"), {{rc::Position, "6"}}));
    TableWindowDriver::setRow(readTable(), 3,
                              withCells(validRead("10.0.0.3"), {{rc::Position, "0"}, {rc::NByte, "2"}}));
    // A position that is no number counts for nothing.
    TableWindowDriver::setRow(writeTable(), 1, withCells(validWrite("10.0.0.1"), {{wc::Position, "x"}}));
    const QStringList kept = rowCells(readTable(), 3);
    importFile(writeEde(kThree));
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(column(readTable(), rc::Mnemonic, 6),
              (QStringList{"m", "Temp - Room", "m", "Damper - Duct", "Fan - Contact", ""}));
    EXPECT_EQ(column(readTable(), rc::Position, 5), (QStringList{"6", "10", "0", "14", "18"}));
    EXPECT_EQ(column(readTable(), rc::NByte, 5), (QStringList{"4", "4", "2", "4", "1"}));
    EXPECT_EQ(rowCells(readTable(), 3), kept);
    EXPECT_EQ(writeTable().Cells(wc::Mnemonic, 2), QStringLiteral("Damper - Duct"));
    EXPECT_EQ(writeTable().Cells(wc::Position, 2), QStringLiteral("0"));

    // Unselect All imports nothing; a single tick afterwards just that object.
    importFile(writeEde(kThree), [this] {
        TableWindowDriver pickerUser(*picker, messages);
        pickerUser.press("Btn_Unselect_All");
        pickerUser.clickCell(*picker->ACG, ethernet::ede_col::Import, 3);
    });
    EXPECT_EQ(column(readTable(), rc::Mnemonic, 7),
              (QStringList{"m", "Temp - Room", "m", "Damper - Duct", "Fan - Contact", "Fan - Contact", ""}));
    EXPECT_EQ(readTable().Cells(rc::Position, 6), QStringLiteral("19"));
    EXPECT_EQ(writeTable().Cells(wc::Mnemonic, 3), QString());
}

TEST_F(BACnetImport, TheFolderIsRememberedOnceAFileWasChosen)
{
    common::State().Last_EDE_Dir = QStringLiteral("/before");
    open();
    // Cancel in the open dialog: nothing.
    user->press("Btn_Import_CSV");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, testsupport::FakeDialogs::Kind::Open);
    EXPECT_EQ(dialogs.shown[0].startDir, QStringLiteral("/before"));
    EXPECT_EQ(dialogs.shown[0].filter, QStringLiteral("BACnet EDE File (*.csv)"));
    EXPECT_EQ(common::State().Last_EDE_Dir, QStringLiteral("/before"));

    // Cancel in the picker: nothing imported, the folder remembered and offered next.
    const QString file = writeEde(kThree);
    importFile(file, {}, "Btn_Cancel");
    EXPECT_EQ(readTable().Cells(rc::Object_Type, 1), QString());
    EXPECT_EQ(common::State().Last_EDE_Dir, QFileInfo(file).absolutePath());
    EXPECT_FALSE(common::State().Last_EDE_Dir.endsWith(QLatin1Char('/')));

    // A file that does not exist: no picker, the folder remembered all the same.
    const QString missing = QDir(tmp.path()).filePath(QStringLiteral("gone/device.csv"));
    dialogs.answers.push_back(missing);
    user->press("Btn_Import_CSV");
    EXPECT_EQ(dialogs.shown.back().startDir, QFileInfo(file).absolutePath());
    EXPECT_EQ(common::State().Last_EDE_Dir, QFileInfo(missing).absolutePath());
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(readTable().Cells(rc::Object_Type, 1), QString());
    EXPECT_EQ(user->messageCount(), 0u);
}

TEST_F(BACnetImport, WithoutAnAddressColumnTheImportGoesBelowTheRows)
{
    writeKind("2");
    open();
    TableWindowDriver::setRow(readTable(), 1, validRead(""));
    TableWindowDriver::setRow(readTable(), 2, withCells(validRead(""), {{rc::Position, "4"}}));
    importFile(writeEde(kThree), {}, "Btn_OK", "any");
    EXPECT_EQ(column(readTable(), rc::Mnemonic, 6),
              (QStringList{"m", "m", "Temp - Room", "Damper - Duct", "Fan - Contact", ""}));
    EXPECT_EQ(column(readTable(), rc::Position, 5), (QStringList{"0", "4", "8", "12", "16"}));
    EXPECT_EQ(readTable().Cells(rc::Address, 3), QStringLiteral("any"));
}

TEST_F(BACnetImport, ASixLineFileImportsNothing)
{
    open();
    importFile(writeEde("a\r\n# mandatory\r\nnames\r\nk1;1;Temp;0;4;Room;\r\ne\r\nf\r\n"));
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(readTable().Cells(rc::Object_Type, 1), QString());
    EXPECT_EQ(writeTable().Cells(wc::Object_Type, 1), QString());
}

TEST_F(BACnetImport, ObjectsPastTheLastRowAreCounted)
{
    open();
    for (int row = 1; row <= 510; ++row)
        TableWindowDriver::setRow(readTable(), row,
                                  validRead(QStringLiteral("10.0.%1.%2").arg(row / 256).arg(row % 256)));
    importFile(writeEde(kThree));
    EXPECT_EQ(readTable().Cells(rc::Mnemonic, 511), QStringLiteral("Temp - Room"));
    EXPECT_EQ(readTable().Cells(rc::Mnemonic, 512), QStringLiteral("Damper - Duct"));
    EXPECT_EQ(writeTable().Cells(wc::Mnemonic, 1), QStringLiteral("Damper - Duct"));
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("The tables are full (512 rows). Objects not imported: 1"));
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Warning);
}

} // namespace
