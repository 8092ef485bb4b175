// Bars docked along a side of the main frame: toolbar, status bar, dialog bar, panes.
#pragma once
#include "fx/fx_wnd.h"

enum class FxDockSide { Top, Bottom, Left, Right };

class FxControlBar : public FxWnd {
public:
    FxDockSide GetDockSide() const { return m_side; }
    void SetDockSide(FxDockSide side) { m_side = side; }
    bool IsVisible() const { return m_hWnd && IsWindowVisible(m_hWnd); }
    // The bar's extent across its side: height for top and bottom bars, width for left and right.
    virtual int GetExtent() const = 0;
    // Called at idle time with the frame that routes update handlers.
    virtual void OnIdleUpdate() {}

protected:
    FxDockSide m_side = FxDockSide::Top;
};
