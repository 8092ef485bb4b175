#pragma once
// The pages of a printed listing: margins, the printable rectangle and the footer strip, in the
// printer's device units, and which lines each page holds.
#include <functional>
#include <string>
#include <vector>

struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Page margins in hundredths of a millimetre, as the user sets them; 10 mm each until set.
inline constexpr int kDefaultPageMargin = 1000;
struct PageMargins {
    int left = kDefaultPageMargin, right = kDefaultPageMargin;
    int top = kDefaultPageMargin, bottom = kDefaultPageMargin;
};

// Hundredths of a millimetre in dots of a device with `dotsPerInch`, to the nearest dot; a
// negative margin counts as none.
int MarginToDots(int hundredthsMm, int dotsPerInch);

// The page less its margins and, when pages carry a footer, less the footer strip at the bottom.
// A rectangle that margins larger than the page would turn inside out is empty instead, at the
// left (top) margin.
PrintRect PrintableRect(const PrintRect& page, const PageMargins& margins, int dotsPerInchX, int dotsPerInchY,
                        int lineHeight, bool bFooter);
// The strip below the printable rectangle that holds the footer: as wide as the printable
// rectangle and one and a half line heights tall, the text on its bottom line.
PrintRect FooterStrip(const PrintRect& printable, int lineHeight);
// "Page 3/7".
std::string PageFooterText(int page, int pageCount);

// The first line of every page, in order; at least one page. Lines fill a page while their heights
// add up to no more than printableHeight; the line that would pass it starts the next page. So a
// line taller than a page gets a page of its own (printing cuts it at the bottom), and the next
// line starts a new one.
std::vector<int> LayOutPageStarts(int lineCount, int printableHeight, const std::function<int(int line)>& heightOf);
