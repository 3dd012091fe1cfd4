#include "grid/store/RowSideData.h"
#include "grid/store/SortedIndex.h"

#include <QWidget>

#include <algorithm>

namespace grid {

namespace {

// Drops the entries at the given positions (ascending) in one pass.
template <class V>
void eraseAt(V& v, const std::vector<int>& at)
{
    std::size_t out = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        while (k < at.size() && at[k] < int(i))
            ++k;
        if (k < at.size() && at[k] == int(i))
            continue;
        if (out != i)
            v[out] = std::move(v[i]);
        ++out;
    }
    v.resize(out);
}

std::vector<int> valuesOf(const TIntList& list)
{
    std::vector<int> v(std::size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        v[std::size_t(i)] = list.GetInteger(i);
    return v;
}

void assign(TIntList& list, const std::vector<int>& v)
{
    list.Clear();
    for (int x : v)
        list.Add(x);
}

void eraseAt(TIntList& list, const std::vector<int>& at)
{
    if (at.empty() || at.front() >= list.Count())
        return;
    std::vector<int> v = valuesOf(list);
    eraseAt(v, at);
    assign(list, v);
}

// Nothing is inserted beyond the list: flags exist only as far as a row was ever flagged.
void insertZeros(TIntList& list, int at, int count)
{
    if (at < 0 || at >= list.Count())
        return;
    for (int k = 0; k < count; ++k)
        list.Insert(at, 0);
}

// A zero goes in before each listed real row the list reaches (ascending), in one pass.
template <class V>
void insertZerosBefore(V& list, const std::vector<int>& real)
{
    if (real.empty() || real.front() >= int(list.size()))
        return;
    V v;
    v.reserve(list.size() + real.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (; k < real.size() && real[k] == int(i); ++k)
            v.push_back(0);
        v.push_back(list[i]);
    }
    list.swap(v);
}

void insertZerosBefore(TIntList& list, const std::vector<int>& real)
{
    if (real.empty() || real.front() >= list.Count())
        return;
    std::vector<int> v = valuesOf(list);
    insertZerosBefore(v, real);
    assign(list, v);
}

// The index an entry at i has after the entry at from moved to to.
int followMove(int i, int from, int to)
{
    if (i == from)
        return to;
    if (from < to && i > from && i <= to)
        return i - 1;
    if (to < from && i >= to && i < from)
        return i + 1;
    return i;
}

// Takes the flag at from out and puts it in at to, the flags between closing up. A list
// that never reached either index gets its missing flags as zeros first.
void moveFlag(TIntList& list, int from, int to)
{
    if (from == to || from < 0 || to < 0 || list.Count() == 0)
        return;
    while (list.Count() <= std::max(from, to))
        list.Add(0);
    const int v = list.GetInteger(from);
    list.Delete(from);
    list.Insert(to, v);
}

void moveFlag(std::vector<char>& list, int from, int to)
{
    if (from == to || from < 0 || to < 0 || list.empty())
        return;
    if (int(list.size()) <= std::max(from, to))
        list.resize(std::size_t(std::max(from, to)) + 1, 0);
    const char v = list[std::size_t(from)];
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, v);
}

// The flag list's values follow the permutation; flags beyond the list's end are zero and
// the list grows only for a non-zero flag.
void permuteList(TIntList& list, const std::vector<int>& realAt, const std::vector<int>& realFrom)
{
    if (list.Count() <= realAt.front())
        return;
    std::vector<int> values(realFrom.size());
    for (std::size_t k = 0; k < realFrom.size(); ++k)
        values[k] = realFrom[k] < list.Count() ? list.GetInteger(realFrom[k]) : 0;
    for (std::size_t k = 0; k < realAt.size(); ++k) {
        if (realAt[k] >= list.Count()) {
            if (values[k] == 0)
                continue;
            while (list.Count() <= realAt[k])
                list.Add(0);
        }
        list.SetInteger(realAt[k], values[k]);
    }
}

} // namespace

void TRowSideData::insert(int at, int count, bool moveControls)
{
    if (count <= 0)
        return;
    insertZeros(Modified, at, count);
    insertZeros(Enabled, at, count);
    if (at >= 0 && at < int(RowSelect.size()))
        RowSelect.insert(RowSelect.begin() + at, std::size_t(count), char(0));
    for (int i = 0; i < SelectedRows.Count(); ++i)
        if (SelectedRows.GetInteger(i) >= at)
            SelectedRows.SetInteger(i, SelectedRows.GetInteger(i) + count);
    if (moveControls)
        for (int i = 0; i < Controls.Count(); ++i) {
            TControlItem* item = Controls.GetControl(i);
            if (item->Y() >= at)
                item->SetY(item->Y() + count);
        }
}

void TRowSideData::insertBefore(const std::vector<int>& real)
{
    if (real.empty())
        return;
    auto shift = [&real](int r) { return r + int(std::upper_bound(real.begin(), real.end(), r) - real.begin()); };
    insertZerosBefore(Modified, real);
    insertZerosBefore(Enabled, real);
    insertZerosBefore(RowSelect, real);
    for (int i = 0; i < SelectedRows.Count(); ++i)
        SelectedRows.SetInteger(i, shift(SelectedRows.GetInteger(i)));
    for (int i = 0; i < Controls.Count(); ++i) {
        TControlItem* item = Controls.GetControl(i);
        item->SetY(shift(item->Y()));
    }
}

void TRowSideData::remove(const std::vector<int>& real, std::vector<TControlItem>* taken)
{
    if (real.empty())
        return;
    for (int i = Controls.Count() - 1; i >= 0; --i) {
        TControlItem* item = Controls.GetControl(i);
        const int y = item->Y();
        if (std::binary_search(real.begin(), real.end(), y)) {
            if (taken)
                taken->push_back(*item);
            else if (TControl* c = item->Control())
                c->hide();
            Controls.RemoveControl(i);
        } else {
            item->SetY(y - countBelow(real, y));
        }
    }
    eraseAt(Modified, real);
    eraseAt(Enabled, real);
    eraseAt(RowSelect, real);
    std::vector<int> selected;
    for (int v : valuesOf(SelectedRows))
        if (!std::binary_search(real.begin(), real.end(), v))
            selected.push_back(v - countBelow(real, v));
    assign(SelectedRows, selected);
}

void TRowSideData::permute(const std::vector<int>& realAt, const std::vector<int>& realFrom, unsigned lists)
{
    if (realAt.empty())
        return;
    if (lists & lsModified)
        permuteList(Modified, realAt, realFrom);
    if (lists & lsEnabled)
        permuteList(Enabled, realAt, realFrom);
    const bool followRows =
        ((lists & lsSelection) && SelectedRows.Count() > 0) || ((lists & lsControls) && Controls.Count() > 0);
    if (!followRows && !((lists & lsSelection) && !RowSelect.empty()))
        return;
    // The place in realAt each row goes to, by the place it comes from: only built when rows
    // are followed by number (a large sort with neither pays nothing for it).
    std::vector<std::size_t> targetOf(followRows ? realAt.size() : 0);
    const bool contiguous = realAt.back() - realAt.front() + 1 == int(realAt.size());
    for (std::size_t k = 0; followRows && k < realFrom.size(); ++k)
        targetOf[std::size_t(contiguous ? realFrom[k] - realAt.front() : countBelow(realAt, realFrom[k]))] = k;
    auto follow = [&](int row) {
        const auto it = std::lower_bound(realAt.begin(), realAt.end(), row);
        return it != realAt.end() && *it == row ? realAt[targetOf[std::size_t(it - realAt.begin())]] : row;
    };
    if ((lists & lsSelection) && !RowSelect.empty()) {
        std::vector<char> values(realFrom.size());
        for (std::size_t k = 0; k < realFrom.size(); ++k)
            values[k] = realFrom[k] < int(RowSelect.size()) ? RowSelect[std::size_t(realFrom[k])] : char(0);
        if (int(RowSelect.size()) <= realAt.back())
            RowSelect.resize(std::size_t(realAt.back()) + 1, 0);
        for (std::size_t k = 0; k < realAt.size(); ++k)
            RowSelect[std::size_t(realAt[k])] = values[k];
        for (int i = 0; i < SelectedRows.Count(); ++i)
            SelectedRows.SetInteger(i, follow(SelectedRows.GetInteger(i)));
    }
    if (lists & lsControls)
        for (int i = 0; i < Controls.Count(); ++i) {
            TControlItem* item = Controls.GetControl(i);
            item->SetY(follow(item->Y()));
        }
}

void TRowSideData::move(int from, int to)
{
    if (from == to)
        return;
    moveFlag(Modified, from, to);
    moveFlag(Enabled, from, to);
    moveFlag(RowSelect, from, to);
    for (int i = 0; i < SelectedRows.Count(); ++i)
        SelectedRows.SetInteger(i, followMove(SelectedRows.GetInteger(i), from, to));
    for (int i = 0; i < Controls.Count(); ++i) {
        TControlItem* item = Controls.GetControl(i);
        item->SetY(followMove(item->Y(), from, to));
    }
}

TRowSideData::TRowFlags TRowSideData::take(const std::vector<int>& real) const
{
    TRowFlags f;
    for (int r : real) {
        f.modified.push_back(r < Modified.Count() ? Modified.GetInteger(r) : 0);
        f.enabled.push_back(r < Enabled.Count() ? Enabled.GetInteger(r) : 0);
        f.selected.push_back(r < int(RowSelect.size()) ? RowSelect[std::size_t(r)] : char(0));
        f.listed.push_back(SelectedRows.HasValue(r) ? 1 : 0);
    }
    return f;
}

void TRowSideData::putSelected(int real, bool listed)
{
    if (real < 0)
        return;
    if (int(RowSelect.size()) <= real)
        RowSelect.resize(std::size_t(real) + 1, 0);
    RowSelect[std::size_t(real)] = 1;
    if (listed && !SelectedRows.HasValue(real))
        SelectedRows.Add(real);
}

} // namespace grid
