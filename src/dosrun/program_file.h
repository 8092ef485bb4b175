#pragma once
// Finding and reading the program Dosrun was asked to run.
#include <cstdint>
#include <string>
#include <vector>

namespace halyard::dosrun {

struct ProgramFile {
    std::string path;  // full path, in its short form where the volume keeps one
    std::vector<uint8_t> bytes;
};

// Looks for `name` as DOS would (with .COM, then .EXE, when it has no extension) in the current
// folder and then the PATH folders. False when no such file is readable.
bool FindProgram(const std::string& name, ProgramFile& file);

}  // namespace halyard::dosrun
