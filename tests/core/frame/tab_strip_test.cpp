// Page tab strip: page and tab rectangles, tab widths, hit testing, shortened titles; the MDI
// client's place in the MDI tab bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/editor/char_steps.h"
#include "core/frame/tab_strip.h"

namespace {

using namespace halyard::tabs;

std::tuple<int, int, int, int> Edges(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The tab font: 6 pixels per byte, so an ASCII character is 6 wide and a double-byte one 12.
int Measure(std::string_view text) { return static_cast<int>(text.size()) * 6; }

TEST(TabStrip, PagesFrameAndStripOfEachPlacement)
{
    const Rect client{0, 0, 200, 300};
    struct Case {
        unsigned createStyle;
        std::tuple<int, int, int, int> pages, frame, strip;
    };
    const Case cases[] = {
        {2, {4, 4, 196, 275}, {2, 2, 198, 277}, {6, 277, 194, 299}},   // bottom: the main frame's
        {1, {4, 25, 196, 296}, {2, 23, 198, 298}, {2, 0, 194, 23}},    // top
        {0, {4, 25, 196, 296}, {2, 23, 198, 298}, {2, 0, 194, 23}},    // no placement bit: top
        {3 | 4, {4, 4, 196, 275}, {2, 2, 198, 277}, {6, 277, 194, 299}}, // both: bottom
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.createStyle);
        const PageTabGeometry g = PageTabLayout(client, StyleFromCreateStyle(c.createStyle), 1);
        EXPECT_EQ(c.pages, Edges(g.pages));
        EXPECT_EQ(c.frame, Edges(g.frame));
        EXPECT_EQ(c.strip, Edges(g.strip));
    }
    EXPECT_EQ(1u, StyleFromCreateStyle(0x50000000));
    EXPECT_EQ(kStyleEqualWidth, StyleFromCreateStyle(kStyleEqualWidth));
    // A client smaller than the margins gives empty rectangles, never inverted ones.
    const PageTabGeometry tiny = PageTabLayout({0, 0, 5, 10}, kStyleBottom, 1);
    for (const Rect& r : {tiny.pages, tiny.frame, tiny.strip}) {
        EXPECT_TRUE(r.IsEmpty());
        EXPECT_GE(r.Width(), 0);
        EXPECT_GE(r.Height(), 0);
    }
}

TEST(TabStrip, WidthsFitOrShareTheStripEqually)
{
    struct Case {
        const char* name;
        std::vector<int> natural;
        int strip;
        bool equal;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"fit", {71, 92, 63}, 248, false, {71, 92, 63}},
        {"exactly fit", {71, 92, 63}, 226, false, {71, 92, 63}},
        // 225 / 3 = 75: a narrower tab keeps its own width, the wider ones take the share.
        {"one pixel short", {71, 92, 63}, 225, false, {71, 75, 63}},
        {"narrow pane", {71, 92, 63}, 100, false, {33, 33, 33}},
        {"equal width", {71, 92, 63}, 248, true, {82, 82, 82}},
        {"no room", {71, 92}, -4, false, {0, 0}},
        {"no tabs", {}, 100, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int> widths = TabWidths(c.natural, c.strip, c.equal);
        EXPECT_EQ(c.widths, widths);
        int total = 0;
        for (int w : widths) total += w;
        EXPECT_LE(total, std::max(0, c.strip));
    }
    EXPECT_EQ(71, NaturalTabWidth(44, true));
    EXPECT_EQ(53, NaturalTabWidth(44, false));
    EXPECT_EQ(6, TitleRoom(33, true));
    EXPECT_EQ(0, TitleRoom(20, true));
}

TEST(TabStrip, TabsFollowEachOtherAndHitTestingFindsThem)
{
    const std::vector<Rect> tabs = PlaceTabs({6, 277, 194, 299}, {30, 0, 40});
    ASSERT_EQ(3u, tabs.size());
    EXPECT_EQ(std::make_tuple(6, 277, 36, 299), Edges(tabs[0]));
    EXPECT_EQ(std::make_tuple(36, 277, 36, 299), Edges(tabs[1]));
    EXPECT_EQ(std::make_tuple(36, 277, 76, 299), Edges(tabs[2]));
    const std::tuple<int, int, int> hits[] = {
        {6, 277, 0}, {35, 298, 0}, {36, 280, 2}, {75, 280, 2}, {76, 280, -1}, {5, 280, -1}, {20, 299, -1}, {20, 276, -1},
    };
    for (auto [x, y, index] : hits) EXPECT_EQ(index, HitTest(tabs, x, y)) << x << "," << y;
}

TEST(TabStrip, ShortenedTitlesLoseWholeCharactersAndEndInEllipsis)
{
    const std::string kTitle = "\xD6\xD0\xCE\xC4\xB1\xEA\xCC\xE2"; // "中文标题", 48 pixels
    struct Case {
        std::string title;
        int room;
        std::string shown;
    };
    const Case cases[] = {
        {kTitle, 48, kTitle},
        {kTitle, 47, "\xD6\xD0\xCE\xC4..."}, // "中文...": "中文标..." would need 54
        {kTitle, 41, "\xD6\xD0..."},
        {kTitle, 18, "..."},
        {kTitle, 3, "..."},
        // Cutting at a byte count would keep the lead byte of "中": "a\xD6..." is 24 wide.
        {"a\xD6\xD0" "b\xCE\xC4", 35, "a..."},
        // A trail byte in the ASCII range ("\x81\x40") is not a character of its own.
        {"x\x81\x40\x81\x40", 29, "x..."},
        {"SegmentView", 60, "Segment..."},
        {"", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.shown, ShortenTitle(c.title, c.room, Measure)) << c.title << " in " << c.room;
}

// Random code page 936 titles at random widths: the result is the title itself when it fits, else
// the longest prefix ending on a character boundary that fits with "...".
TEST(TabStrip, ShorteningPropertyOverRandomTitles)
{
    std::mt19937 rng(936);
    std::uniform_int_distribution<int> pick(0, 3), lead(0x81, 0xFE), trail(0x40, 0xFE), ascii(0x20, 0x7E);
    for (int round = 0; round < 2000; ++round) {
        std::string title;
        for (int n = pick(rng) * 3; n > 0; --n) {
            if (pick(rng) == 0) {
                title += static_cast<char>(ascii(rng));
            } else {
                int t = trail(rng);
                if (t == 0x7F) t = 0x80;
                title += static_cast<char>(lead(rng));
                title += static_cast<char>(t);
            }
        }
        const int room = std::uniform_int_distribution<int>(0, 80)(rng);
        const std::string shown = ShortenTitle(title, room, Measure);
        SCOPED_TRACE(testing::Message() << "room " << room << " title " << title);
        if (Measure(title) <= room) {
            EXPECT_EQ(title, shown);
            continue;
        }
        ASSERT_GE(shown.size(), 3u);
        ASSERT_EQ("...", shown.substr(shown.size() - 3));
        const std::string prefix = shown.substr(0, shown.size() - 3);
        ASSERT_EQ(title.substr(0, prefix.size()), prefix);
        EXPECT_EQ(static_cast<int>(prefix.size()), CharStartAt(title, static_cast<int>(prefix.size())));
        if (!prefix.empty()) EXPECT_LE(Measure(shown), room);
        const int longer = NextCharPos(title, static_cast<int>(prefix.size()));
        EXPECT_GT(Measure(title.substr(0, static_cast<size_t>(longer)) + "..."), room);
    }
}

TEST(TabStrip, MdiClientInsetInTheDisplayArea)
{
    const std::tuple<Rect, std::tuple<int, int, int, int>> cases[] = {
        {{0, 0, 400, 300}, {5, 5, 395, 295}},
        {{10, 20, 21, 31}, {15, 25, 16, 26}},  // 11 across: still inset
        {{10, 20, 20, 100}, {10, 25, 20, 95}}, // 10 across: that axis is left as it is
        {{10, 20, 0, 5}, {10, 20, 10, 20}},    // smaller than nothing: empty
    };
    for (const auto& [display, inner] : cases) EXPECT_EQ(inner, Edges(InsetDisplay(display, 5)));
}

} // namespace
