// The widths of characters in the font selected into a device context, for wrapping printed
// lines: each character (one byte, or the two of a double-byte character) measured once.
#pragma once
#include <windows.h>

#include <string_view>
#include <unordered_map>

class CPrintCharWidths {
public:
    explicit CPrintCharWidths(HDC dc) : m_dc(dc) {}
    int operator()(std::string_view ch);

private:
    HDC m_dc;
    std::unordered_map<unsigned, int> m_widths;  // by the character's bytes, first byte high
};
