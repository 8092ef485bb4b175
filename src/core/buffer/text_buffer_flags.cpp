// Line flags: opaque bits of the line records, used for bookmarks.
#include "core/buffer/text_buffer.h"

namespace {

bool HasOneBit(uint32_t dwFlag) { return dwFlag != 0 && (dwFlag & (dwFlag - 1)) == 0; }

} // namespace

void CTextBuffer::SetLineFlagBit(int nLine, uint32_t dwFlag, bool bSet, bool bRemoveFromPrevious)
{
    if (!HasOneBit(dwFlag))
        return;
    if (nLine == -1) {
        nLine = FindLineWithFlag(dwFlag);
        bRemoveFromPrevious = false;
    }
    if (nLine < 0 || nLine >= GetLineCount())
        return;
    const uint32_t dwOld = GetLineFlags(nLine);
    const uint32_t dwNew = bSet ? dwOld | dwFlag : dwOld & ~dwFlag;
    if (dwNew == dwOld)
        return;
    if (bRemoveFromPrevious && bSet) {
        const int nPrevious = FindLineWithFlag(dwFlag);
        if (nPrevious >= 0) {
            m_lines.SetFlags(nPrevious, GetLineFlags(nPrevious) & ~dwFlag);
            NotifyViews(nullptr, nullptr, CHANGE_ONELINE | CHANGE_FLAGS, nPrevious);
        }
    }
    m_lines.SetFlags(nLine, dwNew);
    NotifyViews(nullptr, nullptr, CHANGE_ONELINE | CHANGE_FLAGS, nLine);
}

int CTextBuffer::FindLineWithFlag(uint32_t dwFlag) const
{
    if (!HasOneBit(dwFlag))
        return -1;
    const int nCount = GetLineCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetLineFlags(i) & dwFlag)
            return i;
    }
    return -1;
}

// The scans start after (before) a marked current line, run to the end (start) of the text, then
// wrap once over the lines not yet seen.
int CTextBuffer::NextMarkedLine(int nLine) const
{
    if (nLine < 0 || nLine >= GetLineCount())
        return -1;
    const int nStart = (GetLineFlags(nLine) & LINE_MARK) ? nLine + 1 : nLine;
    const int nFound = FindMarked(nStart, GetLineCount(), 1);
    return nFound >= 0 ? nFound : FindMarked(0, nStart, 1);
}

int CTextBuffer::PrevMarkedLine(int nLine) const
{
    if (nLine < 0 || nLine >= GetLineCount())
        return -1;
    const int nStart = (GetLineFlags(nLine) & LINE_MARK) ? nLine - 1 : nLine;
    const int nFound = FindMarked(nStart, -1, -1);
    return nFound >= 0 ? nFound : FindMarked(GetLineCount() - 1, nStart, -1);
}

// The first line from nFrom towards nTo (excluded), in steps of nStep, that carries LINE_MARK.
int CTextBuffer::FindMarked(int nFrom, int nTo, int nStep) const
{
    for (int i = nFrom; i != nTo; i += nStep) {
        if (GetLineFlags(i) & LINE_MARK)
            return i;
    }
    return -1;
}
