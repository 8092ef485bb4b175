#include "core/pc/dos/loader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace halyard::dos {
namespace {

constexpr uint16_t kPspParagraphs = 0x10;
constexpr uint32_t kComLimit = 0xFF00;

uint16_t Word(const std::vector<uint8_t>& file, size_t at)
{
    return at + 1 < file.size() ? uint16_t(file[at] | file[at + 1] << 8) : 0;
}

uint16_t Paragraphs(uint32_t bytes)
{
    return uint16_t(std::min<uint32_t>((bytes + 15) / 16, 0xFFFF));
}

std::string Refusal(const char* format, unsigned value)
{
    char text[160];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void WritePsp(Memory& mem, uint16_t psp, uint16_t top, uint16_t environment, uint16_t parent, const std::string& tail)
{
    mem.Fill(psp, 0, 0, 0x100);
    mem.Write16(psp, 0x00, 0x20CD);  // INT 20h
    mem.Write16(psp, 0x02, top);
    for (uint16_t i = 0; i < 3; ++i)  // the terminate, Ctrl-Break and critical-error vectors
        mem.Write16(psp, uint16_t(kPspTerminate + i * 4), mem.Read16(0, uint16_t((0x22 + i) * 4)));
    for (uint16_t i = 0; i < 3; ++i)
        mem.Write16(psp, uint16_t(kPspTerminate + 2 + i * 4), mem.Read16(0, uint16_t((0x22 + i) * 4 + 2)));
    mem.Write16(psp, kPspParent, parent);
    mem.Write16(psp, kPspEnvironment, environment);
    mem.Write16(psp, 0x38, 0xFFFF);
    mem.Write16(psp, 0x3A, 0xFFFF);
    mem.Write16(psp, 0x40, 0x0005);
    mem.Write8(psp, 0x50, 0xCD);  // INT 21h; RETF
    mem.Write8(psp, 0x51, 0x21);
    mem.Write8(psp, 0x52, 0xCB);
    mem.Fill(psp, kPspFcb1 + 1, ' ', 11);  // two empty FCBs
    mem.Fill(psp, kPspFcb2 + 1, ' ', 11);
    mem.Write8(psp, kPspTail, uint8_t(tail.size()));
    mem.WriteString(psp, kPspTail + 1, tail + '\r');
}

void LoadCom(const LoadRequest& request, Memory& mem, uint16_t paragraphs, ProgramStart& start)
{
    mem.CopyIn(start.psp, 0x100, request.image.data(), uint32_t(request.image.size()));
    start.cs = start.ss = start.psp;
    start.ip = 0x100;
    start.sp = uint16_t(std::min<uint32_t>(uint32_t(paragraphs) * 16, 0x10000) - 2);
    mem.Write16(start.psp, start.sp, 0);  // a RET from the program reaches the INT 20h at PSP:0
}

void Relocate(const std::vector<uint8_t>& file, Memory& mem, uint16_t base, uint16_t factor)
{
    const uint32_t count = Word(file, 0x06), table = Word(file, 0x18);
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t off = Word(file, table + i * 4);
        const uint16_t seg = uint16_t(Word(file, table + i * 4 + 2) + base);
        mem.Write16(seg, off, uint16_t(mem.Read16(seg, off) + factor));
    }
}

bool RelocationsFit(const std::vector<uint8_t>& file)
{
    return Word(file, 0x18) + Word(file, 0x06) * 4u <= file.size();
}

void LoadMz(const LoadRequest& request, Memory& mem, uint32_t loadSize, ProgramStart& start)
{
    const std::vector<uint8_t>& file = request.image;
    const uint32_t header = uint32_t(Word(file, 0x08)) * 16;
    const uint16_t base = uint16_t(start.psp + kPspParagraphs);
    std::memcpy(mem.Raw() + (uint32_t(base) << 4), file.data() + header, loadSize);
    Relocate(file, mem, base, base);
    start.ss = uint16_t(base + Word(file, 0x0E));
    start.sp = Word(file, 0x10);
    start.cs = uint16_t(base + Word(file, 0x16));
    start.ip = Word(file, 0x14);
}

// The bytes of an MZ file's load module: the pages the header counts, less the header, within
// the file.
uint32_t MzLoadSize(const std::vector<uint8_t>& file)
{
    const uint32_t lastPage = Word(file, 0x02) & 0x1FF;
    uint32_t size = uint32_t(Word(file, 0x04)) * 512;
    if (lastPage != 0 && size >= 512)
        size -= 512 - lastPage;
    const uint32_t header = uint32_t(Word(file, 0x08)) * 16;
    size = std::min<uint32_t>(size, uint32_t(file.size()));
    return size > header ? size - header : 0;
}

}  // namespace

std::string EnvironmentBlock(const std::vector<std::string>& environment, const std::string& path)
{
    std::string block;
    const size_t reserved = path.size() + 4;
    for (const std::string& entry : environment) {
        if (entry.empty() || entry.find('\0') != std::string::npos)
            continue;
        if (block.size() + entry.size() + 1 + 1 + reserved > kEnvironmentLimit)
            continue;
        block += entry;
        block += '\0';
    }
    block += '\0';
    block += std::string("\x01\x00", 2);
    block += path;
    block += '\0';
    return block;
}

bool IsMz(const std::vector<uint8_t>& image)
{
    return image.size() >= 2 && ((image[0] == 'M' && image[1] == 'Z') || (image[0] == 'Z' && image[1] == 'M'));
}

std::vector<std::string> EnvironmentStrings(const Memory& mem, uint16_t segment)
{
    std::vector<std::string> strings;
    uint32_t at = 0;
    while (at < kEnvironmentLimit) {
        bool complete;
        std::string entry = mem.ReadString(segment, uint16_t(at), uint32_t(kEnvironmentLimit - at), 0, complete);
        if (!complete || entry.empty())
            break;
        at += uint32_t(entry.size()) + 1;
        strings.push_back(std::move(entry));
    }
    return strings;
}

uint16_t CreateProcess(const LoadRequest& request, uint16_t parent, Memory& mem, DosKernel& kernel,
                       ProgramStart& start, std::string& why)
{
    why.clear();
    if (request.tail.size() > kTailLimit)
        why = Refusal("the command line after the program's name is %u characters long; DOS takes at most 126",
                      unsigned(request.tail.size()));
    else if (request.mz && (request.image.size() < 0x1C || Word(request.image, 0x08) * 16u > request.image.size()))
        why = "the program's MZ header is damaged";
    else if (request.mz && !RelocationsFit(request.image))
        why = "the program's relocation table is cut short";
    else if (!request.mz && request.image.size() > kComLimit)
        why = Refusal("the .COM program is %u bytes long; a .COM program holds at most 65280",
                      unsigned(request.image.size()));
    if (!why.empty())
        return kErrInvalidFormat;

    MemoryArena& arena = kernel.Arena();
    const std::string environment = EnvironmentBlock(request.environment, request.path);
    uint16_t envSeg = 0, psp = 0, largest = 0;
    if (arena.Allocate(Paragraphs(uint32_t(environment.size())), 0xFFFF, envSeg, largest) != kErrNone) {
        why = "not enough memory for the environment";
        return kErrNotEnoughMemory;
    }
    mem.WriteString(envSeg, 0, environment);

    const uint32_t loadSize = request.mz ? MzLoadSize(request.image) : uint32_t(request.image.size());
    uint32_t least = kPspParagraphs + Paragraphs(loadSize), most = 0xFFFF;
    if (request.mz) {
        most = std::min<uint32_t>(least + Word(request.image, 0x0C), 0xFFFF);
        least += Word(request.image, 0x0A);
    } else {
        least = std::max<uint32_t>(least, Paragraphs(uint32_t(request.image.size()) + 0x102));
    }
    (void)arena.Allocate(0xFFFF, 0, psp, largest);  // fails, telling the largest block
    const uint16_t paragraphs = uint16_t(std::min<uint32_t>(largest, std::max(most, least)));
    if (largest < least || arena.Allocate(paragraphs, 0xFFFF, psp, largest) != kErrNone) {
        (void)arena.Free(envSeg);
        why = Refusal("the program needs %u KB of memory; 640 KB hold less than that", (least * 16 + 1023) / 1024);
        return kErrNotEnoughMemory;
    }
    arena.SetOwner(envSeg, psp);
    arena.SetOwner(psp, psp);

    WritePsp(mem, psp, uint16_t(psp + paragraphs), envSeg, parent == 0 ? psp : parent, request.tail);
    start = ProgramStart{};
    start.psp = psp;
    if (request.mz)
        LoadMz(request, mem, loadSize, start);
    else
        LoadCom(request, mem, paragraphs, start);
    return kErrNone;
}

void StartRegisters(const ProgramStart& start, Registers& regs)
{
    regs = Registers{};
    regs.flags.Set(kIF);
    regs.r[kAX] = start.ax;
    regs.r[kCX] = 0x00FF;
    regs.r[kDX] = start.psp;
    regs.r[kSI] = start.ip;
    regs.r[kDI] = start.sp;
    regs.r[kBP] = 0x091C;
    regs.seg[kDS] = regs.seg[kES] = start.psp;
    regs.seg[kCS] = start.cs;
    regs.ip = start.ip;
    regs.seg[kSS] = start.ss;
    regs.r[kSP] = start.sp;
}

uint16_t LoadOverlay(const std::vector<uint8_t>& image, Memory& mem, uint16_t segment, uint16_t relocation)
{
    if (!IsMz(image)) {
        mem.CopyIn(segment, 0, image.data(), uint32_t(std::min<size_t>(image.size(), kMemorySize - Linear(segment, 0))));
        return kErrNone;
    }
    if (image.size() < 0x1C || Word(image, 0x08) * 16u > image.size() || !RelocationsFit(image))
        return kErrInvalidFormat;
    const uint32_t size = std::min(MzLoadSize(image), kMemorySize - Linear(segment, 0));
    std::memcpy(mem.Raw() + Linear(segment, 0), image.data() + Word(image, 0x08) * 16u, size);
    Relocate(image, mem, segment, relocation);
    return kErrNone;
}

std::string LoadProgram(const LoadRequest& request, Memory& mem, DosKernel& kernel, Registers& regs)
{
    ProgramStart start;
    std::string why;
    if (CreateProcess(request, 0, mem, kernel, start, why) != kErrNone)
        return why;
    kernel.Files().InitPsp(start.psp);
    start.ax = kernel.ParseTailIntoFcbs(start.psp);
    kernel.StartProgram(start.psp);
    StartRegisters(start, regs);
    return {};
}

}  // namespace halyard::dos
