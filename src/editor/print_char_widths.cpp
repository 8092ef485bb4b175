#include "editor/print_char_widths.h"

int CPrintCharWidths::operator()(std::string_view ch)
{
    unsigned key = 0;
    for (unsigned char c : ch) key = key << 8 | c;
    const auto found = m_widths.find(key);
    if (found != m_widths.end()) return found->second;
    SIZE size{};
    GetTextExtentPoint32A(m_dc, ch.data(), static_cast<int>(ch.size()), &size);
    m_widths.emplace(key, size.cx);
    return size.cx;
}
