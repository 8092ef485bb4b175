// Bars docked along a side of a frame: toolbar, status bar, dialog bar, panes.
#pragma once
#include "core/frame/dock_layout.h"
#include "fx/fx_mdiframe.h"

using FxDockSide = halyard::dock::Side;

class FxControlBar : public FxWnd {
public:
    FxDockSide GetDockSide() const { return m_side; }
    void SetDockSide(FxDockSide side) { m_side = side; }
    bool IsVisible() const { return m_hWnd && IsWindowVisible(m_hWnd); }
    // The bar's extent across its side: height for top and bottom bars, width for left and right.
    virtual int GetExtent() const = 0;
    // Called at idle time; update handlers are routed through the bar's frame.
    virtual void OnIdleUpdate() {}
    // How the frame's layout sees the bar: by default a bar of its own row spanning its side at
    // its extent (toolbar, status bar, dialog bar).
    virtual halyard::dock::Bar DockDescription() const
    {
        halyard::dock::Bar bar;
        bar.side = m_side;
        bar.visible = IsVisible();
        bar.fixed = true;
        bar.horz.cy = bar.vert.cx = GetExtent();
        return bar;
    }
    // The frame the bar was created in; null before creation. The bar's window is the frame's
    // child, so the frame outlives every message the bar handles.
    FxMDIFrame* GetFrame() const { return m_pFrame; }

protected:
    // Keeps `frame` and returns its window, the parent of the bar to be made; null (and no frame
    // kept) when there is no frame or it has no window yet.
    HWND BeginCreate(FxMDIFrame* frame)
    {
        m_pFrame = frame && frame->m_hWnd ? frame : nullptr;
        return m_pFrame ? m_pFrame->m_hWnd : nullptr;
    }

    FxDockSide m_side = FxDockSide::Top;
    FxMDIFrame* m_pFrame = nullptr;
};
