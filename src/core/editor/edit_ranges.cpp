#include "core/editor/edit_ranges.h"

#include <algorithm>

#include "core/editor/char_steps.h"

TextRange Normalized(TextPosition a, TextPosition b) { return b < a ? TextRange{b, a} : TextRange{a, b}; }

bool IsInside(TextPosition pt, const TextRange& range) { return range.start <= pt && pt < range.end; }

TextPosition LineAfter(const CTextBuffer& buffer, int line)
{
    if (line + 1 < buffer.GetLineCount())
        return {0, line + 1};
    return {buffer.GetLineLength(line), line};
}

LineSelection SelectLines(const CTextBuffer& buffer, int anchorLine, int hitLine)
{
    if (hitLine > anchorLine) {
        const TextPosition end = LineAfter(buffer, hitLine);
        return {{0, anchorLine}, end, end};
    }
    const TextPosition start{0, hitLine};
    return {LineAfter(buffer, anchorLine), start, start};
}

BlockLines BlockLinesOf(const CTextBuffer& buffer, const TextRange& ordered)
{
    BlockLines block{ordered.start.y, ordered.end.y, {{0, ordered.start.y}, ordered.end}};
    if (ordered.end.x > 0)
        block.selection.end = LineAfter(buffer, ordered.end.y);
    else
        block.last = ordered.end.y - 1;
    return block;
}

TextRange DeleteRangeAt(const CTextBuffer& buffer, TextPosition caret)
{
    const std::string_view line = buffer.GetLine(caret.y);
    if (caret.x < static_cast<int>(line.size()))
        return {caret, {NextCharPos(line, caret.x), caret.y}};
    if (caret.y + 1 < buffer.GetLineCount())
        return {caret, {0, caret.y + 1}};
    return {caret, caret};
}

TextRange BackspaceRangeAt(const CTextBuffer& buffer, TextPosition caret)
{
    if (caret.x > 0)
        return {{PrevCharPos(buffer.GetLine(caret.y), caret.x), caret.y}, caret};
    if (caret.y > 0)
        return {{buffer.GetLineLength(caret.y - 1), caret.y - 1}, caret};
    return {caret, caret};
}

int UnindentWidth(std::string_view line, int tabSize)
{
    int count = 0;
    while (count < static_cast<int>(line.size()) && count < tabSize) {
        const char c = line[static_cast<size_t>(count)];
        if (c != ' ')
            return c == '\t' ? count + 1 : count;
        ++count;
    }
    return count;
}

std::string_view AutoIndentOf(std::string_view line)
{
    size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || (line[n] >= '\t' && line[n] <= '\f')))
        ++n;
    return line.substr(0, n);
}

CharSpan SelectedPart(int line, int begin, int end, const TextRange& selection)
{
    if (line < selection.start.y || line > selection.end.y)
        return {begin, begin};
    const int from = line == selection.start.y ? std::max(begin, selection.start.x) : begin;
    const int to = line == selection.end.y ? std::min(end, selection.end.x) : end;
    return from < to ? CharSpan{from, to} : CharSpan{begin, begin};
}
