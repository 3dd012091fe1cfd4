// The sort engine: the comparison table (a row per TSortStyle), the sort run TGridSorter that
// reads each row's key once and orders an array of the rows, and applying a row order to the
// grid in one pass.
//
// A sort reads each row's key once (TCellKey, shaped by the column's rule in kStyleRules),
// orders an array of the rows by those keys with a partition sort whose loops are bounded by
// the range, so that a comparison that is no consistent order (mixed ssAutomatic texts, an
// OnCustomCompare answering at random) can only give a strange order, never a read outside the
// range; then the rows move into the new order in one pass (applyRowOrder). Only ssCustom,
// ssRaw and the mixed automatic and alpha-numeric columns decide per pair of keys. The grid is
// not touched before the order is known, so an exception in a comparison leaves every row
// where it was.

#include "grid/QvGrid.h"
#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/ZirAzur.h"
#include "grid/sort/GridSort.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <vector>

namespace grid {

using namespace ZirAzur;

namespace {

// How a column's two keys are compared.
enum class TKeyKind {
    Number,   // one number per cell
    Text,     // code-unit order of the key texts
    Collated, // the locale's order of the key texts
    Pair,     // the style is chosen per pair (ssAutomatic, the alpha-numeric styles)
    Custom,   // OnCustomCompare with the two texts
    Raw,      // OnRawCompare with the two rows
};

// What is read of a cell into its key.
enum class TKeyValue { None, Numeric, Financial, Date, EUDate, USDate, Time, Image, Check, Automatic, AlphaNumeric };

// How the key text is formed from the cell text.
enum class TKeyText { None, Plain, UpperAZ, Stripped, ByCase };

struct TStyleRule {
    TKeyKind kind;
    TKeyValue value;
    TKeyText text;
};

// One row per TSortStyle, in the enumeration's order. ByCase: upper-cased when IgnoreCase is
// on (the alphabetic style ssAutomatic falls back to).
constexpr TStyleRule kStyleRules[] = {
    /* ssAutomatic          */ {TKeyKind::Pair, TKeyValue::Automatic, TKeyText::ByCase},
    /* ssAlphabetic         */ {TKeyKind::Text, TKeyValue::None, TKeyText::Plain},
    /* ssNumeric            */ {TKeyKind::Number, TKeyValue::Numeric, TKeyText::None},
    /* ssDate               */ {TKeyKind::Number, TKeyValue::Date, TKeyText::None},
    /* ssAlphaNoCase        */ {TKeyKind::Text, TKeyValue::None, TKeyText::UpperAZ},
    /* ssAlphaCase          */ {TKeyKind::Text, TKeyValue::None, TKeyText::Plain},
    /* ssShortDateEU        */ {TKeyKind::Number, TKeyValue::EUDate, TKeyText::None},
    /* ssShortDateUS        */ {TKeyKind::Number, TKeyValue::USDate, TKeyText::None},
    /* ssCustom             */ {TKeyKind::Custom, TKeyValue::None, TKeyText::Plain},
    /* ssFinancial          */ {TKeyKind::Number, TKeyValue::Financial, TKeyText::None},
    /* ssAnsiAlphaCase      */ {TKeyKind::Collated, TKeyValue::None, TKeyText::Plain},
    /* ssAnsiAlphaNoCase    */ {TKeyKind::Collated, TKeyValue::None, TKeyText::Plain},
    /* ssRaw                */ {TKeyKind::Raw, TKeyValue::None, TKeyText::None},
    /* ssHTML               */ {TKeyKind::Text, TKeyValue::None, TKeyText::Stripped},
    /* ssImages             */ {TKeyKind::Number, TKeyValue::Image, TKeyText::None},
    /* ssCheckBox           */ {TKeyKind::Number, TKeyValue::Check, TKeyText::None},
    /* ssDateTime           */ {TKeyKind::Number, TKeyValue::Date, TKeyText::None},
    /* ssTime               */ {TKeyKind::Number, TKeyValue::Time, TKeyText::None},
    /* ssAlphaNumeric       */ {TKeyKind::Pair, TKeyValue::AlphaNumeric, TKeyText::Plain},
    /* ssAlphaNumericNoCase */ {TKeyKind::Pair, TKeyValue::AlphaNumeric, TKeyText::UpperAZ},
};
static_assert(std::size(kStyleRules) == ssAlphaNumericNoCase + 1);

// One cell as the comparisons see it.
struct TCellKey {
    QString text;      // the key text (also what OnCustomCompare receives)
    double number = 0; // the number of a numeric, date, image or check-box column
    double date = 0;   // automatic columns: the value as a date, as a time, the check state
    double time = 0;
    double check = 0;
    bool empty = false;    // the text read was empty (blank placement)
    bool isNumber = false; // number kind 0, 1 or 5
    bool isCheck = false, dateLike = false, timeLike = false, hasDateSep = false, hasTimeSep = false;
};

int sign(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// "12/..." or "1/...": the separator first stands at position 2 or 3 between two digits.
bool separatorLeads(const QString& t, QChar sep)
{
    const qsizetype i = t.indexOf(sep);
    return (i == 1 || i == 2) && i + 1 < t.size() && CharIsDigit(t[i - 1]) && CharIsDigit(t[i + 1]);
}

QString upperAZ(QString t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'a' && c <= u'z')
            t[i] = QChar(char16_t(c - (u'a' - u'A')));
    }
    return t;
}

void removeFirst(QString& t, const QString& part)
{
    if (part.isEmpty())
        return;
    const qsizetype i = t.indexOf(part);
    if (i >= 0)
        t.remove(i, part.size());
}

int blankResult(bool firstEmpty, bool ascending, TSortBlankPosition pos)
{
    int r = pos == blLast ? 1 : -1; // the empty text's place in an ascending comparison
    if (!ascending)
        r = -r;
    return firstEmpty ? r : -r;
}

} // namespace

// What stays put around a sort and comes back on every path, exceptions included.
TSortBracket::TSortBracket(TQvStringGrid& g, bool footer) : g(g), footer(footer)
{
    const auto& ss = g.SortSettings();
    if (ss.NormalCellsOnly() && g.FixedCols() > 0) {
        keepCol0 = true;
        col0.reserve(std::size_t(g.RowCount()));
        for (int r = 0; r < g.RowCount(); ++r)
            col0.push_back(g.store.Text(0, r));
    }
    topRow = g.TopRow();
    // The floating footer's last row is a footer row like the fixed footers.
    int footers = g.FixedFooters();
    if (g.FloatingFooter.Visible() && g.FloatingFooter.FooterStyle() == TQvStringGrid::fsFixedLastRow)
        footers = std::max(footers, 1);
    first = g.FixedRows();
    last = g.RowCount() - footers - 1;
    g.BeginUpdate();
    footerVisible = g.FloatingFooter.Visible();
    fixedFooters = g.FixedFooters();
    if (footer)
        g.FloatingFooter.SetVisible(false);
}

void TSortBracket::restore()
{
    if (keepCol0)
        for (int r = 0; r < int(col0.size()) && r < g.RowCount(); ++r)
            g.store.SetText(0, r, col0[std::size_t(r)]);
    if (g.Navigation().KeepScrollOnSort() && topRow < g.RowCount())
        g.SetTopRow(topRow);
    if (footer)
        g.FloatingFooter.SetVisible(footerVisible);
    if (g.FixedFooters() != fixedFooters)
        g.SetFixedFooters(fixedFooters);
    g.EndUpdate();
}

// One sort run over rows first..last: the key columns with their rules, the keys read, the
// comparisons and the partition sort.
class TGridSorter {
public:
    // Single-column order from col on (each following column a tie-break key with Full), or
    // the key list of SortIndexes.
    TGridSorter(TQvStringGrid& g, int first, int last, bool indexed, int col)
        : g(g), ss(g.SortSettings()), first(first), last(last), indexed(indexed)
    {
        if (indexed) {
            const TSortIndexList& keys = g.SortIndexes();
            for (int i = 0; i < keys.Count(); ++i)
                keyList.push_back({keys.SortColumns(i), keys.SortDirections(i), !keys.SortDirections(i)});
        } else {
            const bool ascending = ss.Direction() != sdDescending;
            for (int c = col; c < g.TotalColCount(); ++c)
                keyList.push_back({c, ascending, false});
        }
        columns.resize(keyList.size());
        pairLimit = 256 + std::max(0, last - first + 1) / 16;
        virtualCells = ss.SortOnVirtualCells();
        dateSep = LocaleDateSeparator();
        timeSep = LocaleTimeSeparator();
        decSep = LocaleDecimalSeparator();
        thousandSep = LocaleThousandSeparator();
    }

    int keyCount() const { return int(keyList.size()); }

    // The order of the range as source rows: the row at first + k is to be from[k].
    std::vector<int> order()
    {
        const int n = last - first + 1;
        std::vector<int> from;
        if (n <= 0)
            return from;
        std::vector<TEntry> entries(static_cast<std::size_t>(n));
        TColumn* primary = keyList.empty() ? nullptr : &column(0);
        if (primary && !primary->ignored)
            readPrimary(*primary, entries);
        else
            for (int i = 0; i < n; ++i)
                entries[std::size_t(i)].row = i;
        const int target = indexed ? 1 : (ss.Direction() == sdDescending ? -1 : 1);
        if (!indexed)
            g.SortDir = target;
        int depth = 2;
        for (int m = n; m > 1; m >>= 1)
            depth += 2;
        partitionSort(entries, 0, n - 1, target, depth);
        from.resize(std::size_t(n));
        for (int k = 0; k < n; ++k)
            from[std::size_t(k)] = first + entries[std::size_t(k)].row;
        return from;
    }

    // Rows compared without a sort run (CompareRows, SortLine): every key read per pair.
    int compareRows(int rowA, int rowB, int fromKey)
    {
        for (int k = fromKey; k < keyCount(); ++k) {
            TColumn& c = column(k);
            int r = c.ignored ? 0 : compareKeys(c, readKey(c, rowA), readKey(c, rowB), rowA, rowB);
            if (c.key.negate)
                r = -r;
            if (r != 0 || !ss.Full())
                return r;
        }
        return 0;
    }

    int compareCells(int col, int rowA, int rowB, bool ascending)
    {
        TColumn c;
        setUp(c, {col, ascending, false});
        return compareKeys(c, readKey(c, rowA), readKey(c, rowB), rowA, rowB);
    }

private:
    struct TKeyDef {
        int col;
        bool ascending; // where empty cells go with IgnoreBlanks
        bool negate;    // a descending key of the key list
    };

    struct TColumn {
        TKeyDef key{};
        bool ready = false;
        bool ignored = false;
        TSortStyle style = ssAutomatic;
        TStyleRule rule{};
        TKeyKind kind = TKeyKind::Text;
        QString prefix, suffix;
        bool upper = false;
        std::unique_ptr<QCollator> collator;
        std::vector<TCellKey> keys; // by row - first, once read for the whole range
        int pairReads = 0;
    };

    // One row of the array being sorted; the primary key sits inside for the plain rules.
    struct TEntry {
        double number = 0;
        QStringView text;
        int row = 0; // row - first
        bool empty = false;
    };

    TColumn& column(int k)
    {
        TColumn& c = columns[std::size_t(k)];
        if (!c.ready)
            setUp(c, keyList[std::size_t(k)]);
        return c;
    }

    void setUp(TColumn& c, const TKeyDef& key)
    {
        c.key = key;
        c.ready = true;
        c.ignored = g.IsIgnoredColumn(key.col);
        TSortStyle style = ss.AutoFormat() ? ssAutomatic : (ss.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
        g.GetCellFormat(key.col, style, c.prefix, c.suffix);
        if (style < ssAutomatic || style > ssAlphaNumericNoCase)
            style = ssAlphabetic;
        c.style = style;
        c.rule = kStyleRules[style];
        c.kind = c.rule.kind;
        c.upper = c.rule.text == TKeyText::UpperAZ || (c.rule.text == TKeyText::ByCase && ss.IgnoreCase());
        if (c.kind == TKeyKind::Collated) {
            c.collator = std::make_unique<QCollator>(QLocale());
            c.collator->setCaseSensitivity(style == ssAnsiAlphaNoCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
        }
    }

    QString cellText(const TColumn& c, int row) const
    {
        if (c.rule.text == TKeyText::Stripped)
            return g.GetStrippedCell(c.key.col, row);
        return virtualCells ? g.Cells(c.key.col, row) : g.GetGridCell(c.key.col, row);
    }

    double numberOf(QString t, bool financial) const
    {
        removeFirst(t, suffixOf);
        removeFirst(t, prefixOf);
        if (financial && !thousandSep.isNull())
            t.remove(thousandSep);
        if (decSep != QLatin1Char('.')) {
            const qsizetype i = t.indexOf(decSep);
            if (i >= 0)
                t[i] = QLatin1Char('.');
        }
        double v = 0;
        // A text that is no number counts as 0, as an empty one does, so every text has one
        // value and the order stays consistent.
        if (TextToFloat(t, v) != 0 || !std::isfinite(v))
            return 0;
        return v;
    }

    static double guarded(TDateTime (*convert)(const QString&), const QString& t)
    {
        try {
            return convert(t);
        } catch (const std::exception&) {
            return 0; // a conversion failing inside a comparison counts as 0
        }
    }

    double dateOf(const QString& t) const
    {
        TDateTime v = 0;
        return ParseLocaleDate(t.trimmed(), v) ? v : 0;
    }

    // The platform's time reading: hours and minutes, optional seconds, separated by the
    // locale's time separator, optionally followed by AM or PM.
    double timeOf(const QString& t) const
    {
        QString s = t.trimmed();
        bool twelveHours = false, pm = false;
        if (s.endsWith(QLatin1String("AM"), Qt::CaseInsensitive)
            || s.endsWith(QLatin1String("PM"), Qt::CaseInsensitive)) {
            twelveHours = true;
            pm = s.endsWith(QLatin1String("PM"), Qt::CaseInsensitive);
            s.chop(2);
            s = s.trimmed();
            if (s.isEmpty())
                return 0;
        }
        const QStringList parts = s.split(timeSep);
        if (parts.size() < 2 || parts.size() > 3)
            return 0;
        int v[3] = {0, 0, 0};
        for (qsizetype i = 0; i < parts.size(); ++i) {
            bool ok = false;
            v[i] = parts[i].toInt(&ok);
            if (!ok || v[i] < 0 || parts[i].contains(QLatin1Char('+')))
                return 0;
        }
        if (twelveHours) {
            if (v[0] < 1 || v[0] > 12)
                return 0;
            v[0] = v[0] % 12 + (pm ? 12 : 0);
        }
        if (v[0] > 23 || v[1] > 59 || v[2] > 59)
            return 0;
        return (v[0] * 3600 + v[1] * 60 + v[2]) / 86400.0;
    }

    double checkOf(int col, int row) const
    {
        bool state = false;
        g.GetCheckBoxState(col, g.RealRowIndex(row), state);
        return state ? 1 : 0;
    }

    double imageOf(int col, int row) const
    {
        const TCellGraphic* gr = g.GetCellGraphic(col, row);
        if (!gr)
            return -1;
        switch (gr->FCellType) {
        case ctImageList:
            return gr->FCellIndex;
        case ctBitmap:
            return double(reinterpret_cast<quintptr>(gr->FCellBitmap));
        case ctIcon:
            return double(reinterpret_cast<quintptr>(gr->FCellIcon));
        default:
            return -1;
        }
    }

    TCellKey readKey(TColumn& c, int row)
    {
        TCellKey k;
        const int col = c.key.col;
        QString t = cellText(c, row);
        k.empty = t.isEmpty();
        prefixOf = c.prefix;
        suffixOf = c.suffix;
        switch (c.rule.value) {
        case TKeyValue::None:
            break;
        case TKeyValue::Numeric:
        case TKeyValue::Financial:
            k.number = numberOf(t, c.rule.value == TKeyValue::Financial);
            break;
        case TKeyValue::Date:
            k.number = dateOf(t);
            break;
        case TKeyValue::EUDate:
            k.number = guarded(&EUDateToDate, t);
            break;
        case TKeyValue::USDate:
            k.number = guarded(&USDateToDate, t);
            break;
        case TKeyValue::Time:
            k.number = timeOf(t);
            break;
        case TKeyValue::Image:
            k.number = imageOf(col, row);
            break;
        case TKeyValue::Check:
            k.number = checkOf(col, row);
            break;
        case TKeyValue::AlphaNumeric:
            k.isNumber = isNumberKind(t);
            if (k.isNumber)
                k.number = numberOf(t, false);
            break;
        case TKeyValue::Automatic: {
            const TCellType type = g.GetCellType(col, row);
            k.isCheck = type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox;
            if (k.isCheck)
                k.check = checkOf(col, row);
            k.isNumber = isNumberKind(t);
            k.number = numberOf(t, false);
            k.hasDateSep = t.contains(dateSep);
            k.hasTimeSep = t.contains(timeSep);
            k.dateLike = k.hasDateSep && separatorLeads(t, dateSep);
            k.timeLike = k.hasTimeSep && separatorLeads(t, timeSep);
            if (k.hasDateSep)
                k.date = dateOf(t);
            if (k.hasTimeSep)
                k.time = timeOf(t);
            break;
        }
        }
        if (c.rule.text != TKeyText::None)
            k.text = c.upper ? upperAZ(std::move(t)) : std::move(t);
        return k;
    }

    static bool isNumberKind(const QString& t)
    {
        const int kind = GetNumberTextKind(t);
        return kind == ntkInteger || kind == ntkDecimal || kind == ntkExponent;
    }

    // The style an automatic or alpha-numeric pair is compared by; the first key decides, the
    // second only confirms dates and times.
    TSortStyle pairStyle(const TColumn& c, const TCellKey& a, const TCellKey& b) const
    {
        const TSortStyle alpha = c.upper ? ssAlphaNoCase : ssAlphabetic;
        if (c.rule.value == TKeyValue::AlphaNumeric)
            return a.isNumber && b.isNumber ? ssNumeric : alpha;
        if (a.isCheck)
            return ssCheckBox;
        if (a.isNumber)
            return ssNumeric;
        if (a.dateLike)
            return b.hasDateSep ? (a.hasTimeSep ? ssDateTime : ssDate) : alpha;
        if (a.timeLike && b.hasTimeSep)
            return ssTime;
        return alpha;
    }

    // CompareSortCells over two keys: +1, 0 or -1 before the key's negation.
    int compareKeys(TColumn& c, const TCellKey& a, const TCellKey& b, int rowA, int rowB)
    {
        ++g.Compares;
        if (ss.IgnoreBlanks() && a.empty != b.empty)
            return blankResult(a.empty, c.key.ascending, ss.BlankPos());
        switch (c.kind) {
        case TKeyKind::Number:
            return sign(a.number, b.number);
        case TKeyKind::Text:
            return sign(QStringView(a.text).compare(QStringView(b.text)));
        case TKeyKind::Collated:
            return sign(c.collator->compare(a.text, b.text));
        case TKeyKind::Custom: {
            int res = 0;
            if (g.OnCustomCompare)
                g.OnCustomCompare(&g, a.text, b.text, res);
            return sign(res);
        }
        case TKeyKind::Raw: {
            int res = 0;
            if (g.OnRawCompare)
                g.OnRawCompare(&g, c.key.col, rowA, rowB, res);
            return sign(res);
        }
        case TKeyKind::Pair:
            switch (pairStyle(c, a, b)) {
            case ssCheckBox:
                return sign(a.check, b.check);
            case ssNumeric:
                return sign(a.number, b.number);
            case ssDate:
            case ssDateTime:
                return sign(a.date, b.date);
            case ssTime:
                return sign(a.time, b.time);
            default:
                return sign(QStringView(a.text).compare(QStringView(b.text)));
            }
        }
        return 0;
    }

    // A key of the range read for both rows: per pair while few such comparisons came, then
    // once for the whole range (a tie-break column that decides often).
    int compareColumn(TColumn& c, int offA, int offB)
    {
        if (c.keys.empty() && ++c.pairReads > pairLimit)
            readAll(c);
        if (!c.keys.empty())
            return compareKeys(c, c.keys[std::size_t(offA)], c.keys[std::size_t(offB)], first + offA, first + offB);
        return compareKeys(c, readKey(c, first + offA), readKey(c, first + offB), first + offA, first + offB);
    }

    void readAll(TColumn& c)
    {
        const int n = last - first + 1;
        c.keys.reserve(std::size_t(n));
        for (int r = first; r <= last; ++r)
            c.keys.push_back(readKey(c, r));
        // An automatic or alpha-numeric column whose keys all fall into one class is compared
        // by that class's rule alone.
        if (c.kind != TKeyKind::Pair)
            return;
        bool allCheck = true, anyCheck = false, allNumber = true, anyNumber = false, anyDateTime = false;
        for (const TCellKey& k : c.keys) {
            allCheck = allCheck && k.isCheck;
            anyCheck = anyCheck || k.isCheck;
            allNumber = allNumber && k.isNumber;
            anyNumber = anyNumber || k.isNumber;
            anyDateTime = anyDateTime || k.dateLike || k.timeLike;
        }
        if (c.rule.value == TKeyValue::AlphaNumeric) {
            if (allNumber)
                c.kind = TKeyKind::Number;
            else if (!anyNumber)
                c.kind = TKeyKind::Text;
            return;
        }
        if (allCheck) {
            for (TCellKey& k : c.keys)
                k.number = k.check;
            c.kind = TKeyKind::Number;
        } else if (!anyCheck && allNumber) {
            c.kind = TKeyKind::Number;
        } else if (!anyCheck && !anyNumber && !anyDateTime) {
            c.kind = TKeyKind::Text;
        }
    }

    void readPrimary(TColumn& c, std::vector<TEntry>& entries)
    {
        // A column of one fixed plain rule goes straight into the entries (its texts kept
        // aside for the views); the others keep their whole keys.
        if (c.kind == TKeyKind::Number || c.kind == TKeyKind::Text || c.kind == TKeyKind::Collated) {
            if (c.kind != TKeyKind::Number)
                primaryTexts.resize(entries.size());
            for (std::size_t i = 0; i < entries.size(); ++i) {
                TCellKey k = readKey(c, first + int(i));
                TEntry& e = entries[i];
                e.row = int(i);
                e.number = k.number;
                e.empty = k.empty;
                if (c.kind != TKeyKind::Number) {
                    primaryTexts[i] = std::move(k.text);
                    e.text = QStringView(primaryTexts[i]);
                }
            }
            primaryInline = true;
            c.pairReads = -1; // never read again: the entries hold everything
            return;
        }
        readAll(c);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            TEntry& e = entries[i];
            const TCellKey& k = c.keys[i];
            e.row = int(i);
            e.number = k.number;
            e.text = QStringView(k.text);
            e.empty = k.empty;
        }
        // A mixed column that turned out to be of one class compares inline as well.
        primaryInline = c.kind == TKeyKind::Number || c.kind == TKeyKind::Text || c.kind == TKeyKind::Collated;
    }

    int comparePrimary(const TEntry& a, const TEntry& b)
    {
        TColumn& c = columns[0];
        if (c.ignored)
            return 0;
        int r;
        if (!primaryInline) {
            r = compareColumn(c, a.row, b.row);
        } else {
            ++g.Compares;
            if (ss.IgnoreBlanks() && a.empty != b.empty)
                r = blankResult(a.empty, c.key.ascending, ss.BlankPos());
            else if (c.kind == TKeyKind::Number)
                r = sign(a.number, b.number);
            else if (c.kind == TKeyKind::Text)
                r = sign(a.text.compare(b.text));
            else
                r = sign(c.collator->compare(a.text, b.text));
        }
        return c.key.negate ? -r : r;
    }

    int compare(const TEntry& a, const TEntry& b)
    {
        // The pivot meets its own row in every pass: equal, without a look at the tie-break
        // columns.
        if (keyList.empty() || a.row == b.row)
            return 0;
        int r = comparePrimary(a, b);
        if (r != 0 || !ss.Full())
            return r;
        for (int k = 1; k < keyCount(); ++k) {
            TColumn& c = column(k);
            r = c.ignored ? 0 : compareColumn(c, a.row, b.row);
            if (c.key.negate)
                r = -r;
            if (r != 0)
                return r;
        }
        return 0;
    }

    // a belongs after b in the order being made.
    bool after(const TEntry& a, const TEntry& b, int target) { return compare(a, b) == target; }

    void swapEntries(std::vector<TEntry>& e, int i, int j)
    {
        std::swap(e[std::size_t(i)], e[std::size_t(j)]);
        ++g.Swaps;
    }

    // The partition pass: a copy of the middle entry as pivot, both scans bounded by the range,
    // equal entries swapped only by the indexed sort. The smaller side recurses, the larger one
    // loops, and a range still unsorted after `depth` passes is heap-sorted, so neither the
    // stack nor the time can run away on any pattern of answers.
    void partitionSort(std::vector<TEntry>& e, int start, int end, int target, int depth)
    {
        while (start < end) {
            if (depth-- <= 0) {
                heapSort(e, start, end, target);
                return;
            }
            const TEntry pivot = e[std::size_t((start + end) / 2)];
            int i = start, j = end;
            do {
                while (i < end && after(pivot, e[std::size_t(i)], target))
                    ++i;
                while (j > start && after(e[std::size_t(j)], pivot, target))
                    --j;
                if (i <= j) {
                    if (i != j && (indexed || compare(e[std::size_t(i)], e[std::size_t(j)]) != 0))
                        swapEntries(e, i, j);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - start < end - i) {
                partitionSort(e, start, j, target, depth);
                start = i;
            } else {
                partitionSort(e, i, end, target, depth);
                end = j;
            }
        }
    }

    void siftDown(std::vector<TEntry>& e, int base, int root, int count, int target)
    {
        for (;;) {
            int child = 2 * root + 1;
            if (child >= count)
                return;
            if (child + 1 < count && after(e[std::size_t(base + child + 1)], e[std::size_t(base + child)], target))
                ++child;
            if (!after(e[std::size_t(base + child)], e[std::size_t(base + root)], target))
                return;
            swapEntries(e, base + root, base + child);
            root = child;
        }
    }

    void heapSort(std::vector<TEntry>& e, int start, int end, int target)
    {
        const int count = end - start + 1;
        for (int i = count / 2 - 1; i >= 0; --i)
            siftDown(e, start, i, count, target);
        for (int n = count - 1; n > 0; --n) {
            swapEntries(e, start, start + n);
            siftDown(e, start, 0, n, target);
        }
    }

    TQvStringGrid& g;
    TSortSettings& ss;
    int first, last;
    bool indexed;
    std::vector<TKeyDef> keyList;
    std::vector<TColumn> columns;
    bool primaryInline = false;
    std::vector<QString> primaryTexts; // the texts the entries view, for the plain text rules
    int pairLimit = 0;
    bool virtualCells = true;
    QChar dateSep, timeSep, decSep, thousandSep;
    QString prefixOf, suffixOf; // of the column being read
};

// ---- the engine's entry points ------------------------------------------------------------------

std::vector<int> sortedRowOrder(TQvStringGrid& g, int first, int last, bool indexed, int col)
{
    TGridSorter sorter(g, first, last, indexed, col);
    return sorter.order();
}

int compareSortCells(TQvStringGrid& g, int col, int row1, int row2, bool ascending)
{
    TGridSorter sorter(g, 0, -1, false, col);
    return sorter.compareCells(col, row1, row2, ascending);
}

int compareSortRows(TQvStringGrid& g, int col, int row1, int row2, bool indexed, int fromKey)
{
    TGridSorter sorter(g, 0, -1, indexed, col);
    return sorter.compareRows(row1, row2, fromKey);
}

// ---- the sort state ------------------------------------------------------------------------------

void TSortState::initXRef(int rows)
{
    RowXRef.Clear();
    for (int r = 0; r < rows; ++r)
        RowXRef.Add(r);
}

void TSortState::permuteXRef(const std::vector<int>& at, const std::vector<int>& from)
{
    if (at.empty() || RowXRef.Count() <= at.back())
        return;
    std::vector<int> xref(from.size());
    for (std::size_t k = 0; k < from.size(); ++k)
        xref[k] = RowXRef.GetInteger(from[k]);
    for (std::size_t k = 0; k < at.size(); ++k)
        RowXRef.SetInteger(at[k], xref[k]);
}

// ---- applying an order -----------------------------------------------------------------------

void TQvStringGrid::applyRowOrder(const std::vector<int>& at, const std::vector<int>& from, int sortCol)
{
    if (at.empty())
        return;
    const auto& ss = SortSettings();
    FSortState->permuteXRef(at, from);
    if (ss.SingleColumn()) {
        // Only the sort column's texts and cell objects move; heights and flags stay.
        if (sortCol < 0 || sortCol >= TotalColCount())
            return;
        std::vector<QString> texts(from.size());
        std::vector<TObject*> objects(from.size());
        for (std::size_t k = 0; k < from.size(); ++k) {
            texts[k] = store.Text(sortCol, from[k]);
            objects[k] = store.Object(sortCol, from[k]);
        }
        for (std::size_t k = 0; k < at.size(); ++k) {
            store.SetText(sortCol, at[k], texts[k]);
            store.SetObject(sortCol, at[k], objects[k]);
        }
        Invalidate();
        return;
    }
    // Index in `at` of every source row (from is a permutation of at).
    const bool contiguous = at.back() - at.front() + 1 == int(at.size());
    auto indexOf = [&](int row) {
        return contiguous ? std::size_t(row - at.front())
                          : std::size_t(std::lower_bound(at.begin(), at.end(), row) - at.begin());
    };
    PermuteStoreRows(at, from);
    for (std::size_t k = 0; k < from.size(); ++k)
        if (from[k] == SortRow) {
            SortRow = at[k];
            break;
        }
    // Flags and cell controls are kept by real row.
    const std::vector<int> realAt = FGridItems.empty() ? at : realRowsOf(at);
    std::vector<int> realFrom(from.size());
    for (std::size_t k = 0; k < from.size(); ++k)
        realFrom[k] = realAt[indexOf(from[k])];
    unsigned lists = TRowSideData::lsModified | TRowSideData::lsEnabled | TRowSideData::lsControls;
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort())
        lists |= TRowSideData::lsSelection;
    FRowData->permute(realAt, realFrom, lists);
}

void TQvStringGrid::sortRange(int first, int last, bool indexed, int col)
{
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    if (first >= last)
        return;
    if (indexed && FSortState->Indexes.Count() == 0)
        return;
    const std::vector<int> from = sortedRowOrder(*this, first, last, indexed, col);
    std::vector<int> at(from.size());
    bool moved = false;
    for (std::size_t k = 0; k < at.size(); ++k) {
        at[k] = first + int(k);
        moved = moved || from[k] != at[k];
    }
    if (moved)
        applyRowOrder(at, from, col);
}

} // namespace grid
