#pragma once
// Small colour and drawing routines shared by the drop-down's popup bars, their buttons, the
// item selector and the pickers. Rectangles are grid::TRect (right and bottom edges outside);
// colours are TColor values, system colours turned into their RGB value before any arithmetic.
//
// Text goes through the grid's own text drawing (ZirAzur::DrawTextFlags) and mini-HTML through
// DrawMarkupText, the one door to the grid's markup renderer.

#include "grid/GridTypes.h"
#include "grid/look/PopupAppearance.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace grid {
class TCustomImageList;
}

namespace dropdowns {

using grid::TColor;
using grid::TRect;

// P % of c1 and the rest of c2, each channel rounded to nearest with halves to even; 100 or
// more answers c1 and 0 or less c2, both as given (system colours too).
TColor MixColors(TColor c1, TColor c2, int percent);
// Each channel c with its percentage p: round(c * min(100, 100 + p) / 100), halves to even,
// when c is not 0; the low 8 bits of max(0, p) when it is. Darkens, never brightens a channel.
TColor ScaleColorChannels(TColor c, int redPercent, int greenPercent, int bluePercent);

// An 80-band gradient (or a solid fill without `to`), then a hollow frame `penWidth` wide in
// `border` when it is set. Nothing without a canvas.
void DrawGradientBox(QPainter* canvas, const TRect& r, TColor from, TColor to, TColor border, int penWidth,
                     grid::TGradientDirection direction);
// The image enabled at 4 pixels from the left, vertically centred, then the text single-line,
// vertically centred, with an end ellipsis, centred when there was no image.
void DrawImageAndText(QPainter* canvas, TRect r, const QString& text, const grid::TCustomImageList* images,
                      int imageIndex);
// The bitmap at r's top-left, cut to r's size, with the colour of its top-left pixel showing
// backColor.
void DrawTransparentBitmap(QPainter& canvas, const QImage& bitmap, TColor backColor, const TRect& r);
// Width and height of the text as one line in the canvas font; (0, 0) for an empty text.
QSize MeasureText(QPainter& canvas, const QString& text);
// The longest beginning of the text (with "..." after it when ellipsis is set) narrower than
// maxWidth; the whole text when it fits or when no beginning does.
void FitTextToWidth(QPainter& canvas, const QString& text, int maxWidth, bool ellipsis, QString& result);
// Lays out mini-HTML in r with the canvas font and the images for image tags, painting it or
// only measuring it; size gets the laid-out width and height ((0, 0) for an empty text).
// hoverAnchor is the 1-based anchor drawn hovered (-1 none), handed to the renderer as it is.
void DrawMarkupText(QPainter& canvas, const QString& text, const TRect& r, const grid::TCustomImageList* images,
                    bool paint, int hoverAnchor, QSize& size);
// A picture file, its format chosen by the extension: bitmaps, icons, JPEG and TIFF images,
// WMF and EMF metafiles (MetafilePicture.h). False, with a null picture, for an unknown
// extension, a file that cannot be read or decoded (a damaged metafile included), and a folder.
bool LoadPictureFile(const QString& fileName, QImage& picture);
// The key a lookup compares: the text itself, or upper-cased by the locale's rules.
void LookupKey(const QString& text, bool caseSensitive, QString& result);

} // namespace dropdowns
