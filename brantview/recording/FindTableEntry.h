#pragma once
// The entry of a position-ordered table in effect at a position: a bisection on
// the position (field 0) of every packet table and of the columns.

#include "RecordingSlot.h"

#include <optional>
#include <vector>

namespace brantview {

inline int64_t entryPosition(const Column &c) { return c.position; }
template <typename T, size_t N>
int64_t entryPosition(const std::array<T, N> &entry)
{
    return int64_t(entry[0]);
}

// Among entries first..last (field 0 ascending): first when target is at or before
// it, last when at or after it, otherwise the last entry whose position is below
// target. first must not exceed last, and both must index the table.
template <typename Table>
int FindTableEntry(const Table &table, int first, int last, int64_t target)
{
    if (target <= entryPosition(table[size_t(first)]))
        return first;
    if (target >= entryPosition(table[size_t(last)]))
        return last;
    int lo = first;
    int hi = last;
    while (hi - lo != 1) {
        const int mid = lo + (hi - lo) / 2;
        if (entryPosition(table[size_t(mid)]) >= target)
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

// Over the whole table; nothing when it is empty.
template <typename Table>
std::optional<int> FindTableEntry(const Table &table, int64_t target)
{
    if (table.empty())
        return std::nullopt;
    return FindTableEntry(table, 0, int(table.size()) - 1, target);
}

// The entry in effect at `target`, or null for an empty table.
template <typename Entry>
const Entry *entryInEffect(const std::vector<Entry> &table, int64_t target)
{
    const std::optional<int> index = FindTableEntry(table, target);
    return index ? &table[size_t(*index)] : nullptr;
}

} // namespace brantview
