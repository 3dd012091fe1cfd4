// The SNMP manager table driven like a user: its rules with their exact messages (first error
// only), object identifiers, version-3 security, duplicate requests, the budget of texts over
// all rows, and the file written on OK compared byte for byte with a hand-made fixture.

#include "protocols/energy_it/snmp/USNMPManagerAccess.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

using energy_it::TFSNMPManagerAccess;
using testsupport::TableWindowDriver;

// A version-2 row that passes: Enable, IP, Version, Community, OID, Type, Mode, OnChange,
// OnCMD, OnTimer, Time, Position, Num Bytes, Conversion.
QStringList goodRow(const QString& oid = QStringLiteral("1.3.6.1"))
{
    return {"Y", "10.0.0.1", "2", "", oid, "Int", "Get", "N", "N", "N", "", "0", "2", "None"};
}

// A version-3 row with the given security columns (User .. Priv Mode).
QStringList v3Row(const QStringList& security)
{
    QStringList row = goodRow();
    row[2] = QStringLiteral("3");
    row.append(QStringLiteral("N")); // Cancel
    row.append(security);
    return row;
}

class SNMPManagerAccess : public testsupport::TableWindowTest<TFSNMPManagerAccess> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_SNMP_Manager, "SNMP_Manager.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    grid::TQvColumnGrid& table() { return *w->ACG_SNMP; }
};

TEST_F(SNMPManagerAccess, TypedRequestsAreSavedOnOK)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set SNMP Manager Access"));
    EXPECT_EQ(table().RowCount(), 513);
    EXPECT_EQ(table().ColCount(), 23);
    EXPECT_EQ(table().Columns()[12].ComboItems().size(), 1440);
    user->type("ACG_SNMP", 2, 1, QStringLiteral("192.168.1.10"));
    user->type("ACG_SNMP", 3, 1, QStringLiteral("3"));
    user->type("ACG_SNMP", 5, 1, QStringLiteral("1.3.6.1.2.1.1.5.0"));
    user->type("ACG_SNMP", 6, 1, QStringLiteral("String"));
    user->type("ACG_SNMP", 7, 1, QStringLiteral("Get"));
    TableWindowDriver::setRow(
        table(), 1, {"Y", "192.168.1.10", "3", "", "1.3.6.1.2.1.1.5.0", "String", "Get", "N", "N", "Y", "100000000"});
    user->type("ACG_SNMP", 12, 1, QStringLiteral("1439"));
    user->type("ACG_SNMP", 13, 1, QStringLiteral("1024"));
    TableWindowDriver::setRow(table(), 1, {"Y",         "192.168.1.10", "3",    "",          "1.3.6.1.2.1.1.5.0",
                                           "String",    "Get",          "N",    "N",         "Y",
                                           "100000000", "1439",         "1024", "None",      "Y",
                                           "operator",  "secret & <1>", "p",    "Auth Priv", "SHA",
                                           "AES",       "name"});
    TableWindowDriver::setRow(table(), 2, {"N", "x"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSNMPManagerAccess::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("snmp/SNMP_Manager_window.xml"))));
    open();
    EXPECT_EQ(table().Cells(17, 1), QStringLiteral("secret & <1>"));
    EXPECT_EQ(table().Cells(1, 2), QStringLiteral("N"));
}

TEST_F(SNMPManagerAccess, FirstErrorIsShownAndNothingWritten)
{
    const QString o61 = QStringLiteral("1.") + QString(59, QLatin1Char('0'));
    struct Case {
        QStringList row;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"Y", "10.0.0.256"}, "Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {{"Y", "10.0.0"}, "Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {goodRow("1.3.6.1.4.1.9.9.1"), nullptr},
        {goodRow(".1.3"), "Error row 2!! OID string cannot start with a \".\""},
        {goodRow("1.3."), "Error row 2!! OID string cannot finish with a \".\""},
        {goodRow("1..3"), "Error row 2!! OID string cannot contains two or more consecutive \".\""},
        {goodRow("1.a"), "Error row 2!! OID string can contains only number and \".\""},
        {goodRow(""), "Error row 2!! OID string can contains only number and \".\""},
        {goodRow(o61 + QStringLiteral("2")), "Error row 2!! OID string is too much length"},
        {goodRow(o61), nullptr},
        {goodRow("1.4294967296"),
         "Error row 2!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
        {goodRow("1.4294967295"), nullptr},
        {goodRow("7"), nullptr},
        {{"Y", "10.0.0.1", "2", "", "1.3", "Int", "Get", "N", "N", "Y", "100000001", "0", "2", "None"},
         "Error row 2!! Time must be between 1 and 100000000 ms"},
        {{"Y", "10.0.0.1", "2", "", "1.3", "Int", "Get", "N", "N", "Y", "0", "0", "2", "None"},
         "Error row 2!! Time must be between 1 and 100000000 ms"},
        {{"Y", "10.0.0.1", "2", "", "1.3", "Int", "Get", "N", "N", "N", "", "0", "0", "None"}, nullptr},
        {{"Y", "10.0.0.1", "2", "", "1.3", "Int", "Get", "N", "N", "N", "", "0", "1025", "None"},
         "Error row 2!! Number bytes must be between 0 and 1024"},
        {{"Y", "10.0.0.1", "2", "", "1.3", "Int", "Get", "N", "N", "N", "", "0", "1", ""},
         "Error row 2!! Conversion not selected"},
        {v3Row({"", "", "", "NoAuth NoPriv"}), nullptr},
        {v3Row({"u", "", "", ""}), "Error row 2!! Security Level must be selected"},
        {v3Row({"u", "a", "", "Auth NoPriv", ""}), "Error row 2!! Auth Mode must be selected"},
        {v3Row({"u", "a", "p", "Auth Priv", "MD5", ""}), "Error row 2!! Priv Mode must be selected"},
        {v3Row({"u", "a", "p", "Auth Priv", "MD5", "DES"}), nullptr},
        {{"N", "bad"}, nullptr},
        // The same request as row 1, and the same OID on another version.
        {{"Y", "10.0.0.1", "2", "", "9.9", "Int", "Get", "N", "N", "N", "", "0", "2", "None"},
         "Error in rows 1 and 2!! Same IP Address, Version and OID used"},
        {{"Y", "10.0.0.1", "1", "", "9.9", "Int", "Get", "N", "N", "N", "", "0", "2", "None"}, nullptr},
        {{"N", "10.0.0.1", "2", "", "9.9", "Int", "Get", "N", "N", "N", "", "0", "2", "None"}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row.join(QLatin1Char('|')).toStdString());
        QFile::remove(path());
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(table(), 1, goodRow(QStringLiteral("9.9")));
        TableWindowDriver::setRow(table(), 2, k.row);
        user->press("Btn_OK");
        if (k.message) {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), QString::fromLatin1(k.message));
            EXPECT_FALSE(QFile::exists(path()));
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
        }
    }
}

TEST_F(SNMPManagerAccess, TooManyCharactersOverAllRowsFail)
{
    open();
    const QString name(15, QLatin1Char('u'));
    for (int r = 1; r <= 512; ++r) {
        // 61 characters, distinct per row.
        const QString oid = QStringLiteral("1.") + QStringLiteral("%1").arg(r, 59, 10, QLatin1Char('0'));
        QStringList row = goodRow(oid);
        row[2] = QStringLiteral("3");
        row << "N" << name << name << name << "Auth Priv"
            << "SHA"
            << "AES";
        TableWindowDriver::setRow(table(), r, row);
    }
    user->press("Btn_OK");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error!! Too many charaters used for Community Name / User, OID, AuthPass and PrivPass"));
    EXPECT_FALSE(QFile::exists(path()));

    // Without passwords the same rows fit: 1 + 512 x (62 + 16) = 39937.
    messages.shown.clear();
    for (int r = 1; r <= 512; ++r)
        table().SetCells(19, r, QStringLiteral("NoAuth NoPriv"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
}

TEST_F(SNMPManagerAccess, MissingAttributesTakeTheirDefaultsAndRowsPast512AreNotLoaded)
{
    QByteArray xml = "<SNMP_Agent_Access><row IP_Address=\"1.2.3.4\" />";
    for (int i = 2; i <= 600; ++i)
        xml += "<row Enable=\"N\" IP_Address=\"r" + QByteArray::number(i) + "\" />";
    xml += "</SNMP_Agent_Access>";
    ASSERT_TRUE(testsupport::writeFile(path(), xml));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(10, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(14, 1), QStringLiteral("None"));
    EXPECT_EQ(table().Cells(15, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(3, 1), QString());
    EXPECT_EQ(table().Cells(2, 512), QStringLiteral("r512"));
}

// Every header text fits its column in the header's own font (the table names no widths of its
// own), also after a language change.
TEST_F(SNMPManagerAccess, HeaderTextsFitTheirColumns)
{
    open();
    const QFontMetrics metrics(grid::toQFont(table().FixedFont()));
    for (int c = 1; c < table().ColCount(); ++c) {
        SCOPED_TRACE(table().Cells(c, 0).toStdString());
        EXPECT_GE(table().ColWidths(c), metrics.horizontalAdvance(table().Cells(c, 0)) + 8);
    }
    EXPECT_GE(table().ColWidths(8), metrics.horizontalAdvance(QStringLiteral("OnChange")) + 8);
    EXPECT_GE(table().ColWidths(19), metrics.horizontalAdvance(QStringLiteral("Security Level")) + 8);
    w->Set_Lang();
    EXPECT_GE(table().ColWidths(19), metrics.horizontalAdvance(QStringLiteral("Security Level")) + 8);
}

TEST_F(SNMPManagerAccess, Screenshot)
{
    open();
    TableWindowDriver::setRow(table(), 1,
                              {"Y",
                               "192.168.1.10",
                               "2",
                               "Public",
                               "1.3.6.1.2.1.1.5.0",
                               "String",
                               "Get",
                               "N",
                               "N",
                               "Y",
                               "1000",
                               "0",
                               "16",
                               "None",
                               "N",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "System name"});
    TableWindowDriver::setRow(table(), 2,
                              {"Y",        "192.168.1.11", "3",        "",          "1.3.6.1.2.1.2.2.1.10.1",
                               "Int",      "Get",          "N",        "N",         "Y",
                               "5000",     "16",           "4",        "None",      "Y",
                               "operator", "authpass",     "privpass", "Auth Priv", "SHA",
                               "AES",      "In octets"});
    user->checkTablePicture(QStringLiteral("windows/SNMPManagerAccess_window.png"), QSize(1230, 337), table(), 2, 2, 5);
}

} // namespace

namespace {

TEST_F(SNMPManagerAccess, FileRoundTripsUnchanged)
{
    const QString fixture = testsupport::fixturePath(QStringLiteral("snmp/SNMP_Manager_window.xml"));
    ASSERT_TRUE(QFile::copy(fixture, path()));
    open();
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture));
}

} // namespace
