#pragma once
// A per-line cache of a view: one entry per buffer line, each either known or not yet computed.
// It is allocated on first use, and after an edit it forgets the entries from the first changed
// line on, keeping those before it.
#include <algorithm>
#include <cstdint>
#include <vector>

template <class T, T Unknown>
class CLineCache {
public:
    bool IsAllocated() const { return m_bAllocated; }
    // Releases every entry; the next use allocates again.
    void Release()
    {
        m_entries.clear();
        m_entries.shrink_to_fit();
        m_bAllocated = false;
    }
    // One entry per line, all unknown, when not allocated yet.
    void EnsureAllocated(int lineCount)
    {
        if (m_bAllocated)
            return;
        m_entries.assign(static_cast<size_t>(lineCount), Unknown);
        m_bAllocated = true;
    }
    // After an edit from `firstChanged` on: the new line count, the entries before firstChanged
    // kept, the others unknown. Does nothing while unallocated.
    void Invalidate(int firstChanged, int lineCount)
    {
        if (!m_bAllocated)
            return;
        const size_t keep = firstChanged < 0 ? 0 : static_cast<size_t>(firstChanged);
        m_entries.resize(static_cast<size_t>(lineCount), Unknown);
        for (size_t i = keep; i < m_entries.size(); ++i)
            m_entries[i] = Unknown;
    }
    // After `delta` lines were inserted right after line `at` (delta > 0), or the `-delta` lines
    // after it removed: the entries of the other lines move with them, those of `at` and of the
    // new lines are unknown. Does nothing while unallocated.
    void MoveLines(int at, int delta)
    {
        if (!m_bAllocated || at < 0 || at >= Count())
            return;
        const auto next = m_entries.begin() + at + 1;
        if (delta > 0)
            m_entries.insert(next, static_cast<size_t>(delta), Unknown);
        else if (delta < 0)
            m_entries.erase(next, next + std::min(-delta, Count() - at - 1));
        m_entries[static_cast<size_t>(at)] = Unknown;
    }
    // Marks one line's entry unknown; a line outside the cache is ignored.
    void Forget(int line)
    {
        if (line >= 0 && line < Count())
            m_entries[static_cast<size_t>(line)] = Unknown;
    }
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsKnownLine(int line) const { return line >= 0 && line < Count() && IsKnown(line); }
    bool IsKnown(int line) const { return m_entries[static_cast<size_t>(line)] != Unknown; }
    T Get(int line) const { return m_entries[static_cast<size_t>(line)]; }
    void Set(int line, T value) { m_entries[static_cast<size_t>(line)] = value; }

private:
    std::vector<T> m_entries;
    bool m_bAllocated = false;
};

// States leaving each line. 0xFFFFFFFF is no state the classifier makes: starting from 0 it only
// ever sets its five defined flags.
using CLineStateCache = CLineCache<std::uint32_t, 0xFFFFFFFFu>;
// Expanded lengths in columns.
using CLineLengthCache = CLineCache<int, -1>;

// The state leaving `line` (0 for a line before the first), filled forward from the nearest known
// entry before it: classify(enteringState, line) gives each missing one. Only the entries up to
// `line` are computed.
template <class Classify>
std::uint32_t StateLeavingLine(CLineStateCache& cache, int line, int lineCount, Classify classify)
{
    if (line < 0)
        return 0;
    cache.EnsureAllocated(lineCount);
    if (cache.IsKnown(line))
        return cache.Get(line);
    int known = line - 1;
    while (known >= 0 && !cache.IsKnown(known))
        --known;
    std::uint32_t state = known >= 0 ? cache.Get(known) : 0;
    for (int i = known + 1; i <= line; ++i) {
        state = classify(state, i);
        cache.Set(i, state);
    }
    return state;
}
