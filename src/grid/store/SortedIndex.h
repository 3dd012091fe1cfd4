#pragma once
// Counting in a sorted index list, shared by the hidden-row store and the row side data.

#include <algorithm>
#include <vector>

namespace grid {

// How many of the sorted indexes lie below value.
inline int countBelow(const std::vector<int>& sorted, int value)
{
    return int(std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin());
}

} // namespace grid
