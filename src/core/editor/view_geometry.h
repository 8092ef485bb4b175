#pragma once
// Scrolling and margin arithmetic of a text view, in lines, columns and pixels.
#include <cstdint>

// The top line that shows `line` on a screen of screenLines lines: unchanged when it is visible,
// else the line becomes the last (below) or the first (above) visible one; within 0 to
// lineCount - 1.
int TopLineShowing(int line, int topLine, int screenLines, int lineCount);
// The first visible column that shows `column` on a screen of screenColumns columns; within 0 to
// maxLength - 1.
int FirstColumnShowing(int column, int firstColumn, int screenColumns, int maxLength);

// The scroll bar requests of a text view, independent of the system's codes.
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Track, ToStart, ToEnd, None };
// The position a request leads to: lines move by 1, pages by the page size less one, the thumb
// goes where it was dragged, the ends to 0 or count - page + 1; always within 0 to count - 1.
int ScrollTarget(ScrollRequest request, int position, int page, int count, int trackPosition);

// Automatic scrolling while the mouse is held outside the text: the lines to scroll for a cursor
// at y, given the client's top and bottom: 1 within one line height of the edge, 3 further away,
// negative upwards, 0 inside.
int AutoScrollLines(int y, int top, int bottom, int lineHeight);
// The columns to scroll for a cursor at x: -1 left of `left`, 1 at or right of `right`, else 0.
int AutoScrollColumns(int x, int left, int right);

// The margin shows line numbers and bookmark icons. It is 50 pixels wide; a document whose largest
// line number has more digits than fit in the number column (left of the 20-pixel icon column, 3
// pixels in, a 2-pixel gap) widens it so that no number is ever shown cut.
int MarginWidthFor(int lineCount, int charWidth);
inline constexpr int kMarginIconColumn = 20;
inline constexpr int kMarginNumberLeft = 3;

// The margin image of a line's flags: numbered bookmarks 1 to 9 first, then 0, then the unnamed
// bookmark; -1 for none. The images are those of the bookmark strip: numbered bookmark n is image
// n, the unnamed bookmark image 10.
int MarginImageFor(std::uint32_t lineFlags);
