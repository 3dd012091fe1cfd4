// Outside libraries by name: found in the program folder first, exports looked up by name, and
// released when the handle goes.

#include "platform/DynamicLibrary.h"

#include "support/opcua/FakeOpcuaSearch.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using platform::QtLibraryLoader;
using testsupport::libraryLoadedFrom;

TEST(DynamicLibrary, TheProgramFolderIsSearchedByThePlatformsFileName)
{
    EXPECT_EQ(QtLibraryLoader::fileName(QStringLiteral("OPC_UA_Search")), QStringLiteral("libOPC_UA_Search.so"));
    const QString folder = testsupport::fakeOpcuaSearchFolder();
    QtLibraryLoader loader(folder);
    ASSERT_FALSE(libraryLoadedFrom(folder));
    {
        auto library = loader.load(QStringLiteral("OPC_UA_Search"));
        ASSERT_NE(library, nullptr);
        EXPECT_TRUE(libraryLoadedFrom(folder));
        EXPECT_NE(library->resolve("opcua_client_begin"), nullptr);
        EXPECT_NE(library->resolve("opcua_return_variable"), nullptr);
        EXPECT_EQ(library->resolve("opcua_client_end"), nullptr);
    }
    EXPECT_FALSE(libraryLoadedFrom(folder));
}

TEST(DynamicLibrary, AnExportMissingIsNoneAndTheLibraryIsStillReleased)
{
    const QString folder = testsupport::fakeOpcuaSearchWithoutReturnFolder();
    QtLibraryLoader loader(folder);
    {
        auto library = loader.load(QStringLiteral("OPC_UA_Search"));
        ASSERT_NE(library, nullptr);
        EXPECT_NE(library->resolve("opcua_client_begin"), nullptr);
        EXPECT_EQ(library->resolve("opcua_return_variable"), nullptr);
    }
    EXPECT_FALSE(libraryLoadedFrom(folder));
}

TEST(DynamicLibrary, ALibraryFoundNowhereIsNone)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    QtLibraryLoader loader(empty.path());
    EXPECT_EQ(loader.load(QStringLiteral("OPC_UA_Search")), nullptr);
    EXPECT_EQ(loader.load(QStringLiteral("No_Such_Library_Anywhere")), nullptr);
    EXPECT_EQ(loader.load(QString()), nullptr);
}

TEST(DynamicLibrary, EachLoadIsReleasedOnItsOwn)
{
    const QString folder = testsupport::fakeOpcuaSearchFolder();
    QtLibraryLoader loader(folder);
    auto first = loader.load(QStringLiteral("OPC_UA_Search"));
    auto second = loader.load(QStringLiteral("OPC_UA_Search"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first.reset();
    EXPECT_TRUE(libraryLoadedFrom(folder));
    EXPECT_NE(second->resolve("opcua_client_begin"), nullptr);
    second.reset();
    EXPECT_FALSE(libraryLoadedFrom(folder));
}

} // namespace
