// Text codecs and string helpers, one table of cases per family.

#include "grid/look/ZirAzur.h"

#include "platform/TextCodec.h"

#include <functional>
#include <string_view>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;
using namespace std::literals;

namespace {

// Texts with embedded NULs need their length carried along.
QString S(std::u16string_view s)
{
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}

struct TextCase {
    const char* what;
    std::function<QString(const QString&)> fn;
    std::u16string_view in;
    std::u16string_view out;
};

void runCases(std::initializer_list<TextCase> cases)
{
    for (const TextCase& c : cases)
        EXPECT_EQ(c.fn(S(c.in)), S(c.out)) << c.what;
}

QString decodeMulti(const QString& t)
{
    return DecodeCellLineBreaks(t, true);
}
QString decodeSingle(const QString& t)
{
    return DecodeCellLineBreaks(t, false);
}

} // namespace

TEST(TextCodecs, LineBreakCodecs)
{
    runCases({
        {"encode CR LF and NUL", EncodeCellLineBreaks, u"a\r\nb\0c"sv,
         u"a\t\bb\x01"
         u"c"sv},
        {"encode LF without CR as 8", EncodeCellLineBreaks, u"a\nb"sv, u"a\bb"sv},
        {"encode NUL without CR as 1", EncodeCellLineBreaks, u"a\0b"sv,
         u"a\x01"
         u"b"sv},
        {"encode TAB without line break unchanged", EncodeCellLineBreaks, u"a\tb"sv, u"a\tb"sv},
        {"encode keeps a TAB beside a line break", EncodeCellLineBreaks, u"a\tb\r\nc"sv, u"a\x1btb\t\bc"sv},
        {"encode a CR without LF", EncodeCellLineBreaks, u"a\rb"sv, u"a\x1brb"sv},
        {"decode historical form", decodeMulti,
         u"a\t\bb\x01"
         u"c"sv,
         u"a\r\nb\0c"sv},
        {"decode lone 9 beside 8 as CR", decodeMulti, u"a\tb\bc"sv, u"a\rb\nc"sv},
        {"decode without 8 unchanged", decodeMulti, u"a\tb"sv, u"a\tb"sv},
        {"decode single line keeps the first line", decodeSingle, u"one\t\btwo"sv, u"one"sv},
        {"decode unknown escape kept", decodeMulti, u"a\x1bqb\b"sv, u"a\x1bqb\n"sv},
        {"quote multi-line field", QuoteMultilineField, u"l1\r\nl2"sv, u"\"l1\x0bl2\""sv},
        {"vertical tab to CR LF", VTabToLineBreaks, u"l1\x0bl2"sv, u"l1\r\nl2"sv},
        {"line breaks to tilde", LineBreaksToTilde, u"a\r\nb\rc"sv, u"a~b~c"sv},
        {"tilde to line breaks", TildeToLineBreaks, u"a~b"sv, u"a\r\nb"sv},
        {"lone caret is empty", TildeToLineBreaks, u"^"sv, u""sv},
        {"line breaks to escaped", LineBreaksToEscaped, u"a\r\nb"sv, u"a\\nb"sv},
        {"escaped to line breaks", EscapedToLineBreaks, u"a\\nb\\n"sv, u"a\rb\r"sv},
        {"escaped keeps other backslashes", EscapedToLineBreaks, u"c:\\x\\\\n"sv, u"c:\\x\\\r"sv},
        {"line breaks to html", LineBreaksToHtml, u"a\r\nb"sv, u"a<br>\nb"sv},
        {"html unchanged without CR", LineBreaksToHtml, u"a\nb"sv, u"a\nb"sv},
        {"CR LF to LF", CrLfToLf, u"a\r\nb\rc"sv, u"a\nb\rc"sv},
        {"strip CR", StripCR, u"a\r\nb\r"sv, u"a\nb"sv},
        {"CR to LF", CRToLF, u"a\r\nb"sv, u"a\n\nb"sv},
    });
}

TEST(TextCodecs, CellLineBreakCodecRoundTrips)
{
    const std::u16string_view texts[] = {
        u"plain"sv,          u"two\r\nlines"sv,      u"cr\ronly"sv,
        u"lf\nonly"sv,       u"tab\tand\r\nbreak"sv, u"nul\0in\r\n"sv,
        u"\x01\x08\x1b\r"sv, u"\r\n\r\n\t\t\r\r"sv,  u"trailing\r"sv,
        u"\x08 backspace"sv, u"esc \x1b r"sv,        u""sv,
    };
    for (auto t : texts) {
        const QString text = S(t);
        const QString encoded = EncodeCellLineBreaks(text);
        EXPECT_FALSE(encoded.contains(QChar(13))) << text.toStdString();
        EXPECT_EQ(DecodeCellLineBreaks(encoded, true), text) << text.toStdString();
    }
    // Without multi-line cells only the first line comes back, whatever ended it.
    EXPECT_EQ(DecodeCellLineBreaks(EncodeCellLineBreaks(S(u"first\rsecond"sv)), false), S(u"first"sv));
}

TEST(TextCodecs, QuoteHelpers)
{
    runCases({
        {"double quotes", DoubleQuoteChars, u"a\"b\"\""sv, u"a\"\"b\"\"\"\""sv},
        {"undouble four to two", [](const QString& t) { return UndoubleChar(QLatin1Char('"'), t); }, u"x\"\"\"\"y"sv,
         u"x\"\"y"sv},
        {"undouble without the character", [](const QString& t) { return UndoubleChar(QLatin1Char('\''), t); }, u"ab"sv,
         u"ab"sv},
    });
    struct Case {
        const char* text;
        int position;
        int count;
    } cases[] = {
        {"abc", 0, 0},     {"ab\"", 3, 1},    {"\"x\",y", 1, 2}, {"\"\"x", 0, 0},
        {"\"\"\"x", 3, 1}, {"a\"b\"c", 2, 2}, {"", 0, 0},        {"x\"\"", 3, 1},
    };
    for (const Case& c : cases) {
        int pos = -1;
        EXPECT_EQ(FindUnpairedQuote(QLatin1Char('"'), QString::fromLatin1(c.text), pos), c.position) << c.text;
        EXPECT_EQ(pos, c.position) << c.text;
        EXPECT_EQ(CountUnpairedQuotes(QLatin1Char('"'), QString::fromLatin1(c.text)), c.count) << c.text;
    }
    EXPECT_EQ(CountChar(QLatin1Char(';'), QStringLiteral("a;b;;c")), 3);
}

TEST(TextCodecs, OemCodePage)
{
    struct Case {
        std::u16string_view text;
        QByteArray oem;
    } cases[] = {
        {u"abc"sv, "abc"},
        {u"\u00C4\u00F6\u00FC\u00DF"sv, "\x8E\x94\x81\xE1"},
        {u"\u2500\u2502\u00B0"sv, "\xC4\xB3\xF8"},
        {u"\u20AC"sv, "?"}, // the euro sign has no OEM byte
    };
    for (const Case& c : cases) {
        const QString oem = TextToOem(S(c.text));
        EXPECT_EQ(platform::toAnsi(oem), c.oem) << QString(S(c.text)).toStdString();
        if (c.oem != "?") {
            EXPECT_EQ(OemToText(oem), S(c.text));
        }
    }
}

TEST(TextCodecs, SearchAndCutHelpers)
{
    int pos = 7;
    EXPECT_EQ(CharPos(QLatin1Char('b'), QStringLiteral("abcb")), 2);
    EXPECT_EQ(CharPos(QLatin1Char('z'), QStringLiteral("abc")), 0);
    EXPECT_EQ(CharPosVar(QLatin1Char('z'), QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, 7); // only written when found
    EXPECT_EQ(CharPosVar(QLatin1Char('c'), QStringLiteral("abc"), pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(VarPos(QStringLiteral("cd"), QStringLiteral("abcd"), pos), 3);
    EXPECT_EQ(VarPos(QStringLiteral("x"), QStringLiteral("abcd"), pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(UpperTextPos(QStringLiteral("<B>"), QStringLiteral("x<b>y")), 2);
    EXPECT_EQ(UpperTextPos(QStringLiteral("<I>"), QStringLiteral("x<b>y")), 0);

    struct FieldCase {
        const char* text;
        const char* field;
        const char* rest;
    } fields[] = {{"a;b;c", "a", "b;c"}, {"abc", "", "abc"}, {";x", "", "x"}, {"x;", "x", ""}};
    for (const FieldCase& c : fields) {
        QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(CutFirstField(text, QLatin1Char(';')), QString::fromLatin1(c.field)) << c.text;
        EXPECT_EQ(text, QString::fromLatin1(c.rest)) << c.text;
    }

    struct LineCase {
        std::u16string_view text;
        bool keepRest;
        std::u16string_view first;
        std::u16string_view rest;
    } lines[] = {
        {u"one\r\ntwo\r\nthree"sv, true, u"one"sv, u"two\r\nthree"sv},
        {u"one\r\ntwo"sv, false, u"one"sv, u""sv},
        {u"one\r\n\ntwo"sv, true, u"one"sv, u"\ntwo"sv},
        {u"one\rtwo"sv, true, u"one"sv, u"two"sv},
        {u"single"sv, true, u"single"sv, u""sv},
    };
    for (const LineCase& c : lines) {
        QString text = S(c.text), first;
        CutFirstLine(text, c.keepRest, first);
        EXPECT_EQ(first, S(c.first));
        EXPECT_EQ(text, S(c.rest));
    }

    EXPECT_EQ(CountTextLines(S(u"a\r\nb\r\nc"sv), true), 3);
    EXPECT_EQ(CountTextLines(S(u"a\r\nb\r\nc"sv), false), 1);
    EXPECT_EQ(JoinStrings({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}), QStringLiteral("abc"));
    QString secret = QStringLiteral("hunter2");
    FillChars(secret, QLatin1Char('*'));
    EXPECT_EQ(secret, QStringLiteral("*******"));
    EXPECT_EQ(ColorToHexRGB(0x00563412), QStringLiteral("123456"));
    EXPECT_EQ(ColorToHexRGB(platform::clHighlight), QStringLiteral("3399FF"));
}

TEST(TextCodecs, CellTextKinds)
{
    struct Case {
        std::u16string_view text;
        bool markup;
        int kind;
    } cases[] = {
        {u""sv, true, ctkPlain},        {u"=A1+1"sv, false, ctkFormula},    {u"|\\\0=\0x"sv, false, ctkFormula},
        {u"|\\\0A"sv, false, ctkWide},  {u"{\\rtf1}"sv, true, ctkRichText}, {u"a </b>"sv, true, ctkMarkup},
        {u"a </b>"sv, false, ctkPlain}, {u"<B>bold"sv, true, ctkMarkup},    {u"<b>bold"sv, true, ctkPlain},
        {u"x"sv, true, ctkPlain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCellTextKind(S(c.text), c.markup), c.kind) << S(c.text).toStdString();
}

TEST(TextCodecs, UrlsAnchorsAndMixedCase)
{
    EXPECT_TRUE(TextIsUrl(QStringLiteral("see http://x.org")));
    EXPECT_TRUE(TextIsUrl(QStringLiteral("mailto:a@b")));
    EXPECT_FALSE(TextIsUrl(QStringLiteral("www.x.org")));
    struct StripCase {
        const char* in;
        const char* out;
    } strips[] = {{"http://x.org/a", "x.org/a"}, {"mailto:a@b", "a@b"}, {"plain", "plain"}, {"a mailto:b://c", "c"}};
    for (const StripCase& c : strips) {
        QString t = QString::fromLatin1(c.in);
        StripUrlScheme(t);
        EXPECT_EQ(t, QString::fromLatin1(c.out)) << c.in;
    }

    struct AnchorCase {
        const char* text;
        bool ok;
        int col, row;
    } anchors[] = {{"r12c3", true, 3, 12}, {"R1C20", true, 20, 1}, {"R12", false, 0, 0}, {"RxC3", false, 0, 0},
                   {"RC3", false, 0, 0},   {"X1C1", false, 0, 0},  {"R1C", false, 0, 0}};
    for (const AnchorCase& c : anchors) {
        TPoint cell{-1, -1};
        EXPECT_EQ(ParseCellAnchor(QString::fromLatin1(c.text), cell), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(cell.X, c.col) << c.text;
            EXPECT_EQ(cell.Y, c.row) << c.text;
        }
    }

    struct MixedCase {
        const char* in;
        const char* out;
    } mixed[] = {{"O'ABC", "O'Abc"},     {"AB-CD", "Ab-Cd"},
                 {"ab.cd", "Ab.Cd"},     {"mcxy", "McXy"},
                 {"ab mcxy", "Ab McXy"}, {"abc iii", "Abc III"},
                 {"abc ii", "Abc II"},   {"HELLO WORLD", "Hello World"},
                 {"a,b", "A,B"},         {"", ""}};
    for (const MixedCase& c : mixed)
        EXPECT_EQ(ToMixedCase(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
    for (char ch : std::string_view(" ,.-'"))
        EXPECT_TRUE(IsMixedCaseBreak(QLatin1Char(ch)));
    EXPECT_FALSE(IsMixedCaseBreak(QLatin1Char('_')));
}
