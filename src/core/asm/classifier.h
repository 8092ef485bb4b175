#pragma once
// The assembly syntax classifier: splits one line of source into coloured runs. A pure function of
// the state entering the line and the line's bytes, so a view can restart it at any line whose
// entering state it cached. It allocates nothing and keeps nothing between calls.
//
// Keywords are coloured in any letter case. A line whose first word is COMMENT opens a comment
// that runs, across lines, to the next occurrence of the first non-blank byte after the word, and
// takes the rest of the line holding it; the leaving state carries that delimiter.
#include <cstddef>
#include <cstdint>

#include "core/asm/colour_index.h"
#include "core/asm/line_state.h"

// Classifies text[0..length-1] (the line without its line end; no terminating zero is needed) and
// returns the state leaving the line.
//
// With runs null only the state is computed: runCount is not touched and no word is looked up.
// Otherwise each run is written at runs[runCount] and runCount is incremented. A run that would
// start before the last run written is dropped, so runs never go backwards. The caller starts
// runCount at 0 and provides RunCapacityFor(length) runs, which is always enough; runCapacity
// is a guard all the same: no run is written at an index of runCapacity or above.
//
// A double-byte character of code page 936 is never split between runs and never ends or starts
// a word in its middle; its second byte is never taken for the ASCII character it resembles (a
// trail byte 0x5C neither escapes a quote nor carries the state across the line end).
LineState ClassifyLine(LineState entering, const char* text, std::int32_t length, ColourRun* runs,
                       std::int32_t& runCount, std::int32_t runCapacity);

// The room a caller provides for the runs of a line of `length` bytes: three per byte.
inline constexpr std::size_t RunCapacityFor(std::int32_t length)
{
    return length > 0 ? std::size_t(length) * 3 : 0;
}

// The colour that a state calls for: comments, then strings, then hash lines, else plain text.
inline constexpr ColourIndex StateColour(LineState state)
{
    if (state & (StateLineComment | StateBlockComment | StateDirectiveComment))
        return ColourComment;
    if (state & (StateDoubleQuoted | StateSingleQuoted))
        return ColourString;
    if (state & StateHashLine)
        return ColourHashLine;
    return ColourNormalText;
}
