#include "core/buffer/undo_history.h"

#include <algorithm>
#include <exception>

void CUndoHistory::Reset()
{
    m_entries.clear();
    m_nFirst = 0;
    m_nPosition = 0;
    m_nSavedPosition = 0;
    m_bGroupOpen = false;
    m_bBeginPending = false;
    m_nLimit = DEFAULT_LIMIT;
}

void CUndoHistory::OpenGroup(bool bMerge)
{
    m_bGroupOpen = true;
    m_bBeginPending = m_nPosition == 0 || !bMerge;
}

// Grows by an eighth of the size, at least 4 and at most 1024 records at a time.
bool CUndoHistory::Reserve()
{
    if (m_entries.size() < m_entries.capacity())
        return true;
    try {
        m_entries.reserve(m_entries.size() + std::clamp<size_t>(m_entries.size() / 8, 4, 1024));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CUndoHistory::Add(UndoEntry&& entry)
{
    ForgetRedo();
    if (Count() >= m_nLimit)
        DiscardOldestGroup();
    entry.dwFlags &= ~UNDO_GROUP_START;
    if (m_bBeginPending || Count() == 0)
        entry.dwFlags |= UNDO_GROUP_START;
    m_bBeginPending = false;
    m_entries.push_back(std::move(entry));
    m_nPosition = Count();
}

void CUndoHistory::ForgetRedo()
{
    if (m_nPosition >= Count())
        return;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(m_nFirst) + m_nPosition, m_entries.end());
    if (m_nSavedPosition > m_nPosition)
        m_nSavedPosition = -1;
}

// Discards the records of the oldest group, except when that group is the one the next record
// joins: a group larger than the limit is kept whole until a later group pushes it out, so that
// Undo never meets half a command.
void CUndoHistory::DiscardOldestGroup()
{
    int nEnd = 1;
    while (nEnd < Count() && !At(nEnd).IsGroupStart())
        ++nEnd;
    if (nEnd == Count() && !m_bBeginPending)
        return;
    for (int i = 0; i < nEnd; ++i)
        m_entries[m_nFirst + static_cast<size_t>(i)] = UndoEntry();
    m_nFirst += static_cast<size_t>(nEnd);
    if (m_nFirst * 2 >= m_entries.size()) {
        m_entries.erase(m_entries.begin(), m_entries.begin() + static_cast<std::ptrdiff_t>(m_nFirst));
        m_nFirst = 0;
    }
    m_nPosition -= nEnd;
    m_nSavedPosition = m_nSavedPosition >= nEnd ? m_nSavedPosition - nEnd : -1;
}

int CUndoHistory::UndoAction() const
{
    int i = m_nPosition - 1;
    while (i > 0 && !At(i).IsGroupStart())
        --i;
    return At(i).nAction;
}
