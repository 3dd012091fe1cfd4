#pragma once
// The dialog in which the user adds an OPC UA server endpoint or changes one: enable flag,
// address, authorization with the credentials it needs, security mode and policy, and a
// description. The caller sets FormType (and, to modify, every control), shows it modally and
// on 1 reads the controls back: the texts as typed and the three list indexes.

#include "common/UFormParts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TGlyphButton;

namespace energy_it {

class TFOPC_UA_Add_Server : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 407;
    static constexpr int kFormAdd = 1;
    static constexpr int kFormModify = 2;

    explicit TFOPC_UA_Add_Server(platform::Services& services, QWidget* parent = nullptr);

    void Set_Lang();
    void FormShow() override;
    // Shows the credential rows the authorization needs, moves the rows below them and fits
    // the window's height.
    void Change_Fields();
    // "None" as security mode forces the policy "None" and locks it.
    void Check_Authorization();
    // The first missing input is shown and false returned.
    bool Controlla_Dati();

    int FormType = kFormAdd;
    QCheckBox* CB_OPC_UA_Server_Enable = nullptr;
    QLabel* L_Server_Add = nullptr;
    QLineEdit* E_Server_Add = nullptr;
    QLabel* L_Auth = nullptr;
    QComboBox* CB_Auth = nullptr;
    QLabel* L_User = nullptr;
    QLineEdit* E_User = nullptr;
    QLabel* L_Pass = nullptr;
    QLineEdit* E_Pass = nullptr;
    QLabel* L_Certificate = nullptr;
    QPlainTextEdit* RE_Certificate = nullptr;
    QLabel* L_Priv_Key = nullptr;
    QPlainTextEdit* RE_Priv_Key = nullptr;
    QLabel* L_Sec_Type = nullptr;
    QComboBox* CB_Sec_Type = nullptr;
    QLabel* L_Sec_Policy = nullptr;
    QComboBox* CB_Sec_Policy = nullptr;
    QLabel* L_Mnemonic = nullptr;
    QLineEdit* E_Mnemonic = nullptr;

public slots:
    void reject() override;

private:
    void FormCreate();
    void Btn_OKClick();
    // Places a label and its input at their tops in the window.
    void Place_Row(QLabel* label, QWidget* input, int labelTop, int inputTop);

    QWidget* Panel1 = nullptr;
};

} // namespace energy_it
