#pragma once
// The DeviceNet network window: the master's scan list of up to 64 slaves (ID, input and
// output byte counts, mnemonic), kept in "DNETM_Net.xml". Every show reloads the table from
// the file; OK validates, rewrites the file and closes with 1; Cancel closes with 2 and writes
// nothing. The table logic is in UDNetTable.h.

#include "common/UFormParts.h"
#include "tables/TableSetup.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QLabel;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace gateway {

class TFDNet : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 745;
    static constexpr int kClientHeight = 337;
    static constexpr int kRows = 65; // the header row and 64 slaves

    explicit TFDNet(platform::Services& services, QWidget* parent = nullptr);
    ~TFDNet() override;

    void FormShow() override;
    bool controllo_dati();
    void bitbtn1Click();
    void Btn_DelRow_Click();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ClickCell(int row, int col);
    void Set_Lang();
    TGlyphButton* Btn_DelRow = nullptr;
    TGlyphButton* Btn_InsRow = nullptr;
    TGlyphButton* Btn_CopyRow = nullptr;
    TGlyphButton* Btn_PasteRow = nullptr;
    tables::TTableGrid* QSG = nullptr;

    QStringList Hint_DeviceNet;
    bool Do_Copy = false;
    // Slaves the file held at the last showing; more than the table's 64 means OK would lose
    // the rest, which it does only after the user's Yes.
    int Rows_Read = 0;

public slots:
    void reject() override;

protected:
private:
    void FormCreate();

    std::unique_ptr<tables::TTableRows> rows_;
};

} // namespace gateway
