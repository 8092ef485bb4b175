#include "core/toolchain/dos_names.h"

#include <cstring>

namespace halyard::toolchain {
namespace {

bool IsDosChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 128 || u <= ' ') return false;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

bool IsDosPart(std::string_view part, std::size_t most)
{
    if (part.empty() || part.size() > most) return false;
    for (char c : part)
        if (!IsDosChar(c)) return false;
    return true;
}

// The length of the root: "C:\" or "C:", "\\server\share\", "\".
std::size_t RootLength(std::string_view path)
{
    if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
    if (path.substr(0, 2) == "\\\\") {
        std::size_t end = path.find('\\', 2);
        if (end != std::string_view::npos) end = path.find('\\', end + 1);
        return end == std::string_view::npos ? path.size() : end + 1;
    }
    return !path.empty() && path[0] == '\\' ? 1 : 0;
}

}  // namespace

bool IsDosName(std::string_view name)
{
    if (name == "." || name == "..") return true;
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return IsDosPart(name, 8);
    return IsDosPart(name.substr(0, dot), 8) && IsDosPart(name.substr(dot + 1), 3);
}

bool IsDosPath(std::string_view path)
{
    path.remove_prefix(RootLength(path));
    while (!path.empty()) {
        const std::size_t slash = path.find('\\');
        if (!IsDosName(path.substr(0, slash))) return false;
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return true;
}

}  // namespace halyard::toolchain
