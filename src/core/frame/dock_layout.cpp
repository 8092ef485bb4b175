#include "core/frame/dock_layout.h"

#include <algorithm>

namespace halyard::dock {

namespace {

int LengthOf(Size size, Side side) { return IsHorizontal(side) ? size.cx : size.cy; }
int ThicknessOf(Size size, Side side) { return IsHorizontal(side) ? size.cy : size.cx; }
Size MinDockedOf(const Bar& bar) { return IsHorizontal(bar.side) ? bar.minHorz : bar.minVert; }

int MinLength(const Bar& bar)
{
    return bar.fixed ? 0 : LengthOf(MinDockedOf(bar), bar.side);
}

// A fixed bar never gives way, so its minimum is its own thickness.
int MinThickness(const Bar& bar)
{
    return bar.fixed ? ThicknessOf(CurrentSize(bar), bar.side) : ThicknessOf(MinDockedOf(bar), bar.side);
}

struct RowPlan {
    Row row;
    int index = 0;        // the bars' row index
    int thickness = 0;    // >= minThickness until clipped
    int minThickness = 0;
};

// The visible docked rows of one side, outward to inward: by row index, and within one index in
// the order of each row's first bar. A fixed bar makes a row of its own.
std::vector<RowPlan> GatherRows(const std::vector<Bar>& bars, Side side)
{
    std::vector<RowPlan> rows;
    for (int i = 0; i < static_cast<int>(bars.size()); ++i) {
        const Bar& bar = bars[i];
        if (bar.side != side || !bar.visible || bar.floating)
            continue;
        auto shared = std::find_if(rows.begin(), rows.end(), [&](const RowPlan& r) {
            return !bar.fixed && !r.row.fixed && r.index == bar.row;
        });
        if (shared == rows.end()) {
            rows.push_back({{side, bar.fixed, {}, {}}, bar.row, 0, 0});
            shared = rows.end() - 1;
        }
        shared->row.bars.push_back(i);
        shared->thickness = std::max(shared->thickness, ThicknessOf(CurrentSize(bar), side));
        shared->minThickness = std::max(shared->minThickness, MinThickness(bar));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RowPlan& a, const RowPlan& b) { return a.index < b.index; });
    return rows;
}

// Thins the rows of one axis, last laid out first, until they leave kMinClientExtent of `extent`
// or all are at their minimum.
void Thin(std::vector<RowPlan*>& rows, int extent)
{
    long long excess = -(static_cast<long long>(extent) - kMinClientExtent);
    for (const RowPlan* r : rows)
        excess += r->thickness;
    for (auto it = rows.rbegin(); it != rows.rend() && excess > 0; ++it) {
        const long long cut = std::min<long long>(excess, (*it)->thickness - (*it)->minThickness);
        (*it)->thickness -= static_cast<int>(cut);
        excess -= cut;
    }
}

// Places the bars of one row along its band, with a divider between neighbours.
void LayOutRow(const Row& row, int rowIndex, const std::vector<Bar>& bars, Layout& out)
{
    const bool horz = IsHorizontal(row.side);
    const int n = static_cast<int>(row.bars.size());
    const int start = horz ? row.rect.left : row.rect.top;
    const int end = horz ? row.rect.right : row.rect.bottom;
    std::vector<long long> length(n, 0), minimum(n, 0);
    long long before = 0; // the lengths of all bars but the last
    for (int i = 0; i < n; ++i) {
        const Bar& bar = bars[row.bars[i]];
        minimum[i] = MinLength(bar);
        length[i] = LengthOf(CurrentSize(bar), row.side);
        if (i < n - 1)
            before += length[i];
    }
    const long long room = std::max<long long>(0, static_cast<long long>(end - start) - static_cast<long long>(kDividerWidth) * (n - 1));
    long long need = minimum[n - 1] - (room - before);
    for (int i = n - 2; i >= 0 && need > 0; --i) {
        const long long cut = std::min(need, length[i] - minimum[i]);
        length[i] -= cut;
        before -= cut;
        need -= cut;
    }
    length[n - 1] = std::max<long long>(0, room - before);

    int pos = start;
    for (int i = 0; i < n; ++i) {
        const int len = static_cast<int>(std::min<long long>(length[i], end - pos));
        out.bars[row.bars[i]] = horz ? Rect{pos, row.rect.top, pos + len, row.rect.bottom}
                                     : Rect{row.rect.left, pos, row.rect.right, pos + len};
        pos += len;
        if (i == n - 1)
            break;
        const int gap = std::min(kDividerWidth, end - pos);
        out.dividers.push_back({horz ? Rect{pos, row.rect.top, pos + gap, row.rect.bottom}
                                     : Rect{row.rect.left, pos, row.rect.right, pos + gap},
                                rowIndex, i + 1});
        pos += gap;
    }
}

} // namespace

Size CurrentSize(const Bar& bar)
{
    if (bar.fixed)
        return IsHorizontal(bar.side) ? bar.horz : bar.vert;
    const Size stored = bar.floating ? bar.floatSize : IsHorizontal(bar.side) ? bar.horz : bar.vert;
    const Size minimum = bar.floating ? bar.minFloat : MinDockedOf(bar);
    return {std::max(stored.cx, minimum.cx), std::max(stored.cy, minimum.cy)};
}

Layout LayOut(const Rect& client, const std::vector<Bar>& bars)
{
    Layout out;
    out.bars.resize(bars.size());
    std::vector<RowPlan> top = GatherRows(bars, Side::Top), bottom = GatherRows(bars, Side::Bottom);
    std::vector<RowPlan> left = GatherRows(bars, Side::Left), right = GatherRows(bars, Side::Right);

    const int width = std::max(0, client.right - client.left);
    const int height = std::max(0, client.bottom - client.top);
    std::vector<RowPlan*> across, along;
    for (RowPlan& r : top) across.push_back(&r);
    for (RowPlan& r : bottom) across.push_back(&r);
    for (RowPlan& r : left) along.push_back(&r);
    for (RowPlan& r : right) along.push_back(&r);
    Thin(across, height);
    Thin(along, width);

    // Each row takes its thickness from the free area's outer edge while there is room.
    Rect free{client.left, client.top, client.left + width, client.top + height};
    auto take = [](int thickness, int room) { return std::max(0, std::min(thickness, room)); };
    for (RowPlan& r : top) {
        const int t = take(r.thickness, free.Height());
        r.row.rect = {free.left, free.top, free.right, free.top + t};
        free.top += t;
    }
    for (RowPlan& r : bottom) {
        const int t = take(r.thickness, free.Height());
        r.row.rect = {free.left, free.bottom - t, free.right, free.bottom};
        free.bottom -= t;
    }
    for (RowPlan& r : left) {
        const int t = take(r.thickness, free.Width());
        r.row.rect = {free.left, free.top, free.left + t, free.bottom};
        free.left += t;
    }
    for (RowPlan& r : right) {
        const int t = take(r.thickness, free.Width());
        r.row.rect = {free.right - t, free.top, free.right, free.bottom};
        free.right -= t;
    }
    out.mdi = free;

    for (auto* side : {&top, &bottom, &left, &right})
        for (RowPlan& r : *side) {
            const int index = static_cast<int>(out.rows.size());
            out.rows.push_back(std::move(r.row));
            LayOutRow(out.rows.back(), index, bars, out);
        }
    return out;
}

std::vector<RowBar> TrackingRow(const std::vector<Bar>& bars, const Layout& layout, int row)
{
    std::vector<RowBar> result;
    if (row < 0 || row >= static_cast<int>(layout.rows.size()))
        return result;
    const Row& r = layout.rows[row];
    const bool horz = IsHorizontal(r.side);
    const int thickness = horz ? r.rect.Height() : r.rect.Width();
    for (int i : r.bars) {
        const Rect& rect = layout.bars[i];
        const int length = horz ? rect.Width() : rect.Height();
        const Bar& bar = bars[i];
        result.push_back({length, bar.fixed ? length : MinLength(bar), thickness,
                          bar.fixed ? thickness : MinThickness(bar)});
    }
    return result;
}

int FreeSpace(const Layout& layout, Side side)
{
    return IsHorizontal(side) ? layout.mdi.Height() : layout.mdi.Width();
}

} // namespace halyard::dock
