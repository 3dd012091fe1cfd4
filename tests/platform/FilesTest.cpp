#include "platform/Files.h"

#include "support/FullDisk.h"
#include "support/FullFileSystem.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace platform;

TEST(Files, JoinPathUsesOneSeparator)
{
    const QString s = pathSeparator();
    EXPECT_EQ(joinPath("a", "b.xml"), "a" + s + "b.xml");
    EXPECT_EQ(joinPath("a" + s, "b.xml"), "a" + s + "b.xml");
    // An empty folder still yields a rooted path, as the project paths do without a project.
    EXPECT_EQ(joinPath("", "b.xml"), "b.xml");
}

TEST(Files, CreateDirMakesOneLevelOnly)
{
    QTemporaryDir tmp;
    EXPECT_TRUE(createDir(tmp.filePath("one")));
    EXPECT_TRUE(dirExists(tmp.filePath("one")));
    EXPECT_TRUE(createDir(tmp.filePath("one"))); // already there
    EXPECT_FALSE(createDir(tmp.filePath("missing/two")));
    EXPECT_FALSE(dirExists(tmp.filePath("missing")));
}

TEST(Files, CreateDirPathMakesEveryMissingParent)
{
    QTemporaryDir tmp;
    const QString deep = tmp.filePath("project/ICD_Catalog");
    EXPECT_TRUE(createDirPath(deep));
    EXPECT_TRUE(dirExists(deep));
    EXPECT_TRUE(createDirPath(deep)); // already there
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("file"), "x"));
    EXPECT_FALSE(createDirPath(tmp.filePath("file/below"))); // a file stands in the way
    EXPECT_FALSE(createDirPath(QString()));
}

TEST(Files, CopyFileOverMakesOrReplacesTheTarget)
{
    QTemporaryDir tmp;
    const QString source = tmp.filePath("a.icd");
    const QString target = tmp.filePath("b.icd");
    QByteArray big(3 * 1024 * 1024 + 17, 'q'); // more than one block
    big[0] = '<';
    ASSERT_TRUE(testsupport::writeFile(source, big));
    EXPECT_TRUE(copyFileOver(source, target));
    EXPECT_EQ(testsupport::readFile(target), big);
    ASSERT_TRUE(testsupport::writeFile(source, "short"));
    EXPECT_TRUE(copyFileOver(source, target));
    EXPECT_EQ(testsupport::readFile(target), "short");
    // A file copied onto itself stays whole.
    EXPECT_TRUE(copyFileOver(target, target));
    EXPECT_EQ(testsupport::readFile(target), "short");
}

TEST(Files, CopyFileOverFailureKeepsTheTarget)
{
    QTemporaryDir tmp;
    const QString target = tmp.filePath("b.icd");
    ASSERT_TRUE(testsupport::writeFile(target, "old"));
    QString error;
    EXPECT_FALSE(copyFileOver(tmp.filePath("absent.icd"), target, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(target), "old");

    ASSERT_TRUE(testsupport::writeFile(tmp.filePath("a.icd"), QByteArray(20000, 'n')));
    error.clear();
    bool copied = true;
    {
        testsupport::FullDisk full(4096);
        copied = copyFileOver(tmp.filePath("a.icd"), target, &error);
    }
    EXPECT_FALSE(copied);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(target), "old");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.icd", "b.icd"}));

    EXPECT_FALSE(copyFileOver(tmp.filePath("a.icd"), tmp.filePath("no/such/dir/b.icd"), &error));
}

TEST(Files, ReplaceFileSwapsWholeContent)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("f.bin");
    ASSERT_TRUE(replaceFile(path, "first long content"));
    ASSERT_TRUE(replaceFile(path, "2nd"));
    QByteArray data;
    ASSERT_TRUE(readFile(path, data));
    EXPECT_EQ(data, "2nd");
    EXPECT_TRUE(fileExists(path));
    EXPECT_FALSE(fileExists(tmp.path()));
}

TEST(Files, ReplaceFileReportsUnwritableFolder)
{
    QTemporaryDir tmp;
    QString error;
    EXPECT_FALSE(replaceFile(tmp.filePath("no/such/dir/f.bin"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    QByteArray data;
    EXPECT_FALSE(readFile(tmp.filePath("absent"), data));
}

// On a full disk the one real write of a small file happens when it is flushed; a failed
// flush must leave the old file exactly as it was, report the reason and leave no temporary
// file behind. Cut is the case of a longer file that only partly fits.
TEST(Files, ReplaceFileOnFullDiskKeepsOldFile)
{
    struct Case {
        const char* name;
        rlim_t room;
        QByteArray data;
    } cases[] = {
        {"small write, disk full", 0, "<Par_Gen />\n"},
        {"large write, cut at 4096 bytes", 4096, QByteArray(20000, 'n')},
    };
    for (const Case& c : cases) {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("ParGen.xml");
        const QByteArray old = "<Par_Gen>old content</Par_Gen>\n";
        ASSERT_TRUE(testsupport::writeFile(path, old));
        QString error;
        bool written = true;
        {
            testsupport::FullDisk full(c.room);
            written = replaceFile(path, c.data, &error);
        }
        EXPECT_FALSE(written) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_EQ(testsupport::readFile(path), old) << c.name;
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ParGen.xml"}) << c.name;
    }
}

// The same on a file system that is really full (ENOSPC rather than a size limit): the old
// files keep their bytes, the error says why, and no temporary file is left behind.
TEST(Files, ReplaceOnARealFullFileSystemKeepsOldFiles)
{
    testsupport::FullFileSystem disk;
    if (!disk.available())
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString a = disk.filePath("bank1.bin");
    const QString b = disk.filePath("bank2.bin");
    ASSERT_TRUE(testsupport::writeFile(a, "old bank 1"));
    ASSERT_TRUE(testsupport::writeFile(b, "old bank 2"));
    ASSERT_TRUE(disk.fill());
    for (const QByteArray& data : {QByteArray("<Par_Gen />\n"), QByteArray(20000, 'n')}) {
        QString error;
        EXPECT_FALSE(replaceFile(a, data, &error)) << data.size();
        EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
        EXPECT_EQ(testsupport::readFile(a), "old bank 1");
    }
    const FileReplacement both[] = {{a, "new bank 1"}, {b, "new bank 2"}};
    QString error, failed;
    EXPECT_FALSE(replaceFiles(both, &error, &failed));
    EXPECT_EQ(failed, a);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(a), "old bank 1");
    EXPECT_EQ(testsupport::readFile(b), "old bank 2");
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{".filler", "bank1.bin", "bank2.bin"}));
}
