#pragma once
// Where Tracegate looks for DOS DEBUG, in order: the MASM tools' folder `<tool folder>\masm16`
// (courses hand DEBUG out beside MASM and LINK), the tool folder itself (`bin`), the current
// folder, then each folder of PATH. Header-only: Tracegate compiles it in without linking the core.
//
// The host lists what a folder holds under the name (its own matching may be looser: short-name
// aliases); a name counts when it is debug.exe in any case. A folder of the installation gives a
// full path, so that nothing earlier on the search path can take its place; the current folder
// and PATH give the bare name, which the interpreter finds there in the same order.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::toolchain {

inline constexpr std::string_view kDosDebugName = "debug.exe";

// The installation's folders come first in the search order.
inline constexpr std::size_t kInstalledDebuggerFolders = 2;

[[nodiscard]] inline bool IsDosDebugName(std::string_view name) noexcept
{
    if (name.size() != kDosDebugName.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kDosDebugName[i]) return false;
    }
    return true;
}

// PATH's folders: split at ';', each without its surrounding quotes; empty entries are left out.
[[nodiscard]] inline std::vector<std::string> PathFolders(std::string_view path)
{
    std::vector<std::string> folders;
    while (!path.empty()) {
        const std::size_t cut = path.find(';');
        std::string folder;
        for (char c : path.substr(0, cut))
            if (c != '"') folder += c;
        if (!folder.empty()) folders.push_back(std::move(folder));
        path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
    }
    return folders;
}

// The folders in search order; the first kInstalledDebuggerFolders belong to the installation.
[[nodiscard]] inline std::vector<std::string> DebuggerSearchFolders(std::string_view toolFolder,
                                                                    std::string_view currentFolder,
                                                                    std::string_view path)
{
    std::vector<std::string> folders{std::string(toolFolder) + "\\masm16", std::string(toolFolder),
                                     std::string(currentFolder)};
    for (std::string& folder : PathFolders(path)) folders.push_back(std::move(folder));
    return folders;
}

struct DebuggerPlace {
    std::size_t folder = 0;  // index into the searched folders
    std::string command;     // the debugger's word for the command line, before quoting
};

// Names of the files in `folder` that the host matched against debug.exe.
using FolderNames = std::function<std::vector<std::string>(const std::string& folder)>;

[[nodiscard]] inline std::optional<DebuggerPlace> FindDosDebug(const std::vector<std::string>& folders,
                                                               const FolderNames& namesIn)
{
    for (std::size_t i = 0; i < folders.size(); ++i) {
        for (const std::string& name : namesIn(folders[i])) {
            if (!IsDosDebugName(name)) continue;
            if (i >= kInstalledDebuggerFolders) return DebuggerPlace{i, std::string(kDosDebugName)};
            return DebuggerPlace{i, folders[i] + "\\" + name};
        }
    }
    return std::nullopt;
}

}  // namespace halyard::toolchain
