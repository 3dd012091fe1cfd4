#pragma once
// The main window: the configuration steps of this gateway as rows of buttons, the open-project
// box, and the entry points of the generators and the device update. Its construction is the
// program's start-up sequence.

#include "platform/Shell.h"

#include <QLabel>
#include <QMap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace platform {
struct Services;
}
namespace platform::xml {
class Document;
}

class TGlyphButton;

class TFQuorvantiseFirmWare : public QWidget {
    Q_OBJECT
public:
    // Runs the start-up sequence (FormCreate). common::State().Exe_Dir may be set beforehand
    // (tests point it at a temporary folder); when empty it becomes the program's folder.
    explicit TFQuorvantiseFirmWare(platform::Services& services, QWidget* parent = nullptr);
    ~TFQuorvantiseFirmWare() override;

    void Set_Lang();
    void Change_Language();
    // Runs a program and waits until it ends or 150 s pass; tells whether it started and
    // whether it ended in time (its exit code is not looked at).
    platform::RunOutcome Start_Program(const QString& NomeSW, const QString& Parameter, int tipo);

    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    void Create_IODD();
    void Build_EDS_File();
    void BACnet_EDE_File();
    void PROFINET_XML();

    // The other protocols' description-file writers. They belong to the protocol tables; those
    // this build does not carry yet stay empty and their steps write nothing.
    struct TGenerators {
        std::function<void(const QString& fileName)> Write_EDS_File;
        std::function<void(const QString& fileName)> Create_EDE_File;
        std::function<void(const QString& nameFileXml)> Create_GSDML_File;
        std::function<void()> Create_ESI_File;
        std::function<void()> Create_MIB_File;
    } Generators;
    void Timer_UpdateTimer();
    void L_NorvixClick();
    void LL_UpdateLinkClick(const QString& link);
    // Applies the version-query timer rule: on exactly when both internet options are on;
    // enabling a running timer does not restart its countdown.
    void Apply_Timer_Rule();

    // The button of that object name ("Btn_New", "Btn_Prm_Gen", ...), or nullptr.
    TGlyphButton* Button(const QString& name) const { return buttons_.value(name); }
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* LL_Update = nullptr;
    QTimer Timer_Update;

    // The version query, set by the options window once it exists (it owns Check_Version).
    std::function<bool()> Check_Version;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void Lay_Out_For_Gateway();
    void Show_Project_Box();
    void Btn_Click(const QString& name);

    platform::Services& services_;
    QMap<QString, TGlyphButton*> buttons_;
    QLabel* L_Begin = nullptr;
    QList<QLabel*> L_Step;
    QLabel* L_Norvix = nullptr;
    QWidget* Shape1 = nullptr;
    QWidget* Shape2 = nullptr;
};
