// The names the DOS tools are given. Through Dosrun (wherever the system cannot start DOS
// programs) they are the names as they are: Dosrun shows the tools its own 8.3 aliases. Where the
// tools run natively, a name they can open stays as it is; any other is replaced by the short
// (8.3) form the file system keeps for it.
#pragma once
#include "core/toolchain/build_config.h"
#include <string>

struct ToolNames {
    halyard::toolchain::PathParts source;  // the source's path parts as the tools see them
    // A name is not an 8.3 name and the volume gives no short form for it: the tools get the long
    // names, and `warning` says what to do (one line, CR LF included). Empty otherwise.
    std::string warning;
};

// `path` itself when every name in it is an 8.3 name, else its short form; `path` unchanged
// when there is none (no such file, or a volume without short names).
[[nodiscard]] std::string DosPathOf(const std::string& path);

// `throughDosrun`: the tools run through Dosrun.
[[nodiscard]] ToolNames ToolNamesFor(const halyard::toolchain::PathParts& source, bool throughDosrun);
