#pragma once
// A vector with a movable gap, for the per-row lists that take rows out and put them back one at
// a time (the cell store's row directory, the hidden-row store).
//
// Why: hiding or showing rows one at a time walks down the table, each change a little below
// the last. A plain vector moves everything behind each change (quadratic over a walk); here
// the free slots sit where the last change was, so the next nearby change moves only the
// elements between the two places.
//   operator[], size            O(1)
//   insert / erase at pos       O(|pos - last change| + count), amortised
//   linear()                    O(distance of the gap from the end): a plain vector for bulk
//                               passes (sorting, compaction); the gap comes back on the next change
// Free slots are never read: they hold moved-from elements (an owner such as unique_ptr is
// empty once moved) or stale plain values.

#include <algorithm>
#include <compare>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

namespace grid {

template <class T>
class TGapVector {
public:
    template <bool Const>
    class Iter {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::conditional_t<Const, const T*, T*>;
        using reference = std::conditional_t<Const, const T&, T&>;
        using Owner = std::conditional_t<Const, const TGapVector, TGapVector>;

        Iter() = default;
        Iter(Owner* v, std::size_t i) : v(v), i(i) {}
        operator Iter<true>() const { return Iter<true>(v, i); }
        reference operator*() const { return (*v)[i]; }
        pointer operator->() const { return &(*v)[i]; }
        reference operator[](difference_type n) const { return (*v)[std::size_t(difference_type(i) + n)]; }
        Iter& operator++()
        {
            ++i;
            return *this;
        }
        Iter operator++(int)
        {
            Iter t = *this;
            ++i;
            return t;
        }
        Iter& operator--()
        {
            --i;
            return *this;
        }
        Iter operator--(int)
        {
            Iter t = *this;
            --i;
            return t;
        }
        Iter& operator+=(difference_type n)
        {
            i = std::size_t(difference_type(i) + n);
            return *this;
        }
        Iter& operator-=(difference_type n)
        {
            i = std::size_t(difference_type(i) - n);
            return *this;
        }
        friend Iter operator+(Iter a, difference_type n) { return a += n; }
        friend Iter operator+(difference_type n, Iter a) { return a += n; }
        friend Iter operator-(Iter a, difference_type n) { return a -= n; }
        friend difference_type operator-(const Iter& a, const Iter& b)
        {
            return difference_type(a.i) - difference_type(b.i);
        }
        friend bool operator==(const Iter& a, const Iter& b) { return a.i == b.i; }
        friend auto operator<=>(const Iter& a, const Iter& b) { return a.i <=> b.i; }
        std::size_t index() const { return i; }

    private:
        Owner* v = nullptr;
        std::size_t i = 0;
    };
    using iterator = Iter<false>;
    using const_iterator = Iter<true>;
    using value_type = T;

    std::size_t size() const { return buf.size() - gapLen(); }
    bool empty() const { return size() == 0; }
    T& operator[](std::size_t i) { return buf[i < gapBegin ? i : i + gapLen()]; }
    const T& operator[](std::size_t i) const { return buf[i < gapBegin ? i : i + gapLen()]; }
    T& front() { return (*this)[0]; }
    T& back() { return (*this)[size() - 1]; }
    const T& back() const { return (*this)[size() - 1]; }
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size()}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void clear()
    {
        buf.clear();
        gapBegin = gapEnd = 0;
    }

    // count copies of value before position pos.
    void insert(std::size_t pos, std::size_t count, const T& value)
    {
        makeRoom(pos, count);
        for (std::size_t k = 0; k < count; ++k)
            buf[gapBegin++] = value;
    }
    void insert(std::size_t pos, T&& value)
    {
        makeRoom(pos, 1);
        buf[gapBegin++] = std::move(value);
    }
    void push_back(T&& value) { insert(size(), std::move(value)); }

    // The elements [pos, pos + count) go; owners among them are released.
    void erase(std::size_t pos, std::size_t count)
    {
        if (count == 0)
            return;
        moveGap(pos);
        for (std::size_t k = 0; k < count; ++k)
            buf[gapEnd + k] = T{};
        gapEnd += count;
    }

    // Takes the element at pos out of the vector.
    T take(std::size_t pos)
    {
        moveGap(pos);
        T out = std::move(buf[gapEnd]);
        buf[gapEnd++] = T{};
        return out;
    }

    void pop_back()
    {
        if (gapEnd == buf.size()) {
            --gapBegin;
            buf[gapBegin] = T{};
        } else {
            buf.pop_back();
        }
    }

    void resize(std::size_t n, const T& value = T{})
    {
        if (n < size())
            erase(n, size() - n);
        else if (n > size())
            insert(size(), n - size(), value);
    }

    // The elements as a plain vector (the gap closed at the end), for passes over all of them.
    std::vector<T>& linear()
    {
        moveGap(size());
        buf.resize(gapBegin);
        gapEnd = gapBegin;
        return buf;
    }

    // The elements handed out as a plain vector, leaving this one empty (for a pass that
    // rebuilds the list and hands it back with assign).
    std::vector<T> release()
    {
        std::vector<T> out = std::move(linear());
        clear();
        return out;
    }

    void swap(TGapVector& o) noexcept
    {
        buf.swap(o.buf);
        std::swap(gapBegin, o.gapBegin);
        std::swap(gapEnd, o.gapEnd);
    }

    // The elements become v's, the gap closed.
    void assign(std::vector<T>&& v)
    {
        buf = std::move(v);
        gapBegin = gapEnd = buf.size();
    }

private:
    std::size_t gapLen() const { return gapEnd - gapBegin; }

    void moveGap(std::size_t pos)
    {
        if (pos < gapBegin) {
            std::move_backward(buf.begin() + std::ptrdiff_t(pos), buf.begin() + std::ptrdiff_t(gapBegin),
                               buf.begin() + std::ptrdiff_t(gapEnd));
            const std::size_t moved = gapBegin - pos;
            gapBegin = pos;
            gapEnd -= moved;
        } else if (pos > gapBegin) {
            const std::size_t moved = pos - gapBegin;
            std::move(buf.begin() + std::ptrdiff_t(gapEnd), buf.begin() + std::ptrdiff_t(gapEnd + moved),
                      buf.begin() + std::ptrdiff_t(gapBegin));
            gapBegin += moved;
            gapEnd += moved;
        }
    }

    // The gap at pos, at least count wide.
    void makeRoom(std::size_t pos, std::size_t count)
    {
        if (gapLen() >= count) {
            moveGap(pos);
            return;
        }
        const std::size_t n = size();
        const std::size_t gap = std::max(count, n / 4 + 16);
        std::vector<T> nb(n + gap);
        for (std::size_t k = 0; k < pos; ++k)
            nb[k] = std::move((*this)[k]);
        for (std::size_t k = pos; k < n; ++k)
            nb[k + gap] = std::move((*this)[k]);
        buf.swap(nb);
        gapBegin = pos;
        gapEnd = pos + gap;
    }

    std::vector<T> buf;
    std::size_t gapBegin = 0;
    std::size_t gapEnd = 0;
};

} // namespace grid
