#pragma once
// Metafile pictures for the image picker: Windows metafiles (WMF, with or without the placeable
// header) and enhanced metafiles (EMF), drawn once into an image at their own size (96 dpi),
// transparent where nothing is drawn.
//
// Call flow: LoadPictureFile (DropDownHelpers.h) reads the file and hands its bytes here. The
// record structure is checked whole first (a cut or damaged file is refused before any drawing);
// then a reader per format walks the records and feeds one small player of drawing operations
// (GdiPlayer: objects and their selection, the saved states, the window and viewport mapping,
// lines, rectangles, ellipses, polygons, curves, texts and bitmaps), drawn with QPainter.
// Records the player does not know are skipped.
// - WMF size: the placeable header's box in its units per inch, else the window extent the file
//   sets, else the extent of what it draws.
// - EMF size: the header's frame (0.01 mm) at 96 dpi; its reference device maps the records'
//   device units onto it.
// The Debian metafile libraries were tried first: the WMF ones misplace shapes and drop fills and
// bitmaps, and the EMF converter ends the process-wide font configuration the toolkit still uses,
// which aborts the program; neither is fit to draw a user's picture here.
// A file whose size is out of bounds gives false and a null image, like a damaged one.

#include <QByteArray>
#include <QImage>

namespace dropdowns {

// The largest picture side a metafile may ask for, in pixels.
constexpr int kMaxMetafileSide = 8192;

bool LoadWindowsMetafile(const QByteArray& bytes, QImage& picture);
bool LoadEnhancedMetafile(const QByteArray& bytes, QImage& picture);

} // namespace dropdowns
