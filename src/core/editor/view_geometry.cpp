#include "core/editor/view_geometry.h"

#include <algorithm>

#include "core/buffer/line_record.h"

namespace {

int Clamp(int value, int count) { return std::max(0, std::min(value, count - 1)); }

int DigitsOf(int n)
{
    int digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

} // namespace

int TopLineShowing(int line, int topLine, int screenLines, int lineCount)
{
    int top = topLine;
    if (line >= topLine + screenLines)
        top = line - screenLines + 1;
    else if (line < topLine)
        top = line;
    return Clamp(top, lineCount);
}

int FirstColumnShowing(int column, int firstColumn, int screenColumns, int maxLength)
{
    int first = firstColumn;
    if (column > firstColumn + screenColumns)
        first = column - screenColumns;
    else if (column < firstColumn)
        first = column;
    return std::max(0, std::min(first, maxLength - 1));
}

int ScrollTarget(ScrollRequest request, int position, int page, int count, int trackPosition)
{
    int target = position;
    switch (request) {
    case ScrollRequest::LineBack: target = position - 1; break;
    case ScrollRequest::LineForward: target = position + 1; break;
    case ScrollRequest::PageBack: target = position - (page - 1); break;
    case ScrollRequest::PageForward: target = position + (page - 1); break;
    case ScrollRequest::Track: target = trackPosition; break;
    case ScrollRequest::ToStart: target = 0; break;
    case ScrollRequest::ToEnd: target = count - page + 1; break;
    case ScrollRequest::None: break;
    }
    return Clamp(target, count);
}

int AutoScrollLines(int y, int top, int bottom, int lineHeight)
{
    if (y < top)
        return top - y <= lineHeight ? -1 : -3;
    if (y >= bottom)
        return y - bottom < lineHeight ? 1 : 3;
    return 0;
}

int AutoScrollColumns(int x, int left, int right)
{
    if (x < left)
        return -1;
    return x >= right ? 1 : 0;
}

int MarginWidthFor(int lineCount, int charWidth)
{
    const int needed = kMarginNumberLeft + DigitsOf(std::max(lineCount, 1)) * charWidth + 2 + kMarginIconColumn;
    return std::max(50, needed);
}

int MarginImageFor(std::uint32_t lineFlags)
{
    for (int n = 1; n <= 9; ++n)
        if (lineFlags & LINE_NUMMARK(n))
            return n;
    if (lineFlags & LINE_NUMMARK(0))
        return 0;
    return (lineFlags & LINE_MARK) ? 10 : -1;
}
