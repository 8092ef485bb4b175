#include "fx/fx_path.h"
#include <windows.h>
#include <vector>

namespace {

std::string Absolute(const std::string& path)
{
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::vector<char> full(size);
    const DWORD n = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    return n > 0 && n < size ? std::string(full.data(), n) : path;
}

// The long form of an existing path, or empty.
std::string LongForm(const std::string& path)
{
    const DWORD size = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::vector<char> longPath(size);
    const DWORD n = GetLongPathNameA(path.c_str(), longPath.data(), size);
    return n > 0 && n < size ? std::string(longPath.data(), n) : std::string();
}

// Index of the last separator of `path`, stepping over double-byte characters (the trail byte of
// one may be a backslash); npos when there is none.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsDBCSLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/') last = i;
    }
    return last;
}

}  // namespace

std::string FxFullPath(const std::string& path)
{
    const std::string full = Absolute(path);
    // Walk up to the longest part that exists, take its long form and put the rest back.
    std::string head = full, tail;
    while (!head.empty()) {
        if (std::string found = LongForm(head); !found.empty()) return found + tail;
        const size_t slash = LastSeparator(head);
        if (slash == std::string::npos || slash + 1 >= head.size()) break;
        tail.insert(0, head, slash, std::string::npos);
        head.erase(slash);
        if (head.size() == 2 && head[1] == ':') head += '\\', tail.erase(0, 1);
    }
    return full;
}

bool FxSamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(FxFullPath(a).c_str(), FxFullPath(b).c_str()) == 0;
}
