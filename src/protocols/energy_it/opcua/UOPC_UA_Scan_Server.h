#pragma once
// The browse of one OPC UA server: the window hands the endpoint to the outside library
// "OPC_UA_Search", loaded by name for this one browse, lists the variables it reports and lets
// the user tick which the gateway reads and which it writes. The client window fills Server,
// shows the window modally and, on 1, adopts the ticked rows: row i + 1 is item i of List_Var.
//
// The records' texts belong to the library and go with it, so each one is copied while the
// library is loaded and the record is pointed at the copy: List_Var stays readable after the
// window closed, until the next browse.

#include "common/OpcuaRecords.h"
#include "common/UFormParts.h"

#include <QByteArray>
#include <QStringList>

#include <deque>
#include <vector>

class QLabel;
class QTimer;
class TGlyphButton;

namespace grid {
class TQvColumnGrid;
}

namespace energy_it {

namespace scan_col {
inline constexpr int N = 0, Read = 1, Write = 2, DisplayName = 3, NodeType = 4, NodeId = 5, DataType = 6,
                     NameSpaceIndex = 7, Access = 8, Count = 9;
}

class TFOPC_UA_Scan_Server : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1035;
    static constexpr int kClientHeight = 337;
    static constexpr int kScanDelayMs = 100;

    explicit TFOPC_UA_Scan_Server(platform::Services& services, QWidget* parent = nullptr);

    void Set_Lang();
    void FormShow() override;
    // The browse, once the window is on screen: load the library, ask it, release it.
    void Timer_ScanTimer();
    // Two rows, the data row empty.
    void Erase_Table();
    void Show_Variables_List();

    // The endpoint to browse; its texts are the caller's and live while the window is open.
    common::opcua_server_to_discover Server{};
    // The last browse's variables, in the library's order.
    std::vector<common::opcua_structure> List_Var;
    // Column hints 1..7, kept with the language but not shown: the table shows no hints.
    QStringList Hint_ACG;
    QLabel* LWaiting = nullptr;
    grid::TQvColumnGrid* ACG_OPC_UA_Scan_Var = nullptr;
    QTimer* Timer_Scan = nullptr;
    TGlyphButton* Btn_SelectAllRead = nullptr;
    TGlyphButton* Btn_ClearAllRead = nullptr;
    TGlyphButton* Btn_SelectAllWrite = nullptr;
    TGlyphButton* Btn_ClearAllWrite = nullptr;

public slots:
    void reject() override;

protected:
    // A window closed before its browse began starts none later.
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void Btn_SelectAllReadClick(TGlyphButton* sender);
    void Btn_ClearAllReadClick(TGlyphButton* sender);
    void Set_Tick_Column(TGlyphButton* sender, const QString& tick);
    // Empties List_Var and the texts its records point to.
    void Clear_List_Var();
    // Points the record's texts at copies this window owns.
    void Keep_Texts(common::opcua_structure& record);

    // The copies of the records' texts; a deque keeps each in place as more are added.
    std::deque<QByteArray> texts_;
};

} // namespace energy_it
