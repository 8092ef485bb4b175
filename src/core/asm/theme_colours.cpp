#include "core/asm/theme_colours.h"

#include <array>

#include "core/asm/colour_index.h"

namespace {

constexpr SlotColour Fixed(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return SlotColour{SystemColour::None, Rgb(r, g, b)};
}

constexpr SlotColour System(SystemColour which) { return SlotColour{which, 0}; }

constexpr SlotColour kSpareRed = Fixed(255, 0, 0);

constexpr std::array<SlotColour, ColourSlotCount> kNormal = {{
    System(SystemColour::Window),      //  0 whitespace
    System(SystemColour::Window),      //  1 background
    System(SystemColour::WindowText),  //  2 normal text
    kSpareRed, kSpareRed,              //  3, 4
    Fixed(0, 55, 0),                   //  5 line numbers: dark green
    Fixed(128, 128, 128),              //  6 margin icon column
    System(SystemColour::ScrollBar),   //  7 margin number column
    Fixed(0, 0, 0),                    //  8 selection background
    Fixed(255, 255, 255),              //  9 selected text
    Fixed(128, 255, 255),              // 10 caret line
    Fixed(0, 0, 255),                  // 11
    Fixed(168, 0, 168),                // 12 registers
    Fixed(0, 0, 186),                  // 13 instructions
    Fixed(75, 0, 130),                 // 14
    Fixed(0, 0, 255),                  // 15 directives
    Fixed(0, 0, 186),                  // 16
    Fixed(0, 255, 0),                  // 17
    Fixed(0, 128, 0),                  // 18 comments
    Fixed(238, 0, 0),                  // 19 numbers
    Fixed(0, 0, 0),                    // 20
    Fixed(120, 120, 0),                // 21 strings
    Fixed(0, 128, 192),                // 22 hash lines
    kSpareRed, kSpareRed, kSpareRed, kSpareRed, kSpareRed, kSpareRed,  // 23 to 28
}};

// Dark differs from Normal only in slots 0 to 2 and 5 to 10: selected text is the inverse of
// plain text, the margin's two greys swap and the line numbers turn dark blue.
constexpr std::array<SlotColour, ColourSlotCount> BuildDark()
{
    std::array<SlotColour, ColourSlotCount> dark = kNormal;
    dark[ColourWhitespace] = Fixed(0, 0, 0);
    dark[ColourBackground] = Fixed(0, 0, 0);
    dark[ColourNormalText] = Fixed(56, 142, 142);
    dark[ColourLineNumber] = Fixed(0, 0, 55);
    dark[ColourMarginIcons] = System(SystemColour::ScrollBar);
    dark[ColourMarginNumbers] = Fixed(128, 128, 128);
    dark[ColourSelectionBack] = Fixed(56, 142, 142);
    dark[ColourSelectionText] = Fixed(0, 0, 0);
    dark[ColourCaretLine] = Fixed(102, 102, 102);
    return dark;
}

constexpr std::array<SlotColour, ColourSlotCount> kDark = BuildDark();

}  // namespace

SlotColour ThemeSlotColour(int theme, int index)
{
    if (index < 0 || index >= ColourSlotCount)
        return kSpareRed;
    return theme == ThemeNormal ? kNormal[std::size_t(index)] : kDark[std::size_t(index)];
}
