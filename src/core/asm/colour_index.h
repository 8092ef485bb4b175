#pragma once
// The 29 colour slots of a colour scheme. The slots without a name (3, 4, 11, 14, 16, 17, 20 and
// 23 to 28) are spare: they hold a colour but nothing paints with it.
#include <cstdint>

enum ColourIndex : std::int32_t {
    ColourWhitespace = 0,     // right of the text; rows below the last line
    ColourBackground = 1,     // text background; output pane and tree background
    ColourNormalText = 2,     // plain text; output pane and tree text
    ColourLineNumber = 5,
    ColourMarginIcons = 6,    // icon column of the margin
    ColourMarginNumbers = 7,  // number column of the margin
    ColourSelectionBack = 8,
    ColourSelectionText = 9,
    ColourCaretLine = 10,
    ColourRegister = 12,
    ColourInstruction = 13,
    ColourDirective = 15,     // directives and operators
    ColourComment = 18,       // both kinds of comment
    ColourNumber = 19,
    ColourString = 21,        // both kinds of quoted string, quotes included
    ColourHashLine = 22,      // a line that begins with "#"
    ColourSlotCount = 29,
};
