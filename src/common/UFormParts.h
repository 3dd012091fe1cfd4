#pragma once
// What the program's windows share in their frames: the Verdana font, the title panel with the
// software code and the window's title text, and the fixed-size dialog frame.

#include <QColor>
#include <QDialog>
#include <QFont>

class QLabel;
class QVBoxLayout;
class TGlyphButton;
class QWidget;

namespace platform {
struct Services;
}

namespace common {

struct TFramePlan;
struct TStripButton;

// Grey of the title panel's texts.
inline const QColor kTitleGrey(0x80, 0x80, 0x80);
// Height of a window's title panel.
inline constexpr int kTitlePanelHeight = 69;

QFont Verdana(int pixelSize, bool bold = false);

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

    // The frame's design-named parts, filled by Build_Frame (null where a frame has none).
    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_Button = nullptr;
    TGlyphButton* Btn_OK = nullptr;
    TGlyphButton* Btn_Cancel = nullptr;

protected:
    TQvForm(platform::Services& services, QWidget* parent);

    // Runs each time the window is shown. A project file that cannot be read throws
    // platform::xml::XmlError: the message is shown and the window closes with Cancel, so an OK
    // cannot overwrite the file with what the user never saw.
    virtual void FormShow() = 0;

    // Builds the frame the plan describes (common/WindowFrame.h). With a column body it returns
    // the layout between the strips for the window's body; otherwise null.
    QVBoxLayout* Build_Frame(const TFramePlan& plan);
    // One more button in the strip Build_Frame built (a window that adds to its base's strip).
    TGlyphButton* Add_Strip_Button(const TStripButton& button);

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Escape does not close the window (only Cancel and the close box do), and Enter does not
    // confirm it.
    void keyPressEvent(QKeyEvent* event) override;

    // Fit the window into the screen and centre it each time it is shown (Fit_To_Screen).
    bool CenterOnShow = true;
    platform::Services& services_;

private:
    // Build_Frame makes the strip's buttons before the body the window adds; Tab still reaches
    // them last, as in the design. Done once, as the window is first shown.
    void Put_Strip_Last_In_Tab_Order();
    bool stripInTabOrder_ = false;
};

} // namespace common
