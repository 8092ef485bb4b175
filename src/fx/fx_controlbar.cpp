#include "fx/fx_controlbar.h"

UINT FxControlBar::GetDockBarId() const
{
    if (!m_bInFrame) return 0;
    if (m_bFloating) return kFxDockBarFloat;
    switch (m_side) {
    case FxDockSide::Top: return kFxDockBarTop;
    case FxDockSide::Left: return kFxDockBarLeft;
    case FxDockSide::Right: return kFxDockBarRight;
    case FxDockSide::Bottom: break;
    }
    return kFxDockBarBottom;
}

bool FxControlBar::CanDock(FxDockSide side) const
{
    switch (side) {
    case FxDockSide::Top: return (m_dwDockSides & kFxDockTop) != 0;
    case FxDockSide::Bottom: return (m_dwDockSides & kFxDockBottom) != 0;
    case FxDockSide::Left: return (m_dwDockSides & kFxDockLeft) != 0;
    case FxDockSide::Right: break;
    }
    return (m_dwDockSides & kFxDockRight) != 0;
}

halyard::dock::Bar FxControlBar::DockDescription() const
{
    halyard::dock::Bar bar;
    bar.side = m_side;
    bar.row = m_nRow;
    bar.visible = IsVisible();
    bar.floating = m_bFloating;
    bar.fixed = true;
    bar.horz.cy = bar.vert.cx = GetExtent();
    return bar;
}
