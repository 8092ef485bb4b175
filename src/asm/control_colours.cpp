#include "asm/control_colours.h"

#include <commctrl.h>

#include "asm/colour_scheme.h"

HBRUSH SchemeControlColours::Answer(const ColourScheme& scheme, HDC dc)
{
    const COLORREF background = scheme.ColourAt(ColourBackground);
    SetTextColor(dc, scheme.ColourAt(ColourNormalText));
    SetBkColor(dc, background);
    if (!m_brush || m_brushColour != background) {
        FxBrush brush(CreateSolidBrush(background));
        if (!brush)
            return nullptr;
        m_brush = std::move(brush);
        m_brushColour = background;
    }
    return m_brush.Get();
}

void ApplySchemeToTree(HWND tree, const ColourScheme& scheme)
{
    TreeView_SetBkColor(tree, scheme.ColourAt(ColourBackground));
    TreeView_SetTextColor(tree, scheme.ColourAt(ColourNormalText));
}
