// Editing with undo records, and applying the history.
#include <algorithm>
#include <exception>

#include "core/buffer/text_buffer.h"

namespace {

// The segments of a record's text as they were lines: at its recorded joins when it has them,
// else at its line breaks as any inserted text.
std::vector<std::string_view> SegmentsOf(const UndoEntry& entry)
{
    std::vector<std::string_view> segments;
    const std::string_view text = entry.text;
    size_t nStart = 0;
    for (int nJoin : entry.joins) {
        segments.push_back(text.substr(nStart, static_cast<size_t>(nJoin) - nStart));
        nStart = static_cast<size_t>(nJoin) + 2;
    }
    segments.push_back(text.substr(nStart));
    return segments;
}

} // namespace

bool CTextBuffer::InsertText(CBufferObserver* pSource, int nLine, int nPos, std::string_view text, int& nEndLine,
                             int& nEndChar, int nAction)
{
    UndoEntry entry;
    if (m_bReadOnly || !PrepareRecord(text, entry) || !InsertTextRaw(pSource, nLine, nPos, text, nEndLine, nEndChar))
        return false;
    entry.dwFlags = UNDO_IS_INSERT;
    entry.ptStart = {nPos, nLine};
    entry.ptEnd = {nEndChar, nEndLine};
    entry.nAction = nAction;
    Record(pSource, std::move(entry));
    return true;
}

bool CTextBuffer::DeleteText(CBufferObserver* pSource, int nStartLine, int nStartChar, int nEndLine, int nEndChar,
                             int nAction)
{
    UndoEntry entry;
    if (m_bReadOnly || !GetText(nStartLine, nStartChar, nEndLine, nEndChar, entry.text) || !m_undo.Reserve())
        return false;
    try {
        NoteJoins(nStartLine, nStartChar, nEndLine, entry);
    } catch (const std::exception&) {
        return false;
    }
    if (!DeleteTextRaw(pSource, nStartLine, nStartChar, nEndLine, nEndChar))
        return false;
    entry.ptStart = {nStartChar, nStartLine};
    entry.ptEnd = {nEndChar, nEndLine};
    entry.nAction = nAction;
    Record(pSource, std::move(entry));
    return true;
}

// Every CR of the text is a join unless a line holds one of its own.
void CTextBuffer::NoteJoins(int nStartLine, int nStartChar, int nEndLine, UndoEntry& entry) const
{
    const auto nCr = std::count(entry.text.begin(), entry.text.end(), '\r');
    if (nCr == nEndLine - nStartLine)
        return;
    entry.bSplitAtJoins = true;
    int nOffset = GetLineLength(nStartLine) - nStartChar;
    for (int i = nStartLine + 1; i <= nEndLine; ++i) {
        entry.joins.push_back(nOffset);
        nOffset += 2 + GetLineLength(i);
    }
}

bool CTextBuffer::PrepareRecord(std::string_view text, UndoEntry& entry)
{
    try {
        entry.text.assign(text.data(), text.size());
    } catch (const std::exception&) {
        return false;
    }
    return m_undo.Reserve();
}

// A change made while no group is open forms a group of its own.
void CTextBuffer::Record(CBufferObserver* pSource, UndoEntry&& entry)
{
    const bool bOpened = !m_undo.IsGroupOpen();
    if (bOpened)
        m_undo.OpenGroup(false);
    m_undo.Add(std::move(entry));
    if (bOpened)
        CloseUndoGroup(pSource);
}

void CTextBuffer::OpenUndoGroup(bool bMergeWithPrevious) { m_undo.OpenGroup(bMergeWithPrevious); }

void CTextBuffer::CloseUndoGroup(CBufferObserver* pSource)
{
    if (pSource && m_undo.CanUndo()) {
        m_undo.BeginPending();
        const UndoEntry& last = m_undo.At(m_undo.Position() - 1);
        const int nAction = last.nAction;
        std::string text;
        bool bCopied = true;
        try {
            text = last.text;
        } catch (const std::exception&) {
            bCopied = false; // automatic indentation is skipped rather than fed a wrong text
        }
        if (bCopied)
            OnEditDone(pSource, nAction, text);
    }
    m_undo.CloseGroup();
}

void CTextBuffer::OnEditDone(CBufferObserver* pSource, int nAction, const std::string& text)
{
    pSource->OnEditDone(nAction, text);
}

bool CTextBuffer::Undo(TextPosition& ptCursor)
{
    if (m_bReadOnly || !m_undo.CanUndo())
        return false;
    bool bApplied = true;
    while (bApplied && m_undo.CanUndo()) {
        const UndoEntry& entry = m_undo.StepBack();
        bApplied = ApplyRecord(entry, false, ptCursor);
        if (!bApplied)
            m_undo.StepForward();
        else if (entry.IsGroupStart())
            break;
    }
    UpdateModifiedAfterHistoryMove();
    return bApplied;
}

bool CTextBuffer::Redo(TextPosition& ptCursor)
{
    if (m_bReadOnly || !m_undo.CanRedo())
        return false;
    bool bApplied = true;
    do {
        bApplied = ApplyRecord(m_undo.At(m_undo.Position()), true, ptCursor);
        if (bApplied)
            (void)m_undo.StepForward();
    } while (bApplied && !m_undo.AtRedoGroupEnd());
    UpdateModifiedAfterHistoryMove();
    return bApplied;
}

// Undoing an insertion or redoing a deletion removes the range and leaves the cursor at its start;
// the other two put the text back and leave the cursor after it.
bool CTextBuffer::ApplyRecord(const UndoEntry& entry, bool bForward, TextPosition& ptCursor)
{
    if (entry.IsInsert() != bForward) {
        if (!DeleteTextRaw(nullptr, entry.ptStart.y, entry.ptStart.x, entry.ptEnd.y, entry.ptEnd.x))
            return false;
        ptCursor = entry.ptStart;
        return true;
    }
    int nEndLine = 0;
    int nEndChar = 0;
    bool bInserted = false;
    if (!entry.bSplitAtJoins) {
        bInserted = InsertTextRaw(nullptr, entry.ptStart.y, entry.ptStart.x, entry.text, nEndLine, nEndChar);
    } else {
        try {
            const std::vector<std::string_view> segments = SegmentsOf(entry);
            bInserted = IsValidPosition(entry.ptStart.y, entry.ptStart.x) &&
                        InsertSegments(nullptr, entry.ptStart.y, entry.ptStart.x, segments.data(), segments.size(),
                                       nEndLine, nEndChar);
        } catch (const std::exception&) {
            return false;
        }
    }
    if (bInserted)
        ptCursor = entry.ptEnd;
    return bInserted;
}

// Returning to the saved state clears the modified mark; leaving it sets the mark.
void CTextBuffer::UpdateModifiedAfterHistoryMove()
{
    if (IsModified() && m_undo.IsAtSaved())
        SetModified(false);
    if (!IsModified() && !m_undo.IsAtSaved())
        SetModified(true);
}

void CTextBuffer::UndoCaption(std::string& text)
{
    text.clear();
    if (m_undo.CanUndo() && !DescribeAction(m_undo.UndoAction(), text))
        text.clear();
}

void CTextBuffer::RedoCaption(std::string& text)
{
    text.clear();
    if (m_undo.CanRedo() && !DescribeAction(m_undo.RedoAction(), text))
        text.clear();
}

bool CTextBuffer::DescribeAction(int nAction, std::string& text)
{
    const int nId = ActionStringId(nAction);
    return nId != 0 && m_pCaptions && m_pCaptions->LoadCaption(nId, text);
}
