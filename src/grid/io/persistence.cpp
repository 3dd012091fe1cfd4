// A user's layout, look and print settings kept outside the program: the one-line column
// states, the "Col"/"Pos" keys in an INI file or the registry store, the look file and the
// print-settings section.
//
// The look file and the print settings are tables of key, kind and accessor that one writer
// and one reader walk, so a key's spelling, order and conversion live in one place.

#include "grid/QvGrid.h"
#include "grid/io/IniValues.h"
#include "grid/io/PlainIniFile.h"
#include "platform/ComponentStream.h"
#include "platform/SettingsStore.h"
#include "platform/TextCodec.h"

#include <QHash>
#include <QSettings>

#include <algorithm>

namespace grid {

// ---- column states --------------------------------------------------------------------------------

namespace {

QString joinInts(const std::vector<int>& v)
{
    QStringList parts;
    parts.reserve(qsizetype(v.size()));
    for (int x : v)
        parts << QString::number(x);
    return parts.join(QLatin1Char(','));
}

int toInt(const QString& s)
{
    int v = 0;
    if (!StrToIntStrict(s, v))
        throw EConvertError(s);
    return v;
}

// Entry i of a part; a part shorter than the columns it describes raises the list error.
int entry(const QStringList& part, int i)
{
    if (i < 0 || i >= part.size())
        throw EListError(i);
    return toInt(part[i]);
}

// For each index p, the positions whose entry is p, in turn.
std::vector<int> inverseArrangement(const std::vector<int>& order, int count)
{
    std::vector<int> inv;
    for (int p = 0; p < count; ++p)
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] == p)
                inv.push_back(int(i));
    return inv;
}

void fillList(TIntList& list, const std::vector<int>& v)
{
    list.Clear();
    for (int x : v)
        list.Add(x);
}

} // namespace

QString TQvStringGrid::ColumnStatesToString()
{
    const int n = TotalColCount();
    std::vector<int> widths, order, shown;
    for (int i = 0; i < n; ++i) {
        widths.push_back(i < ColCount() ? ColWidths(i) : DefaultColWidth());
        order.push_back(FColumnOrder->Count() > 0 && i < FColumnOrder->Count() ? FColumnOrder->GetInteger(i) : i);
        shown.push_back(IsHiddenColumn(i) ? 0 : 1);
    }
    return QString::number(n) + QLatin1Char('#') + joinInts(widths) + QLatin1Char('#') + joinInts(order)
           + QLatin1Char('#') + joinInts(shown);
}

void TQvStringGrid::StringToColumnStates(const QString& Value)
{
    if (!Value.contains(QLatin1Char('#')))
        return;
    const QStringList parts = Value.split(QLatin1Char('#'));
    auto part = [&parts](int k) {
        return k < parts.size() && !parts[k].isEmpty() ? parts[k].split(QLatin1Char(',')) : QStringList();
    };
    // A count no part of the text can describe would only make columns the text then fails
    // on: it is refused before anything changes.
    const int count = toInt(parts[0]);
    qsizetype longest = 0;
    for (int k = 1; k <= 3; ++k)
        longest = std::max(longest, part(k).size());
    if (count > longest)
        throw EListError(int(longest));
    FColumnOrder->Clear();
    UnHideColumnsAll();
    SetColCount(count);
    const int n = ColCount();
    const QStringList order = part(2);
    if (!order.isEmpty()) {
        std::vector<int> stored;
        for (int i = 0; i < std::min(n, int(order.size())); ++i)
            if (const int v = toInt(order[i]); v != -1)
                stored.push_back(v);
        fillList(*FColumnOrder, inverseArrangement(stored, n));
        if (FColumnOrder->Count() > 0)
            ResetColumnOrder();
        fillList(*FColumnOrder, stored);
    }
    const QStringList visible = part(3);
    for (int i = n - 1; i >= 0; --i)
        if (entry(visible, i) == 0)
            HideColumn(i);
    const QStringList widths = part(1);
    const bool stretch = FColumnSize->Stretch();
    if (stretch) {
        FColumnSize->SetStretch(false);
        const int sc = FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
        if (sc >= 0 && sc < ColCount())
            SetDefaultColWidth(ColWidths(sc));
    }
    try {
        for (int i = 0; i < ColCount(); ++i)
            SetColWidths(i, entry(widths, i));
    } catch (...) {
        if (stretch)
            FColumnSize->SetStretch(true);
        throw;
    }
    if (stretch)
        FColumnSize->SetStretch(true);
}

// ---- column keys ------------------------------------------------------------------------------------

namespace {

// The store ColumnSize() names: an INI file or the registry store the grid was handed. Invalid
// without Key or Section, while designing, or without a registry store.
class TColumnKeys {
public:
    explicit TColumnKeys(TQvStringGrid& g) : size(g.ColumnSize())
    {
        if (size.Key().isEmpty() || size.Section().isEmpty() || g.Designing())
            return;
        if (size.Location() == clIniFile)
            iniFile = true;
        else
            registry = g.Services().registry;
    }
    bool valid() const { return iniFile || registry; }
    int read(const QString& name, int fallback) const
    {
        if (iniFile) {
            if (!reader)
                reader = std::make_unique<QSettings>(size.Key(), QSettings::IniFormat);
            return inivalues::readInteger(*reader, size.Section() + QLatin1Char('/') + name, fallback);
        }
        return registry->readInteger(registryKey(), name, fallback);
    }
    // Writes every (name, value) at once; a store that cannot take them raises the
    // file-creation error naming it, and an INI file keeps its old bytes.
    void write(const std::vector<std::pair<QString, int>>& values)
    {
        if (values.empty())
            return;
        if (iniFile) {
            inivalues::updateIniFile(size.Key(), [&](QSettings& ini) {
                for (const auto& [name, value] : values)
                    ini.setValue(size.Section() + QLatin1Char('/') + name, value);
            });
            return;
        }
        for (const auto& [name, value] : values)
            registry->writeInteger(registryKey(), name, value);
        QString error;
        if (!registry->flush(&error))
            throw platform::EFCreateError(size.Key(), error);
    }

private:
    QString registryKey() const { return size.Key() + QLatin1Char('\\') + size.Section(); }
    TColumnSize& size;
    bool iniFile = false;
    mutable std::unique_ptr<QSettings> reader;
    platform::SettingsStore* registry = nullptr;
};

} // namespace

void TQvStringGrid::SaveColSizes()
{
    TColumnKeys keys(*this);
    if (!keys.valid())
        return;
    std::vector<std::pair<QString, int>> values;
    for (int i = 0; i < ColCount(); ++i)
        values.emplace_back(QStringLiteral("Col%1").arg(i), ColWidths(i));
    keys.write(values);
}

void TQvStringGrid::LoadColSizes()
{
    TColumnKeys keys(*this);
    if (!keys.valid())
        return;
    for (int i = 0; i < ColCount(); ++i) {
        const int w = keys.read(QStringLiteral("Col%1").arg(i), ColWidths(i));
        if (w != ColWidths(i))
            SetColWidths(i, w);
    }
}

void TQvStringGrid::SaveColPositions()
{
    TColumnKeys keys(*this);
    if (!keys.valid())
        return;
    std::vector<std::pair<QString, int>> values;
    for (int i = 0; i < FColumnOrder->Count(); ++i)
        values.emplace_back(QStringLiteral("Pos%1").arg(i), FColumnOrder->GetInteger(i));
    keys.write(values);
}

void TQvStringGrid::LoadColPositions()
{
    TColumnKeys keys(*this);
    if (!keys.valid() || keys.read(QStringLiteral("Pos0"), -1) == -1)
        return;
    const int n = TotalColCount();
    std::vector<int> stored;
    for (int i = 0; i < n; ++i)
        if (const int v = keys.read(QStringLiteral("Pos%1").arg(i), -1); v != -1)
            stored.push_back(v);
    std::vector<int> hidden;
    for (int c = 0; c < n; ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    fillList(*FColumnOrder, inverseArrangement(stored, n));
    UnHideColumnsAll();
    // The reset refuses an arrangement that is no permutation (a repeated "Pos"), so a broken
    // store cannot keep it moving columns.
    ResetColumnOrder();
    for (int c : hidden)
        HideColumn(c);
    fillList(*FColumnOrder, stored);
}

// ---- look file ----------------------------------------------------------------------------------------

namespace {

enum class TLookKind { Color, Bool, Int, Style, Text, Named };

struct TLookKey {
    QString key;
    TLookKind kind;
    QStringList names; // Named: the value names in the order of their values
    std::function<QString(TQvStringGrid&)> get;
    std::function<void(TQvStringGrid&, const QString&)> set;
};

QString colorText(TColor c)
{
    const QString name = platform::colorIdent(c);
    if (!name.isEmpty())
        return name;
    return QLatin1Char('$') + QStringLiteral("%1").arg(quint32(c), 8, 16, QLatin1Char('0')).toUpper();
}

TColor readColor(const QString& value)
{
    if (value.isEmpty())
        return clNone;
    TColor c = 0;
    if (platform::identToColor(value, c))
        return c;
    int v = 0;
    if (!StrToIntStrict(value, v))
        throw EConvertError(value);
    return TColor(quint32(v));
}

const QStringList kStyleNames{QStringLiteral("fsBold"), QStringLiteral("fsItalic"), QStringLiteral("fsUnderline"),
                              QStringLiteral("fsStrikeOut")};

QString styleText(TFontStyles s)
{
    QStringList out;
    for (int i = 0; i < kStyleNames.size(); ++i)
        if (s & (1u << i))
            out << kStyleNames[i];
    return out.join(QLatin1Char(','));
}

TFontStyles readStyle(const QString& value)
{
    TFontStyles s = 0;
    for (int i = 0; i < kStyleNames.size(); ++i)
        if (value.contains(kStyleNames[i]))
            s |= 1u << i;
    return s;
}

using G = TQvStringGrid;

TLookKey colorKey(const char* key, std::function<TColor(G&)> get, std::function<void(G&, TColor)> set)
{
    return {QString::fromLatin1(key),
            TLookKind::Color,
            {},
            [get](G& g) { return colorText(get(g)); },
            [set](G& g, const QString& v) { set(g, readColor(v)); }};
}

TLookKey boolKey(const char* key, std::function<bool(G&)> get, std::function<void(G&, bool)> set)
{
    return {QString::fromLatin1(key),
            TLookKind::Bool,
            {},
            [get](G& g) { return get(g) ? QStringLiteral("true") : QStringLiteral("false"); },
            [set](G& g, const QString& v) { set(g, v.toUpper() == QLatin1String("TRUE")); }};
}

TLookKey intKey(const char* key, std::function<int(G&)> get, std::function<void(G&, int)> set)
{
    return {QString::fromLatin1(key),
            TLookKind::Int,
            {},
            [get](G& g) { return QString::number(get(g)); },
            [set](G& g, const QString& v) { set(g, toInt(v)); }};
}

TLookKey namedKey(const char* key, QStringList names, std::function<int(G&)> get, std::function<void(G&, int)> set)
{
    return {QString::fromLatin1(key), TLookKind::Named, names,
            [get, names](G& g) {
                const int i = get(g);
                return i >= 0 && i < names.size() ? names[i] : QString();
            },
            [set, names](G& g, const QString& v) {
                for (int i = 0; i < names.size(); ++i)
                    if (!names[i].isEmpty() && names[i].toUpper() == v.toUpper()) {
                        set(g, i);
                        return;
                    }
            }};
}

// The four keys of a font: colour, style, size, name.
void fontKeys(std::vector<TLookKey>& t, const QString& prefix, std::function<TFont(G&)> get,
              std::function<void(G&, const TFont&)> set)
{
    auto field = [get, set](auto apply) {
        return [get, set, apply](G& g, const QString& v) {
            TFont f = get(g);
            apply(f, v);
            set(g, f);
        };
    };
    t.push_back({prefix + QStringLiteral(".Color"),
                 TLookKind::Color,
                 {},
                 [get](G& g) { return colorText(get(g).Color); },
                 field([](TFont& f, const QString& v) { f.Color = readColor(v); })});
    t.push_back({prefix + QStringLiteral(".Style"),
                 TLookKind::Style,
                 {},
                 [get](G& g) { return styleText(get(g).Style); },
                 field([](TFont& f, const QString& v) { f.Style = readStyle(v); })});
    t.push_back({prefix + QStringLiteral(".Size"),
                 TLookKind::Int,
                 {},
                 [get](G& g) { return QString::number(get(g).Size); },
                 field([](TFont& f, const QString& v) { f.Size = toInt(v); })});
    t.push_back({prefix + QStringLiteral(".Name"),
                 TLookKind::Text,
                 {},
                 [get](G& g) { return get(g).Name; },
                 field([](TFont& f, const QString& v) { f.Name = v; })});
}

// A colour, Boolean or integer property with a getter and a setter of the grid or one of its
// settings objects.
#define QV_LOOK(maker, key, Type, getter, setter)                                                                      \
    maker(                                                                                                             \
        key, [](G& g) { return g.getter; }, [](G& g, Type v) { g.setter(v); })
#define QV_LOOK_FIELD(maker, key, Type, field)                                                                         \
    maker(                                                                                                             \
        key, [](G& g) { return g.field; }, [](G& g, Type v) { g.field = v; })

const QStringList kControlStyles{"csClassic", "csFlat", "csWinXP", "csBorland", "csVLX", "csGlyph", "csTheme"};
const QStringList kBackGroundDisplays{"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
const QStringList kBackGroundCells{"bcNormal", "bcFixed", "bcAll"};

QStringList lookNames()
{
    QStringList names;
    for (int l = glStandard; l <= glCustom; ++l)
        names << TQvStringGrid::GridLookIdent(TGridLook(l)); // glCustom has no name
    return names;
}

// The 69 keys in file order.
const std::vector<TLookKey>& lookKeys()
{
    static const std::vector<TLookKey> table = [] {
        std::vector<TLookKey> k;
        k.push_back(QV_LOOK(colorKey, "Color", TColor, Color(), SetColor));
        k.push_back(QV_LOOK_FIELD(colorKey, "HintColor", TColor, HintColor));
        k.push_back(QV_LOOK(colorKey, "SelectionColor", TColor, SelectionColor, SetSelectionColor));
        k.push_back(QV_LOOK(colorKey, "SelectionColorTo", TColor, SelectionColorTo, SetSelectionColorTo));
        k.push_back(QV_LOOK(colorKey, "SelectionMirrorColor", TColor, SelectionMirrorColor, SetSelectionMirrorColor));
        k.push_back(
            QV_LOOK(colorKey, "SelectionMirrorColorTo", TColor, SelectionMirrorColorTo, SetSelectionMirrorColorTo));
        k.push_back(QV_LOOK(colorKey, "SelectionTextColor", TColor, SelectionTextColor, SetSelectionTextColor));
        k.push_back(QV_LOOK(colorKey, "URLColor", TColor, URLColor, SetURLColor));
        k.push_back(QV_LOOK(boolKey, "URLShow", bool, URLShow(), SetURLShow));
        k.push_back(QV_LOOK(boolKey, "URLShowInText", bool, URLShowInText, SetURLShowInText));
        k.push_back(QV_LOOK(colorKey, "ScrollColor", TColor, ScrollColor, SetScrollColor));
        k.push_back(QV_LOOK(colorKey, "ActiveRowColor", TColor, ActiveRowColor(), SetActiveRowColor));
        k.push_back(QV_LOOK(boolKey, "ActiveRowShow", bool, ActiveRowShow(), SetActiveRowShow));
        k.push_back(QV_LOOK(boolKey, "ActiveCellShow", bool, ActiveCellShow, SetActiveCellShow));
        fontKeys(
            k, QStringLiteral("Font"), [](G& g) { return g.Font(); }, [](G& g, const TFont& f) { g.SetFont(f); });
        k.push_back(QV_LOOK(colorKey, "ActiveCellColor", TColor, ActiveCellColor, SetActiveCellColor));
        k.push_back(QV_LOOK(colorKey, "ActiveCellColorTo", TColor, ActiveCellColorTo, SetActiveCellColorTo));
        fontKeys(
            k, QStringLiteral("ActiveCellFont"), [](G& g) { return g.ActiveCellFont(); },
            [](G& g, const TFont& f) { g.SetActiveCellFont(f); });
        fontKeys(
            k, QStringLiteral("FixedFont"), [](G& g) { return g.FixedFont(); },
            [](G& g, const TFont& f) { g.SetFixedFont(f); });
        k.push_back(QV_LOOK_FIELD(colorKey, "Balloon.BackgroundColor", TColor, Balloon.BackgroundColor));
        k.push_back(QV_LOOK_FIELD(colorKey, "Balloon.TextColor", TColor, Balloon.TextColor));
        k.push_back(intKey(
            "Balloon.Transparency", [](G& g) { return int(g.Balloon.Transparency); },
            [](G& g, int v) { g.Balloon.Transparency = static_cast<unsigned char>(std::clamp(v, 0, 255)); }));
        k.push_back(QV_LOOK(colorKey, "Bands.PrimaryColor", TColor, Bands().PrimaryColor(), Bands().SetPrimaryColor));
        k.push_back(
            QV_LOOK(colorKey, "Bands.SecondaryColor", TColor, Bands().SecondaryColor(), Bands().SetSecondaryColor));
        k.push_back(QV_LOOK(boolKey, "Bands.Active", bool, Bands().Active(), Bands().SetActive));
        k.push_back(QV_LOOK(colorKey, "SortSettings.IndexColor", TColor, SortSettings().IndexColor(),
                            SortSettings().SetIndexColor));
        k.push_back(QV_LOOK(colorKey, "FloatingFooter.Color", TColor, FloatingFooter.Color(), FloatingFooter.SetColor));
        k.push_back(
            QV_LOOK(intKey, "ControlLook.CheckSize", int, ControlLook().CheckSize(), ControlLook().SetCheckSize));
        k.push_back(QV_LOOK(colorKey, "ControlLook.Color", TColor, ControlLook().Color(), ControlLook().SetColor));
        k.push_back(QV_LOOK(colorKey, "ControlLook.CommentColor", TColor, ControlLook().CommentColor(),
                            ControlLook().SetCommentColor));
        k.push_back(namedKey(
            "ControlLook.ControlStyle", kControlStyles, [](G& g) { return int(g.ControlLook().ControlStyle()); },
            [](G& g, int v) { g.ControlLook().SetControlStyle(TControlStyle(v)); }));
        k.push_back(QV_LOOK(colorKey, "ControlLook.FixedGradientFrom", TColor, ControlLook().FixedGradientFrom(),
                            ControlLook().SetFixedGradientFrom));
        k.push_back(QV_LOOK(colorKey, "ControlLook.FixedGradientTo", TColor, ControlLook().FixedGradientTo(),
                            ControlLook().SetFixedGradientTo));
        k.push_back(
            QV_LOOK(intKey, "ControlLook.RadioSize", int, ControlLook().RadioSize(), ControlLook().SetRadioSize));
        k.push_back(
            QV_LOOK(boolKey, "ControlLook.FlatButton", bool, ControlLook().FlatButton(), ControlLook().SetFlatButton));
        k.push_back(QV_LOOK(colorKey, "ControlLook.ProgressBorderColor", TColor, ControlLook().ProgressBorderColor(),
                            ControlLook().SetProgressBorderColor));
        k.push_back(
            QV_LOOK(boolKey, "ControlLook.ProgressXP", bool, ControlLook().ProgressXP(), ControlLook().SetProgressXP));
        k.push_back(namedKey(
            "Look", lookNames(), [](G& g) { return int(g.Look); }, [](G& g, int v) { g.SetLook(TGridLook(v)); }));
        k.push_back(QV_LOOK(colorKey, "SearchFooter.Color", TColor, SearchFooter().Color(), SearchFooter().SetColor));
        k.push_back(
            QV_LOOK(colorKey, "SearchFooter.ColorTo", TColor, SearchFooter().ColorTo(), SearchFooter().SetColorTo));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.HeaderColor", TColor, Grouping.HeaderColor));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.HeaderColorTo", TColor, Grouping.HeaderColorTo));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.HeaderTextColor", TColor, Grouping.HeaderTextColor));
        k.push_back(QV_LOOK_FIELD(boolKey, "Grouping.HeaderUnderline", bool, Grouping.HeaderUnderline));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.HeaderLineColor", TColor, Grouping.HeaderLineColor));
        k.push_back(QV_LOOK_FIELD(intKey, "Grouping.HeaderLineWidth", int, Grouping.HeaderLineWidth));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.SummaryColor", TColor, Grouping.SummaryColor));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.SummaryColorTo", TColor, Grouping.SummaryColorTo));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.SummaryTextColor", TColor, Grouping.SummaryTextColor));
        k.push_back(QV_LOOK_FIELD(boolKey, "Grouping.SummaryLine", bool, Grouping.SummaryLine));
        k.push_back(QV_LOOK_FIELD(colorKey, "Grouping.SummaryLineColor", TColor, Grouping.SummaryLineColor));
        k.push_back(QV_LOOK_FIELD(intKey, "Grouping.SummaryLineWidth", int, Grouping.SummaryLineWidth));
        k.push_back(QV_LOOK(colorKey, "GridLineColor", TColor, GridLineColor(), SetGridLineColor));
        k.push_back(QV_LOOK(colorKey, "GridFixedLineColor", TColor, GridFixedLineColor(), SetGridFixedLineColor));
        k.push_back(intKey(
            "BackGround.Top", [](G& g) { return g.BackGround().Top(); },
            [](G& g, int v) { g.BackGround().SetTop(v); }));
        k.push_back(intKey(
            "BackGround.Left", [](G& g) { return g.BackGround().Left(); },
            [](G& g, int v) { g.BackGround().SetLeft(v); }));
        k.push_back(namedKey(
            "BackGround.Display", kBackGroundDisplays, [](G& g) { return int(g.BackGround().Display()); },
            [](G& g, int v) { g.BackGround().SetDisplay(TBackGroundDisplay(v)); }));
        k.push_back(namedKey(
            "BackGround.Cells", kBackGroundCells, [](G& g) { return int(g.BackGround().Cells()); },
            [](G& g, int v) { g.BackGround().SetCells(TBackGroundCells(v)); }));
        k.push_back(colorKey(
            "BackGround.Color", [](G& g) { return g.BackGround().Color(); },
            [](G& g, TColor v) { g.BackGround().SetColor(v); }));
        k.push_back(colorKey(
            "BackGround.ColorTo", [](G& g) { return g.BackGround().ColorTo(); },
            [](G& g, TColor v) { g.BackGround().SetColorTo(v); }));
        return k;
    }();
    return table;
}

#undef QV_LOOK
#undef QV_LOOK_FIELD

} // namespace

void TQvStringGrid::SaveVisualProps(const QString& FileName)
{
    QString text;
    for (const TLookKey& k : lookKeys())
        text += k.key + QLatin1Char('=') + k.get(*this) + QLatin1String("\r\n");
    if (!platform::writeAnsiFile(FileName, text))
        throw Exception(QStringLiteral("Cannot Create ") + FileName);
}

void TQvStringGrid::LoadVisualProps(const QString& FileName)
{
    QStringList lines;
    if (!platform::readTextLines(FileName, lines))
        throw Exception(QStringLiteral("Cannot open file ") + FileName);
    // Keys without regard to case; the first line of a key counts.
    QHash<QString, QString> values;
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).toUpper();
        if (!values.contains(key))
            values.insert(key, line.mid(eq + 1));
    }
    auto apply = [&](const TLookKey& k) { k.set(*this, values.value(k.key.toUpper())); };
    // The grid lines go before the grouping keys, as the look has always been read.
    const auto& table = lookKeys();
    bool linesDone = false;
    for (const TLookKey& k : table) {
        const bool gridLine = k.key == QLatin1String("GridLineColor") || k.key == QLatin1String("GridFixedLineColor");
        if (gridLine && linesDone)
            continue;
        if (!linesDone && k.key.startsWith(QLatin1String("Grouping."))) {
            for (const TLookKey& line : table)
                if (line.key == QLatin1String("GridLineColor") || line.key == QLatin1String("GridFixedLineColor"))
                    apply(line);
            linesDone = true;
        }
        apply(k);
    }
    Invalidate();
}

// ---- print settings -------------------------------------------------------------------------------------

namespace {

enum class TPrintKind { Int, YesNo, Text, Ordinal, Position, TitleLines };

struct TPrintKey {
    const char* key;
    TPrintKind kind;
    QString fallback; // the stored form of the default
    int maxOrdinal;   // Ordinal: the largest value kept
    std::function<QString(TPrintSettings&)> get;
    std::function<void(TPrintSettings&, const QString&)> set;
};

using P = TPrintSettings;

TPrintKey intPrint(const char* key, int fallback, std::function<int(P&)> get, std::function<void(P&, int)> set)
{
    return {key,
            TPrintKind::Int,
            QString::number(fallback),
            0,
            [get](P& p) { return QString::number(get(p)); },
            [set](P& p, const QString& v) { set(p, inivalues::toIntDef(v, 0)); }};
}

TPrintKey yesNoPrint(const char* key, bool fallback, std::function<bool(P&)> get, std::function<void(P&, bool)> set)
{
    return {key,
            TPrintKind::YesNo,
            fallback ? QStringLiteral("Y") : QStringLiteral("N"),
            0,
            [get](P& p) { return get(p) ? QStringLiteral("Y") : QStringLiteral("N"); },
            [set](P& p, const QString& v) { set(p, v == QLatin1String("Y")); }};
}

TPrintKey textPrint(const char* key, std::function<QString(P&)> get, std::function<void(P&, const QString&)> set)
{
    return {key, TPrintKind::Text, QString(), 0, get, set};
}

// An ordinal outside 0..max leaves the field unchanged.
TPrintKey ordinalPrint(const char* key, int max, std::function<int(P&)> get, std::function<void(P&, int)> set)
{
    return {key,
            TPrintKind::Ordinal,
            QStringLiteral("0"),
            max,
            [get](P& p) { return QString::number(get(p)); },
            [set, max](P& p, const QString& v) {
                const int n = inivalues::toIntDef(v, -1);
                if (n >= 0 && n <= max)
                    set(p, n);
            }};
}

// A position outside 1..6 is ppNone.
TPrintKey positionPrint(const char* key, std::function<TPrintPosition(P&)> get,
                        std::function<void(P&, TPrintPosition)> set)
{
    return {key,
            TPrintKind::Position,
            QStringLiteral("0"),
            6,
            [get](P& p) { return QString::number(int(get(p))); },
            [set](P& p, const QString& v) {
                const int n = inivalues::toIntDef(v, 0);
                set(p, n >= 1 && n <= 6 ? TPrintPosition(n) : ppNone);
            }};
}

// Name, size, style bits and colour of a font. The stored style bits are the font's style:
// a plain font stored over a bold one comes back plain.
void fontPrint(std::vector<TPrintKey>& t, const char* name, const char* size, const char* style, const char* color,
               std::function<TFont(P&)> get, std::function<void(P&, const TFont&)> set)
{
    auto field = [get, set](auto apply) {
        return [get, set, apply](P& p, int v) {
            TFont f = get(p);
            apply(f, v);
            set(p, f);
        };
    };
    t.push_back(textPrint(
        name, [get](P& p) { return get(p).Name; },
        [get, set](P& p, const QString& v) {
            TFont f = get(p);
            f.Name = v;
            set(p, f);
        }));
    t.back().fallback = QStringLiteral("Arial");
    t.push_back(intPrint(
        size, 10, [get](P& p) { return get(p).Size; }, field([](TFont& f, int v) { f.Size = v; })));
    t.push_back(intPrint(
        style, 0, [get](P& p) { return int(get(p).Style); },
        field([](TFont& f, int v) { f.Style = TFontStyles(v) & 15u; })));
    t.push_back(intPrint(
        color, 0, [get](P& p) { return int(get(p).Color); },
        field([](TFont& f, int v) { f.Color = TColor(quint32(v)); })));
}

#define QV_PRINT_INT(key, fallback, Name)                                                                              \
    intPrint(                                                                                                          \
        key, fallback, [](P& p) { return int(p.Name()); }, [](P& p, int v) { p.Set##Name(v); })
#define QV_PRINT_YESNO(key, fallback, Name)                                                                            \
    yesNoPrint(                                                                                                        \
        key, fallback, [](P& p) { return p.Name(); }, [](P& p, bool v) { p.Set##Name(v); })
#define QV_PRINT_TEXT(key, Name)                                                                                       \
    textPrint(                                                                                                         \
        key, [](P& p) { return p.Name(); }, [](P& p, const QString& v) { p.Set##Name(v); })
#define QV_PRINT_POSITION(key, Name)                                                                                   \
    positionPrint(                                                                                                     \
        key, [](P& p) { return p.Name(); }, [](P& p, TPrintPosition v) { p.Set##Name(v); })

const std::vector<TPrintKey>& printKeys()
{
    static const std::vector<TPrintKey> table = [] {
        std::vector<TPrintKey> k;
        k.push_back(QV_PRINT_INT("ColumnSpacing", 20, ColumnSpacing));
        k.push_back(QV_PRINT_INT("RowSpacing", 20, RowSpacing));
        k.push_back(QV_PRINT_INT("TitleSpacing", 20, TitleSpacing));
        k.push_back(QV_PRINT_INT("FixedHeight", 0, FixedHeight));
        k.push_back(QV_PRINT_INT("FixedWidth", 0, FixedWidth));
        k.push_back(QV_PRINT_YESNO("Centered", true, Centered));
        k.push_back(QV_PRINT_YESNO("NoAutoSize", false, NoAutoSize));
        k.push_back(QV_PRINT_YESNO("UseFixedHeight", false, UseFixedHeight));
        k.push_back(QV_PRINT_YESNO("UseFixedWidth", false, UseFixedWidth));
        k.push_back(QV_PRINT_YESNO("RepeatFixedRows", false, RepeatFixedRows));
        k.push_back(QV_PRINT_YESNO("RepeatFixedCols", false, RepeatFixedCols));
        k.push_back(QV_PRINT_YESNO("UseDisplFont", false, UseDisplayFont));
        k.push_back(QV_PRINT_YESNO("UseDefOrientation", false, UseDefaultOrientation));
        k.push_back(ordinalPrint(
            "Borders", 8, [](P& p) { return int(p.Borders()); }, [](P& p, int v) { p.SetBorders(TPrintBorders(v)); }));
        k.push_back(intPrint(
            "BorderColor", 0, [](P& p) { return int(p.BorderColor()); },
            [](P& p, int v) { p.SetBorderColor(TColor(quint32(v))); }));
        k.push_back(ordinalPrint(
            "BorderStyle", 6, [](P& p) { return int(p.BorderStyle()); },
            [](P& p, int v) { p.SetBorderStyle(TPenStyle(v)); }));
        k.push_back(QV_PRINT_POSITION("Date", Date));
        k.push_back(QV_PRINT_POSITION("PageNr", PageNr));
        k.push_back(QV_PRINT_POSITION("Title", Title));
        k.push_back(QV_PRINT_POSITION("Time", Time));
        k.push_back(QV_PRINT_TEXT("DateFormat", DateFormat));
        k.push_back(QV_PRINT_TEXT("TitleText", TitleText));
        k.push_back(QV_PRINT_INT("FooterSize", 100, FooterSize));
        k.push_back(QV_PRINT_INT("HeaderSize", 100, HeaderSize));
        k.push_back(QV_PRINT_INT("LeftSize", 100, LeftSize));
        k.push_back(QV_PRINT_INT("RightSize", 100, RightSize));
        k.push_back(ordinalPrint(
            "FitToPage", 4, [](P& p) { return int(p.FitToPage()); },
            [](P& p, int v) { p.SetFitToPage(TFitToPage(v)); }));
        fontPrint(
            k, "FontName", "FontSize", "FontStyle", "FontColor", [](P& p) { return p.Font(); },
            [](P& p, const TFont& f) { p.SetFont(f); });
        fontPrint(
            k, "HeaderFontName", "HeaderFontSize", "HeaderFontStyle", "HeaderFontColor",
            [](P& p) { return p.HeaderFont(); }, [](P& p, const TFont& f) { p.SetHeaderFont(f); });
        fontPrint(
            k, "FooterFontName", "FooterFontSize", "FooterFontStyle", "FooterFontColor",
            [](P& p) { return p.FooterFont(); }, [](P& p, const TFont& f) { p.SetFooterFont(f); });
        k.push_back(QV_PRINT_TEXT("PageNumSep", PageNumSep));
        k.push_back(QV_PRINT_TEXT("PageSuffix", PageSuffix));
        k.push_back(QV_PRINT_TEXT("PagePrefix", PagePrefix));
        k.push_back(ordinalPrint(
            "Orientation", 1, [](P& p) { return int(p.Orientation()); },
            [](P& p, int v) { p.SetOrientation(TPrinterOrientation(v)); }));
        k.push_back({"TitleLines", TPrintKind::TitleLines, QString(), 0,
                     [](P& p) { return p.TitleLines().join(QLatin1String("\\n")); },
                     [](P& p, const QString& v) {
                         QString t = v;
                         t.replace(QLatin1String("\\n"), QLatin1String("\r"));
                         p.SetTitleLines(t.isEmpty() ? QStringList() : platform::splitLines(t));
                     }});
        k.push_back(QV_PRINT_YESNO("PrintGraphics", false, PrintGraphics));
        return k;
    }();
    return table;
}

// Earlier versions of this program wrote the section through QSettings: its keys sorted
// (the table's order is not), texts quoted and escaped, and a section name with other
// characters than letters and digits percent-encoded. Such a file is read as it was written.
bool writtenThroughQSettings(const io::TPlainIniFile& ini, const QString& section)
{
    if (!ini.SectionExists(section)) {
        const QSettings old(ini.FileName(), QSettings::IniFormat);
        return old.childGroups().contains(section);
    }
    QStringList keys;
    for (const QString& k : ini.SectionKeys(section))
        if (std::any_of(printKeys().begin(), printKeys().end(),
                        [&](const TPrintKey& t) { return k == QLatin1String(t.key); }))
            keys << k;
    if (keys.size() < 2)
        return false;
    QStringList tableOrder;
    for (const TPrintKey& t : printKeys())
        if (keys.contains(QLatin1String(t.key)))
            tableOrder << QLatin1String(t.key);
    return std::is_sorted(keys.begin(), keys.end()) && keys != tableOrder;
}

#undef QV_PRINT_INT
#undef QV_PRINT_YESNO
#undef QV_PRINT_TEXT
#undef QV_PRINT_POSITION

} // namespace

// The plain INI format, keys in table order (io/PlainIniFile.h).
void TQvStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    io::TPlainIniFile ini(Key);
    std::vector<std::pair<QString, QString>> values;
    for (const TPrintKey& k : printKeys())
        values.emplace_back(QLatin1String(k.key), k.get(*FPrintSettings));
    ini.WriteSection(Section, values);
    ini.UpdateFile();
}

void TQvStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    const io::TPlainIniFile ini(Key);
    if (writtenThroughQSettings(ini, Section)) {
        const QSettings old(Key, QSettings::IniFormat);
        for (const TPrintKey& k : printKeys())
            k.set(*FPrintSettings,
                  inivalues::readString(old, Section + QLatin1Char('/') + QLatin1String(k.key), k.fallback));
        return;
    }
    for (const TPrintKey& k : printKeys())
        k.set(*FPrintSettings, ini.ReadString(Section, QLatin1String(k.key), k.fallback));
}

} // namespace grid
