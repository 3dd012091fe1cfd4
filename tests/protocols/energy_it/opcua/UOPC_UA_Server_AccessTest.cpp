// The OPC UA server variable table driven like a user: the length and access a type gives,
// the Position rule with its mended message, the gap above filled rows refused, a loaded file
// with types of other lists and missing attributes, a file longer than the table, the pasted
// Length kept, and the file written on OK compared byte for byte with a hand-made fixture.

#include "protocols/energy_it/opcua/UOPC_UA_Server_Access.h"

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

#include <gtest/gtest.h>

#include <optional>

namespace {

using energy_it::TFOPC_UA_Server_Access;
using testsupport::TableWindowDriver;
namespace col = energy_it::opcua_server_var_col;

const QString kGapRefused = QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in "
                                           "or delete it, or the rows below would not be saved");

// A file of rows given as attribute texts, under the variables element.
QByteArray fileOf(const QStringList& rows)
{
    QByteArray xml = "<OPC_UA_Server>\n\t<OPC_UA_Server_Variables>\n";
    for (const QString& row : rows)
        xml += "\t\t<row " + row.toUtf8() + " />\n";
    return xml + "\t</OPC_UA_Server_Variables>\n</OPC_UA_Server>\n";
}

class OPCUAServerAccess : public testsupport::TableWindowTest<TFOPC_UA_Server_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_OPC_UA_Server, "OPC_UA_Server.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    grid::TQvStringGrid& table() const { return *w->QSG; }

    bool checked(int row) const
    {
        bool state = false;
        EXPECT_TRUE(table().GetCheckBoxState(col::Enable, row, state)) << "no box in row " << row;
        return state;
    }

    // A variable put in as loading would.
    void setVar(int row, bool enabled, const QString& type, const QString& position, const QString& length = QString())
    {
        table().SetCheckBoxState(col::Enable, row, enabled);
        table().SetCells(col::Type, row, type);
        table().SetCells(col::Position, row, position);
        table().SetCells(col::Length, row, length);
    }
};

TEST_F(OPCUAServerAccess, ANewProjectShows250TickedEmptyRowsAndOKWritesAnEmptyVariablesElement)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Definition of OPC UA Server Variables"));
    EXPECT_EQ(w->size(), QSize(1200, 337));
    EXPECT_EQ(qobject_cast<grid::TQvColumnGrid*>(&table()), nullptr);
    EXPECT_EQ(table().ColCount(), 8);
    EXPECT_EQ(table().RowCount(), 251);
    const int widths[] = {40, 50, 120, 100, 100, 280, 100, 280};
    const platform::TColor colours[] = {0, 0xB0D8FF, 0xFEFAE0, 0xA8FFA8, 0xA8FFA8, 0xF4D6FC, 0xF4D6FC, 0xFFFFFF};
    for (int c = 0; c < col::Count; ++c) {
        EXPECT_EQ(table().ColWidths(c), widths[c]) << c;
        if (c > 0) {
            EXPECT_EQ(table().GetCellProperties(c, 250)->BrushColor(), colours[c]) << c;
        }
    }
    EXPECT_EQ(table().GetCellProperties(col::Enable, 1)->Alignment(), grid::taCenter);
    for (int row = 1; row <= 250; ++row) {
        EXPECT_EQ(table().Cells(col::N, row), QString::number(row));
        EXPECT_TRUE(checked(row)) << row;
        EXPECT_EQ(table().Cells(col::Type, row), QString());
    }
    EXPECT_EQ(table().Cells(col::ReadWrite, 0), QStringLiteral("R/W"));
    EXPECT_EQ(w->VarType, QStringList({"Boolean", "Signed Byte", "Byte", "Int16", "UInt16", "Int32", "UInt32", "Int64",
                                       "UInt64", "Float", "Double", "String", "ByteString"}));
    EXPECT_EQ(w->RWType, QStringList({"Read Only", "Read/Write"}));
    // The hints are kept, in column order, with the access hint before the description's.
    ASSERT_EQ(w->Hint().size(), 7);
    EXPECT_EQ(w->Hint()[5], QStringLiteral("Select the Access of the OPC UA Server Variable"));
    EXPECT_EQ(w->Hint()[6], QStringLiteral("Insert a Description of the OPC UA Server Variable"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFOPC_UA_Server_Access::kModalOK);
    EXPECT_EQ(
        testsupport::readFile(path()),
        QByteArray("<OPC_UA_Server>\n\t<OPC_UA_Server_Variables />\n</OPC_UA_Server>\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(OPCUAServerAccess, EachTypeSetsItsLengthAndLockAndAnEmptyAccess)
{
    struct Case {
        const char* type;
        const char* length;
        bool locked;
    } cases[] = {
        {"Boolean", "1", true},      {"Signed Byte", "1", true}, {"Byte", "1", true},   {"Int16", "2", true},
        {"UInt16", "2", true},       {"Int32", "4", true},       {"UInt32", "4", true}, {"Float", "4", true},
        {"Int64", "8", true},        {"UInt64", "8", true},      {"Double", "8", true}, {"String", "10", false},
        {"ByteString", "10", false},
    };
    open();
    user->activate();
    int row = 1;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        user->pick(table(), col::Type, row, QLatin1String(k.type));
        EXPECT_EQ(table().Cells(col::Type, row), QLatin1String(k.type));
        EXPECT_EQ(table().Cells(col::Length, row), QLatin1String(k.length));
        EXPECT_EQ(table().GetReadOnly(col::Length, row), k.locked);
        EXPECT_EQ(table().Cells(col::ReadWrite, row), QStringLiteral("Read/Write"));
        ++row;
    }
    // A chosen access stays; a type of no length leaves the Length and its lock.
    user->pick(table(), col::ReadWrite, row, QStringLiteral("Read Only"));
    table().SetCells(col::Length, row, QStringLiteral("3"));
    w->VarSetLength(QStringLiteral("Int8"), col::Type, row);
    EXPECT_EQ(table().Cells(col::Length, row), QStringLiteral("3"));
    EXPECT_FALSE(table().GetReadOnly(col::Length, row));
    EXPECT_EQ(table().Cells(col::ReadWrite, row), QStringLiteral("Read Only"));
    w->VarSetLength(QStringLiteral("float"), col::Type, 1); // compared exactly
    EXPECT_EQ(table().Cells(col::Length, 1), QStringLiteral("1"));

    // A fixed type's Length cannot be typed into; a String's can.
    table().SetCol(col::Length);
    table().SetRow(1);
    table().ShowEditor();
    EXPECT_FALSE(table().EditorMode());
    user->type(table(), col::Length, 12, QStringLiteral("32"));
    EXPECT_EQ(table().Cells(col::Length, 12), QStringLiteral("32"));
}

TEST_F(OPCUAServerAccess, TypedVariablesAreSavedOnOK)
{
    open();
    user->activate();
    user->pick(table(), col::Type, 1, QStringLiteral("Float"));
    user->type(table(), col::Position, 1, QStringLiteral("0"));
    user->type(table(), col::Name, 1, QStringLiteral("Temp & <1>"));
    user->type(table(), col::Mnemonic, 1, QStringLiteral("inlet"));

    user->clickCell(table(), col::Enable, 2);
    user->pick(table(), col::Type, 2, QStringLiteral("String"));
    user->type(table(), col::Length, 2, QStringLiteral("20"));
    user->pick(table(), col::ReadWrite, 2, QStringLiteral("Read Only"));
    user->type(table(), col::Position, 2, QStringLiteral("4"));
    user->type(table(), col::Name, 2, QStringLiteral("Label"));

    user->pick(table(), col::Type, 3, QStringLiteral("Int64"));
    user->type(table(), col::Position, 3, QStringLiteral("1999"));
    user->type(table(), col::Name, 3, QStringLiteral("Counter"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFOPC_UA_Server_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("opcua_server/OPC_UA_Server_window.xml"))));
}

TEST_F(OPCUAServerAccess, PositionIsCheckedOnTickedRowsAgainstTheLastByte)
{
    struct Case {
        bool enabled;
        const char* position;
        const char* message; // nullptr: passes
    } cases[] = {
        {true, "1999", nullptr},
        {true, "0", nullptr},
        {true, "2000", "Error row 3!! Position Must be Between 0 and 1999"},
        {true, "-1", "Error row 3!! Position Must be Between 0 and 1999"},
        {true, "abc", "Error row 3!! Position Must be Between 0 and 1999"},
        {true, "", "Error row 3!! Position Must be Between 0 and 1999"},
        {false, "abc", nullptr},
        {false, "2000", nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.position);
        messages.shown.clear();
        QFile::remove(path());
        open();
        setVar(1, true, QStringLiteral("Byte"), QStringLiteral("0"), QStringLiteral("1"));
        setVar(2, false, QStringLiteral("Byte"), QStringLiteral("x"), QStringLiteral("1"));
        setVar(3, k.enabled, QStringLiteral("Int16"), QLatin1String(k.position), QStringLiteral("2"));
        user->press("Btn_OK");
        if (k.message) {
            EXPECT_EQ(user->lastMessage(), QLatin1String(k.message));
            EXPECT_FALSE(QFile::exists(path()));
            EXPECT_TRUE(w->isVisible());
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_EQ(testsupport::readFile(path()).count("<row "), 3);
        }
    }
}

TEST_F(OPCUAServerAccess, AnEmptyTypeAboveFilledRowsIsRefused)
{
    open();
    setVar(1, true, QStringLiteral("Byte"), QStringLiteral("0"), QStringLiteral("1"));
    setVar(3, true, QStringLiteral("Byte"), QStringLiteral("1"), QStringLiteral("1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), kGapRefused);
    EXPECT_FALSE(QFile::exists(path()));

    // With row 3 emptied, row 1 alone is written.
    setVar(3, true, QString(), QString());
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(testsupport::readFile(path()).count("<row "), 1);
}

TEST_F(OPCUAServerAccess, ALoadedRowKeepsItsTypeTextStoredLengthAndAccess)
{
    ASSERT_TRUE(testsupport::writeFile(
        path(), fileOf({QStringLiteral("Enable=\"N\" Type=\"Int8\" Position=\"7\" Length=\"3\" Name=\"n\" "
                                       "ReadWrite=\"Read Only\" Mnemonic=\"m\""),
                        QStringLiteral("Type=\"Float\" Position=\"8\" Length=\"6\""),
                        QStringLiteral("Enable=\"x\" Type=\"String\""), QString()})));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    // A type of another list keeps its text and stored length; the lock stays as reset.
    EXPECT_FALSE(checked(1));
    EXPECT_EQ(table().Cells(col::Type, 1), QStringLiteral("Int8"));
    EXPECT_EQ(table().Cells(col::Length, 1), QStringLiteral("3"));
    EXPECT_FALSE(table().GetReadOnly(col::Length, 1));
    EXPECT_EQ(table().Cells(col::ReadWrite, 1), QStringLiteral("Read Only"));
    // The stored Length replaces the type's, whose lock stays; a missing access loads empty.
    EXPECT_TRUE(checked(2));
    EXPECT_EQ(table().Cells(col::Length, 2), QStringLiteral("6"));
    EXPECT_TRUE(table().GetReadOnly(col::Length, 2));
    EXPECT_EQ(table().Cells(col::ReadWrite, 2), QString());
    EXPECT_EQ(table().Cells(col::Name, 2), QString());
    // A missing Length loads empty too.
    EXPECT_TRUE(checked(3));
    EXPECT_EQ(table().Cells(col::Length, 3), QString());
    EXPECT_FALSE(table().GetReadOnly(col::Length, 3));
    // A row without attributes is an empty row.
    EXPECT_TRUE(checked(4));
    EXPECT_EQ(table().Cells(col::Type, 4), QString());
    EXPECT_EQ(table().Cells(col::ReadWrite, 4), QString());

    // Shown again, the locks start from the layout.
    QFile::remove(path());
    open();
    EXPECT_FALSE(table().GetReadOnly(col::Length, 2));
}

TEST_F(OPCUAServerAccess, AFileOf300RowsLoads250WithoutAWord)
{
    QStringList rows;
    for (int i = 1; i <= 300; ++i)
        rows << QStringLiteral("Enable=\"Y\" Type=\"Byte\" Position=\"%1\" Length=\"1\" Name=\"V%1\"").arg(i);
    ASSERT_TRUE(testsupport::writeFile(path(), fileOf(rows)));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(table().RowCount(), 251);
    EXPECT_EQ(table().Cells(col::Name, 250), QStringLiteral("V250"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()).count("<row "), 250);
}

TEST_F(OPCUAServerAccess, APastedRowTakesItsTypesLockButKeepsItsLength)
{
    ASSERT_TRUE(testsupport::writeFile(
        path(), fileOf({QStringLiteral("Enable=\"N\" Type=\"Float\" Position=\"0\" Length=\"7\" Name=\"f\""),
                        QStringLiteral("Type=\"String\" Position=\"7\" Length=\"20\" Name=\"s\" ReadWrite=\"\"")})));
    open();
    user->clickCell(table(), col::Name, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy());
    user->clickCell(table(), col::Name, 4);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(table().Cells(col::Length, 4), QStringLiteral("7"));
    EXPECT_TRUE(table().GetReadOnly(col::Length, 4));
    EXPECT_FALSE(checked(4));
    // Pasting proposes the access the type would.
    EXPECT_EQ(table().Cells(col::ReadWrite, 4), QStringLiteral("Read/Write"));

    user->clickCell(table(), col::Name, 2);
    user->press("Btn_CopyRow");
    user->clickCell(table(), col::Name, 4);
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    EXPECT_EQ(table().Cells(col::Type, 4), QStringLiteral("String"));
    EXPECT_EQ(table().Cells(col::Length, 4), QStringLiteral("20"));
    EXPECT_FALSE(table().GetReadOnly(col::Length, 4));
    EXPECT_TRUE(checked(4));
}

TEST_F(OPCUAServerAccess, DeleteAndInsertMoveChecksAndLocks)
{
    open();
    user->activate();
    user->pick(table(), col::Type, 1, QStringLiteral("Double"));
    user->pick(table(), col::Type, 2, QStringLiteral("ByteString"));
    user->clickCell(table(), col::Enable, 2);

    user->clickCell(table(), col::Name, 1);
    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(table().Cells(col::Type, 1), QStringLiteral("ByteString"));
    EXPECT_FALSE(table().GetReadOnly(col::Length, 1));
    EXPECT_FALSE(checked(1));
    EXPECT_TRUE(checked(250));
    EXPECT_EQ(table().Cells(col::Type, 250), QString());

    user->press("Btn_InsRow");
    EXPECT_EQ(table().Cells(col::Type, 1), QString());
    EXPECT_TRUE(checked(1));
    EXPECT_FALSE(table().GetReadOnly(col::Length, 1));
    EXPECT_EQ(table().Cells(col::Type, 2), QStringLiteral("ByteString"));
}

TEST_F(OPCUAServerAccess, CancelWritesNothing)
{
    open();
    setVar(1, true, QStringLiteral("Byte"), QStringLiteral("0"), QStringLiteral("1"));
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), TFOPC_UA_Server_Access::kModalCancel);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(OPCUAServerAccess, Screenshot)
{
    ASSERT_TRUE(testsupport::writeFile(path(), testsupport::readFile(testsupport::fixturePath(
                                                   QStringLiteral("opcua_server/OPC_UA_Server_window.xml")))));
    open();
    user->checkTablePicture(QStringLiteral("windows/OPC_UA_Server_Access_window.png"), QSize(1200, 337), table(), 2, 1,
                            5);
}

} // namespace
