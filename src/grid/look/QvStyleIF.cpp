#include "grid/look/QvStyleIF.h"

#include "grid/QvObj.h"
#include "platform/SettingsStore.h"
#include "platform/VisualStyles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSettings>

#include <algorithm>

namespace grid {

const QEvent::Type WM_OFFICETHEMECHANGED = QEvent::Type(QEvent::registerEventType(kOfficeThemeChangedMessage));

namespace {

const QString kOffice2003 = QStringLiteral("Software\\Microsoft\\Office\\11.0\\Common\\General");
const QString kOffice2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common\\General");
const QString kOffice2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General");
const QString kTheme2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");
const QString kTheme2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");

// The key path as the store's file spells it, lower case, ending in "/".
QString subtreePrefix(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (k.endsWith(QLatin1Char('/')))
        k.chop(1);
    return k.toLower() + QLatin1Char('/');
}

} // namespace

// ---- detection ---------------------------------------------------------------------------------

int InstalledOfficeVersion(const platform::SettingsStore* registry)
{
    if (!registry)
        return 0;
    int result = 0;
    if (registry->keyExists(kOffice2003))
        result = 0;
    if (registry->keyExists(kOffice2007))
        result = 1;
    if (registry->keyExists(kOffice2010))
        result = 2;
    return result;
}

int ReadOfficeThemeValue(const platform::SettingsStore* registry, const QString& key)
{
    if (!registry || !registry->keyExists(key) || !registry->valueExists(key, QStringLiteral("Theme")))
        return -1;
    return registry->readInteger(key, QStringLiteral("Theme"), -1);
}

int XPColorSchemeKind(const platform::VisualStyles& styles)
{
    if (!styles.hasEntry("IsThemeActive") || !styles.isThemeActive() || !IsComCtl6()
        || !styles.hasEntry("GetCurrentThemeName"))
        return 0;
    QString fileName, scheme, sizeName;
    if (!styles.getCurrentThemeName(fileName, scheme, sizeName) || scheme.isEmpty())
        return 0;
    if (QStringLiteral("NormalColor").contains(scheme))
        return 1;
    if (QStringLiteral("HomeStead").contains(scheme))
        return 2;
    if (QStringLiteral("Metallic").contains(scheme))
        return 3;
    return 0;
}

TOfficeTheme OfficeThemeKind(const platform::SettingsStore* registry)
{
    return OfficeThemeKind(registry, platform::defaultVisualStyles());
}

TOfficeTheme OfficeThemeKind(const platform::SettingsStore* registry, const platform::VisualStyles& styles)
{
    struct Step {
        const QString& key;
        TOfficeTheme blue, silver, black;
    };
    for (const Step& s : {Step{kTheme2010, ot2010Blue, ot2010Silver, ot2010Black},
                          Step{kTheme2007, ot2007Blue, ot2007Silver, ot2007Black}}) {
        switch (ReadOfficeThemeValue(registry, s.key)) {
        case -1:
            continue;
        case 1:
            return s.blue;
        case 2:
            return s.silver;
        case 3:
            return s.black;
        default:
            return ot2003Blue;
        }
    }
    static constexpr TOfficeTheme byScheme[] = {ot2003Classic, ot2003Blue, ot2003Olive, ot2003Silver};
    return byScheme[XPColorSchemeKind(styles)];
}

bool IsComCtl6()
{
    return true;
}

QString DefaultUIFontName()
{
    return QStringLiteral("Segoe UI");
}

// ---- handle list -------------------------------------------------------------------------------

int THandleList::Add(QWidget* w)
{
    items.emplace_back(w);
    return Count() - 1;
}

void THandleList::Insert(int index, QWidget* w)
{
    if (index < 0 || index > Count())
        throw EListError(index);
    items.insert(items.begin() + index, QPointer<QWidget>(w));
}

void THandleList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    items.erase(items.begin() + index);
}

QWidget* THandleList::GetInteger(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items[size_t(index)];
}

void THandleList::SetInteger(int index, QWidget* w)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    items[size_t(index)] = w;
}

bool THandleList::HasValue(const QWidget* w) const
{
    return std::any_of(items.begin(), items.end(), [w](const QPointer<QWidget>& p) { return p == w; });
}

void THandleList::DeleteValue(const QWidget* w)
{
    const auto it = std::find_if(items.begin(), items.end(), [w](const QPointer<QWidget>& p) { return p == w; });
    if (it != items.end())
        items.erase(it);
}

// ---- registry watch ----------------------------------------------------------------------------

TRegMonitorThread::TRegMonitorThread(platform::SettingsStore* registry, QObject* parent)
    : QObject(parent), FReg(registry)
{
}

TRegMonitorThread::~TRegMonitorThread() = default;

int TRegMonitorThread::Filter()
{
    if (FFilter == 0)
        FFilter = 15;
    return FFilter;
}

void TRegMonitorThread::InitThread()
{
    if (!FReg || !FReg->keyExists(FKey))
        throw Exception(QStringLiteral("Unable to open registry key ") + FKey);
    lastValues = readSubtree();
    FEvent = new QFileSystemWatcher(this);
    connect(FEvent, &QFileSystemWatcher::fileChanged, this, [this] { Changed(); });
    connect(FEvent, &QFileSystemWatcher::directoryChanged, this, [this] { Changed(); });
    arm();
}

void TRegMonitorThread::Start()
{
    if (FEvent || FTerminated)
        return;
    InitThread();
}

void TRegMonitorThread::Stop()
{
    FTerminated = true;
    delete FEvent;
    FEvent = nullptr;
}

// The file itself and its folder: a store rewritten by a rename drops the file's watch, and the
// folder's tells of the new file.
void TRegMonitorThread::arm()
{
    if (!FEvent)
        return;
    const QString file = FReg->path();
    const QString dir = QFileInfo(file).absolutePath();
    if (!FEvent->directories().contains(dir) && QFileInfo::exists(dir))
        FEvent->addPath(dir);
    if (!FEvent->files().contains(file) && QFileInfo::exists(file))
        FEvent->addPath(file);
}

QMap<QString, QString> TRegMonitorThread::readSubtree() const
{
    QMap<QString, QString> values;
    if (!FReg)
        return values;
    const QString prefix = subtreePrefix(FKey);
    const QSettings file(FReg->path(), QSettings::IniFormat);
    for (const QString& name : file.allKeys()) {
        if (name.toLower().startsWith(prefix))
            values.insert(name.toLower(), file.value(name).toString());
    }
    return values;
}

void TRegMonitorThread::Changed()
{
    if (FTerminated)
        return;
    arm();
    QMap<QString, QString> now = readSubtree();
    if (now == lastValues)
        return;
    lastValues = std::move(now);
    // The store the receivers read takes the new values in before they ask.
    FReg->flush();
    const QPointer<TRegMonitorThread> self(this);
    if (FWnd) {
        TOfficeThemeChangedEvent e(FRootKey, FKey);
        QCoreApplication::sendEvent(FWnd, &e);
    }
    // A receiver may register or unregister windows, or stop the watch, while it is told.
    for (int i = 0; self && !FTerminated && i < FWinList.Count(); ++i) {
        if (QWidget* w = FWinList.GetInteger(i)) {
            TOfficeThemeChangedEvent e(FRootKey, FKey);
            QCoreApplication::sendEvent(w, &e);
        }
    }
}

// ---- notifier ----------------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
}

bool TThemeNotifierWindow::event(QEvent* e)
{
    if (e->type() == WM_OFFICETHEMECHANGED && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    return QWidget::event(e);
}

TThemeNotifier* GlobalThemeNotifier = nullptr;

TThemeNotifier::TThemeNotifier(QWidget* owner, platform::SettingsStore* registry) : QObject(owner)
{
    const int version = InstalledOfficeVersion(registry);
    if (version != 1 && version != 2)
        return;
    FNotifier = new TThemeNotifierWindow(owner);
    FNotifier->OnOfficeThemeChange = [this](QObject*) {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    RegMonitorThread = new TRegMonitorThread(registry, this);
    RegMonitorThread->SetWnd(FNotifier);
    RegMonitorThread->SetFilter(4);
    RegMonitorThread->SetKey(version == 2 ? kTheme2010 : kTheme2007);
    RegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
    RegMonitorThread->SetWatchSub(true);
    try {
        RegMonitorThread->Start();
    } catch (const Exception&) {
        // The key went between the version test and the watch: nobody hears of changes.
        delete RegMonitorThread;
        RegMonitorThread = nullptr;
    }
}

TThemeNotifier::~TThemeNotifier()
{
    if (RegMonitorThread)
        RegMonitorThread->Stop();
    if (GlobalThemeNotifier == this)
        GlobalThemeNotifier = nullptr;
    delete FNotifier;
}

void TThemeNotifier::RegisterWindow(QWidget* value)
{
    if (RegMonitorThread && value && !RegMonitorThread->WinList().HasValue(value))
        RegMonitorThread->WinList().Add(value);
}

void TThemeNotifier::UnRegisterWindow(QWidget* hwnd)
{
    if (RegMonitorThread)
        RegMonitorThread->WinList().DeleteValue(hwnd);
}

TThemeNotifier* ThemeNotifierInstance(QWidget* owner, platform::SettingsStore* registry)
{
    if (!GlobalThemeNotifier)
        GlobalThemeNotifier = new TThemeNotifier(owner ? owner->window() : nullptr, registry);
    return GlobalThemeNotifier;
}

} // namespace grid
