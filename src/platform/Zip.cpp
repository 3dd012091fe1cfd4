#include "platform/Zip.h"

#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zlib.h>

#include <limits>

namespace platform {

namespace {

constexpr std::uint32_t kLocalHeaderSig = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSig = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirSig = 0x06054b50;
constexpr std::uint16_t kVersion = 20;          // 2.0: deflate
constexpr std::uint16_t kFlagUtf8Name = 0x0800; // general purpose bit 11
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflate = 8;
constexpr std::uint32_t kMaxZip32 = std::numeric_limits<std::uint32_t>::max();
// Deflate gives at most about 1032 bytes per compressed byte (258 bytes for two bits); an
// entry claiming more than that cannot be genuine.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

void put16(QByteArray& out, std::uint16_t v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

std::uint16_t get16(const QByteArray& in, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(in.constData()) + at;
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t get32(const QByteArray& in, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(in.constData()) + at;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint32_t crcOf(const QByteArray& data)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    return std::uint32_t(crc32(crc, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

// Raw deflate (no zlib header), default level, as ZIP entries carry it.
bool deflateRaw(const QByteArray& in, QByteArray& out)
{
    z_stream s{};
    if (deflateInit2(&s, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(qsizetype(deflateBound(&s, uLong(in.size()))));
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    s.avail_in = uInt(in.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    const int rc = deflate(&s, Z_FINISH);
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return rc == Z_STREAM_END;
}

// Inflates in steps, growing the output as data comes, so a size the directory merely claims
// never decides an allocation; a stream that gives more than expectedSize is refused as soon
// as it does.
bool inflateRaw(const QByteArray& in, qsizetype expectedSize, QByteArray& out)
{
    z_stream s{};
    if (inflateInit2(&s, -15) != Z_OK)
        return false;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    s.avail_in = uInt(in.size());
    QByteArray result;
    char chunk[64 * 1024];
    int rc = Z_OK;
    while (rc == Z_OK) {
        s.next_out = reinterpret_cast<Bytef*>(chunk);
        s.avail_out = uInt(sizeof chunk);
        rc = inflate(&s, Z_NO_FLUSH);
        const auto produced = qsizetype(sizeof chunk - s.avail_out);
        if (result.size() + produced > expectedSize)
            break;
        result.append(chunk, produced);
    }
    inflateEnd(&s);
    if (rc != Z_STREAM_END || result.size() != expectedSize)
        return false;
    out = std::move(result);
    return true;
}

} // namespace

std::uint16_t dosTime(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    if (!local.isValid() || local.date().year() < 1980)
        return 0;
    const QTime tm = local.time();
    return std::uint16_t((tm.hour() << 11) | (tm.minute() << 5) | (tm.second() / 2));
}

std::uint16_t dosDate(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    if (!local.isValid() || local.date().year() < 1980)
        return std::uint16_t((0 << 9) | (1 << 5) | 1);
    const QDate d = local.date();
    // The year field has seven bits: 1980 to 2107.
    const int year = std::min(d.year(), 2107) - 1980;
    return std::uint16_t((year << 9) | (d.month() << 5) | d.day());
}

ZipWriter::ZipWriter() = default;

ZipWriter::~ZipWriter()
{
    if (file_)
        file_->cancelWriting();
}

bool ZipWriter::fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    if (file_) {
        file_->cancelWriting();
        file_.reset();
    }
    entries_.clear();
    return false;
}

bool ZipWriter::open(const QString& path, QString* error)
{
    if (file_)
        file_->cancelWriting();
    entries_.clear();
    written_ = 0;
    file_ = std::make_unique<QSaveFile>(path);
    if (!file_->open(QIODevice::WriteOnly))
        return fail(error, file_->errorString());
    return true;
}

bool ZipWriter::addFile(const QString& sourcePath, const QString& entryName, QString* error)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(error, sourcePath + QStringLiteral(": ") + source.errorString());
    const QByteArray data = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return fail(error, sourcePath + QStringLiteral(": ") + source.errorString());
    return addData(entryName, data, QFileInfo(sourcePath).lastModified(), error);
}

bool ZipWriter::addData(const QString& entryName, const QByteArray& data, const QDateTime& modified, QString* error)
{
    if (!file_)
        return fail(error, QStringLiteral("No archive is open"));
    Entry e;
    e.name = entryName.toUtf8();
    if (e.name.isEmpty() || e.name.size() > 0xFFFF)
        return fail(error, QStringLiteral("Invalid entry name"));
    QByteArray packed;
    if (!deflateRaw(data, packed))
        return fail(error, QStringLiteral("Compression failed"));
    if (std::uint64_t(data.size()) >= kMaxZip32 || entries_.size() >= 0xFFFF)
        return fail(error, QStringLiteral("Archive too large"));
    e.crc = crcOf(data);
    e.size = std::uint32_t(data.size());
    e.compressedSize = std::uint32_t(packed.size());
    e.dosTime = dosTime(modified);
    e.dosDate = dosDate(modified);
    e.headerOffset = std::uint32_t(written_);

    QByteArray header;
    put32(header, kLocalHeaderSig);
    put16(header, kVersion);
    put16(header, kFlagUtf8Name);
    put16(header, kMethodDeflate);
    put16(header, e.dosTime);
    put16(header, e.dosDate);
    put32(header, e.crc);
    put32(header, e.compressedSize);
    put32(header, e.size);
    put16(header, std::uint16_t(e.name.size()));
    put16(header, 0); // no extra field
    header.append(e.name);

    if (written_ + std::uint64_t(header.size()) + std::uint64_t(packed.size()) >= kMaxZip32)
        return fail(error, QStringLiteral("Archive too large"));
    if (file_->write(header) != header.size() || file_->write(packed) != packed.size())
        return fail(error, file_->errorString());
    written_ += std::uint64_t(header.size()) + std::uint64_t(packed.size());
    entries_.push_back(std::move(e));
    return true;
}

bool ZipWriter::close(QString* error)
{
    if (!file_)
        return fail(error, QStringLiteral("No archive is open"));
    QByteArray dir;
    for (const Entry& e : entries_) {
        put32(dir, kCentralHeaderSig);
        put16(dir, kVersion); // made by: MS-DOS attributes, version 2.0
        put16(dir, kVersion);
        put16(dir, kFlagUtf8Name);
        put16(dir, kMethodDeflate);
        put16(dir, e.dosTime);
        put16(dir, e.dosDate);
        put32(dir, e.crc);
        put32(dir, e.compressedSize);
        put32(dir, e.size);
        put16(dir, std::uint16_t(e.name.size()));
        put16(dir, 0);    // extra field
        put16(dir, 0);    // comment
        put16(dir, 0);    // disk
        put16(dir, 0);    // internal attributes
        put32(dir, 0x20); // external attributes: archive bit
        put32(dir, e.headerOffset);
        dir.append(e.name);
    }
    if (written_ + std::uint64_t(dir.size()) >= kMaxZip32)
        return fail(error, QStringLiteral("Archive too large"));
    QByteArray end;
    put32(end, kEndOfCentralDirSig);
    put16(end, 0);
    put16(end, 0);
    put16(end, std::uint16_t(entries_.size()));
    put16(end, std::uint16_t(entries_.size()));
    put32(end, std::uint32_t(dir.size()));
    put32(end, std::uint32_t(written_));
    put16(end, 0); // comment length
    if (file_->write(dir) != dir.size() || file_->write(end) != end.size())
        return fail(error, file_->errorString());
    QString reason;
    const bool committed = commitSaveFile(*file_, &reason);
    file_.reset();
    if (!committed)
        return fail(error, reason);
    entries_.clear();
    return true;
}

bool readZip(const QByteArray& archive, std::vector<ZipEntry>& entries, QString* error, std::uint64_t maxTotalSize)
{
    entries.clear();
    auto bad = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    // The end record sits at the end, before a comment of at most 65535 bytes.
    qsizetype endAt = -1;
    for (qsizetype at = archive.size() - 22; at >= 0 && at >= archive.size() - 22 - 0xFFFF; --at) {
        if (get32(archive, at) == kEndOfCentralDirSig) {
            endAt = at;
            break;
        }
    }
    if (endAt < 0)
        return bad(QStringLiteral("No end of central directory"));
    const std::uint16_t count = get16(archive, endAt + 10);
    const std::uint32_t dirSize = get32(archive, endAt + 12);
    const std::uint32_t dirOffset = get32(archive, endAt + 16);
    if (qsizetype(dirOffset) + qsizetype(dirSize) > endAt)
        return bad(QStringLiteral("Central directory out of range"));
    qsizetype at = dirOffset;
    std::uint64_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > endAt || get32(archive, at) != kCentralHeaderSig)
            return bad(QStringLiteral("Bad central directory entry"));
        ZipEntry e;
        e.flags = get16(archive, at + 8);
        e.method = get16(archive, at + 10);
        e.dosTime = get16(archive, at + 12);
        e.dosDate = get16(archive, at + 14);
        e.crc = get32(archive, at + 16);
        const std::uint32_t csize = get32(archive, at + 20);
        const std::uint32_t usize = get32(archive, at + 24);
        const std::uint16_t nameLen = get16(archive, at + 28);
        const std::uint16_t extraLen = get16(archive, at + 30);
        const std::uint16_t commentLen = get16(archive, at + 32);
        const std::uint32_t local = get32(archive, at + 42);
        if (at + 46 + nameLen > endAt)
            return bad(QStringLiteral("Bad central directory entry"));
        const QByteArray name = archive.mid(at + 46, nameLen);
        e.name = (e.flags & kFlagUtf8Name) ? QString::fromUtf8(name) : QString::fromLatin1(name);
        at += 46 + nameLen + extraLen + commentLen;

        if (qsizetype(local) + 30 > archive.size() || get32(archive, local) != kLocalHeaderSig)
            return bad(QStringLiteral("Bad local header of ") + e.name);
        const std::uint16_t localName = get16(archive, local + 26);
        const std::uint16_t localExtra = get16(archive, local + 28);
        if (archive.mid(local + 30, localName) != name)
            return bad(QStringLiteral("Local and central names differ for ") + e.name);
        const qsizetype dataAt = qsizetype(local) + 30 + localName + localExtra;
        if (dataAt + qsizetype(csize) > archive.size())
            return bad(QStringLiteral("Truncated entry ") + e.name);
        // Sizes are taken from the directory: check them against what the data can give
        // before anything is allocated for them.
        if (e.method == kMethodDeflate && std::uint64_t(usize) > kMaxDeflateRatio * csize)
            return bad(QStringLiteral("Impossible size %1 for %2 packed bytes in ").arg(usize).arg(csize) + e.name);
        total += usize;
        if (total > maxTotalSize)
            return bad(QStringLiteral("The archive unpacks to more than %1 bytes").arg(maxTotalSize));
        const QByteArray packed = archive.mid(dataAt, csize);
        if (e.method == kMethodDeflate) {
            if (!inflateRaw(packed, qsizetype(usize), e.data))
                return bad(QStringLiteral("Cannot inflate ") + e.name);
        } else if (e.method == kMethodStored && csize == usize) {
            e.data = packed;
        } else {
            return bad(QStringLiteral("Unsupported method in ") + e.name);
        }
        if (crcOf(e.data) != e.crc)
            return bad(QStringLiteral("CRC mismatch in ") + e.name);
        entries.push_back(std::move(e));
    }
    return true;
}

} // namespace platform
