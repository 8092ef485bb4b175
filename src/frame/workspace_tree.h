// The WorkSpace pane's tree of opened files. It paints through a memory bitmap: no flicker.
#pragma once
#include "fx/fx_wnd.h"

class ColourScheme;

class CWorkspaceTree : public FxWnd {
public:
    [[nodiscard]] bool Create(HWND parent, UINT id);
    // Leaves the previous scheme and registers with `scheme`, which repaints it on a theme change.
    void AttachScheme(ColourScheme* scheme);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PaintBuffered(HDC target, const RECT& clip);
    ColourScheme* m_pScheme = nullptr;
};
