#pragma once
// The GSDML file-name dialog: the name is the fixed "GSDML-V2.25-Norvix-", the part the user
// types (joined by "_" unless it starts with one) and "-" + the date the program started +
// ".xml". On OK the composed name is Name_File_XML, which the main window hands to the GSDML
// writer. The dialog is created once, so the typed part stays for the rest of the run.

#include "common/UFormParts.h"

#include <QString>

class QLabel;
class QLineEdit;
class TGlyphButton;

namespace ethernet {

class TFProfinetFileName : public common::TQvForm {
    Q_OBJECT
    // The main window reads the name through this property.
    Q_PROPERTY(QString Name_File_XML MEMBER Name_File_XML)
public:
    static constexpr int kClientWidth = 540;
    static constexpr int kClientHeight = 205;
    static constexpr const char* kFixedPart = "GSDML-V2.25-Norvix-";

    // The date part comes from the services' clock, read once here.
    explicit TFProfinetFileName(platform::Services& services, QWidget* parent = nullptr);
    ~TFProfinetFileName() override;

    void Set_Lang();
    void FormShow() override;
    // Composes Name_File_XML and closes with 1; a user part naming another folder is refused.
    void Btn_OK_Click();

    QString Name_File_XML;
    QLabel* L_Select_Name = nullptr;
    QLabel* L_FixPart_1 = nullptr;
    QLabel* L_XML_Fix1 = nullptr;
    QLabel* L_UsedPart = nullptr;
    QLineEdit* E_XML_User = nullptr;
    QLabel* L_FixPart_2 = nullptr;
    QLabel* L_XML_Fix2 = nullptr;

public slots:
    void reject() override;

private:
    void FormCreate();
};

} // namespace ethernet
