#include "dosrun/program_file.h"

#include <windows.h>

namespace halyard::dosrun {
namespace {

// The longest program Dosrun reads: far more than 640 KB of memory can hold.
constexpr DWORD kReadLimit = 16u << 20;

bool HasExtension(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && name.find_first_of("\\/", dot) == std::string::npos;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes)
{
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart <= kReadLimit;
    if (ok) {
        bytes.resize(size_t(size.QuadPart));
        DWORD n = 0;
        ok = bytes.empty() || (ReadFile(h, bytes.data(), DWORD(bytes.size()), &n, nullptr) && n == bytes.size());
    }
    CloseHandle(h);
    return ok;
}

}  // namespace

bool FindProgram(const std::string& name, ProgramFile& file)
{
    const std::vector<std::string> tries =
        HasExtension(name) ? std::vector<std::string>{name} : std::vector<std::string>{name + ".COM", name + ".EXE"};
    for (const std::string& candidate : tries) {
        char found[MAX_PATH];
        const DWORD n = SearchPathA(nullptr, candidate.c_str(), nullptr, sizeof found, found, nullptr);
        if (n == 0 || n >= sizeof found)
            continue;
        const DWORD attributes = GetFileAttributesA(found);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        char shortPath[MAX_PATH];
        const DWORD s = GetShortPathNameA(found, shortPath, sizeof shortPath);
        file.path = s > 0 && s < sizeof shortPath ? shortPath : found;
        return ReadWhole(found, file.bytes);
    }
    return false;
}

}  // namespace halyard::dosrun
