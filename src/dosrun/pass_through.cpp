#include "dosrun/pass_through.h"

#include <windows.h>

#include <cstdio>

namespace halyard::dosrun {

int RunWindowsProgram(const std::string& program, const std::string& commandLine)
{
    std::string line = commandLine;  // CreateProcessA may write into its command line
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "Dosrun: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return 255;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 255;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

}  // namespace halyard::dosrun
