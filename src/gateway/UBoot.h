#pragma once
// The device update window: the user confirms the gateway's IPv4 address and chooses what to
// load (firmware, configuration or both) and whether the updater reads the memory back. On
// "Execute Update Firmware" the address must answer ICMP echo requests; then the job file
// "Ethernet_Update.xml" is written into the program folder and the maker's updater
// "Ethernet_Update.exe" is run through Start_Program, which waits for it. The window stays open
// afterwards; Cancel (or the close box) leaves it with result 2.
//
// Only the Ethernet layout exists: the serial layout and the device-search panel have no
// caller, so every Form_Type shows the Ethernet layout.

#include "common/UFormParts.h"
#include "platform/Shell.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TGlyphButton;

namespace platform {
struct Services;
class ReachabilityClock;
} // namespace platform

namespace gateway {

inline constexpr const char* kJob_FileName = "Ethernet_Update.xml";
inline constexpr const char* kUpdater_FileName = "Ethernet_Update.exe";
// The firmware image in "MASTER": named in the job, never opened here.
inline constexpr const char* kFirmware_FileName = "Sim40517.sim";

// Items of the option list, in list order.
enum TUpdate_Option { uoFirmware_And_Configuration = 0, uoFirmware = 1, uoConfiguration = 2 };

// What a job says: the device, what to load and from where.
struct TBoot_Job {
    QString IP_Address; // dotted, as the four boxes hold it
    int Update_Option = uoFirmware_And_Configuration;
    bool Read_Back = true;
    QString Master_Dir;  // holds the firmware image
    QString Project_Dir; // its "bin" folder holds the two banks
};

// The job file's bytes: root "Ethernet_Update" (no declaration, no version comment), the device
// and ports, the protection entry and one "Operation" per file to load, in the order firmware,
// bank 1, bank 2; only the job's last operation sends the device back to its application.
QByteArray Ethernet_Update_Job(const TBoot_Job& job);

class TFBoot : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 449;
    static constexpr int kIPAddressHeight = 64;
    static constexpr int kOptionsHeight = 72;

    // clock: the reachability test's time and pauses; nullptr takes the window's own (real time,
    // pending window messages handled between tries). Tests pass a clock of their own.
    explicit TFBoot(platform::Services& services, QWidget* parent = nullptr,
                    platform::ReachabilityClock* clock = nullptr);
    ~TFBoot() override;

    // Each showing: texts, layout, the last address, option and read-back choice, focus.
    void FormShow() override;
    // Echo test, then the job file and the updater; on failure a message and nothing stored.
    void Btn_UpdateClick();
    // The echo test on the four boxes' address; ping_res tells how its last try ended.
    bool Send_Ping();
    // Writes the job file for the boxes, option list and read-back box into Exe_Dir; false (and
    // error, when given) when it cannot be written.
    bool Compile_XML_Parameter_New_Boot(QString* error = nullptr);
    // Captions, hints and the option list (which goes back to its first item).
    void Set_Lang();

    // The four box texts joined with ".".
    QString IP_Address_Text() const;

    // The layout the opener asks for; 1 is the Ethernet layout, the only one there is.
    int Form_Type = 1;
    // How the latest echo try ended: 0 none yet (or failed before any reply), 1 a reply with
    // data, 2 no reply in time.
    int ping_res = 0;

    // Runs a program (file, parameters, show mode 0 shown / else hidden) and returns when it
    // exits or the wait limit passes, telling which; a program that did not start is reported
    // to the user. The main window sets it; left empty, the window runs the updater through
    // its Services shell with the same rules.
    std::function<platform::RunOutcome(const QString& program, const QString& parameters, int tipo)> Start_Program;

    // The controls, under the names the rest of the program knows them by.
    QWidget* P_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* P_Options = nullptr;
    QLabel* L_Update_Option = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;
    TGlyphButton* Btn_Update = nullptr;

public slots:
    void done(int r) override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFrame();
    void layOutEthernet();
    // The dot key of an address box: on to the next box; the dot itself never lands.
    bool KeyPress(QLineEdit* sender);
    // Every box holds a decimal octet 0..255.
    bool IP_Boxes_Valid() const;
    // A job that loads firmware needs the image in "MASTER"; false (and the message) when it
    // is missing.
    bool Firmware_Present();
    void runUpdater();
    std::array<QLineEdit*, 4> boxes() const { return {E_IP1, E_IP2, E_IP3, E_IP4}; }

    std::unique_ptr<platform::ReachabilityClock> ownClock_;
    platform::ReachabilityClock* clock_ = nullptr;
    bool testing_ = false; // an echo test is running (window messages still arrive)
    bool closedWhileTesting_ = false;
};

} // namespace gateway
