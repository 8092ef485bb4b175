#include "core/editor/line_wrap.h"

#include "core/editor/char_steps.h"
#include "core/editor/text_columns.h"

namespace {

int SkipSpaces(std::string_view text, int pos)
{
    while (pos < static_cast<int>(text.size()) && text[pos] == ' ') ++pos;
    return pos;
}

// One row from `begin`: its end and where the next row starts.
WrapRow NextRow(std::string_view text, int begin, int width, const CharWidthFn& widthOf, int& next)
{
    const int size = static_cast<int>(text.size());
    int x = 0;
    // The last place the row may end, and where the row after it would start; none yet.
    int breakEnd = begin, breakNext = begin;
    for (int pos = begin; pos < size;) {
        const bool bSpace = text[pos] == ' ';
        const bool bDouble = IsDoubleByteAt(text, pos);
        if (pos > begin && (bSpace || bDouble) && text[pos - 1] != ' ') {
            breakEnd = pos;
            breakNext = bSpace ? SkipSpaces(text, pos) : pos;
        }
        const int after = NextCharPos(text, pos);
        x += widthOf(text.substr(pos, after - pos));
        if (x > width && pos > begin) {
            if (bSpace) {
                // The whole run of spaces hangs, unless it is the row's indentation.
                int end = pos;
                while (end > begin && text[end - 1] == ' ') --end;
                next = SkipSpaces(text, pos);
                return {begin, end > begin ? end : pos};
            }
            next = breakEnd > begin ? breakNext : pos;
            return {begin, breakEnd > begin ? breakEnd : pos};
        }
        pos = after;
        if (bDouble) breakEnd = breakNext = pos;
    }
    next = size;
    return {begin, size};
}

}  // namespace

std::vector<WrapRow> WrapRows(std::string_view text, int width, const CharWidthFn& widthOf)
{
    std::vector<WrapRow> rows;
    int begin = 0;
    do {
        int next = begin;
        rows.push_back(NextRow(text, begin, width, widthOf, next));
        begin = next;
    } while (begin < static_cast<int>(text.size()));
    return rows;
}

void LayOutPrintedLine(std::string_view line, int tabSize, int width, const CharWidthFn& widthOf, PrintedLine& out)
{
    ExpandTabs(line, 0, tabSize, out.text);
    out.rows = WrapRows(out.text, width, widthOf);
}
