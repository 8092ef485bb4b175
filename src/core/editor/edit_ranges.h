#pragma once
// The text ranges that the editing and selection commands act on, computed from the buffer.
// Every position answered lies on a character boundary when the positions given do.
#include <string>
#include <string_view>

#include "core/buffer/text_buffer.h"

struct TextRange {
    TextPosition start;
    TextPosition end;
    bool IsEmpty() const { return start == end; }
};

// The two ends in text order.
TextRange Normalized(TextPosition a, TextPosition b);
// True when pt lies in [start, end) of the ordered range.
bool IsInside(TextPosition pt, const TextRange& range);

// The start of the line after `line`, or the end of the last line.
TextPosition LineAfter(const CTextBuffer& buffer, int line);

// Whole lines from the anchor's line to the hit line, as the mouse selects them in the margin:
// going down, from the start of the anchor's line to the start of the line after the hit line,
// with the caret at that end; on the anchor's line or above it, from the start of the line after
// the anchor's line back to the start of the hit line, with the caret there.
struct LineSelection {
    TextPosition selStart; // as set: may lie after selEnd
    TextPosition selEnd;
    TextPosition caret;
};
LineSelection SelectLines(const CTextBuffer& buffer, int anchorLine, int hitLine);

// Block indent and unindent of a selection over more than one line: the lines to change, and the
// selection they leave (from column 0 of the first line to column 0 of the line after the last,
// or the end of the text). A selection ending in column 0 leaves that line alone.
struct BlockLines {
    int first;
    int last;
    TextRange selection;
};
BlockLines BlockLinesOf(const CTextBuffer& buffer, const TextRange& ordered);

// What Delete removes with no selection: the character after the caret, or the line break at a
// line end; empty at the end of the text.
TextRange DeleteRangeAt(const CTextBuffer& buffer, TextPosition caret);
// What Backspace removes: the character before the caret, or the line break before a line start;
// empty at the start of the text.
TextRange BackspaceRangeAt(const CTextBuffer& buffer, TextPosition caret);

// The characters that Shift+Tab removes from a line start: up to tabSize spaces, stopping at the
// first other character, which is taken along when it is a tab.
int UnindentWidth(std::string_view line, int tabSize);
// The indentation that Enter copies from the line above: its leading blanks (space, tab, LF, VT,
// FF), empty when the line starts with anything else. A CR is never copied: inserted, it would
// break the new line again.
std::string_view AutoIndentOf(std::string_view line);

// The characters of [begin, end) on `line` that the ordered selection covers, as a sub-range of
// it (begin == end when none). A line between the selection's lines is covered whole.
struct CharSpan {
    int begin;
    int end;
};
CharSpan SelectedPart(int line, int begin, int end, const TextRange& selection);
