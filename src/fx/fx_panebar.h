// A docked pane with a caption, a close button and a sizing edge; one child fills the rest.
#pragma once
#include "fx/fx_controlbar.h"
#include <string>

class FxPaneBar : public FxControlBar {
public:
    // `size`: the default width (left and right panes) and height (top and bottom panes).
    [[nodiscard]] bool Create(FxMDIFrame* frame, const char* title, SIZE size, UINT id, FxDockSide side);
    void SetChild(HWND child);
    int GetExtent() const override;
    // A sizing bar: its thickness per orientation, the 33 x 32 minimum.
    halyard::dock::Bar DockDescription() const override;
    // The rectangle left for the child, in client coordinates.
    RECT GetContentRect() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    RECT CaptionRect() const;
    RECT CloseRect() const;
    RECT SizerRect() const;
    void Paint(HDC dc);
    void Layout();
    // The mouse position along the axis the inner edge moves on, in screen coordinates.
    int DragAxis(POINT client) const;
    void BeginTrack(POINT client);
    void Track(POINT client);

    std::string m_strTitle;
    SIZE m_size{};
    HWND m_hChild = nullptr;
    bool m_bTracking = false;
    int m_nTrackStart = 0;   // where the drag began, along DragAxis
    int m_nTrackExtent = 0;  // the row's thickness then, as laid out
    halyard::dock::Limits m_trackLimits;
};
