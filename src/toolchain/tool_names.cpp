#include "toolchain/tool_names.h"

#include "core/toolchain/dos_names.h"
#include <windows.h>

std::string DosPathOf(const std::string& path)
{
    if (halyard::toolchain::IsDosPath(path)) return path;
    char shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return n > 0 && n < sizeof shortPath ? std::string(shortPath) : path;
}

ToolNames ToolNamesFor(const halyard::toolchain::PathParts& source, bool throughDosrun)
{
    // Dosrun shows the tools an alias for every name they cannot open: they get the names as
    // they are.
    if (throughDosrun) return {source, {}};
    const std::string dosPath = DosPathOf(source.fullPath);
    ToolNames names{halyard::toolchain::SplitPath(dosPath), {}};
    if (!halyard::toolchain::IsDosPath(dosPath))
        names.warning = "\"" + source.fullPath +
                        "\" is no DOS 8.3 name and its disk keeps no short names, so the DOS tools cannot open it:"
                        " save it under a plain ASCII name of at most 8 characters, in folders named the same way\r\n";
    return names;
}
