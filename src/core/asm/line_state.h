#pragma once
// The state carried from one line of assembly source to the next, and the coloured runs of a line.
#include <cstdint>

// A flag set; 0 is plain text. Only the two comments that span lines (StateBlockComment, and
// StateDirectiveComment with its delimiter) survive a line end, unless the line ends with a
// backslash, which carries every flag (and any unknown bit) into the next line unchanged.
using LineState = std::uint32_t;

enum : LineState {
    StateLineComment = 0x01,   // inside a comment that ends with the line
    StateHashLine = 0x02,      // inside a line whose first non-blank character is "#"
    StateBlockComment = 0x04,  // between "/*" and "*/", possibly across lines
    StateDoubleQuoted = 0x08,  // inside a string opened by a double quote
    StateSingleQuoted = 0x10,  // inside a string opened by a single quote
    // Inside a block opened by the directive COMMENT: it runs to the next occurrence of the
    // delimiter byte that followed the word, kept in the bits of StateDelimiterMask.
    StateDirectiveComment = 0x200,
    StateDelimiterMask = 0x00FF0000,
};

inline constexpr int kDelimiterShift = 16;

inline constexpr unsigned char CommentDelimiter(LineState state)
{
    return static_cast<unsigned char>((state & StateDelimiterMask) >> kDelimiterShift);
}

// What an ordinary line end (no backslash) carries into the next line: the comments that span
// lines, the delimiter only with its flag.
inline constexpr LineState CarriedState(LineState state)
{
    const LineState directive = (state & StateDirectiveComment) ? (state & (StateDirectiveComment | StateDelimiterMask)) : 0;
    return (state & StateBlockComment) | directive;
}

// A run extends from `start` to the start of the next run, the last one to the end of the line.
// Runs of a line are in non-decreasing order of start; of two runs with one start the later shows.
// The layout (two signed 32-bit fields, in this order) is part of the views' contract.
struct ColourRun {
    std::int32_t start;
    std::int32_t colourIndex;  // a ColourIndex
};
