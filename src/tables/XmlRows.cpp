#include "tables/XmlRows.h"

namespace tables {

const QString& Attr_Required(const TAttr& value, const char* name)
{
    if (!value)
        throw platform::xml::XmlError(std::string("Missing attribute \"") + name + "\"");
    return *value;
}

TAttr readAttr(pugi::xml_node node, const char* name)
{
    const pugi::xml_attribute a = node.attribute(name);
    if (!a)
        return std::nullopt;
    return QString::fromUtf8(a.value());
}

} // namespace tables
