// Docked rows, dividers and the MDI area; dragging dividers and inner edges.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "core/frame/dock_layout.h"

namespace {

using namespace halyard::dock;

Bar Fixed(Side side, int thickness) { return {side, 0, true, false, true, {0, thickness}, {thickness, 0}}; }
Bar Pane(Side side, Size size, int row = 0) { return {side, row, true, false, false, size, size, size}; }
std::tuple<int, int, int, int> Edges(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

std::vector<int> Lengths(const std::vector<RowBar>& row)
{
    std::vector<int> lengths;
    for (const RowBar& bar : row) lengths.push_back(bar.length);
    return lengths;
}

TEST(DockLayout, MainFrameAndTheWorkSpaceInnerEdge)
{
    const Rect client{0, 0, 800, 600};
    // Toolbar, status bar, WorkSpace, Output, mode bar, in the order the frame creates them.
    std::vector<Bar> bars{Fixed(Side::Top, 26), Fixed(Side::Bottom, 20), Pane(Side::Left, {260, 200}),
                          Pane(Side::Bottom, {100, 100}), Fixed(Side::Top, 24)};
    const Layout layout = LayOut(client, bars);
    EXPECT_EQ(std::tuple(0, 26, 800, 50), Edges(layout.bars[4]));
    EXPECT_EQ(std::tuple(0, 480, 800, 580), Edges(layout.bars[3]));
    EXPECT_EQ(std::tuple(0, 50, 260, 480), Edges(layout.bars[2]));
    EXPECT_EQ(std::tuple(260, 50, 800, 480), Edges(layout.mdi));

    std::vector<RowBar> row = TrackingRow(bars, layout, 4); // toolbar, mode bar, status, Output, WorkSpace
    const Limits limits = InnerEdgeLimits(Side::Left, row, FreeSpace(layout, Side::Left), 260);
    EXPECT_EQ(std::tuple(33, 798), std::tuple(limits.lowest, limits.highest));
    MoveInnerEdge(Side::Left, row, limits.Clamp(-50) - 260);
    EXPECT_EQ(33, DockedSize(Side::Left, row[0]).cx);
    MoveInnerEdge(Side::Left, row, limits.Clamp(5000) - 33);
    bars[2].vert = DockedSize(Side::Left, row[0]);
    EXPECT_EQ(2, LayOut(client, bars).mdi.Width());
    // A frame that shrinks afterwards thins the pane to keep the MDI area, never below 33.
    EXPECT_EQ(2, LayOut({0, 0, 500, 600}, bars).mdi.Width());
    EXPECT_EQ(33, LayOut({0, 0, 34, 600}, bars).bars[2].Width());

    // Hidden and floating bars take no space; a floating bar keeps its own size.
    bars[2].visible = false;
    bars[3].floating = true;
    const Layout bare = LayOut(client, bars);
    EXPECT_TRUE(bare.bars[2].IsEmpty() && bare.bars[3].IsEmpty());
    EXPECT_EQ(std::tuple(0, 50, 800, 580), Edges(bare.mdi));
    bars[3].floatSize = {10, 300};
    EXPECT_EQ(std::tuple(37, 300), std::tuple(CurrentSize(bars[3]).cx, CurrentSize(bars[3]).cy));
}

TEST(DockLayout, InnerEdgeGrowsTowardsTheMdiAreaOnEverySide)
{
    // Thickness 120, largest minimum 40, 50 pixels free: 80 to give, 48 to take.
    const std::vector<RowBar> row{{100, 33, 90, 32}, {100, 33, 120, 40}};
    for (Side side : {Side::Top, Side::Left, Side::Bottom, Side::Right}) {
        const bool forward = side == Side::Top || side == Side::Left;
        const Limits limits = InnerEdgeLimits(side, row, 50, 1000);
        EXPECT_EQ(forward ? std::tuple(920, 1048) : std::tuple(952, 1080), std::tuple(limits.lowest, limits.highest));
        std::vector<RowBar> moved = row;
        MoveInnerEdge(side, moved, limits.highest - 1000);
        EXPECT_EQ(std::tuple(forward ? 168 : 40, forward ? 168 : 40), std::tuple(moved[0].thickness, moved[1].thickness));
    }
    const Limits stuck = InnerEdgeLimits(Side::Left, {{50, 32, 33, 33}}, 1, 7); // no room either way
    EXPECT_EQ(std::tuple(7, 7), std::tuple(stuck.lowest, stuck.highest));
}

TEST(DockLayout, DividerMovesLengthBetweenNeighboursDownToTheMinimum)
{
    // The panes' row lies inside the status bar's, whatever the order of the list.
    std::vector<Bar> bars{Pane(Side::Bottom, {300, 100}, 1), Pane(Side::Bottom, {250, 120}, 1), Fixed(Side::Bottom, 20)};
    const Layout layout = LayOut({0, 0, 800, 600}, bars);
    ASSERT_EQ(1u, layout.dividers.size());
    const Divider divider = layout.dividers[0];
    EXPECT_EQ(std::tuple(300, 460, 305, 580), Edges(divider.rect));
    EXPECT_EQ(std::tuple(305, 460, 800, 580), Edges(layout.bars[1])); // the last bar fills the row

    std::vector<RowBar> row = TrackingRow(bars, layout, divider.row);
    const Limits limits = DividerLimits(row, divider.before, 302);
    EXPECT_EQ(std::tuple(302 - 267, 302 + 462), std::tuple(limits.lowest, limits.highest));
    MoveDivider(row, divider.before, limits.Clamp(0) - 302);
    EXPECT_EQ((std::vector<int>{33, 762}), Lengths(row));
    MoveDivider(row, divider.before, limits.Clamp(2000) - limits.lowest);
    EXPECT_EQ((std::vector<int>{762, 33}), Lengths(row));

    // The nearest bar gives first; an unclamped move takes only what there is.
    std::vector<RowBar> three{{100, 33, 50, 32}, {60, 33, 50, 32}, {200, 33, 50, 32}};
    MoveDivider(three, 2, -80);
    EXPECT_EQ((std::vector<int>{47, 33, 280}), Lengths(three));
    MoveDivider(three, 1, -500);
    EXPECT_EQ((std::vector<int>{33, 47, 280}), Lengths(three));
}


TEST(DockLayout, RandomFramesKeepEveryRectangleApartAndTheMdiAreaWhereMinimumsAllow)
{
    std::mt19937 random(20240611);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 3000; ++round) {
        const int x = pick(-20, 20), y = pick(-20, 20);
        const Rect frame{x, y, x + pick(-5, 900), y + pick(-5, 700)};
        std::vector<Bar> bars(pick(0, 7));
        // The rows' minimum thicknesses from the descriptions alone; a fixed bar is a row of its own.
        std::map<std::pair<Side, int>, int> rowMin;
        for (int i = 0; i < int(bars.size()); ++i) {
            Bar& b = bars[i];
            b = pick(0, 4) ? Pane(Side(pick(0, 3)), {pick(-10, 500), pick(-10, 500)}, pick(0, 2))
                           : Fixed(Side(pick(0, 3)), pick(0, 40));
            b.visible = pick(0, 5) != 0;
            b.floating = pick(0, 5) == 0;
            int& m = rowMin[{b.side, b.fixed ? -1 - i : b.row}];
            if (b.visible && !b.floating)
                m = std::max(m, b.fixed ? (IsHorizontal(b.side) ? b.horz.cy : b.vert.cx) : IsHorizontal(b.side) ? 32 : 33);
        }
        const Layout layout = LayOut(frame, bars);

        std::vector<Rect> all{layout.mdi};
        all.insert(all.end(), layout.bars.begin(), layout.bars.end());
        for (const Divider& d : layout.dividers) all.push_back(d.rect);
        for (size_t i = 0; i < all.size(); ++i) {
            const Rect& r = all[i];
            ASSERT_TRUE(r.left <= r.right && r.top <= r.bottom);
            ASSERT_TRUE(r.IsEmpty() || (r.left >= frame.left && r.top >= frame.top && r.right <= frame.right && r.bottom <= frame.bottom));
            for (size_t j = 0; j < i; ++j)
                ASSERT_TRUE(r.IsEmpty() || all[j].IsEmpty() || r.right <= all[j].left || all[j].right <= r.left ||
                            r.bottom <= all[j].top || all[j].bottom <= r.top) << "round " << round;
            if (i > 0 && i <= bars.size() && (!bars[i - 1].visible || bars[i - 1].floating))
                ASSERT_TRUE(r.IsEmpty());
        }
        for (const Row& row : layout.rows)
            for (int i : row.bars)
                ASSERT_TRUE(bars[i].fixed == row.fixed && (!row.fixed || row.bars.size() == 1));
        int across = 0, along = 0;
        for (const auto& [key, m] : rowMin)
            (IsHorizontal(key.first) ? across : along) += m;
        if (across + kMinClientExtent <= frame.Height())
            ASSERT_GE(layout.mdi.Height(), kMinClientExtent) << "round " << round;
        if (along + kMinClientExtent <= frame.Width())
            ASSERT_GE(layout.mdi.Width(), kMinClientExtent) << "round " << round;

        for (size_t r = 0; r < layout.rows.size(); ++r) {
            std::vector<RowBar> row = TrackingRow(bars, layout, int(r));
            const int n = int(row.size()), before = pick(1, std::max(1, n - 1));
            int total = 0, least = kDividerWidth * (n - 1);
            for (const RowBar& b : row) total += b.length, least += b.minLength;
            const Rect& band = layout.rows[r].rect;
            const int room = IsHorizontal(layout.rows[r].side) ? band.Width() : band.Height();
            if (least > room || n < 2)
                continue;
            // Where the minimums fit, the bars fill the row, and random drags within the limits keep
            // its length and every bar at its minimum.
            ASSERT_EQ(room, total + kDividerWidth * (n - 1));
            const Limits limits = DividerLimits(row, before, 0);
            for (int step = 0, at = 0, to = 0; step < 4; ++step, at = to)
                MoveDivider(row, before, (to = limits.Clamp(pick(-600, 600))) - at);
            for (const RowBar& b : row) total -= b.length;
            ASSERT_EQ(0, total);
            for (const RowBar& b : row)
                ASSERT_GE(b.length, b.minLength) << "round " << round;
        }
    }
}

} // namespace
