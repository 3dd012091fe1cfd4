#include "platform/Files.h"

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
