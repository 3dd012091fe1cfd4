#pragma once
// The new-configuration window: asks for a project name and makes the project's folder with
// its "bin" folder under "PROJECTS". On success the new project is the open one (Project_Name,
// Project_Dir and the project file paths name it) and the window closes with result 1; Cancel
// and the close box close it with result 2.

#include "common/UFormParts.h"
#include <QDialog>

class QLabel;
class QLineEdit;
class QWidget;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace app {

class TFNew_Project : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 331;
    static constexpr int kClientHeight = 162;

    explicit TFNew_Project(platform::Services& services, QWidget* parent = nullptr);
    ~TFNew_Project() override;

    // Each showing: an empty name box with the focus.
    void FormShow() override;
    // Checks the typed name, makes the folders and opens the new project; on an error it says
    // why and the window stays open with the name as typed.
    void Btn_OKClick();
    // Captions and hints from the text table.
    void Set_Lang();

    // Whether a name could be a project folder of its own: not empty and not a path.
    static bool Is_Valid_Project_Name(const QString& name);

    QLabel* Label1 = nullptr;
    QLineEdit* E_New_Proj = nullptr;

public slots:
    void reject() override;

protected:
private:
    void FormCreate();
};

} // namespace app
