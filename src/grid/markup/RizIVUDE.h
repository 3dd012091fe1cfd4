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
// Positions inside texts are 0-based; nothing here raises.

#include "grid/GridTypes.h"

#include <QChar>
#include <QImage>
#include <QString>

class QPainter;

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

} // namespace grid::RizIVUDE
