// Integer lists, sort keys, placed controls, line lists and file pictures.

#include "grid/QvObj.h"

#include <QImageReader>
#include <QPainter>

namespace grid {

namespace {

// Reads an optional sign and digits (decimal, or hexadecimal after "$", "x" or "0x") from
// position i; answers how far it got and the value read so far.
bool readInt(QStringView s, int& i, long long& value, bool& any)
{
    const int n = int(s.size());
    bool neg = false;
    if (i < n && (s[i] == '-' || s[i] == '+')) {
        neg = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i < n && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // Accumulated without sign, so a run of digits of any length wraps instead of overflowing.
    unsigned long long acc = 0;
    any = false;
    bool overflow = false;
    while (i < n) {
        const int d = s[i].isDigit() ? s[i].unicode() - '0'
                      : (base == 16 && QChar(s[i]).toLower() >= 'a' && QChar(s[i]).toLower() <= 'f')
                          ? QChar(s[i]).toLower().unicode() - 'a' + 10
                          : -1;
        if (d < 0 || d >= base)
            break;
        acc = acc * unsigned(base) + unsigned(d);
        if (acc > 0xFFFFFFFFULL)
            overflow = true;
        any = true;
        ++i;
    }
    value = (long long)(neg ? 0 - acc : acc);
    if (base == 10 && (value > 2147483647LL || value < -2147483648LL))
        overflow = true;
    if (base == 16 && !overflow && value > 2147483647LL)
        value = int(std::uint32_t(value)); // hexadecimal texts wrap into the 32-bit range
    return !overflow;
}

} // namespace

bool StrToIntStrict(QStringView s, int& value)
{
    int i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    long long v;
    bool any;
    if (!readInt(s, i, v, any) || !any || i != s.size())
        return false;
    value = int(v);
    return true;
}

int StrToIntPrefix(QStringView s)
{
    int i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    long long v;
    bool any;
    readInt(s, i, v, any);
    return any ? int(v) : 0;
}

// ---- TIntList ------------------------------------------------------------------------------

std::unique_ptr<TObject> TIntList::Clone() const
{
    auto copy = std::make_unique<TIntList>(FCol, FRow);
    copy->items = items;
    copy->OnChange = OnChange;
    return copy;
}

void TIntList::changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

int TIntList::Add(int value)
{
    items.push_back(value);
    changed();
    return int(items.size()) - 1;
}

void TIntList::Insert(int index, int value)
{
    if (index < 0 || index > Count())
        throw EListError(index);
    items.insert(items.begin() + index, value);
}

void TIntList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    items.erase(items.begin() + index);
    changed();
}

void TIntList::DeleteValue(int value)
{
    for (int i = 0; i < Count(); ++i)
        if (items[i] == value) {
            Delete(i);
            return;
        }
}

bool TIntList::HasValue(int value) const
{
    for (int v : items)
        if (v == value)
            return true;
    return false;
}

int TIntList::GetInteger(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items[index];
}

void TIntList::SetInteger(int index, int value)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    items[index] = value;
    changed();
}

QString TIntList::StrValue() const
{
    QStringList parts;
    for (int v : items)
        parts << QString::number(v);
    return parts.join(',');
}

void TIntList::SetStrValue(const QString& value)
{
    items.clear();
    // The run-time's comma-text rules: items end at a comma or a blank, double quotes group
    // (a doubled quote inside stands for one), blanks around commas are skipped, and a comma
    // at the very end adds an empty item.
    const int n = int(value.size());
    auto blank = [&](int i) { return i < n && value[i].unicode() >= 1 && value[i].unicode() <= ' '; };
    QStringList parts;
    int i = 0;
    while (blank(i))
        ++i;
    while (i < n) {
        QString item;
        if (value[i] == '"') {
            ++i;
            while (i < n) {
                if (value[i] == '"') {
                    if (i + 1 < n && value[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += value[i++];
            }
        } else {
            const int from = i;
            while (i < n && value[i].unicode() > ' ' && value[i] != ',')
                ++i;
            item = value.mid(from, i - from);
        }
        parts << item;
        while (blank(i))
            ++i;
        if (i < n && value[i] == ',') {
            if (i + 1 == n)
                parts << QString();
            do
                ++i;
            while (blank(i));
        }
    }
    for (const QString& p : parts) {
        int v;
        if (!StrToIntStrict(p, v))
            throw EConvertError(p);
        Add(v);
    }
}

// ---- TSortIndexList ------------------------------------------------------------------------

namespace {
constexpr std::uint32_t kDescending = 0x80000000u;
}

void TSortIndexList::AddIndex(int columnIndex, bool ascending)
{
    std::uint32_t v = std::uint32_t(columnIndex);
    if (!ascending)
        v |= kDescending;
    Add(int(v));
}

int TSortIndexList::FindIndex(int columnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((std::uint32_t(items[i]) & ~kDescending) == (std::uint32_t(columnIndex) & ~kDescending))
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int columnIndex)
{
    const int i = FindIndex(columnIndex);
    if (i >= 0)
        SetInteger(i, int(std::uint32_t(items[i]) ^ kDescending));
}

int TSortIndexList::SortColumns(int i) const
{
    return int(std::uint32_t(GetInteger(i)) & ~kDescending);
}

void TSortIndexList::SetSortColumns(int i, int column)
{
    const std::uint32_t old = std::uint32_t(GetInteger(i));
    SetInteger(i, int((old & kDescending) | (std::uint32_t(column) & ~kDescending)));
}

bool TSortIndexList::SortDirections(int i) const
{
    return (std::uint32_t(GetInteger(i)) & kDescending) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool ascending)
{
    const std::uint32_t old = std::uint32_t(GetInteger(i));
    SetInteger(i, int(ascending ? (old & ~kDescending) : (old | kDescending)));
}

QString TSortIndexList::SaveToString() const
{
    QStringList keys;
    for (int v : items) {
        const std::uint32_t u = std::uint32_t(v);
        keys << QString((u & kDescending) ? "d" : "u") + QString::number(u & 0xFFFF);
    }
    return keys.join(';');
}

void TSortIndexList::LoadFromString(const QString& s)
{
    items.clear();
    QString rest = s;
    while (!rest.isEmpty()) {
        const int p = int(rest.indexOf(';'));
        QString key;
        if (p >= 0) {
            key = rest.left(p);
            rest = rest.mid(p + 1);
        } else {
            key = rest;
            rest.clear();
        }
        if (key.size() < 2)
            continue;
        AddIndex(StrToIntPrefix(key.mid(1)), key[0] == 'u');
    }
}

// ---- TControlList --------------------------------------------------------------------------

void TControlList::AddControl(int x, int y, TControl* control)
{
    items.push_back(std::make_unique<TControlItem>(x, y, control));
}

int TControlList::ControlIndex(int x, int y) const
{
    for (int i = 0; i < Count(); ++i)
        if (items[i]->X() == x && items[i]->Y() == y)
            return i;
    return -1;
}

TControlItem* TControlList::GetControl(int i) const
{
    if (i < 0 || i >= Count())
        throw EListError(i);
    return items[i].get();
}

void TControlList::RemoveControl(int i)
{
    if (i < 0 || i >= Count())
        throw EListError(i);
    items.erase(items.begin() + i);
}

bool TControlList::HasHandle(const TControl* handle) const
{
    for (const auto& it : items)
        if (it->Control() && it->Control() == handle)
            return true;
    return false;
}

// ---- TFileStringList -----------------------------------------------------------------------

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(QString& s)
{
    if (fp < 0 || fp >= Count())
        throw EListError(fp);
    s = Strings[fp++];
}

void TFileStringList::WriteLn(const QString& s)
{
    Strings << cache + s;
    cache.clear();
}

// ---- TFilePicture --------------------------------------------------------------------------

std::unique_ptr<TObject> TFilePicture::Clone() const
{
    auto copy = std::make_unique<TFilePicture>();
    copy->Assign(*this);
    return copy;
}

void TFilePicture::SetFilename(const QString& name)
{
    FFilename = name;
    QImageReader reader(name);
    const QImage img = reader.read();
    if (img.isNull())
        throw EInvalidGraphic(name);
    FWidth = img.width();
    FHeight = img.height();
}

void TFilePicture::DrawPicture(QPainter& canvas, const TRect& r) const
{
    if (FFilename.isEmpty())
        return;
    const QImage img(FFilename);
    if (!img.isNull())
        canvas.drawImage(r.toQRect(), img);
}

void TFilePicture::Assign(const TPersistent& source)
{
    if (auto* src = dynamic_cast<const TFilePicture*>(&source)) {
        FFilename = src->FFilename;
        FWidth = src->FWidth;
        FHeight = src->FHeight;
    }
}

} // namespace grid
