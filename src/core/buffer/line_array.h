#pragma once
// The records of a buffer's lines in line order, kept in one block with a gap at the place of the
// last insertion or removal: runs of edits at one place move no record, and an edit elsewhere
// moves only the records between the two places.
#include <type_traits>

#include "core/buffer/line_record.h"

class CLineArray {
public:
    CLineArray() = default;
    ~CLineArray();
    CLineArray(const CLineArray&) = delete;
    CLineArray& operator=(const CLineArray&) = delete;

    int Count() const { return m_nCapacity - (m_nGapEnd - m_nGapStart); }
    LineRecord& operator[](int i) { return m_pData[Slot(i)]; }
    const LineRecord& operator[](int i) const { return m_pData[Slot(i)]; }

    // Room for nMore records to be inserted without allocating; false when memory or the int
    // range of line indices runs out (nothing changes then).
    [[nodiscard]] bool Reserve(int nMore);
    // Needs Reserve(nCount) first; never fails.
    void Insert(int nAt, const LineRecord* pRecords, int nCount);
    // Removes the records only; their texts are the caller's.
    void Remove(int nAt, int nCount);
    void Clear();

private:
    static_assert(std::is_trivially_copyable<LineRecord>::value, "records move with memmove and realloc");

    int Slot(int i) const { return i < m_nGapStart ? i : i + (m_nGapEnd - m_nGapStart); }
    void MoveGap(int nAt);

    LineRecord* m_pData = nullptr;
    int m_nCapacity = 0;
    // Slots [m_nGapStart, m_nGapEnd) hold no line.
    int m_nGapStart = 0;
    int m_nGapEnd = 0;
};
