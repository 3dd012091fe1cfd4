#pragma once
// What the program's windows share in their frames: the Verdana font, the title panel with the
// software code and the window's title text, and the fixed-size dialog frame.

#include <QColor>
#include <QFont>

class QDialog;
class QLabel;
class QWidget;

namespace common {

// Grey of the title panel's texts.
inline const QColor kTitleGrey(0x80, 0x80, 0x80);
// Height of a window's title panel.
inline constexpr int kTitlePanelHeight = 69;

QFont Verdana(int pixelSize, bool bold = false);

// Creates L_SW_Code (software code, large) and L_SW_Desc (the window's title text, bold) in the
// title panel P_Title of the given width; descTop is the title text's top.
void Make_Title_Labels(QWidget* P_Title, int width, int descTop, QLabel*& L_SW_Code, QLabel*& L_SW_Desc);

// A fixed-size window with a single border and the system menu only.
void Set_Fixed_Dialog_Frame(QDialog* dialog);

} // namespace common
