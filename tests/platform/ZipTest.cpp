// ZIP writer and reader: entries come back in order with bare UTF-8 names, deflated, with the
// DOS stamp of their time; a failed or abandoned archive never touches the file it replaces.

#include "platform/Zip.h"
#include "support/FullDisk.h"
#include "support/FullFileSystem.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using platform::ZipEntry;
using platform::ZipWriter;

namespace {

QByteArray sampleText()
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "line " + QByteArray::number(i) + " of a text that packs well\r\n";
    return text;
}

// Bytes deflate cannot pack, so the archive grows by about their size.
QByteArray noise(int size)
{
    QByteArray out(size, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return out;
}

std::vector<ZipEntry> readBack(const QString& path)
{
    std::vector<ZipEntry> entries;
    QString error;
    EXPECT_TRUE(platform::readZip(testsupport::readFile(path), entries, &error)) << error.toStdString();
    return entries;
}

} // namespace

TEST(ZipWriterTest, EntriesComeBackInOrderWithNamesFlagsAndTimes)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("out.zip");
    const QDateTime when(QDate(2026, 3, 7), QTime(14, 25, 31));
    const QByteArray binary = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") + QByteArray(300, '\x7f');

    ZipWriter writer;
    QString error;
    ASSERT_TRUE(writer.open(zip, &error)) << error.toStdString();
    ASSERT_TRUE(writer.addData("first.xml", sampleText(), when, &error));
    ASSERT_TRUE(writer.addData(QString::fromUtf8("Bild-\xc3\xa4.png"), binary, when, &error));
    ASSERT_TRUE(writer.addData("empty.txt", QByteArray(), when, &error));
    ASSERT_TRUE(writer.close(&error)) << error.toStdString();

    const auto entries = readBack(zip);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "first.xml");
    EXPECT_EQ(entries[1].name, QString::fromUtf8("Bild-\xc3\xa4.png"));
    EXPECT_EQ(entries[2].name, "empty.txt");
    EXPECT_EQ(entries[0].data, sampleText());
    EXPECT_EQ(entries[1].data, binary);
    EXPECT_TRUE(entries[2].data.isEmpty());
    for (const ZipEntry& e : entries) {
        EXPECT_EQ(e.method, 8) << e.name.toStdString();
        EXPECT_EQ(e.flags & 0x0800, 0x0800) << e.name.toStdString();
        EXPECT_EQ(e.dosDate, (46 << 9) | (3 << 5) | 7);
        EXPECT_EQ(e.dosTime, (14 << 11) | (25 << 5) | 15);
    }
    // Deflate actually packs the repetitive text.
    EXPECT_LT(QFileInfo(zip).size(), sampleText().size());
}

TEST(ZipWriterTest, DosStampLimits)
{
    struct Case {
        QDateTime when;
        std::uint16_t date;
        std::uint16_t time;
    };
    const Case cases[] = {
        {QDateTime(QDate(1975, 5, 5), QTime(10, 0, 0)), (0 << 9) | (1 << 5) | 1, 0},
        {QDateTime(QDate(1980, 1, 1), QTime(0, 0, 1)), (0 << 9) | (1 << 5) | 1, 0},
        {QDateTime(QDate(2107, 12, 31), QTime(23, 59, 59)), (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::dosDate(c.when), c.date) << c.when.toString().toStdString();
        EXPECT_EQ(platform::dosTime(c.when), c.time) << c.when.toString().toStdString();
    }
}

TEST(ZipWriterTest, AddFileTakesItsContentAndModificationTime)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("data.bin");
    ASSERT_TRUE(testsupport::writeFile(source, sampleText()));
    const QDateTime stamp(QDate(2024, 2, 29), QTime(8, 30, 10));
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    const QString zip = dir.filePath("p.zip");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(zip));
    ASSERT_TRUE(writer.addFile(source, "data.bin"));
    ASSERT_TRUE(writer.close());
    const auto entries = readBack(zip);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].data, sampleText());
    EXPECT_EQ(entries[0].dosDate, platform::dosDate(stamp));
    EXPECT_EQ(entries[0].dosTime, platform::dosTime(stamp));
}

TEST(ZipWriterTest, FailedOrAbandonedArchiveLeavesOldFileUntouched)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("p.zip");
    const QByteArray old = "previous package";
    ASSERT_TRUE(testsupport::writeFile(zip, old));
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.open(zip));
        ASSERT_TRUE(writer.addData("a.txt", "a", QDateTime::currentDateTime()));
        QString error;
        EXPECT_FALSE(writer.addFile(dir.filePath("missing.png"), "missing.png", &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(writer.close());
    }
    EXPECT_EQ(testsupport::readFile(zip), old);
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.open(zip));
        ASSERT_TRUE(writer.addData("a.txt", "a", QDateTime::currentDateTime()));
        // Released without close.
    }
    EXPECT_EQ(testsupport::readFile(zip), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.zip"});

    ZipWriter writer;
    QString error;
    EXPECT_FALSE(writer.open(dir.filePath("no-such-folder/p.zip"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ZipWriterTest, ReaderRejectsDamagedArchives)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("p.zip");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(zip));
    ASSERT_TRUE(writer.addData("a.txt", sampleText(), QDateTime::currentDateTime()));
    ASSERT_TRUE(writer.close());
    const QByteArray good = testsupport::readFile(zip);

    std::vector<ZipEntry> entries;
    QByteArray flipped = good;
    flipped[40] = char(flipped[40] ^ 0x55); // inside the packed data
    EXPECT_FALSE(platform::readZip(flipped, entries));
    EXPECT_FALSE(platform::readZip(good.left(good.size() - 10), entries));
    EXPECT_FALSE(platform::readZip(QByteArray(), entries));
    EXPECT_TRUE(platform::readZip(good, entries));
}

TEST(ZipWriterTest, FullDiskKeepsOldArchive)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("p.zip");
    const QByteArray old = "previous package";
    ASSERT_TRUE(testsupport::writeFile(zip, old));
    for (rlim_t room : {rlim_t(0), rlim_t(4096)}) {
        ZipWriter writer;
        ASSERT_TRUE(writer.open(zip));
        QString error;
        bool closed = true;
        {
            testsupport::FullDisk full(room);
            // Small entries stay in the write buffer: the disk is first asked on close.
            ASSERT_TRUE(writer.addData("a.txt", "a", QDateTime::currentDateTime()));
            const bool added = writer.addData("b.bin", noise(9000), QDateTime::currentDateTime(), &error);
            closed = added && writer.close(&error);
        }
        EXPECT_FALSE(closed) << room;
        EXPECT_FALSE(error.isEmpty()) << room;
        EXPECT_EQ(testsupport::readFile(zip), old) << room;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.zip"}) << room;
    }
}

TEST(ZipWriterTest, RealFullFileSystemKeepsOldArchive)
{
    testsupport::FullFileSystem disk;
    if (!disk.available())
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString zip = disk.filePath("p.zip");
    const QByteArray old = "previous package";
    ASSERT_TRUE(testsupport::writeFile(zip, old));
    ASSERT_TRUE(disk.fill());
    ZipWriter writer;
    ASSERT_TRUE(writer.open(zip));
    QString error;
    const bool closed = writer.addData("a.txt", "a", QDateTime::currentDateTime(), &error) && writer.close(&error);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    EXPECT_EQ(testsupport::readFile(zip), old);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{".filler", "p.zip"}));
}

TEST(ZipReaderTest, RefusesSizeThePackedDataCannotGive)
{
    const QByteArray bomb = testsupport::readFile(testsupport::fixturePath("zip/claims_4gb.zip"));
    ASSERT_EQ(bomb.size(), 103);
    std::vector<ZipEntry> entries;
    QString error;
    EXPECT_FALSE(platform::readZip(bomb, entries, &error));
    EXPECT_TRUE(error.contains("4294967295")) << error.toStdString();
    EXPECT_TRUE(entries.empty());
}

TEST(ZipReaderTest, LargeEntryGrowsWhileInflatingAndTotalIsCapped)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath("p.zip");
    const QByteArray zeros(600 * 1024, '\0');
    ZipWriter writer;
    ASSERT_TRUE(writer.open(zip));
    ASSERT_TRUE(writer.addData("one.bin", zeros, QDateTime::currentDateTime()));
    ASSERT_TRUE(writer.addData("two.bin", zeros, QDateTime::currentDateTime()));
    ASSERT_TRUE(writer.close());
    const QByteArray archive = testsupport::readFile(zip);

    std::vector<ZipEntry> entries;
    QString error;
    ASSERT_TRUE(platform::readZip(archive, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].data, zeros);

    // Each entry fits under one megabyte, the two together do not.
    EXPECT_FALSE(platform::readZip(archive, entries, &error, 1024 * 1024));
    EXPECT_TRUE(error.contains("1048576")) << error.toStdString();
    EXPECT_TRUE(platform::readZip(archive, entries, &error, 2 * 600 * 1024));
}

TEST(ZipWriterTest, UnzipAcceptsTheArchive)
{
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty())
        GTEST_SKIP() << "unzip not installed";
    QTemporaryDir dir;
    const QString zip = dir.filePath("p.zip");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(zip));
    ASSERT_TRUE(writer.addData("one.xml", sampleText(), QDateTime::currentDateTime()));
    ASSERT_TRUE(writer.addData("two.png", QByteArray(1000, 'x'), QDateTime::currentDateTime()));
    ASSERT_TRUE(writer.close());
    QProcess p;
    p.start(unzip, {"-t", zip});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
}
