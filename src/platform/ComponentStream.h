#pragma once
// The binary component-stream layout that the grid's streams share (the column stream, the
// binary cell stream): a component is the signature "TPF0", its class name and component name
// as length-prefixed 8-bit strings, its properties as name and value pairs, a zero byte ending
// the properties and one ending the (empty) list of children. A value is a one-byte tag and its
// payload, all numbers little-endian.
//
// The writer appends to a byte array; the reader walks a byte array and checks every length
// against what is left before it takes anything, so a stream from another process can claim
// any size without making the reader allocate it. Failures of the stream itself raise
// EReadError; the callers add their own messages for what the stream means.

#include "platform/Colors.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <stdexcept>

namespace platform {

enum TValueType : quint8 {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20
};

// The platform's stream and file-stream errors, with their fixed texts.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString& message) : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& Message() const { return msg; }

private:
    QString msg;
};
// A stream that ends early or does not hold what its reader expects.
class EReadError : public EStreamError {
public:
    static QString readErrorText() { return QStringLiteral("Stream read error"); }
    static QString invalidFormatText() { return QStringLiteral("Invalid stream format"); }
    explicit EReadError(const QString& message = readErrorText()) : EStreamError(message) {}
};
class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError(QStringLiteral("Stream write error")) {}
};
// A file that cannot be opened for reading, or created or replaced for writing.
class EFOpenError : public EStreamError {
public:
    EFOpenError(const QString& path, const QString& reason)
        : EStreamError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason))
    {
    }
};
class EFCreateError : public EStreamError {
public:
    EFCreateError(const QString& path, const QString& reason)
        : EStreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason))
    {
    }
};

// The platform's colour names ("clWindow", "clNone", ...): the name of a colour that has one
// (empty otherwise), and the colour of a name (false for a text that names none). The
// component streams and the grid's look file share them.
QString colorIdent(TColor c);
bool identToColor(const QString& name, TColor& c);

class ComponentWriter {
public:
    // The bytes written so far: a view valid until the next write, or a copy.
    QByteArrayView bytes() const { return QByteArrayView(buf.constData(), len); }
    QByteArray data() const { return QByteArray(buf.constData(), len); }

    // "TPF0", the class name and the empty component name.
    void beginComponent(QByteArrayView className);
    // The ends of the property list and of the list of children.
    void endComponent();

    void byte(quint8 b) { *room(1) = char(b); }
    // At most 255 bytes; longer names are cut.
    void shortStr(QByteArrayView s);
    void name(const char* n) { shortStr(QByteArrayView(n)); }
    // The smallest of the 8-, 16- and 32-bit forms that holds v.
    void integer(qint32 v);
    void ident(const QByteArray& s) { identifier(s); }
    void ident(const QString& s) { identifier(s.toLatin1()); }
    void ident(const char* s) { identifier(QByteArrayView(s)); }
    void boolean(bool v) { byte(v ? vaTrue : vaFalse); }
    // UTF-16 when its UTF-8 form is at least twice its character count, UTF-8 when it holds any
    // byte of 128 or more, otherwise an 8-bit string, with a four-byte length from 256 bytes on.
    void string(QStringView s);
    // The names of the bits set, ended by an empty name.
    void set(unsigned bits, const QStringList& names);
    // A colour with a name as its identifier, any other as its number.
    void color(TColor c);
    // A list of strings.
    void lines(const QStringList& l);
    // A 10-byte extended float.
    void extended(double v);
    // A binary block with a four-byte length.
    void binary(const QByteArray& data);

private:
    // Space for n more bytes at the end; a stream of a million records grows its buffer a few
    // dozen times, never once per value.
    char* room(qsizetype n)
    {
        if (n > buf.size() - len)
            grow(n);
        char* p = buf.data() + len;
        len += n;
        return p;
    }
    void grow(qsizetype n);
    void raw(const char* p, qsizetype n);
    void identifier(QByteArrayView s);
    void le32(qint32 v);

    QByteArray buf;
    qsizetype len = 0;
};

class ComponentReader {
public:
    explicit ComponentReader(QByteArray data) : in(std::move(data)) {}

    qsizetype pos() const { return at; }
    qsizetype size() const { return in.size(); }
    bool atEnd() const { return at >= in.size(); }

    // "TPF0", filer flags, the class name (EReadError when it is not className; any class when
    // className is empty) and the component name. Answers the class name (valid while the
    // reader lives).
    QByteArrayView beginComponent(QByteArrayView className = {});
    // True at the zero byte that ends a property or item list (not taken).
    bool atListEnd() const { return peek() == vaNull; }

    quint8 byte();
    quint8 peek() const;
    QByteArray take(qsizetype n);
    QByteArray shortStr() { return take(byte()); }
    // The same without a copy; valid while the reader lives.
    QByteArrayView takeView(qsizetype n);
    QByteArrayView shortView() { return takeView(byte()); }

    qint64 integer();
    int int32();
    bool boolean();
    QString ident();
    QString string();
    // The same into s, reusing its storage: a reader of many texts allocates none per text.
    void string(QString& s);
    unsigned set(const QStringList& names);
    TColor color();
    // The index of the identifier in names.
    int enumValue(const QStringList& names);
    QStringList lines();
    // An extended float; an integer is taken as well.
    double extended();
    QByteArray binary();
    // The identifier of a component reference, or nothing for nil.
    QString reference();

private:
    QByteArray in;
    qsizetype at = 0;
};

// 10-byte extended floats (sign, 15-bit exponent, 64-bit mantissa with its integer bit).
void doubleToExtended(double v, unsigned char out[10]);
double extendedToDouble(const unsigned char in[10]);

} // namespace platform
