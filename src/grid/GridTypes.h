#pragma once
// Small value types shared by every layer of the table control: rectangles and points with
// exclusive right and bottom edges (as the grid's geometry counts them), cell rectangles with
// inclusive edges, the root object class of everything a cell can point to, fonts and brushes
// as plain values, the look and scroll-bar enumerations the look code shares with the grid,
// and the control's exception class.

#include "platform/Colors.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <memory>
#include <stdexcept>

namespace grid {

using platform::clNone;
using platform::TColor;

// Days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Pixel rectangle; Right and Bottom lie just outside the area.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// Union of two rectangles, empty ones counted as well (the merged-cell geometry relies on it).
inline TRect UnionRect(const TRect& a, const TRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Block of cells; every edge is a cell index and belongs to the block.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Root of everything a cell's object slot can hold. User objects stay the caller's; the grid
// only frees the objects it made itself.
class TObject {
public:
    virtual ~TObject() = default;
    virtual QString ClassName() const { return QStringLiteral("TObject"); }
    // A copy the caller owns; nullptr for objects that cannot be copied.
    virtual std::unique_ptr<TObject> Clone() const { return nullptr; }
};

// Objects that can take another object's settings.
class TPersistent : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TPersistent"); }
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct TFont {
    QString Name = QStringLiteral("Tahoma");
    int Size = 8;
    TFontStyles Style = 0;
    TColor Color = platform::clWindowText;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// The Qt font of a font value; a size of zero or less falls back to 8 points.
inline QFont toQFont(const TFont& f)
{
    QFont q(f.Name);
    q.setPointSize(f.Size > 0 ? f.Size : 8);
    q.setBold(f.Style & fsBold);
    q.setItalic(f.Style & fsItalic);
    q.setUnderline(f.Style & fsUnderline);
    q.setStrikeOut(f.Style & fsStrikeOut);
    return q;
}

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TBrush {
    TColor Color = platform::clWindow;
    TBrushStyle Style = bsSolid;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TGridLook { glStandard, glSoft, glClassic, glVLX, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The control's misuse and bad-file errors, with the fixed message texts the callers expect.
class EQvGridError : public std::runtime_error {
public:
    explicit EQvGridError(const QString& message) : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& Message() const { return msg; }

private:
    QString msg;
};

} // namespace grid
