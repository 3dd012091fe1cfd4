// Office theme detection over a registry stand-in in a temporary folder and a scripted visual
// styles implementation, and the theme notifier watching a real store file that a second store
// writes, as another program would.

#include "grid/look/QvStyleIF.h"
#include "grid/QvObj.h"
#include "grid/support/FakeVisualStyles.h"
#include "platform/SettingsStore.h"
#include "platform/VisualStyles.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace grid;
using testsupport::FakeVisualStyles;

namespace {

const QString kGeneral2003 = QStringLiteral("Software\\Microsoft\\Office\\11.0\\Common\\General");
const QString kGeneral2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common\\General");
const QString kGeneral2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General");
const QString kCommon2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");
const QString kCommon2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString kTheme = QStringLiteral("Theme");

// A registry stand-in of its own, filled by a list of writes.
struct Registry {
    explicit Registry(const std::function<void(platform::SettingsStore&)>& fill = {})
        : store(std::make_unique<platform::SettingsStore>(dir.filePath(QStringLiteral("registry.ini"))))
    {
        if (fill)
            fill(*store);
        store->flush();
    }
    QString path() const { return store->path(); }
    QTemporaryDir dir;
    std::unique_ptr<platform::SettingsStore> store;
};

void suite(platform::SettingsStore& s, const QString& general)
{
    s.writeString(general, QStringLiteral("UserName"), QStringLiteral("operator"));
}

TEST(OfficeThemeDetection, InstalledVersion)
{
    struct Case {
        std::vector<QString> keys;
        int version;
    };
    const Case cases[] = {
        {{}, 0},
        {{kGeneral2003}, 0},
        {{kGeneral2007}, 1},
        {{kGeneral2010}, 2},
        {{kGeneral2003, kGeneral2007}, 1},
        {{kGeneral2007, kGeneral2010}, 2},
        {{kCommon2010}, 0}, // a theme key without the suite's General key
    };
    for (const Case& c : cases) {
        Registry r([&](platform::SettingsStore& s) {
            for (const QString& k : c.keys)
                suite(s, k);
        });
        EXPECT_EQ(InstalledOfficeVersion(r.store.get()), c.version) << c.keys.size();
    }
    EXPECT_EQ(InstalledOfficeVersion(nullptr), 0);
}

TEST(OfficeThemeDetection, ThemeValues)
{
    constexpr int none = -1;
    struct Case {
        int theme2010, theme2007;
        TOfficeTheme kind;
    };
    const Case cases[] = {
        {0, none, ot2003Blue},    {1, none, ot2010Blue}, {2, none, ot2010Silver}, {3, none, ot2010Black},
        {4, none, ot2003Blue},    {none, 1, ot2007Blue}, {none, 2, ot2007Silver}, {none, 3, ot2007Black},
        {none, 0, ot2003Blue},    {none, 7, ot2003Blue}, {3, 1, ot2010Black}, // both: the 2010 value wins
        {0, 2, ot2003Blue},                                                   // an unknown 2010 value looks no further
        {none, none, ot2003Blue}, // no value at all: the XP scheme ("NormalColor") decides
    };
    FakeVisualStyles styles(true);
    for (const Case& c : cases) {
        Registry r([&](platform::SettingsStore& s) {
            suite(s, kGeneral2007);
            suite(s, kGeneral2010);
            if (c.theme2010 != none)
                s.writeInteger(kCommon2010, kTheme, c.theme2010);
            if (c.theme2007 != none)
                s.writeInteger(kCommon2007, kTheme, c.theme2007);
        });
        EXPECT_EQ(OfficeThemeKind(r.store.get(), styles), c.kind) << c.theme2010 << " " << c.theme2007;
    }
}

TEST(OfficeThemeDetection, ReadThemeValue)
{
    Registry r([](platform::SettingsStore& s) {
        s.writeInteger(kCommon2010, kTheme, 2);
        s.writeString(kCommon2007, kTheme, QStringLiteral("dark"));
        s.writeString(QStringLiteral("Software\\Empty\\Key"), QStringLiteral("Other"), QStringLiteral("1"));
    });
    EXPECT_EQ(ReadOfficeThemeValue(r.store.get(), kCommon2010), 2);
    EXPECT_EQ(ReadOfficeThemeValue(r.store.get(), QStringLiteral("software\\MICROSOFT\\office\\14.0\\common")), 2)
        << "keys match without regard to case";
    EXPECT_EQ(ReadOfficeThemeValue(r.store.get(), kCommon2007), -1) << "not a number";
    EXPECT_EQ(ReadOfficeThemeValue(r.store.get(), QStringLiteral("Software\\Empty\\Key")), -1) << "no value";
    EXPECT_EQ(ReadOfficeThemeValue(r.store.get(), QStringLiteral("Software\\Missing")), -1);
    EXPECT_EQ(ReadOfficeThemeValue(nullptr, kCommon2010), -1);
    EXPECT_FALSE(r.store->keyExists(QStringLiteral("Software\\Missing"))) << "reading creates nothing";
}

TEST(OfficeThemeDetection, XPSchemes)
{
    struct Case {
        const char* scheme;
        bool active;
        std::string missing;
        int kind;
        TOfficeTheme theme;
    };
    const Case cases[] = {
        {"NormalColor", true, {}, 1, ot2003Blue},
        {"HomeStead", true, {}, 2, ot2003Olive},
        {"Metallic", true, {}, 3, ot2003Silver},
        {"Normal", true, {}, 1, ot2003Blue}, // a name found within "NormalColor"
        {"Royale", true, {}, 0, ot2003Classic},
        {"", true, {}, 0, ot2003Classic},
        {"NormalColor", false, {}, 0, ot2003Classic},                   // themes off: the classic look
        {"NormalColor", true, "GetCurrentThemeName", 0, ot2003Classic}, // no scheme query
        {"NormalColor", true, "IsThemeActive", 0, ot2003Classic},
    };
    Registry empty;
    for (const Case& c : cases) {
        FakeVisualStyles styles(c.active, c.missing);
        styles.scheme = QString::fromLatin1(c.scheme);
        EXPECT_EQ(XPColorSchemeKind(styles), c.kind) << c.scheme << " " << c.missing;
        EXPECT_EQ(OfficeThemeKind(empty.store.get(), styles), c.theme) << c.scheme << " " << c.missing;
    }
}

TEST(OfficeThemeDetection, TheRealStandInNamesNoXPScheme)
{
    Registry empty;
    platform::QtVisualStyles styles(true);
    EXPECT_EQ(OfficeThemeKind(empty.store.get(), styles), ot2003Classic);
    EXPECT_EQ(OfficeThemeKind(nullptr), ot2003Classic);
    EXPECT_TRUE(IsComCtl6());
    EXPECT_EQ(DefaultUIFontName(), QStringLiteral("Segoe UI"));
}

TEST(ThemeNotifier, HandleList)
{
    THandleList list;
    QWidget a, b, c;
    list.Add(&a);
    list.Add(&b);
    list.Insert(1, &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetInteger(1), &c);
    list.DeleteValue(&c);
    list.DeleteValue(&c); // absent: nothing
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.HasValue(&b));
    list.SetInteger(1, &c);
    EXPECT_FALSE(list.HasValue(&b));
    list.Delete(0);
    EXPECT_EQ(list.GetInteger(0), &c);
    EXPECT_THROW(list.GetInteger(5), EListError);
    {
        QWidget gone;
        list.Add(&gone);
    }
    EXPECT_EQ(list.GetInteger(1), nullptr) << "a window that went away is never reached";
}

// A window that notes each notifier message it receives in a shared log.
class Receiver : public QWidget {
public:
    Receiver(QString name, std::vector<QString>& log) : name(std::move(name)), log(log) {}

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WM_OFFICETHEMECHANGED)
            log.push_back(name);
        return QWidget::event(e);
    }

private:
    QString name;
    std::vector<QString>& log;
};

// Writes through a second store on the same file, as another program changing its theme would.
void writeElsewhere(const QString& path, const std::function<void(platform::SettingsStore&)>& write)
{
    platform::SettingsStore other(path);
    write(other);
    ASSERT_TRUE(other.flush());
}

bool waitForLog(const std::vector<QString>& log, size_t n)
{
    return QTest::qWaitFor([&] { return log.size() >= n; }, 10000);
}

TEST(ThemeNotifier, EachChangeUnderTheKeyReachesEveryReceiverOnceInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.ini"));
    platform::SettingsStore store(path);
    suite(store, kGeneral2007);
    suite(store, kGeneral2010);
    store.writeInteger(kCommon2010, kTheme, 1);
    ASSERT_TRUE(store.flush());

    std::vector<QString> log;
    QWidget owner;
    TThemeNotifier notifier(&owner, &store);
    ASSERT_NE(notifier.RegMonitorThread, nullptr);
    EXPECT_EQ(notifier.RegMonitorThread->Key(), kCommon2010) << "with both suites the 2010 key is watched";
    EXPECT_EQ(notifier.RegMonitorThread->Filter(), 4);
    notifier.OnOfficeThemeChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &notifier);
        log.push_back(QStringLiteral("Wnd"));
    };
    Receiver a(QStringLiteral("A"), log), b(QStringLiteral("B"), log);
    notifier.RegisterWindow(&a);
    notifier.RegisterWindow(&b);
    notifier.RegisterWindow(&a);
    EXPECT_EQ(notifier.RegMonitorThread->WinList().Count(), 2) << "a double registration keeps one entry";

    writeElsewhere(path, [](platform::SettingsStore& s) { s.writeInteger(kCommon2010, kTheme, 3); });
    ASSERT_TRUE(waitForLog(log, 3));
    EXPECT_EQ(log, (std::vector<QString>{"Wnd", "A", "B"}));
    EXPECT_EQ(store.readInteger(kCommon2010, kTheme, -1), 3) << "receivers read the new value";

    // A value in a subkey counts too; a change elsewhere does not; the last change shows that
    // nothing came in between.
    writeElsewhere(path, [](platform::SettingsStore& s) {
        s.writeString(kCommon2010 + QStringLiteral("\\Toolbars"), QStringLiteral("Layout"), QStringLiteral("2"));
    });
    ASSERT_TRUE(waitForLog(log, 6));
    writeElsewhere(path, [](platform::SettingsStore& s) {
        s.writeString(QStringLiteral("Software\\Other"), QStringLiteral("Value"), QStringLiteral("1"));
    });
    notifier.UnRegisterWindow(&a);
    notifier.UnRegisterWindow(&a); // absent: nothing
    writeElsewhere(path, [](platform::SettingsStore& s) { s.writeInteger(kCommon2010, kTheme, 2); });
    ASSERT_TRUE(waitForLog(log, 8));
    QTest::qWait(0);
    EXPECT_EQ(log, (std::vector<QString>{"Wnd", "A", "B", "Wnd", "A", "B", "Wnd", "B"}));

    notifier.RegMonitorThread->Stop();
    writeElsewhere(path, [](platform::SettingsStore& s) { s.writeInteger(kCommon2010, kTheme, 1); });
    writeElsewhere(path, [](platform::SettingsStore& s) { s.writeInteger(kCommon2010, kTheme, 3); });
    QCoreApplication::processEvents();
    EXPECT_EQ(log.size(), 8u) << "a stopped watch sends nothing";
}

TEST(ThemeNotifier, Office2007KeyIsWatchedWhenItIsTheOnlySuite)
{
    Registry r([](platform::SettingsStore& s) { suite(s, kGeneral2007); });
    QWidget owner;
    TThemeNotifier notifier(&owner, r.store.get());
    ASSERT_NE(notifier.RegMonitorThread, nullptr);
    EXPECT_EQ(notifier.RegMonitorThread->Key(), kCommon2007);
    EXPECT_EQ(notifier.RegMonitorThread->RootKey(), HKEY_CURRENT_USER);
    EXPECT_TRUE(notifier.RegMonitorThread->WatchSub());
    ASSERT_FALSE(notifier.FNotifier.isNull());
    EXPECT_FALSE(notifier.FNotifier->isVisible());
}

TEST(ThemeNotifier, NoSuiteNoWatcher)
{
    for (const QString& general : {QString(), kGeneral2003}) {
        Registry r([&](platform::SettingsStore& s) {
            if (!general.isEmpty())
                suite(s, general);
        });
        QWidget owner, w;
        TThemeNotifier notifier(&owner, r.store.get());
        EXPECT_EQ(notifier.RegMonitorThread, nullptr);
        EXPECT_TRUE(notifier.FNotifier.isNull());
        notifier.RegisterWindow(&w); // nothing, and no harm
        notifier.UnRegisterWindow(&w);
    }
    QWidget owner;
    TThemeNotifier none(&owner, nullptr);
    EXPECT_EQ(none.RegMonitorThread, nullptr);
}

TEST(ThemeNotifier, WatchOfAMissingKeyIsRefused)
{
    Registry r;
    TRegMonitorThread watch(r.store.get());
    watch.SetKey(kCommon2010);
    EXPECT_EQ(watch.Filter(), 15) << "an unset filter reads as every kind of change";
    try {
        watch.Start();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Unable to open registry key Software\\Microsoft\\Office\\14.0\\Common");
    }
    EXPECT_EQ(watch.Event(), nullptr);
}

TEST(ThemeNotifier, OneInstanceUntilItGoes)
{
    Registry r([](platform::SettingsStore& s) { suite(s, kGeneral2010); });
    auto owner = std::make_unique<QWidget>();
    auto* child = new QWidget(owner.get());
    TThemeNotifier* first = ThemeNotifierInstance(child, r.store.get());
    EXPECT_EQ(first->parent(), owner.get()) << "owned by the top-level window";
    EXPECT_EQ(ThemeNotifierInstance(nullptr, nullptr), first);
    EXPECT_EQ(GlobalThemeNotifier, first);
    owner.reset();
    EXPECT_EQ(GlobalThemeNotifier, nullptr);
}

} // namespace
