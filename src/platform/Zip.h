#pragma once
// ZIP archives on zlib: a writer for packages of a few files (deflate, bare entry names in
// UTF-8, DOS time stamps, central directory) and a reader that checks and unpacks them.
// The writer builds the archive in a temporary file beside the target and puts it in place
// only on a successful close, so a failed run never leaves half a package or destroys the
// previous one.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QSaveFile;

namespace platform {

class ZipWriter {
public:
    ZipWriter();
    // Discards an archive that was opened but not closed; the target stays as it was.
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Starts a new archive that will replace path on close().
    bool open(const QString& path, QString* error = nullptr);
    // Adds a file from disk under entryName, deflated, stamped with its modification time.
    bool addFile(const QString& sourcePath, const QString& entryName, QString* error = nullptr);
    // Adds bytes under entryName, deflated, stamped with modified (local time).
    bool addData(const QString& entryName, const QByteArray& data, const QDateTime& modified, QString* error = nullptr);
    // Writes the central directory and replaces the target with the finished archive.
    bool close(QString* error = nullptr);

private:
    struct Entry {
        QByteArray name;
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t size = 0;
        std::uint16_t dosTime = 0;
        std::uint16_t dosDate = 0;
        std::uint32_t headerOffset = 0;
    };
    bool fail(QString* error, const QString& text);

    std::unique_ptr<QSaveFile> file_;
    std::vector<Entry> entries_;
    std::uint64_t written_ = 0;
};

// DOS date and time of a local date-time (two-second steps); dates before 1980 become
// 1980-01-01 00:00, the earliest a ZIP entry can carry.
std::uint16_t dosTime(const QDateTime& t);
std::uint16_t dosDate(const QDateTime& t);

// One entry of an archive read back.
struct ZipEntry {
    QString name;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0;
    std::uint32_t crc = 0;
    QByteArray data;
};

// What all entries of an archive read back may unpack to together; the packages the program
// makes hold a description and three pictures of well under a megabyte.
inline constexpr std::uint64_t kZipMaxTotalSize = 64 * 1024 * 1024;

// Reads every entry of an archive through its central directory, inflating deflated entries
// and checking each CRC and size. False (and error) on any fault, and for an entry whose
// claimed size its packed data cannot give or entries that together unpack to more than
// maxTotalSize.
bool readZip(const QByteArray& archive, std::vector<ZipEntry>& entries, QString* error = nullptr,
             std::uint64_t maxTotalSize = kZipMaxTotalSize);

} // namespace platform
