#pragma once
// The outside reader the HTML exports are for: libxml2's HTML parser (xmllint, always with
// --nonet), whose table cells a test compares with the ones it expects. Tests skip the parser
// checks when xmllint is not installed.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace grid::test {

inline bool haveXmllint()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

// xmllint's output and exit code; --nonet keeps it from fetching anything.
inline std::pair<QByteArray, int> xmllint(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), QStringList{QStringLiteral("--nonet")} + args);
    p.waitForFinished(30000);
    return {p.readAllStandardOutput() + p.readAllStandardError(), p.exitCode()};
}

// A table cell as a parser sees it: its text and its spans.
struct ExpectedCell {
    QString text;
    int colspan = 1;
    int rowspan = 1;
};

inline QString elementText(pugi::xml_node node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return QString::fromUtf8(node.value());
    QString out;
    for (pugi::xml_node child : node.children())
        out += elementText(child);
    return out;
}

// The cell elements libxml2's HTML parser finds in the file, in order.
inline std::vector<ExpectedCell> parsedCells(const QString& file)
{
    const auto [xml, code] = xmllint({QStringLiteral("--html"), QStringLiteral("--xmlout"), file});
    EXPECT_EQ(code, 0) << xml.toStdString();
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(xml.constData(), size_t(xml.size())));
    std::vector<ExpectedCell> cells;
    for (const pugi::xpath_node& n : doc.select_nodes("//td")) {
        ExpectedCell c;
        c.text = elementText(n.node());
        c.colspan = n.node().attribute("colspan").as_int(1);
        c.rowspan = n.node().attribute("rowspan").as_int(1);
        cells.push_back(c);
    }
    return cells;
}

inline void expectCells(const std::vector<ExpectedCell>& got, const std::vector<ExpectedCell>& want, const char* what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].text, want[i].text) << what << " cell " << i;
        EXPECT_EQ(got[i].colspan, want[i].colspan) << what << " cell " << i;
        EXPECT_EQ(got[i].rowspan, want[i].rowspan) << what << " cell " << i;
    }
}

} // namespace grid::test
