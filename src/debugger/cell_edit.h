// A one-line edit laid over a cell of a list while its value is changed: Enter hands the text
// on, Escape or leaving the edit drops it. The edit destroys itself either way.
#pragma once
#include <functional>
#include <string>

#include "fx/fx_wnd.h"

class CCellEdit : public FxWnd {
public:
    // Opens one over `cell` (client coordinates of `list`) holding `text`, focused and selected.
    static void Open(HWND list, const RECT& cell, const std::string& text, std::function<void(const std::string&)> done);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    std::function<void(const std::string&)> m_done;
    bool m_closing = false;
};
