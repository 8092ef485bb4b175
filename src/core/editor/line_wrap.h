#pragma once
// Word wrapping of one printed line in a given width, from the widths of its characters. Positions
// count bytes of code page 936 text; a row never ends between the two bytes of a double-byte
// character.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The width of one character: one byte, or the two bytes of a double-byte character.
using CharWidthFn = std::function<int(std::string_view ch)>;

// The bytes [begin, end) that one row shows.
struct WrapRow {
    int begin = 0;
    int end = 0;
};

// The rows of `text` (tabs already expanded) in `width`, filled greedily. A row may end before a
// run of spaces or next to a double-byte character (Chinese puts no spaces between words); the
// spaces of such a break are neither measured nor shown, and the next row starts after them. A
// word wider than the width is broken after its last character that fits. Every row but an empty
// text's one row shows at least one character, however narrow the width.
std::vector<WrapRow> WrapRows(std::string_view text, int width, const CharWidthFn& widthOf);

// A buffer line as printed: its tabs expanded to spaces up to the next multiple of tabSize,
// counted from the line's start, then wrapped in `width`. An empty line is one empty row.
struct PrintedLine {
    std::string text;
    std::vector<WrapRow> rows;
};
void LayOutPrintedLine(std::string_view line, int tabSize, int width, const CharWidthFn& widthOf, PrintedLine& out);
