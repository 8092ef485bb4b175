// Pagination of a printed listing from given metrics: wrapping, margins, pages and footers.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/editor/char_steps.h"
#include "core/editor/line_wrap.h"
#include "core/editor/preview_layout.h"
#include "core/editor/print_pages.h"

namespace {

// A fixed grid: every byte 10 units wide, so a double-byte character takes 20.
int GridWidth(std::string_view ch) { return static_cast<int>(ch.size()) * 10; }

const std::string kZhong = "\xD6\xD0";  // "中"; "\x81\x41" is a character whose second byte looks like "A"

std::vector<std::string> Rows(const std::string& text, int width)
{
    std::vector<std::string> rows;
    for (const WrapRow& row : WrapRows(text, width, GridWidth)) rows.push_back(text.substr(row.begin, row.end - row.begin));
    return rows;
}

using Strings = std::vector<std::string>;

TEST(PrintWrap, BreaksAtSpacesAndNextToChineseNeverInsideACharacter)
{
    const struct {
        std::string text;
        int width;
        Strings rows;
    } cases[] = {
        {"", 50, {""}},
        {"mov ax, bx", 100, {"mov ax, bx"}},
        {"mov ax, bx", 70, {"mov ax,", "bx"}},           // the break's space is not shown
        {"mov   ax", 40, {"mov", "ax"}},                  // a run of spaces hangs whole
        {"abcdefgh", 30, {"abc", "def", "gh"}},          // a word wider than the row
        {"  mov ax", 50, {"  mov", "ax"}},               // indentation stays
        {"    ", 100, {"    "}},                          // a row of indentation alone too
        {"a" + kZhong + kZhong + "b", 40, {"a" + kZhong, kZhong + "b"}},
        {kZhong + kZhong + kZhong, 30, {kZhong, kZhong, kZhong}},  // never half a character
        {"ab\x81\x41" "cd", 30, {"ab", "\x81\x41", "cd"}},
        {kZhong, 5, {kZhong}},                          // at least one character a row
        {"x;" + kZhong + "\xD7\xA2\xCA\xCD", 50, {"x;" + kZhong, "\xD7\xA2\xCA\xCD"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.rows, Rows(c.text, c.width)) << c.text << " in " << c.width;
}

// Random lines of letters, spaces and double-byte characters in random widths: the rows cover the
// text in order with only break spaces left out, start and end on character boundaries, and fit
// unless they hold a single character.
TEST(PrintWrap, RowsCoverTheTextAndFit)
{
    std::mt19937 random(17);
    const std::string pieces[] = {"a", "b", " ", "  ", kZhong, "\x81\x41", "\t"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = random() % 20; n > 0; --n) text += pieces[random() % 7];
        const int width = static_cast<int>(random() % 80);
        int covered = 0;
        for (const WrapRow& row : WrapRows(text, width, GridWidth)) {
            for (; covered < row.begin; ++covered) ASSERT_EQ(' ', text[covered]) << text;
            ASSERT_EQ(row.begin, CharStartAt(text, row.begin)) << text;
            ASSERT_EQ(row.end, CharStartAt(text, row.end)) << text;
            const int fill = (row.end - row.begin) * 10;
            ASSERT_TRUE(fill <= width || row.end == NextCharPos(text, row.begin)) << text << " in " << width;
            covered = row.end;
        }
        for (; covered < static_cast<int>(text.size()); ++covered) ASSERT_EQ(' ', text[covered]) << text;
    }
}

TEST(PrintWrap, TabsExpandFromTheLineStart)
{
    PrintedLine printed;
    LayOutPrintedLine("ab\tc\t" + kZhong + "\td", 4, 1000, GridWidth, printed);
    EXPECT_EQ("ab  c   " + kZhong + "  d", printed.text);
    LayOutPrintedLine("\t\tx", 4, 50, GridWidth, printed);
    EXPECT_EQ((Strings{"        x"}), Strings{printed.text});
    EXPECT_EQ(2u, printed.rows.size());  // eight columns of indentation fill the first row
}

TEST(PrintPages, MarginsDefaultToTenMillimetresAndLeaveTheFooterStrip)
{
    const PrintRect page{0, 0, 2400, 3300};  // 8 x 11 inches at 300 dots per inch
    EXPECT_EQ(118, MarginToDots(PageMargins{}.left, 300));  // 10 mm = 118.1 dots
    EXPECT_EQ(0, MarginToDots(-500, 300));
    EXPECT_EQ(142, MarginToDots(1000, 360));  // 141.7 dots: rounded, not cut
    const PrintRect rc = PrintableRect(page, PageMargins{}, 300, 300, 40, true);
    EXPECT_EQ(118, rc.left);
    EXPECT_EQ(2400 - 118, rc.right);
    EXPECT_EQ(118, rc.top);
    EXPECT_EQ(3300 - 118 - 60, rc.bottom);
    const PrintRect strip = FooterStrip(rc, 40);
    EXPECT_EQ(rc.bottom, strip.top);
    EXPECT_EQ(3300 - 118, strip.bottom);
    EXPECT_EQ(3300 - 118, PrintableRect(page, PageMargins{}, 300, 300, 40, false).bottom);
    // Margins wider than the paper leave an empty rectangle, not an inverted one.
    const PrintRect none = PrintableRect(page, PageMargins{20000, 20000, 30000, 30000}, 300, 300, 40, true);
    EXPECT_EQ(0, none.Width());
    EXPECT_EQ(0, none.Height());
}

TEST(PrintPages, LinesFillPagesAndATallLineTakesAPageOfItsOwn)
{
    const struct {
        std::vector<int> heights;
        int printable;
        std::vector<int> starts;
    } cases[] = {
        {{10}, 100, {0}},                        // one empty line: one page
        {std::vector<int>(20, 10), 100, {0, 10}},  // exactly full pages
        {std::vector<int>(21, 10), 100, {0, 10, 20}},
        {{10, 250, 10, 10}, 100, {0, 1, 2}},     // the tall line alone, cut when printed
        {{250, 10}, 100, {0, 1}},
        {{10, 10}, 0, {0, 1}},                   // no room at all: a line a page
    };
    for (const auto& c : cases) {
        const auto starts = LayOutPageStarts(static_cast<int>(c.heights.size()), c.printable,
                                             [&](int line) { return c.heights[line]; });
        EXPECT_EQ(c.starts, starts);
    }
    EXPECT_EQ("Page 1/1", PageFooterText(1, 1));
    EXPECT_EQ("Page 12/200", PageFooterText(12, 200));
}

TEST(PrintPreview, PagesKeepThePaperShapeAndFit)
{
    for (int pages : {1, 2}) {
        for (int zoom : {1, 2, 3}) {
            const PreviewLayout layout = LayOutPreview(800, 600, 2100, 2970, pages, zoom);
            ASSERT_EQ(pages, layout.pageCount);
            const PrintRect& first = layout.pages[0];
            EXPECT_NEAR(2970.0 / 2100, double(first.Height()) / first.Width(), 0.02);
            EXPECT_GE(layout.canvasWidth, 800);
            EXPECT_LE(layout.pages[pages - 1].right + kPreviewGap, layout.canvasWidth);
            EXPECT_LE(first.bottom + kPreviewGap, layout.canvasHeight);
            if (zoom == 1) {
                EXPECT_EQ(600, layout.canvasHeight);
                if (pages == 1) EXPECT_EQ(600 - 2 * kPreviewGap, first.Height());  // the height limits
            } else {
                EXPECT_EQ(zoom * LayOutPreview(800, 600, 2100, 2970, pages, 1).pages[0].Height(), first.Height());
            }
        }
    }
    // Two landscape pages are limited by the width; a degenerate area still gives pixels.
    const PreviewLayout wide = LayOutPreview(800, 600, 2970, 2100, 2, 1);
    EXPECT_EQ(wide.pages[0].Width(), wide.pages[1].Width());
    EXPECT_EQ(kPreviewGap, wide.pages[1].left - wide.pages[0].right);
    const PreviewLayout tiny = LayOutPreview(0, 0, 2100, 2970, 2, 9);
    EXPECT_GE(tiny.pages[1].Width(), 1);
}

}  // namespace
