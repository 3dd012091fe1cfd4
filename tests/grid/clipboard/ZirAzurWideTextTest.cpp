// The clipboard's HTML wrapper against a hand-made fixture, the wide-text cell codec, the
// date-shape test, the link maker and the layered-window calls.

#include "grid/look/ZirAzur.h"

#include "platform/TextCodec.h"
#include "support/TestSupport.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;

namespace {

struct LocaleScope {
    explicit LocaleScope(QLocale::Language lang, QLocale::Territory t) : saved(QLocale())
    {
        QLocale::setDefault(QLocale(lang, t));
    }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

QByteArray wrapped(const QString& fragment)
{
    QString text = fragment;
    WrapClipboardHtml(text);
    return platform::toAnsi(text);
}

} // namespace

TEST(ZirAzurWideText, ClipboardHtmlOfAnEmptyFragmentMatchesTheFixture)
{
    const QByteArray expected = testsupport::readFile(testsupport::fixturePath("grid/clipboard_html_empty.txt"));
    ASSERT_EQ(expected.size(), 306);
    EXPECT_EQ(wrapped(QString()), expected);
}

TEST(ZirAzurWideText, ClipboardHtmlOffsetsCountAnsiBytes)
{
    struct Case {
        QString fragment;
        int endHtml, endFragment;
    };
    const Case cases[] = {
        {QStringLiteral("<b>x"), 310, 278},
        {QStringLiteral("abcde"), 311, 279},
        {QStringLiteral("caf\u00e9"), 310, 278}, // "é" is one byte in the ANSI code page
    };
    for (const Case& c : cases) {
        const QByteArray out = wrapped(c.fragment);
        SCOPED_TRACE(c.fragment.toStdString());
        EXPECT_EQ(out.size(), c.endHtml);
        EXPECT_TRUE(
            out.contains(QByteArray("EndHTML:") + QByteArray::number(c.endHtml).rightJustified(8, '0') + "\r\n"));
        EXPECT_TRUE(out.contains(QByteArray("EndFragment:") + QByteArray::number(c.endFragment).rightJustified(8, '0')
                                 + "\r\n"));
        EXPECT_TRUE(out.contains("StartHTML:00000097\r\nEndHTML:"));
        EXPECT_TRUE(out.contains("StartFragment:00000274\r\n"));
        // The offsets point where a reader of the clipboard looks.
        EXPECT_TRUE(out.mid(97).startsWith("<!DOCTYPE"));
        EXPECT_EQ(out.mid(274, c.endFragment - 274), platform::toAnsi(c.fragment));
        EXPECT_TRUE(out.mid(c.endFragment).startsWith("<!--EndFragment-->"));
    }
}

TEST(ZirAzurWideText, WideCellCodec)
{
    const QString smiley(QChar(0x263A));
    const QString encoded = EncodeWideCellText(smiley);
    EXPECT_EQ(encoded, QStringLiteral("|\\") + QChar(0x26) + QChar(0x3A));
    EXPECT_EQ(DecodeWideCellText(encoded), smiley);
    const QString mixed = QStringLiteral("A\u00e9\u263A") + QChar(0) + QChar(0xFFFF);
    EXPECT_EQ(DecodeWideCellText(EncodeWideCellText(mixed)), mixed);
    EXPECT_EQ(EncodeWideCellText(QString()), QStringLiteral("|\\"));
    EXPECT_EQ(DecodeWideCellText(QStringLiteral("|\\")), QString());
    // A trailing odd character is ignored; without the prefix at the start nothing changes.
    EXPECT_EQ(DecodeWideCellText(encoded + QLatin1Char('x')), smiley);
    EXPECT_EQ(DecodeWideCellText(QStringLiteral("a|\\b")), QStringLiteral("a|\\b"));
    EXPECT_EQ(DecodeWideCellText(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(ZirAzurWideText, SmallHelpers)
{
    EXPECT_EQ(WidePos(QStringLiteral("\u263Ab"), QStringLiteral("a\u263Ab")), 2);
    EXPECT_EQ(WidePos(QStringLiteral("x"), QStringLiteral("abc")), 0);
    EXPECT_EQ(WidePos(QString(), QStringLiteral("abc")), 0);
    {
        const LocaleScope scope(QLocale::English, QLocale::UnitedStates);
        struct Case {
            const char* text;
            bool date;
        };
        const Case cases[] = {{"1/2/2020", true}, {"12/3/", true}, {"/1/2", false},
                              {"1//2", false},    {"1/2", false},  {"1.2.2020", false}};
        for (const Case& c : cases)
            EXPECT_EQ(LooksLikeDate(QString::fromUtf8(c.text)), c.date) << c.text;
    }
    const LocaleScope scope(QLocale::German, QLocale::Germany);
    EXPECT_TRUE(LooksLikeDate(QStringLiteral("1.2.2020")));
    EXPECT_FALSE(LooksLikeDate(QStringLiteral("1/2/2020")));
    EXPECT_TRUE(CallUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 2));
    EXPECT_TRUE(CallSetLayeredWindowAttributes(nullptr, 0, 128, 2));
}

TEST(ZirAzurWideText, LinkifyText)
{
    struct Case {
        const char* text;
        const char* prefix;
        bool linked;
        const char* result;
    };
    const Case cases[] = {
        {"see http://a.b/c?x=1 <w>", "HTTP://", true, "see <a href=\"http://a.b/c\">http://a.b/c</a>?x=1 &lt;w&gt;"},
        {"WWW.x.org/a b", "WWW.", true, "<a href=\"WWW.x.org/a\">WWW.x.org/a</a> b"},
        {"mail mailto:me@x.de", "MAILTO:", true, "mail <a href=\"mailto:me@x.de\">mailto:me@x.de</a>"},
        {"<a> http://x http://y", "HTTP://", true, "&lt;a&gt; <a href=\"http://x\">http://x</a> http://y"},
        {"http://caf\u00e9", "HTTP://", true, "<a href=\"http://caf\">http://caf</a>\u00e9"},
        {"no link <here>", "HTTP://", false, "untouched"},
    };
    for (const Case& c : cases) {
        QString out = QStringLiteral("untouched");
        EXPECT_EQ(LinkifyText(QString::fromUtf8(c.text), QString::fromUtf8(c.prefix), out), c.linked) << c.text;
        EXPECT_EQ(out, QString::fromUtf8(c.result)) << c.text;
    }
}
