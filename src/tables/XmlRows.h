#pragma once
// The rows of a table window's XML file: one element per row, one attribute per column. A
// file layout is a table of TAttr_Def entries (attribute name, record member) in the order
// the writer writes them; readRows and writeRows walk it, so a new table's file is a record
// and a table, not a reader and a writer.
//
// Records keep every value as the file's text. An attribute is an optional text: absent when
// the file lacks it, so each reader applies its own default (or refuses it through
// Attr_Required).

#include "platform/Xml.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace tables {

// An attribute's text, or nothing when the file lacks the attribute.
using TAttr = std::optional<QString>;

// The element name every row is written with.
inline constexpr const char* kRow = "row";

// The attribute's text; throws platform::xml::XmlError naming it when it is missing, the way
// platform::xml::attrRequired does (for rows read without defaults).
const QString& Attr_Required(const TAttr& value, const char* name);

// One attribute of a row record.
template <typename Row>
struct TAttr_Def {
    const char* name;
    TAttr Row::*member;
};

// The attribute's text, or nothing when the element lacks it.
TAttr readAttr(pugi::xml_node node, const char* name);

// One record per element child of parent, in document order, whatever the children's names;
// a missing parent reads as no rows.
template <typename Row>
std::vector<Row> readRows(pugi::xml_node parent, std::span<const TAttr_Def<Row>> attrs)
{
    std::vector<Row> rows;
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        Row row;
        for (const auto& a : attrs)
            row.*a.member = readAttr(n, a.name);
        rows.push_back(std::move(row));
    }
    return rows;
}

// One kRow element per record under parent, the attributes in the table's order; a missing
// attribute is written empty.
template <typename Row>
void writeRows(pugi::xml_node parent, const std::vector<Row>& rows, std::span<const TAttr_Def<Row>> attrs)
{
    for (const Row& row : rows) {
        pugi::xml_node n = parent.append_child(kRow);
        for (const auto& a : attrs)
            platform::xml::setAttr(n, a.name, (row.*a.member).value_or(QString()));
    }
}

} // namespace tables
