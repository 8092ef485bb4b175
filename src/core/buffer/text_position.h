#pragma once
// A place in the text of a buffer: x is a byte index within line y, 0 being before the first byte
// and the line length after the last; both are zero-based. A double-byte character of the code
// page occupies two x positions. Positions order by line first, then by byte.
struct TextPosition {
    int x = 0;
    int y = 0;
};

inline bool operator==(TextPosition a, TextPosition b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(TextPosition a, TextPosition b) { return !(a == b); }
inline bool operator<(TextPosition a, TextPosition b) { return a.y != b.y ? a.y < b.y : a.x < b.x; }
inline bool operator<=(TextPosition a, TextPosition b) { return !(b < a); }
