// The Output pane's edit control: read-only, no text limit, appended at the end.
#pragma once
#include "asm/control_colours.h"
#include "fx/fx_wnd.h"

class ColourScheme;

class COutputEdit : public FxWnd {
public:
    [[nodiscard]] bool Create(HWND parent, UINT id);
    // Appends `text`: the selection goes to the end, the caret is scrolled into view and the
    // empty selection is replaced.
    void Append(const char* text);
    void SetText(const char* text) { SetWindowTextA(m_hWnd, text); }
    // Leaves the previous scheme and registers with `scheme`, which repaints it on a theme change.
    void AttachScheme(ColourScheme* scheme);

protected:
    // Background slot 1 and text slot 2 of the scheme; the default colours without one.
    HBRUSH OnReflectCtlColor(HDC dc) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    ColourScheme* m_pScheme = nullptr;
    SchemeControlColours m_colours;
};
