// Line caches, scrolling arithmetic, the margin and split panes.
#include <gtest/gtest.h>

#include <vector>

#include "core/buffer/line_record.h"
#include "core/editor/line_cache.h"
#include "core/editor/split_layout.h"
#include "core/editor/view_geometry.h"

namespace {

TEST(LineStateCache, FillsForwardFromTheNearestKnownLineOnly)
{
    CLineStateCache cache;
    std::vector<int> classified;
    // Each line adds its index to the entering state, so a wrong entering state shows.
    auto classify = [&](std::uint32_t entering, int line) {
        classified.push_back(line);
        return entering + static_cast<std::uint32_t>(line);
    };
    EXPECT_EQ(0u, StateLeavingLine(cache, -1, 10, classify));
    EXPECT_EQ(6u, StateLeavingLine(cache, 3, 10, classify));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), classified);
    classified.clear();
    EXPECT_EQ(15u, StateLeavingLine(cache, 5, 10, classify));
    EXPECT_EQ((std::vector<int>{4, 5}), classified);

    // An edit in line 2 forgets lines 2 on; the next question restarts from line 1's entry.
    cache.Invalidate(2, 12);
    classified.clear();
    EXPECT_EQ(10u, StateLeavingLine(cache, 4, 12, classify));
    EXPECT_EQ((std::vector<int>{2, 3, 4}), classified);
    EXPECT_EQ(12, cache.Count());
    EXPECT_FALSE(cache.IsKnown(5));
    EXPECT_TRUE(cache.IsKnown(1));
}

TEST(LineStateCache, InvalidateBeforeFirstUseAllocatesNothing)
{
    CLineLengthCache cache;
    cache.Invalidate(0, 100);
    EXPECT_FALSE(cache.IsAllocated());
    cache.EnsureAllocated(3);
    cache.Set(2, 7);
    cache.Invalidate(-1, 2);  // -1 means from the first line
    EXPECT_EQ(2, cache.Count());
    EXPECT_FALSE(cache.IsKnown(0));
}

TEST(LineLengthCache, EntriesMoveWithTheirLines)
{
    CLineLengthCache cache;
    cache.EnsureAllocated(5);
    for (int i = 0; i < 5; ++i)
        cache.Set(i, 10 + i);
    cache.MoveLines(1, 2);  // two lines inserted after line 1
    ASSERT_EQ(7, cache.Count());
    EXPECT_EQ(10, cache.Get(0));
    EXPECT_FALSE(cache.IsKnown(1));
    EXPECT_FALSE(cache.IsKnown(2));
    EXPECT_FALSE(cache.IsKnown(3));
    EXPECT_EQ(12, cache.Get(4));
    EXPECT_EQ(14, cache.Get(6));
    cache.MoveLines(4, -2);  // lines 5 and 6 removed, joined into line 4
    ASSERT_EQ(5, cache.Count());
    EXPECT_FALSE(cache.IsKnown(4));
    EXPECT_EQ(10, cache.Get(0));
    cache.MoveLines(3, -9);  // never past the end
    EXPECT_EQ(4, cache.Count());
}

TEST(ViewGeometry, MarginWidensOnlyWhenNumbersWouldBeCut)
{
    EXPECT_EQ(50, MarginWidthFor(1, 8));
    EXPECT_EQ(50, MarginWidthFor(999, 8));
    EXPECT_EQ(57, MarginWidthFor(1000, 8));
    EXPECT_EQ(65, MarginWidthFor(99999, 8));
    EXPECT_EQ(73, MarginWidthFor(100000, 8));
    EXPECT_EQ(50, MarginWidthFor(0, 8));
}

TEST(SplitLayout, SplitsOnlyWhenBothPanesKeepTheMinimum)
{
    const int total = 300, bar = 6, min = 30;
    SplitAxis axis;
    EXPECT_FALSE(SplitAxisAt(axis, 29, total, bar, min));
    EXPECT_FALSE(SplitAxisAt(axis, total - bar - 29, total, bar, min));
    EXPECT_EQ(1, axis.panes);
    ASSERT_TRUE(SplitAxisAt(axis, 100, total, bar, min));
    PaneExtents e = LayOutAxis(axis, total, bar);
    EXPECT_EQ(0, e.start[0]);
    EXPECT_EQ(100, e.size[0]);
    EXPECT_EQ(106, e.start[1]);
    EXPECT_EQ(194, e.size[1]);
    EXPECT_FALSE(SplitAxisAt(axis, 50, total, bar, min));  // two panes at most

    EXPECT_EQ(BarDrop::Moved, DropBar(axis, 150, total, bar, min));
    EXPECT_EQ(150, axis.first);
    EXPECT_EQ(BarDrop::CloseFirst, DropBar(axis, 10, total, bar, min));
    EXPECT_EQ(BarDrop::CloseSecond, DropBar(axis, 280, total, bar, min));

    // A window shrunk below the split keeps every extent within it.
    e = LayOutAxis(axis, 100, bar);
    EXPECT_EQ(94, e.size[0]);
    EXPECT_EQ(0, e.size[1]);
    e = LayOutAxis(axis, 3, bar);
    EXPECT_GE(e.size[0], 0);
    EXPECT_LE(e.start[1], 3);
}

} // namespace
