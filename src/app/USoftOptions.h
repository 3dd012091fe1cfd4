#pragma once
// The software options window: the language picker (the language files found, six flags to a
// page), the two internet options of the version query with an on-demand check, and the two
// table options. A picked language takes effect in every window at once; the language name and
// the four options become the program's settings only on OK.
//
// The version query lives here too: Check_Version asks the maker's version service whether a
// newer version of this program exists; the main window's timer calls it as well.

#include "common/UFormParts.h"
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QTabWidget;
class QWidget;
class TGlyphButton;

namespace platform {
class HttpClient;
struct Services;
} // namespace platform

namespace app {

// The maker's version service: host and port are configurable (tests point them at a server
// on the loopback address); path and query key are fixed.
inline constexpr int kVersionServicePort = 80;
inline constexpr const char* kVersionServicePath = "/home/download/GetversionSW.asp";
inline constexpr const char* kVersionQueryKey = "nomesw";
// The gateway's hardware code: the download page's anchor for this converter.
inline constexpr const char* kHW_Code = "GX40517";
// Version number meaning "no version".
inline constexpr int kNoVersion = -1;

// The address the version query asks: path, "?", key, "=", the software code.
QUrl Version_Query_Url(const QString& host, int port);
// The maker's download page for this converter.
QString Download_Page_Address();
// Link-label markup: text linked to the download page (text is shown as plain text).
QString Download_Link(const QString& text);

// The version number of a version text ("VER. 1.002" or "1.002" gives 1002), or kNoVersion.
// The format is one digit, any separator and three digits.
int Conv_Version(const QString& Ver_str);
// True when the service's reply names a version higher than this program's own; an empty
// reply, "VER. 0.000" in any case, or a reply not in the expected form reads as no newer version.
bool Is_Newer_Version_Reply(const QString& reply);
// One query of the service through client: true when it names a higher version. Any failure
// (no client, no connection, an HTTP status other than success, a redirect) reads as false.
bool Check_Version(platform::HttpClient* client, const QString& host, int port);

class TFSoftOptions : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 509;
    static constexpr int kClientHeight = 373;
    static constexpr int kSlotsPerPage = 6;

    explicit TFSoftOptions(platform::Services& services, QWidget* parent = nullptr);
    ~TFSoftOptions() override;

    // What the window needs of the main window, set by it after construction.
    // Re-applies the texts of every window but the about window (this one included). When
    // unset, only this window's texts are re-applied.
    std::function<void()> Change_Language;
    // Enables or disables the version-query timer. Enabling a running timer must not restart
    // its countdown.
    std::function<void(bool enabled)> Set_Timer_Update_Enabled;

    // Where the version service is reached.
    QString Version_Host;
    int Version_Port = kVersionServicePort;

    // Each showing: the language list from the "LANGUAGE" folder, page 1, the check boxes from
    // the settings, the update link hidden, the language page in front.
    void FormShow() override;
    // Captions from the text table.
    void Set_Lang();
    // The language files: every readable regular "*.lng" file, sorted by name ignoring case.
    void Create_Lang_List();
    // Shows the slots, page line and page buttons of page Num_Page (from 1).
    void Update_Lang_Page(int Num_Page);
    // Next or Previous, by sender.
    void Btn_NextClick(QObject* Sender);
    // A click on a slot's picture or name: asks, then loads the picked language at once.
    void LangClick(QObject* Sender);
    // Enabled states: the update option needs the internet option, the check button needs both.
    void Update_CheckBox();
    void CB_En_ConClick();
    // Takes the language and the four options over and closes with result 1.
    void Btn_OKClick();
    // Asks the version service now and shows the answer in LL_Check_Update.
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& Link);
    // The version query through the program's HTTP client and the configured service.
    bool Check_Version();

    // The language page shown, from 1.
    int Show_Page = 1;
    // The language files' names (with ".lng"), sorted.
    QStringList SL_Languages;
    // The language picked in this window; becomes Language_Name on OK.
    QString Language_In_Use;
    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    QLabel* I_L1 = nullptr;
    QLabel* L_L1 = nullptr;
    QLabel* I_L2 = nullptr;
    QLabel* L_L2 = nullptr;
    QLabel* I_L3 = nullptr;
    QLabel* L_L3 = nullptr;
    QLabel* I_L4 = nullptr;
    QLabel* L_L4 = nullptr;
    QLabel* I_L5 = nullptr;
    QLabel* L_L5 = nullptr;
    QLabel* I_L6 = nullptr;
    QLabel* L_L6 = nullptr;
    QLabel* L_Page_Lang = nullptr;
    TGlyphButton* Btn_Prev = nullptr;
    TGlyphButton* Btn_Next = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    TGlyphButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildLanguagePage();
    void buildConnectionPage();
    void buildSettingsPage();
    int pageCount() const;
    void showPageLines();

    // Slot k (0..5): picture and name.
    std::array<QLabel*, kSlotsPerPage> slotPictures_{};
    std::array<QLabel*, kSlotsPerPage> slotNames_{};
};

} // namespace app
