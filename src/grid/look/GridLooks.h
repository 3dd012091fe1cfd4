#pragma once
// The grid's ready-made appearances: looks (how fixed cells are drawn, with their colours),
// the sixteen colour schemes, the XP colour schemes, the own colour set, and following the
// office suite's colour theme. Each entry writes its full set of colours; the last one applied
// wins.
//
// The logic works on TGridLookState, the store of every colour these entries write, so it can
// run and be tested without a grid. The string grid keeps one as the store behind the
// corresponding properties and fills in the callbacks (repaint, footer update, the drop-down
// editors) and the loading and designing flags.

#include "grid/BaseGrid.h"
#include "grid/QvObj.h"
#include "grid/look/QvStyleIF.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace grid {

enum TBorderStyle { bsNone, bsSingle };

// A gradient with an optional mirrored second half; Border is used by the hover and pressed
// sets only.
struct TLookGradient {
    TColor From = clNone;
    TColor To = clNone;
    TColor MirrorFrom = clNone;
    TColor MirrorTo = clNone;
    TColor Border = clNone;
    friend bool operator==(const TLookGradient&, const TLookGradient&) = default;
};

struct TGridLookState {
    // A store of its own, with a control look and sort settings of its own (no grid).
    TGridLookState();
    // The grid's store: the grid's control look and sort settings are the ones written.
    TGridLookState(TControlLook& controlLook, TSortSettings& sortSettings);
    TGridLookState(const TGridLookState&) = delete;
    TGridLookState& operator=(const TGridLookState&) = delete;
    ~TGridLookState();

    TGridLook Look = glStandard;
    TVLXStyle ComponentStyle = tsWindowsXP;

    // The grid's own gradient copies, which the painter reads: written by the control look's
    // gradient writers (and by the schemes directly).
    TLookGradient VLX;   // vendor-look gradient of fixed cells
    TLookGradient Hover; // hot fixed cell
    TLookGradient Down;  // pressed fixed cell
    // The control look and the sort settings (header colours) the schemes write.
    TControlLook& ControlLook() { return *FControlLook; }
    const TControlLook& ControlLook() const { return *FControlLook; }
    TSortSettings& SortSettings() { return *FSortSettings; }
    const TSortSettings& SortSettings() const { return *FSortSettings; }

    TColor ActiveCellColor = 0xEACAB6;
    TColor ActiveCellColorTo = clNone;
    TColor SelectionColor = platform::clHighlight;
    TColor SelectionColorTo = clNone;
    TColor SelectionTextColor = platform::clHighlightText;
    TGridSelectionStyle SelectionStyle = ssDefault;
    TColor GridLineColor = 0xC0C0C0;
    TColor GridFixedLineColor = 0x808080;
    TColor FixedColor = platform::clBtnFace;
    TBorderStyle BorderStyle = bsSingle;
    TColor BorderColor = clNone;
    TScrollType ScrollType = ssNormal;
    TColor SearchFooterColor = 0xFFFFFF;
    TColor SearchFooterColorTo = platform::clBtnFace;
    TColor FloatingFooterColor = platform::clBtnFace;

    // Written by the own colour set.
    TColorTones Tones;
    bool Flat = false;
    TColor Color = platform::clWindow;
    QString FontName;
    TColor FontColor = platform::clWindowText;
    QString FixedFontName;
    TColor FixedFontColor = platform::clWindowText;
    TNodeType NodeType = cn3D;

    // Office theme code applied last (-1: none yet).
    int OfficeThemeCode = -1;

    bool Loading = false;
    bool Designing = false;
    QString UIFontName = QStringLiteral("Segoe UI");

    std::function<void()> Invalidate;
    std::function<void()> UpdateFooter;
    // The existing drop-down cell editors take a scheme, or the own colour set.
    std::function<void(TVLXStyle)> StyleDropDownEditors;
    std::function<void(const TColorTones&)> ToneEditors;

    // Property writers with the pass-on rules of the grid.
    void SetVLXGradientFrom(TColor c);
    void SetVLXGradientTo(TColor c);
    void SetVLXGradientMirrorFrom(TColor c);
    void SetVLXGradientMirrorTo(TColor c);
    // ControlLook writers: From, To and Border reach the grid's copy only when set, mirror
    // colours always.
    void SetFixedGradientFrom(TColor c);
    void SetFixedGradientTo(TColor c);
    void SetFixedGradientMirrorFrom(TColor c);
    void SetFixedGradientMirrorTo(TColor c);
    void SetFixedGradientHover(const TLookGradient& g, bool withBorder);
    void SetFixedGradientDown(const TLookGradient& g, bool withBorder);
    // ControlLook back to its initial colours.
    void InitControlLook();

private:
    std::unique_ptr<TControlLook> ownControlLook;
    std::unique_ptr<TSortSettings> ownSortSettings;
    TControlLook* FControlLook;
    TSortSettings* FSortSettings;
};

// One row of the colour-scheme table. kKeep leaves a value as it was.
inline constexpr TColor kKeep = 0x2FFFFFFF;
enum class TSchemeFooter { Keep, FromNone, FromMirrorTo };
enum class TSchemeControlLook { Keep, FromTo, None };
struct TSchemeColors {
    int Look; // a TGridLook, or -1 for unchanged
    TColor F, T, MF, MT;
    TColor ActiveCell, ActiveCellTo;
    TColor Selection, SelectionTo, SelectionText;
    TColor GridLine, GridFixedLine;
    TSchemeFooter Footer;
    TSchemeControlLook ControlLook;
};
extern const std::array<TSchemeColors, kGridStyleCount> kGridSchemes;

void SetLook(TGridLookState& g, TGridLook value);
void SetStyle(TGridLookState& g, TQvGridStyle style);
void SetComponentStyle(TGridLookState& g, TVLXStyle style);
TVLXStyle GetComponentStyle(const TGridLookState& g);
void SetTheme(TGridLookState& g, TXPColorScheme scheme);
void SetColorTones(TGridLookState& g, const TColorTones& tones);
// code: the office theme code 0..9, 10 for unknown.
void ApplyOfficeTheme(TGridLookState& g, int code);

// The pictures of the own-colour look's check boxes and radio buttons: "metrocheckon",
// "metrocheckoff", "metroradioon", "metroradiooff" (15 x 15, white corners).
QImage MetroGlyph(const QString& name);

// Display name of a look; glCustom leaves `name` as it was.
void GridLookName(TGridLook look, QString& name);

} // namespace grid
