#include "core/toolchain/session_lines.h"

#include "core/toolchain/build_lines.h"
#include "core/toolchain/debugger_search.h"
#include "core/toolchain/launch_lines.h"

namespace halyard::toolchain {

SessionStart ComposeSessionStart(std::string_view installDir, std::string_view documentFolder, int assembler,
                                 const std::function<bool(const std::string& folder)>& holdsDebug)
{
    SessionStart start;
    const std::string runner = std::string(installDir) + "\\bin\\Dosrun.exe";
    start.commandLine = runner.find(' ') == std::string::npos ? runner : '"' + runner + '"';
    start.folder = documentFolder.empty() ? std::string(installDir) : StartFolder(documentFolder);

    const std::string bin = std::string(installDir) + "\\bin";
    const std::vector<std::string> installed = DebuggerSearchFolders(bin, "", "");
    std::string debugFolder = installed.front();
    for (std::size_t i = 0; i < kInstalledDebuggerFolders; ++i)
        if (holdsDebug(installed[i])) {
            debugFolder = installed[i];
            break;
        }
    start.path = bin + (assembler == kAssemblerMasm ? "\\masm16" : "\\tasm16");
    if (debugFolder != start.path) start.path += ';' + debugFolder;
    return start;
}

std::string SessionEnvironment(const std::vector<std::string>& entries, std::string_view path)
{
    static constexpr std::string_view kName = "HALYARD_SESSION_PATH=";
    std::string block;
    for (const std::string& entry : entries) {
        bool same = entry.size() >= kName.size();
        for (std::size_t i = 0; same && i < kName.size(); ++i)
            same = (entry[i] >= 'a' && entry[i] <= 'z' ? entry[i] - 'a' + 'A' : entry[i]) == kName[i];
        if (!same) block.append(entry).push_back('\0');
    }
    block.append(kName).append(path).push_back('\0');
    block.push_back('\0');
    return block;
}

bool ComposeSessionTyping(std::string_view dosProgram, std::string& typed, std::string& error)
{
    typed.clear();
    error.clear();
    for (char c : dosProgram)
        if (c < 0x20 || c > 0x7E) {
            error = "The program's name is not one DOS can read: it was not run in the DOS session\r\n";
            return false;
        }
    if (dosProgram.empty() || dosProgram.size() > kSessionLineLimit) {
        error = "The program's path is longer than the 126 characters of a DOS command line: it was not run in the "
                "DOS session\r\n";
        return false;
    }
    typed.assign(dosProgram).push_back('\r');
    return true;
}

std::string SessionDebugRequest(std::string_view pipe, std::string_view dosProgram)
{
    const std::string_view file = dosProgram.substr(dosProgram.find_last_of("\\:") + 1);
    return std::string(1, '\0') + "DEBUG:" + std::string(pipe) + " " + std::string(file);
}

}  // namespace halyard::toolchain
