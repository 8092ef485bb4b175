// A bar made from a dialog template; its controls' notifications go through command routing.
#pragma once
#include "fx/fx_controlbar.h"

class FxDialogBar : public FxControlBar {
public:
    [[nodiscard]] bool Create(FxMDIFrame* frame, UINT templateId, UINT id);
    int GetExtent() const override { return m_nHeight; }
    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int m_nHeight = 0;
};
