// Bars docked along a side of a frame or floating in a small frame of their own: toolbar,
// status bar, dialog bar, panes.
#pragma once
#include "core/frame/dock_layout.h"
#include "fx/fx_mdiframe.h"

using FxDockSide = halyard::dock::Side;

// The dock bars of a frame, by their framework ids.
enum : UINT {
    kFxDockBarTop = 0xE81B,
    kFxDockBarLeft = 0xE81C,
    kFxDockBarRight = 0xE81D,
    kFxDockBarBottom = 0xE81E,
    kFxDockBarFloat = 0xE81F,
};

// The sides a bar may be docked on.
enum : DWORD {
    kFxDockTop = 0x1,
    kFxDockBottom = 0x2,
    kFxDockLeft = 0x4,
    kFxDockRight = 0x8,
    kFxDockAny = 0xF,
};

class FxControlBar : public FxWnd {
public:
    // The side the bar is docked on; a floating bar keeps the side it goes back to.
    FxDockSide GetDockSide() const { return m_side; }
    // The row on that side (rows count from the side's edge inwards).
    int GetDockRow() const { return m_nRow; }
    // The dock bar the bar is in: 0 until its frame takes it, kFxDockBarFloat while floating.
    UINT GetDockBarId() const;
    bool IsFloating() const { return m_bFloating; }
    bool IsHorzDocked() const { return !m_bFloating && halyard::dock::IsHorizontal(m_side); }
    bool IsVertDocked() const { return !m_bFloating && !halyard::dock::IsHorizontal(m_side); }
    // Shown by its own visibility, whatever its frame's: the layout counts a shown bar also while
    // the frame itself is still hidden.
    bool IsVisible() const { return m_hWnd && (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE); }
    // The sides (kFxDock*) the frame may dock the bar on; a bar with none never floats either.
    void EnableDocking(DWORD sides) { m_dwDockSides = sides; }
    bool CanDock(FxDockSide side) const;

    // The bar's extent across its side: height for top and bottom bars, width for left and right.
    virtual int GetExtent() const = 0;
    // Called at idle time; update handlers are routed through the bar's frame.
    virtual void OnIdleUpdate() {}
    // How the frame's layout sees the bar: by default a bar of its own row spanning its side at
    // its extent (toolbar, status bar, dialog bar).
    virtual halyard::dock::Bar DockDescription() const;
    // Keeps the size a dragged edge gave the bar while docked on `side`; a bar whose size follows
    // its content ignores it.
    virtual void SetDockedSize(FxDockSide, halyard::dock::Size) {}
    // The frame the bar was created in; null before creation. The bar's window is the frame's
    // child (or its small floating frame's), so the frame outlives every message the bar handles.
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

private:
    // The frame docks and floats the bar; the small frame remembers where it floats.
    friend class FxMDIFrame;
    friend class FxMiniFrame;
    int m_nRow = 0;
    bool m_bInFrame = false;   // the frame lays the bar out (or floats it)
    bool m_bFloating = false;  // implies m_bInFrame
    DWORD m_dwDockSides = 0;
    bool m_bFloatPlaced = false;  // m_ptFloat holds where the bar last floated
    POINT m_ptFloat{};            // top-left corner of its small frame, screen coordinates
};
