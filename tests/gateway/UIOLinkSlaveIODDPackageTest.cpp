// The step "IO-Link IODD File" driven as the user drives it: the folder dialog, the overwrite
// question, the description left in the IODD folder and the package in the chosen folder.

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "gateway/UIOLinkSlaveIODD.h"
#include "platform/Zip.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace gateway;
using platform::MsgResult;

namespace {

const QDate kDay(2026, 3, 7);
const QString kName = QStringLiteral("Norvix-GX40517-20260307-IODD1.1");

class IODDPackage : public testing::Test {
protected:
    void SetUp() override
    {
        common::Load_Default_Texts();
        saved_ = common::State();
        common::TProgramState& s = common::State();
        s.Exe_Dir = exe_.path();
        common::Make_Workspace_Dirs(s);
        s.Project_Name = QStringLiteral("Demo");
        s.Project_Dir = QDir(s.Projects_Dir).filePath(s.Project_Name);
        ASSERT_TRUE(QDir().mkpath(s.Project_Dir));
        common::Set_Files(s);
        for (const char* f : {"ParGen.xml", "IOLink_Slave.xml"})
            ASSERT_TRUE(QFile::copy(testsupport::fixturePath(QStringLiteral("iodd/project/") + QLatin1String(f)),
                                    QDir(s.Project_Dir).filePath(QLatin1String(f))));
        // Stand-ins for the installed pictures: their bytes only need to come back unchanged.
        for (const char* p : {kIODD_Pic, kIODD_Icon, kIODD_Logo})
            ASSERT_TRUE(testsupport::writeFile(ioddFile(QLatin1String(p)), QByteArray("picture ") + p));
        outDir_ = QDir(exe_.path()).filePath(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(outDir_));
        services_.dialogs = &dialogs_;
        services_.messages = &messages_;
        services_.today = [] { return kDay; };
    }
    void TearDown() override { common::State() = saved_; }

    QString ioddFile(const QString& name) const { return QDir(common::State().IODD_Dir).filePath(name); }
    QString description() const { return ioddFile(kName + QStringLiteral(".xml")); }
    QString package() const { return QDir(outDir_).filePath(kName + QStringLiteral(".zip")); }

    TIODD_Result run(const QString& folderAnswer)
    {
        dialogs_.answers.push_back(folderAnswer);
        return Create_IODD(nullptr, services_);
    }

    std::vector<platform::ZipEntry> packageEntries() const
    {
        std::vector<platform::ZipEntry> entries;
        QString error;
        EXPECT_TRUE(platform::readZip(testsupport::readFile(package()), entries, &error)) << error.toStdString();
        return entries;
    }

    QTemporaryDir exe_;
    QString outDir_;
    common::TProgramState saved_;
    testsupport::FakeDialogs dialogs_;
    testsupport::FakeMessages messages_;
    TIODD_Services services_;
};

} // namespace

TEST_F(IODDPackage, WritesDescriptionAndPackageInOrder)
{
    EXPECT_EQ(run(outDir_), TIODD_Result::Written);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].kind, testsupport::FakeDialogs::Kind::Folder);
    EXPECT_EQ(dialogs_.shown[0].startDir, common::State().Project_Dir);
    EXPECT_TRUE(messages_.shown.empty());

    const QByteArray written = testsupport::readFile(description());
    ASSERT_FALSE(written.isEmpty());
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(written.constData(), std::size_t(written.size())));
    EXPECT_STREQ(doc.document_element().name(), "IODevice");

    const auto entries = packageEntries();
    ASSERT_EQ(entries.size(), 4u);
    const QString names[] = {kName + QStringLiteral(".xml"), kIODD_Pic, kIODD_Icon, kIODD_Logo};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].name, names[i]);
        EXPECT_EQ(entries[i].method, 8);
        EXPECT_EQ(entries[i].flags & 0x0800, 0x0800);
    }
    EXPECT_EQ(entries[0].data, written); // byte for byte the file in the IODD folder
    EXPECT_EQ(entries[3].data, testsupport::readFile(ioddFile(kIODD_Logo)));
}

TEST_F(IODDPackage, PackagePassesUnzipTest)
{
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty())
        GTEST_SKIP() << "unzip not installed";
    ASSERT_EQ(run(outDir_), TIODD_Result::Written);
    QProcess p;
    p.start(unzip, {"-t", package()});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
}

TEST_F(IODDPackage, CancelWritesNothing)
{
    EXPECT_EQ(run(QString()), TIODD_Result::Cancelled);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(description()));
    EXPECT_TRUE(QDir(outDir_).isEmpty());
}

TEST_F(IODDPackage, SecondRunSameDayAsksAndNoKeepsBothFiles)
{
    ASSERT_EQ(run(outDir_), TIODD_Result::Written);
    // Make the first run's files recognisable, so any rewrite would show.
    ASSERT_TRUE(testsupport::writeFile(description(), "first description"));
    ASSERT_TRUE(testsupport::writeFile(package(), "first package"));

    messages_.answers.push_back(MsgResult::No);
    EXPECT_EQ(run(outDir_), TIODD_Result::Declined);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, common::Lang_Str().at(kText_File_Exists));
    EXPECT_EQ(messages_.shown[0].text, "File already exists. Do you want to overwrite?");
    EXPECT_EQ(messages_.shown[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(messages_.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(testsupport::readFile(description()), "first description");
    EXPECT_EQ(testsupport::readFile(package()), "first package");

    messages_.answers.push_back(MsgResult::Yes);
    EXPECT_EQ(run(outDir_), TIODD_Result::Written);
    EXPECT_EQ(packageEntries().size(), 4u);
    EXPECT_NE(testsupport::readFile(description()), "first description");
}

TEST_F(IODDPackage, MissingPictureIsLeftOut)
{
    ASSERT_TRUE(QFile::remove(ioddFile(kIODD_Icon)));
    EXPECT_EQ(run(outDir_), TIODD_Result::Written);
    EXPECT_TRUE(messages_.shown.empty());
    const auto entries = packageEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, kName + QStringLiteral(".xml"));
    EXPECT_EQ(entries[1].name, kIODD_Pic);
    EXPECT_EQ(entries[2].name, kIODD_Logo);
}

TEST_F(IODDPackage, PackageThatCannotBeWrittenIsReported)
{
    // A folder in the package's place: the archive cannot replace it.
    ASSERT_TRUE(QDir().mkpath(package()));
    messages_.answers.push_back(MsgResult::Yes); // the overwrite question sees the name taken
    EXPECT_EQ(run(outDir_), TIODD_Result::Failed);
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.back().icon, platform::MsgIcon::Error);
    EXPECT_TRUE(QFileInfo(package()).isDir());
    EXPECT_EQ(QDir(outDir_).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A full disk: the description is too large to fit (cut at 4,096 bytes), or the package is
// (the description was written first). Either way the step reports it and the file it could
// not write is as it was.
TEST_F(IODDPackage, FullDiskIsReportedAndKeepsTheOldFiles)
{
    ASSERT_EQ(run(outDir_), TIODD_Result::Written);
    const QByteArray firstDescription = testsupport::readFile(description());
    ASSERT_GT(firstDescription.size(), 4096);

    const QByteArray oldDescription = "old description";
    const QByteArray oldPackage = "old package";
    ASSERT_TRUE(testsupport::writeFile(description(), oldDescription));
    ASSERT_TRUE(testsupport::writeFile(package(), oldPackage));
    messages_.shown.clear();
    messages_.answers.push_back(MsgResult::Yes); // overwrite the package
    {
        testsupport::FullDisk full(4096);
        EXPECT_EQ(run(outDir_), TIODD_Result::Failed);
    }
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1].icon, platform::MsgIcon::Error);
    EXPECT_EQ(testsupport::readFile(description()), oldDescription);
    EXPECT_EQ(testsupport::readFile(package()), oldPackage);

    // Room for the description but not for the package beside it.
    // A picture deflate cannot pack makes the package larger than the description.
    QByteArray noise(firstDescription.size() + 1000, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : noise) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    ASSERT_TRUE(testsupport::writeFile(ioddFile(QLatin1String(kIODD_Pic)), noise));
    messages_.shown.clear();
    messages_.answers.push_back(MsgResult::Yes);
    {
        testsupport::FullDisk full(rlim_t(firstDescription.size()) + 100);
        EXPECT_EQ(run(outDir_), TIODD_Result::Failed);
    }
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1].icon, platform::MsgIcon::Error);
    EXPECT_EQ(testsupport::readFile(description()), firstDescription);
    EXPECT_EQ(testsupport::readFile(package()), oldPackage);
    EXPECT_EQ(QDir(outDir_).entryList(QDir::Files | QDir::Hidden), QStringList{kName + QStringLiteral(".zip")});
}

TEST_F(IODDPackage, ZipWithoutItsDescriptionFailsAndKeepsTheOldPackage)
{
    ASSERT_TRUE(testsupport::writeFile(package(), "old package"));
    QString error;
    EXPECT_FALSE(Zip_IODD(package(), description(), common::State().IODD_Dir, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(package()), "old package");
}

TEST_F(IODDPackage, BrokenProjectFileIsReportedAndNothingWritten)
{
    ASSERT_TRUE(testsupport::writeFile(common::State().File_IOLink_Slave, "<IOLinkSlave><Variables"));
    EXPECT_EQ(run(outDir_), TIODD_Result::Failed);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_FALSE(QFileInfo::exists(description()));
    EXPECT_TRUE(QDir(outDir_).isEmpty());
}

// The pictures installed with the program exist at the sizes IODD pictures use.
TEST(IODDPictures, InstalledPicturesHaveTheirSizes)
{
    struct Case {
        const char* name;
        int width;
        int height;
    };
    const Case cases[] = {{kIODD_Pic, 80, 80}, {kIODD_Icon, 48, 48}, {kIODD_Logo, 160, 90}};
    for (const Case& c : cases) {
        const QImage image(QStringLiteral(QV_SOURCE_DIR) + QStringLiteral("/IODD/") + QLatin1String(c.name));
        ASSERT_FALSE(image.isNull()) << c.name;
        EXPECT_EQ(image.width(), c.width) << c.name;
        EXPECT_EQ(image.height(), c.height) << c.name;
    }
}
