// The J1939 transmit table: its rules with their exact messages (first error only), the
// byte budget of 512, the older "T_Type" trigger read and written back as the three trigger
// attributes, N Bytes 8 for a missing or empty attribute, and the end of the table at the
// first empty PGN.

#include "protocols/fieldbus/j1939/UTransmitJ1939.h"

#include "protocols/fieldbus/j1939/PgnTableFixture.h"

#include <QImage>

namespace {

using fieldbus::TFTransmitJ1939;
using testsupport::TableWindowDriver;

class TransmitJ1939 : public testsupport::PgnTableTest<TFTransmitJ1939> {
protected:
    void SetUp() override
    {
        PgnTableTest::SetUp();
        Start(&common::TProgramState::File_J1939_Send_Frames, "J1939_Send_Frames.xml");
    }
};

// Priority, Data Page, PGN, Source Address, N Bytes, Request, Data Change, On Timer, Send Timer.
const QStringList kRow = {"6", "0", "0xFEF1", "0", "8", "N", "N", "N", ""};

TEST_F(TransmitJ1939, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"7", "1", "1", "0", "8"}, nullptr},
        {{"8", "1", "1", "0", "8"}, "Error in row 2!! Priority must be between 0 and 7"},
        {{"", "1", "1", "0", "8"}, "Error in row 2!! Priority must be between 0 and 7"},
        {{"0", "", "1", "0", "8"}, "Error in row 2!! Data Page must be 0 or 1"},
        {{"0", "0", "0x1FFFF", "0", "8"}, nullptr},
        {{"0", "0", "0x20000", "0", "8"}, "Error in row 2!! PGN must be between 0x00000 and 0x1FFFF"},
        {{"0", "0", "  ", "0", "8"}, "Error in row 2!! PGN must be between 0x00000 and 0x1FFFF"},
        {{"0", "0", "1", "255", "8"}, nullptr},
        {{"0", "0", "1", "256", "8"}, "Error in row 2!! Source Address must be between 0 and 255"},
        {{"0", "0", "1", "0", "0"}, nullptr},
        {{"0", "0", "1", "0", "504"}, nullptr},
        {{"0", "0", "1", "0", "513"}, "Error in row 2!! Num Byte must be between 0 and 512"},
        {{"0", "0", "1", "0", ""}, "Error in row 2!! Num Byte must be between 0 and 512"},
        {{"0", "0", "1", "0", "8", "N", "N", "Y", "0"}, "Error in row 2!! Send Timer must be between 1 and 65535 ms"},
        {{"0", "0", "1", "0", "8", "N", "N", "Y", "65536"},
         "Error in row 2!! Send Timer must be between 1 and 65535 ms"},
        {{"0", "0", "1", "0", "8", "N", "N", "Y", "1"}, nullptr},
        {{"0", "0", "1", "0", "8", "N", "N", "Y", "65535"}, nullptr},
        {{"0", "0", "1", "0", "8", "N", "N", "N", "0"}, nullptr},
        {{"0", "0", "1", "0", "8", "x", "x", "", "x"}, nullptr}, // Request and Data Change are not checked
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        std::vector<QStringList> rows = {kRow, k.row2};
        if (k.message)
            rows.push_back({"9", "0", "1", "0", "8"});
        EXPECT_EQ(okWith(rows), k.message ? QString::fromLatin1(k.message) : QString());
    }
}

TEST_F(TransmitJ1939, BytesOfAllRowsStayWithin512)
{
    std::vector<QStringList> rows(64, kRow);
    EXPECT_EQ(okWith(rows), QString());
    rows[10][4] = QStringLiteral("9");
    EXPECT_EQ(okWith(rows), QStringLiteral("Error!! Too many bytes of data, the max number is 512"));
}

TEST_F(TransmitJ1939, OlderTriggerIsReadAndWrittenAsTheThreeTriggers)
{
    ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("j1939/J1939_Send_Frames_old.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    struct Expected {
        int row;
        QStringList cells; // columns 5 to 8: N Bytes and the three triggers
    } expected[] = {
        {1, {"8", "N", "N", "Y"}}, // "on timer" in lower case, whatever the triggers say
        {2, {"8", "N", "Y", "N"}}, // no N Bytes: 8
        {3, {"8", "N", "N", "N"}}, // an empty N Bytes: 8; another value sets no trigger
        {4, {"4", "Y", "N", "N"}},
    };
    for (const Expected& e : expected)
        for (int c = 5; c <= 8; ++c)
            EXPECT_EQ(table().Cells(c, e.row), e.cells[c - 5]) << e.row << "," << c;
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("j1939/J1939_Send_Frames_written.xml"))));
}

TEST_F(TransmitJ1939, RowWithPriorityButNoPgnIsDroppedWithTheEmptyRowsBelow)
{
    EXPECT_EQ(okWith({kRow, {"3"}, {}}), QString());
    open();
    EXPECT_EQ(table().Cells(3, 1), QStringLiteral("0xFEF1"));
    EXPECT_EQ(table().Cells(1, 2), QString());

    EXPECT_EQ(okWith({kRow, {"3"}, {"", "", "", "", "", "", "", "Y"}}),
              QStringLiteral("Error in row 2!! This row is empty but rows below it are filled: fill it in or delete "
                             "it, or the rows below would not be saved"));
}

TEST_F(TransmitJ1939, InsertedRowIsEmptyAndDeleteKeepsToDataRows)
{
    open();
    TableWindowDriver::setRow(table(), 1, kRow);
    table().SetRow(1);
    user->press("Btn_InsRow");
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(table().Cells(c, 1), QString()) << c;
    table().SetRow(0);
    user->press("Btn_DelRow");
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(1, 0), QStringLiteral("Priority"));
    EXPECT_EQ(table().Cells(3, 2), QStringLiteral("0xFEF1"));
}

TEST_F(TransmitJ1939, HeaderHintsAreShown)
{
    open();
    EXPECT_EQ(headerTip(1), QStringLiteral("Select the Priority of J1939 Frame, from 0 to 7"));
    EXPECT_EQ(w->Hint_TransmitJ1939().value(9), QStringLiteral("Insert a description of the CAN Frame"));
}

TEST_F(TransmitJ1939, Screenshot)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Transmit J1939 Frames"));
    TableWindowDriver::setRow(table(), 1, {"6", "0", "0xFEF1", "0", "8", "N", "Y", "N", "", "Vehicle speed"});
    TableWindowDriver::setRow(table(), 2, {"3", "1", "0x1EF00", "255", "100", "Y", "N", "Y", "250", "Proprietary"});
    user->checkTablePicture(QStringLiteral("windows/TransmitJ1939_window.png"), QSize(800, 337), table(), 3, 2, 5);
}

} // namespace
