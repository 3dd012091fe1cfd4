#include "platform/TextCodec.h"

#include "platform/Files.h"

#include <QStringDecoder>

#include <array>
#include <cstring>

namespace platform {

namespace {

// Unicode of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int ansiByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHighControls.size()); ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

// True when some byte lies in 0x80..0x9F, the only bytes Windows-1252 and Latin-1 read apart;
// eight bytes at a time.
bool hasHighControls(QByteArrayView bytes)
{
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHigh = 0x8080808080808080ULL;
    constexpr quint64 kTop3 = 0xE0E0E0E0E0E0E0E0ULL;
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        const quint64 x = (w & kTop3) ^ kHigh; // a zero byte where the byte is 100xxxxx
        if ((x - kOnes) & ~x & kHigh)
            return true;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) - 0x80u < 0x20u)
            return true;
    return false;
}

// Checks p[0..n) as UTF-8: -1 at an invalid sequence, else the length of the valid part,
// which falls short of n only by an incomplete sequence at the end. ASCII goes eight bytes at
// a time.
qsizetype utf8Prefix(const unsigned char* p, qsizetype n, bool& nonAscii)
{
    constexpr quint64 kHigh = 0x8080808080808080ULL;
    qsizetype i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            quint64 w;
            std::memcpy(&w, p + i, 8);
            if (!(w & kHigh)) {
                i += 8;
                continue;
            }
        }
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        int len = 0;
        unsigned lo = 0x80, hi = 0xBF; // the second byte's range
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c == 0xE0) {
            len = 3;
            lo = 0xA0;
        } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
            len = 3;
        } else if (c == 0xED) {
            len = 3;
            hi = 0x9F;
        } else if (c == 0xF0) {
            len = 4;
            lo = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            len = 4;
        } else if (c == 0xF4) {
            len = 4;
            hi = 0x8F;
        } else {
            return -1;
        }
        for (int k = 1; k < len; ++k) {
            if (i + k >= n)
                return i;
            const unsigned b = p[i + k];
            if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
                return -1;
        }
        i += len;
    }
    return n;
}

const unsigned char* bytesOf(QByteArrayView b)
{
    return reinterpret_cast<const unsigned char*>(b.data());
}

} // namespace

void Utf8Check::add(QByteArrayView bytes)
{
    if (bad_)
        return;
    qsizetype from = 0;
    // A sequence the last block cut off is completed byte by byte first.
    while (!carry_.isEmpty()) {
        if (from >= bytes.size())
            return;
        carry_ += bytes[from++];
        const qsizetype done = utf8Prefix(bytesOf(carry_), carry_.size(), nonAscii_);
        if (done < 0) {
            bad_ = true;
            return;
        }
        if (done == carry_.size())
            carry_.clear();
    }
    const QByteArrayView rest = bytes.sliced(from);
    const qsizetype done = utf8Prefix(bytesOf(rest), rest.size(), nonAscii_);
    if (done < 0) {
        bad_ = true;
        return;
    }
    carry_ = rest.sliced(done).toByteArray();
}

bool isNonAsciiUtf8(QByteArrayView bytes)
{
    bool nonAscii = false;
    return utf8Prefix(bytesOf(bytes), bytes.size(), nonAscii) == bytes.size() && nonAscii;
}

QString fromAnsi(const QByteArray& bytes)
{
    QString out;
    appendAnsi(out, bytes);
    return out;
}

// Most text is ASCII: Latin-1 is Windows-1252 outside 0x80..0x9F, so only those bytes need a
// second look.
void appendAnsi(QString& text, QByteArrayView bytes)
{
    const qsizetype old = text.size();
    text.resize(old + bytes.size());
    QStringDecoder latin1(QStringDecoder::Latin1);
    latin1.appendToBuffer(text.data() + old, bytes);
    if (hasHighControls(bytes)) {
        auto* d = reinterpret_cast<char16_t*>(text.data());
        for (qsizetype i = old; i < text.size(); ++i)
            if (d[i] >= 0x80 && d[i] < 0xA0)
                d[i] = kHighControls[d[i] - 0x80];
    }
}

QByteArray toAnsi(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c < 0x80) {
            dst[k++] = char(c);
            continue;
        }
        // A character beyond the 16-bit range is one character: one '?', not one per half.
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
            ++i;
        const int b = ansiByte(c);
        dst[k++] = b < 0 ? '?' : char(b);
    }
    out.truncate(k);
    return out;
}

bool isAnsiRepresentable(const QString& text)
{
    for (const QChar c : text)
        if (ansiByte(c.unicode()) < 0)
            return false;
    return true;
}

QString decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QString out;
        out.reserve((bytes.size() - 2) / 2);
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            out.append(QChar(char16_t(little ? (b << 8 | a) : (a << 8 | b))));
        }
        return out;
    }
    if (isNonAsciiUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromAnsi(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool readTextLines(const QString& path, QStringList& lines)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    lines = splitLines(decodeText(bytes));
    return true;
}

bool writeAnsiFile(const QString& path, const QString& text, QString* error)
{
    return replaceFile(path, toAnsi(text), error);
}

} // namespace platform
