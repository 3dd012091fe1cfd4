#include "platform/Files.h"

#include "support/FullDisk.h"
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
