#include "editor/view_site.h"

#include "core/editor/replace_text.h"

void CViewSite::SelectFound(TextPosition start, int length)
{
    const TextPosition end{start.x + length, start.y};
    Select(start, end, end);
}

void CViewSite::GoToLine(int line)
{
    const TextPosition start{0, line};
    Select(start, start, start);
}

bool CViewSite::ReplaceSelectedText(std::string_view text, TextRange& inserted)
{
    CTextBuffer* pBuffer = GetBuffer();
    const TextRange selection = GetSelection();
    if (!pBuffer || pBuffer->GetReadOnly() || selection.IsEmpty())
        return false;
    // The deletion moves the caret and the selection to the selection's start in every view.
    const bool bReplaced = ReplaceRange(*pBuffer, GetObserver(), selection, text, inserted);
    // When memory runs out before the insertion, the deletion stands and the caret stays there.
    Select(inserted.start, inserted.end, inserted.end);
    return bReplaced;
}
