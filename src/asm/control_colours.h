// How the output pane's edit control and the workspace tree take their colours from a scheme.
#pragma once
#include <windows.h>
#include "fx/fx_handles.h"

class ColourScheme;

// The answer of a control to its colour request (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC for a
// read-only edit): text in slot 2 on background slot 1, and a solid brush of slot 1. The brush
// is owned here: it stays valid until the next answer with another colour or the destruction of
// this object, and the previous one is deleted when a new one is made.
class SchemeControlColours {
public:
    SchemeControlColours() = default;
    SchemeControlColours(const SchemeControlColours&) = delete;
    SchemeControlColours& operator=(const SchemeControlColours&) = delete;

    // Sets the colours on `dc` and returns the brush; null when no brush could be made (the
    // caller then gives the default answer).
    HBRUSH Answer(const ColourScheme& scheme, HDC dc);

private:
    FxBrush m_brush;
    COLORREF m_brushColour = 0;
};

// The tree control's own background and item text colours: slots 1 and 2. The theme commands
// call this after ApplyTheme; until then the tree keeps the system's default colours.
void ApplySchemeToTree(HWND tree, const ColourScheme& scheme);
