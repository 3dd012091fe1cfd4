// Markup helpers: entities, colour names, plain text, search marks, CONTROL tags and the
// drawing helpers of image tags, one table of cases per routine.

#include "grid/markup/RizIVUDE.h"
#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace grid;
using namespace grid::RizIVUDE;
using namespace platform;

namespace {

struct TextCase {
    const char* what;
    QString in;
    QString out;
};

// Puts a module setting back when the test ends.
template <typename T>
struct Restore {
    explicit Restore(T& v) : ref(v), saved(v) {}
    ~Restore() { ref = saved; }
    T& ref;
    T saved;
};

} // namespace

// ---- entities --------------------------------------------------------------------------------

TEST(MarkupEntities, DecodeCases)
{
    struct Case {
        const char* what;
        QString in;
        bool all;
        QString out;
    };
    const Case cases[] = {
        {"ampersand decoded after less-than", "&amp;lt;", false, "&lt;"},
        {"brackets and quote", "&lt;b&gt; &quot;x&quot;", false, "<b> \"x\""},
        {"names are case-exact", "&LT;&Amp;", false, "&LT;&Amp;"},
        {"table names only with all", "&eacute;", false, "&eacute;"},
        {"capital first", "&Eacute;t&eacute;", true, "Été"},
        {"small first", "&eacute;&Eacute;", true, "éÉ"},
        {"euro and guillemets", "&laquo;5&euro;&raquo;", true, "«5€»"},
        {"unknown entity kept", "&nbsp;&zz;", true, "&nbsp;&zz;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeEntities(c.in, c.all), c.out) << c.what;
}

TEST(MarkupEntities, EncodeCases)
{
    struct Case {
        const char* what;
        QString in;
        bool all;
        QString out;
    };
    const Case cases[] = {
        {"one ampersand between letters", "a&b", false, "a&amp;b"},
        {"entities written are not encoded again", "<\"&\">", false, "&lt;&quot;&amp;&quot;&gt;"},
        {"table characters only with all", "é", false, "é"},
        {"e acute with all", "é", true, "&eacute;"},
        {"mixed with all", "Ça & ©", true, "&Ccedil;a &amp; &copy;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeEntities(c.in, c.all), c.out) << c.what;
    EXPECT_EQ(SpacesToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(MarkupEntities, EveryTableEntryDecodesAndEncodesBothWays)
{
    ASSERT_EQ(EntityCount, 51);
    EXPECT_EQ(Entities[0].Char, QChar(u'é'));
    EXPECT_STREQ(Entities[20].Name, "&Eacute;");
    EXPECT_EQ(Entities[48].Char, QChar(u'€'));
    EXPECT_STREQ(Entities[50].Name, "&raquo;");
    for (const TEntity& e : Entities) {
        EXPECT_EQ(DecodeEntities(QLatin1String(e.Name), true), QString(e.Char)) << e.Name;
        EXPECT_EQ(EncodeEntities(QString(e.Char), true), QLatin1String(e.Name)) << e.Name;
    }
}

// ---- colours ---------------------------------------------------------------------------------

TEST(MarkupColors, EveryColourNameAndAnUnknownOne)
{
    const std::pair<const char*, TColor> names[] = {
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", 0xFF000001},
        {"clactivecaption", 0xFF000002},
        {"clinactivecaption", 0xFF000003},
        {"clmenu", 0xFF000004},
        {"clwindow", 0xFF000005},
        {"clwindowframe", 0xFF000006},
        {"clmenutext", 0xFF000007},
        {"clwindowtext", 0xFF000008},
        {"clcaptiontext", 0xFF000009},
        {"clactiveborder", 0xFF00000A},
        {"clinactiveborder", 0xFF00000B},
        {"clappworkspace", 0xFF00000C},
        {"clhighlight", 0xFF00000D},
        {"clhighlighttext", 0xFF00000E},
        {"clbtnface", 0xFF00000F},
        {"clbtnshadow", 0xFF000010},
        {"clgraytext", 0xFF000011},
        {"clbtntext", 0xFF000012},
        {"clinactivecaptiontext", 0xFF000013},
        {"clbtnhighlight", 0xFF000014},
        {"cl3ddkshadow", 0xFF000015},
        {"cl3dlight", 0xFF000016},
        {"clinfotext", 0xFF000017},
        {"clinfobk", 0xFF000018},
    };
    EXPECT_EQ(std::size(names), 40u);
    for (const auto& [name, color] : names)
        EXPECT_EQ(ColorFromName(QLatin1String(name)), color) << name;
    EXPECT_EQ(ColorFromName("clorange"), 0u);
    EXPECT_EQ(ColorFromName("clRed"), 0u) << "names are compared exactly";
    EXPECT_EQ(ColorFromName("clscrollbar"), 0u);
}

TEST(MarkupColors, HexToColorCases)
{
    const std::pair<const char*, TColor> cases[] = {
        {"#FF0000", 0x0000FF}, {"#00FF00", 0x00FF00}, {"#0000FF", 0xFF0000},
        {"#123456", 0x563412}, {"#FF", 0x0000FF},     // pairs cut off count 0
        {"#ABC", 0x0000AB},                           // a one-character pair counts 0
        {"", 0x000000},        {"#GG00FF", 0xFF0000}, // no hexadecimal digit: 0, nothing spills into green
        {"#ff0000", 0x000000},                        // upper case only
        {"xFF8000", 0x0080FF},                        // the first character is not looked at
    };
    for (const auto& [text, color] : cases)
        EXPECT_EQ(HexToColor(QLatin1String(text)), color) << text;
}

TEST(MarkupColors, HighlightColoursAndModuleDefaults)
{
    Restore back(HighlightBackColor);
    Restore text(HighlightTextColor);
    EXPECT_EQ(HighlightBackColor, clHighlight);
    EXPECT_EQ(HighlightTextColor, clHighlightText);
    SetMarkupHighlightColors(clYellow, clNavy);
    EXPECT_EQ(HighlightBackColor, clYellow);
    EXPECT_EQ(HighlightTextColor, clNavy);
    EXPECT_TRUE(IsWinXPOrLater);
    EXPECT_EQ(QuoteChar, QChar(u'"'));
}

// ---- plain text and search marks -------------------------------------------------------------

TEST(MarkupPlainText, Cases)
{
    const TextCase cases[] = {
        {"bold then BR", "<b>x</b><BR>y", "x\r\ny"},
        {"HR in small letters", "a<hr>b", "a\r\nb"},
        {"entities left as written", "<i>x</i> &amp; &lt;", "x &amp; &lt;"},
        {"a < without > kept with the rest", "x <b", "x <b"},
        {"stray > before a tag kept", "a>b<c>d", "a>bd"},
        {"unclosed after a tag", "<b>x</b>1 < 2", "x1 < 2"},
        {"no markup", "plain", "plain"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MarkupToPlainText(c.in), c.out) << c.what;
}

TEST(MarkupPlainText, StrippedCellGoesThroughIt)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "<b>a &amp; b</b><br>c");
    EXPECT_EQ(g.GetStrippedCell(1, 1), "a &amp; b\r\nc");
    g.SetCells(1, 2, "<font color=\"clred\">42</font>");
    EXPECT_EQ(g.GetInts(1, 2), 42);
}

TEST(MarkupSearchMarks, MarkCases)
{
    struct Case {
        const char* what;
        QString text;
        QString search;
        bool matchCase;
        QString out;
    };
    const Case cases[] = {
        // The second opening mark goes right after the first hit's last letter, ahead of the
        // closing mark already there.
        {"two hits without a gap", "abab", "ab", true, "<hi>ab<hi></hi>ab</hi>"},
        {"lone letter in a bold pair", "<b>x</b>", "x", true, "<hi><b>x</hi></b>"},
        {"hit spanning a tag", "a<i>bc</i>d", "bc", true, "a<hi><i>bc</hi></i>d"},
        {"any case", "Abc aBC", "bc", false, "A<hi>bc</hi> a<hi>BC</hi>"},
        {"exact case", "Abc aBC", "bc", true, "A<hi>bc</hi> aBC"},
        {"upper case keeps positions", "straße", "E", false, "straß<hi>e</hi>"},
        {"stray < gives up no tags when search is absent", "a<b", "z", true, "a<b"},
        {"stray < escaped", "a<b", "b", true, "a&lt;<hi>b</hi>"},
        {"tags given up, search escaped", "x > y <b>z</b>", ">", true, "x <hi>&gt;</hi> y z"},
        {"no hit", "<b>abc</b>", "x", true, "<b>abc</b>"},
        {"empty search", "abc", "", true, "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkSearchText(c.text, c.search, "hi", c.matchCase), c.out) << c.what;
}

TEST(MarkupSearchMarks, UnmarkRemovesTagsInAnyCaseAndUnescapesBrackets)
{
    EXPECT_EQ(UnmarkSearchText("<HI>a</hi><b>&lt;c&gt;</b>", "hi"), "a<b><c></b>");
    EXPECT_EQ(UnmarkSearchText(MarkSearchText("a<b", "b", "e", true), "e"), "a<b");
    // Not an inverse: an entity of the text itself comes back as a bracket.
    EXPECT_EQ(UnmarkSearchText(MarkSearchText("&lt;x", "x", "e", true), "e"), "<x");
}

// ---- inline CONTROL tags ---------------------------------------------------------------------

TEST(MarkupControls, ParseControlTag)
{
    const TControlTag full = ParseControlTag(
        R"(<CONTROL TYPE="edit" ID="e1" VALUE="a&amp;b &eacute;" WIDTH="80" HEIGHT="20" PROP="99&lt;" MAXLEN="5">)");
    EXPECT_EQ(full.Type, "EDIT");
    EXPECT_EQ(full.ID, "e1");
    EXPECT_EQ(full.Value, "a&b é");
    EXPECT_EQ(full.Width, "80");
    EXPECT_EQ(full.Height, "20");
    EXPECT_EQ(full.Prop, "99<");
    EXPECT_EQ(full.MaxLen, "5");

    const TControlTag sparse = ParseControlTag(R"(<control type="check" id="c">)");
    EXPECT_EQ(sparse.Type, "CHECK");
    EXPECT_EQ(sparse.ID, "c");
    EXPECT_TRUE(sparse.Value.isEmpty() && sparse.Width.isEmpty() && sparse.Height.isEmpty() && sparse.Prop.isEmpty()
                && sparse.MaxLen.isEmpty());

    EXPECT_TRUE(ParseControlTag(R"(<CONTROL ID="open>)").ID.isEmpty()) << "no closing quote";

    Restore quote(QuoteChar);
    QuoteChar = u'\'';
    EXPECT_EQ(ParseControlTag("<CONTROL ID='q' TYPE='radio'>").ID, "q");
}

TEST(MarkupControls, HasControlTag)
{
    EXPECT_TRUE(HasControlTag(R"(x <control id="a">)"));
    EXPECT_TRUE(HasControlTag("<CONTROL"));
    EXPECT_FALSE(HasControlTag("<b>control</b>"));
}

TEST(MarkupControls, NextEditControlID)
{
    const QString text = R"(<CONTROL TYPE="BUTTON" ID="b1"> <CONTROL TYPE="EDIT" ID="e1"> )"
                         R"(<CONTROL TYPE="CHECK" ID="c1"> <control type="combo" id="k1"> )"
                         R"(<CONTROL TYPE="RADIO" ID="r1"> <CONTROL TYPE="PASSWORD" ID="p1"> <b>x</b>)";
    const std::pair<const char*, const char*> cases[] = {
        {"", "e1"},               // first edit-like control
        {"e1", "k1"},             // next, skipping the check box
        {"c1", "k1"},             // after a control that is no edit itself
        {"k1", "p1"}, {"p1", ""}, // after the last
        {"zz", ""},               // no such control
    };
    for (const auto& [id, next] : cases)
        EXPECT_EQ(NextEditControlID(text, QLatin1String(id)), QLatin1String(next)) << id;
    EXPECT_EQ(NextEditControlID(R"(<CONTROL TYPE="MASK" ID="m">)", ""), "m");
    EXPECT_EQ(NextEditControlID("no controls", ""), "");
}

TEST(MarkupControls, SetControlValueRebuildsTheTag)
{
    struct Case {
        const char* what;
        QString text;
        QString id;
        QString value;
        bool done;
        QString out;
    };
    const Case cases[] = {
        {"prop and maxlen kept, other attributes dropped",
         R"(a<CONTROL TYPE="mask" ID="m1" VALUE="x" WIDTH="60" PROP="00&amp;0" MAXLEN="4" EXTRA="y">b)", "m1", "1<2",
         true, R"(a<CONTROL ID="m1" VALUE="1&lt;2" WIDTH="60" TYPE="MASK" PROP="00&amp;0" MAXLEN="4">b)"},
        {"height kept, value encoded with all", R"(<CONTROL ID="e" TYPE="EDIT" VALUE="" WIDTH="50" HEIGHT="18">)", "e",
         "é", true, R"(<CONTROL ID="e" VALUE="&eacute;" WIDTH="50" TYPE="EDIT" HEIGHT="18">)"},
        {"only the first control with the ID",
         R"(<CONTROL TYPE="EDIT" ID="d" VALUE="1"><CONTROL TYPE="EDIT" ID="d" VALUE="2">)", "d", "9", true,
         R"(<CONTROL ID="d" VALUE="9" WIDTH="" TYPE="EDIT"><CONTROL TYPE="EDIT" ID="d" VALUE="2">)"},
        {"unknown ID leaves the text", R"(<b>x</b><CONTROL TYPE="EDIT" ID="e" VALUE="1">)", "f", "2", false,
         R"(<b>x</b><CONTROL TYPE="EDIT" ID="e" VALUE="1">)"},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(SetControlValue(text, c.id, c.value), c.done) << c.what;
        EXPECT_EQ(text, c.out) << c.what;
    }
}

TEST(MarkupControls, GetControlValuePropAndMaxLen)
{
    const QString text = R"(<CONTROL TYPE="MASK" ID="m" VALUE="a&amp;b" PROP="##&lt;" MAXLEN="12">)"
                         R"(<CONTROL TYPE="EDIT" ID="e" MAXLEN="x">)";
    QString value = "untouched";
    EXPECT_TRUE(GetControlValue(text, "m", value));
    EXPECT_EQ(value, "a&b");
    EXPECT_EQ(GetControlProp(text, "m"), "##<");
    EXPECT_EQ(GetControlMaxLen(text, "m"), 12);
    EXPECT_EQ(GetControlMaxLen(text, "e"), 0) << "not a number";

    value = "untouched";
    EXPECT_FALSE(GetControlValue(text, "none", value));
    EXPECT_EQ(value, "untouched");
    EXPECT_EQ(GetControlProp(text, "none"), "");
    EXPECT_EQ(GetControlMaxLen(text, "none"), 0);
}

TEST(MarkupControls, ClearRadioControls)
{
    const QString text = R"(<CONTROL TYPE="RADIO" ID="r1" VALUE="TRUE" WIDTH="10"> one )"
                         R"(<CONTROL TYPE="radio" ID="r2" VALUE="FALSE" WIDTH="10"> two )"
                         R"(<CONTROL TYPE="CHECK" ID="c" VALUE="TRUE">)";
    EXPECT_EQ(ClearRadioControls(text), R"(<CONTROL ID="r1" VALUE="FALSE" WIDTH="10" TYPE="RADIO"> one )"
                                        R"(<CONTROL ID="r2" VALUE="FALSE" WIDTH="10" TYPE="RADIO"> two )"
                                        R"(<CONTROL TYPE="CHECK" ID="c" VALUE="TRUE">)");
}

// ---- drawing helpers -------------------------------------------------------------------------

TEST(MarkupDrawing, StretchBitmapToRectCopiesPixelsWithoutSmoothing)
{
    QImage bitmap(2, 1, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 0, 255));
    QImage canvasImage(8, 4, QImage::Format_RGB32);
    canvasImage.fill(Qt::black);
    {
        QPainter p(&canvasImage);
        StretchBitmapToRect(p, {2, 1, 6, 3}, bitmap);
    }
    EXPECT_EQ(canvasImage.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(canvasImage.pixel(3, 2), qRgb(255, 0, 0));
    EXPECT_EQ(canvasImage.pixel(4, 1), qRgb(0, 0, 255));
    EXPECT_EQ(canvasImage.pixel(5, 2), qRgb(0, 0, 255));
    EXPECT_EQ(canvasImage.pixel(6, 1), qRgb(0, 0, 0));
    EXPECT_EQ(canvasImage.pixel(2, 3), qRgb(0, 0, 0));
}

TEST(MarkupDrawing, ShellIconSizeAndStretchedArea)
{
    QImage canvasImage(80, 80, QImage::Format_RGB32);
    canvasImage.fill(Qt::black);
    const QImage untouched = canvasImage;
    QPainter p(&canvasImage);
    TPoint size;
    DrawShellIcon(p, 0, 0, size, 1.0, false, false, true, "5");
    EXPECT_EQ(size, (TPoint{32, 32}));
    DrawShellIcon(p, 0, 0, size, 1.0, false, false, false, "no-such-file.txt");
    EXPECT_EQ(size, (TPoint{16, 16}));
    p.end();
    EXPECT_EQ(canvasImage, untouched) << "nothing drawn without Draw";

    // Stretched, the icon goes through a white bitmap of its size: the scaled square is
    // covered, nothing around it.
    p.begin(&canvasImage);
    DrawShellIcon(p, 10, 20, size, 2.5, true, true, false, "6");
    p.end();
    EXPECT_EQ(size, (TPoint{16, 16}));
    EXPECT_NE(canvasImage.pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_NE(canvasImage.pixel(49, 59), qRgb(0, 0, 0));
    EXPECT_EQ(canvasImage.pixel(50, 59), qRgb(0, 0, 0));
    EXPECT_EQ(canvasImage.pixel(49, 60), qRgb(0, 0, 0));
    EXPECT_EQ(canvasImage.pixel(9, 20), qRgb(0, 0, 0));
}

TEST(MarkupDrawing, IsDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("f.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(IsDirectory(dir.path()));
    EXPECT_FALSE(IsDirectory(file));
    EXPECT_FALSE(IsDirectory(dir.filePath("missing")));
}
