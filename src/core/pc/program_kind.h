#pragma once
// Which programs the machine runs: a .COM file, or an MZ executable without a newer header after
// it. Anything else (a Windows program, a batch file) is for the host to start.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace halyard::dos {

enum class ProgramKind { Com, Mz, Other };

// `file` is the whole file; its name decides for a file without an MZ header.
ProgramKind ClassifyProgram(const uint8_t* file, size_t size, std::string_view fileName);

}  // namespace halyard::dos
