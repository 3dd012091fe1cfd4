#pragma once
// The frame every window is built with: a title strip (software code and the window's
// description), the body the window adds, and a strip of buttons, described as data
// (`TFramePlan`) and built by the one `TQvForm::Build_Frame`, which also sets the window's font,
// background, size rule and software code and fills the design-named members (P_Title,
// L_SW_Code, L_SW_Desc, P_Button, Btn_OK, Btn_Cancel and the buttons a plan names).
//
// Two title looks exist: the application's windows (32-pixel code, 11-pixel texts) and the
// table windows (24-point code, 8-point texts on the pale table background). The presets below
// give the usual frames and strips; a window states only what differs.

#include "common/GlyphButtons.h"

#include <QColor>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

class TGlyphButton;

namespace common {

// Background of the table windows.
inline const QColor kTableWindowBackground{0xF8, 0xF7, 0xED};
// Height of a window's button strip.
inline constexpr int kButtonStripHeight = 40;

enum class TTitleStyle {
    None,        // no title strip
    Application, // the application's windows
    Table,       // the table windows
};

// How the window's body is placed between the strips.
enum class TFrameBody {
    Placed, // the window places its controls by geometry; the strips lie at the top and bottom
    Column, // title, body and button strip stacked in a layout; the body is a layout to fill
};

enum class TFrameSizing {
    Fixed,       // the client size, fixed
    FixedWidth,  // the client width fixed, the height a starting size (none: the layout's)
    Resizable,   // the client size a starting size
    FitContents, // the column sizes the window to its fixed-size panels
};

struct TStripButton {
    const char* name = nullptr;
    // The window's design-named member to fill; Btn_OK and Btn_Cancel fill the form's own.
    TGlyphButton** member = nullptr;
    QRect at;            // in the strip (unused for a right-hand button)
    int modalResult = 0; // 0: the window's handler decides
    TGlyphButtonKind kind = TGlyphButtonKind::bkCustom;
    // Kept at the strip's right end whatever the window's width (81 x 25, in the order listed).
    bool atRight = false;
};

struct TFramePlan {
    QSize client;
    TTitleStyle title = TTitleStyle::Application;
    int descTop = 46; // top of the description in an application title
    TFrameBody body = TFrameBody::Placed;
    TFrameSizing sizing = TFrameSizing::Fixed;
    // A single border and the system menu only.
    bool dialogBorder = false;
    std::optional<QColor> background;
    bool buttonStrip = true;
    std::vector<TStripButton> buttons;
};

// A button of the table windows' strip: 110 x 28 at slot index (x = 16 + 118 * index).
TStripButton Slot_Button(const char* name, TGlyphButton** member, int slot, int modalResult = 0);

// OK at slot 0 and Cancel (closing with 2) at slot 1.
std::vector<TStripButton> OK_Cancel_Slots(int okModalResult = 0);

// OK and Cancel at the strip's right end with their glyphs; OK carries okModalResult (0 when
// its handler closes the window), Cancel closes with 2.
std::vector<TStripButton> OK_Cancel_At_Right(int okModalResult);

// OK, Cancel, Delete Row, Insert Row, Copy Row and Paste Row at slots 0 to 5.
std::vector<TStripButton> Row_Buttons(TGlyphButton** delRow, TGlyphButton** insRow, TGlyphButton** copyRow,
                                      TGlyphButton** pasteRow);

// An application window: its title, controls placed by geometry, a fixed size and a single
// border with the system menu only.
TFramePlan Application_Frame(QSize client, std::vector<TStripButton> buttons, int descTop = 46);

// A table window: its title on the table background, the body in the column, a fixed size or,
// for the gateway's tables, the design size to start with (the user may make the window larger
// to see more rows, and a smaller screen shrinks it: Fit_To_Screen).
TFramePlan Table_Frame(QSize client, std::vector<TStripButton> buttons, TFrameSizing sizing = TFrameSizing::Fixed);

} // namespace common
