#pragma once
// The style interfaces the grid and its drop-down editors share: the own-colour set
// (TColorTones) and the enumerations of the colour schemes. The looks (TGridLook) are declared
// in GridTypes.h.
//
// Also the office theme detection and the theme notifier a grid with AutoThemeAdapt uses:
// - detection reads the office suite's keys and its "Theme" value from the registry stand-in
//   (platform::SettingsStore, the services' registry) and, when there is none, the colour
//   scheme name of the visual styles, which on this platform is the widget style's name and
//   so names no XP scheme (ot2003Classic);
// - the notifier watches the registry stand-in's file on the user-interface thread (there is
//   no second thread): after a change it re-reads the watched key's subtree and, when a value
//   under it changed, sends WM_OFFICETHEMECHANGED to its own window and then to every
//   registered window, in registration order.

#include "platform/Colors.h"

#include <QEvent>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QFileSystemWatcher;

namespace platform {
class SettingsStore;
class VisualStyles;
} // namespace platform

namespace grid {

using platform::TColor;

struct TColorTone {
    TColor BrushColor = platform::clNone;
    TColor BorderColor = platform::clNone;
    TColor TextColor = platform::clNone;
    friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

enum TQvGridStyle {
    gsOffice2003Blue,
    gsOffice2003Silver,
    gsOffice2003Olive,
    gsOffice2003Classic,
    gsOffice2007Luna,
    gsOffice2007Obsidian,
    gsWindowsXP,
    gsWhidbey,
    gsCustom,
    gsOffice2007Silver,
    gsWindowsVista,
    gsWindows7,
    gsTerminal,
    gsOffice2010Blue,
    gsOffice2010Silver,
    gsOffice2010Black
};
inline constexpr int kGridStyleCount = gsOffice2010Black + 1;

// The same schemes as the style interface names them (same order).
enum TVLXStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black
};

enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };

// Components that take a colour scheme.
class IVLXStyle {
public:
    virtual ~IVLXStyle() = default;
    virtual void SetComponentStyle(TVLXStyle style) = 0;
    virtual TVLXStyle GetComponentStyle() const = 0;
};

// Components that take an own colour set.
class IVLXTones {
public:
    virtual ~IVLXTones() = default;
    virtual void SetColorTones(const TColorTones& tones) = 0;
};

// ---- office theme detection and the theme notifier ---------------------------------------------

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    otUnknown
};

// The notifier's message; the event carries the watched root and key path, which receivers
// need not read.
extern const QEvent::Type WM_OFFICETHEMECHANGED;
inline constexpr int kOfficeThemeChangedMessage = 0x0BB1;
// The one root the notifier watches.
inline constexpr int HKEY_CURRENT_USER = int(0x80000001);

class TOfficeThemeChangedEvent : public QEvent {
public:
    TOfficeThemeChangedEvent(int rootKey, const QString& key)
        : QEvent(WM_OFFICETHEMECHANGED), RootKey(rootKey), Key(key)
    {
    }
    int RootKey;
    QString Key;
};

// 0 (none, or 2003), 1 (2007) or 2 (2010) by the office keys present; no store gives 0.
int InstalledOfficeVersion(const platform::SettingsStore* registry);
// The "Theme" value under a key, -1 when the key or the value is missing (or no store).
int ReadOfficeThemeValue(const platform::SettingsStore* registry, const QString& key);
// 0 classic, 1 "NormalColor", 2 "HomeStead", 3 "Metallic" by the visual styles' colour scheme.
int XPColorSchemeKind(const platform::VisualStyles& styles);
// Never otUnknown. Without a visual-styles implementation the process's own is asked.
TOfficeTheme OfficeThemeKind(const platform::SettingsStore* registry);
TOfficeTheme OfficeThemeKind(const platform::SettingsStore* registry, const platform::VisualStyles& styles);
// The start-up registrations take the version 6 controls.
bool IsComCtl6();
QString DefaultUIFontName();

// Registered windows in registration order. A window that goes away drops out by itself.
class THandleList {
public:
    int Count() const { return int(items.size()); }
    int Add(QWidget* w);
    void Insert(int index, QWidget* w);
    void Delete(int index);
    QWidget* GetInteger(int index) const;
    void SetInteger(int index, QWidget* w);
    bool HasValue(const QWidget* w) const;
    // Removes the first occurrence; nothing when absent.
    void DeleteValue(const QWidget* w);

private:
    std::vector<QPointer<QWidget>> items;
};

// The registry watch. It keeps the name and members of a watcher thread, but runs on the
// user-interface thread: a file watch on the store's file, re-armed after every change (a file
// replaced by a rename leaves the watch), stands in for the change notification.
class TRegMonitorThread : public QObject {
public:
    // Created suspended: nothing is watched before Start.
    explicit TRegMonitorThread(platform::SettingsStore* registry, QObject* parent = nullptr);
    ~TRegMonitorThread() override;

    const QString& Key() const { return FKey; }
    void SetKey(const QString& v) { FKey = v; }
    int RootKey() const { return FRootKey; }
    void SetRootKey(int v) { FRootKey = v; }
    // Stored only: the watch always covers the whole subtree.
    bool WatchSub() const { return FWatchSub; }
    void SetWatchSub(bool v) { FWatchSub = v; }
    // Reading 0 stores and answers 15 (names, attributes, values and security).
    int Filter();
    void SetFilter(int v) { FFilter = v; }
    // The first receiver (the notifier's window).
    QWidget* Wnd() const { return FWnd; }
    void SetWnd(QWidget* v) { FWnd = v; }
    // Further receivers, in registration order.
    THandleList& WinList() { return FWinList; }
    QFileSystemWatcher* Event() const { return FEvent; }

    // Opens the key and arms the watch. Raises "Unable to open registry key " and the path when
    // the key is missing; the watch then stays off.
    void Start();
    // No further messages.
    void Stop();
    bool Terminated() const { return FTerminated; }

private:
    void InitThread();
    void Changed();
    void arm();
    QMap<QString, QString> readSubtree() const;

    platform::SettingsStore* FReg;
    QFileSystemWatcher* FEvent = nullptr;
    QString FKey;
    int FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = false;
    int FFilter = 0;
    QPointer<QWidget> FWnd;
    THandleList FWinList;
    bool FTerminated = false;
    QMap<QString, QString> lastValues;
};

// The hidden window that receives the notifier's message.
class TThemeNotifierWindow : public QWidget {
public:
    explicit TThemeNotifierWindow(QWidget* parent = nullptr);
    std::function<void(QObject* sender)> OnOfficeThemeChange;

protected:
    bool event(QEvent* e) override;
};

class TThemeNotifier : public QObject {
public:
    // Watches the office theme key of the registry when the 2007 or 2010 suite is present
    // (the 2010 key wins); otherwise it watches nothing and has no window.
    TThemeNotifier(QWidget* owner, platform::SettingsStore* registry);
    ~TThemeNotifier() override;

    // Appends a window not yet registered; nothing without a watcher.
    void RegisterWindow(QWidget* value);
    void UnRegisterWindow(QWidget* hwnd);

    TRegMonitorThread* RegMonitorThread = nullptr;
    QPointer<TThemeNotifierWindow> FNotifier;
    std::function<void(QObject* sender)> OnOfficeThemeChange;
};

// The one notifier, made by the first call (its owner: the owner's top-level window); later
// calls answer the same one whatever they pass. Null until then and after it is destroyed.
extern TThemeNotifier* GlobalThemeNotifier;
TThemeNotifier* ThemeNotifierInstance(QWidget* owner, platform::SettingsStore* registry);

} // namespace grid
