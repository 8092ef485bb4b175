#include "core/buffer/position_adjuster.h"

#include <algorithm>

void InsertAdjuster::AdjustPosition(TextPosition& pt) const
{
    if (pt.y < m_ptStart.y)
        return;
    if (pt.y > m_ptStart.y) {
        pt.y += m_ptEnd.y - m_ptStart.y;
        return;
    }
    if (pt.x <= m_ptStart.x)
        return;
    pt.x = m_ptEnd.x + (pt.x - m_ptStart.x);
    pt.y = m_ptEnd.y;
}

void DeleteAdjuster::AdjustPosition(TextPosition& pt) const
{
    if (pt.y < m_ptStart.y)
        return;
    if (pt.y > m_ptEnd.y) {
        pt.y -= m_ptEnd.y - m_ptStart.y;
        return;
    }
    if (pt.y == m_ptEnd.y && pt.x >= m_ptEnd.x) {
        pt.x = m_ptStart.x + (pt.x - m_ptEnd.x);
        pt.y = m_ptStart.y;
        return;
    }
    if (pt.y == m_ptStart.y)
        pt.x = std::min(pt.x, m_ptStart.x);
    else
        pt = m_ptStart;
}
