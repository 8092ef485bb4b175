// The small frame a floating bar lives in: a tool window owned by the bar's frame, titled like
// the bar, with a sizing border and a small caption. Its close box hides the bar and a
// double-click on its caption docks the bar again. It draws its caption itself, so that the
// close box shows a cross on every machine.
#pragma once
#include "fx/fx_wnd.h"

class FxControlBar;
class FxMDIFrame;

class FxMiniFrame : public FxWnd {
public:
    // A hidden small frame for `bar` with its top-left corner at `screen`; null on failure. The
    // object lives on the heap and deletes itself with its window, which `frame` owns.
    [[nodiscard]] static FxMiniFrame* Create(FxMDIFrame* frame, FxControlBar* bar, POINT screen);
    FxControlBar* GetBar() const { return m_pBar; }
    // The window size of a small frame whose client area is `client`.
    static SIZE WindowSizeFor(SIZE client);
    // Sizes the frame around the bar's floating size and fills its client area with the bar.
    void FitToBar();
    // Takes the bar's title.
    void SyncTitle();
    // The caption and the close box, window coordinates.
    RECT GetCaptionRect() const;
    RECT GetCloseRect() const;
    bool IsClosePushed() const { return m_bPushed; }
    // The non-client image into `dc`, window coordinates.
    void PaintNonClient(HDC dc) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    FxMiniFrame(FxMDIFrame* frame, FxControlBar* bar) : m_pFrame(frame), m_pBar(bar) {}
    LRESULT HitTest(POINT screen) const;
    bool OverClose(POINT screen) const;
    void SetPushed(bool pushed);
    void Repaint() const;
    void OnClosePress();
    void OnMinMaxInfo(MINMAXINFO* info) const;

    FxMDIFrame* m_pFrame;
    FxControlBar* m_pBar;
    bool m_bActive = false;
    bool m_bPushed = false;
    bool m_bClosePressed = false;  // the close box holds the mouse
};
