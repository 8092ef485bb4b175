#pragma once
// Character boundaries within one line of code page 936 text. Positions count bytes; a double-byte
// character occupies two positions, and the caret never rests between its two bytes. Boundaries
// are fixed from the start of the line, so a trail byte that looks like an ASCII letter is never
// taken for one.
#include <string_view>

// True when a double-byte character starts at pos (pos on a boundary, below the length): a lead
// byte followed by a trail byte. A lead byte at the end of the line stands alone.
bool IsDoubleByteAt(std::string_view line, int pos);
// The position after the character starting at pos; pos + 1 at the end of a line is not asked for.
int NextCharPos(std::string_view line, int pos);
// The start of the character that ends at pos (pos above 0).
int PrevCharPos(std::string_view line, int pos);
// pos when it lies on a boundary (0 and the length included), else the start of the character
// whose second byte it is. Positions outside the line are clamped into it.
int CharStartAt(std::string_view line, int pos);
