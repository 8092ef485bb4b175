#include "core/dos/loader.h"

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

void WritePsp(Memory& mem, uint16_t psp, uint16_t top, uint16_t environment, const std::string& tail)
{
    mem.Fill(psp, 0, 0, 0x100);
    mem.Write16(psp, 0x00, 0x20CD);  // INT 20h
    mem.Write16(psp, 0x02, top);
    for (uint16_t i = 0; i < 3; ++i)  // the terminate, Ctrl-Break and critical-error vectors
        mem.Write16(psp, uint16_t(0x0A + i * 4), mem.Read16(0, uint16_t((0x22 + i) * 4)));
    for (uint16_t i = 0; i < 3; ++i)
        mem.Write16(psp, uint16_t(0x0C + i * 4), mem.Read16(0, uint16_t((0x22 + i) * 4 + 2)));
    mem.Write16(psp, 0x16, psp);  // its own parent: there is no shell to return to
    mem.Write16(psp, 0x2C, environment);
    mem.Write16(psp, 0x38, 0xFFFF);
    mem.Write16(psp, 0x3A, 0xFFFF);
    mem.Write16(psp, 0x40, 0x0005);
    mem.Write8(psp, 0x50, 0xCD);  // INT 21h; RETF
    mem.Write8(psp, 0x51, 0x21);
    mem.Write8(psp, 0x52, 0xCB);
    mem.Fill(psp, 0x5D, ' ', 11);  // two empty FCBs
    mem.Fill(psp, 0x6D, ' ', 11);
    mem.Write8(psp, 0x80, uint8_t(tail.size()));
    mem.WriteString(psp, 0x81, tail + '\r');
}

std::string LoadCom(const LoadRequest& request, Memory& mem, uint16_t psp, uint16_t paragraphs, Registers& regs)
{
    if (uint32_t(paragraphs) * 16 < request.image.size() + 0x102)
        return "not enough memory for the program";
    mem.CopyIn(psp, 0x100, request.image.data(), uint32_t(request.image.size()));
    for (unsigned s = 0; s < 4; ++s)
        regs.seg[s] = psp;
    regs.ip = 0x100;
    regs.r[kSP] = uint16_t(std::min<uint32_t>(uint32_t(paragraphs) * 16, 0x10000) - 2);
    mem.Write16(psp, regs.r[kSP], 0);  // a RET from the program reaches the INT 20h at PSP:0
    return {};
}

std::string LoadMz(const LoadRequest& request, Memory& mem, uint16_t psp, uint32_t loadSize, Registers& regs)
{
    const std::vector<uint8_t>& file = request.image;
    const uint32_t header = uint32_t(Word(file, 0x08)) * 16;
    const uint16_t start = uint16_t(psp + kPspParagraphs);
    std::memcpy(mem.Raw() + (uint32_t(start) << 4), file.data() + header, loadSize);
    const uint32_t count = Word(file, 0x06), table = Word(file, 0x18);
    if (table + count * 4 > file.size())
        return "the program's relocation table is cut short";
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t off = Word(file, table + i * 4);
        const uint16_t seg = uint16_t(Word(file, table + i * 4 + 2) + start);
        mem.Write16(seg, off, uint16_t(mem.Read16(seg, off) + start));
    }
    regs.seg[kES] = regs.seg[kDS] = psp;
    regs.seg[kSS] = uint16_t(start + Word(file, 0x0E));
    regs.r[kSP] = Word(file, 0x10);
    regs.seg[kCS] = uint16_t(start + Word(file, 0x16));
    regs.ip = Word(file, 0x14);
    return {};
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

std::string LoadProgram(const LoadRequest& request, Memory& mem, DosKernel& kernel, Registers& regs)
{
    if (request.tail.size() > kTailLimit)
        return Refusal("the command line after the program's name is %u characters long; DOS takes at most 126",
                       unsigned(request.tail.size()));
    if (request.mz && (request.image.size() < 0x1C || Word(request.image, 0x08) * 16u > request.image.size()))
        return "the program's MZ header is damaged";
    if (!request.mz && request.image.size() > kComLimit)
        return Refusal("the .COM program is %u bytes long; a .COM program holds at most 65280", unsigned(request.image.size()));

    MemoryArena& arena = kernel.Arena();
    const std::string environment = EnvironmentBlock(request.environment, request.path);
    uint16_t envSeg = 0, psp = 0, largest = 0;
    if (arena.Allocate(Paragraphs(uint32_t(environment.size())), 0xFFFF, envSeg, largest) != kErrNone)
        return "not enough memory for the environment";
    mem.WriteString(envSeg, 0, environment);

    const uint32_t loadSize = request.mz ? MzLoadSize(request.image) : uint32_t(request.image.size());
    uint32_t least = kPspParagraphs + Paragraphs(loadSize), most = 0xFFFF;
    if (request.mz) {
        most = std::min<uint32_t>(least + Word(request.image, 0x0C), 0xFFFF);
        least += Word(request.image, 0x0A);
    }
    (void)arena.Allocate(0xFFFF, 0, psp, largest);  // fails, telling the largest block
    if (largest < least)
        return Refusal("the program needs %u KB of memory; 640 KB hold less than that", (least * 16 + 1023) / 1024);
    const uint16_t paragraphs = uint16_t(std::min<uint32_t>(largest, std::max(most, least)));
    if (arena.Allocate(paragraphs, 0xFFFF, psp, largest) != kErrNone)
        return "not enough memory for the program";
    arena.SetOwner(envSeg, psp);
    arena.SetOwner(psp, psp);

    WritePsp(mem, psp, uint16_t(psp + paragraphs), envSeg, request.tail);
    kernel.Files().InitPsp(psp);
    kernel.StartProgram(psp);
    regs = Registers{};
    regs.flags.Set(kIF);
    return request.mz ? LoadMz(request, mem, psp, loadSize, regs) : LoadCom(request, mem, psp, paragraphs, regs);
}

}  // namespace halyard::dos
