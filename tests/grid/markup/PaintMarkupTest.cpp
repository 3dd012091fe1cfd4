// The markup renderer's layout, measuring and hit testing, one table of cases per question:
// plain text, lines, widths and heights of every edge case of the renderer and of its tags,
// what a point hits, and the images' sizes. Expected sizes come from the font metrics of the
// canvas the renderer draws on.

#include "grid/QvObj.h"
#include "grid/markup/PictureContainer.h"
#include "grid/markup/RizIVUDE.h"

#include "grid/support/MarkupCanvas.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace grid;
using namespace grid::RizIVUDE;
using grid::test::MarkupCanvas;

namespace {

const TRect kRect{10, 20, 390, 280};

struct LayoutCase {
    const char* what;
    QString text;
    int width;  // of the rectangle; 0: kRect's
    int height; // of the rectangle; 0: kRect's
    bool wrap;
    bool measureOnly;
    QString plain;
    std::function<int(const MarkupCanvas&)> markupWidth;
    std::function<int(const MarkupCanvas&)> markupHeight;
};

} // namespace

TEST(PaintMarkup, LayoutCases)
{
    MarkupCanvas probe;
    const int lineH = probe.baseRunHeight();
    const int gh = probe.gh();
    // A rectangle that holds "aaa bbb " but not "aaa bbb ccc" (the text starts 1 pixel in).
    const int twoWords = probe.w("aaa ") + probe.w("bbb ") + 2;
    const int oneBoldWord = probe.w("xx ") + probe.wb("ab") + 2;
    const LayoutCase cases[] = {
        {"empty text", "", 0, 0, true, false, "", [](auto&) { return 0; }, [&](auto&) { return gh; }},
        {"two letters around a line break", "a<BR>b", 0, 0, true, false, "a\rb",
         [](auto& m) { return std::max(m.w("a"), m.w("b")); }, [&](auto&) { return 2 * lineH; }},
        {"measuring goes on past the bottom", "a<BR>b<BR>c<BR>d", 0, gh + 2, true, true, "a\rb\rc\rd",
         [](auto& m) {
             return std::max({m.w("a"), m.w("b"), m.w("c"), m.w("d")});
         },
         [&](auto&) { return 4 * lineH; }},
        {"painting stops where a text height would pass the bottom", "a<BR>b<BR>c<BR>d", 0, gh + 2, true, false, "a\r",
         [](auto& m) { return m.w("a"); }, [&](auto&) { return lineH; }},
        {"without wrapping a bold word and more stay on one line", "<b>bold</b> further words here", 60, 0, false,
         false, "bold further words here", [](auto& m) { return m.wb("bold") + m.w(" further words here"); },
         [&](auto&) { return lineH; }},
        {"wrapping breaks after a blank, the blank not counted", "aaa bbb ccc", twoWords, 0, true, false, "aaa bbb ccc",
         [](auto& m) { return m.w("aaa ") + m.w("bbb ") - m.w(" "); }, [&](auto&) { return 2 * lineH; }},
        {"a word split by a tag is not split at the edge", "xx <b>ab</b>cd", oneBoldWord, 0, true, false, "xx abcd",
         [](auto& m) { return m.w("xx ") + m.wb("ab") + m.w("cd"); }, [&](auto&) { return lineH; }},
        {"an over-wide word has a line of its own", "a verylongword b", 40, 0, true, false, "a verylongword b",
         [](auto& m) { return m.w("verylongword ") - m.w(" "); }, [&](auto&) { return 3 * lineH; }},
        {"hidden text at a line end takes no room", "abc <Z>hidden words going on past the end</Z>", 50, 0, true, false,
         "abc hidden words going on past the end", [](auto& m) { return m.w("abc ") - m.w(" "); },
         [&](auto&) { return lineH; }},
        {"a tag without > ends the text", "ab<b cd", 0, 0, true, false, "ab", [](auto& m) { return m.w("ab"); },
         [&](auto&) { return lineH; }},
        {"a < with two characters after it is dropped", "ab<b", 0, 0, true, false, "ab",
         [](auto& m) { return m.w("ab"); }, [&](auto&) { return lineH; }},
        {"FONT SIZE 3 is 12 points", "<font size=\"3\">X</font>", 0, 0, true, false, "X",
         [](auto& m) { return m.wAt(12, "X"); }, [&](auto& m) { return std::max(lineH, m.runHeight(12)); }},
        {"FONT SIZE 20 is 20 points", "<FONT SIZE=\"20\">X</FONT>", 0, 0, true, false, "X",
         [](auto& m) { return m.wAt(20, "X"); }, [&](auto& m) { return std::max(lineH, m.runHeight(20)); }},
        {"the font end goes back to the base size", "<font size=\"5\">X</font>Y", 0, 0, true, false, "XY",
         [](auto& m) { return m.wAt(16, "X") + m.w("Y"); }, [&](auto& m) { return m.runHeight(16); }},
        {"a list block ends the line, its items start 12 pixels in, two items two lines", "<UL><LI>one<LI>two</UL>", 0,
         0, true, false, "onetwo", [](auto& m) { return 12 + std::max(m.w("one"), m.w("two")); },
         [&](auto&) { return gh + 2 * lineH; }},
        {"a second list level starts 24 pixels in", "<UL><UL><LI>x</UL></UL>", 0, 0, true, false, "x",
         [](auto& m) { return 24 + m.w("x"); }, [&](auto&) { return 2 * gh + lineH; }},
        {"a control without WIDTH is ignored", "<CONTROL TYPE=\"EDIT\" ID=\"e\">x", 0, 0, true, false, "x",
         [](auto& m) { return m.w("x"); }, [&](auto&) { return lineH; }},
        {"an edit control is WIDTH wide, its line at least 23 high", "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"60\">", 0,
         0, true, false, "", [](auto&) { return 60; }, [&](auto&) { return std::max(23, gh + 10); }},
        {"a HEIGHT that is no number counts as 25", "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"60\" HEIGHT=\"abc\">", 0,
         0, true, false, "", [](auto&) { return 60; }, [&](auto&) { return std::max(23, gh + 10); }},
        {"a HEIGHT above 25 sets the line to 2 less", "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"60\" HEIGHT=\"40\">", 0,
         0, true, false, "", [](auto&) { return 60; }, [&](auto&) { return std::max(38, gh + 10); }},
        {"a check box takes 16 x 16 whatever its WIDTH",
         "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"60\">", 0, 0, true, false, "",
         [](auto&) { return 16; }, [](auto&) { return 16; }},
        {"the ampersand entity shows one ampersand, in any case", "A&amp;B &AMP;", 0, 0, true, false, "A&B &",
         [](auto& m) { return m.w("A&B &"); }, [&](auto&) { return lineH; }},
        {"an escaped less-than entity shows as written (mend)", "&amp;lt;", 0, 0, true, false, "&lt;",
         [](auto& m) { return m.w("&lt;"); }, [&](auto&) { return lineH; }},
        {"an escaped ampersand entity shows as written (mend)", "&amp;amp;", 0, 0, true, false, "&amp;",
         [](auto& m) { return m.w("&amp;"); }, [&](auto&) { return lineH; }},
        {"brackets, blanks and quotes from entities", "a&lt;b&gt;c&nbsp;&quot;d&quot;", 0, 0, true, false,
         "a<b>c \"d\"", [](auto& m) { return m.w("a<b>c \"d\""); }, [&](auto&) { return lineH; }},
        {"other named entities are left alone; their ampersand underlines the next letter", "&eacute;", 0, 0, true,
         false, "&eacute;", [](auto& m) { return m.w("eacute;"); }, [&](auto&) { return lineH; }},
        {"carriage returns break lines, line feeds vanish", "a\r\nb", 0, 0, true, false, "a\rb",
         [](auto& m) { return std::max(m.w("a"), m.w("b")); }, [&](auto&) { return 2 * lineH; }},
        {"an unfilled placeholder shows as # and its name", "<#total>", 0, 0, true, false, "#total",
         [](auto& m) { return m.w("#total"); }, [&](auto&) { return lineH; }},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarkupCanvas canvas;
        const TRect rect{kRect.Left, kRect.Top, c.width ? kRect.Left + c.width : kRect.Right,
                         c.height ? kRect.Top + c.height : kRect.Bottom};
        TMarkupResult r;
        const bool hit = canvas.run(c.text, rect, r, [&](TMarkupRequest& m) {
            m.Wrap = c.wrap;
            m.MeasureOnly = c.measureOnly;
        });
        EXPECT_FALSE(hit);
        EXPECT_EQ(r.PlainText, c.plain);
        EXPECT_EQ(r.MarkupWidth, c.markupWidth(canvas));
        EXPECT_EQ(r.MarkupHeight, c.markupHeight(canvas));
    }
}

// An empty text paints nothing; measuring paints nothing either.
TEST(PaintMarkup, EmptyAndMeasuredTextsPaintNothing)
{
    for (const QString& text : {QString(), QStringLiteral("<b>bold</b> text<BR><HR><E>marked</E>")}) {
        MarkupCanvas canvas;
        TMarkupResult r;
        canvas.run(text, kRect, r, [&](TMarkupRequest& m) { m.MeasureOnly = !text.isEmpty(); });
        QImage white(canvas.image.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        EXPECT_EQ(canvas.done(), white) << text.toStdString();
    }
}

// Anchors: which one a point hits, its title and its rectangle; the blank between two anchors
// hits neither; right alignment ends the line flush with the rectangle.
TEST(PaintMarkup, AnchorHits)
{
    MarkupCanvas probe;
    const int L = kRect.Left + 1, T = kRect.Top;
    const int lineH = probe.baseRunHeight();
    const int one = probe.w("one"), blank = probe.w(" "), two = probe.w("two");
    const int y = T + lineH - probe.gh() / 2;
    struct HitCase {
        const char* what;
        QString text;
        QPoint at;
        bool hit;
        QString href;
        QString title;
        int anchor;
        TRect rect;
    };
    const QString twoAnchors = "<a href=\"one\">one</a> <A HREF=\"two\" TITLE=\"Second\">two</A>";
    const TRect untouched{1, 2, 3, 4};
    const HitCase cases[] = {
        {"the first anchor", twoAnchors, {L + one / 2, y}, true, "one", "", 1, {L, T, L + one, T + lineH}},
        {"the blank between them", twoAnchors, {L + one + blank / 2, y}, false, "none", "", -1, untouched},
        {"the second anchor with its title",
         twoAnchors,
         {L + one + blank + two / 2, y},
         true,
         "two",
         "Second",
         2,
         {L + one + blank, T, L + one + blank + two, T + lineH}},
        {"right of the text", twoAnchors, {L + one + blank + two + 5, y}, false, "none", "", -1, untouched},
        // Below the line the anchor above is named, but nothing is hit.
        {"below the line", twoAnchors, {L + one / 2, T + lineH + 3}, false, "one", "", 1, {L, T, L + one, T + lineH}},
        {"entities in a link and its title are decoded once (mend)",
         "<a href=\"a.php?x=1&amp;y=2\" title=\"say &quot;hi&quot;\">one</a>",
         {L + one / 2, y},
         true,
         "a.php?x=1&y=2",
         "say \"hi\"",
         1,
         {L, T, L + one, T + lineH}},
        {"a right-aligned anchor ends at the rectangle's right edge",
         "<P ALIGN=\"RIGHT\"><a href=\"r\">one</a></P>",
         {kRect.Right - one / 2, y},
         true,
         "r",
         "",
         1,
         {kRect.Right - one, T, kRect.Right, T + lineH}},
        {"an anchor after a list bullet is hit where it is drawn (mend)",
         "<UL><LI><a href=\"item\">one</a></UL>",
         {L + 12 + 3, y + probe.gh()},
         true,
         "item",
         "",
         1,
         {L + 12, T + probe.gh(), L + 12 + one, T + probe.gh() + lineH}},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarkupCanvas canvas;
        TMarkupResult r;
        r.AnchorHref = "none";
        r.HitAnchorRect = untouched;
        const bool hit = canvas.run(c.text, kRect, r, [&](TMarkupRequest& m) {
            m.HitTestOnly = true;
            m.HitX = c.at.x();
            m.HitY = c.at.y();
        });
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(r.AnchorHref, c.href);
        EXPECT_EQ(r.AnchorTitle, c.title);
        EXPECT_EQ(r.HitAnchor, c.anchor);
        EXPECT_EQ(r.HitAnchorRect, c.rect);
        EXPECT_EQ(r.AnchorCount, c.text.count("href", Qt::CaseInsensitive));
    }
}

// Aligned paragraphs, seen through the place of an anchor: a right-aligned wrapped line ends at
// the rectangle's right edge without its trailing blank; a centred line is moved in by half the
// room left, rounded down.
TEST(PaintMarkup, AlignedLinesEndFlushOrSitInTheMiddle)
{
    MarkupCanvas probe;
    const int L = kRect.Left + 1, T = kRect.Top;
    const int lineH = probe.baseRunHeight();
    const int y = T + lineH - probe.gh() / 2;
    const int aaa = probe.w("aaa"), one = probe.w("one");
    const int twoWords = probe.w("aaa ") + probe.w("bbb ") + 2; // holds "aaa bbb " but not "ccc"
    const int firstLine = probe.w("aaa ") + probe.w("bbb ") - probe.w(" ");
    struct AlignCase {
        const char* what;
        QString text;
        int width;
        int left; // of the anchor
        int anchorWidth;
    };
    const int rightEdge = kRect.Left + twoWords;
    const int centred = one + 22; // leaves 21 pixels: 10 on the left
    const AlignCase cases[] = {
        {"right alignment is flush, the line's trailing blank not counted",
         "<P ALIGN=\"RIGHT\"><a href=\"x\">aaa</a> bbb ccc", twoWords, rightEdge - firstLine, aaa},
        {"centring halves the room left, rounding down", "<P ALIGN=\"CENTER\"><a href=\"x\">one</a>", centred, L + 10,
         one},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarkupCanvas canvas;
        TMarkupResult r;
        const TRect rect{kRect.Left, kRect.Top, kRect.Left + c.width, kRect.Bottom};
        EXPECT_TRUE(canvas.run(c.text, rect, r, [&](TMarkupRequest& m) {
            m.HitTestOnly = true;
            m.HitX = c.left + c.anchorWidth / 2;
            m.HitY = y;
        }));
        EXPECT_EQ(r.AnchorHref, "x");
        EXPECT_EQ(r.HitAnchorRect, (TRect{c.left, T, c.left + c.anchorWidth, T + lineH}));
    }
}

// Inline controls: found under the point, or by their ID wherever the point is.
TEST(PaintMarkup, ControlHits)
{
    MarkupCanvas probe;
    const int L = kRect.Left + 1, T = kRect.Top;
    const int boxH = probe.gh() + 10;
    const QString three = "<CONTROL TYPE=\"EDIT\" ID=\"first\" VALUE=\"1\" WIDTH=\"50\">"
                          "<CONTROL TYPE=\"edit\" ID=\"second\" VALUE=\"2\" WIDTH=\"50\">"
                          "<CONTROL TYPE=\"Combo\" ID=\"third\" VALUE=\"a &amp; b\" WIDTH=\"50\">";
    struct ControlCase {
        const char* what;
        QString text;
        QString soughtID;
        QPoint at;
        bool hit;
        QString id, type, value;
        TRect rect;
    };
    const ControlCase cases[] = {
        // Its value is decoded once (mend): the text's entity pre-pass leaves tags alone.
        {"the third control by its ID, the point far away",
         three,
         "third",
         {-50, -50},
         true,
         "third",
         "COMBO",
         "a & b",
         {L + 100, T, L + 150, T + 25}},
        {"the second control under the point",
         three,
         "",
         {L + 75, T + 5},
         true,
         "second",
         "EDIT",
         "2",
         {L + 50, T, L + 100, T + boxH}},
        {"nothing under the point", three, "", {L + 200, T + 5}, false, "", "", "", {}},
        {"a check box under the point",
         "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"60\">",
         "",
         {L + 8, T + 8},
         true,
         "c",
         "CHECK",
         "true",
         {L, T, L + 16, T + 16}},
        {"an empty ID seeks no control without an ID (mend)",
         "<CONTROL TYPE=\"BUTTON\" VALUE=\"Go\" WIDTH=\"60\">",
         "",
         {-50, -50},
         false,
         "",
         "",
         "",
         {}},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarkupCanvas canvas;
        TMarkupResult r;
        r.ControlID = c.soughtID;
        const bool hit = canvas.run(c.text, kRect, r, [&](TMarkupRequest& m) {
            m.HitTestOnly = true;
            m.HitX = c.at.x();
            m.HitY = c.at.y();
        });
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(r.AnchorHref, c.hit ? "ctrl" : "");
        EXPECT_EQ(r.ControlID, c.hit ? c.id : c.soughtID);
        EXPECT_EQ(r.ControlType, c.type);
        EXPECT_EQ(r.ControlValue, c.value);
        EXPECT_EQ(r.HitControlRect, c.rect);
    }
    // A call that is no hit test forgets the ID it was given.
    MarkupCanvas canvas;
    TMarkupResult r;
    r.ControlID = "third";
    EXPECT_FALSE(canvas.run(three, kRect, r));
    EXPECT_TRUE(r.ControlID.isEmpty());
}

// Images: their sizes from the list, the container, the cache and their attributes, and where
// they break the line.
TEST(PaintMarkup, ImageSizesAndWrapping)
{
    TPictureContainer container;
    TPictureItem* item = container.Items().Add();
    item->SetName("Blocks");
    item->Picture().LoadFromFile(testsupport::fixturePath("grid/pictures/grey_blocks.jpg")); // 16 x 8
    TPictureItem* gif = container.Items().Add();
    gif->SetName("frames");
    gif->Picture().LoadFromFile(testsupport::fixturePath("grid/pictures/three_frames.gif")); // 8 x 6 screen
    gif->Picture().SetFrame(3);                                                              // a 2 x 2 frame
    TCustomImageList images(20, 12);
    images.Add(QImage(20, 12, QImage::Format_RGB32));
    THTMLPictureCache cache;

    MarkupCanvas probe;
    const int gh = probe.gh();
    const QString file = "FILE://" + testsupport::fixturePath("grid/pictures/grey_blocks.jpg");
    struct ImageCase {
        const char* what;
        QString text;
        int width; // of the rectangle; 0: kRect's
        int markupWidth;
        int markupHeight;
    };
    const ImageCase cases[] = {
        {"a named picture at its size, the name in any case", "<img src=\"BLOCKS\">", 0, 16, gh},
        {"WIDTH alone keeps the aspect", "<IMG SRC=\"blocks\" WIDTH=\"40\">", 0, 40, std::max(gh, 20)},
        {"HEIGHT alone keeps the aspect", "<IMG SRC=\"blocks\" HEIGHT=\"30\">", 0, 60, std::max(gh, 30)},
        {"WIDTH and HEIGHT", "<IMG SRC=\"blocks\" WIDTH=\"50\" HEIGHT=\"33\">", 0, 50, std::max(gh, 33)},
        {"a GIF takes its largest frame's size", "<IMG SRC=\"frames\">", 0, 8, gh},
        {"an image list image", "<IMG SRC=\"IDX:0\">", 0, 20, gh},
        {"an index outside the list takes no room", "<IMG SRC=\"IDX:1\">x", 0, probe.w("x"), probe.baseRunHeight()},
        {"an unknown picture takes no room", "<IMG SRC=\"nothing\">", 0, 0, gh},
        {"a file picture through the cache", "<IMG SRC=\"" + file + "\" HEIGHT=\"16\">", 0, 32, std::max(gh, 16)},
        {"a web address never loads and takes no room", "<IMG SRC=\"http://example.com/a.png\">", 0, 0, gh},
        {"an image that does not fit goes to the next line",
         "<IMG SRC=\"blocks\" WIDTH=\"60\" HEIGHT=\"30\"><IMG SRC=\"blocks\" WIDTH=\"60\" HEIGHT=\"30\">", 100, 60,
         2 * std::max(gh, 30)},
        {"an image wider than the line stays on it", "x<IMG SRC=\"blocks\" WIDTH=\"150\" HEIGHT=\"10\">", 100,
         probe.w("x") + 150, std::max(probe.baseRunHeight(), 10)},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarkupCanvas canvas;
        const TRect rect{kRect.Left, kRect.Top, c.width ? kRect.Left + c.width : kRect.Right, kRect.Bottom};
        TMarkupResult r;
        canvas.run(c.text, rect, r, [&](TMarkupRequest& m) {
            m.Pictures = &container;
            m.PictureCache = &cache;
            m.Images = &images;
        });
        EXPECT_EQ(r.MarkupWidth, c.markupWidth);
        EXPECT_EQ(r.MarkupHeight, c.markupHeight);
    }
    // The file picture and the web address were each added to the cache once.
    EXPECT_EQ(cache.Count(), 2);
    MarkupCanvas again;
    TMarkupResult r;
    again.run("<IMG SRC=\"http://example.com/a.png\">", kRect, r, [&](TMarkupRequest& m) { m.PictureCache = &cache; });
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_TRUE(cache.FindPicture("http://example.com/a.png")->Empty());
}

// An image inside an anchor is hit as the anchor.
TEST(PaintMarkup, ImageInAnAnchor)
{
    TPictureContainer container;
    TPictureItem* item = container.Items().Add();
    item->SetName("blocks");
    item->Picture().LoadFromFile(testsupport::fixturePath("grid/pictures/grey_blocks.jpg"));
    TPictureItem* big = container.Items().Add();
    big->SetName("big");
    big->Picture().LoadFromFile(testsupport::fixturePath("grid/pictures/grey_blocks.jpg"));
    const int L = kRect.Left + 1, T = kRect.Top;
    const QString text = "<a href=\"pic\" title=\"Picture\"><img src=\"blocks\" alt=\"big\" width=\"30\"></a>";
    MarkupCanvas canvas;
    TMarkupResult r;
    EXPECT_TRUE(canvas.run(text, kRect, r, [&](TMarkupRequest& m) {
        m.Pictures = &container;
        m.HitTestOnly = true;
        m.HitX = L + 10;
        m.HitY = T + 5;
    }));
    EXPECT_EQ(r.AnchorHref, "pic");
    EXPECT_EQ(r.AnchorTitle, "Picture");
    TMarkupResult outside;
    EXPECT_FALSE(canvas.run(text, kRect, outside, [&](TMarkupRequest& m) {
        m.Pictures = &container;
        m.HitTestOnly = true;
        m.HitX = L + 40;
        m.HitY = T + 5;
    }));
}

// Subscripts hang below the line, superscripts add room above; both end with the line.
TEST(PaintMarkup, SubscriptAndSuperscriptHeights)
{
    MarkupCanvas probe;
    const int h = probe.baseRunHeight();
    const std::pair<QString, int> cases[] = {
        {"x<SUB>2</SUB>", h + h / 4},
        {"x<SUP>2</SUP>", h + h / 4},
        {"x<SUB>2</SUB><SUP>3</SUP>", h + 2 * (h / 4)},
        {"<SUB>2<BR>x", h + h / 4 + h},
    };
    for (const auto& [text, height] : cases) {
        MarkupCanvas canvas;
        TMarkupResult r;
        canvas.run(text, kRect, r);
        EXPECT_EQ(r.MarkupHeight, height) << text.toStdString();
    }
}
