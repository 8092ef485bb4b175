#include <gtest/gtest.h>

#include "core/asm/colour_index.h"
#include "core/asm/theme_colours.h"

namespace {

bool Same(SlotColour a, SlotColour b) { return a.system == b.system && (a.system != SystemColour::None || a.fixed == b.fixed); }

SlotColour Fixed(int r, int g, int b) { return {SystemColour::None, Rgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b))}; }
SlotColour Sys(SystemColour which) { return {which, 0}; }

// The slots where the themes differ, in both columns; every other slot is the same in both.
TEST(ThemeSlotColour, TheColumnsDifferWhereTheThemesDo)
{
    struct Row { int index; SlotColour normal, dark; };
    const Row rows[] = {
        {ColourWhitespace, Sys(SystemColour::Window), Fixed(0, 0, 0)},
        {ColourBackground, Sys(SystemColour::Window), Fixed(0, 0, 0)},
        {ColourNormalText, Sys(SystemColour::WindowText), Fixed(56, 142, 142)},
        {ColourLineNumber, Fixed(0, 55, 0), Fixed(0, 0, 55)},
        {ColourMarginIcons, Fixed(128, 128, 128), Sys(SystemColour::ScrollBar)},
        {ColourMarginNumbers, Sys(SystemColour::ScrollBar), Fixed(128, 128, 128)},
        {ColourSelectionBack, Fixed(0, 0, 0), Fixed(56, 142, 142)},
        {ColourSelectionText, Fixed(255, 255, 255), Fixed(0, 0, 0)},
        {ColourCaretLine, Fixed(128, 255, 255), Fixed(102, 102, 102)},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(Same(row.normal, ThemeSlotColour(ThemeNormal, row.index))) << row.index;
        EXPECT_TRUE(Same(row.dark, ThemeSlotColour(ThemeDark, row.index))) << row.index;
        EXPECT_TRUE(Same(row.dark, ThemeSlotColour(7, row.index))) << "any theme but 0 is Dark";
    }
    for (int index : {3, 4, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 28})
        EXPECT_TRUE(Same(ThemeSlotColour(ThemeNormal, index), ThemeSlotColour(ThemeDark, index))) << index;
}

TEST(ThemeSlotColour, SyntaxColoursAndSpares)
{
    EXPECT_EQ(Rgb(168, 0, 168), ThemeSlotColour(ThemeNormal, ColourRegister).fixed);
    EXPECT_EQ(Rgb(0, 0, 186), ThemeSlotColour(ThemeNormal, ColourInstruction).fixed);
    EXPECT_EQ(Rgb(0, 0, 255), ThemeSlotColour(ThemeNormal, ColourDirective).fixed);
    EXPECT_EQ(Rgb(0, 128, 0), ThemeSlotColour(ThemeNormal, ColourComment).fixed);
    EXPECT_EQ(Rgb(238, 0, 0), ThemeSlotColour(ThemeNormal, ColourNumber).fixed);
    EXPECT_EQ(Rgb(120, 120, 0), ThemeSlotColour(ThemeNormal, ColourString).fixed);
    EXPECT_EQ(Rgb(0, 128, 192), ThemeSlotColour(ThemeNormal, ColourHashLine).fixed);
    EXPECT_EQ(0x0000FFu, Rgb(255, 0, 0));
    for (int index : {23, 28, -1, 29, 1000})
        EXPECT_TRUE(Same(Fixed(255, 0, 0), ThemeSlotColour(ThemeDark, index))) << index;
}

}  // namespace
