#include "core/pc/dos/dos_names.h"

#include <array>

namespace halyard::dos {
namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// The 11 characters of a name in directory form: 8 of name, 3 of extension, blank padded, '*'
// expanded to '?'.
std::array<char, 11> Padded(std::string_view name)
{
    std::array<char, 11> out;
    out.fill(' ');
    const size_t dot = name == "." || name == ".." ? std::string_view::npos : name.rfind('.');
    const std::string_view parts[2] = {name.substr(0, dot),
                                       dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1)};
    const size_t widths[2] = {8, 3};
    size_t at = 0;
    for (int p = 0; p < 2; ++p) {
        for (size_t i = 0; i < widths[p]; ++i) {
            if (i < parts[p].size() && parts[p][i] == '*') {
                for (; i < widths[p]; ++i)
                    out[at + i] = '?';
                break;
            }
            if (i < parts[p].size())
                out[at + i] = Upper(parts[p][i]);
        }
        at += widths[p];
    }
    return out;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    const size_t dot = name.find('.');
    const size_t base = dot == std::string_view::npos ? name.size() : dot;
    if (base > 8 || name.size() - std::min(name.size(), base + 1) > 3)
        return false;
    const std::array<char, 11> n = Padded(name), p = Padded(pattern);
    for (size_t i = 0; i < n.size(); ++i) {
        if (p[i] != '?' && p[i] != n[i])
            return false;
    }
    return true;
}

std::string_view FolderOf(std::string_view path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1);
}

Device DeviceName(std::string_view path)
{
    std::string base = UpperName(path.substr(FolderOf(path).size()));
    base = base.substr(0, base.find('.'));
    if (base == "CON")
        return Device::Console;
    for (const char* device : {"PRN", "LPT1", "LPT2", "LPT3"}) {
        if (base == device)
            return Device::Printer;
    }
    for (const char* device : {"NUL", "AUX", "CLOCK$", "COM1", "COM2"}) {
        if (base == device)
            return Device::Null;
    }
    return Device::Unused;
}

std::string UpperName(std::string_view name)
{
    std::string out(name);
    for (size_t i = 0; i < out.size(); ++i) {
        if (uint8_t(out[i]) >= 0x81) {  // lead byte: its trail byte stays as it is
            ++i;
            continue;
        }
        out[i] = Upper(out[i]);
    }
    return out;
}

}  // namespace halyard::dos
