#pragma once
// Enumerations and drawing routines of the glyph button: the face painter for every style,
// the 32-band gradient, the hot-track blend, the transparent glyph cell, the colour-style
// presets, and the fade ticker. The button itself is in GlyphButton.h.

#include "platform/Colors.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>

class QPainter;
class QRect;

enum class TGlyphButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };

enum class TGlyphButtonKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

enum class TGlyphButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum class TGlyphColorStyle {
    lcsCustom,
    lcsGold,
    lcsChrome,
    lcsBlue,
    lcsRed,
    lcsUltraFlat1,
    lcsUltraFlat2,
    lcsUltraFlatXP,
    lcsAqua,
    lcsDefault,
    lcsQuicken
};

// The colour (0x00BBGGRR) that marks the see-through parts of transparent faces.
inline constexpr platform::TColor kGlyphTransparentKey = 0xFF00FF;

// One row of the colour-style table: what writing that style sets on the button.
struct TGlyphColorPreset {
    TGlyphColorStyle style;
    platform::TColor color;
    platform::TColor lightColor;
    platform::TColor shadowColor;
    platform::TColor colorWhenDown;
    platform::TColor hotTrackColor;
    bool flat;
    TGlyphButtonStyle buttonStyle;
    platform::TColor fontColor;
};

// The preset of a style, or nullptr for lcsCustom (which changes nothing).
const TGlyphColorPreset* GlyphColorPreset(TGlyphColorStyle style);

// What a kind preset sets: modal result, glyph resource name and caption.
struct TGlyphKindPreset {
    TGlyphButtonKind kind;
    int modalResult;
    const char* resource;
    const char* caption; // UTF-8
};

// The preset of a kind, or nullptr for bkCustom (which only stores the kind).
const TGlyphKindPreset* GlyphKindPreset(TGlyphButtonKind kind);

// The program's own glyph bitmaps by resource name ("LBOK", "LBCANCEL", ..., "LBARROW"):
// 16-colour pictures whose lower-left pixel is the transparent colour. Empty for an unknown name.
QImage GlyphResource(const QString& name);

// Everything the face painter reads from the button at paint time.
struct TGlyphFaceParams {
    int width = 0;
    int height = 0;
    Qt::Alignment alignment = Qt::AlignHCenter;
    QString caption;
    TGlyphButtonLayout layout = TGlyphButtonLayout::blGlyphLeft;
    QFont font;
    platform::TColor fontColor = platform::clWindowText;
    platform::TColor shadowColor = platform::clGray;
    platform::TColor lightColor = platform::clWhite;
    platform::TColor hotTrackColor = platform::clNone;
    platform::TColor colorWhenDown = platform::clNone;
    platform::TColor color = platform::clBtnFace;
    TGlyphButtonStyle style = TGlyphButtonStyle::bsNormal;
    bool hasPopupMenu = false;
    bool wordWrap = false;
    bool flat = false;
    bool enabled = true;
    bool hot = false; // mouse over the button or focus on it
    bool pressed = false;
    QImage glyph;
    int numGlyphs = 0;
    int hotTrackLevel = 0; // 0..8
};

// Where the face painter puts the caption and the glyph cell.
struct TGlyphFaceLayout {
    int offset = 0;      // press offset d
    QString caption;     // after shortening to fit (no ellipsis)
    QRect textBox;       // left, top, width L, height th
    int textWidth = 0;   // tw
    int cellIndex = -1;  // glyph cell drawn, -1 for none
    int cellWidth = 0;   // cw
    int glyphHeight = 0; // gh
    int glyphLeft = 0;
    int glyphTop = 0;
    platform::TColor faceColor = 0;
    QFont font;
};

// The caption with its last characters taken off until its single-line width is at most
// maxWidth; it may become empty.
QString ShortenGlyphCaption(const QString& caption, const QFont& font, int maxWidth);

// The blend of color and hotTrackColor at level 0..8, as 0x00BBGGRR.
platform::TColor GlyphHotTrackBlend(platform::TColor color, platform::TColor hotTrackColor, int level);

// The face colour, positions and cell the painter uses for these inputs.
TGlyphFaceLayout LayoutGlyphButtonFace(const TGlyphFaceParams& p);

// Fills the rows top..bottom and columns left..right (ends exclusive) with 32 bands from a to b.
void DrawGlyphGradient(QPainter& painter, platform::TColor a, platform::TColor b, int left, int top, int right,
                       int bottom);

// Draws one cell of a glyph strip at (x, y); pixels of the cell's lower-left colour stay unpainted.
void DrawTransparentGlyphCell(QPainter& painter, const QImage& glyph, int cellIndex, int cellWidth, int x, int y);

// Paints a face of p.width x p.height at the painter's origin.
void PaintGlyphButtonFace(QPainter& painter, const TGlyphFaceParams& p);

// Fade ticker of a button's hot-track colour. It ticks on the user-interface thread every 30 ms
// while running: a worker thread that calls into the user-interface thread and waits would
// deadlock when the button is destroyed during that call.
class TGlyphButtonThread : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 30;

    // Created suspended; notify is called on every tick with this ticker as sender.
    TGlyphButtonThread(std::function<void(TGlyphButtonThread*)> notify, QObject* owner);

    bool Suspended() const;
    void Resume();
    void Suspend();
    // One tick: hands the tick to the button.
    void DoEvent();

private:
    std::function<void(TGlyphButtonThread*)> FNotify;
    QTimer timer;
};
