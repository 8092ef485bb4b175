#include "editor/debug_marks.h"

#include <algorithm>

#include "core/buffer/line_record.h"
#include "fx/fx_handles.h"

namespace {

void PaintBreakpoint(HDC dc, int cx, int cy, int r)
{
    FxBrush fill(CreateSolidBrush(RGB(200, 0, 0)));
    FxPen edge(CreatePen(PS_SOLID, 1, RGB(120, 0, 0)));
    FxSelectObject brush(dc, fill.Get()), pen(dc, edge.Get());
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
}

void PaintArrow(HDC dc, int cx, int cy, int r)
{
    const POINT points[] = {{cx - r, cy - r / 2}, {cx, cy - r / 2}, {cx, cy - r}, {cx + r, cy},
                            {cx, cy + r},         {cx, cy + r / 2}, {cx - r, cy + r / 2}};
    FxBrush fill(CreateSolidBrush(RGB(255, 220, 0)));
    FxPen edge(CreatePen(PS_SOLID, 1, RGB(90, 70, 0)));
    FxSelectObject brush(dc, fill.Get()), pen(dc, edge.Get());
    Polygon(dc, points, static_cast<int>(sizeof points / sizeof points[0]));
}

}  // namespace

void PaintDebugMarks(HDC dc, const RECT& column, std::uint32_t lineFlags)
{
    if (!(lineFlags & (LINE_BREAKPOINT | LINE_EXECUTION))) return;
    const int cx = (column.left + column.right) / 2;
    const int cy = (column.top + column.bottom) / 2;
    const int r = std::max(3, std::min<int>(column.right - column.left, column.bottom - column.top) / 2 - 2);
    if (lineFlags & LINE_BREAKPOINT) PaintBreakpoint(dc, cx, cy, r);
    if (lineFlags & LINE_EXECUTION) PaintArrow(dc, cx, cy, r);
}
