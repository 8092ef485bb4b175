#include "core/buffer/line_array.h"

#include <climits>
#include <cstdlib>
#include <cstring>

CLineArray::~CLineArray() { Clear(); }

bool CLineArray::Reserve(int nMore)
{
    if (m_nGapEnd - m_nGapStart >= nMore)
        return true;
    const long long nNeeded = static_cast<long long>(Count()) + nMore;
    if (nMore < 0 || nNeeded > INT_MAX)
        return false;
    // Growth by half keeps loading linear and leaves at most a third of the block unused.
    long long nNew = static_cast<long long>(m_nCapacity) + m_nCapacity / 2 + 16;
    if (nNew < nNeeded)
        nNew = nNeeded;
    if (nNew > INT_MAX)
        nNew = INT_MAX;
    MoveGap(Count());
    void* pNew = std::realloc(m_pData, static_cast<size_t>(nNew) * sizeof(LineRecord));
    if (!pNew)
        return false;
    m_pData = static_cast<LineRecord*>(pNew);
    m_nCapacity = static_cast<int>(nNew);
    m_nGapEnd = m_nCapacity;
    return true;
}

void CLineArray::Insert(int nAt, const LineRecord* pRecords, int nCount)
{
    if (nCount <= 0)
        return;
    MoveGap(nAt);
    std::memcpy(m_pData + m_nGapStart, pRecords, static_cast<size_t>(nCount) * sizeof(LineRecord));
    m_nGapStart += nCount;
}

void CLineArray::Remove(int nAt, int nCount)
{
    if (nCount <= 0)
        return;
    MoveGap(nAt);
    m_nGapEnd += nCount;
}

void CLineArray::Clear()
{
    std::free(m_pData);
    m_pData = nullptr;
    m_nCapacity = m_nGapStart = m_nGapEnd = 0;
}

void CLineArray::MoveGap(int nAt)
{
    const int nGap = m_nGapEnd - m_nGapStart;
    if (nAt < m_nGapStart) {
        std::memmove(m_pData + nAt + nGap, m_pData + nAt, static_cast<size_t>(m_nGapStart - nAt) * sizeof(LineRecord));
    } else if (nAt > m_nGapStart) {
        std::memmove(m_pData + m_nGapStart, m_pData + m_nGapEnd, static_cast<size_t>(nAt - m_nGapStart) * sizeof(LineRecord));
    } else {
        return;
    }
    m_nGapStart = nAt;
    m_nGapEnd = nAt + nGap;
}
