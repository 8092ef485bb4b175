#include "core/editor/text_columns.h"

#include "core/editor/char_steps.h"

namespace {

int Length(std::string_view line) { return static_cast<int>(line.size()); }

// The column after the character at pos, which starts at column.
int EndColumn(std::string_view line, int pos, int column, int tabSize)
{
    if (line[static_cast<size_t>(pos)] == '\t')
        return column + tabSize - column % tabSize;
    return column + (IsDoubleByteAt(line, pos) ? 2 : 1);
}

} // namespace

int ExpandedColumn(std::string_view line, int pos, int tabSize)
{
    int column = 0;
    const int end = pos < Length(line) ? pos : Length(line);
    for (int i = 0; i < end; ++i)
        column = line[static_cast<size_t>(i)] == '\t' ? column + tabSize - column % tabSize : column + 1;
    return column;
}

int ExpandedLength(std::string_view line, int tabSize) { return ExpandedColumn(line, Length(line), tabSize); }

int ColumnToCharIndex(std::string_view line, int column, int tabSize)
{
    if (column <= 0)
        return 0;
    int current = 0;
    for (int i = 0; i < Length(line); i = NextCharPos(line, i)) {
        const int end = EndColumn(line, i, current, tabSize);
        if (end >= column)
            return column > end - tabSize / 2 ? NextCharPos(line, i) : i;
        current = end;
    }
    return Length(line);
}

int CharIndexAtColumn(std::string_view line, int column, int tabSize)
{
    int current = 0;
    for (int i = 0; i < Length(line); i = NextCharPos(line, i)) {
        current = EndColumn(line, i, current, tabSize);
        if (current > column)
            return i;
    }
    return Length(line);
}

void ExpandTabs(std::string_view part, int startColumn, int tabSize, std::string& out)
{
    out.clear();
    int column = startColumn;
    for (char c : part) {
        if (c == '\t') {
            const int spaces = tabSize - column % tabSize;
            out.append(static_cast<size_t>(spaces), ' ');
            column += spaces;
        } else {
            out.push_back(c);
            ++column;
        }
    }
}

int NextTabStopPos(std::string_view line, int pos, int tabSize)
{
    int column = ExpandedColumn(line, pos, tabSize);
    int remaining = tabSize - column % tabSize;
    int i = pos;
    while (remaining > 0 && i < Length(line)) {
        if (line[static_cast<size_t>(i)] == '\t')
            return i + 1;
        const int end = EndColumn(line, i, column, tabSize);
        remaining -= end - column;
        column = end;
        i = NextCharPos(line, i);
    }
    return i;
}

int PrevTabStopPos(std::string_view line, int pos, int tabSize)
{
    const int offset = ExpandedColumn(line, pos, tabSize);
    int target = offset / tabSize * tabSize;
    if (target == offset && target > 0)
        target -= tabSize;
    int column = 0;
    int i = 0;
    while (column < target && i < Length(line)) {
        column = EndColumn(line, i, column, tabSize);
        i = NextCharPos(line, i);
    }
    return i;
}
