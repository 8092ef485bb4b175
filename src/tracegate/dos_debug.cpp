// The message is code page 936 at run time (the sources are compiled with -fexec-charset=CP936);
// the folder names are the system's own ANSI bytes, printed as they are.
#include "tracegate/dos_debug.h"

#include <direct.h>
#include <io.h>

#include <cstdlib>
#include <iterator>
#include <vector>

#include "core/toolchain/debugger_search.h"

namespace halyard::tracegate {
namespace {

// The files of `folder` that the runtime matches against debug.exe; folders are left out.
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    const std::string pattern = folder + "\\" + std::string(toolchain::kDosDebugName);
    _finddata_t entry{};
    const intptr_t search = _findfirst(pattern.c_str(), &entry);
    if (search == -1) return names;
    do {
        if ((entry.attrib & _A_SUBDIR) == 0) names.emplace_back(entry.name);
    } while (_findnext(search, &entry) == 0);
    _findclose(search);
    return names;
}

std::string CurrentFolder()
{
    char* folder = _getcwd(nullptr, 0);
    std::string text = folder != nullptr ? folder : ".";
    std::free(folder);
    return text;
}

std::string NotFound(const std::vector<std::string>& folders)
{
    std::string text = "Tracegate: 找不到 DOS DEBUG（debug.exe）。已依次查找：\r\n";
    const char* labels[] = {"  MASM 工具文件夹：", "  bin 文件夹：", "  当前文件夹："};
    for (std::size_t i = 0; i < folders.size(); ++i)
        text.append(i < std::size(labels) ? labels[i] : "  PATH：").append(folders[i]).append("\r\n");
    return text.append("请把 debug.exe 放进 ").append(folders.front())
        .append(" 文件夹（与 MASM、LINK 放在一起），然后重新调试。\r\n");
}

}  // namespace

bool LocateDosDebug(std::string_view toolFolder, std::string& word, std::string& refusal)
{
    const char* path = std::getenv("PATH");
    const std::vector<std::string> folders =
        toolchain::DebuggerSearchFolders(toolFolder, CurrentFolder(), path != nullptr ? path : "");
    if (const auto place = toolchain::FindDosDebug(folders, NamesIn)) {
        word = place->command;
        return true;
    }
    refusal = NotFound(folders);
    return false;
}

}  // namespace halyard::tracegate
