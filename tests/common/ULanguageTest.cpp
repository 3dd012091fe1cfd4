#include "common/ULanguage.h"
#include "common/EnglishTexts.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace common;

namespace {

const QString kBlank = QStringLiteral(" ");

QStringList builtInTable()
{
    Load_Default_Texts();
    return Lang_Str();
}

// Writes bytes as a language file in dir and returns its path.
QString writeLang(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testsupport::writeFile(path, bytes));
    return path;
}

// Table after the built-in texts and one file holding the given Windows-1252 text.
QStringList tableAfter(const QByteArray& fileText)
{
    QTemporaryDir dir;
    EXPECT_TRUE(dir.isValid());
    Load_Default_Texts();
    EXPECT_TRUE(Read_Lang_File(writeLang(dir, QStringLiteral("Test.lng"), fileText)));
    return Lang_Str();
}

} // namespace

TEST(ULanguageTest, BuiltInTableHasEveryNumberAndNoEmptyText)
{
    const QStringList table = builtInTable();
    ASSERT_EQ(table.size(), kLangStrSize);
    EXPECT_EQ(Lang_Str_Count(), kLangStrSize);
    for (int i = 0; i < table.size(); ++i)
        EXPECT_FALSE(table.at(i).isEmpty()) << "text " << i;

    int previous = -1;
    for (const EnglishText& row : English_Texts()) {
        EXPECT_GT(row.number, previous) << "rows must be sorted and unique";
        EXPECT_LT(row.number, kLangStrSize);
        EXPECT_STRNE(row.text, "") << "text " << row.number;
        EXPECT_STRNE(row.text, " ") << "a blank needs no row: " << row.number;
        previous = row.number;
    }
}

TEST(ULanguageTest, BuiltInTextsOfEveryBlock)
{
    struct Case {
        int number;
        const char* text;
    };
    // One or more texts of every window's block, as the windows quote them; joined texts keep
    // their blanks.
    const Case cases[] = {
        // main window
        {9, "None Configuration Opened "},
        {11, "Opened Configuration of the Converter : "},
        {15, "New Configuration"},
        {18, "Error! Project not Valid"},
        {34, "The File already exists! Do you want to overwrite the file?"},
        {82, "Set the Network of EtherNet/IP Slave"},
        // new and open configuration
        {105, "Error! Name project is not valid"},
        {110, "Cancel the New Configuration"},
        {202, "List of Avaliable Configurations"},
        {207, "Cancel open of Configuration"},
        // software options
        {304, "Selected Language : "},
        {305, "Page "},
        {306, " / "},
        {316, "Do you want to change the Language from "},
        {317, " to "},
        {321, "Enable Auto Size of Table Columns by Double Click"},
        // communication settings
        {400, "Set Communication"},
        {611, "Insert Fourth byte of IP Address"},
        {1127, "Error DeviceNet Master!! ID Device must be between 0 and 63"},
        {1307, "Ethernet Connection"},
        {1412, "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
        {1458, "GSM / GPRS / LTE"},
        // shared messages
        {1500, "Row Already used. Do you want to overwrite the values?"},
        {1505, "File already exists. Do you want to overwrite?"},
        // device update
        {1636, "Device Not Found!"},
        {1637, "Error!!! Check the Ip Address"},
        // IO-Link slave
        {1785, "Error row "},
        {1801, "Error row %d!! [Variables] Position Read must be between %d and  %d"},
        {1811, "!! [Variables] Unit Code must be between 1000 and 65535"},
        // Modbus serial and TCP masters
        {1900, "Set Modbus Access"},
        {1988, "Are you sure to delete the Row number "},
        {2000, "Set Modbus TCP Master Access"},
        {2098, "!! [Modbus Read] Select a Topic"},
        // BACnet client, EDE import, BACnet server, unit picker
        {2257, "Select the BACnet Type in the \"Set Communication\" section"},
        {2291, "Enable"},
        {2321, "Unselect All"},
        {2435, "!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"},
        {2460, "Are you sure to delete the Row number "},
        {2508, "Select Engineering Unit"},
        // CAN receive and transmit
        {2600, "Receive CAN Frames Set Access"},
        {2645, "!! CobID must be between 0 and 2047"},
        {2650, " or None"},
        {2700, "Transmit CAN Frames Set Access"},
        {2754, "!! Byte2 must be between 0 and "},
        // CANopen PDO, SDO client, SDO server
        {2869, "!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {2891, "Are you sure to delete the Row number "},
        {2979, "Are you sure to delete the Row number "},
        {3065, "Are you sure to delete the Row number "},
        // DeviceNet network and offsets
        {3124, "!! ID must be 0 or 63"},
        {3127, "Are you sure to delete the Row number "},
        {3221, "Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet."},
        {3225, " Byte = "},
        // EtherCAT slave
        {3300, "EtherCAT Slave Set Access"},
        {3334, "Slave To Master"},
        {3350, "Insert a Description of EtherCAT Slave Variable"},
        // IEC 61850 client, variables, TLS certificates
        {3400, "IEC61850 Client Set Access"},
        {3467, "!! Start Byte plus Num Byte must be minor of 64"},
        {3500, "Set Variables Access for IEC61850"},
        {3600, "Definition the list of Known Certificates"},
        // J1939 and NMEA 2000 tables
        {3700, "Receive J1939 Frames"},
        {3747, "Are you sure to delete the Row number "},
        {3800, "Transmit J1939 Frames"},
        {4100, "Receive NMEA 2000 Frames"},
        {4200, "Transmit NMEA 2000 Frames"},
        {4242, "Are you sure to delete the Row number "},
        // MQTT topics and template
        {3933, "MQTT Publish"},
        {4000, "Set Topic"},
        {4045, "SNMP Values"},
        // OPC UA client, server entry, browse, server
        {4300, "OCP UA Client Access"},
        {4389, "Do you really want to delete the selected OPC UA Server?"},
        {4500, "Add OPC UA Server"},
        {4600, "Scan Server OPC UA"},
        {4623, "WAITING FOR SCAN..."},
        {4700, "Definition of OPC UA Server Variables"},
        {4727, "Error row %d!! Position Must be Between 0 and %d"},
        // GSDML file name
        {4808, "File already exists! Do you want to overwrite the file?"},
        // S7 client
        {4900, "S7comm Access"},
        {4914, "S7comm Read"},
        {4988, "!! [S7comm Write] Device support 10 connection"},
        // SNMP manager, agent and traps
        {5101, "Set SNMP Manager Access"},
        {5140, "!! OID string can contains only number and \".\""},
        {5187, " and "},
        {5200, "Set SNMP Trap Access"},
        {5260, "Error row "},
        {5286, "!! [SNMP Write] Conversion must be selected"},
        // EtherNet/IP scanner and EDS connection picker
        {5300, "Set EtherNet/IP Slaves Access"},
        {5360, "Import a slave EtherNet/IP from EDS File"},
        {5400, "EtherNet/IP EDS Decode - Select the Connection to use"},
        {5401, "Select the Connection To use"},
    };
    const QStringList table = builtInTable();
    for (const Case& c : cases)
        EXPECT_EQ(table.at(c.number).toStdString(), c.text) << "text " << c.number;
}

TEST(ULanguageTest, NumbersOutsideTheBlocksHoldABlank)
{
    const QStringList table = builtInTable();
    for (int n : {83, 99, 111, 199, 208, 322, 1482, 1499, 1507, 1599, 5416, 5499})
        EXPECT_EQ(table.at(n), kBlank) << "text " << n;
}

// One language-file line and what it does to one entry (nullptr: the entry keeps its text).
TEST(ULanguageTest, LineGrammar)
{
    struct Case {
        const char* line; // Windows-1252
        int number;
        const char* expected;
    };
    const Case cases[] = {
        {"STR15 =Nuova Configurazione", 15, "Nuova Configurazione"},
        {"STR15 = Nuova  ", 15, "Nuova"},
        {"\tSTR15 =x\t", 15, "x"},
        {"STR15  =two blanks before the sign", 15, "two blanks before the sign"},
        {"STR 15 =blank after STR", 15, "blank after STR"},
        {"STR15 =a=b", 15, "a=b"},
        {"STR15 =\xB6  Word  \xB6", 15, "  Word  "},
        {"STR15 =\xB6 Word", 15, " Word"},
        {"STR15 =Word \xB6more words", 15, "Word "},
        {"STR15 =\xB6\xB6", 15, ""},
        {"STR15 =Text /#/ a comment", 15, "Text"},
        {"STR15 =\xB6 a /#/ b\xB6", 15, " a"},
        {"STR15 = /#/ only a comment", 15, nullptr},
        {"STR15 =", 15, nullptr},
        {"STR15 =   ", 15, nullptr},
        {"str15 =lower case", 15, nullptr},
        {"XSTR15 =not at the start", 15, nullptr},
        {"STR15 no sign", 15, nullptr},
        {"STRx =no number", 15, nullptr},
        {"STR1x5 =no number", 15, nullptr},
        {"STR5499 =last", 5499, "last"},
        {"STR0 =first", 0, "first"},
        // Written without the blank the number still reads whole.
        {"STR15=Open", 15, "Open"},
        {"STR7=Seven", 7, "Seven"},
    };
    const QStringList defaults = builtInTable();
    for (const Case& c : cases) {
        const QStringList table = tableAfter(QByteArray(c.line) + "\r\n");
        ASSERT_EQ(table.size(), kLangStrSize) << c.line;
        QStringList expected = defaults;
        if (c.expected)
            expected[c.number] = QString::fromLatin1(c.expected);
        for (int i = 0; i < kLangStrSize; ++i)
            ASSERT_EQ(table.at(i), expected.at(i)) << "line \"" << c.line << "\", text " << i;
    }
}

TEST(ULanguageTest, NumbersOutOfBoundsChangeNothing)
{
    const QStringList defaults = builtInTable();
    for (const char* line : {"STR5500 =x", "STR99999 =x", "STR-1 =x", "STR99999999999 =x"}) {
        const QStringList table = tableAfter(QByteArray(line));
        EXPECT_EQ(table.size(), kLangStrSize) << line;
        EXPECT_EQ(table, defaults) << line;
    }
}

TEST(ULanguageTest, MendedLineWithoutBlankDoesNotTouchTheShorterNumber)
{
    const QStringList defaults = builtInTable();
    const QStringList table = tableAfter("STR15=Open\r\n");
    EXPECT_EQ(table.at(15), QStringLiteral("Open"));
    EXPECT_EQ(table.at(1), defaults.at(1));
}

TEST(ULanguageTest, LaterLineForTheSameNumberWins)
{
    const QStringList table = tableAfter("STR15 =first\r\nSTR16 =other\r\nSTR15 =second\r\n");
    EXPECT_EQ(table.at(15), QStringLiteral("second"));
    EXPECT_EQ(table.at(16), QStringLiteral("other"));
}

TEST(ULanguageTest, ReadDoesNotEmptyTheTableFirst)
{
    QTemporaryDir dir;
    Load_Default_Texts();
    ASSERT_TRUE(Read_Lang_File(writeLang(dir, QStringLiteral("A.lng"), "STR15 =A\r\n")));
    ASSERT_TRUE(Read_Lang_File(writeLang(dir, QStringLiteral("B.lng"), "STR16 =B\r\n")));
    EXPECT_EQ(Lang_Str().at(15), QStringLiteral("A"));
    EXPECT_EQ(Lang_Str().at(16), QStringLiteral("B"));
}

TEST(ULanguageTest, MissingFileIsReportedAndChangesNothing)
{
    const QStringList defaults = builtInTable();
    QTemporaryDir dir;
    EXPECT_FALSE(Read_Lang_File(dir.filePath(QStringLiteral("None.lng"))));
    EXPECT_EQ(Lang_Str(), defaults);
}

TEST(ULanguageTest, EncodingsAndLineEnds)
{
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const QString oeffnen = QStringLiteral("\u00D6ffnen \u20AC");
    const Case cases[] = {
        {"Windows-1252, CR LF", QByteArray("STR15 =\xD6") + "ffnen \x80\r\nSTR16 =x\r\n"},
        {"Windows-1252, LF", QByteArray("STR15 =\xD6") + "ffnen \x80\nSTR16 =x\n"},
        {"Windows-1252, CR", QByteArray("STR15 =\xD6") + "ffnen \x80\rSTR16 =x\r"},
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF") + "STR15 =" + oeffnen.toUtf8() + "\r\nSTR16 =x"},
        {"UTF-8 without mark", QByteArray("STR15 =") + oeffnen.toUtf8() + "\r\nSTR16 =x"},
        {"UTF-16 LE with mark",
         [&] {
             const QString text = QStringLiteral("STR15 =") + oeffnen + QStringLiteral("\r\nSTR16 =x\r\n");
             QByteArray b("\xFF\xFE");
             for (QChar ch : text) {
                 b.append(char(ch.unicode() & 0xFF));
                 b.append(char(ch.unicode() >> 8));
             }
             return b;
         }()},
    };
    for (const Case& c : cases) {
        const QStringList table = tableAfter(c.bytes);
        EXPECT_EQ(table.at(15), oeffnen) << c.what;
        EXPECT_EQ(table.at(16), QStringLiteral("x")) << c.what;
        EXPECT_EQ(table.size(), kLangStrSize) << c.what;
    }
}

TEST(ULanguageTest, HandMadeSampleFile)
{
    Load_Default_Texts();
    const QStringList defaults = Lang_Str();
    ASSERT_TRUE(Read_Lang_File(testsupport::fixturePath(QStringLiteral("language/Sample.lng"))));
    const QStringList& table = Lang_Str();
    ASSERT_EQ(table.size(), kLangStrSize);
    EXPECT_EQ(table.at(9), QStringLiteral("Nessuna configurazione aperta "));
    EXPECT_EQ(table.at(11), QStringLiteral("Configurazione aperta del convertitore : "));
    EXPECT_EQ(table.at(15), QStringLiteral("Nuova configurazione"));
    EXPECT_EQ(table.at(16), QStringLiteral("Apri configurazione"));
    EXPECT_EQ(table.at(18), QStringLiteral("Errore! Progetto non valido"));
    EXPECT_EQ(table.at(306), QStringLiteral(" / "));
    EXPECT_EQ(table.at(317), QStringLiteral(" a "));
    EXPECT_EQ(table.at(2644), QStringLiteral("Errore riga "));
    EXPECT_EQ(table.at(304), QStringLiteral("Lingua selezionata : ")); // the last valid line
    // Lines the reader skips leave the English texts.
    for (int n : {10, 12, 13, 14, 17})
        EXPECT_EQ(table.at(n), defaults.at(n)) << "text " << n;
}

TEST(ULanguageTest, LoadLanguageReadsTheChosenFile)
{
    QTemporaryDir dir;
    writeLang(dir, QStringLiteral("Italiano.lng"), "STR15 =Nuova\r\n");
    writeLang(dir, QStringLiteral("English.lng"), "STR15 =from English.lng\r\n");
    QString name = QStringLiteral("Italiano");
    Load_Language(dir.path(), name);
    EXPECT_EQ(name, QStringLiteral("Italiano"));
    EXPECT_EQ(Lang_Str().size(), kLangStrSize);
    EXPECT_EQ(Lang_Str().at(15), QStringLiteral("Nuova"));
    EXPECT_EQ(Lang_Str().at(16), QStringLiteral("Open Configuration"));
}

TEST(ULanguageTest, LoadLanguageFallsBackToEnglishFile)
{
    QTemporaryDir dir;
    writeLang(dir, QStringLiteral("English.lng"), "STR15 =from English.lng\r\n");
    QString name = QStringLiteral("Klingon");
    Load_Language(dir.path(), name);
    EXPECT_EQ(name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Str().size(), kLangStrSize);
    EXPECT_EQ(Lang_Str().at(15), QStringLiteral("from English.lng"));
}

// A language file that is there but cannot be read (a socket stands in for a file gone or
// locked since it was seen): English, and the problem names the file.
TEST(ULanguageTest, LoadLanguageNamesAFileItCannotRead)
{
    const QStringList defaults = builtInTable();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Italiano.lng"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    if (native.size() >= qsizetype(sizeof(address.sun_path))) {
        ::close(fd);
        GTEST_SKIP() << "temporary folder path too long for a socket";
    }
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    QString name = QStringLiteral("Italiano");
    QString problem;
    EXPECT_FALSE(Load_Language(dir.path(), name, &problem));
    ::close(fd);
    EXPECT_EQ(name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Str(), defaults);
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Cannot open file \"%1\".").arg(path))) << problem.toStdString();
}

TEST(ULanguageTest, LoadLanguageWithoutFilesKeepsBuiltInEnglish)
{
    const QStringList defaults = builtInTable();
    QTemporaryDir dir;
    for (const QString& chosen : {QStringLiteral("Italiano"), QStringLiteral("English"), QString()}) {
        QString name = chosen;
        Load_Language(dir.path(), name);
        EXPECT_EQ(name, QStringLiteral("English")) << chosen.toStdString();
        EXPECT_EQ(Lang_Str(), defaults) << chosen.toStdString();
    }
    // The same when the folder itself is missing.
    QString name = QStringLiteral("Italiano");
    Load_Language(dir.filePath(QStringLiteral("missing")), name);
    EXPECT_EQ(name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Str(), defaults);
}

TEST(ULanguageTest, ReloadStartsAgainFromEnglish)
{
    QTemporaryDir dir;
    writeLang(dir, QStringLiteral("Italiano.lng"), "STR15 =Nuova\r\nSTR16 =Apri\r\n");
    writeLang(dir, QStringLiteral("Deutsch.lng"), "STR15 =Neu\r\n");
    QString name = QStringLiteral("Italiano");
    Load_Language(dir.path(), name);
    ASSERT_EQ(Lang_Str().at(16), QStringLiteral("Apri"));
    name = QStringLiteral("Deutsch");
    Load_Language(dir.path(), name);
    EXPECT_EQ(Lang_Str().size(), kLangStrSize);
    EXPECT_EQ(Lang_Str().at(15), QStringLiteral("Neu"));
    EXPECT_EQ(Lang_Str().at(16), QStringLiteral("Open Configuration"));
}

TEST(ULanguageTest, CommittedEnglishFileMatchesTheBuiltInTexts)
{
    const QString committed = QStringLiteral(QV_SOURCE_DIR) + QStringLiteral("/LANGUAGE/English.lng");
    const QByteArray expected = English_Lang_File_Data();
    // After a change of the built-in texts, run once with QV_UPDATE_ENGLISH_LNG=1 to rewrite it.
    if (qEnvironmentVariableIsSet("QV_UPDATE_ENGLISH_LNG")) {
        ASSERT_TRUE(Write_English_Lang_File(committed));
    }
    EXPECT_TRUE(testsupport::readFile(committed) == expected)
        << "LANGUAGE/English.lng is out of date: run this test with QV_UPDATE_ENGLISH_LNG=1";

    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("English.lng"));
    ASSERT_TRUE(Write_English_Lang_File(written));
    EXPECT_TRUE(testsupport::readFile(written) == expected);
}

TEST(ULanguageTest, EnglishFileReadsBackAsTheBuiltInTexts)
{
    const QStringList defaults = builtInTable();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("English.lng"));
    ASSERT_TRUE(Write_English_Lang_File(path));
    // Overwrite every entry so that only what the file sets shows the English text.
    for (QString& text : Lang_Str())
        text = QStringLiteral("#");
    ASSERT_TRUE(Read_Lang_File(path));
    const QStringList& table = Lang_Str();
    ASSERT_EQ(table.size(), kLangStrSize);
    for (int i = 0; i < kLangStrSize; ++i) {
        if (defaults.at(i) == kBlank)
            EXPECT_EQ(table.at(i), QStringLiteral("#")) << "text " << i;
        else
            EXPECT_EQ(table.at(i), defaults.at(i)) << "text " << i;
    }
}
