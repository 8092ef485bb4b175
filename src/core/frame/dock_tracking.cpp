// Tracking a dragged divider or inner edge within one row (declared in dock_layout.h).
#include "core/frame/dock_layout.h"

#include <algorithm>

namespace halyard::dock {

namespace {

int Spare(const RowBar& bar) { return std::max(0, bar.length - bar.minLength); }

int RowThickness(const std::vector<RowBar>& row)
{
    int thickness = 0;
    for (const RowBar& bar : row)
        thickness = std::max(thickness, bar.thickness);
    return thickness;
}

int RowMinThickness(const std::vector<RowBar>& row)
{
    int thickness = 0;
    for (const RowBar& bar : row)
        thickness = std::max(thickness, bar.minThickness);
    return thickness;
}

bool GrowsForward(Side side) { return side == Side::Top || side == Side::Left; }

} // namespace

Limits DividerLimits(const std::vector<RowBar>& row, int before, int start)
{
    const int n = static_cast<int>(row.size());
    before = std::max(0, std::min(before, n));
    int back = 0, on = 0;
    for (int i = 0; i < n; ++i)
        (i < before ? back : on) += Spare(row[i]);
    return {start - back, start + on};
}

Limits InnerEdgeLimits(Side side, const std::vector<RowBar>& row, int freeSpace, int start)
{
    const int shrink = std::max(0, RowThickness(row) - RowMinThickness(row));
    const int grow = std::max(0, freeSpace - kMinClientExtent);
    return GrowsForward(side) ? Limits{start - shrink, start + grow} : Limits{start - grow, start + shrink};
}

void MoveDivider(std::vector<RowBar>& row, int before, int distance)
{
    const int n = static_cast<int>(row.size());
    if (before < 1 || before >= n || distance == 0)
        return;
    // Moving on, the bar before the divider grows and the bars after it give, nearest first;
    // moving back, the other way round.
    const int step = distance > 0 ? 1 : -1;
    const int receiver = distance > 0 ? before - 1 : before;
    const int wanted = distance > 0 ? distance : -distance;
    int given = 0;
    for (int i = distance > 0 ? before : before - 1; i >= 0 && i < n && given < wanted; i += step) {
        const int cut = std::min(wanted - given, Spare(row[i]));
        row[i].length -= cut;
        given += cut;
    }
    row[receiver].length += given;
}

void MoveInnerEdge(Side side, std::vector<RowBar>& row, int distance)
{
    const int thickness = std::max(0, RowThickness(row) + (GrowsForward(side) ? distance : -distance));
    for (RowBar& bar : row)
        bar.thickness = thickness;
}

Size DockedSize(Side side, const RowBar& bar)
{
    return IsHorizontal(side) ? Size{bar.length, bar.thickness} : Size{bar.thickness, bar.length};
}

} // namespace halyard::dock
