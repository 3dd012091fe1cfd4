#include "platform/ComponentStream.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace platform {

namespace {

const QByteArray kSignature = QByteArrayLiteral("TPF0");

struct NamedColor {
    const char* name;
    TColor value;
};
// The colours the platform streams by name.
const NamedColor kColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
};

bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), std::size_t(a.size())) == 0;
}

[[noreturn]] void invalidFormat()
{
    throw EReadError(EReadError::invalidFormatText());
}

} // namespace

// ---- extended floats ---------------------------------------------------------------------------

void doubleToExtended(double v, unsigned char out[10])
{
    quint64 mantissa = 0;
    quint16 exponent = 0;
    if (std::isnan(v)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(v)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (v != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(v), &e); // |v| = m * 2^e, m in [0.5, 1)
        exponent = quint16(e - 1 + 16383);
        mantissa = quint64(std::ldexp(m, 64)); // exact: a double has 53 significant bits
    }
    if (std::signbit(v))
        exponent |= 0x8000;
    qToLittleEndian(mantissa, out);
    qToLittleEndian(exponent, out + 8);
}

double extendedToDouble(const unsigned char in[10])
{
    const quint64 mantissa = qFromLittleEndian<quint64>(in);
    const quint16 se = qFromLittleEndian<quint16>(in + 8);
    const bool negative = se & 0x8000;
    const int exponent = se & 0x7FFF;
    double v;
    if (exponent == 0x7FFF)
        v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    else
        v = std::ldexp(double(mantissa), exponent - 16383 - 63);
    return negative ? -v : v;
}

// ---- writing ------------------------------------------------------------------------------------

void ComponentWriter::grow(qsizetype n)
{
    buf.resize(std::max(len + n, 2 * buf.size() + 256));
}

void ComponentWriter::raw(const char* p, qsizetype n)
{
    if (n > 0)
        std::memcpy(room(n), p, std::size_t(n));
}

void ComponentWriter::le32(qint32 v)
{
    qToLittleEndian<qint32>(v, room(4));
}

void ComponentWriter::beginComponent(QByteArrayView className)
{
    raw(kSignature.constData(), kSignature.size());
    shortStr(className);
    byte(0); // the empty component name
}

void ComponentWriter::endComponent()
{
    byte(vaNull);
    byte(vaNull);
}

void ComponentWriter::shortStr(QByteArrayView s)
{
    const qsizetype n = std::min<qsizetype>(s.size(), 255);
    byte(quint8(n));
    raw(s.data(), n);
}

void ComponentWriter::integer(qint32 v)
{
    if (v >= -128 && v <= 127) {
        byte(vaInt8);
        byte(quint8(qint8(v)));
    } else if (v >= -32768 && v <= 32767) {
        byte(vaInt16);
        qToLittleEndian<qint16>(qint16(v), room(2));
    } else {
        byte(vaInt32);
        le32(v);
    }
}

void ComponentWriter::identifier(QByteArrayView s)
{
    byte(vaIdent);
    shortStr(s);
}

void ComponentWriter::string(QStringView s)
{
    // Most cell texts are plain ASCII: those go without making a UTF-8 form first.
    bool ascii = true;
    for (QChar c : s)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    // An empty text counts as wide: its UTF-8 form (0 bytes) is twice its length.
    if (ascii && !s.isEmpty()) {
        if (s.size() >= 256) {
            byte(vaLString);
            le32(qint32(s.size()));
        } else {
            byte(vaString);
            byte(quint8(s.size()));
        }
        char* p = room(s.size());
        const char16_t* d = s.utf16();
        for (qsizetype i = 0; i < s.size(); ++i)
            p[i] = char(d[i]);
        return;
    }
    const QByteArray utf8 = s.toUtf8();
    if (utf8.size() >= 2 * s.size()) {
        byte(vaWString);
        le32(qint32(s.size()));
        if (!s.isEmpty())
            qToLittleEndian<quint16>(s.utf16(), s.size(), room(2 * s.size()));
    } else {
        byte(vaUTF8String);
        le32(qint32(utf8.size()));
        raw(utf8.constData(), utf8.size());
    }
}

void ComponentWriter::set(unsigned bits, const QStringList& names)
{
    byte(vaSet);
    for (int i = 0; i < names.size(); ++i)
        if (bits & (1u << i))
            shortStr(names[i].toLatin1());
    byte(0);
}

QString colorIdent(TColor c)
{
    for (const NamedColor& n : kColors)
        if (n.value == c)
            return QString::fromLatin1(n.name);
    return {};
}

bool identToColor(const QString& name, TColor& c)
{
    for (const NamedColor& n : kColors)
        if (name == QLatin1String(n.name)) {
            c = n.value;
            return true;
        }
    return false;
}

void ComponentWriter::color(TColor c)
{
    const QString name = colorIdent(c);
    if (!name.isEmpty()) {
        ident(name.toLatin1());
        return;
    }
    integer(qint32(c));
}

void ComponentWriter::lines(const QStringList& l)
{
    byte(vaList);
    for (const QString& s : l)
        string(s);
    byte(vaNull);
}

void ComponentWriter::extended(double v)
{
    byte(vaExtended);
    doubleToExtended(v, reinterpret_cast<unsigned char*>(room(10)));
}

void ComponentWriter::binary(const QByteArray& data)
{
    byte(vaBinary);
    le32(qint32(data.size()));
    raw(data.constData(), data.size());
}

// ---- reading ------------------------------------------------------------------------------------

QByteArrayView ComponentReader::beginComponent(QByteArrayView className)
{
    if (!sameBytes(takeView(4), kSignature))
        invalidFormat();
    if ((peek() & 0xF0) == 0xF0) // filer flags of an inherited or inline component
        byte();
    const QByteArrayView cls = shortView();
    if (!className.isEmpty() && !sameBytes(cls, className))
        invalidFormat();
    shortView(); // component name
    return cls;
}

quint8 ComponentReader::byte()
{
    if (at >= in.size())
        throw EReadError();
    return quint8(in[at++]);
}

quint8 ComponentReader::peek() const
{
    if (at >= in.size())
        throw EReadError();
    return quint8(in[at]);
}

QByteArray ComponentReader::take(qsizetype n)
{
    if (n < 0 || n > in.size() - at)
        throw EReadError();
    const QByteArray r = in.mid(at, n);
    at += n;
    return r;
}

QByteArrayView ComponentReader::takeView(qsizetype n)
{
    if (n < 0 || n > in.size() - at)
        throw EReadError();
    const QByteArrayView r(in.constData() + at, n);
    at += n;
    return r;
}

qint64 ComponentReader::integer()
{
    switch (byte()) {
    case vaInt8:
        return qint8(byte());
    case vaInt16:
        return qFromLittleEndian<qint16>(takeView(2).data());
    case vaInt32:
        return qFromLittleEndian<qint32>(takeView(4).data());
    case vaInt64:
        return qFromLittleEndian<qint64>(takeView(8).data());
    default:
        invalidFormat();
    }
}

int ComponentReader::int32()
{
    const qint64 v = integer();
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        invalidFormat();
    return int(v);
}

bool ComponentReader::boolean()
{
    const quint8 t = byte();
    if (t != vaTrue && t != vaFalse)
        invalidFormat();
    return t == vaTrue;
}

QString ComponentReader::ident()
{
    if (byte() != vaIdent)
        invalidFormat();
    return QString::fromLatin1(shortStr());
}

QString ComponentReader::string()
{
    QString s;
    string(s);
    return s;
}

void ComponentReader::string(QString& s)
{
    auto length = [this] { return qsizetype(qFromLittleEndian<qint32>(takeView(4).data())); };
    auto latin1 = [&s](QByteArrayView b) {
        s.resize(b.size());
        auto* d = reinterpret_cast<char16_t*>(s.data());
        for (qsizetype i = 0; i < b.size(); ++i)
            d[i] = char16_t(uchar(b[i]));
    };
    switch (byte()) {
    case vaString:
        latin1(shortView());
        return;
    case vaLString:
        latin1(takeView(length()));
        return;
    case vaUTF8String:
        s = QString::fromUtf8(takeView(length()));
        return;
    case vaWString: {
        const qsizetype n = length();
        if (n < 0 || n > (in.size() - at) / 2)
            throw EReadError();
        s.resize(n);
        qFromLittleEndian<quint16>(in.constData() + at, n, s.data());
        at += 2 * n;
        return;
    }
    default:
        invalidFormat();
    }
}

unsigned ComponentReader::set(const QStringList& names)
{
    if (byte() != vaSet)
        invalidFormat();
    unsigned bits = 0;
    for (QByteArray n = shortStr(); !n.isEmpty(); n = shortStr()) {
        const int i = names.indexOf(QString::fromLatin1(n));
        if (i < 0)
            invalidFormat();
        bits |= 1u << i;
    }
    return bits;
}

TColor ComponentReader::color()
{
    if (peek() != vaIdent)
        return TColor(quint32(integer()));
    TColor c = 0;
    if (!identToColor(ident(), c))
        invalidFormat();
    return c;
}

int ComponentReader::enumValue(const QStringList& names)
{
    const int i = names.indexOf(ident());
    if (i < 0)
        invalidFormat();
    return i;
}

QStringList ComponentReader::lines()
{
    if (byte() != vaList)
        invalidFormat();
    QStringList l;
    while (peek() != vaNull)
        l << string();
    byte();
    return l;
}

double ComponentReader::extended()
{
    if (peek() != vaExtended)
        return double(integer());
    byte();
    return extendedToDouble(reinterpret_cast<const unsigned char*>(takeView(10).data()));
}

QByteArray ComponentReader::binary()
{
    if (byte() != vaBinary)
        invalidFormat();
    return take(qsizetype(qFromLittleEndian<qint32>(takeView(4).data())));
}

QString ComponentReader::reference()
{
    if (peek() == vaNil) {
        byte();
        return {};
    }
    return ident();
}

} // namespace platform
