#pragma once
#include <cstdint>

// Bookmark and debugger bits of a line. The buffer treats line flags as opaque bits.
constexpr uint32_t LINE_NUMMARK(int n) { return 1u << n; }  // numbered bookmark n = 0..9
constexpr uint32_t LINE_MARK = 0x00080000;                 // the unnamed bookmark
constexpr uint32_t LINE_BREAKPOINT = 0x00100000;           // the debugger stops before this line's code
constexpr uint32_t LINE_EXECUTION = 0x00200000;            // the debugger's current line (one line at most)

// One line of a buffer. The line end bytes of the file are never stored, and the text is not
// NUL-terminated. A line holds any byte, NUL included.
struct LineRecord {
    char* pText;       // null exactly when nCapacity is 0
    int32_t nLength;   // 0 <= nLength <= nCapacity
    int32_t nCapacity; // bytes usable at pText
    uint32_t dwFlags;
    // pText is a heap block of this line, whose capacity is the next multiple of 16 strictly above
    // the length it was allocated for; otherwise it is an exact slice of the buffer's load arena,
    // freed with the arena.
    bool bOwned;
};
