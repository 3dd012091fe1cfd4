#pragma once
// The DeviceNet offset window: for every input and output byte of every slave of the saved
// scan list, the position of the gateway's byte array it is copied to or from, or "None".
// Kept in "DNETM_DefOff.xml". Every show rebuilds the slaves from the two saved files; OK
// refuses an output position taken twice, writes the file and closes with 1; Cancel closes
// with 2 and writes nothing. The slave logic is in UDefOffsetSlaves.h.

#include "common/UFormParts.h"
#include "gateway/UDefOffsetSlaves.h"
#include "tables/TableSetup.h"

#include <QDialog>

class QLabel;
class QSplitter;
class QTabWidget;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace gateway {

class TFDefOffset : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 482;
    static constexpr int kClientHeight = 610;

    explicit TFDefOffset(platform::Services& services, QWidget* parent = nullptr);
    ~TFDefOffset() override;

    void FormShow() override;
    void ACG_DN_SlavesClick();
    void bitbtn1Click();
    void Load_Slave_DN();
    void Load_Offset_Slave_DN();
    void Select_First();
    void Update_Slave_DN();
    bool Save_Data_ByteIN_ByteOUT();
    bool Check_Data();
    bool Save_Offset_Slave_DN();
    void Set_Lang();
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    tables::TTableGrid* ACG_DN_Slaves = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    tables::TTableGrid* ACG_ByteIN = nullptr;
    tables::TTableGrid* ACG_ByteOUT = nullptr;

    TSlave_List List_Slaves_DN;
    int Slave_Before_Select = -1;
    int MAX_BYTE_IN = kDefOff_Max_Byte;
    int MAX_BYTE_OUT = kDefOff_Max_Byte;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    bool loadFailed_ = false;
};

} // namespace gateway
