#include "core/editor/split_layout.h"

#include <algorithm>

PaneExtents LayOutAxis(const SplitAxis& axis, int total, int bar)
{
    total = std::max(total, 0);
    if (axis.panes < 2)
        return {{0, total}, {total, 0}};
    const int first = std::max(0, std::min(axis.first, total - bar));
    const int second = std::max(0, total - first - bar);
    return {{0, std::min(first + bar, total)}, {first, second}};
}

bool SplitAxisAt(SplitAxis& axis, int pos, int total, int bar, int minPane)
{
    if (axis.panes >= 2 || pos < minPane || total - pos - bar < minPane)
        return false;
    axis.panes = 2;
    axis.first = pos;
    return true;
}

BarDrop DropBar(SplitAxis& axis, int pos, int total, int bar, int minPane)
{
    if (pos < minPane)
        return BarDrop::CloseFirst;
    if (total - pos - bar < minPane)
        return BarDrop::CloseSecond;
    axis.first = pos;
    return BarDrop::Moved;
}
