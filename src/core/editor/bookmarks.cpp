#include "core/editor/bookmarks.h"

#include "core/buffer/line_record.h"

void ToggleNumberedBookmark(CTextBuffer& buffer, int line, int n)
{
    const uint32_t flag = LINE_NUMMARK(n);
    const bool bHas = (buffer.GetLineFlags(line) & flag) != 0;
    buffer.SetLineFlagBit(line, flag, !bHas, true);
}

void ClearNumberedBookmarks(CTextBuffer& buffer)
{
    for (int n = 0; n < kNumberedBookmarks; ++n)
        buffer.SetLineFlagBit(-1, LINE_NUMMARK(n), false, false);
}

bool ToggleUnnamedBookmark(CTextBuffer& buffer, int line)
{
    const bool bHas = (buffer.GetLineFlags(line) & LINE_MARK) != 0;
    buffer.SetLineFlagBit(line, LINE_MARK, !bHas, false);
    return buffer.FindLineWithFlag(LINE_MARK) >= 0;
}

void ClearUnnamedBookmarks(CTextBuffer& buffer)
{
    const int count = buffer.GetLineCount();
    for (int line = 0; line < count; ++line) {
        if (buffer.GetLineFlags(line) & LINE_MARK)
            buffer.SetLineFlagBit(line, LINE_MARK, false, false);
    }
}
