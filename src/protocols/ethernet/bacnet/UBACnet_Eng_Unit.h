#pragma once
// The engineering-unit picker of the BACnet server tables: shows a unit code with its name and
// lets the user pick another unit by group and name. The server window fills E_Selected_EU and
// Label5 before showing it and takes E_Selected_EU back on OK; a typed code is returned as
// typed (the server table's validation checks it).

#include "common/UFormParts.h"

#include <QString>

#include <span>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class TGlyphButton;

namespace ethernet {

// Codes 0..236 of the BACnet engineering-units enumeration have names.
inline constexpr int kLast_Unit_Code = 236;

// The name of a unit code, "unknown" for any code without one.
QString Desc_Unit(int code);

// A group of the picker: its name and its codes in list order.
struct TUnit_Group {
    std::string_view name;
    std::span<const int> codes;
};
std::span<const TUnit_Group> Unit_Groups();

// The name a code shows in the unit list (a few entries are spelled differently there).
QString Unit_List_Name(int code);

class TFBACnet_Eng_Unit : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 548;
    static constexpr int kClientHeight = 306;

    explicit TFBACnet_Eng_Unit(platform::Services& services, QWidget* parent = nullptr);
    ~TFBACnet_Eng_Unit() override;

    void Set_Lang();
    // The unit list follows the group that stays selected from the previous use.
    void FormShow() override;
    // Fills the unit list with the selected group's names and selects the first.
    void CB_Select_TypeSelect();
    // The selected unit's code into E_Selected_EU, its name into Label5 (code 0 when no unit
    // is selected).
    void Btn_Select_Eng_UnitClick();
    QLabel* Label1 = nullptr;
    QLineEdit* E_Selected_EU = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* CB_Select_Type = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* CB_Select_Unit = nullptr;
    TGlyphButton* Btn_Select_Eng_Unit = nullptr;

public slots:
    void reject() override;
};

} // namespace ethernet
