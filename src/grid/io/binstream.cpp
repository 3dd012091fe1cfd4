// The binary cell stream: the one format behind the binary grid file, the private clipboard
// format and the grid's drag data. It is a plain run of component records with no header or
// count: the rectangle (TGridPropIO), then per cell row by row its text (TGridCellIO), its
// property set when it has one (TGridCellPropIO), its graphic (TGridGraphicIO) and the object
// behind the graphic (TGridBMPIO, TGridIconIO, TGridSLIO, TGridPicIO, TGridFilePicIO).
//
// The stream also arrives from other processes, so the reader trusts nothing in it: every
// record is read into a fresh carrier before anything of the target changes, counts are held
// against what the stream itself lists, a user object's number is read and dropped, and
// merged-cell offsets that would point outside the grid are dropped.

#include "grid/QvGrid.h"
#include "grid/io/BinStreamRect.h"
#include "grid/io/StreamNames.h"

#include "platform/ComponentStream.h"
#include "platform/Files.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace grid {

namespace {

using platform::ComponentReader;
using platform::ComponentWriter;
using platform::EReadError;

const QByteArray kPropIO = QByteArrayLiteral("TGridPropIO");
const QByteArray kCellIO = QByteArrayLiteral("TGridCellIO");
const QByteArray kCellPropIO = QByteArrayLiteral("TGridCellPropIO");
const QByteArray kGraphicIO = QByteArrayLiteral("TGridGraphicIO");
const QByteArray kBMPIO = QByteArrayLiteral("TGridBMPIO");
const QByteArray kIconIO = QByteArrayLiteral("TGridIconIO");
const QByteArray kSLIO = QByteArrayLiteral("TGridSLIO");
const QByteArray kPicIO = QByteArrayLiteral("TGridPicIO");
const QByteArray kFilePicIO = QByteArrayLiteral("TGridFilePicIO");

const QStringList kCellTypes{"ctBitmap",      "ctIcon",         "ctNone",      "ctImageList",
                             "ctCheckBox",    "ctDataCheckBox", "ctRotated",   "ctDataImage",
                             "ctNode",        "ctRadio",        "ctEmpty",     "ctImages",
                             "ctPicture",     "ctFilePicture",  "ctValue",     "ctProgress",
                             "ctComment",     "ctButton",       "ctBitButton", "ctVirtCheckBox",
                             "ctRowCheckBox", "ctProgressPie",  "ctSummary",   "ctRangeIndicator",
                             "ctXPProgress",  "ctInterface",    "ctScrollbar", "ctRadioButton",
                             "ctBalloon",     "ctShape",        "ctRating",    "ctTriStateCheckBox",
                             "ctExpand"};
const QStringList kCellVAligns{"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
const QStringList kCellHAligns{"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
const QStringList kCheckStates{"cbUnchecked", "cbChecked", "cbGrayed"};
const QStringList kBrushStyles{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                               "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const QStringList kVAlignments{"vtaTop", "vtaCenter", "vtaBottom"};
const QStringList kGradients{"GradientVertical", "GradientHorizontal"};

// Widths and heights the platform grid can hold.
constexpr int kMaxSize = 32767;
// A cell picture larger than this is not a cell picture: refused before it is decoded.
constexpr qint64 kMaxImagePixels = qint64(1) << 24;

// Round with halves to the even neighbour.
short percentOf(double part, double whole)
{
    return short(std::nearbyint(100.0 * part / std::max(1.0, whole)));
}

// ---- writing ------------------------------------------------------------------------------------

void writeString(ComponentWriter& w, const char* name, QStringView s)
{
    if (s.isEmpty())
        return;
    w.name(name);
    w.string(s);
}

void writeInt(ComponentWriter& w, const char* name, int v)
{
    w.name(name);
    w.integer(v);
}

void writeBool(ComponentWriter& w, const char* name, bool v)
{
    w.name(name);
    w.boolean(v);
}

void writeIdent(ComponentWriter& w, const char* name, const QStringList& names, int v)
{
    w.name(name);
    w.ident(names.value(v));
}

void writeColor(ComponentWriter& w, const char* name, TColor c)
{
    w.name(name);
    w.color(c);
}

// A picture's data: a four-byte length and the image as PNG; nothing for an empty one.
QByteArray imageData(const QImage& image)
{
    if (image.isNull())
        return {};
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, "PNG");
    QByteArray data(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(buf.data().size()), data.data());
    return data + buf.data();
}

void writeImageRecord(ComponentWriter& w, const QByteArray& cls, const char* prop, const TObject* obj)
{
    w.beginComponent(cls);
    if (auto* bmp = dynamic_cast<const TBitmap*>(obj)) {
        const QByteArray data = imageData(bmp->Image);
        if (!data.isEmpty()) {
            w.name(prop);
            w.binary(data);
        }
    }
    w.endComponent();
}

void writeStringsRecord(ComponentWriter& w, const QStringList& strings)
{
    w.beginComponent(kSLIO);
    if (!strings.isEmpty()) {
        w.name("Strings.Strings");
        w.lines(strings);
    }
    w.endComponent();
}

// Record 3's properties in the property set's declaration order. The values are those a copy
// of the set carries: a copy leaves the second gradient colour and the direction at a new
// set's values.
void writeProperties(ComponentWriter& w, const TCellProperties& p, bool hasGraphic)
{
    w.beginComponent(kCellPropIO);
    writeBool(w, "CellProperties.IsBaseCell", p.FIsBaseCell);
    writeInt(w, "CellProperties.CellSpanX", p.FCellSpanX);
    writeInt(w, "CellProperties.CellSpanY", p.FCellSpanY);
    writeIdent(w, "CellProperties.Alignment", streamnames::alignments(), int(p.FAlignment));
    writeColor(w, "CellProperties.BorderColor", p.FBorderColor);
    writeInt(w, "CellProperties.BorderWidth", p.FBorderWidth);
    writeColor(w, "CellProperties.BrushColor", p.FBrushColor);
    writeColor(w, "CellProperties.BrushColorTo", clNone);
    writeIdent(w, "CellProperties.BrushStyle", kBrushStyles, int(p.FBrushStyle));
    // A bare number: it means nothing in another process, and no reader takes it back.
    writeInt(w, "CellProperties.CellObject", qint32(quint32(reinterpret_cast<quintptr>(p.FObject))));
    writeColor(w, "CellProperties.FontColor", p.FFontColor);
    writeString(w, "CellProperties.FontName", p.FFontName);
    writeInt(w, "CellProperties.FontSize", p.FFontSize);
    w.name("CellProperties.FontStyle");
    w.set(p.FFontStyle, streamnames::fontStyles());
    writeIdent(w, "CellProperties.Editor", streamnames::editors(), int(p.FEditor));
    writeIdent(w, "CellProperties.GradientDirection", kGradients, int(GradientVertical));
    writeBool(w, "CellProperties.ReadOnly", p.FReadOnly);
    writeIdent(w, "CellProperties.VAlignment", kVAlignments, int(p.FVAlignment));
    writeBool(w, "CellProperties.WordWrap", p.FWordWrap);
    writeInt(w, "CellProperties.NodeLevel", p.FNodeLevel);
    if (p.FControl && !p.FControl->objectName().isEmpty()) {
        w.name("CellProperties.Control");
        w.ident(p.FControl->objectName());
    }
    writeBool(w, "HasGraphic", hasGraphic);
    w.endComponent();
}

// Record 4. The check-box state travels as the cell holds it: a copy of the graphic leaves it
// out, and a tri-state box carried at its first state would come back unchecked.
void writeGraphic(ComponentWriter& w, const TCellGraphic& g)
{
    w.beginComponent(kGraphicIO);
    writeIdent(w, "CellGraphic.CellType", kCellTypes, int(g.FCellType));
    writeIdent(w, "CellGraphic.CellVAlign", kCellVAligns, int(g.FCellVAlign));
    writeIdent(w, "CellGraphic.CellHAlign", kCellHAligns, int(g.FCellHAlign));
    writeInt(w, "CellGraphic.CellIndex", g.FCellIndex);
    writeBool(w, "CellGraphic.CellTransparent", g.FCellTransparent);
    writeBool(w, "CellGraphic.CellCreated", g.FCellCreated);
    writeBool(w, "CellGraphic.CellBoolean", g.FCellBoolean);
    writeIdent(w, "CellGraphic.CellCheckBoxState", kCheckStates, int(g.FCellCheckBoxState));
    writeInt(w, "CellGraphic.CellAngle", g.FCellAngle);
    if (g.FCellValue != 0) {
        w.name("CellGraphic.CellValue");
        w.extended(g.FCellValue);
    }
    writeInt(w, "CellGraphic.CellErrFrom", g.FCellErrFrom);
    writeInt(w, "CellGraphic.CellErrLen", g.FCellErrLen);
    writeString(w, "CellGraphic.CellText", g.FCellText);
    w.endComponent();
}

// Record 5 for the kinds that carry an object.
void writeGraphicObject(ComponentWriter& w, const TCellGraphic& g)
{
    switch (g.FCellType) {
    case ctBitmap:
    case ctBitButton:
        writeImageRecord(w, kBMPIO, "Bitmap.Data", g.FCellBitmap);
        break;
    case ctIcon:
        writeImageRecord(w, kIconIO, "Icon.Data", g.FCellIcon);
        break;
    case ctPicture:
        writeImageRecord(w, kPicIO, "Picture.Data", g.FCellBitmap);
        break;
    case ctRadio: {
        const auto* sl = dynamic_cast<const TStringList*>(g.FCellBitmap);
        writeStringsRecord(w, sl ? sl->Strings : QStringList());
        break;
    }
    case ctImages: {
        const auto* list = dynamic_cast<const TIntList*>(g.FCellBitmap);
        const QString v = list ? list->StrValue() : QString();
        writeStringsRecord(w, v.isEmpty() ? QStringList() : v.split(QLatin1Char(',')));
        break;
    }
    case ctFilePicture: {
        w.beginComponent(kFilePicIO);
        if (const auto* fp = dynamic_cast<const TFilePicture*>(g.FCellBitmap))
            writeString(w, "Picture.Filename", fp->Filename());
        w.endComponent();
        break;
    }
    default:
        break;
    }
}

// The graphic travels unless its kind holds an object the grid did not create.
bool graphicTravels(const TCellGraphic* g)
{
    if (!g || g->FCellType == ctEmpty)
        return false;
    switch (g->FCellType) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return g->FCellCreated;
    default:
        return true;
    }
}

// A number added to a list separated by ",".
void appendListEntry(QString& list, int v)
{
    if (!list.isEmpty())
        list += QLatin1Char(',');
    char digits[12];
    const int n = std::snprintf(digits, sizeof digits, "%d", v);
    list += QLatin1String(digits, n);
}

// ---- reading ------------------------------------------------------------------------------------

// Walks the properties of a record already begun: each name goes to onProperty, which reads
// its value and answers false for a name the carrier does not have. Then the ends of the
// property list and of the (empty) list of children.
template <class F>
void readProperties(ComponentReader& r, F onProperty)
{
    while (!r.atListEnd()) {
        const QByteArrayView name = r.shortView();
        if (!onProperty(name))
            throw EReadError();
    }
    r.byte();
    if (r.byte() != platform::vaNull)
        throw EReadError();
}

bool is(QByteArrayView name, const char* expected)
{
    const auto n = qsizetype(std::strlen(expected));
    return name.size() == n && std::memcmp(name.data(), expected, std::size_t(n)) == 0;
}

struct TGridPropIO {
    int ColCount = 0;
    int RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    int ID = 0;
};

TGridPropIO readRect(ComponentReader& r)
{
    TGridPropIO p;
    r.beginComponent(kPropIO);
    readProperties(r, [&](QByteArrayView n) {
        if (is(n, "ColCount"))
            p.ColCount = r.int32();
        else if (is(n, "RowCount"))
            p.RowCount = r.int32();
        else if (is(n, "ColWidths"))
            p.ColWidths = r.string();
        else if (is(n, "RowHeights"))
            p.RowHeights = r.string();
        else if (is(n, "FullGrid"))
            p.FullGrid = r.boolean();
        else if (is(n, "ID"))
            p.ID = r.int32();
        else
            return false;
        return true;
    });
    return p;
}

struct TGridCellIO {
    int Col = 0;
    int Row = 0;
    QString Cell;
    bool HasProp = false;
};

// What is left of the stream. A memory stream read from its start hands over its bytes,
// shared, not copied; either way the stream ends up at its end.
QByteArray restOf(QIODevice& st)
{
    auto* memory = qobject_cast<QBuffer*>(&st);
    if (memory && memory->isReadable() && memory->pos() == 0) {
        QByteArray all = memory->data();
        memory->seek(all.size());
        return all;
    }
    return st.readAll();
}

// Col and Row are 16-bit words.
int readWord(ComponentReader& r)
{
    const qint64 v = r.integer();
    if (v < 0 || v > 0xFFFF)
        throw EReadError();
    return int(v);
}

// Over c, made fresh: a property the record leaves out reads as empty or zero. The text's
// storage is kept from the record before, so reading a cell allocates nothing.
void readCell(ComponentReader& r, TGridCellIO& c)
{
    c.Col = 0;
    c.Row = 0;
    c.Cell.resize(0);
    c.HasProp = false;
    r.beginComponent(kCellIO);
    readProperties(r, [&](QByteArrayView n) {
        if (is(n, "Col"))
            c.Col = readWord(r);
        else if (is(n, "Row"))
            c.Row = readWord(r);
        else if (is(n, "Cell"))
            r.string(c.Cell);
        else if (is(n, "HasProp"))
            c.HasProp = r.boolean();
        else
            return false;
        return true;
    });
}

int readEnum(ComponentReader& r, const QStringList& names)
{
    return r.enumValue(names);
}

// Record 3 over props; the control's name is looked up among the children of scope.
bool readProperties(ComponentReader& r, TCellProperties& p, QWidget* scope)
{
    bool hasGraphic = false;
    r.beginComponent(kCellPropIO);
    readProperties(r, [&](QByteArrayView n) {
        if (is(n, "HasGraphic")) {
            hasGraphic = r.boolean();
            return true;
        }
        const QByteArrayView prefix("CellProperties.");
        if (!n.startsWith(prefix))
            return false;
        n = n.sliced(prefix.size());
        if (is(n, "IsBaseCell"))
            p.FIsBaseCell = r.boolean();
        else if (is(n, "CellSpanX"))
            p.FCellSpanX = r.int32();
        else if (is(n, "CellSpanY"))
            p.FCellSpanY = r.int32();
        else if (is(n, "Alignment"))
            p.FAlignment = TAlignment(readEnum(r, streamnames::alignments()));
        else if (is(n, "BorderColor"))
            p.FBorderColor = r.color();
        else if (is(n, "BorderWidth"))
            p.FBorderWidth = r.int32();
        else if (is(n, "BrushColor"))
            p.FBrushColor = r.color();
        else if (is(n, "BrushColorTo"))
            p.FBrushColorTo = r.color();
        else if (is(n, "BrushStyle"))
            p.FBrushStyle = TBrushStyle(readEnum(r, kBrushStyles));
        else if (is(n, "CellObject"))
            r.integer(); // another process's number: never an object here
        else if (is(n, "FontColor"))
            p.FFontColor = r.color();
        else if (is(n, "FontName"))
            p.FFontName = r.string();
        else if (is(n, "FontSize"))
            p.FFontSize = r.int32();
        else if (is(n, "FontStyle"))
            p.FFontStyle = r.set(streamnames::fontStyles());
        else if (is(n, "Editor"))
            p.FEditor = TEditorType(readEnum(r, streamnames::editors()));
        else if (is(n, "GradientDirection"))
            p.FGradientDirection = TCellGradientDirection(readEnum(r, kGradients));
        else if (is(n, "ReadOnly"))
            p.FReadOnly = r.boolean();
        else if (is(n, "VAlignment"))
            p.FVAlignment = TVAlignment(readEnum(r, kVAlignments));
        else if (is(n, "WordWrap"))
            p.FWordWrap = r.boolean();
        else if (is(n, "NodeLevel"))
            p.FNodeLevel = r.int32();
        else if (is(n, "Control")) {
            const QString name = r.ident();
            p.FControl = scope && !name.isEmpty() ? scope->findChild<QWidget*>(name) : nullptr;
        } else
            return false;
        return true;
    });
    return hasGraphic;
}

void readGraphic(ComponentReader& r, TCellGraphic& g)
{
    r.beginComponent(kGraphicIO);
    readProperties(r, [&](QByteArrayView n) {
        const QByteArrayView prefix("CellGraphic.");
        if (!n.startsWith(prefix))
            return false;
        n = n.sliced(prefix.size());
        if (is(n, "CellType"))
            g.FCellType = TCellType(readEnum(r, kCellTypes));
        else if (is(n, "CellVAlign"))
            g.FCellVAlign = TCellVAlign(readEnum(r, kCellVAligns));
        else if (is(n, "CellHAlign"))
            g.FCellHAlign = TCellHAlign(readEnum(r, kCellHAligns));
        else if (is(n, "CellIndex"))
            g.FCellIndex = r.int32();
        else if (is(n, "CellTransparent"))
            g.FCellTransparent = r.boolean();
        else if (is(n, "CellCreated"))
            g.FCellCreated = r.boolean();
        else if (is(n, "CellBoolean"))
            g.FCellBoolean = r.boolean();
        else if (is(n, "CellCheckBoxState"))
            g.FCellCheckBoxState = TCheckBoxState(readEnum(r, kCheckStates));
        else if (is(n, "CellAngle"))
            g.FCellAngle = r.int32();
        else if (is(n, "CellValue"))
            g.FCellValue = r.extended();
        else if (is(n, "CellErrFrom"))
            g.FCellErrFrom = r.int32();
        else if (is(n, "CellErrLen"))
            g.FCellErrLen = r.int32();
        else if (is(n, "CellText"))
            g.FCellText = r.string();
        else
            return false;
        return true;
    });
}

QImage decodeImage(const QByteArray& data)
{
    if (data.size() < 4 || qFromLittleEndian<quint32>(data.constData()) != quint32(data.size() - 4))
        throw EReadError();
    QBuffer buf;
    buf.setData(data.mid(4));
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxImagePixels)
        throw EReadError();
    QImage image = reader.read();
    if (image.isNull())
        throw EReadError();
    return image;
}

QImage readImageRecord(ComponentReader& r, const QByteArray& cls, const char* prop)
{
    QImage image;
    r.beginComponent(cls);
    readProperties(r, [&](QByteArrayView n) {
        if (!is(n, prop))
            return false;
        image = decodeImage(r.binary());
        return true;
    });
    return image;
}

QStringList readStringsRecord(ComponentReader& r)
{
    QStringList strings;
    r.beginComponent(kSLIO);
    readProperties(r, [&](QByteArrayView n) {
        if (!is(n, "Strings.Strings"))
            return false;
        strings = r.lines();
        return true;
    });
    return strings;
}

QString readFilePictureRecord(ComponentReader& r)
{
    QString name;
    r.beginComponent(kFilePicIO);
    readProperties(r, [&](QByteArrayView n) {
        if (!is(n, "Picture.Filename"))
            return false;
        name = r.string();
        return true;
    });
    return name;
}

// Record 5 by the streamed kind: the new object the graphic will own, or none for the kinds
// without one. ctImages builds its index list for the target cell.
std::unique_ptr<TObject> readGraphicObject(ComponentReader& r, TCellType kind, int col, int row)
{
    switch (kind) {
    case ctBitmap:
    case ctBitButton:
        return std::make_unique<TBitmap>(readImageRecord(r, kBMPIO, "Bitmap.Data"));
    case ctIcon:
        return std::make_unique<TIcon>(readImageRecord(r, kIconIO, "Icon.Data"));
    case ctPicture:
        return std::make_unique<TPicture>(readImageRecord(r, kPicIO, "Picture.Data"));
    case ctRadio:
        return std::make_unique<TStringList>(readStringsRecord(r));
    case ctImages: {
        auto list = std::make_unique<TIntList>(col, row);
        list->SetStrValue(readStringsRecord(r).join(QLatin1Char(',')));
        return list;
    }
    case ctFilePicture: {
        auto fp = std::make_unique<TFilePicture>();
        const QString name = readFilePictureRecord(r);
        // The name travels even where no such picture is: it may be there when the cell paints.
        try {
            if (!name.isEmpty())
                fp->SetFilename(name);
        } catch (const EInvalidGraphic&) {
        }
        return fp;
    }
    default:
        return nullptr;
    }
}

// A merged cell whose base would lie outside the grid, or whose extent leaves it, is not
// merged here: its offsets came from elsewhere (a rectangle cut from a larger merge, or a
// foreign stream), and an offset outside the grid addresses no cell.
void keepMergeInside(TCellProperties& p, int col, int row, int cols, int rows)
{
    const bool merged = p.FCellSpanX != -1 && p.FCellSpanY != -1;
    if (!merged) {
        p.FIsBaseCell = true;
        p.FCellSpanX = p.FCellSpanY = -1;
        return;
    }
    const bool fits =
        p.FIsBaseCell ? p.FCellSpanX >= 0 && p.FCellSpanY >= 0 && p.FCellSpanX < cols - col && p.FCellSpanY < rows - row
                      : p.FCellSpanX >= 0 && p.FCellSpanY >= 0 && p.FCellSpanX <= col && p.FCellSpanY <= row;
    if (!fits) {
        p.FIsBaseCell = true;
        p.FCellSpanX = p.FCellSpanY = -1;
    }
}

// The entries of a width or height list; the platform's conversion error for one that is
// not a number, a read error for one the platform grid cannot hold.
std::vector<int> sizeEntries(const QString& list, int needed)
{
    std::vector<int> sizes;
    if (needed <= 0)
        return sizes;
    const QStringList parts = list.split(QLatin1Char(','));
    // Every column and row of the rectangle is listed: a count beyond the list is not one the
    // writer made, and the list's own length bounds what the reader will allocate.
    if (parts.size() < needed)
        throw EReadError();
    sizes.reserve(std::size_t(needed));
    for (int i = 0; i < needed; ++i) {
        int v = 0;
        if (!StrToIntStrict(parts[i], v))
            throw EConvertError(parts[i]);
        if (v < 0 || v > kMaxSize)
            throw EReadError();
        sizes.push_back(v);
    }
    return sizes;
}

// The entries of a width or height list, counted without taking them apart.
qsizetype listEntries(const QString& list)
{
    return list.isEmpty() ? 0 : list.count(QLatin1Char(',')) + 1;
}

} // namespace

TBinStreamRect ReadBinStreamRect(const QByteArray& block)
{
    ComponentReader r(block);
    const TGridPropIO rect = readRect(r);
    // The writer lists every column and row of the rectangle and writes one record of many
    // bytes per cell: counts beyond the lists or the block's size are not its own.
    if (rect.ColCount < 0 || rect.RowCount < 0 || listEntries(rect.ColWidths) < rect.ColCount
        || listEntries(rect.RowHeights) < rect.RowCount || qint64(rect.ColCount) * rect.RowCount > block.size())
        throw EReadError();
    return {rect.ColCount, rect.RowCount, rect.ID};
}

int TQvStringGrid::GridID() const
{
    static std::atomic<int> next{1};
    if (FGridID == 0)
        FGridID = next++;
    return FGridID;
}

int TQvStringGrid::realColWidth(int c) const
{
    if (c < MaxHideColumns && IsHiddenColumn(c))
        return FAllColWidths[std::size_t(c)];
    return ColWidths(DisplColIndex(c));
}

void TQvStringGrid::SaveRectToBinStream(const TGridRect& rect, QIODevice& st)
{
    ComponentWriter w;
    const int cols = rect.Right - rect.Left + 1;
    const int rows = rect.Bottom - rect.Top + 1;
    const bool full = SaveFixedCells ? RowCount() == rows && TotalColCount() == cols
                                     : RowCount() - FixedRows() == rows && TotalColCount() - FixedCols() == cols;
    QString widths, heights;
    for (int c = rect.Left; c <= rect.Right; ++c)
        appendListEntry(widths, realColWidth(c));
    for (int r = rect.Top; r <= rect.Bottom; ++r)
        appendListEntry(heights, RowHeights(r));
    w.beginComponent(kPropIO);
    writeInt(w, "ColCount", cols);
    writeInt(w, "RowCount", rows);
    writeString(w, "ColWidths", widths);
    writeString(w, "RowHeights", heights);
    writeBool(w, "FullGrid", full);
    writeInt(w, "ID", GridID());
    w.endComponent();

    ExportNotification(esExportStart, rect.Top);
    short lastPercent = -1;
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = rect.Left; c <= rect.Right; ++c) {
            const bool hasProp = CellHasProperties(c, r);
            w.beginComponent(kCellIO);
            writeInt(w, "Col", int(quint16(c)));
            writeInt(w, "Row", int(quint16(r)));
            writeString(w, "Cell", Cells(c, r));
            writeBool(w, "HasProp", hasProp);
            w.endComponent();
            if (!hasProp)
                continue;
            const TCellProperties& p = *GetCellProperties(c, r);
            const TCellGraphic* g = dynamic_cast<const TCellGraphic*>(p.FGraphicObject);
            const bool hasGraphic = graphicTravels(g);
            writeProperties(w, p, hasGraphic);
            if (hasGraphic) {
                writeGraphic(w, *g);
                writeGraphicObject(w, *g);
            }
        }
        // Progress counts the rows of the rectangle, so a rectangle below the top row still
        // ends at 100.
        if (OnFileProgress) {
            const short percent = percentOf(r - rect.Top, rect.Bottom - rect.Top);
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
    }
    ExportNotification(esExportDone, -1);
    if (st.write(w.bytes().data(), w.bytes().size()) != w.bytes().size())
        throw platform::EWriteError();
}

void TQvStringGrid::SaveToBinStream(QIODevice& st)
{
    // The hidden columns travel too: a full stream read back into this grid must not lose them.
    SaveRectToBinStream({SaveStartCol(), SaveStartRow(), SaveEndCol() + NumHiddenColumns(), SaveEndRow()}, st);
}

void TQvStringGrid::SaveToBinFile(const QString& FileName)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    SaveToBinStream(buf);
    QString error;
    if (!platform::replaceFile(FileName, buf.data(), &error))
        throw platform::EFCreateError(FileName, error);
}

void TQvStringGrid::LoadAtPointFromBinStream(TPoint point, QIODevice& st)
{
    ComponentReader r(restOf(st));
    // A record that does not fit its carrier, whatever the reason, is the one read error.
    try {
        readBinCells(r, point);
    } catch (const EReadError&) {
        throw EReadError();
    }
}

void TQvStringGrid::readBinCells(ComponentReader& r, TPoint point)
{
    const TGridPropIO rect = readRect(r);
    if (rect.FullGrid) {
        if (rect.ColCount < 0 || rect.RowCount < 0)
            throw EReadError();
        // Everything is checked before the grid changes.
        const std::vector<int> widths = sizeEntries(rect.ColWidths, rect.ColCount);
        const std::vector<int> heights = sizeEntries(rect.RowHeights, rect.RowCount);
        Clear();
        SetRowCount(rect.RowCount);
        // The stream's columns are real columns: hidden ones of this grid count among them.
        SetColCount(std::max(0, rect.ColCount - NumHiddenColumns()));
        for (int c = 0; c < rect.ColCount && c < TotalColCount(); ++c)
            if (!(c < MaxHideColumns && IsHiddenColumn(c)))
                SetColWidths(DisplColIndex(c), widths[std::size_t(c)]);
        SetAllRowHeights(heights);
    }

    bool first = true;
    int dx = 0, dy = 0;
    int lastRow = -1;
    short lastPercent = -1;
    TGridCellIO cell;
    // A single trailing byte is not a record.
    while (r.pos() < r.size() - 1) {
        readCell(r, cell);
        if (first && !rect.FullGrid) {
            dx = point.X - cell.Col;
            dy = point.Y - cell.Row;
        }
        first = false;
        const int col = cell.Col + dx;
        const int row = cell.Row + dy;
        const bool inside = col >= 0 && row >= 0 && col < TotalColCount() && row < RowCount();
        if (inside)
            SetCells(col, row, cell.Cell);
        if (row != lastRow && OnFileProgress) {
            const short percent = percentOf(row, RowCount());
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
        lastRow = row;
        if (!cell.HasProp)
            continue;

        // Properties the stream leaves out keep the target's values.
        TCellProperties carrier(nullptr, col, row);
        if (inside)
            carrier.Assign(*GetCellProperties(col, row));
        const bool hasGraphic = readProperties(r, carrier, window());
        if (inside) {
            carrier.FOwnerCol = col;
            carrier.FOwnerRow = row;
            keepMergeInside(carrier, col, row, TotalColCount(), RowCount());
            GetCellProperties(col, row)->Assign(carrier);
        }
        if (!hasGraphic)
            continue;

        TCellGraphic graphic;
        readGraphic(r, graphic);
        std::unique_ptr<TObject> object = readGraphicObject(r, graphic.FCellType, col, row);
        if (!inside)
            continue;
        TCellGraphic* g = CreateCellGraphic(col, row);
        g->Assign(graphic);
        g->FCellCheckBoxState = graphic.FCellCheckBoxState; // the copy leaves it out
        if (object) {
            // Whatever the stream said, the graphic owns what the reader made.
            g->FCellCreated = true;
            if (graphic.FCellType == ctIcon)
                g->FCellIcon = object.release();
            else
                g->FCellBitmap = object.release();
            if (auto* list = dynamic_cast<TIntList*>(g->FCellBitmap))
                list->OnChange = [this](TObject*, int c, int rr) { CellListChanged(c, rr); };
        }
    }
}

void TQvStringGrid::LoadFromBinStream(QIODevice& st)
{
    LoadAtPointFromBinStream({0, 0}, st);
    int nodes = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode)
            ++nodes;
    FNumNodes = nodes;
    if (nodes > 0)
        RepaintCol(0);
}

void TQvStringGrid::LoadFromBinFile(const QString& FileName)
{
    QByteArray data;
    QString error;
    if (!platform::readFile(FileName, data, &error))
        throw platform::EFOpenError(FileName, error);
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    LoadFromBinStream(buf);
}

} // namespace grid
