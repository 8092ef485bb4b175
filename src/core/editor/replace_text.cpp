#include "core/editor/replace_text.h"

#include "core/buffer/undo_history.h"

bool ReplaceRange(CTextBuffer& buffer, CBufferObserver* pSource, const TextRange& range, std::string_view text,
                  TextRange& inserted)
{
    const TextPosition start = range.start;
    inserted = {start, start};
    if (!range.IsEmpty() &&
        !buffer.DeleteText(pSource, start.y, start.x, range.end.y, range.end.x, ACTION_DELSEL))
        return false;
    int nEndLine = start.y;
    int nEndChar = start.x;
    if (!buffer.InsertText(pSource, start.y, start.x, text, nEndLine, nEndChar, ACTION_REPLACE))
        return false;
    inserted.end = {nEndChar, nEndLine};
    return true;
}
