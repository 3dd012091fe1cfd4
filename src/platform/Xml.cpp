#include "platform/Xml.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform::xml {

namespace {

// Fragments are parsed so that text or a second element beside the root stays visible and
// can be refused: pugixml would otherwise accept and drop it, and a corrupt file would read as
// a good one. Empty when the fragment is one document; otherwise the reason, with where set to
// the offending node (empty when there is no element at all).
QString documentLevelProblem(const pugi::xml_document& doc, pugi::xml_node* where = nullptr)
{
    int elements = 0;
    pugi::xml_node stray;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element) {
            if (++elements == 2 && !stray)
                stray = n;
        } else if ((n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) && !stray) {
            stray = n;
        }
    }
    if (where)
        *where = stray;
    if (elements == 0)
        return QStringLiteral("No document element found");
    if (stray)
        return QStringLiteral("Content outside the document element");
    return {};
}

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

// True when the XML declaration names an encoding other than UTF-8 (ISO-8859-1, say), which
// the parser then applies itself.
bool declaresOtherEncoding(QByteArrayView bytes)
{
    const QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 256)).toByteArray();
    if (!head.startsWith("<?xml"))
        return false;
    const qsizetype end = head.indexOf("?>");
    const QByteArray decl = head.left(end < 0 ? head.size() : end);
    const qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return false;
    qsizetype i = at + 8;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '=' || decl[i] == '\t'))
        ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return false;
    const qsizetype close = decl.indexOf(decl[i], i + 1);
    const QByteArray name = decl.mid(i + 1, close < 0 ? -1 : close - i - 1).trimmed().toLower();
    return name != "utf-8" && name != "utf8";
}

// True for the one-byte forms the parser reads as they are (UTF-8, or text converted to it).
bool isByteText(QByteArrayView bytes)
{
    return !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") && !bytes.startsWith(QByteArrayView("<\0", 2))
           && !bytes.startsWith(QByteArrayView("\0<", 2)) && !bytes.startsWith(QByteArrayView("\0\0", 2));
}

// A reference to character 0 ("&#0;", "&#x00;") names a character no XML document may hold;
// the parser would put a NUL into the value and so cut it there. Such references are dropped
// and the value keeps the rest of its text. Comments, CDATA sections and processing
// instructions are left alone, where the same letters are plain text. Works in place and
// answers the new size.
std::size_t dropNulReferences(char* d, std::size_t n)
{
    auto startsAt = [&](std::size_t i, std::string_view what) {
        return n - i >= what.size() && std::memcmp(d + i, what.data(), what.size()) == 0;
    };
    auto skipTo = [&](std::size_t i, std::string_view end) {
        for (; i < n; ++i)
            if (startsAt(i, end))
                return i + end.size();
        return n;
    };
    // Quick exit for the usual file without any character reference to zero.
    bool any = false;
    for (std::size_t i = 0; i + 2 < n && !any; ++i)
        any = d[i] == '&' && d[i + 1] == '#' && (d[i + 2] == '0' || d[i + 2] == 'x');
    if (!any)
        return n;
    std::size_t out = 0;
    std::size_t i = 0;
    auto copy = [&](std::size_t to) {
        if (out != i)
            std::memmove(d + out, d + i, to - i);
        out += to - i;
        i = to;
    };
    while (i < n) {
        if (startsAt(i, "<!--")) {
            copy(skipTo(i + 4, "-->"));
        } else if (startsAt(i, "<![CDATA[")) {
            copy(skipTo(i + 9, "]]>"));
        } else if (startsAt(i, "<?")) {
            copy(skipTo(i + 2, "?>"));
        } else if (startsAt(i, "&#")) {
            std::size_t k = i + 2;
            const bool hex = k < n && d[k] == 'x';
            if (hex)
                ++k;
            const std::size_t digits = k;
            while (k < n && d[k] == '0')
                ++k;
            if (k > digits && k < n && d[k] == ';')
                i = k + 1; // dropped
            else
                copy(i + 2);
        } else {
            copy(i + 1);
        }
    }
    return out;
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
    if (isByteText(text))
        text.truncate(qsizetype(dropNulReferences(text.data(), size_t(text.size()))));
    // A value of blanks only is a value ("   " as a device name) and is kept.
    const pugi::xml_parse_result result = doc.load_buffer(
        text.constData(), size_t(text.size()),
        pugi::parse_default | pugi::parse_comments | pugi::parse_fragment | pugi::parse_ws_pcdata_single, encoding);
    QString problem;
    if (!result) {
        problem = QStringLiteral("%1 at offset %2").arg(QString::fromUtf8(result.description())).arg(result.offset);
    } else {
        problem = documentLevelProblem(doc);
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        doc.reset();
        return false;
    }
    return true;
}

// " at line L, column C" (from 1; columns in characters) for an offset into the text the parser
// worked on. That text is the file in UTF-8, converted by the parser when the file came in
// another encoding, and the in-place parse has overwritten it: the file is read again and
// converted the same way. Empty when the file cannot be read again.
QString placeOf(const QString& path, ptrdiff_t offset, pugi::xml_encoding encoding, bool ansi = false)
{
    QByteArray text;
    if (offset < 0 || !readFile(path, text))
        return {};
    if (ansi)
        text = fromAnsi(text).toUtf8();
    std::optional<QStringConverter::Encoding> from;
    switch (encoding) {
    case pugi::encoding_utf16_le:
        from = QStringConverter::Utf16LE;
        break;
    case pugi::encoding_utf16_be:
        from = QStringConverter::Utf16BE;
        break;
    case pugi::encoding_utf32_le:
        from = QStringConverter::Utf32LE;
        break;
    case pugi::encoding_utf32_be:
        from = QStringConverter::Utf32BE;
        break;
    case pugi::encoding_latin1:
        from = QStringConverter::Latin1;
        break;
    default:
        break;
    }
    if (from) {
        QStringDecoder decode(*from, QStringConverter::Flag::ConvertInitialBom);
        text = QString(decode(text)).toUtf8();
    }
    qint64 line = 1;
    qint64 column = 1;
    const qsizetype end = std::min<qsizetype>(qsizetype(offset), text.size());
    for (qsizetype i = 0; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            column = 1;
        } else if (c != '\r' && (c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return QStringLiteral(" at line %1, column %2").arg(line).arg(column);
}

// The whole file in a buffer from pugixml's allocator, which the document takes over.
bool readIntoBuffer(const QString& path, char*& buffer, size_t& size, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const qint64 length = file.size();
    buffer = nullptr;
    size = 0;
    if (length > 0) {
        if (quint64(length) > std::numeric_limits<size_t>::max() / 2
            || !(buffer = static_cast<char*>(pugi::get_memory_allocation_function()(size_t(length))))) {
            if (error)
                *error = QStringLiteral("Not enough memory to read a file of %1 bytes").arg(length);
            return false;
        }
    }
    // A file that shrinks while it is read is taken as far as it goes.
    while (qint64(size) < length) {
        const qint64 got = file.read(buffer + size, length - qint64(size));
        if (got < 0) {
            if (error)
                *error = file.errorString();
            pugi::get_memory_deallocation_function()(buffer);
            return false;
        }
        if (got == 0)
            break;
        size += size_t(got);
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

bool loadFileInPlace(pugi::xml_document& doc, const QString& path, unsigned options, QString* error)
{
    doc.reset();
    char* buffer = nullptr;
    size_t size = 0;
    if (!readIntoBuffer(path, buffer, size, error))
        return false;
    QString problem;
    ptrdiff_t offset = -1;
    pugi::xml_parse_result result;
    // A file that says nothing of its encoding and is not UTF-8 was saved in the ANSI code
    // page, as the project files are read: its names keep their accents.
    pugi::xml_encoding encoding = pugi::encoding_auto;
    bool ansi = false;
    if (size > 0) {
        const QByteArray view = QByteArray::fromRawData(buffer, qsizetype(size));
        if (!declaresEncoding(view) && !declaresOtherEncoding(view) && !isUtf8(view)) {
            const QByteArray text = fromAnsi(view).toUtf8();
            pugi::get_memory_deallocation_function()(buffer);
            buffer = static_cast<char*>(pugi::get_memory_allocation_function()(size_t(text.size())));
            if (!buffer) {
                if (error)
                    *error = QStringLiteral("Not enough memory to read a file of %1 bytes").arg(text.size());
                return false;
            }
            std::memcpy(buffer, text.constData(), size_t(text.size()));
            size = size_t(text.size());
            encoding = pugi::encoding_utf8;
            ansi = true;
        }
        if (isByteText(QByteArrayView(buffer, qsizetype(size))))
            size = dropNulReferences(buffer, size);
    }
    if (size == 0) {
        pugi::get_memory_deallocation_function()(buffer);
        problem = QStringLiteral("No document element found");
    } else {
        // The document owns the buffer from here on, whatever the outcome.
        result = doc.load_buffer_inplace_own(buffer, size, options | pugi::parse_fragment, encoding);
        if (!result) {
            problem = QString::fromUtf8(result.description());
            offset = result.offset;
        } else {
            pugi::xml_node where;
            problem = documentLevelProblem(doc, &where);
            if (where)
                offset = where.offset_debug();
        }
    }
    if (problem.isEmpty())
        return true;
    doc.reset();
    if (error)
        *error = problem + placeOf(path, offset, result.encoding, ansi);
    return false;
}

void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
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
