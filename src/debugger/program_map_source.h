// Where the debugger gets the map of the program it runs: the one call to the map's builder.
#pragma once
#include <string>

#include "core/debuginfo/program_map.h"

struct ProgramMapSource {
    int assembler = 0;       // kAssemblerMasm or kAssemblerTasm
    std::string source;      // the .asm file's full path
    std::string program;     // the built .exe or .com
    std::string binFolder;   // the installation's bin folder
};

// Fills `map` for `source`; false with `error` set when there is none (the run then goes on
// without source lines, by instruction addresses).
[[nodiscard]] bool LoadProgramMap(const ProgramMapSource& source, halyard::debuginfo::ProgramMap& map, std::string& error);
