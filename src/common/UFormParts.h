#pragma once
// What the program's windows share in their frames: the Verdana font, the title panel with the
// software code and the window's title text, and the fixed-size dialog frame.

#include <QColor>
#include <QDialog>
#include <QFont>

class QLabel;
class TGlyphButton;
class QWidget;

namespace platform {
struct Services;
}

namespace common {

// Grey of the title panel's texts.
inline const QColor kTitleGrey(0x80, 0x80, 0x80);
// Height of a window's title panel.
inline constexpr int kTitlePanelHeight = 69;

QFont Verdana(int pixelSize, bool bold = false);

// Creates L_SW_Code (software code, large) and L_SW_Desc (the window's title text, bold) in the
// title panel P_Title of the given width; descTop is the title text's top.
void Make_Title_Labels(QWidget* P_Title, int width, int descTop, QLabel*& L_SW_Code, QLabel*& L_SW_Desc);

// OK and Cancel at the right end of a fixed-width button strip P_Button; OK carries
// okModalResult (0 when its handler closes the window), Cancel closes with 2.
void Make_OK_Cancel_Buttons(QWidget* P_Button, int width, int okModalResult, TGlyphButton*& Btn_OK,
                            TGlyphButton*& Btn_Cancel);

// A fixed-size window with a single border and the system menu only.
void Set_Fixed_Dialog_Frame(QDialog* dialog);

// Centres a window, frame included, in the available area of its screen. A window larger than
// that area (a small screen) is first shrunk to it, its minimum size lowered where it must be,
// so its title bar, close box and button strip stay on the screen and its tables scroll; a
// window that fits keeps its size.
void Fit_To_Screen(QWidget& window);

// The frame of every window but the main window: modal, shown by ShowModal, reading its
// settings in FormShow each time it is shown.
class TQvForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kModalOK = 1;
    static constexpr int kModalCancel = 2;

    // Shows the window modally; 1 for OK, 2 for Cancel or the close box.
    int ShowModal();

protected:
    TQvForm(platform::Services& services, QWidget* parent);

    // Runs each time the window is shown. A project file that cannot be read throws
    // platform::xml::XmlError: the message is shown and the window closes with Cancel, so an OK
    // cannot overwrite the file with what the user never saw.
    virtual void FormShow() = 0;

    void showEvent(QShowEvent* event) override;
    // Escape does not close the window (only Cancel and the close box do), and Enter does not
    // confirm it.
    void keyPressEvent(QKeyEvent* event) override;

    // Fit the window into the screen and centre it each time it is shown (Fit_To_Screen).
    bool CenterOnShow = true;
    platform::Services& services_;
};

} // namespace common
