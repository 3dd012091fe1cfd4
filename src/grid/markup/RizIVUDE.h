#pragma once
// The grid's small HTML-like markup: what cells, hints, the footer and printouts may hold.
//
// Call flow: a cell text counts as markup when ZirAzur::GetCellTextKind says so. The renderer
// draws it tag by tag, reading entities (DecodeEntities), FONT and BODY colours (ColorFromName,
// HexToColor), the highlight tag's colours (HighlightBackColor/TextColor), IMG pictures from a
// TPictureContainer or the grid's THTMLPictureCache (PictureContainer.h) and shell icons
// (DrawShellIcon). Everything that wants the text without its look (exports, the in-place
// editor, number reading, sorting, filtering) goes through MarkupToPlainText. Search and error
// highlighting wrap hits with MarkSearchText and take the marks off with UnmarkSearchText.
// Inline CONTROL tags (edit, check, radio, combo, button) are read and rewritten in the cell
// text with ParseControlTag and the Get/SetControl* helpers; the cell text is their only store.
//
// PaintMarkup is the one renderer every caller uses (cells, hints, the footer, printouts,
// drop-down headers): it lays the markup out in a rectangle, paints it, measures it and says
// what lies under a point. Each line is laid out twice from the same state (RizIVUDE/layout.cpp):
// a measuring pass decides where the line breaks, then a second pass paints or hit-tests exactly
// that text. The tags' effects are the handlers in RizIVUDE/tags.cpp; runs of text are drawn and
// measured through ZirAzur::DrawTextFlags.
//
// Positions inside texts are 0-based; nothing here raises.

#include "grid/GridTypes.h"

#include <QChar>
#include <QImage>
#include <QString>

class QPainter;
class QWidget;

namespace grid {
class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;
} // namespace grid

namespace grid::RizIVUDE {

// ---- module data ---------------------------------------------------------------------------

// Delimiter of attribute values, read and written by every routine here.
extern QChar QuoteChar;
// Colours of the highlight tag; the grid's highlight colour settings set them.
extern TColor HighlightBackColor;
extern TColor HighlightTextColor;
// The renderer asks the visual-styles layer only when this is set. Our visual-styles stand-in
// is always there, so it is always true.
extern bool IsWinXPOrLater;

// ---- entities ------------------------------------------------------------------------------

// Entity names and their characters, in the order decoding and encoding walk them.
struct TEntity {
    QChar Char;
    const char* Name;
};
inline constexpr int EntityCount = 51;
extern const TEntity Entities[EntityCount];

// "&lt;", "&gt;", "&amp;", "&quot;" in this order (so "&amp;lt;" gives "&lt;"), names in exact
// case; with all, then every name of the entity table.
QString DecodeEntities(const QString& text, bool all);
// The ampersands first, so the entities written next are not encoded again; then the double
// quote, "<" and ">"; with all, then every character of the entity table.
QString EncodeEntities(const QString& text, bool all);
QString SpacesToNbsp(const QString& text);

// ---- colours -------------------------------------------------------------------------------

// The colour-name table of FONT and BODY tags, compared exactly (callers lower-case first);
// an unknown name is black.
TColor ColorFromName(const QString& name);
// "#RRGGBB" (callers upper-case first) as a colour value. A missing pair counts 0, and so does
// a character that is no hexadecimal digit, so one channel never spills into the next.
TColor HexToColor(const QString& text);
void SetMarkupHighlightColors(TColor back, TColor text);

// ---- plain text and search marks -----------------------------------------------------------

// BR and HR (any case) become CR LF, every other tag is dropped; a "<" with no ">" after it is
// kept with the rest of the text. Entities are left as written.
QString MarkupToPlainText(const QString& text);
// Wraps every hit of search in the visible text in "<tag>" ... "</tag>". The marks may
// interleave with the text's own tags but never land inside one. When the visible text holds a
// "<" or ">" of its own (and search occurs), the tags are given up: the result is the visible
// text with those escaped, marked.
QString MarkSearchText(const QString& text, const QString& search, const QString& tagName, bool matchCase);
// Removes "<tag>" and "</tag>" in any case, then turns every "&lt;" and "&gt;" back into "<"
// and ">". Not the inverse of MarkSearchText for texts that hold entities or whose tags it
// gave up.
QString UnmarkSearchText(const QString& text, const QString& tagName);

// ---- inline CONTROL tags -------------------------------------------------------------------

// Attributes of one CONTROL tag; absent ones are empty. Type is upper-cased, Value and Prop
// are entity-decoded.
struct TControlTag {
    QString Type;
    QString ID;
    QString MaxLen;
    QString Prop;
    QString Height;
    QString Width;
    QString Value;
};

bool HasControlTag(const QString& text);
// Each attribute is the text between the first two quotes after its "NAME=" (first occurrence,
// any case).
TControlTag ParseControlTag(const QString& tagText);
// The ID of the next edit-like control (not BUTTON, CHECK or RADIO) after the control with
// this ID, or the first one for an empty ID; empty when there is none.
QString NextEditControlID(const QString& text, const QString& id);
// Every RADIO control's VALUE set to "FALSE".
QString ClearRadioControls(const QString& text);
bool GetControlValue(const QString& text, const QString& id, QString& value);
QString GetControlProp(const QString& text, const QString& id);
int GetControlMaxLen(const QString& text, const QString& id);
// Rebuilds the first CONTROL tag with this ID with the new VALUE, keeping ID, WIDTH, TYPE and,
// when set, PROP, MAXLEN and HEIGHT; other attributes are dropped. False and the text
// unchanged when no control has that ID.
bool SetControlValue(QString& text, const QString& id, const QString& value);

// ---- drawing helpers of image tags ---------------------------------------------------------

// The shell icon of name (platform::shellIcon: a number is an icon type, else a file or
// folder). size := the icon size. With draw it is drawn at (x, y): as it is, or, with stretch,
// onto a white bitmap of its size that is then stretched by scaleFactor.
void DrawShellIcon(QPainter& canvas, int x, int y, TPoint& size, double scaleFactor, bool stretch, bool draw,
                   bool large, const QString& name);
// The bitmap's pixels copied into rect, stretched without smoothing.
void StretchBitmapToRect(QPainter& canvas, const TRect& rect, const QImage& bitmap);
bool IsDirectory(const QString& name);

// ---- the renderer --------------------------------------------------------------------------

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// What a PaintMarkup call is given, in the order a call passes it.
struct TMarkupRequest {
    // The target. Its font is the text's base font, its pen colour the base text colour and its
    // brush colour (none for no brush) the background blinking text takes; the painter's state
    // is restored afterwards.
    QPainter* Canvas = nullptr;
    QString Text;
    // Text starts 1 pixel right of its left edge.
    TRect Rect;
    // "IDX:n" images.
    const TCustomImageList* Images = nullptr;
    int HitX = 0;
    int HitY = 0;
    // 0-based anchor drawn with a focus rectangle; -1 none.
    int FocusAnchor = -1;
    // 1-based anchor drawn hovered; -1 none.
    int HoverAnchor = -1;
    int ShadowShift = 1;
    // The second pass of every line tests the point and paints nothing.
    bool HitTestOnly = false;
    // Only the measuring pass runs: nothing painted, nothing hit, the bottom does not stop it.
    bool MeasureOnly = false;
    // Images are scaled by ScaleFactor and stretched onto the target.
    bool ForPrinter = false;
    // Font tags' colours and the anchor colour are neither applied nor restored.
    bool KeepColors = false;
    // Blink phase: when false, blinking text takes the entry background and disappears.
    bool BlinkVisible = true;
    // Anchors are underlined and take the hover colours only when they are HoverAnchor.
    bool HoverOnly = false;
    // Lines break at blanks; without it only tags break lines and cut text ends in an ellipsis.
    bool Wrap = true;
    // Inline controls under the point are drawn pressed.
    bool MouseIsDown = false;
    double ScaleFactor = 0;
    TColor AnchorColor = 0xFF0000;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = 0x808080;
    // Colours of "<hi>" text; clNone takes the renderer's pair (SetMarkupHighlightColors).
    TColor HighlightColor = clNone;
    TColor HighlightTextColor = clNone;
    // Pictures given by URL: looked up, and added and loaded when missing (never from a
    // network). Named pictures come from Pictures.
    THTMLPictureCache* PictureCache = nullptr;
    const TPictureContainer* Pictures = nullptr;
    // The window whose theme draws inline controls.
    QWidget* Window = nullptr;
    TBiDiMode BiDiMode = bdLeftToRight;
};

// What a PaintMarkup call answers. AnchorHref, HitAnchorRect and ControlID are read as the
// caller set them: the first two stay so when nothing is found, and a hit-test call with a
// ControlID finds that control wherever the point lies.
struct TMarkupResult {
    // HREF of the anchor under the point, or "ctrl" for an inline control.
    QString AnchorHref;
    // The text runs with the markup removed, "\r" for each line break tag.
    QString PlainText;
    QString FocusHref;
    QString AnchorTitle;
    int MarkupWidth = 0;
    // The sum of the line heights; the height of "gh" in the base font for an empty text.
    int MarkupHeight = 0;
    int AnchorCount = 0;
    // 1-based; -1 none.
    int HitAnchor = -1;
    TRect HitAnchorRect;
    TRect HitControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;
};

// Lays out, paints, measures or hit-tests the markup; true when the point lies on an anchor's
// text, on an image inside an anchor or on an inline control (or the control ControlID was
// found in a hit-test call).
bool PaintMarkup(const TMarkupRequest& request, TMarkupResult& result);

} // namespace grid::RizIVUDE
