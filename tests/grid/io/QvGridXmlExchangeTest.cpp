// XML export and import: the written document byte for byte, checked by a real parser in its
// declared encoding, and read back through the attribute and element walk.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "grid/support/HtmlParser.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <QProcess>
#include <QTemporaryDir>

using namespace grid;
using grid::test::errorOf;
using grid::test::haveXmllint;
using grid::test::ShownGrid;

namespace {

using XmlGrid = grid::test::PlainShownGrid<TQvStringGrid>;

struct XmlExchangeTest : grid::test::FolderTest {
    XmlExchangeTest() : FolderTest("grid.xml") {}
    static void fill(XmlGrid& x)
    {
        x.g.SetColCount(3);
        x.g.SetRowCount(2);
        const QStringList r0{QStringLiteral("a&b"), QString(), QStringLiteral("x<y>")};
        const QStringList r1{QStringLiteral("\"q\""), QStringLiteral("\u00e9 \u20ac"), QString()};
        for (int c = 0; c < 3; ++c) {
            x.g.SetCells(c, 0, r0[c]);
            x.g.SetCells(c, 1, r1[c]);
        }
    }
};

// xmllint's verdict on a file, or an empty text when it is well-formed.
QString xmllintErrors(const QString& file,
                      const QStringList& options = {QStringLiteral("--nonet"), QStringLiteral("--noout")})
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), options + QStringList{file});
    if (!p.waitForFinished(30000))
        return QStringLiteral("xmllint did not finish");
    return p.exitCode() == 0 ? QString() : QString::fromLocal8Bit(p.readAllStandardError());
}

TEST_F(XmlExchangeTest, WritesTheDeclaredEncodingByteForByte)
{
    struct Case {
        const char* fixture;
        const char* encoding;
        bool names;
        bool emptyCells;
    } cases[] = {
        {"list_latin1.xml", "ISO-8859-1", true, false},
        {"list_utf8_empty_cells.xml", "UTF-8", false, true},
    };
    for (const Case& c : cases) {
        XmlGrid x;
        fill(x);
        x.g.XMLEncoding = QString::fromLatin1(c.encoding);
        const QStringList names{QStringLiteral("A"), QStringLiteral("B")};
        x.g.SaveToXML(path(), QStringLiteral("list"), QStringLiteral("rec"), c.names ? &names : nullptr, c.emptyCells);
        EXPECT_EQ(bytes(), testsupport::readFile(
                               testsupport::fixturePath(QStringLiteral("grid/xml/") + QLatin1String(c.fixture))))
            << c.fixture;
        if (haveXmllint()) {
            EXPECT_EQ(xmllintErrors(path()), QString()) << c.fixture;
        }

        // Records of elements without attributes: one row each, every text as it was.
        XmlGrid back;
        back.g.LoadFromXML(path());
        ASSERT_EQ(back.g.RowCount(), 2) << c.fixture;
        EXPECT_EQ(back.g.Cells(0, 0), QStringLiteral("a&b"));
        EXPECT_EQ(back.g.Cells(0, 1), QStringLiteral("\"q\""));
        EXPECT_EQ(back.g.Cells(1, 1), QStringLiteral("\u00e9 \u20ac"));
        EXPECT_EQ(c.emptyCells ? back.g.Cells(2, 0) : back.g.Cells(1, 0), QStringLiteral("x<y>")) << c.fixture;
        if (c.emptyCells) {
            EXPECT_EQ(back.g.Cells(1, 0), QString()) << "two quotes read back as an empty cell";
        }
    }
}

TEST_F(XmlExchangeTest, EveryDeclaredEncodingIsTheOneWritten)
{
    for (const char* encoding : {"ISO-8859-1", "UTF-8", "UTF-16", "windows-1252", "US-ASCII"}) {
        XmlGrid x(2, 1);
        x.g.SetCells(0, 0, QStringLiteral("caf\u00e9 \u20ac"));
        x.g.SetCells(1, 0, QStringLiteral("\U0001F600"));
        x.g.XMLEncoding = QString::fromLatin1(encoding);
        x.g.SaveToXML(path(), QStringLiteral("l"), QStringLiteral("r"));
        if (haveXmllint()) {
            EXPECT_EQ(xmllintErrors(path()), QString()) << encoding;
        }
        XmlGrid back;
        back.g.LoadFromXML(path());
        EXPECT_EQ(back.row(0), x.row(0)) << encoding;
    }
}

TEST_F(XmlExchangeTest, EntityTextsAndLineBreaksComeBackAsTheyWere)
{
    XmlGrid x(3, 1);
    x.g.SetCells(0, 0, QStringLiteral("&lt;"));
    x.g.SetCells(1, 0, QStringLiteral("one\r\ntwo"));
    x.g.SetCells(2, 0, QStringLiteral("&amp; $ &#65;"));
    x.g.SaveToXML(path(), QStringLiteral("l"), QStringLiteral("r"));
    if (haveXmllint()) {
        EXPECT_EQ(xmllintErrors(path()), QString());
    }
    XmlGrid back;
    back.g.LoadFromXML(path());
    EXPECT_EQ(back.row(0), x.row(0));
}

TEST_F(XmlExchangeTest, AttributesFillARowEachWithTheirNamesAsHeaders)
{
    put("<list>\n<rec a=\"1\" b=\"x$amp;y\"/>\n<rec a=\"2\" b=\"&lt;z&gt;\"/>\n</list>\n");
    ShownGrid<TQvStringGrid> s(2, 2);
    s.g.SaveFixedCells = false;
    s.g.SaveFixedRows = true;
    s.g.SetFixedRows(1);
    s.g.SetFixedCols(0);
    s.g.LoadFromXML(path(), false, true);
    ASSERT_EQ(s.g.RowCount(), 3);
    ASSERT_EQ(s.g.ColCount(), 2);
    EXPECT_EQ((QStringList{s.g.Cells(0, 0), s.g.Cells(1, 0)}), (QStringList{"a", "b"}));
    EXPECT_EQ((QStringList{s.g.Cells(0, 1), s.g.Cells(1, 1)}), (QStringList{"1", "x&y"}));
    EXPECT_EQ((QStringList{s.g.Cells(0, 2), s.g.Cells(1, 2)}), (QStringList{"2", "<z>"}));
}

TEST_F(XmlExchangeTest, LevelToRowPutsNestedRecordsOnRowsOfTheirOwn)
{
    put("<list><order id=\"7\"><item>bolt</item><item>nut</item></order></list>");
    XmlGrid x;
    x.g.LoadFromXML(path(), true, false);
    // The record's attribute takes row 0; its elements the next row, after the level column.
    EXPECT_EQ(x.g.Cells(0, 0), QStringLiteral("7"));
    EXPECT_EQ(x.g.Cells(1, 1), QStringLiteral("bolt"));
    EXPECT_EQ(x.g.Cells(2, 1), QStringLiteral("nut"));
}

TEST_F(XmlExchangeTest, Failures)
{
    XmlGrid x;
    EXPECT_EQ(errorOf([&] { x.g.LoadFromXML(path("missing.xml")); }), QStringLiteral("XML file not found"));
    put("<?xml version=\"1.0\"?>\n<list>\n<rec><a>1</b></rec>\n</list>\n");
    EXPECT_EQ(errorOf([&] { x.g.LoadFromXML(path()); }),
              QStringLiteral("XMLDOM Parsing error %1 on line 3").arg(int(pugi::status_end_element_mismatch)));
    const QString blocked = path("nofolder/grid.xml");
    EXPECT_EQ(errorOf([&] { x.g.SaveToXML(blocked, QStringLiteral("l"), QStringLiteral("r")); }),
              QStringLiteral("Cannot Create file ") + blocked);
}

// Deeply nested files: the text of a chain of single elements, and a chain of levels each
// holding a field and the next level, load without recursion on the depth.
class XmlDepthTest : public XmlExchangeTest, public ::testing::WithParamInterface<int> {};

TEST_P(XmlDepthTest, AChainOfSingleElementsGivesItsText)
{
    const int depth = GetParam();
    put("<list><rec>" + QByteArray("<a>").repeated(depth) + "x" + QByteArray("</a>").repeated(depth) + "</rec></list>");
    XmlGrid x;
    x.g.LoadFromXML(path());
    EXPECT_EQ(x.g.RowCount(), 1);
    EXPECT_EQ(x.g.Cells(0, 0), QStringLiteral("x"));
}

INSTANTIATE_TEST_SUITE_P(Depths, XmlDepthTest, ::testing::Values(50000, 1000000));

TEST_F(XmlExchangeTest, NestedLevelsEachGetTheirRow)
{
    constexpr int kDepth = 50000;
    put("<list>" + QByteArray("<a><b>v</b>").repeated(kDepth) + QByteArray("</a>").repeated(kDepth) + "</list>");
    XmlGrid x;
    x.g.LoadFromXML(path(), true, false);
    EXPECT_EQ(x.g.RowCount(), kDepth - 1);
    EXPECT_EQ(x.g.Cells(0, 0), QStringLiteral("v"));
    EXPECT_EQ(x.g.Cells(0, kDepth - 2), QStringLiteral("v"));
}

} // namespace
