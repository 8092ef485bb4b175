#pragma once
// What an assembler's listing says about a program: each listed statement with the offset and
// bytes it shows, and the segment and symbol tables at its end. The readers keep the listing's
// order and its text as listed; matching the text to the source files is done elsewhere.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::debuginfo {

enum class ListingDialect : uint8_t { Masm, Tasm };

struct ListingLine {
    std::string text;                // the statement as listed (a wrapped statement's pieces joined)
    std::optional<uint16_t> offset;  // the offset it shows, if any
    std::vector<int16_t> bytes;      // the bytes it shows in memory order, DUPs expanded; -1 where the
                                     // linker fills them in (relocations) or they are left undefined
    int level = 0;                   // MASM: macro expansion depth; TASM: include and macro nesting
    bool included = false;           // MASM only: the line comes from an INCLUDE file
};

struct ListingSegment {
    std::string name;   // as listed (upper case unless case was kept)
    uint32_t length = 0;
    std::string group;  // the group it is listed under, or empty
};

struct ListingSymbol {
    std::string name;
    std::string type;       // the listing's words: "L NEAR", "N PROC", "L BYTE" (MASM); "Near", "Byte" (TASM)
    std::string segment;    // the segment (or, in TASM listings, sometimes the group) it is relative to
    uint16_t value = 0;
    uint32_t length = 0;    // MASM's "Length =" (DUP elements, a procedure's bytes); 0 when not listed
};

struct Listing {
    ListingDialect dialect = ListingDialect::Masm;
    std::vector<ListingLine> lines;
    std::vector<ListingSegment> segments;
    std::vector<ListingSymbol> symbols;
};

// Each reader fails (with a one-line reason) when the text holds no numbered listing line of its tool.
[[nodiscard]] bool ReadMasmListing(std::string_view text, Listing& listing, std::string& error);
[[nodiscard]] bool ReadTasmListing(std::string_view text, Listing& listing, std::string& error);

}  // namespace halyard::debuginfo
