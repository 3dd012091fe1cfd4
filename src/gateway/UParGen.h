#pragma once
// The communication settings window: the gateway's IO-Link rate, DeviceNet baud rate, Ethernet
// address, mask and gateway, DHCP, DNS servers and host name, kept in the project's
// "ParGen.xml". It reads the file each time it is shown, validates on OK, rewrites the file
// and closes with result 1; Cancel and the close box close it with result 2 and write nothing.

#include "common/UFormParts.h"
#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace gateway {

class CategoryPanelGroup;
struct TParGen_Data;
namespace pargen_layout {
class ParGenPanels;
}

class TFParGen : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 460;
    static constexpr int kClientHeight = 700;

    explicit TFParGen(platform::Services& services, QWidget* parent = nullptr);
    ~TFParGen() override;

    // Each showing: the fields from the file (or the defaults), then the panels re-laid.
    void FormShow() override;
    // True when every field under validation is valid; otherwise shows the first error.
    bool Controllo_Dati();
    // Validates, writes the file and closes with result 1.
    void Btn_OKClick();
    // Captions, hints and list items from the text table (not the panel titles).
    void Set_Lang();
    // This build's repositioning: panel heights, rows and the DHCP greying.
    void Move_GroupBoxs();
    // This build's ordering of the panels (once, at creation).
    void Order_TAB_Panels();

    // List item of a stored IO-Link rate text: 1 for "COM2", 2 for "COM3", else 0.
    static int Get_IOLink_Slave_Baudrate(const QString& baud);

    // The wheel rule: handled (true) exactly when the pointer is over the panel group, which
    // then scrolls one line per configured wheel line.
    bool FormMouseWheel(Qt::KeyboardModifiers shift, int wheelDelta, const QPoint& mousePos);

    // The controls, under the names the rest of the program knows them by.
    CategoryPanelGroup* CPG = nullptr;

    QLineEdit* E_EthConn_Device_Name = nullptr;
    QCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    QCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    QCheckBox* CB_EthConn_Enable_DNS = nullptr;
    std::array<QLineEdit*, 4> E_EthConn_Pri_DNS_IP{}; // IP1 .. IP4
    std::array<QLineEdit*, 4> E_EthConn_Sec_DNS_IP{};
    QComboBox* CB_IOLink_Slave_Baudrate = nullptr;
    QLineEdit* E_DeviceNet_Master_IDDevice = nullptr;
    QComboBox* CB_DeviceNet_Master_Baudrate = nullptr;
    std::array<QLineEdit*, 4> E_Ethernet_IP{};
    std::array<QLineEdit*, 4> E_Ethernet_SM{};
    QCheckBox* CB_Ethernet_En_GAT = nullptr;
    std::array<QLineEdit*, 4> E_Ethernet_GAT{};

    pargen_layout::ParGenPanels& panels() { return *panels_; }

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    // The device name holds only characters the device stores unchanged (U+0000..U+00FF);
    // otherwise the message is shown and false returned.
    bool Device_Name_Storable();
    // The dot key of a byte field: moves on along its chain; the dot itself never lands.
    bool KeyPress(QWidget* sender);
    void On_Change();
    void On_Click();
    void buildFrame();
    void bindControls();
    void setTabChain();
    void toControls(const TParGen_Data& data);
    TParGen_Data fromControls() const;

    std::unique_ptr<pargen_layout::ParGenPanels> panels_;
};

} // namespace gateway
