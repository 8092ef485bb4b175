#include "asm/control_colours.h"

#include <commctrl.h>

#include "asm/colour_scheme.h"

SchemeControlColours::~SchemeControlColours()
{
    if (m_brush != nullptr)
        DeleteObject(m_brush);
}

HBRUSH SchemeControlColours::Answer(const ColourScheme& scheme, HDC dc)
{
    const COLORREF background = scheme.ColourAt(ColourBackground);
    SetTextColor(dc, scheme.ColourAt(ColourNormalText));
    SetBkColor(dc, background);
    if (m_brush == nullptr || m_brushColour != background) {
        HBRUSH brush = CreateSolidBrush(background);
        if (brush == nullptr)
            return nullptr;
        if (m_brush != nullptr)
            DeleteObject(m_brush);
        m_brush = brush;
        m_brushColour = background;
    }
    return m_brush;
}

void ApplySchemeToTree(HWND tree, const ColourScheme& scheme)
{
    TreeView_SetBkColor(tree, scheme.ColourAt(ColourBackground));
    TreeView_SetTextColor(tree, scheme.ColourAt(ColourNormalText));
}
