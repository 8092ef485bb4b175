#pragma once
// Character boundaries of code page 936 text, handled byte by byte. A lead byte (0x81 to 0xFE)
// followed by a trail byte (0x40 to 0x7E or 0x80 to 0xFE) is one double-byte character; any other
// byte stands alone. Trail bytes 0x40 to 0x7E look like ASCII letters, "\", "_" and the like, so a
// scanner that meets one must know whether it is the second half of a character.
#include <cstdint>

inline constexpr bool IsCp936LeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

inline constexpr bool IsCp936TrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE);
}

// True when text[index] is the second byte of a double-byte character. Character boundaries are
// fixed from the start of the text; this finds them backwards: the bytes before `index` that are
// in the lead range form a run starting on a boundary (the byte before the run is single-byte
// or ends a character), so text[index] is a trail byte exactly when that run has odd length.
inline bool IsCp936TrailAt(const unsigned char* text, std::int32_t index)
{
    if (!IsCp936TrailByte(text[index]))
        return false;
    std::int32_t leads = 0;
    for (std::int32_t k = index - 1; k >= 0 && IsCp936LeadByte(text[k]); --k)
        ++leads;
    return (leads & 1) != 0;
}
