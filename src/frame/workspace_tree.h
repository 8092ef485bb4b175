// The WorkSpace pane's tree of opened files. It paints through a memory bitmap: no flicker.
#pragma once
#include "fx/fx_wnd.h"

class CWorkspaceTree : public FxWnd {
public:
    [[nodiscard]] bool Create(HWND parent, UINT id);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PaintBuffered(HDC target, const RECT& clip);
};
