#pragma once
// Display columns of a line: a tab moves to the next multiple of the tab size, every other byte
// takes one column, so a double-byte character fills exactly two. Each function walks whole
// characters and answers character boundaries only.
#include <string>
#include <string_view>

// The column at which the character at pos starts (pos up to the length).
int ExpandedColumn(std::string_view line, int pos, int tabSize);
// The columns the whole line takes; 0 for an empty line.
int ExpandedLength(std::string_view line, int tabSize);

// Where a vertical move aimed at `column` lands: at the first character whose end column reaches
// the column, after it when the column is past its end minus half a tab, else before it; so the
// caret takes the nearer side of a tab. Column 0 gives 0, a column past the end the length.
int ColumnToCharIndex(std::string_view line, int column, int tabSize);
// The character a click in column n hits: the first whose end column is greater than n, or the
// length when there is none.
int CharIndexAtColumn(std::string_view line, int column, int tabSize);

// `part`, which starts at display column startColumn, with each tab replaced by the spaces up to
// the next tab stop.
void ExpandTabs(std::string_view part, int startColumn, int tabSize, std::string& out);

// Overwrite mode's Tab: from pos, the caret walks right until it has covered the columns to the
// next tab stop, stops right after a tab it steps over, and stops at the line end.
int NextTabStopPos(std::string_view line, int pos, int tabSize);
// Shift+Tab without a selection: the first character boundary at or past the tab stop left of
// pos (the one before that when pos is on a stop).
int PrevTabStopPos(std::string_view line, int pos, int tabSize);
