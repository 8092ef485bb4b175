// A docking bar whose size the user changes by dragging its inner edge; it remembers one size
// per state (docked at the top or bottom, docked at the left or right, floating).
#pragma once
#include "fx/fx_controlbar.h"

class CResizableBar : public FxControlBar {
public:
    // Bar style flags.
    enum : DWORD {
        kEdgeLeft = 0x01,    // the left edge is the resizable edge
        kEdgeRight = 0x02,
        kEdgeTop = 0x04,
        kEdgeBottom = 0x08,
        kEdgeAll = 0x0F,
        kShowEdges = 0x10,   // draw and hit-test the resizable edges
        kSizeChild = 0x20,   // keep the first child window sized to the client area
    };
    static constexpr int kEdgeWidth = 5;

    // Creates the window (hidden unless `style` has WS_VISIBLE) as a child of `frame`, titled
    // `title`, with `defaultSize` as its size in every state. `gripper` has no effect. The bar is
    // laid out once its frame docks it.
    [[nodiscard]] bool Create(const char* title, FxMDIFrame* frame, SIZE defaultSize, BOOL gripper, UINT id,
                              DWORD style);

    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD style) { m_dwBarStyle = style; }
    SIZE GetHorzSize() const { return m_szHorz; }
    SIZE GetVertSize() const { return m_szVert; }
    SIZE GetFloatSize() const { return m_szFloat; }
    // The stored size of the current state: horizontal when docked at the top or bottom,
    // vertical when docked left or right, floating otherwise.
    SIZE GetCurrentSize() const;
    bool IsTracking() const { return m_bTracking; }
    bool GetFullWindowDrag() const { return m_bDragShowContent; }
    // The whole window's non-client image, window coordinates (the client area is painted over).
    void PaintNonClient(HDC dc);

    int GetExtent() const override;
    halyard::dock::Bar DockDescription() const override;
    void SetDockedSize(FxDockSide side, halyard::dock::Size size) override;

protected:
    // Tracking a dragged edge, from button press to release.
    virtual void StartTracking(UINT hitCode, POINT screen);
    virtual void EndTracking();
    virtual void OnTrackUpdateSize(POINT screen);
    virtual void OnTrackInvertTracker();

    // Shrinks `rc`, the window rectangle, to the client rectangle; sets the edge flag of the
    // side facing the frame's inside while docked.
    virtual void CalcNcSize(RECT& rc);
    // The hit code of a screen point: an edge code while docked, else HTCLIENT.
    virtual LRESULT HitTest(POINT screen);
    // Draws the caption over the borders, window coordinates.
    virtual void DrawCaption(HDC) {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Repaints the non-client area now.
    void RedrawNonClient();

    DWORD m_dwBarStyle = 0;
    SIZE m_szHorz{200, 200};
    SIZE m_szVert{200, 200};
    SIZE m_szFloat{200, 200};
    SIZE m_szMinHorz{halyard::dock::kMinDocked.cx, halyard::dock::kMinDocked.cy};
    SIZE m_szMinVert{halyard::dock::kMinDocked.cx, halyard::dock::kMinDocked.cy};
    SIZE m_szMinFloat{halyard::dock::kMinFloating.cx, halyard::dock::kMinFloating.cy};
    bool m_bTracking = false;
    UINT m_htEdge = 0;        // the hit code of the edge being dragged
    int m_nTrackPos = 0;      // where it is now, clamped, along the drag axis (screen)
    bool m_bDragShowContent = false;
    const int m_cxEdge = kEdgeWidth;

private:
    void OnSize(int cx, int cy);
    void OnSetText();
    void ReadDragSetting();
    bool DragsAlongX() const { return m_htEdge == HTLEFT || m_htEdge == HTRIGHT; }
};
