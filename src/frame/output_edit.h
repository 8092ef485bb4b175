// The Output pane's edit control: read-only, no text limit, appended at the end.
#pragma once
#include "fx/fx_wnd.h"

class COutputEdit : public FxWnd {
public:
    [[nodiscard]] bool Create(HWND parent, UINT id);
    // Appends `text`: the selection goes to the end, the caret is scrolled into view and the
    // empty selection is replaced.
    void Append(const char* text);
    void SetText(const char* text) { SetWindowTextA(m_hWnd, text); }
};
