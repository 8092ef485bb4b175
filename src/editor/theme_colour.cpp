#include "editor/theme_colour.h"

#include "core/asm/theme_colours.h"

namespace {
COLORREF ResolveSlot(SlotColour slot)
{
    switch (slot.system) {
    case SystemColour::Window: return GetSysColor(COLOR_WINDOW);
    case SystemColour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    case SystemColour::ScrollBar: return GetSysColor(COLOR_SCROLLBAR);
    case SystemColour::None: break;
    }
    return slot.fixed;
}
}  // namespace

COLORREF ThemeColourNow(int theme, int index) { return ResolveSlot(ThemeSlotColour(theme, index)); }
