#include "core/editor/replace_session.h"

#include <algorithm>

#include "core/editor/search.h"

namespace {

// Where a remembered position goes when the occurrence [found, found + length) on found's line
// is replaced by the text now at `inserted`. A position after the occurrence's start keeps its
// distance from the occurrence's end (inside it, it goes to the end of the new text), so a block
// or selection ending exactly where the occurrence ended now ends after the replacement.
void FollowReplacement(TextPosition& pt, TextPosition found, int length, const TextRange& inserted)
{
    if (pt.y > found.y) {
        pt.y += inserted.end.y - inserted.start.y;
        return;
    }
    if (pt.y < found.y || pt.x <= found.x)
        return;
    pt = {inserted.end.x + std::max(pt.x - (found.x + length), 0), inserted.end.y};
}

} // namespace

void CReplaceSession::Begin(TextPosition caret, const TextRange& selection)
{
    m_bFound = false;
    m_savedSelection = selection;
    m_bScopeSelectionEnabled = !selection.IsEmpty();
    if (m_bScopeSelectionEnabled) {
        m_nScope = SCOPE_SELECTION;
        m_ptBlockBegin = selection.start;
        m_ptBlockEnd = selection.end;
        m_ptCurrent = selection.start;
    } else {
        m_nScope = SCOPE_WHOLE_FILE;
        m_ptCurrent = caret;
    }
}

uint32_t CReplaceSession::Flags() const
{
    return (m_bMatchCase ? FIND_MATCH_CASE : 0) | (m_bWholeWord ? FIND_WHOLE_WORD : 0);
}

bool CReplaceSession::Search(TextPosition from, TextPosition& found) const
{
    if (m_nScope == SCOPE_SELECTION)
        return SearchInRange(m_buffer, m_strFind, from, m_ptBlockBegin, m_ptBlockEnd, Flags(), false, found);
    return SearchText(m_buffer, m_strFind, from, Flags(), false, found);
}

bool CReplaceSession::HighlightStep()
{
    TextPosition found;
    m_bFound = Search(m_ptFound, found);
    if (m_bFound) {
        m_ptFound = found;
        m_host.SelectFound(found, static_cast<int>(m_strFind.size()));
        return true;
    }
    m_host.ReportNotFound(m_strFind);
    m_ptCurrent = m_nScope == SCOPE_SELECTION ? m_ptBlockBegin : TextPosition{0, 0};
    return false;
}

void CReplaceSession::FindNext()
{
    if (m_bFound)
        ++m_ptFound.x;
    else
        m_ptFound = m_ptCurrent;
    HighlightStep();
}

void CReplaceSession::Replace()
{
    if (!m_bFound) {
        m_ptFound = m_ptCurrent;
        HighlightStep();
        return;
    }
    if (ReplaceFound())
        HighlightStep();
}

int CReplaceSession::ReplaceAll()
{
    // An empty text would match again at the same place for ever.
    if (m_strFind.empty())
        return 0;
    if (!m_bFound) {
        m_ptFound = m_ptCurrent;
        if (!HighlightStep())
            return 0;
    }
    int nReplaced = 0;
    while (ReplaceFound()) {
        ++nReplaced;
        if (!HighlightStep())
            break;
    }
    return nReplaced;
}

bool CReplaceSession::ReplaceFound()
{
    const TextPosition start = m_ptFound;
    TextRange inserted;
    if (!m_host.ReplaceSelectedText(m_strReplace, inserted)) {
        m_bFound = false;
        return false;
    }
    // An occurrence lies within one line; the replacement may break it.
    const int length = static_cast<int>(m_strFind.size());
    for (TextPosition* pt : {&m_ptBlockBegin, &m_ptBlockEnd, &m_savedSelection.start, &m_savedSelection.end})
        FollowReplacement(*pt, start, length, inserted);
    m_ptFound = inserted.end;
    return true;
}
