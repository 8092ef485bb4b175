#pragma once
// Loading a program: its environment block, its program segment prefix (PSP) with the command
// tail, and its image (.COM at PSP:0100h, MZ with its relocations applied at PSP+10h), then the
// registers DOS starts it with. The first program and the children of 4Bh load the same way.
#include <cstdint>
#include <string>
#include <vector>

#include "core/pc/cpu/cpu.h"
#include "core/pc/dos/dos_kernel.h"

namespace halyard::dos {

inline constexpr size_t kTailLimit = 126;
inline constexpr size_t kEnvironmentLimit = 32 * 1024;
inline constexpr uint16_t kPspParent = 0x16, kPspEnvironment = 0x2C, kPspStack = 0x2E, kPspFcb1 = 0x5C,
                          kPspFcb2 = 0x6C, kPspTail = 0x80, kPspTerminate = 0x0A;

struct LoadRequest {
    std::vector<uint8_t> image;  // the whole file
    bool mz = false;             // an MZ executable (else a .COM image)
    std::string path;            // the program's name as its environment records it
    std::string tail;            // the command tail as typed after the name, usually with a leading blank
    std::vector<std::string> environment;  // "NAME=value" strings, in order
};

// Where a loaded program starts, and what its registers hold there.
struct ProgramStart {
    uint16_t psp = 0, cs = 0, ip = 0, ss = 0, sp = 0;
    uint16_t ax = 0;  // whether the drives of the PSP's two FCBs exist: 00h yes, FFh no (AL, AH)
};

// The first program: returns an empty string when it is ready to run, else why it cannot run.
// Its command tail's first two names are parsed into the PSP's FCBs, as the shell does.
std::string LoadProgram(const LoadRequest& request, Memory& memory, DosKernel& kernel, Registers& regs);

// A program started by another (`parent`): environment, PSP and image in the arena's memory. On
// failure returns the DOS error (kErrNotEnoughMemory, kErrInvalidFormat) with `why` in words.
uint16_t CreateProcess(const LoadRequest& request, uint16_t parent, Memory& memory, DosKernel& kernel,
                       ProgramStart& start, std::string& why);
// The registers DOS 5 hands a program: AX the FCB drives, BX 0, CX 00FFh, DX the PSP, SI the
// start offset, DI the stack offset, BP 091Ch, DS = ES = the PSP, interrupts on.
void StartRegisters(const ProgramStart& start, Registers& regs);
// An overlay (4Bh AL=03h): the image at `segment`, an MZ image relocated by `relocation`.
uint16_t LoadOverlay(const std::vector<uint8_t>& image, Memory& memory, uint16_t segment, uint16_t relocation);
// Whether a file's bytes are an MZ executable (its first two bytes "MZ" or "ZM").
bool IsMz(const std::vector<uint8_t>& image);

// The environment block: the strings that fit in kEnvironmentLimit with the program's name (later
// ones are left out), each ended by a 0, a 0, the word 1 and the program's name.
std::string EnvironmentBlock(const std::vector<std::string>& environment, const std::string& path);
// The strings of the environment block at `segment` (up to its empty string, within 32 KB).
std::vector<std::string> EnvironmentStrings(const Memory& memory, uint16_t segment);

}  // namespace halyard::dos
