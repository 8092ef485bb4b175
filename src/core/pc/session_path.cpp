#include "core/pc/session_path.h"

#include <algorithm>
#include <cctype>

#include "core/toolchain/debugger_search.h"

namespace halyard::dos {
namespace {

bool IsEntryOf(const std::string& entry, std::string_view name)
{
    if (entry.size() <= name.size() || entry[name.size()] != '=')
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(entry[i])) != static_cast<unsigned char>(name[i]))
            return false;
    return true;
}

std::string Capitals(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

}  // namespace

std::string TypingPipeName(unsigned long processId)
{
    return "\\\\.\\pipe\\Dosrun-session-" + std::to_string(processId);
}

bool ApplySessionPath(std::vector<std::string>& environment,
                      const std::function<std::string(const std::string& hostFolder)>& dosPath)
{
    const auto given = std::find_if(environment.begin(), environment.end(),
                                    [](const std::string& entry) { return IsEntryOf(entry, kSessionPathVariable); });
    if (given == environment.end())
        return false;
    const std::string folders = given->substr(kSessionPathVariable.size() + 1);
    environment.erase(given);
    std::string path = "PATH=";
    for (const std::string& folder : toolchain::PathFolders(folders)) {
        if (folder.find_first_not_of(' ') == std::string::npos)
            continue;
        if (path.size() > 5)
            path += ';';
        path += Capitals(dosPath(folder));
    }
    const auto old = std::find_if(environment.begin(), environment.end(),
                                  [](const std::string& entry) { return IsEntryOf(entry, "PATH"); });
    if (old != environment.end())
        *old = path;
    else
        environment.push_back(path);
    return true;
}

}  // namespace halyard::dos
