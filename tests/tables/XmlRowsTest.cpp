#include "tables/XmlRows.h"

#include <gtest/gtest.h>

using namespace tables;

namespace {

struct TPair_Row {
    TAttr Key;
    TAttr Value;

    bool operator==(const TPair_Row&) const = default;
};

constexpr TAttr_Def<TPair_Row> kPairAttrs[] = {
    {"Key", &TPair_Row::Key},
    {"Value", &TPair_Row::Value},
};

} // namespace

TEST(XmlRows, WritesOneRowElementPerRecordInTheTablesOrderAndAMissingAttributeEmpty)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Pairs");
    writeRows<TPair_Row>(root, {{"a", "1"}, {"b", std::nullopt}}, kPairAttrs);

    pugi::xml_node first = root.first_child();
    EXPECT_STREQ(first.name(), "row");
    EXPECT_STREQ(first.first_attribute().name(), "Key");
    EXPECT_STREQ(first.attribute("Value").value(), "1");
    pugi::xml_node second = first.next_sibling();
    ASSERT_TRUE(second.attribute("Value"));
    EXPECT_STREQ(second.attribute("Value").value(), "");
    EXPECT_FALSE(second.next_sibling());
}

TEST(XmlRows, ReadsElementChildrenWhateverTheirNamesAndKeepsMissingAttributesAbsent)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<Pairs><row Key=\"a\" Value=\"1\"/><!-- note --><other Key=\"b\"/></Pairs>"));
    const std::vector<TPair_Row> rows = readRows<TPair_Row>(doc.first_child(), kPairAttrs);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (TPair_Row{"a", "1"}));
    EXPECT_EQ(rows[1].Key, QStringLiteral("b"));
    EXPECT_EQ(rows[1].Value, std::nullopt);

    EXPECT_TRUE(readRows<TPair_Row>(doc.child("Pairs").child("missing"), kPairAttrs).empty());
}

TEST(XmlRows, AttrRequiredGivesTheTextOrNamesTheMissingAttribute)
{
    EXPECT_EQ(Attr_Required(TAttr(QStringLiteral("7")), "ID"), QStringLiteral("7"));
    try {
        Attr_Required(std::nullopt, "NB_IN");
        ADD_FAILURE() << "no error for a missing attribute";
    } catch (const platform::xml::XmlError& e) {
        EXPECT_STREQ(e.what(), "Missing attribute \"NB_IN\"");
    }
}
