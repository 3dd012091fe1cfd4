#pragma once
// The frame of a table window: a 69-pixel title strip with the software code and the window's
// description, the body the window adds, and a 40-pixel strip of buttons. The application's
// own windows use common::Make_Title_Labels / Make_OK_Cancel_Buttons instead (other fonts and
// sizes).

#include <QColor>

class QDialog;
class QLabel;
class QVBoxLayout;
class QWidget;
class TGlyphButton;

namespace tables {

inline const QColor kWindowBackground{0xF8, 0xF7, 0xED};

struct TWindowFrame {
    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_Button = nullptr;
    QVBoxLayout* layout = nullptr; // title, then the body the window adds, then the buttons
};

// Builds the title strip into the window's layout; the window adds its body, then P_Button.
TWindowFrame Build_Window_Frame(QDialog& window, int clientWidth);

// A 110 x 28 button of the button strip at slot index (x = 16 + 118 * index), named name so
// that tests find it.
TGlyphButton* Add_Strip_Button(const TWindowFrame& frame, const char* name, int index);

} // namespace tables
