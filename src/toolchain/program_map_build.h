#pragma once
// The map of lines and symbols of a program the IDE has just built for debugging, read from the
// listing and object file the build left beside the source. The linker is run once more, on a
// copy of the object file in a folder of its own that is removed after, for the map of where the
// segments went (the build itself writes none).
#include <string>

#include "core/debuginfo/program_map.h"

struct ProgramMapRequest {
    int assembler = 0;        // halyard::toolchain::kAssemblerMasm or kAssemblerTasm
    std::string sourcePath;   // the source's full path
    std::string programPath;  // the built .EXE (or .COM) program's full path
    std::string binFolder;    // the installation's bin folder: masm16\, tasm16\ and Dosrun.exe
};

// Fails with a one-line reason (a missing file, a tool that made no map, a listing that does not
// fit the source); `map` is then empty.
[[nodiscard]] bool BuildProgramMap(const ProgramMapRequest& request, halyard::debuginfo::ProgramMap& map,
                                   std::string& error);
