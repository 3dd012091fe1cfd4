#include "platform/TextCodec.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace platform;

TEST(TextCodecAnsi, HighControlRangeTable)
{
    // Bytes 0x80..0x9F of Windows-1252; the five undefined bytes keep their C1 value.
    const char16_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int b = 0x80; b <= 0x9F; ++b) {
        const QString s = fromAnsi(QByteArray(1, char(b)));
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].unicode(), expected[b - 0x80]) << std::hex << b;
    }
    EXPECT_EQ(fromAnsi("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(fromAnsi("\x9F"), QString(QChar(0x0178)));
}

TEST(TextCodecAnsi, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    // Outside 0x80..0x9F the code page is Latin-1.
    for (int b = 0; b < 256; ++b)
        if (b < 0x80 || b >= 0xA0) {
            EXPECT_EQ(text[b].unicode(), b);
        }
    EXPECT_TRUE(isAnsiRepresentable(text));
    EXPECT_EQ(toAnsi(text), all);
}

TEST(TextCodecAnsi, UnmappableCharactersBecomeQuestionMarks)
{
    struct Case {
        QString text;
        QByteArray ansi;
        bool representable;
    } cases[] = {
        {QString::fromUtf8("Caff\u00e8 \u20ac5"),
         "Caff\xE8 \x80"
         "5",
         true},
        {QString::fromUtf8("\u0100"), "?", false}, // Latin Extended-A, not in the page
        {QString::fromUtf8("a\u4e2db"), "a?b", false},
        {QString::fromUtf8("\u2013\u2014\u2122"), "\x96\x97\x99", true},
        {QString(QChar(0x0081)), "\x81", true},            // undefined byte round trip
        {QString::fromUtf8("x\U0001F600y"), "x?y", false}, // one character, one '?'
        {QString(), "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toAnsi(c.text), c.ansi) << c.text.toStdString();
        EXPECT_EQ(isAnsiRepresentable(c.text), c.representable) << c.text.toStdString();
    }
}

TEST(TextCodecDecode, ByteOrderMarks)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"UTF-8 mark",
         QByteArray("\xEF\xBB\xBF"
                    "Caf\xC3\xA9 \xE2\x82\xAC"),
         QString::fromUtf8("Caf\u00e9 \u20ac")},
        {"UTF-16 LE mark",
         QByteArray("\xFF\xFE"
                    "A\0\xAC\x20",
                    6),
         QString::fromUtf8("A\u20ac")},
        {"UTF-16 BE mark", QByteArray("\xFE\xFF\0A\x20\xAC", 6), QString::fromUtf8("A\u20ac")},
        {"UTF-16 LE surrogate pair", QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6), QString::fromUtf8("\U0001F600")},
        {"UTF-16 odd last byte dropped",
         QByteArray("\xFF\xFE"
                    "A\0B",
                    5),
         QString("A")},
        {"mark only", QByteArray("\xEF\xBB\xBF"), QString()},
        {"no mark: ANSI", QByteArray("Caf\xE9 \x80"), QString::fromUtf8("Caf\u00e9 \u20ac")},
        {"no mark: valid UTF-8 read as UTF-8", QByteArray("Z\xC3\xBCrich"), QString::fromUtf8("Z\u00fcrich")},
        {"no mark: four-byte UTF-8", QByteArray("\xF0\x9F\x98\x80"), QString::fromUtf8("\U0001F600")},
        {"no mark: one invalid byte makes it ANSI", QByteArray("Z\xC3\xBCrich \xFC"),
         QString::fromUtf8("Z\u00c3\u00bcrich \u00fc")},
        {"no mark: a cut sequence at the end makes it ANSI", QByteArray("Z\xC3\xBCrich\xC3"),
         QString::fromUtf8("Z\u00c3\u00bcrich\u00c3")},
        {"no mark: an overlong form is no UTF-8", QByteArray("\xC0\xAF"), QString::fromUtf8("\u00c0\u00af")},
        {"no mark: a surrogate is no UTF-8", QByteArray("\xED\xA0\x80"), QString::fromUtf8("\u00ed\u00a0\u20ac")},
        {"no mark: beyond U+10FFFF is no UTF-8", QByteArray("\xF4\x90\x80\x80"),
         QString::fromUtf8("\u00f4\u0090\u20ac\u20ac")},
        {"no mark: ASCII", QByteArray("plain\0text", 10), QString::fromLatin1("plain\0text", 10)},
        {"empty", QByteArray(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeText(c.bytes), c.text) << c.name;
}

TEST(TextCodecLines, LineEnds)
{
    struct Case {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}}, // a final line end adds no empty line
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {"a\n\rb", {"a", "", "b"}}, // LF then CR: two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"single", {"single"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(QString::fromLatin1(c.text)), c.lines) << QByteArray(c.text).toHex().constData();
}

TEST(TextCodecFiles, WriteAnsiAndReadLinesBack)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("English.lng");
    ASSERT_TRUE(testsupport::writeFile(path, QByteArray(100, 'x')));
    const QString text = QString::fromUtf8("STR1 =Caff\u00e8\r\nSTR2 =\u20ac \u4e2d\r\n");
    ASSERT_TRUE(writeAnsiFile(path, text));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("STR1 =Caff\xE8\r\nSTR2 =\x80 ?\r\n"));

    QStringList lines;
    ASSERT_TRUE(readTextLines(path, lines));
    EXPECT_EQ(lines, QStringList({QString::fromUtf8("STR1 =Caff\u00e8"), QString::fromUtf8("STR2 =\u20ac ?")}));

    lines = QStringList{"kept"};
    EXPECT_FALSE(readTextLines(tmp.filePath("absent.lng"), lines));
    EXPECT_FALSE(writeAnsiFile(tmp.filePath("no/dir/x.lng"), "x"));
}

TEST(TextCodecFiles, ReadsUtf16FileWithMark)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("u16.lng");
    ASSERT_TRUE(testsupport::writeFile(path, QByteArray("\xFF\xFE"
                                                        "a\0\r\0\n\0b\0",
                                                        10)));
    QStringList lines;
    ASSERT_TRUE(readTextLines(path, lines));
    EXPECT_EQ(lines, QStringList({"a", "b"}));
}

// UTF-8 handed over in blocks: a sequence may be cut anywhere between two blocks.
TEST(TextCodecDecode, Utf8CheckAcrossBlocks)
{
    const QByteArray text("a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80z");
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        Utf8Check check;
        check.add(QByteArrayView(text).first(cut));
        check.add(QByteArrayView(text).sliced(cut));
        EXPECT_TRUE(check.valid()) << cut;
        EXPECT_TRUE(check.nonAscii()) << cut;
    }
    Utf8Check cutOff;
    cutOff.add("ab\xE2\x82");
    EXPECT_FALSE(cutOff.valid());
    EXPECT_FALSE(cutOff.failed());
    cutOff.add("x");
    EXPECT_TRUE(cutOff.failed());
    Utf8Check ascii;
    ascii.add("only ASCII");
    EXPECT_TRUE(ascii.valid());
    EXPECT_FALSE(ascii.nonAscii());
}
