#include "tracegate/debugger_command.h"

#include <cstdlib>

#include "core/toolchain/cmd_quote.h"
#include "core/toolchain/system_command.h"
#include "tracegate/dos_debug.h"

namespace halyard::tracegate {
namespace {

// Sizes of the folder and program buffers, terminator included.
constexpr std::size_t kFolderSize = 256;
constexpr std::size_t kProgramSize = 32;

constexpr std::string_view kSeparators = "\\/";

// Everything before the last separator of argument 0. Started through the search path, argument 0
// is a bare name; the runtime's full path of this program then names the folder.
bool ToolFolder(std::string_view self, char (&folder)[kFolderSize], std::string& refusal)
{
    std::size_t cut = self.find_last_of(kSeparators);
    if (cut == std::string_view::npos && _pgmptr != nullptr) {
        self = _pgmptr;
        cut = self.find_last_of(kSeparators);
    }
    if (cut == std::string_view::npos) cut = 0;
    if (toolchain::CopyBounded(self.substr(0, cut), folder, kFolderSize)) return true;
    refusal.assign("Tracegate: the tool folder is longer than ")
        .append(std::to_string(kFolderSize - 1)).append(" characters.\r\n");
    return false;
}

// The IDE ends its line with CR LF, which the runtime leaves on the last argument; a name typed
// by hand has none and is taken whole.
bool ProgramName(std::string_view argument, char (&program)[kProgramSize], std::string& refusal)
{
    while (!argument.empty() && (argument.back() == '\r' || argument.back() == '\n')) argument.remove_suffix(1);
    if (argument.empty()) {
        refusal = "Tracegate: no program to debug was named.\r\n";
        return false;
    }
    if (toolchain::CopyBounded(argument, program, kProgramSize)) return true;
    refusal.assign("Tracegate: the program name \"").append(argument).append("\" is longer than ")
        .append(std::to_string(kProgramSize - 1)).append(" characters.\r\n");
    return false;
}

// The debugger's words before `program`; false with `refusal` set when the tool folder fails.
bool AppendDebugger(char mode, std::string_view self, std::string& text, std::string& refusal)
{
    char folder[kFolderSize] = {};
    if (!ToolFolder(self, folder, refusal)) return false;
    std::string debugger = std::string(folder).append("\\tasm16\\td.exe");
    if (mode == 'm' && !LocateDosDebug(folder, debugger, refusal)) return false;
    if (toolchain::AppendCmdWord(text, debugger)) return true;
    refusal = "Tracegate: the tool folder holds %, \" or a control character: the debugger cannot be run safely.\r\n";
    return false;
}

bool Compose(const DebugRequest& request, char mode, char* command, std::size_t size, std::string& refusal)
{
    char program[kProgramSize] = {};
    std::string text;
    if (!ProgramName(request.program, program, refusal)) return false;
    if (!toolchain::AppendRunner(text, request.runner)) {
        refusal.assign("Tracegate: the runner \"").append(request.runner).append("\" cannot be run safely.\r\n");
        return false;
    }
    if (!AppendDebugger(mode, request.self, text, refusal)) return false;
    text += ' ';
    if (!toolchain::AppendCmdWord(text, program)) {
        refusal.assign("Tracegate: the program name \"").append(program).append(
            "\" holds %, \" or a control character, or ends in a backslash: it cannot be debugged safely.\r\n");
        return false;
    }
    if (toolchain::StoreSystemCommand(text, command, size)) return true;
    refusal.assign("Tracegate: the debugger command is longer than ")
        .append(std::to_string(size - 1)).append(" characters: ").append(text).append("\r\n");
    return false;
}

}  // namespace

bool ComposeDebuggerCommand(const DebugRequest& request, char* command, std::size_t size, std::string& refusal)
{
    command[0] = '\0';
    const char mode = request.mode.empty() ? '\0' : request.mode.front();
    if (mode != 'm' && mode != 't') return true;
    if (Compose(request, mode, command, size, refusal)) return true;
    command[0] = '\0';
    return false;
}

}  // namespace halyard::tracegate
