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
    void Track(POINT screen);

    std::string m_strTitle;
    SIZE m_size{};
    HWND m_hChild = nullptr;
    bool m_bTracking = false;
    POINT m_trackStart{};
    int m_trackExtent = 0;
};
