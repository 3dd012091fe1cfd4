#include "platform/Xml.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <string>

namespace platform::xml {

namespace {

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decoder(bytes); // only the decoder's error flag is wanted
    return !decoder.hasError();
}

// A file that says what it is: a byte-order mark, or the first "<" of a UTF-16 or UTF-32
// file, which pugixml recognises itself.
bool declaresEncoding(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")
        || bytes.startsWith(QByteArray("<\0", 2)) || bytes.startsWith(QByteArray("\0<", 2))
        || bytes.startsWith(QByteArray("\0\0", 2));
}

bool parse(pugi::xml_document& doc, const QByteArray& bytes, QString* error)
{
    doc.reset();
    // A file that is not UTF-8 was saved in the ANSI code page by some other editor (a degree
    // sign typed in Notepad): read it as that rather than with replacement characters.
    QByteArray text = bytes;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (!declaresEncoding(bytes) && !isUtf8(bytes)) {
        text = fromAnsi(bytes).toUtf8();
        encoding = pugi::encoding_utf8;
    }
    // Parsed as a fragment so that text or a second element beside the root stays visible and
    // can be refused: pugixml would otherwise accept and drop it, and a corrupt file would read
    // as a good one. A value of blanks only is a value ("   " as a device name) and is kept.
    const pugi::xml_parse_result result = doc.load_buffer(
        text.constData(), size_t(text.size()),
        pugi::parse_default | pugi::parse_comments | pugi::parse_fragment | pugi::parse_ws_pcdata_single,
        encoding);
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

namespace {

// Collects the written text and writes every CR as "&#13;". pugixml escapes a CR in an
// attribute but writes it raw in element text, where any reader turns it into LF, so a value
// with a CR would come back changed. The only other places a raw CR could stand (comments,
// CDATA, processing instructions) are first given LF, which is what reading makes of them.
class CrEscapingWriter : public pugi::xml_writer {
public:
    QByteArray bytes;

    void write(const void* data, size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        const char* end = p + size;
        while (p < end) {
            const auto* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
            const char* stop = cr ? cr : end;
            bytes.append(p, qsizetype(stop - p));
            if (!cr)
                break;
            bytes.append("&#13;");
            p = cr + 1;
        }
    }
};

bool crOutsideText(const pugi::xml_node& node)
{
    for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_pcdata && n.type() != pugi::node_element && std::strchr(n.value(), '\r'))
            return true;
        if (crOutsideText(n))
            return true;
    }
    return false;
}

void crToLfOutsideText(pugi::xml_node node)
{
    for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_pcdata && n.type() != pugi::node_element && std::strchr(n.value(), '\r')) {
            std::string v = n.value();
            std::replace(v.begin(), v.end(), '\r', '\n');
            n.set_value(v.c_str());
        }
        crToLfOutsideText(n);
    }
}

} // namespace

QByteArray Document::toBytes() const
{
    const unsigned flags = pugi::format_indent | pugi::format_no_declaration;
    CrEscapingWriter out;
    if (crOutsideText(doc_)) {
        pugi::xml_document copy;
        copy.reset(doc_);
        crToLfOutsideText(copy);
        copy.save(out, "\t", flags, pugi::encoding_utf8);
    } else {
        doc_.save(out, "\t", flags, pugi::encoding_utf8);
    }
    return out.bytes;
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
