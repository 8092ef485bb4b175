#pragma once
// The colours of the 29 slots in the two themes. Some slots take one of the system's current
// colours; the table names which one, and the platform side reads it when a theme is applied.
#include <cstdint>

using ColourRef = std::uint32_t;  // 0x00BBGGRR, the platform's colour value

inline constexpr ColourRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ColourRef(r) | (ColourRef(g) << 8) | (ColourRef(b) << 16);
}

enum class SystemColour : std::uint8_t {
    None,        // the slot has a fixed colour
    Window,      // window background
    WindowText,  // window text
    ScrollBar,   // scroll-bar track
};

struct SlotColour {
    SystemColour system;
    ColourRef fixed;  // the colour when system is None
};

enum Theme : int { ThemeNormal = 0, ThemeDark = 1 };

// The slot's colour in a theme: 0 is Normal, any other value Dark. An index outside 0 to 28
// answers RGB(255, 0, 0), the colour of the spare slots.
SlotColour ThemeSlotColour(int theme, int index);
