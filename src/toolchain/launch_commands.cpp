#include "toolchain/launch_commands.h"
#include "fx/fx_handles.h"

bool StartHelper(const halyard::toolchain::LaunchLine& line, WORD showCommand, std::string& error)
{
    if (!line.text[0]) return true;
    char command[halyard::toolchain::kLaunchLineSize];
    lstrcpynA(command, line.text, sizeof command);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = showCommand;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        line.folder.empty() ? nullptr : line.folder.c_str(), &si, &pi)) {
        char reason[256] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, reason,
                       sizeof reason, nullptr);
        error = std::string("Cannot start ") + line.text + ": " + reason;
        return false;
    }
    // The helper runs on by itself: its handles are not kept.
    const FxHandle thread(pi.hThread), process(pi.hProcess);
    return true;
}
