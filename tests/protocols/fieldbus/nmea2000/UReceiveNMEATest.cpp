// The NMEA 2000 receive table: its rules with their exact messages (first error only), the
// fast packet beside the transport protocol, the byte budget of 512, the defaults of missing
// attributes written back byte for byte, and the 62 rows a file fills.

#include "protocols/fieldbus/nmea2000/UReceiveNMEA.h"

#include "protocols/fieldbus/j1939/PgnTableFixture.h"

#include <QImage>

namespace {

using fieldbus::TFReceiveNMEA;
using testsupport::TableWindowDriver;

class ReceiveNMEA : public testsupport::PgnTableTest<TFReceiveNMEA> {
protected:
    void SetUp() override
    {
        PgnTableTest::SetUp();
        Start(&common::TProgramState::File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml");
    }
};

// PGN, Source Address, Transport Protocol, Fast Packet, Start Byte, N Byte, Cancel Data.
const QStringList kWholeFrame = {"0x1F801", "0", "N", "N", "", "", "N"};

QStringList frame(const char* tp, const char* fp, const char* start, const char* n)
{
    return {"129029", "1", tp, fp, start, n, "N"};
}

TEST_F(ReceiveNMEA, FirstErrorIsShownAndNothingWritten)
{
    struct Case {
        QStringList row2;
        const char* message; // nullptr: passes
    } cases[] = {
        {{"0x1FFFF", "0"}, nullptr},
        {{"0x20000", "0"}, "Error in row 2!! PGN must be between 0x00000 and 0x1FFFF"},
        {{" ", "0"}, "Error in row 2!! PGN must be between 0x00000 and 0x1FFFF"},
        {{"1", "239"}, nullptr},
        {{"1", "240"}, "Error in row 2!! Source Address must be between 0 and 239"},
        {frame("N", "Y", "200", "23"), nullptr},
        {frame("N", "Y", "200", "24"), "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 223"},
        {frame("N", "Y", "224", "0"), "Error in row 2!! Start Byte must be between 0 and 223"},
        {frame("N", "Y", "0", "-1"), "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 223"},
        // The transport protocol comes first: both set is checked against 1785.
        {frame("Y", "Y", "1000", "100"), nullptr},
        {frame("Y", "Y", "1700", "86"), "Error in row 2!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {frame("Y", "N", "1786", "0"), "Error in row 2!! Start Byte must be between 0 and 1785"},
        // Only "Y" itself sets a protocol.
        {frame("y", "Y", "1000", "100"), "Error in row 2!! Start Byte must be between 0 and 223"},
        {frame("N", "Y ", "200", "23"), "Error in row 2!! The Start Byte must be between 1 and 8"},
        {frame("N", "N", "1", "0"), "Error in row 2!! The Number Bytes must be between 1 and 8"},
        {frame("N", "N", "2", "7"), "Error in row 2!! The Number Bytes plus Start Byte must be minor of 9"},
        {frame("N", "N", "3", ""), "Error in row 2!! Start Byte and Number Bytes must be both compiled"},
        {frame("", "", "0", "1"), "Error in row 2!! The Start Byte must be between 1 and 8"},
        {frame("N", "N", "1", "7"), nullptr},
        {frame("N", "N", "", ""), nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row2.join(QLatin1Char('|')).toStdString());
        std::vector<QStringList> rows = {kWholeFrame, k.row2};
        if (k.message)
            rows.push_back({"1", "999"});
        EXPECT_EQ(okWith(rows), k.message ? QString::fromLatin1(k.message) : QString());
    }
}

TEST_F(ReceiveNMEA, BytesOfAllRowsStayWithin512)
{
    const QString tooMany = QStringLiteral("Error!! Too many bytes of data, the max number is 512");
    // Three transport-protocol rows of 171: the third is too many, before row 4's own error.
    const QStringList big = frame("Y", "N", "0", "171");
    EXPECT_EQ(okWith({big, big, big, {"1", "999"}}), tooMany);
    EXPECT_EQ(okWith({big, big, frame("Y", "N", "0", "170")}), QString());

    // Parts of single frames count their N Byte: 502 + 5 + 5 fill the input.
    const QStringList part = frame("N", "N", "3", "5");
    EXPECT_EQ(okWith({frame("Y", "N", "0", "502"), part, part}), QString());
    EXPECT_EQ(okWith({frame("Y", "N", "0", "503"), part, part}), tooMany);
    // A whole single frame counts 8.
    EXPECT_EQ(
        okWith({frame("N", "Y", "0", "200"), frame("N", "Y", "0", "200"), frame("N", "Y", "0", "105"), kWholeFrame}),
        tooMany);
}

TEST_F(ReceiveNMEA, MissingAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("nmea2000/NMEA_Rec_Frames_sparse.xml")), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(3, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(4, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(7, 1), QStringLiteral("N"));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("nmea2000/NMEA_Rec_Frames_defaults.xml"))));
}

TEST_F(ReceiveNMEA, TableHolds62RowsAndIgnoresMoreInAFile)
{
    QByteArray file = "<Receive_NMEA_2000>\n";
    for (int i = 1; i <= 63; ++i)
        file += "\t<row PGN=\"" + QByteArray::number(i) + "\" SA=\"0\" />\n";
    ASSERT_TRUE(testsupport::writeFile(path(), file + "</Receive_NMEA_2000>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().RowCount(), 63);
    EXPECT_EQ(table().ColCount(), 9);
    EXPECT_EQ(table().Cells(1, 62), QStringLiteral("62"));
}

TEST_F(ReceiveNMEA, InsertedRowIsEmptyAndDeleteKeepsToDataRows)
{
    open();
    TableWindowDriver::setRow(table(), 1, kWholeFrame);
    table().SetRow(1);
    user->press("Btn_InsRow");
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(table().Cells(c, 1), QString()) << c;
    table().SetRow(0);
    user->press("Btn_DelRow");
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(1, 0), QStringLiteral("PGN"));
    EXPECT_EQ(table().Cells(1, 2), QStringLiteral("0x1F801"));
}

TEST_F(ReceiveNMEA, HeaderHintsAreShown)
{
    open();
    EXPECT_EQ(headerTip(4), QStringLiteral("Enable or Disable the Fast Packet Protocol for the NMEA 2000 Frame"));
}

TEST_F(ReceiveNMEA, Screenshot)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Receive NMEA 2000 Frames"));
    TableWindowDriver::setRow(table(), 1, {"0x1F801", "3", "N", "N", "", "", "N", "Position, rapid update"});
    TableWindowDriver::setRow(table(), 2, {"129029", "4", "N", "Y", "0", "43", "Y", "GNSS position data"});
    TableWindowDriver::setRow(table(), 3, {"126996", "5", "Y", "N", "0", "134", "N", "Product information"});
    user->checkTablePicture(QStringLiteral("windows/ReceiveNMEA_window.png"), QSize(810, 337), table(), 1, 2, 5);
}

} // namespace
