#include "core/editor/print_pages.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {
const int kHundredthsPerInch = 2540;

// The two edges pulled in; when they would cross, both at the first edge's pulled position.
void Inset(int& low, int& high, int lowInset, int highInset)
{
    low += lowInset;
    high = std::max(low, high - highInset);
}
}  // namespace

int MarginToDots(int hundredthsMm, int dotsPerInch)
{
    if (hundredthsMm <= 0 || dotsPerInch <= 0) return 0;
    const std::int64_t dots = (static_cast<std::int64_t>(hundredthsMm) * dotsPerInch + kHundredthsPerInch / 2) /
                              kHundredthsPerInch;
    return static_cast<int>(std::min<std::int64_t>(dots, INT32_MAX / 4));
}

PrintRect PrintableRect(const PrintRect& page, const PageMargins& margins, int dotsPerInchX, int dotsPerInchY,
                        int lineHeight, bool bFooter)
{
    PrintRect rc = page;
    Inset(rc.left, rc.right, MarginToDots(margins.left, dotsPerInchX), MarginToDots(margins.right, dotsPerInchX));
    Inset(rc.top, rc.bottom, MarginToDots(margins.top, dotsPerInchY), MarginToDots(margins.bottom, dotsPerInchY));
    if (bFooter) Inset(rc.top, rc.bottom, 0, lineHeight + lineHeight / 2);
    return rc;
}

PrintRect FooterStrip(const PrintRect& printable, int lineHeight)
{
    return {printable.left, printable.bottom, printable.right, printable.bottom + lineHeight + lineHeight / 2};
}

std::string PageFooterText(int page, int pageCount)
{
    char text[32];
    std::snprintf(text, sizeof text, "Page %d/%d", page, pageCount);
    return text;
}

std::vector<int> LayOutPageStarts(int lineCount, int printableHeight, const std::function<int(int line)>& heightOf)
{
    std::vector<int> starts{0};
    std::int64_t y = lineCount > 0 ? heightOf(0) : 0;
    for (int line = 1; line < lineCount; ++line) {
        const int height = heightOf(line);
        y += height;
        if (y > printableHeight) {
            starts.push_back(line);
            y = height;
        }
    }
    return starts;
}
