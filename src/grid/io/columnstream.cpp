// The column stream: the grid's column definitions written as a streamed component in the
// binary component-stream layout (signature "TPF0", root class, empty name, the collection
// property "Items" with one property list per definition, names before values). Properties are
// matched by name on reading, so the stream carries no version number.

#include "grid/QvCGrid.h"
#include "grid/io/StreamNames.h"

#include "platform/ComponentStream.h"

#include <cmath>
#include <map>

namespace grid {

namespace {

using platform::vaCollection;
using platform::vaIdent;
using platform::vaInt16;
using platform::vaInt32;
using platform::vaInt8;
using platform::vaList;
using platform::vaNull;
using Writer = platform::ComponentWriter;
using Reader = platform::ComponentReader;

const QByteArray kRootClass = QByteArrayLiteral("TQvColumnGridIO");

const QStringList& kAlignments = streamnames::alignments();
const QStringList kSortStyles{"ssAutomatic",   "ssAlphabetic", "ssNumeric",       "ssDate",
                              "ssAlphaNoCase", "ssAlphaCase",  "ssShortDateEU",   "ssShortDateUS",
                              "ssCustom",      "ssFinancial",  "ssAnsiAlphaCase", "ssAnsiAlphaNoCase",
                              "ssRaw",         "ssHTML",       "ssImages",        "ssCheckBox",
                              "ssDateTime",    "ssTime",       "ssAlphaNumeric",  "ssAlphaNumericNoCase"};
const QStringList& kEditors = streamnames::editors();
const QStringList kPopupTypes{"cpFixedCellsRClick",  "cpFixedCellsLClick", "cpNormalCellsRClick",
                              "cpNormalCellsLClick", "cpAllCellsRClick",   "cpAllCellsLClick"};
const QStringList kPenStyles{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
const QStringList kBorders{"cbTop", "cbLeft", "cbRight", "cbBottom"};
const QStringList& kFontStyles = streamnames::fontStyles();

// Font heights are pixel heights at 96 pixels per inch, negative for a character height.
int heightOfSize(int size)
{
    return -int(std::lround(size * 96.0 / 72.0));
}

int sizeOfHeight(int height)
{
    return int(std::lround(std::abs(height) * 72.0 / 96.0));
}

// ---- writing -------------------------------------------------------------------------------------

void writeFont(Writer& w, const char* prefix, const TFont& f)
{
    const QByteArray p(prefix);
    w.shortStr(p + ".Charset");
    w.ident("DEFAULT_CHARSET");
    w.shortStr(p + ".Color");
    w.color(f.Color);
    w.shortStr(p + ".Height");
    w.integer(heightOfSize(f.Size));
    w.shortStr(p + ".Name");
    w.string(f.Name);
    w.shortStr(p + ".Style");
    w.set(f.Style, kFontStyles);
}

// The colour always; width and style only where they differ from a new pen's.
void writePen(Writer& w, const char* prefix, const TPen& pen)
{
    const QByteArray p(prefix);
    w.shortStr(p + ".Color");
    w.color(pen.Color);
    if (pen.Style != psSolid) {
        w.shortStr(p + ".Style");
        w.ident(kPenStyles.value(int(pen.Style)));
    }
    if (pen.Width != 1) {
        w.shortStr(p + ".Width");
        w.integer(pen.Width);
    }
}

void writeString(Writer& w, const char* name, const QString& s)
{
    if (s.isEmpty())
        return;
    w.name(name);
    w.string(s);
}

void writeInt(Writer& w, const char* name, int v)
{
    w.name(name);
    w.integer(v);
}

void writeBool(Writer& w, const char* name, bool v)
{
    w.name(name);
    w.boolean(v);
}

void writeIdent(Writer& w, const char* name, const QString& v)
{
    w.name(name);
    w.ident(v);
}

// In the order the streaming writes the published properties.
void writeItem(Writer& w, const TGridColumnItem& c)
{
    writeInt(w, "AutoMinSize", c.AutoMinSize());
    writeInt(w, "AutoMaxSize", c.AutoMaxSize());
    writeIdent(w, "Alignment", kAlignments.value(int(c.Alignment())));
    w.name("Borders");
    w.set(c.Borders(), kBorders);
    writePen(w, "BorderPen", c.BorderPen());
    writeString(w, "CheckFalse", c.CheckFalse());
    writeString(w, "CheckTrue", c.CheckTrue());
    w.name("Color");
    w.color(c.Color());
    if (c.ColumnPopup() && !c.ColumnPopup()->objectName().isEmpty())
        writeIdent(w, "ColumnPopup", c.ColumnPopup()->objectName());
    writeIdent(w, "ColumnPopupType", kPopupTypes.value(int(c.ColumnPopupType())));
    if (!c.ComboItems().isEmpty()) {
        w.name("ComboItems.Strings");
        w.lines(c.ComboItems());
    }
    writeInt(w, "DropDownCount", c.DropDownCount());
    writeInt(w, "EditLength", c.EditLength());
    if (c.EditLink() && !c.EditLink()->objectName().isEmpty())
        writeIdent(w, "EditLink", c.EditLink()->objectName());
    writeString(w, "EditMask", c.EditMask());
    writeIdent(w, "Editor", kEditors.value(int(c.Editor())));
    if (!c.Filter().isEmpty()) {
        w.name("Filter.Strings");
        w.lines(c.Filter());
    }
    writeBool(w, "FilterCaseSensitive", c.FilterCaseSensitive());
    writeBool(w, "Fixed", c.Fixed());
    writeString(w, "FloatFormat", c.FloatFormat());
    writeFont(w, "Font", c.Font());
    writeString(w, "Header", c.Header());
    writeIdent(w, "HeaderAlignment", kAlignments.value(int(c.HeaderAlignment())));
    writeFont(w, "HeaderFont", c.HeaderFont());
    writeInt(w, "MinSize", c.MinSize());
    writeInt(w, "MaxSize", c.MaxSize());
    writeString(w, "Name", c.Name());
    writeBool(w, "Password", c.Password());
    if (!c.PrintBorderCustom())
        writeBool(w, "PrintBorderCustom", false);
    w.name("PrintBorders");
    w.set(c.PrintBorders(), kBorders);
    writePen(w, "PrintBorderPen", c.PrintBorderPen());
    w.name("PrintColor");
    w.color(c.PrintColor());
    if (!c.PrintFontCustom())
        writeBool(w, "PrintFontCustom", false);
    writeFont(w, "PrintFont", c.PrintFont());
    writeBool(w, "ReadOnly", c.ReadOnly());
    writeBool(w, "ShowBands", c.ShowBands());
    writeIdent(w, "SortStyle", kSortStyles.value(int(c.SortStyle())));
    writeString(w, "SortPrefix", c.SortPrefix());
    writeString(w, "SortSuffix", c.SortSuffix());
    writeInt(w, "SpinMax", c.SpinMax());
    writeInt(w, "SpinMin", c.SpinMin());
    writeInt(w, "SpinStep", c.SpinStep());
    writeInt(w, "Tag", c.Tag());
    writeInt(w, "Width", c.Width());
}

// ---- reading -------------------------------------------------------------------------------------

using ItemReader = std::function<void(Reader&, TGridColumnItem&, QWidget* scope)>;

template <class Get, class Set>
ItemReader fontPart(Get get, Set set, const char* part)
{
    const QByteArray p(part);
    return [get, set, p](Reader& r, TGridColumnItem& c, QWidget*) {
        TFont f = get(c);
        if (p == "Charset")
            r.peek() == vaIdent ? void(r.ident()) : void(r.integer());
        else if (p == "Color")
            f.Color = r.color();
        else if (p == "Height")
            f.Size = sizeOfHeight(r.int32());
        else if (p == "Name")
            f.Name = r.string();
        else if (p == "Size")
            f.Size = r.int32();
        else
            f.Style = r.set(kFontStyles);
        set(c, f);
    };
}

template <class Get, class Set>
ItemReader penPart(Get get, Set set, const char* part)
{
    const QByteArray p(part);
    return [get, set, p](Reader& r, TGridColumnItem& c, QWidget*) {
        TPen pen = get(c);
        if (p == "Color")
            pen.Color = r.color();
        else if (p == "Style")
            pen.Style = TPenStyle(r.enumValue(kPenStyles));
        else
            pen.Width = r.int32();
        set(c, pen);
    };
}

const std::map<QByteArray, ItemReader>& itemReaders()
{
    using C = TGridColumnItem;
    static const std::map<QByteArray, ItemReader> readers = [] {
        std::map<QByteArray, ItemReader> m;
        auto intProp = [&](const char* n, void (C::*set)(int)) {
            m[n] = [set](Reader& r, C& c, QWidget*) { (c.*set)(r.int32()); };
        };
        auto boolProp = [&](const char* n, void (C::*set)(bool)) {
            m[n] = [set](Reader& r, C& c, QWidget*) { (c.*set)(r.boolean()); };
        };
        auto strProp = [&](const char* n, void (C::*set)(const QString&)) {
            m[n] = [set](Reader& r, C& c, QWidget*) { (c.*set)(r.string()); };
        };
        intProp("AutoMinSize", &C::SetAutoMinSize);
        intProp("AutoMaxSize", &C::SetAutoMaxSize);
        m["Alignment"] = [](Reader& r, C& c, QWidget*) { c.SetAlignment(TAlignment(r.enumValue(kAlignments))); };
        m["Borders"] = [](Reader& r, C& c, QWidget*) { c.SetBorders(r.set(kBorders)); };
        auto borderPen = [](const C& c) { return c.BorderPen(); };
        auto setBorderPen = [](C& c, const TPen& p) { c.SetBorderPen(p); };
        for (const char* part : {"Color", "Style", "Width"})
            m[QByteArray("BorderPen.") + part] = penPart(borderPen, setBorderPen, part);
        strProp("CheckFalse", &C::SetCheckFalse);
        strProp("CheckTrue", &C::SetCheckTrue);
        m["Color"] = [](Reader& r, C& c, QWidget*) { c.SetColor(r.color()); };
        m["ColumnPopup"] = [](Reader& r, C& c, QWidget* scope) {
            const QString n = r.reference();
            c.SetColumnPopup(n.isEmpty() || !scope ? nullptr : scope->findChild<QMenu*>(n));
        };
        m["ColumnPopupType"] = [](Reader& r, C& c, QWidget*) {
            c.SetColumnPopupType(TColumnPopupType(r.enumValue(kPopupTypes)));
        };
        m["ComboItems.Strings"] = [](Reader& r, C& c, QWidget*) { c.SetComboItems(r.lines()); };
        intProp("DropDownCount", &C::SetDropDownCount);
        intProp("EditLength", &C::SetEditLength);
        m["EditLink"] = [](Reader& r, C& c, QWidget* scope) {
            const QString n = r.reference();
            c.SetEditLink(n.isEmpty() || !scope ? nullptr : scope->findChild<TEditLink*>(n));
        };
        strProp("EditMask", &C::SetEditMask);
        m["Editor"] = [](Reader& r, C& c, QWidget*) { c.SetEditor(TEditorType(r.enumValue(kEditors))); };
        m["Filter.Strings"] = [](Reader& r, C& c, QWidget*) { c.SetFilter(r.lines()); };
        boolProp("FilterCaseSensitive", &C::SetFilterCaseSensitive);
        boolProp("Fixed", &C::SetFixed);
        strProp("FloatFormat", &C::SetFloatFormat);
        strProp("Header", &C::SetHeader);
        m["HeaderAlignment"] = [](Reader& r, C& c, QWidget*) {
            c.SetHeaderAlignment(TAlignment(r.enumValue(kAlignments)));
        };
        struct FontAccess {
            const char* name;
            std::function<TFont(const C&)> get;
            std::function<void(C&, const TFont&)> set;
        };
        const FontAccess fonts[] = {
            {"Font", [](const C& c) { return c.Font(); }, [](C& c, const TFont& f) { c.SetFont(f); }},
            {"HeaderFont", [](const C& c) { return c.HeaderFont(); }, [](C& c, const TFont& f) { c.SetHeaderFont(f); }},
            {"PrintFont", [](const C& c) { return c.PrintFont(); }, [](C& c, const TFont& f) { c.SetPrintFont(f); }},
        };
        for (const FontAccess& f : fonts)
            for (const char* part : {"Charset", "Color", "Height", "Name", "Size", "Style"})
                m[QByteArray(f.name) + '.' + part] = fontPart(f.get, f.set, part);
        intProp("MinSize", &C::SetMinSize);
        intProp("MaxSize", &C::SetMaxSize);
        strProp("Name", &C::SetName);
        boolProp("Password", &C::SetPassword);
        boolProp("PrintBorderCustom", &C::SetPrintBorderCustom);
        m["PrintBorders"] = [](Reader& r, C& c, QWidget*) { c.SetPrintBorders(r.set(kBorders)); };
        auto printPen = [](const C& c) { return c.PrintBorderPen(); };
        auto setPrintPen = [](C& c, const TPen& p) { c.SetPrintBorderPen(p); };
        for (const char* part : {"Color", "Style", "Width"})
            m[QByteArray("PrintBorderPen.") + part] = penPart(printPen, setPrintPen, part);
        m["PrintColor"] = [](Reader& r, C& c, QWidget*) { c.SetPrintColor(r.color()); };
        boolProp("PrintFontCustom", &C::SetPrintFontCustom);
        boolProp("ReadOnly", &C::SetReadOnly);
        boolProp("ShowBands", &C::SetShowBands);
        m["SortStyle"] = [](Reader& r, C& c, QWidget*) { c.SetSortStyle(TSortStyle(r.enumValue(kSortStyles))); };
        strProp("SortPrefix", &C::SetSortPrefix);
        strProp("SortSuffix", &C::SetSortSuffix);
        intProp("SpinMax", &C::SetSpinMax);
        intProp("SpinMin", &C::SetSpinMin);
        intProp("SpinStep", &C::SetSpinStep);
        intProp("Tag", &C::SetTag);
        intProp("Width", &C::SetWidth);
        return m;
    }();
    return readers;
}

void readStream(Reader& r, TGridColumnCollection& items, QWidget* scope)
{
    r.beginComponent(kRootClass);
    const auto& readers = itemReaders();
    while (r.peek() != vaNull) {
        const QByteArray prop = r.shortStr();
        if (prop != "Items")
            throw EQvGridError(QStringLiteral("Property %1 does not exist").arg(QString::fromLatin1(prop)));
        if (r.byte() != vaCollection)
            throw EQvGridError(platform::EReadError::invalidFormatText());
        while (r.peek() != vaNull) {
            if (r.peek() == vaInt8 || r.peek() == vaInt16 || r.peek() == vaInt32)
                r.integer(); // an item's order value
            if (r.byte() != vaList)
                throw EQvGridError(platform::EReadError::invalidFormatText());
            // A plain new definition: what the stream leaves out keeps the defaults, not the
            // look of the definition before it.
            TGridColumnItem* item = items.Insert(items.Count());
            while (r.peek() != vaNull) {
                const QByteArray name = r.shortStr();
                const auto it = readers.find(name);
                if (it == readers.end())
                    throw EQvGridError(QStringLiteral("Property %1 does not exist").arg(QString::fromLatin1(name)));
                it->second(r, *item, scope);
            }
            r.byte();
        }
        r.byte();
    }
    r.byte(); // end of the properties
    if (!r.atEnd() && r.peek() == vaNull)
        r.byte(); // end of the (empty) list of children
}

} // namespace

TQvColumnGridIO::TQvColumnGridIO(TQvColumnGrid* owner) : FItems(std::make_unique<TGridColumnCollection>(owner)) {}

void TQvColumnGrid::SaveColumnsToStream(QIODevice& st)
{
    TQvColumnGridIO io(this);
    io.Items().SetNoRecursiveUpdate(true);
    // The stream writes copies of the definitions, and a copy leaves the popup type and the
    // custom print switches at a new definition's values: the stream carries those, and a
    // loaded column comes back with them.
    io.Items().Assign(*FColumnCollection);
    Writer w;
    w.beginComponent(kRootClass);
    w.name("Items");
    w.byte(vaCollection);
    // The copies' widths read the grid's columns at their indexes, which are the originals'.
    for (int i = 0; i < io.Items().Count(); ++i) {
        w.byte(vaList);
        writeItem(w, io.Items()[i]);
        w.byte(vaNull);
    }
    w.byte(vaNull); // end of the collection
    w.byte(vaNull); // end of the properties
    w.byte(vaNull); // no children
    if (st.write(w.bytes().data(), w.bytes().size()) != w.bytes().size())
        throw EQvGridError(platform::EWriteError().Message());
}

// The whole stream is read into a collection of its own first, so a stream that fails half-way
// leaves the columns as they were. Afterwards the grid's column count follows the definitions.
void TQvColumnGrid::LoadColumnsFromStream(QIODevice& st)
{
    auto& cols = *FColumnCollection;
    const bool oldFlag = cols.NoRecursiveUpdate();
    cols.SetNoRecursiveUpdate(true);
    try {
        TQvColumnGridIO io(this);
        io.Items().SetNoRecursiveUpdate(true);
        Reader r(st.readAll());
        // The stream's own failures keep their texts as the grid's errors.
        try {
            readStream(r, io.Items(), window());
        } catch (const platform::EStreamError& e) {
            throw EQvGridError(e.Message());
        }
        cols.Assign(io.Items());
    } catch (...) {
        cols.SetNoRecursiveUpdate(oldFlag);
        throw;
    }
    cols.SetNoRecursiveUpdate(oldFlag);
    cols.Update(nullptr);
    syncQuietly();
    Invalidate();
}

} // namespace grid
