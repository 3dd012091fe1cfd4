#pragma once
// The program's windows, created once at start in a fixed order and living until it ends. The
// main window reaches the others through this table: by object name to show one modally, and
// in the language-change order to re-apply their texts.

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace platform {
struct Services;
}

class TFQuorvantiseFirmWare;

struct TFormEntry {
    QString objectName;             // "FParGen", ...
    QWidget* window = nullptr;      // owned by the application (deleted at the end of main)
    std::function<void()> setLang;  // empty for the about window, which has fixed texts
    std::function<int()> showModal; // shows the window modally, returns its modal result
};

class TForms {
public:
    // Creates the 41 windows in start-up order, the main window first.
    void Create_Forms(platform::Services& services);
    // Deletes the windows, the main window last.
    void Free_Forms();

    TFQuorvantiseFirmWare* Main() const { return main_; }
    const TFormEntry* Find(const QString& objectName) const;
    // Shows a window modally; 0 when there is no such window.
    int ShowModal(const QString& objectName) const;
    // Set_Lang of every window but the main and the about window, in the language-change order.
    void Set_Lang_All() const;
    const std::vector<TFormEntry>& Entries() const { return entries_; }

private:
    TFQuorvantiseFirmWare* main_ = nullptr;
    std::vector<TFormEntry> entries_;
};

// The one table of the running program.
TForms& Forms();
