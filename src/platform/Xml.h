#pragma once
// The XML document of the project and settings files, on pugixml, with the files' convention:
// the writer starts from an empty document, adds the root element and (for project files) the
// comment "SW_VERSION = 1.000" after it, writes no XML declaration and replaces the whole
// file; the reader takes the first element as the root, finds children by exact name (first
// match) and treats a flag as set only by the exact text "1".

#include <pugixml.hpp>

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace platform::xml {

// A required value is missing or the file is not well-formed.
class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kSwVersionComment = "SW_VERSION = 1.000";

class Document {
public:
    // Loads a file; false (and error, when given) when it is missing or not well-formed.
    bool load(const QString& path, QString* error = nullptr);
    bool loadBytes(const QByteArray& bytes, QString* error = nullptr);

    // The first element of the document, skipping a declaration, comments and whitespace;
    // an empty node when there is none. Its name is not checked.
    pugi::xml_node root() const;

    void clear();
    // Empties the document and adds the root of a project file followed by the version comment.
    pugi::xml_node startProject(const char* rootName);
    // Empties the document and adds a bare root (the settings file has no comment).
    pugi::xml_node startPlain(const char* rootName);

    // The document as written to disk: UTF-8, no declaration, one element per line.
    QByteArray toBytes() const;
    // Replaces the file through a temporary file; false (and error) on failure.
    bool save(const QString& path, QString* error = nullptr) const;

    pugi::xml_document& doc() { return doc_; }
    const pugi::xml_document& doc() const { return doc_; }

private:
    pugi::xml_document doc_;
};

// Parses a whole file in place, for readers that take attributes from large files and drop
// the document at once: the file is read into one buffer that the document parses and then
// owns, so the file is held once, beside its nodes. The options are the caller's (only what
// it reads need be parsed); the document-level checks of load() apply, and a file that is
// not UTF-8 and names no other encoding (no byte-order mark, no declared one) is read in the
// ANSI code page, as load() reads it. False,
// with the document empty, when the file cannot be read or is not well-formed; error then
// holds the reason and, where the parser names a place, " at line L, column C".
bool loadFileInPlace(pugi::xml_document& doc, const QString& path, unsigned options, QString* error = nullptr);

// Hands the memory of a released large document back to the system. Its nodes lie between
// allocations that outlive it, so the C library would otherwise keep the freed space resident.
void releaseFreedMemory();

QString toQString(const char* utf8);

// First child element with exactly this name; empty node when absent or parent is empty.
pugi::xml_node child(pugi::xml_node parent, const char* name);
// The element's text ("" for an empty or missing node).
QString text(pugi::xml_node node);
// Text of the named child, or def when the child is missing.
QString childText(pugi::xml_node parent, const char* name, const QString& def = QString());
// True only when the named child exists and its text is exactly "1".
bool childFlag(pugi::xml_node parent, const char* name);
// Attribute value, or def when missing.
QString attr(pugi::xml_node node, const char* name, const QString& def);
// Attribute value; throws XmlError naming the attribute when it is missing.
QString attrRequired(pugi::xml_node node, const char* name);

// Appends a child element carrying text (no text node when text is empty).
pugi::xml_node addChild(pugi::xml_node parent, const char* name, const QString& text = QString());
// Appends a child element with "1" or "0".
pugi::xml_node addFlag(pugi::xml_node parent, const char* name, bool value);
void setAttr(pugi::xml_node node, const char* name, const QString& value);

} // namespace platform::xml
