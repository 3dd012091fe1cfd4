// The column stream: the grid's column definitions written as a streamed component in the
// binary component-stream layout (signature "TPF0", root class, empty name, the collection
// property "Items" with one property list per definition, names before values). Properties are
// matched by name on reading, so the stream carries no version number.

#include "grid/QvCGrid.h"

#include <QtEndian>

#include <cmath>
#include <map>

namespace grid {

namespace {

enum TValueType : quint8 {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14,
    vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19, vaUTF8String = 20
};

const QByteArray kSignature = QByteArrayLiteral("TPF0");
const QByteArray kRootClass = QByteArrayLiteral("TQvColumnGridIO");

const QString SInvalidImage = QStringLiteral("Invalid stream format");
const QString SReadError = QStringLiteral("Stream read error");
const QString SWriteError = QStringLiteral("Stream write error");

// ---- names of enumerations, sets and colours -----------------------------------------------------

const QStringList kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const QStringList kSortStyles{"ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase",
                              "ssAlphaCase", "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial",
                              "ssAnsiAlphaCase", "ssAnsiAlphaNoCase", "ssRaw", "ssHTML", "ssImages",
                              "ssCheckBox", "ssDateTime", "ssTime", "ssAlphaNumeric", "ssAlphaNumericNoCase"};
const QStringList kEditors{
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
    "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric", "edFloat",
    "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase", "edFloatSpinEdit",
    "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone",
    "edDateTimeEdit", "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
    "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown",
    "edImagePickerDropDown", "edQvGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn",
    "edFloatUnitEditBtn", "edMaskEditBtn"};
const QStringList kPopupTypes{"cpFixedCellsRClick", "cpFixedCellsLClick", "cpNormalCellsRClick",
                              "cpNormalCellsLClick", "cpAllCellsRClick", "cpAllCellsLClick"};
const QStringList kPenStyles{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
const QStringList kBorders{"cbTop", "cbLeft", "cbRight", "cbBottom"};
const QStringList kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

struct NamedColor {
    const char* name;
    TColor value;
};
const NamedColor kColors[] = {
    {"clBlack", platform::clBlack}, {"clMaroon", platform::clMaroon}, {"clGreen", platform::clGreen},
    {"clOlive", platform::clOlive}, {"clNavy", platform::clNavy}, {"clPurple", platform::clPurple},
    {"clTeal", platform::clTeal}, {"clGray", platform::clGray}, {"clSilver", platform::clSilver},
    {"clRed", platform::clRed}, {"clLime", platform::clLime}, {"clYellow", platform::clYellow},
    {"clBlue", platform::clBlue}, {"clFuchsia", platform::clFuchsia}, {"clAqua", platform::clAqua},
    {"clWhite", platform::clWhite}, {"clMoneyGreen", platform::clMoneyGreen}, {"clSkyBlue", platform::clSkyBlue},
    {"clCream", platform::clCream}, {"clMedGray", platform::clMedGray}, {"clNone", platform::clNone},
    {"clDefault", platform::clDefault}, {"clScrollBar", platform::clScrollBar},
    {"clBackground", platform::clBackground}, {"clActiveCaption", platform::clActiveCaption},
    {"clInactiveCaption", platform::clInactiveCaption}, {"clMenu", platform::clMenu},
    {"clWindow", platform::clWindow}, {"clWindowFrame", platform::clWindowFrame},
    {"clMenuText", platform::clMenuText}, {"clWindowText", platform::clWindowText},
    {"clCaptionText", platform::clCaptionText}, {"clActiveBorder", platform::clActiveBorder},
    {"clInactiveBorder", platform::clInactiveBorder}, {"clAppWorkSpace", platform::clAppWorkSpace},
    {"clHighlight", platform::clHighlight}, {"clHighlightText", platform::clHighlightText},
    {"clBtnFace", platform::clBtnFace}, {"clBtnShadow", platform::clBtnShadow},
    {"clGrayText", platform::clGrayText}, {"clBtnText", platform::clBtnText},
    {"clInactiveCaptionText", platform::clInactiveCaptionText}, {"clBtnHighlight", platform::clBtnHighlight},
    {"cl3DDkShadow", platform::cl3DDkShadow}, {"cl3DLight", platform::cl3DLight},
    {"clInfoText", platform::clInfoText}, {"clInfoBk", platform::clInfoBk}, {"clHotLight", platform::clHotLight},
    {"clGradientActiveCaption", platform::clGradientActiveCaption},
    {"clGradientInactiveCaption", platform::clGradientInactiveCaption},
    {"clMenuHighlight", platform::clMenuHighlight}, {"clMenuBar", platform::clMenuBar},
};

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

class Writer {
public:
    QByteArray out;

    void byte(quint8 b) { out.append(char(b)); }
    void shortStr(const QByteArray& s)
    {
        byte(quint8(std::min<qsizetype>(s.size(), 255)));
        out.append(s.left(255));
    }
    void name(const char* n) { shortStr(QByteArray(n)); }
    void integer(qint32 v)
    {
        if (v >= -128 && v <= 127) {
            byte(vaInt8);
            byte(quint8(qint8(v)));
        } else if (v >= -32768 && v <= 32767) {
            byte(vaInt16);
            le<qint16>(qint16(v));
        } else {
            byte(vaInt32);
            le<qint32>(v);
        }
    }
    void ident(const QString& s)
    {
        byte(vaIdent);
        shortStr(s.toLatin1());
    }
    void boolean(bool v) { byte(v ? vaTrue : vaFalse); }
    // Plain ASCII as an 8-bit string, anything else as UTF-8.
    void string(const QString& s)
    {
        bool ascii = true;
        for (QChar c : s)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii && s.size() <= 255) {
            byte(vaString);
            shortStr(s.toLatin1());
        } else if (ascii) {
            byte(vaLString);
            le<qint32>(qint32(s.size()));
            out.append(s.toLatin1());
        } else {
            const QByteArray u = s.toUtf8();
            byte(vaUTF8String);
            le<qint32>(qint32(u.size()));
            out.append(u);
        }
    }
    void set(unsigned bits, const QStringList& names)
    {
        byte(vaSet);
        for (int i = 0; i < names.size(); ++i)
            if (bits & (1u << i))
                shortStr(names[i].toLatin1());
        byte(0);
    }
    void color(TColor c)
    {
        for (const NamedColor& n : kColors)
            if (n.value == c) {
                ident(QString::fromLatin1(n.name));
                return;
            }
        integer(qint32(c));
    }
    void lines(const QStringList& l)
    {
        byte(vaList);
        for (const QString& s : l)
            string(s);
        byte(vaNull);
    }

private:
    template <class T>
    void le(T v)
    {
        char b[sizeof(T)];
        qToLittleEndian(v, b);
        out.append(b, sizeof(T));
    }
};

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

class Reader {
public:
    explicit Reader(QByteArray data) : in(std::move(data)) {}

    bool atEnd() const { return pos >= in.size(); }
    quint8 byte()
    {
        if (pos >= in.size())
            throw EQvGridError(SReadError);
        return quint8(in[pos++]);
    }
    quint8 peek() const
    {
        if (pos >= in.size())
            throw EQvGridError(SReadError);
        return quint8(in[pos]);
    }
    QByteArray take(qsizetype n)
    {
        if (n < 0 || pos + n > in.size())
            throw EQvGridError(SReadError);
        const QByteArray r = in.mid(pos, n);
        pos += n;
        return r;
    }
    QByteArray shortStr() { return take(byte()); }

    qint64 integer()
    {
        switch (byte()) {
        case vaInt8:
            return qint8(byte());
        case vaInt16:
            return qFromLittleEndian<qint16>(take(2).constData());
        case vaInt32:
            return qFromLittleEndian<qint32>(take(4).constData());
        case vaInt64:
            return qFromLittleEndian<qint64>(take(8).constData());
        default:
            throw EQvGridError(SInvalidImage);
        }
    }
    int int32() { return int(integer()); }
    bool boolean()
    {
        const quint8 t = byte();
        if (t != vaTrue && t != vaFalse)
            throw EQvGridError(SInvalidImage);
        return t == vaTrue;
    }
    QString ident()
    {
        if (byte() != vaIdent)
            throw EQvGridError(SInvalidImage);
        return QString::fromLatin1(shortStr());
    }
    QString string()
    {
        switch (byte()) {
        case vaString:
            return QString::fromLatin1(shortStr());
        case vaLString:
            return QString::fromLatin1(take(qFromLittleEndian<qint32>(take(4).constData())));
        case vaUTF8String:
            return QString::fromUtf8(take(qFromLittleEndian<qint32>(take(4).constData())));
        case vaWString: {
            const qint32 n = qFromLittleEndian<qint32>(take(4).constData());
            const QByteArray b = take(qsizetype(n) * 2);
            QString s(n, Qt::Uninitialized);
            for (qint32 i = 0; i < n; ++i)
                s[i] = QChar(qFromLittleEndian<quint16>(b.constData() + 2 * i));
            return s;
        }
        default:
            throw EQvGridError(SInvalidImage);
        }
    }
    unsigned set(const QStringList& names)
    {
        if (byte() != vaSet)
            throw EQvGridError(SInvalidImage);
        unsigned bits = 0;
        for (QByteArray n = shortStr(); !n.isEmpty(); n = shortStr()) {
            const int i = names.indexOf(QString::fromLatin1(n));
            if (i < 0)
                throw EQvGridError(SInvalidImage);
            bits |= 1u << i;
        }
        return bits;
    }
    TColor color()
    {
        if (peek() != vaIdent)
            return TColor(quint32(integer()));
        const QString n = ident();
        for (const NamedColor& c : kColors)
            if (n == QLatin1String(c.name))
                return c.value;
        throw EQvGridError(SInvalidImage);
    }
    int enumValue(const QStringList& names)
    {
        const int i = names.indexOf(ident());
        if (i < 0)
            throw EQvGridError(SInvalidImage);
        return i;
    }
    QStringList lines()
    {
        if (byte() != vaList)
            throw EQvGridError(SInvalidImage);
        QStringList l;
        while (peek() != vaNull)
            l << string();
        byte();
        return l;
    }
    // The identifier of a component reference, or nothing for nil.
    QString reference()
    {
        if (peek() == vaNil) {
            byte();
            return {};
        }
        return ident();
    }

private:
    QByteArray in;
    qsizetype pos = 0;
};

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
            c.SetEditLink(n.isEmpty() || !scope ? nullptr : scope->findChild<QObject*>(n));
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
    if (r.take(4) != kSignature)
        throw EQvGridError(SInvalidImage);
    if ((r.peek() & 0xF0) == 0xF0) // filer flags of an inherited or inline component
        r.byte();
    if (r.shortStr() != kRootClass)
        throw EQvGridError(SInvalidImage);
    r.shortStr(); // component name
    const auto& readers = itemReaders();
    while (r.peek() != vaNull) {
        const QByteArray prop = r.shortStr();
        if (prop != "Items")
            throw EQvGridError(QStringLiteral("Property %1 does not exist").arg(QString::fromLatin1(prop)));
        if (r.byte() != vaCollection)
            throw EQvGridError(SInvalidImage);
        while (r.peek() != vaNull) {
            if (r.peek() == vaInt8 || r.peek() == vaInt16 || r.peek() == vaInt32)
                r.integer(); // an item's order value
            if (r.byte() != vaList)
                throw EQvGridError(SInvalidImage);
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

TQvColumnGridIO::TQvColumnGridIO(TQvColumnGrid* owner)
    : FItems(std::make_unique<TGridColumnCollection>(owner))
{
}

void TQvColumnGrid::SaveColumnsToStream(QIODevice& st)
{
    TQvColumnGridIO io(this);
    io.Items().SetNoRecursiveUpdate(true);
    // The stream writes copies of the definitions, and a copy leaves the popup type and the
    // custom print switches at a new definition's values: the stream carries those, and a
    // loaded column comes back with them.
    io.Items().Assign(*FColumnCollection);
    Writer w;
    w.out.append(kSignature);
    w.shortStr(kRootClass);
    w.shortStr({});
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
    if (st.write(w.out) != w.out.size())
        throw EQvGridError(SWriteError);
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
        readStream(r, io.Items(), window());
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
