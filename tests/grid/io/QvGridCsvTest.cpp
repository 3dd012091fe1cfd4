// CSV export and import: our writer byte for byte, the reader on what spreadsheet programs
// and Python's csv module write, delimiter detection, and row limits.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <random>

using namespace grid;
using grid::test::errorOf;
using grid::test::ShownGrid;

namespace {

using PlainGrid = grid::test::PlainShownGrid<TQvStringGrid>;

struct CsvTest : grid::test::FolderTest {
    CsvTest() : FolderTest("grid.csv") {}
};

const QStringList kRow1{QStringLiteral("a\"b"), QString(), QStringLiteral("x\r\ny"), QStringLiteral("c,d")};
const QStringList kRow2{QStringLiteral("plain"), QStringLiteral("1"), QString(), QStringLiteral("z")};

struct WriterCase {
    const char* fixture;
    bool java;
    bool alwaysQuotes;
};

class CsvWriterTest : public CsvTest, public ::testing::WithParamInterface<WriterCase> {};

TEST_P(CsvWriterTest, WritesTheHandMadeFixtureAndReadsItBack)
{
    const WriterCase& c = GetParam();
    PlainGrid src(4, 2);
    src.setRow(0, kRow1);
    src.setRow(1, kRow2);
    src.g.JavaCSV = c.java;
    src.g.AlwaysQuotes = c.alwaysQuotes;
    src.g.SaveToCSV(path());
    const QString fixture = QStringLiteral("grid/csv/") + QLatin1String(c.fixture);
    EXPECT_EQ(bytes(), testsupport::readFile(testsupport::fixturePath(fixture)));

    PlainGrid dst;
    dst.g.JavaCSV = c.java;
    dst.g.LoadFromCSV(path());
    EXPECT_EQ(dst.g.ColCount(), 4);
    EXPECT_EQ(dst.g.RowCount(), 2);
    EXPECT_EQ(dst.row(0), kRow1);
    EXPECT_EQ(dst.row(1), kRow2);
}

INSTANTIATE_TEST_SUITE_P(Modes, CsvWriterTest,
                         ::testing::Values(WriterCase{"written_default.csv", false, false},
                                           WriterCase{"written_java.csv", true, false},
                                           WriterCase{"written_always_quotes.csv", false, true}));

TEST_F(CsvTest, UnicodeWritesUtf8WithAMarkAndAnsiOtherwise)
{
    PlainGrid g(2, 1);
    g.setRow(0, {QStringLiteral("caf\u00e9"), QStringLiteral("\u20ac")});
    g.g.SaveToCSV(path(), true);
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF"
                                  "caf\xC3\xA9,\xE2\x82\xAC\r\n"));
    g.g.SaveToCSV(path(), false);
    EXPECT_EQ(bytes(), QByteArray("caf\xE9,\x80\r\n"));
    PlainGrid back(1, 1);
    back.g.LoadFromCSV(path());
    EXPECT_EQ(back.row(0), (QStringList{QStringLiteral("caf\u00e9"), QStringLiteral("\u20ac")}));
}

// An editor's UTF-8 file without a byte-order mark keeps its accents; ANSI still reads as
// ANSI.
TEST_F(CsvTest, Utf8WithoutAMarkKeepsItsAccents)
{
    for (const QByteArray& file : {QByteArray("Z\xC3\xBCrich;Stra\xC3\x9F"
                                              "e\r\n"),
                                   QByteArray("Z\xFCrich;Stra\xDF"
                                              "e\r\n")}) {
        put(file);
        PlainGrid g;
        g.g.LoadFromCSV(path());
        EXPECT_EQ(g.row(0), (QStringList{QString::fromUtf8("Z\u00fcrich"), QString::fromUtf8("Stra\u00dfe")}));
    }
}

TEST_F(CsvTest, AnExplicitDelimiterAndHiddenColumns)
{
    PlainGrid g(3, 1);
    g.setRow(0, {QStringLiteral("a"), QStringLiteral("b;c"), QStringLiteral("d")});
    g.g.HideColumn(1);
    g.g.Delimiter = QLatin1Char(';');
    g.g.SaveToCSV(path());
    EXPECT_EQ(bytes(), QByteArray("a;d\r\n"));
    g.g.SaveHiddenCells = true;
    g.g.SaveToCSV(path());
    EXPECT_EQ(bytes(), QByteArray("a;\"b;c\";d\r\n"));
}

TEST_F(CsvTest, AppendAddsAfterTheLinesAndNeedsTheFile)
{
    PlainGrid g(2, 1);
    g.setRow(0, {QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_NE(errorOf([&] { g.g.AppendToCSV(path("missing.csv")); }), QStringLiteral("no error"));
    EXPECT_FALSE(QFile::exists(path("missing.csv")));
    put("first,line");
    g.g.AppendToCSV(path());
    EXPECT_EQ(bytes(), QByteArray("first,line\r\nx,y\r\n"));
}

TEST_F(CsvTest, AFailedSaveKeepsTheOldFile)
{
    put("old");
    PlainGrid g(1, 1);
    g.setRow(0, {QStringLiteral("new")});
    const QString blocked = path("nofolder/grid.csv");
    EXPECT_NE(errorOf([&] { g.g.SaveToCSV(blocked); }), QStringLiteral("no error"));
    EXPECT_EQ(bytes(), QByteArray("old"));
}

// ---- reading --------------------------------------------------------------------------------------

struct DetectCase {
    const char* what;
    QByteArray file;
    QList<QStringList> rows;
};

class CsvDetectTest : public CsvTest, public ::testing::WithParamInterface<DetectCase> {};

TEST_P(CsvDetectTest, ReadsWithTheDelimiterTheFirstLinesSuggest)
{
    put(GetParam().file);
    PlainGrid g;
    g.g.LoadFromCSV(path());
    EXPECT_TRUE(g.g.Delimiter.isNull()) << "the detected delimiter is for one read only";
    ASSERT_EQ(g.g.RowCount(), GetParam().rows.size());
    for (int r = 0; r < g.g.RowCount(); ++r)
        EXPECT_EQ(g.row(r), GetParam().rows[r]) << GetParam().what << " row " << r;
}

INSTANTIATE_TEST_SUITE_P(Files, CsvDetectTest,
                         ::testing::Values(DetectCase{"two lines, two ; and one , each",
                                                      "a;b,c;d\r\ne;f,g;h\r\n",
                                                      {{"a", "b,c", "d"}, {"e", "f,g", "h"}}},
                                           DetectCase{"one line with two ;", "a;b;c", {{"a", "b", "c"}}},
                                           DetectCase{"no candidate: one column", "abc\r\ndef\r\n", {{"abc"}, {"def"}}},
                                           DetectCase{"tab", "a\tb\nc\td\n", {{"a", "b"}, {"c", "d"}}}));

TEST_F(CsvTest, ASetDelimiterIsUsedAsItIs)
{
    put("a;b,c\r\n");
    PlainGrid g;
    g.g.Delimiter = QLatin1Char(',');
    g.g.LoadFromCSV(path());
    EXPECT_EQ(g.row(0), (QStringList{"a;b", "c"}));
}

struct MaxRowsCase {
    bool loadFirstRow;
    QStringList expected;
};

class CsvMaxRowsTest : public CsvTest, public ::testing::WithParamInterface<MaxRowsCase> {};

TEST_P(CsvMaxRowsTest, ReadsAtMostMaxRowsLines)
{
    put("l1\r\nl2\r\nl3\r\nl4\r\nl5\r\n");
    PlainGrid g;
    g.g.LoadFirstRow = GetParam().loadFirstRow;
    g.g.LoadFromCSV(path(), 2);
    ASSERT_EQ(g.g.RowCount(), 2);
    EXPECT_EQ((QStringList{g.g.Cells(0, 0), g.g.Cells(0, 1)}), GetParam().expected);
    EXPECT_EQ(g.g.MaxRowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(FirstRow, CsvMaxRowsTest,
                         ::testing::Values(MaxRowsCase{true, {"l1", "l2"}}, MaxRowsCase{false, {"l2", "l3"}}));

TEST_F(CsvTest, EmptyInputs)
{
    PlainGrid g(2, 2);
    g.setRow(0, {"keep", "me"});
    put("");
    g.g.LoadFromCSV(path());
    EXPECT_EQ(g.row(0), (QStringList{"keep", "me"})) << "a file of zero bytes changes nothing";
    put("\xEF\xBB\xBF");
    EXPECT_EQ(errorOf([&] { g.g.LoadFromCSV(path()); }), QStringLiteral("File is empty"));
    QBuffer empty;
    empty.open(QIODevice::ReadOnly);
    EXPECT_EQ(errorOf([&] { g.g.LoadFromCSVStream(empty); }), QStringLiteral("File is empty"));
    EXPECT_NE(errorOf([&] { g.g.LoadFromCSV(path("missing.csv")); }), QStringLiteral("no error"));
}

TEST_F(CsvTest, TheReaderKeepsCellsALineDoesNotReach)
{
    PlainGrid g(3, 1);
    g.setRow(0, {"old0", "old1", "old2"});
    put("new0,new1,\r\n");
    g.g.LoadFromCSV(path());
    EXPECT_EQ(g.row(0), (QStringList{"new0", "new1", "old2"}));
}

TEST_F(CsvTest, QuotesThatNeverCloseKeepTheRestOfTheText)
{
    put("a,\"open, and\r\nmore\r\n");
    PlainGrid g;
    g.g.LoadFromCSV(path());
    EXPECT_EQ(g.g.RowCount(), 1);
    EXPECT_EQ(g.row(0), (QStringList{"a", "open, and\r\nmore\r\n"}));
}

TEST_F(CsvTest, LeadingBlanksGoAndTextAfterAClosingQuoteIsDropped)
{
    put("  a,  \"b\"x,c\r\n");
    PlainGrid g;
    g.g.LoadFromCSV(path());
    EXPECT_EQ(g.row(0), (QStringList{"a", "b", "c"}));
}

TEST_F(CsvTest, OemConvertWritesAndReadsTheOemCodePage)
{
    PlainGrid g(1, 1);
    g.setRow(0, {QStringLiteral("\u00e9")});
    g.g.OemConvert = true;
    g.g.SaveToCSV(path());
    EXPECT_EQ(bytes(), QByteArray("\x82\r\n")) << "e acute is 0x82 in code page 437";
    PlainGrid back;
    back.g.OemConvert = true;
    back.g.LoadFromCSV(path());
    EXPECT_EQ(back.g.Cells(0, 0), QStringLiteral("\u00e9"));
}

TEST_F(CsvTest, InsertAddsRowsAboveAVisibleFloatingFooter)
{
    PlainGrid g(2, 3);
    g.setRow(0, {"r0", "x"});
    g.setRow(1, {"r1", "y"});
    g.setRow(2, {"sum", "z"});
    g.g.FloatingFooter.SetVisible(true);
    put("n1,a\r\nn2,b\r\n");
    g.g.InsertFromCSV(path());
    ASSERT_EQ(g.g.RowCount(), 5);
    EXPECT_EQ(g.row(0), (QStringList{"r0", "x"}));
    EXPECT_EQ(g.row(1), (QStringList{"r1", "y"}));
    EXPECT_EQ(g.row(2), (QStringList{"n1", "a"}));
    EXPECT_EQ(g.row(3), (QStringList{"n2", "b"}));
    EXPECT_EQ(g.row(4), (QStringList{"sum", "z"}));
}

TEST_F(CsvTest, ProgressEndsAtOneHundred)
{
    put("a\r\nb\r\nc\r\nd\r\n");
    PlainGrid g;
    QList<short> seen;
    g.g.OnFileProgress = [&](TQvStringGrid*, short p) { seen << p; };
    g.g.LoadFromCSV(path());
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.back(), 100);
    EXPECT_EQ(g.g.RowCount(), 4);
}

// ---- files of other programs ----------------------------------------------------------------------

TEST_F(CsvTest, SpreadsheetFilesLoadCellForCell)
{
    struct Case {
        const char* fixture;
        QList<QStringList> rows;
    } cases[] = {
        {"spreadsheet_comma.csv",
         {{"Name", "Note", "Qty"},
          {"Bolt", "says \"hi\"", "3"},
          {"Nut, hex", "two\r\nlines", ""},
          {"Washer", "a\r\nb", "12"}}},
        {"spreadsheet_semicolon_utf8.csv",
         {{"Item", "Price", "Text"},
          {QStringLiteral("Caf\u00e9"), "1,50", "semi;colon"},
          {"quoted \"word\"", "2", "plain"}}},
    };
    for (const Case& c : cases) {
        PlainGrid g;
        g.g.LoadFromCSV(testsupport::fixturePath(QStringLiteral("grid/csv/") + QLatin1String(c.fixture)));
        ASSERT_EQ(g.g.RowCount(), c.rows.size()) << c.fixture;
        for (int r = 0; r < c.rows.size(); ++r)
            EXPECT_EQ(g.row(r), c.rows[r]) << c.fixture << " row " << r;
    }
}

TEST_F(CsvTest, TheEdeFilesLoadWithSemicolons)
{
    QV_REQUIRE_REFDATA(ref);
    const QDir ede(ref + QStringLiteral("/ede"));
    const QStringList files = ede.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 4);
    for (const QString& name : files) {
        const QByteArray bytes = testsupport::readFile(ede.filePath(name));
        // Rows: the lines; columns: the most fields a line stores (an empty last field is not).
        const QList<QByteArray> lines = bytes.split('\n');
        int rows = 0, cols = 0;
        for (QByteArray line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.isEmpty())
                continue; // after the last line end
            ++rows;
            cols = std::max<int>(cols, int(line.count(';')) + (line.endsWith(';') ? 0 : 1));
        }
        PlainGrid g;
        g.g.LoadFromCSV(ede.filePath(name));
        EXPECT_EQ(g.g.RowCount(), rows) << name.toStdString();
        EXPECT_EQ(g.g.ColCount(), cols) << name.toStdString();
        EXPECT_TRUE(g.g.Cells(0, 0).startsWith(QLatin1Char('#'))) << name.toStdString();
        EXPECT_FALSE(g.g.Cells(0, 1).contains(QLatin1Char(';'))) << name.toStdString();
    }
}

// A seeded table of awkward texts: quotes, both delimiters, line breaks, non-ASCII, empty
// cells; no text starts with a blank (the reader drops leading blanks).
QList<QStringList> awkwardTable(int rows, int cols)
{
    std::mt19937 rng(46);
    const QStringList parts{QStringLiteral("\""),     QStringLiteral(","),      QStringLiteral(";"),
                            QStringLiteral("\r\n"),   QStringLiteral("\u00e9"), QStringLiteral("\u20ac"),
                            QStringLiteral("\u4e2d"), QStringLiteral("abc"),    QStringLiteral(" "),
                            QStringLiteral("x"),      QStringLiteral("42")};
    QList<QStringList> table;
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        for (int c = 0; c < cols; ++c) {
            QString t;
            const int n = int(rng() % 6);
            for (int i = 0; i < n; ++i)
                t += parts[int(rng() % parts.size())];
            while (t.startsWith(QLatin1Char(' ')))
                t.remove(0, 1);
            row << t;
        }
        // A line always ends with a text, so its last field is read.
        row.last() += QStringLiteral("end");
        table << row;
    }
    return table;
}

QString python()
{
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

QByteArray runPython(const QString& script, const QStringList& args, QByteArray input = {})
{
    QProcess p;
    p.start(python(), QStringList{QStringLiteral("-c"), script} + args);
    EXPECT_TRUE(p.waitForStarted());
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

TEST_F(CsvTest, PythonsCsvModuleAndOursReadEachOther)
{
    if (python().isEmpty())
        GTEST_SKIP() << "python3 not installed";
    const QList<QStringList> table = awkwardTable(200, 8);
    QStringList flat;
    for (const QStringList& row : table)
        flat << row.join(QChar(0x1F));

    // Python writes (dialect excel, UTF-8 with a mark); we read.
    const QString write = QStringLiteral("import csv,sys\n"
                                         "rows=[l.split('\\x1f') for l in sys.stdin.read().split('\\x1e')]\n"
                                         "with open(sys.argv[1],'w',encoding='utf-8-sig',newline='') as f:\n"
                                         "    csv.writer(f,dialect='excel').writerows(rows)\n");
    runPython(write, {path("python.csv")}, flat.join(QChar(0x1E)).toUtf8());
    PlainGrid g;
    g.g.LoadFromCSV(path("python.csv"));
    ASSERT_EQ(g.g.RowCount(), 200);
    ASSERT_EQ(g.g.ColCount(), 8);
    for (int r = 0; r < 200; ++r)
        ASSERT_EQ(g.row(r), table[r]) << "row " << r;

    // We write; Python reads (line breaks come as character 11, as we code them).
    g.g.SaveToCSV(path("ours.csv"), true);
    const QString read = QStringLiteral(
        "import csv,sys\n"
        "with open(sys.argv[1],encoding='utf-8-sig',newline='') as f: rows=list(csv.reader(f,dialect='excel'))\n"
        "sys.stdout.buffer.write('\\x1e'.join('\\x1f'.join(r) for r in rows).encode('utf-8'))\n");
    const QStringList back = QString::fromUtf8(runPython(read, {path("ours.csv")})).split(QChar(0x1E));
    ASSERT_EQ(back.size(), 200);
    // A field quoted for its quote alone keeps its line breaks as LF, any other becomes
    // character 11.
    for (int r = 0; r < 200; ++r) {
        const QStringList fields = back[r].split(QChar(0x1F));
        ASSERT_EQ(fields.size(), 8);
        for (int c = 0; c < 8; ++c) {
            QString t = table[r][c];
            const bool quotedAlone = t.contains(QLatin1Char('"')) && !t.contains(QLatin1Char(','));
            const QString lineBreak = quotedAlone ? QStringLiteral("\n") : QStringLiteral("\x0b");
            t.replace(QStringLiteral("\r\n"), lineBreak);
            ASSERT_EQ(fields[c], t) << "row " << r << " column " << c;
        }
    }
}

// ---- bad files ------------------------------------------------------------------------------------

struct BadCsvCase {
    const char* what;
    QByteArray file;
    QList<QStringList> rows; // the grid after the read (one column unless a row says more)
};

QString withNul(const char* a, const char* b)
{
    return QString::fromLatin1(a) + QChar(0) + QString::fromLatin1(b);
}

class CsvBadFileTest : public CsvTest, public ::testing::WithParamInterface<BadCsvCase> {};

// Files that once made the reader loop for ever: each loads to a defined result. A NUL is
// text; without a delimiter every line is one field.
TEST_P(CsvBadFileTest, LoadsToADefinedResult)
{
    put(GetParam().file);
    PlainGrid g;
    g.g.LoadFromCSV(path());
    ASSERT_EQ(g.g.RowCount(), GetParam().rows.size()) << GetParam().what;
    for (int r = 0; r < g.g.RowCount(); ++r)
        EXPECT_EQ(g.row(r), GetParam().rows[r]) << GetParam().what << " row " << r;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvBadFileTest,
    ::testing::Values(BadCsvCase{"a NUL b", QByteArray("a\0b", 3), {{withNul("a", "b")}}},
                      // UTF-16 LE without a mark reads as one-byte text with a NUL after each letter: the
                      // CR of a line and the LF after its NUL end two records, and the last NUL is one more.
                      BadCsvCase{"one column in UTF-16 LE without a mark",
                                 QByteArray("a\0\r\0\n\0b\0\r\0\n\0", 12),
                                 {{withNul("a", "")},
                                  {withNul("", "")},
                                  {withNul("", "b") + QChar(0)},
                                  {withNul("", "")},
                                  {withNul("", "")}}},
                      BadCsvCase{"a NUL after a quoted field", QByteArray("\"a\"\0\0b", 6), {{"a"}}},
                      BadCsvCase{"only NULs", QByteArray("\0\0\0", 3), {{withNul("", "") + QChar(0) + QChar(0)}}},
                      BadCsvCase{"a NUL with a delimiter", QByteArray("a;\0;b", 5), {{"a", withNul("", ""), "b"}}}));

} // namespace
