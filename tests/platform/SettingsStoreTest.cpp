#include "platform/SettingsStore.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace platform;

namespace {
const char* const kCommon14 = "Software\\Microsoft\\Office\\14.0\\Common";
}

TEST(SettingsStore, ValuesSurviveInTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.ini");
    {
        SettingsStore store(path);
        store.writeInteger(kCommon14, "Theme", 2);
        store.writeString("Software/Grids/Orders", "Name", "Col settings, with comma = and \"quotes\"");
        store.writeInteger("Software\\Grids\\Orders", "Col0", -64);
        ASSERT_TRUE(store.flush());
    }
    SettingsStore store(path);
    EXPECT_EQ(store.readInteger(kCommon14, "Theme", -1), 2);
    EXPECT_EQ(store.readString("Software\\Grids\\Orders", "Name"), "Col settings, with comma = and \"quotes\"");
    EXPECT_EQ(store.readInteger("Software/Grids/Orders", "Col0", 0), -64);
}

TEST(SettingsStore, NamesMatchWithoutRegardToCase)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("registry.ini"));
    store.writeInteger(kCommon14, "Theme", 3);
    EXPECT_EQ(store.readInteger("software\\MICROSOFT\\office\\14.0\\common", "THEME", -1), 3);
    EXPECT_TRUE(store.valueExists("SOFTWARE/microsoft/Office/14.0/Common", "theme"));

    // Writing under another spelling replaces the value instead of adding a second one.
    store.writeInteger("SOFTWARE\\Microsoft\\OFFICE\\14.0\\Common", "theme", 1);
    EXPECT_EQ(store.readInteger(kCommon14, "Theme", -1), 1);
    store.deleteValue(kCommon14, "THEME");
    EXPECT_FALSE(store.valueExists(kCommon14, "Theme"));
}

TEST(SettingsStore, MissingKeysAndValuesGiveTheFallbackAndCreateNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.ini");
    SettingsStore store(path);
    store.writeInteger("Software\\Microsoft\\Office\\12.0\\Common\\General", "Shown", 1);
    store.writeString("Software\\Grid", "Width", "wide");

    struct Case {
        const char* key;
        bool exists;
    };
    const Case keys[] = {
        {"Software\\Microsoft\\Office\\12.0\\Common\\General", true},
        {"Software\\Microsoft\\Office\\12.0", true}, // a key with keys below it
        {"Software\\Microsoft\\Office\\14.0\\Common\\General", false},
        {"Software\\Microsoft\\Office\\11.0\\Common\\General", false},
        {"Other", false},
    };
    for (const Case& c : keys)
        EXPECT_EQ(store.keyExists(c.key), c.exists) << c.key;

    EXPECT_EQ(store.readInteger("Software\\Microsoft\\Office\\14.0\\Common", "Theme", -1), -1);
    EXPECT_EQ(store.readString("Software\\Grid", "Height", "none"), "none");
    EXPECT_EQ(store.readInteger("Software\\Grid", "Width", 7), 7);              // text that is no integer
    EXPECT_FALSE(store.keyExists("Software\\Microsoft\\Office\\14.0\\Common")); // reading made nothing
}

TEST(SettingsStore, ReportsAFileThatCannotBeWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("plain"), "x"));
    SettingsStore store(dir.filePath("plain/registry.ini")); // its folder is a file
    store.writeInteger("Software", "Col0", 1);
    QString error;
    EXPECT_FALSE(store.flush(&error));
    EXPECT_FALSE(error.isEmpty());
}
