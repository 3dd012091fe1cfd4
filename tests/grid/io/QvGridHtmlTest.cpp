// HTML export: a golden table text, every export read by libxml2's HTML parser and walked
// cell by cell, the XHTML form checked by an XML parser, pictures written as JPEG files.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "grid/support/HtmlParser.h"
#include "support/FakeShell.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <QImage>
#include <QTemporaryDir>

using namespace grid;
using grid::test::elementText;
using grid::test::errorOf;
using grid::test::expectCells;
using grid::test::ExpectedCell;
using grid::test::haveXmllint;
using grid::test::parsedCells;
using grid::test::ShownGrid;
using grid::test::xmllint;

namespace {

// 3 x 4 with one fixed row of headers: a 2 x 2 merge, a blank-only cell, a bold cell, a link.
struct HtmlGrid : ShownGrid<TQvStringGrid> {
    HtmlGrid()
    {
        g.SetColCount(3);
        g.SetRowCount(4);
        g.SetFixedCols(0);
        g.SetFixedRows(1);
        g.SetColor(0xFFFFFF);
        g.SetFixedColor(0x00C0FF);
        const QStringList texts{"H1", "H2", "H3", "merged", "", "x", "", "", "   ", "bold", "http://www.example.com/a",
                                ""};
        for (int i = 0; i < texts.size(); ++i)
            g.SetCells(i % 3, i / 3, texts[i]);
        g.MergeCells(0, 1, 2, 2);
        g.GetCellProperties(0, 3)->FFontStyle = fsBold;
        g.SetURLShow(true);
    }
};

struct HtmlTest : grid::test::FolderTest {
    HtmlTest() : FolderTest("grid.html") {}
};

TEST_F(HtmlTest, TheTableTextMatchesTheHandMadeOne)
{
    HtmlGrid h;
    EXPECT_EQ(h.g.SaveToHTMLString().toLatin1(),
              testsupport::readFile(testsupport::fixturePath(QStringLiteral("grid/html/golden_table.html"))));
}

const QString kNbsp = QString(QChar(0xA0));

TEST_F(HtmlTest, AnHtmlParserFindsOneCellPerBaseCell)
{
    if (!haveXmllint())
        GTEST_SKIP() << "xmllint not installed";
    HtmlGrid h;
    const std::vector<ExpectedCell> plain{
        {"H1"}, {"H2"}, {"H3"}, {"merged", 2, 2}, {"x"}, {kNbsp}, {"bold"}, {"www.example.com/a"}, {kNbsp}};
    h.g.SaveToHTML(path());
    expectCells(parsedCells(path()), plain, "plain");
    h.g.SaveToHTML(path(), false, true);
    expectCells(parsedCells(path()), plain, "UTF-16");

    // Markup characters and non-ASCII, converted to entities.
    ShownGrid<TQvStringGrid> s(2, 3);
    s.g.SetFixedCols(0);
    const QStringList texts{"A", "B", "a<b", "x & y", QStringLiteral("\"q\" \u00e9"), "two words"};
    for (int i = 0; i < texts.size(); ++i)
        s.g.SetCells(i % 2, i / 2, texts[i]);
    s.g.HTMLSettings().SetConvertSpecialChars(true);
    s.g.SaveToHTML(path());
    std::vector<ExpectedCell> special;
    for (const QString& t : texts)
        special.push_back({t});
    expectCells(parsedCells(path()), special, "special characters");
    s.g.HTMLSettings().SetNonBreakingText(true);
    s.g.SaveToHTML(path());
    for (ExpectedCell& c : special)
        c.text.replace(QLatin1Char(' '), kNbsp);
    expectCells(parsedCells(path()), special, "non-breaking text");
}

TEST_F(HtmlTest, TheXhtmlFormIsWellFormedXml)
{
    HtmlGrid h;
    h.g.SetCells(2, 1, QStringLiteral("a<b & \"c\" \u00e9\r\nnext"));
    h.g.SetCells(1, 3, QStringLiteral("http://host/?a=1&b=\"2\""));
    h.g.HTMLSettings().SetXHTML(true);
    const QString text = h.g.SaveToHTMLString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("nowrap=\"nowrap\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("<br/>")));
    for (const bool special : {false, true}) {
        for (const bool unicode : {false, true}) {
            h.g.HTMLSettings().SetConvertSpecialChars(special);
            h.g.SaveToHTML(path(), false, unicode);
            if (haveXmllint()) {
                const auto [out, code] = xmllint({QStringLiteral("--noout"), path()});
                EXPECT_EQ(code, 0) << out.toStdString();
            }
            pugi::xml_document doc;
            const QByteArray bytes = testsupport::readFile(path());
            ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size())));
            const auto tds = doc.select_nodes("//td");
            ASSERT_EQ(tds.size(), 9u);
            const QString cell = elementText(tds[4].node());
            EXPECT_EQ(cell, unicode || special ? QStringLiteral("a<b & \"c\" \u00e9\nnext")
                                               : QStringLiteral("a<b & \"c\" ?\nnext"));
            EXPECT_EQ(QString::fromUtf8(tds[7].node().child("a").attribute("href").value()),
                      QStringLiteral("http://host/?a=1&b=\"2\""));
        }
    }
}

TEST_F(HtmlTest, LinkTargetsAreQuotedAndEscaped)
{
    ShownGrid<TQvStringGrid> s(1, 2);
    s.g.SetFixedCols(0);
    s.g.SetCells(0, 1, QStringLiteral("http://h/a b\"c"));
    s.g.SetURLShow(true);
    EXPECT_TRUE(s.g.SaveToHTMLString().contains(QStringLiteral("<a href=\"http://h/a b&quot;c\">h/a b\"c</a>")));
}

TEST_F(HtmlTest, PicturesAreJpegFilesBesideThePage)
{
    ShownGrid<TQvStringGrid> s(2, 2);
    s.g.SetFixedCols(0);
    s.g.SetFixedRows(0);
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(6, 6, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    s.g.CreateBitmap(0, 0, false, haLeft, vaTop)->Image = red;
    s.g.CreateBitmap(1, 1, false, haLeft, vaTop)->Image = blue;
    s.g.SetCells(1, 1, QStringLiteral("pic"));
    s.g.SaveToHTML(path());
    const QString second = dir.filePath(QStringLiteral("images/img2.jpg"));
    QImage back(second);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(6, 6));
    const QColor centre = back.pixelColor(3, 3);
    EXPECT_LT(centre.red(), 40);
    EXPECT_GT(centre.blue(), 200);
    const QByteArray page = testsupport::readFile(path());
    EXPECT_TRUE(page.contains(("pic<img src= \"file://" + second + "\">").toUtf8()));

    // A folder that cannot be made ends the export.
    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("file")), "x"));
    const QString folder = dir.filePath(QStringLiteral("file")) + QLatin1Char('/');
    EXPECT_EQ(errorOf([&] { s.g.SaveToHTMLString(folder); }),
              QStringLiteral("Cannot create ") + folder + QStringLiteral("images"));
}

TEST_F(HtmlTest, FilesAsciiHeaderFooterAppendAndShow)
{
    ShownGrid<TQvStringGrid> s(1, 2);
    s.g.SetFixedCols(0);
    s.g.SetCells(0, 1, QStringLiteral("\u00e9"));
    testsupport::FakeShell shell;
    platform::Services services;
    services.shell = &shell;
    s.g.SetServices(services);
    s.g.SaveToHTML(path(), true);
    EXPECT_TRUE(testsupport::readFile(path()).contains("nowrap>?</td>")) << "7-bit ASCII without entities";
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_TRUE(shell.openedUrls[0].startsWith(QStringLiteral("file://")));

    ASSERT_TRUE(testsupport::writeFile(path("head.txt"), "<html><body>\r\n"));
    ASSERT_TRUE(testsupport::writeFile(path("foot.txt"), "</body></html>\r\n"));
    s.g.HTMLSettings().SetHeaderFile(path("head.txt"));
    s.g.HTMLSettings().SetFooterFile(path("foot.txt"));
    ASSERT_TRUE(testsupport::writeFile(path("old.html"), "<p>before</p>\r\n"));
    s.g.AppendToHTML(path("old.html"));
    const QByteArray page = testsupport::readFile(path("old.html"));
    EXPECT_TRUE(page.startsWith("<p>before</p>\r\n<html><body>\r\n<style>"));
    EXPECT_TRUE(page.endsWith("</TABLE>\r\n</body></html>\r\n"));

    s.g.HTMLSettings().SetFooterFile(path("missing.txt"));
    EXPECT_NE(errorOf([&] { s.g.SaveToHTML(path("new.html")); }), QStringLiteral("no error"));
    EXPECT_FALSE(QFile::exists(path("new.html"))) << "nothing written";
}

} // namespace
