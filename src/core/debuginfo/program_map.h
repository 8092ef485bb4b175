#pragma once
// What a debugger knows of a program's source: the address of every source line that produced
// code or data, and every label with its type. Addresses are relative to the program's load
// segment: a line's code is at (load + frame):offset, where `load` is the segment the image
// starts at (the PSP's segment for a .COM program, whose offsets start at 100h; PSP + 10h for an
// .EXE program) and `frame` the paragraph its segment starts at in the image.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace halyard::debuginfo {

struct SourceLine {
    std::string file;     // the source file's full path as the IDE opened it (an INCLUDE file's own path)
    int line = 0;         // 1-based line of that file
    uint16_t frame = 0;   // paragraphs from the load segment to the line's segment
    uint16_t offset = 0;  // the offset of its first byte in that segment
    uint16_t length = 0;  // bytes it produced (0 for a line that only names an address, such as a label)
    bool code = true;     // instructions (false: data, DB/DW/DD and the like)
};

enum class SymbolKind : uint8_t { Byte, Word, Dword, Qword, Tbyte, Near, Far, Other };

struct Symbol {
    std::string name;     // as written in the source (the listing's case)
    std::string segment;  // its segment's name
    uint16_t frame = 0;   // as SourceLine::frame
    uint16_t offset = 0;
    SymbolKind kind = SymbolKind::Other;
    uint32_t count = 1;   // elements of its type (DB 10 DUP (?) is 10 bytes)
};

class ProgramMap {
public:
    std::vector<SourceLine> lines;  // in address order
    std::vector<Symbol> symbols;

    bool Empty() const { return lines.empty(); }
    // The line whose bytes hold the address (frame, offset) of the image, or null.
    const SourceLine* LineAt(uint32_t imageAddress) const;
    // The image address of the first code byte of `file`'s line `line` (case-insensitive path), or
    // of the next line below it that has code, within the same file; nullopt when there is none.
    std::optional<uint32_t> AddressOf(const std::string& file, int line) const;
    // A symbol by name, any case.
    const Symbol* Find(const std::string& name) const;

    static uint32_t ImageAddress(uint16_t frame, uint16_t offset) { return uint32_t(frame) * 16 + offset; }
};

}  // namespace halyard::debuginfo
