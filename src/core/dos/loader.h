#pragma once
// Loading a program: its environment block, its program segment prefix (PSP) with the command
// tail, and its image (.COM at PSP:0100h, MZ with its relocations applied at PSP+10h), then the
// registers DOS starts it with.
#include <cstdint>
#include <string>
#include <vector>

#include "core/dos/cpu.h"
#include "core/dos/dos_kernel.h"

namespace halyard::dos {

inline constexpr size_t kTailLimit = 126;
inline constexpr size_t kEnvironmentLimit = 32 * 1024;

struct LoadRequest {
    std::vector<uint8_t> image;  // the whole file
    bool mz = false;             // an MZ executable (else a .COM image)
    std::string path;            // the program's name as its environment records it
    std::string tail;            // the command tail as typed after the name, usually with a leading blank
    std::vector<std::string> environment;  // "NAME=value" strings, in order
};

// Returns an empty string when the program is ready to run, else why it cannot run.
std::string LoadProgram(const LoadRequest& request, Memory& memory, DosKernel& kernel, Registers& regs);

// The environment block: the strings that fit in kEnvironmentLimit with the program's name (later
// ones are left out), each ended by a 0, a 0, the word 1 and the program's name.
std::string EnvironmentBlock(const std::vector<std::string>& environment, const std::string& path);

}  // namespace halyard::dos
