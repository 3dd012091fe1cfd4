#include "platform/Xml.h"

#include "platform/Files.h"

#include <cstring>
#include <sstream>

namespace platform::xml {

namespace {

bool parse(pugi::xml_document& doc, const QByteArray& bytes, QString* error)
{
    doc.reset();
    // Parsed as a fragment so that text or a second element beside the root stays visible and
    // can be refused: pugixml would otherwise accept and drop it, and a corrupt file would read
    // as a good one.
    const pugi::xml_parse_result result = doc.load_buffer(
        bytes.constData(), size_t(bytes.size()),
        pugi::parse_default | pugi::parse_comments | pugi::parse_fragment);
    QString problem;
    if (!result) {
        problem = QStringLiteral("%1 at offset %2").arg(QString::fromUtf8(result.description()))
                      .arg(result.offset);
    } else {
        int elements = 0;
        bool strayText = false;
        for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
            if (n.type() == pugi::node_element)
                ++elements;
            else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
                strayText = true;
        }
        if (elements == 0)
            problem = QStringLiteral("No document element found");
        else if (elements > 1 || strayText)
            problem = QStringLiteral("Content outside the document element");
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        doc.reset();
        return false;
    }
    return true;
}

} // namespace

bool Document::load(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readFile(path, bytes, error)) {
        doc_.reset();
        return false;
    }
    return parse(doc_, bytes, error);
}

bool Document::loadBytes(const QByteArray& bytes, QString* error)
{
    return parse(doc_, bytes, error);
}

pugi::xml_node Document::root() const
{
    for (pugi::xml_node n = doc_.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element)
            return n;
    return {};
}

void Document::clear()
{
    doc_.reset();
}

pugi::xml_node Document::startProject(const char* rootName)
{
    doc_.reset();
    pugi::xml_node r = doc_.append_child(rootName);
    doc_.append_child(pugi::node_comment).set_value(kSwVersionComment);
    return r;
}

pugi::xml_node Document::startPlain(const char* rootName)
{
    doc_.reset();
    return doc_.append_child(rootName);
}

QByteArray Document::toBytes() const
{
    std::ostringstream out;
    doc_.save(out, "\t", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string s = out.str();
    return QByteArray(s.data(), qsizetype(s.size()));
}

bool Document::save(const QString& path, QString* error) const
{
    return replaceFile(path, toBytes(), error);
}

QString toQString(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

pugi::xml_node child(pugi::xml_node parent, const char* name)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0)
            return n;
    return {};
}

QString text(pugi::xml_node node)
{
    return QString::fromUtf8(node.child_value());
}

QString childText(pugi::xml_node parent, const char* name, const QString& def)
{
    const pugi::xml_node n = child(parent, name);
    return n ? text(n) : def;
}

bool childFlag(pugi::xml_node parent, const char* name)
{
    const pugi::xml_node n = child(parent, name);
    return n && std::strcmp(n.child_value(), "1") == 0;
}

QString attr(pugi::xml_node node, const char* name, const QString& def)
{
    const pugi::xml_attribute a = node.attribute(name);
    return a ? QString::fromUtf8(a.value()) : def;
}

QString attrRequired(pugi::xml_node node, const char* name)
{
    const pugi::xml_attribute a = node.attribute(name);
    if (!a)
        throw XmlError(std::string("Missing attribute \"") + name + "\"");
    return QString::fromUtf8(a.value());
}

pugi::xml_node addChild(pugi::xml_node parent, const char* name, const QString& text)
{
    pugi::xml_node n = parent.append_child(name);
    if (!text.isEmpty())
        n.text().set(text.toUtf8().constData());
    return n;
}

pugi::xml_node addFlag(pugi::xml_node parent, const char* name, bool value)
{
    return addChild(parent, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void setAttr(pugi::xml_node node, const char* name, const QString& value)
{
    node.append_attribute(name).set_value(value.toUtf8().constData());
}

} // namespace platform::xml
