// A resizable bar with a caption strip: a two-line gripper and a close button that hides the
// bar through its frame. The strip runs down the left side while the bar is docked at the top or
// bottom and along the top while it is docked left or right; a floating bar has none (its small
// frame shows the title).
#pragma once
#include "frame/resizable_bar.h"

class CPaneBar : public CResizableBar {
public:
    static constexpr int kCloseSize = 13;
    static constexpr UINT kHitClose = HTCLOSE;  // 20

    CPaneBar() { m_dwBarStyle = kSizeChild; }

    // The close button in window coordinates of the bar; empty while floating.
    RECT GetCloseRect() const;
    bool IsCloseHot() const { return m_bHot; }
    bool IsClosePushed() const { return m_bPushed; }
    // True while the keyboard focus is inside the bar.
    bool IsActive() const { return m_bActive; }
    // Hot while the cursor is on the close button with the left button up, pushed while it is
    // down; the caption is repainted when that or the active state changed.
    void OnIdleUpdate() override;

protected:
    void CalcNcSize(RECT& rc) override;
    LRESULT HitTest(POINT screen) override;
    void DrawCaption(HDC dc) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OverClose(POINT screen) const;
    void SetStates(bool hot, bool pushed, bool active);
    void DrawGripper(HDC dc) const;
    void DrawCloseButton(HDC dc) const;
    bool OnCloseMessage(UINT msg, WPARAM wp, POINT pt);
    void Close();

    bool m_bPushed = false;
    bool m_bHot = false;
    POINT m_ptClose{};  // the close button's top-left corner, relative to the window rectangle
    bool m_bActive = false;
    const int m_cyCaption = 12;
    bool m_bClosePressed = false;  // a press on the close button holds the mouse until release
};
