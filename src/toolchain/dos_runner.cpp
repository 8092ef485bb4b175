#include "toolchain/dos_runner.h"

#include "toolchain/plain_file.h"
#include "toolchain/tool_names.h"
#include <windows.h>

bool SystemRunsDosPrograms()
{
#ifdef _WIN64
    return false;
#else
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return false;
    // Wine answers every Windows question as Windows would, but starts no DOS program.
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#endif
}

std::string DosRunnerFor(const std::string& installDir)
{
    if (SystemRunsDosPrograms()) return {};
    const std::string runner = installDir + "\\bin\\Dosrun.exe";
    if (!IsPlainFile(runner)) return {};
    return DosPathOf(runner);
}

void PassDosRunnerToHelpers(const std::string& runner)
{
    SetEnvironmentVariableA("HALYARD_DOSRUN", runner.empty() ? nullptr : runner.c_str());
}
