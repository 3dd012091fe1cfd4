// The J1939 receive table driven like a user: its rules with their exact messages (first
// error only), the byte budget of 1440 over transport-protocol and single-frame rows, the
// file written on OK byte for byte, the defaults of missing attributes, the end of the table
// at the first empty PGN, and the row buttons.

#include "protocols/fieldbus/j1939/UReceiveJ1939.h"

#include "protocols/fieldbus/j1939/PgnTableFixture.h"

#include <QImage>

namespace {

using fieldbus::TFReceiveJ1939;
using testsupport::TableWindowDriver;

class ReceiveJ1939 : public testsupport::PgnTableTest<TFReceiveJ1939> {
protected:
    void SetUp() override
    {
        PgnTableTest::SetUp();
        Start(&common::TProgramState::File_J1939_Rec_Frames, "J1939_Rec_Frames.xml");
    }
};

// Data Page, PGN, Source Address, TP, Start Byte, N Byte, Cancel Data, On Request, Time(ms).
const QStringList kWholeFrame = {"0", "0xFEF1", "0", "N", "", "", "N", "N", "1000"};

QStringList transport(int start, int n)
{
    return {"1", "0xEF00", "12", "Y", QString::number(start), QString::number(n), "N", "N", "1000"};
}

TEST_F(ReceiveJ1939, TypedRowsAreSavedOnOK)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Receive J1939 Frames"));
    EXPECT_EQ(w->size(), QSize(876, 337));
    EXPECT_EQ(table().RowCount(), 513);
    EXPECT_EQ(table().ColCount(), 11);
    EXPECT_EQ(table().Cells(9, 0), QStringLiteral("Time(ms)"));
    EXPECT_EQ(table().Cells(1, 512), QString()); // no enable column
    user->type(table(), 1, 1, QStringLiteral("1"));
    user->type(table(), 2, 1, QStringLiteral("0xFEF1"));
    user->type(table(), 3, 1, QStringLiteral("239"));
    user->clickCell(table(), 4, 1); // the Transport Protocol check box
    user->type(table(), 5, 1, QStringLiteral("1000"));
    user->type(table(), 6, 1, QStringLiteral("785"));
    user->type(table(), 10, 1, QStringLiteral("Engine & <speed>"));
    TableWindowDriver::setRow(table(), 2, {"0", "65535", "0", "N", "3", "5", "Y", "Y", "0"});
    TableWindowDriver::setRow(table(), 3, {"0", " 256", "1", "N", " ", "", "N", "N", "x"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFReceiveJ1939::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("j1939/J1939_Rec_Frames_window.xml"))));

    open();
    EXPECT_EQ(table().Cells(4, 1), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(10, 1), QStringLiteral("Engine & <speed>"));
    EXPECT_EQ(table().Cells(2, 3), QStringLiteral(" 256"));
    EXPECT_EQ(table().Cells(2, 4), QString());
}

TEST_F(ReceiveJ1939, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"0", "0xFFFF", "0"}, nullptr},
        {{"0", "0x10000", "0"}, "Error in row 2!! PGN must be between 0x0000 and 0xFFFF"},
        {{"0", "FFFF", "0"}, "Error in row 2!! PGN must be between 0x0000 and 0xFFFF"},
        {{"1", "   ", "0"}, "Error in row 2!! PGN must be between 0x0000 and 0xFFFF"},
        {{"", "   ", "0"}, "Error in row 2!! Data Page must be 0 or 1"},
        {{"", "0xFEF1", "0", "N", "", "", "N", "N", "1000"}, "Error in row 2!! Data Page must be 0 or 1"},
        {{"0", "1", "239"}, nullptr},
        {{"0", "1", "240"}, "Error in row 2!! Source Address must be between 0 and 239"},
        {{"0", "1", ""}, "Error in row 2!! Source Address must be between 0 and 239"},
        {{"0", "1", "0", "Y", "1000", "785"}, nullptr},
        {{"0", "1", "0", "Y", "1000", "786"},
         "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {{"0", "1", "0", "Y", "0", "-1"}, "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {{"0", "1", "0", "Y", "1000", "2147483647"},
         "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {{"0", "1", "0", "Y", "1786", "0"}, "Error in row 2!! Start Byte must be between 0 and 1785"},
        {{"0", "1", "0", "Y", "", "8"}, "Error in row 2!! Start Byte must be between 0 and 1785"},
        // Only "Y" itself sets the transport protocol: this is a single frame.
        {{"0", "1", "0", "y", "1000", "785"}, "Error in row 2!! The Start Byte must be between 1 and 8"},
        {{"0", "1", "0", "N", "3", "6"}, "Error in row 2!! The Number Bytes plus Start Byte must be minor of 9"},
        {{"0", "1", "0", "N", "0", "1"}, "Error in row 2!! The Start Byte must be between 1 and 8"},
        {{"0", "1", "0", "N", "2", ""}, "Error in row 2!! Start Byte and Number Bytes must be both compiled"},
        {{"0", "1", "0", "", " ", "2"}, "Error in row 2!! Start Byte and Number Bytes must be both compiled"},
        {{"0", "1", "0", "N", "1", "0"}, "Error in row 2!! The Number Bytes must be between 1 and 8"},
        {{"0", "1", "0", "N", "1", "9"}, "Error in row 2!! The Number Bytes must be between 1 and 8"},
        {{"0", "1", "0", "N", "3", "5"}, nullptr},
        {{"0", "1", "0", "N", "  ", " "}, nullptr},
        {{"0", "1", "0", "N", "", "", "N", "Y", "0"}, nullptr},
        {{"0", "1", "0", "N", "", "", "N", "Y", "10000000"}, nullptr},
        {{"0", "1", "0", "N", "", "", "N", "Y", "10000001"},
         "Error in row 2!! Time(ms) must be between 0 and 10000000"},
        {{"0", "1", "0", "N", "", "", "N", "Y", ""}, "Error in row 2!! Time(ms) must be between 0 and 10000000"},
        {{"0", "1", "0", "N", "", "", "N", "N", "10000001"}, nullptr},
        {{"0", "1", "0", "N", "", "", "N", "y", "x"}, nullptr},
        {{"0", "1", "0", "N", "", "", "x", "N", "1000"}, nullptr}, // Cancel Data is not checked
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        std::vector<QStringList> rows = {kWholeFrame, k.row2};
        if (k.message) // a later error that must not be the one shown
            rows.push_back({"0", "1", "999"});
        EXPECT_EQ(okWith(rows), k.message ? QString::fromLatin1(k.message) : QString());
    }
}

TEST_F(ReceiveJ1939, BytesOfAllRowsStayWithin1440)
{
    const QString tooMany = QStringLiteral("Error!! Too many bytes of data, the max number is 1440");
    std::vector<QStringList> rows(180, transport(0, 8));
    EXPECT_EQ(okWith(rows), QString());
    rows[100] = transport(0, 9);
    EXPECT_EQ(okWith(rows), tooMany);
    // A whole single frame counts 8.
    rows[100] = kWholeFrame;
    rows.push_back(kWholeFrame);
    EXPECT_EQ(okWith(rows), tooMany);

    // A part of a single frame counts its N Byte only: 288 rows of bytes 3 to 7 fill the input.
    QStringList part = kWholeFrame;
    part[4] = QStringLiteral("3");
    part[5] = QStringLiteral("5");
    rows.assign(288, part);
    EXPECT_EQ(okWith(rows), QString());
    rows.push_back(part);
    EXPECT_EQ(okWith(rows), tooMany);
}

TEST_F(ReceiveJ1939, EachOKCountsTheBytesAfresh)
{
    std::vector<QStringList> rows(180, transport(0, 8));
    rows[179][7] = QStringLiteral("Y");
    rows[179][8] = QStringLiteral("-1");
    EXPECT_EQ(okWith(rows), QStringLiteral("Error in row 180!! Time(ms) must be between 0 and 10000000"));
    table().SetCells(9, 180, QStringLiteral("1"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 1u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFReceiveJ1939::kModalOK);
}

TEST_F(ReceiveJ1939, MissingAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("j1939/J1939_Rec_Frames_sparse.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    const QStringList row1 = {"0", "0xFEF1", "7", "N", "", "", "N", "N", "1000", ""};
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(table().Cells(c, 1), row1[c - 1]) << c;
    EXPECT_EQ(table().Cells(9, 2), QString()); // present but empty: kept
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("j1939/J1939_Rec_Frames_defaults.xml"))));
}

TEST_F(ReceiveJ1939, FirstEmptyPgnEndsTheTableOnlyWithNothingBelow)
{
    // A row holding a Data Page but no PGN is dropped with the empty rows below it.
    EXPECT_EQ(okWith({kWholeFrame, {"1", "", "5", "Y"}}), QString());
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("j1939/J1939_Rec_Frames_one_row.xml"))));

    // A filled row below the gap would be lost: OK is refused.
    EXPECT_EQ(okWith({kWholeFrame, {"1", "", "5"}, {}, kWholeFrame}),
              QStringLiteral("Error in row 2!! This row is empty but rows below it are filled: fill it in or delete "
                             "it, or the rows below would not be saved"));
    EXPECT_EQ(okWith({kWholeFrame, {}, {"", "", "", "N"}}),
              QStringLiteral("Error in row 2!! This row is empty but rows below it are filled: fill it in or delete "
                             "it, or the rows below would not be saved"));
}

TEST_F(ReceiveJ1939, RowButtonsActOnDataRowsAndInsertEmptyRows)
{
    open();
    TableWindowDriver::setRow(table(), 1, kWholeFrame);
    TableWindowDriver::setRow(table(), 512, kWholeFrame);
    table().SetRow(1);
    user->press("Btn_InsRow");
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(table().Cells(c, 1), QString()) << c;
    EXPECT_EQ(table().Cells(2, 2), QStringLiteral("0xFEF1"));

    // On the header row Delete asks nothing and moves nothing.
    table().SetRow(0);
    user->press("Btn_DelRow");
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(2, 0), QStringLiteral("PGN"));
    EXPECT_EQ(table().Cells(2, 2), QStringLiteral("0xFEF1"));

    messages.answers = {platform::MsgResult::Yes};
    table().SetRow(1);
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(table().Cells(2, 1), QStringLiteral("0xFEF1"));

    // A click on a row number selects the row.
    user->clickCell(table(), 0, 3);
    EXPECT_EQ(table().Selection().Top, 3);
    EXPECT_EQ(table().Selection().Bottom, 3);
}

TEST_F(ReceiveJ1939, RowsPastTheTableAreIgnored)
{
    QByteArray file = "<Receive_J1939>\n";
    for (int i = 1; i <= 514; ++i)
        file += "\t<row DP=\"0\" PGN=\"" + QByteArray::number(i) + "\" SA=\"0\" />\n";
    ASSERT_TRUE(testsupport::writeFile(path(), file + "</Receive_J1939>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(2, 512), QStringLiteral("512"));
}

TEST_F(ReceiveJ1939, HeaderHintsAreShown)
{
    open();
    EXPECT_EQ(headerTip(2), QStringLiteral("Insert the PGN of J1939 Frame"));
    EXPECT_EQ(w->Hint_ReceiveJ1939().value(8),
              QStringLiteral("Insert the Time Between Two Request for the J1939 Frame"));
}

TEST_F(ReceiveJ1939, Screenshot)
{
    open();
    TableWindowDriver::setRow(table(), 1, {"0", "0xFEF1", "0", "N", "", "", "N", "N", "1000", "Vehicle speed"});
    TableWindowDriver::setRow(table(), 2, {"1", "0xEF00", "12", "Y", "0", "100", "Y", "Y", "500", "Proprietary"});
    TableWindowDriver::setRow(table(), 3, {"0", "0xFEEE", "0", "N", "3", "5", "N", "N", "1000", "Engine temperature"});
    user->checkTablePicture(QStringLiteral("windows/ReceiveJ1939_window.png"), QSize(876, 337), table(), 2, 2, 5);
}

} // namespace
