// The RTF reader: a rich-edit control's file read into text and formats, the escapes of the
// code page and of Unicode, and broken input that must end cleanly with what was read.

#include "platform/RichText.h"
#include "platform/TextCodec.h"

#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString fixture()
{
    return platform::decodeText(testsupport::readFile(testsupport::fixturePath("grid/rich_two_paragraphs.rtf")));
}

// The character format of the first character of `word` in the document.
QTextCharFormat formatOf(QTextDocument& doc, const QString& word)
{
    QTextCursor c = doc.find(word);
    EXPECT_FALSE(c.isNull()) << word.toStdString();
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

// RTF texts and the plain text each gives.
struct PlainCase {
    const char* rtf;
    const char* plain;
};
template <size_t N>
void expectPlain(const PlainCase (&cases)[N])
{
    for (const PlainCase& c : cases)
        EXPECT_EQ(platform::rtfToPlainText(QString::fromUtf8(c.rtf)), QString::fromUtf8(c.plain)) << c.rtf;
}

TEST(RichText, FixtureGivesTwoParagraphsOfPlainText)
{
    EXPECT_EQ(platform::rtfToPlainText(fixture()), QString::fromUtf8("Café bold red\r\nPrice €5"));
    QTextDocument doc;
    platform::loadRtf(doc, fixture());
    EXPECT_EQ(doc.blockCount(), 2);
}

TEST(RichText, FixtureFormatsFollowTheTables)
{
    QTextDocument doc;
    platform::loadRtf(doc, fixture());

    const QTextCharFormat cafe = formatOf(doc, QString::fromUtf8("Café"));
    EXPECT_EQ(cafe.fontFamilies().toStringList(), QStringList{QStringLiteral("Tahoma")});
    EXPECT_DOUBLE_EQ(cafe.fontPointSize(), 8.0);
    EXPECT_NE(cafe.fontWeight(), QFont::Bold);
    EXPECT_FALSE(cafe.hasProperty(QTextFormat::ForegroundBrush)); // colour entry 0: auto

    EXPECT_EQ(formatOf(doc, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    const QTextCharFormat red = formatOf(doc, QStringLiteral("red"));
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(red.fontWeight(), QFont::Bold);

    const QTextCharFormat price = formatOf(doc, QStringLiteral("Price"));
    EXPECT_EQ(price.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_DOUBLE_EQ(price.fontPointSize(), 12.0);
    EXPECT_EQ(price.foreground().color(), QColor(0, 0, 255));
}

TEST(RichText, ControlWordsAndEscapes)
{
    const PlainCase cases[] = {
        {R"({\rtf1 a\tab b\line c})", "a\tb\r\nc"},
        {R"({\rtf1 \{x\}\\})", "{x}\\"},
        // \uc2: two stand-in characters after the Unicode character.
        {R"({\rtf1\uc2 \u8364??x})", "\u20acx"},
        // A negative \u is the 16-bit value read as signed.
        {R"({\rtf1 \u-3913?})", "\uf0b7"},
        {R"({\rtf1 \'80\'e9})", "\u20ac\u00e9"},
        {R"({\rtf1 {\*\unknown skipped}kept \unknownword too})", "kept too"},
        {R"({\rtf1 {\info{\title T}}body})", "body"},
        {R"({\rtf1 a\par\par})", "a\r\n"},
    };
    expectPlain(cases);
}

TEST(RichText, BrokenInputEndsWithWhatWasRead)
{
    const PlainCase cases[] = {
        // An extra closing brace ends the text.
        {R"({\rtf1 one}} two})", "one"},
        {R"(}{\rtf1 never})", ""},
        // Cut off: inside a group, in a control word, in an escape, after a backslash.
        {R"({\rtf1 {\b cut)", "cut"},
        {R"({\rtf1 ab\pa)", "ab"},
        {R"({\rtf1 ab\'e)", "ab"},
        // A broken escape takes its hexadecimal digits and leaves the rest as text.
        {R"({\rtf1 a\'zzb})", "azzb"},
        {R"({\rtf1 a\'4} b)", "a"},
        {R"({\rtf1 ab\)", "ab"},
        {R"({\rtf1 ab\u83)", "abS"},
        {"", ""},
    };
    expectPlain(cases);
    // The fixture cut at every length reads without fault.
    const QString whole = fixture();
    for (qsizetype n = 0; n < whole.size(); ++n)
        platform::rtfToPlainText(whole.left(n));
}

TEST(RichText, SizeAndDrawing)
{
    QTextDocument doc;
    platform::loadRtf(doc, QStringLiteral("{\\rtf1 {\\colortbl ;\\red255\\green0\\blue0;}\\cf1 word word word word}"));
    const QSize line = platform::richTextSize(doc, 0);
    EXPECT_GT(line.width(), 0);
    const QSize wrapped = platform::richTextSize(doc, line.width() / 2);
    EXPECT_EQ(wrapped.width(), line.width() / 2);
    EXPECT_GT(wrapped.height(), line.height());

    QImage img(200, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.scale(2, 2); // the rectangle is in device pixels whatever the mapping
        platform::drawRichText(p, doc, QRect(0, 0, 100, 40));
    }
    int red = 0, beyond = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const bool reddish = c.red() > 200 && c.green() < 100 && c.blue() < 100;
            red += reddish;
            beyond += reddish && x >= 100;
        }
    EXPECT_GT(red, 0);
    EXPECT_EQ(beyond, 0); // clipped to the rectangle
}

} // namespace
