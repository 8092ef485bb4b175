#include "core/editor/kept_breakpoints.h"

#include <cctype>

std::string KeptBreakpoints::Key(const std::string& path)
{
    std::string key = path;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void KeptBreakpoints::Keep(const std::string& path, std::vector<int> lines)
{
    if (lines.empty()) m_lines.erase(Key(path));
    else m_lines[Key(path)] = std::move(lines);
}

std::vector<int> KeptBreakpoints::For(const std::string& path) const
{
    const auto it = m_lines.find(Key(path));
    return it == m_lines.end() ? std::vector<int>() : it->second;
}
