// The text grid file in its file form (grid indexes, ANSI or UTF-16 with a mark, lenient) and
// its stream form (relative indexes, 16-bit characters, strict, stopping at foreign lines).

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <random>

using namespace grid;
using grid::test::errorOf;
using grid::test::ShownGrid;

namespace {

QByteArray utf16(const QString& s)
{
    QByteArray b(s.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(s.utf16(), s.size(), b.data());
    return b;
}

QString fromUtf16(const QByteArray& b)
{
    QString s(b.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<quint16>(b.constData(), s.size(), s.data());
    return s;
}

struct TextFileTest : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name = "grid.txt") const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray bytes(const char* name = "grid.txt") const { return testsupport::readFile(path(name)); }
    void put(const QByteArray& data, const char* name = "grid.txt") const
    {
        ASSERT_TRUE(testsupport::writeFile(path(name), data));
    }
};

TEST_F(TextFileTest, ThreeByTwoGridWithOneTextIsFiveLines)
{
    ShownGrid<TQvStringGrid> s(3, 2);
    for (int c = 0; c < 3; ++c)
        s.g.SetColWidths(c, 64);
    s.g.SetCells(1, 1, QStringLiteral("a"));
    s.g.SaveToFile(path());
    EXPECT_EQ(bytes(), testsupport::readFile(testsupport::fixturePath("grid/text_grid_five_lines.txt")));
}

TEST_F(TextFileTest, ACommaInsideATextStaysInTheText)
{
    ShownGrid<TQvStringGrid> src(3, 3), dst(3, 3);
    src.g.SetCells(2, 1, QStringLiteral("a,b,,c"));
    src.g.SaveToFile(path());
    EXPECT_TRUE(bytes().contains("\r\n2,1,a,b,,c\r\n"));
    dst.g.LoadFromFile(path());
    EXPECT_EQ(dst.g.Cells(2, 1), QStringLiteral("a,b,,c"));
}

TEST_F(TextFileTest, ATwoLineCellIsOneLineAndKeepsOnlyItsFirstWithoutMultilineCells)
{
    ShownGrid<TQvStringGrid> src(3, 3), single(3, 3), multi(3, 3);
    src.g.SetCells(1, 2, QStringLiteral("one\r\ntwo"));
    src.g.SaveToFile(path());
    EXPECT_TRUE(bytes().endsWith("1,2,one\x09\x08two\r\n"));
    single.g.LoadFromFile(path());
    EXPECT_EQ(single.g.Cells(1, 2), QStringLiteral("one"));
    multi.g.PaintSettings().Multilinecells = true;
    multi.g.LoadFromFile(path());
    EXPECT_EQ(multi.g.Cells(1, 2), QStringLiteral("one\r\ntwo"));
}

TEST_F(TextFileTest, ALoneLineFeedInACellNeitherSplitsItNorPlacesItsRestElsewhere)
{
    // The rest after the LF looks like a cell line of its own: read raw, it would land in (0, 0).
    ShownGrid<TQvStringGrid> src(3, 3), dst(3, 3);
    src.g.SetCells(1, 2, QStringLiteral("one\n0,0,two"));
    src.g.SaveToFile(path());
    EXPECT_TRUE(bytes().endsWith("1,2,one\x08"
                                 "0,0,two\r\n"));
    dst.g.PaintSettings().Multilinecells = true;
    dst.g.LoadFromFile(path());
    EXPECT_EQ(dst.g.Cells(1, 2), QStringLiteral("one\n0,0,two"));
    EXPECT_EQ(dst.g.Cells(0, 0), QString());
}

TEST_F(TextFileTest, ReadingIsLenientAndIgnoresCellsOutsideTheGrid)
{
    // A run of thirty digits is a number far outside the grid, read without overflowing.
    put("2,2\r\ncw 0,30\r\ncw 7,99\r\n5,1,beyond\r\n1,1,in\r\n1x,0,lenient\r\n\r\nno comma\n"
        "999999999999999999999999999999,0,huge\r\n0,999999999999999999999999999999,huge\r\n");
    ShownGrid<TQvStringGrid> g(6, 6);
    g.g.LoadFromFile(path());
    EXPECT_EQ(g.g.ColCount(), 2);
    EXPECT_EQ(g.g.RowCount(), 2);
    EXPECT_EQ(g.g.ColWidths(0), 30);
    EXPECT_EQ(g.g.Cells(1, 1), QStringLiteral("in"));
    EXPECT_EQ(g.g.Cells(1, 0), QStringLiteral("lenient"));
    EXPECT_EQ(g.g.Cells(0, 0), QString());
    EXPECT_EQ(g.g.Cells(0, 1), QString());
}

// Files are read and written in blocks of a million characters: lines that cross a block's
// end, one longer than a block and characters the code page maps apart from Latin-1 come back
// whole in both encodings.
TEST_F(TextFileTest, LinesAcrossAndBeyondAReadBlockComeBackWhole)
{
    // Grids kept off screen: painting a cell of a million characters is not what is tested.
    TQvStringGrid src;
    src.SetColCount(2);
    src.SetRowCount(40);
    const QString longText = QString(1500000, QLatin1Char('x')) + QStringLiteral("\u20AC end");
    src.SetCells(1, 0, longText);
    for (int r = 1; r < 40; ++r)
        src.SetCells(0, r, QString(70000 + r, QChar(0xE9)) + QStringLiteral("\u20AC"));
    for (const bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "UTF-16" : "ANSI");
        src.SaveToFile(path(), unicode);
        TQvStringGrid dst;
        dst.LoadFromFile(path());
        ASSERT_EQ(dst.RowCount(), 40);
        EXPECT_TRUE(dst.Cells(1, 0) == longText);
        for (int r = 1; r < 40; ++r)
            ASSERT_TRUE(dst.Cells(0, r) == src.Cells(0, r)) << "row " << r;
    }
}

TEST_F(TextFileTest, AUnicodeFileIsUtf16WithAMarkAndReadsBack)
{
    ShownGrid<TQvStringGrid> src(2, 2), dst(2, 2);
    src.g.SetCells(1, 1, QStringLiteral("温度 Grüße"));
    src.g.SaveToFile(path(), true);
    const QByteArray b = bytes();
    ASSERT_TRUE(b.startsWith("\xFF\xFE"));
    EXPECT_EQ(fromUtf16(b.mid(2)), QStringLiteral("2,2\r\ncw 0,%1\r\ncw 1,%2\r\n1,1,温度 Grüße\r\n")
                                       .arg(src.g.ColWidths(0))
                                       .arg(src.g.ColWidths(1)));
    dst.g.LoadFromFile(path());
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("温度 Grüße"));
}

TEST_F(TextFileTest, AnAnsiFileKeepsWhatTheCodePageHolds)
{
    ShownGrid<TQvStringGrid> src(2, 2), dst(2, 2);
    src.g.SetCells(1, 1, QStringLiteral("Grüße €"));
    src.g.SaveToFile(path());
    EXPECT_TRUE(bytes().endsWith("1,1,Gr\xFC\xDF\x65 \x80\r\n"));
    dst.g.LoadFromFile(path());
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("Grüße €"));
}

// A file without a mark is UTF-8 when all of it is valid UTF-8, else ANSI; the reader looks
// past its first block to tell, and a sequence cut by the block end still reads whole.
TEST_F(TextFileTest, AFileWithoutAMarkIsUtf8WhenAllOfItIsValidUtf8)
{
    const QByteArray head = "2,2\r\n1,0,Z\xC3\xBCrich\r\n1,1,";
    // The two bytes of the last "\u00fc" straddle the end of the first 1 MB block.
    const QByteArray filler((1 << 20) - head.size() - 1, 'x');
    const QByteArray utf8 = head + filler + "\xC3\xBC\r\n";
    struct Case {
        const char* what;
        QByteArray file;
        QString cell10;
        QString cell11End;
    } cases[] = {
        {"valid UTF-8 throughout", utf8, QString::fromUtf8("Z\u00fcrich"), QString::fromUtf8("x\u00fc")},
        {"one ANSI byte after the first block", utf8 + "0,1,\xFC\r\n", QString::fromUtf8("Z\u00c3\u00bcrich"),
         QString::fromUtf8("x\u00c3\u00bc")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put(c.file);
        TQvStringGrid dst;
        dst.LoadFromFile(path());
        EXPECT_EQ(dst.Cells(1, 0), c.cell10);
        EXPECT_TRUE(dst.Cells(1, 1).endsWith(c.cell11End));
        EXPECT_EQ(dst.Cells(1, 1).size(), filler.size() + c.cell11End.size() - 1);
    }
}

TEST_F(TextFileTest, HiddenColumnsAreSavedWhenAsked)
{
    ShownGrid<TQvStringGrid> src(4, 2), dst(1, 1);
    for (int c = 0; c < 4; ++c)
        src.g.SetCells(c, 1, QStringLiteral("c%1").arg(c));
    src.g.HideColumn(1);
    src.g.SaveHiddenCells = true;
    src.g.SaveToFile(path());
    dst.g.LoadFromFile(path());
    ASSERT_EQ(dst.g.ColCount(), 4);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(dst.g.Cells(c, 1), QStringLiteral("c%1").arg(c));
}

TEST_F(TextFileTest, AHeaderWithoutAGridIsTheCorruptFileError)
{
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"no columns", "0,3\r\n1,1,x\r\n"},
        {"no rows", "3,0\r\n"},
        {"negative", "-5,2\r\n"},
        {"too many rows", "3,16777217\r\n"},
        {"too many columns", "1048577,2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        put(c.content);
        ShownGrid<TQvStringGrid> g(3, 3);
        g.g.SetCells(1, 1, QStringLiteral("kept"));
        EXPECT_EQ(errorOf([&] { g.g.LoadFromFile(path()); }),
                  QStringLiteral("File contains no data or corrupt file ") + path());
        EXPECT_EQ(g.g.ColCount(), 3);
        EXPECT_EQ(g.g.RowCount(), 3);
        EXPECT_EQ(g.g.Cells(1, 1), QStringLiteral("kept"));
    }
}

TEST_F(TextFileTest, AnEmptyFirstLineKeepsTheGridsSize)
{
    put("\r\n1,1,x\r\n");
    ShownGrid<TQvStringGrid> g(3, 3);
    g.g.LoadFromFile(path());
    EXPECT_EQ(g.g.ColCount(), 3);
    EXPECT_EQ(g.g.Cells(1, 1), QStringLiteral("x"));
}

TEST_F(TextFileTest, AMissingFileIsAFileError)
{
    ShownGrid<TQvStringGrid> g(3, 3);
    EXPECT_TRUE(errorOf([&] { g.g.LoadFromFile(path("missing.txt")); }).startsWith(QStringLiteral("Cannot open file")));
    EXPECT_TRUE(errorOf([&] {
                    g.g.SaveToFile(QStringLiteral("/nonexistent/dir/grid.txt"));
                }).startsWith(QStringLiteral("Cannot create file")));
}

TEST_F(TextFileTest, ProgressEndsAtOneHundredAlsoWithoutTheFixedRows)
{
    ShownGrid<TQvStringGrid> src(2, 5);
    src.g.SaveFixedCells = false;
    src.g.SetCells(1, 4, QStringLiteral("last"));
    std::vector<short> fired;
    src.g.OnFileProgress = [&](TQvStringGrid*, short p) { fired.push_back(p); };
    src.g.SaveToFile(path());
    EXPECT_EQ(fired, (std::vector<short>{0, 33, 67, 100}));
}

// ---- stream form ----------------------------------------------------------------------------------

TEST(TextStream, RelativeIndexesAndAForeignLineLeftForTheCaller)
{
    ShownGrid<TQvStringGrid> src(4, 4), dst(4, 4);
    src.g.SaveFixedCells = false;
    src.g.SetCells(1, 1, QStringLiteral("first"));
    src.g.SetCells(3, 2, QStringLiteral("x,y"));
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    src.g.SaveToStream(buf);
    const QByteArray gridPart = buf.data();
    QString expected = QStringLiteral("3,3\r\n");
    for (int c = 0; c < 4; ++c)
        expected += QStringLiteral("cw %1,%2\r\n").arg(c).arg(src.g.ColWidths(c));
    expected += QStringLiteral("0,0,first\r\n2,1,x,y\r\n");
    EXPECT_EQ(fromUtf16(gridPart), expected);
    buf.write(utf16(QStringLiteral("other data\r\nmore, data\r\n")));

    dst.g.SaveFixedCells = false;
    buf.seek(0);
    dst.g.LoadFromStream(buf);
    EXPECT_EQ(dst.g.Cells(1, 1), QStringLiteral("first"));
    EXPECT_EQ(dst.g.Cells(3, 2), QStringLiteral("x,y"));
    EXPECT_EQ(buf.pos(), gridPart.size());
}

TEST(TextStream, WrittenWithRightFixedColumnsAndWithoutFixedCellsItReadsBack)
{
    ShownGrid<TQvStringGrid> src(5, 3), dst(5, 3);
    for (auto* g : {&src.g, &dst.g}) {
        g->SetFixedRightCols(1);
        g->SaveFixedCells = false;
    }
    src.g.SetCells(3, 2, QStringLiteral("inner"));
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    src.g.SaveToStream(buf);
    buf.seek(0);
    dst.g.LoadFromStream(buf);
    EXPECT_EQ(dst.g.Cells(3, 2), QStringLiteral("inner"));
    EXPECT_TRUE(buf.atEnd());
}

TEST(TextStream, NumbersAreStrict)
{
    const struct {
        const char* name;
        QString content;
        const char* error;
    } cases[] = {
        {"header", QStringLiteral("3,x\r\n"), "'x' is not a valid integer value"},
        {"cell row", QStringLiteral("3,3\r\n1,1a,t\r\n"), "'1a' is not a valid integer value"},
        {"width", QStringLiteral("3,3\r\ncw 1,wide\r\n"), "'wide' is not a valid integer value"},
        {"too many rows", QStringLiteral("3,16777217\r\n"), "'16777217' is not a valid integer value"},
        {"negative columns", QStringLiteral("-1,2\r\n"), "'-1' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShownGrid<TQvStringGrid> g(3, 3);
        QByteArray data = utf16(c.content);
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        EXPECT_EQ(errorOf([&] { g.g.LoadFromStream(buf); }), QString::fromLatin1(c.error));
    }
}

// Damaged copies of both forms: the file form ends in its corrupt-file error or reads, the
// stream form in the conversion error or reads; nothing else, and no grid beyond the bounds.
TEST_F(TextFileTest, MutatedFilesAndStreamsEndInTheirFormsOwnErrors)
{
    ShownGrid<TQvStringGrid> src(5, 6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            src.g.SetCells(c, r, r % 2 ? QStringLiteral("v%1,%2").arg(c).arg(r) : QStringLiteral("a\r\nb"));
    src.g.SaveToFile(path("ansi.txt"));
    src.g.SaveToFile(path("wide.txt"), true);
    QBuffer sbuf;
    sbuf.open(QIODevice::WriteOnly);
    src.g.SaveToStream(sbuf);
    const QByteArray forms[] = {bytes("ansi.txt"), bytes("wide.txt"), sbuf.data()};

    std::mt19937 rng(4512);
    auto pick = [&](qsizetype n) { return qsizetype(std::uniform_int_distribution<qsizetype>(0, n - 1)(rng)); };
    ShownGrid<TQvStringGrid> dst(5, 6);
    for (int i = 0; i < 10000; ++i) {
        const int form = i % 3;
        QByteArray bad = forms[form];
        switch ((i / 3) % 3) {
        case 0:
            for (int k = 1 + int(pick(4)); k > 0; --k)
                bad[pick(bad.size())] ^= char(1 << pick(8));
            break;
        case 1:
            bad.truncate(pick(bad.size()));
            break;
        default: { // a huge number where a digit was
            const qsizetype at = pick(bad.size());
            const QString huge = i % 2 ? QStringLiteral("99999999999") : QStringLiteral("16777216");
            bad.insert(at, form == 0 ? huge.toLatin1() : utf16(huge));
            break;
        }
        }
        if (form < 2) {
            put(bad, "bad.txt");
            try {
                dst.g.LoadFromFile(path("bad.txt"));
            } catch (const EQvGridError&) {
            }
        } else {
            QBuffer buf(&bad);
            buf.open(QIODevice::ReadOnly);
            try {
                dst.g.LoadFromStream(buf);
            } catch (const EConvertError&) {
            }
        }
        ASSERT_LE(dst.g.RowCount(), (1 << 24) + 1) << "copy " << i;
        ASSERT_LE(dst.g.ColCount(), (1 << 20) + 1) << "copy " << i;
        // A copy that asked for a large grid would make every later one slow: start again small.
        if (qint64(dst.g.RowCount()) * dst.g.ColCount() > 10000) {
            dst.g.SetRowCount(6);
            dst.g.SetColCount(5);
        }
    }
}

} // namespace
