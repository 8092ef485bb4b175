#pragma once
// A program's map from what its build left: the assembler's listing, the linker's map (where each
// segment starts in the image) and the source files the listing is matched against.
//
// Both toolchains are read the same way, listing plus map. TASM's debug information in the
// program would also give lines and symbols, but its layout is the debugger's own and changes
// between versions, while the listing (which the build writes anyway) and the map are plain
// text that TASM and TLINK have kept the same; one reader of each keeps MASM and TASM programs
// mapped by the same code.
#include <string>
#include <string_view>

#include "core/debuginfo/listing.h"
#include "core/debuginfo/program_map.h"
#include "core/debuginfo/source_match.h"

namespace halyard::debuginfo {

struct ProgramTexts {
    ListingDialect dialect = ListingDialect::Masm;
    std::string listing;
    std::string linkMap;  // not read for a .COM program
    bool comProgram = false;   // one segment loaded at the PSP: every frame is 0
    std::string sourcePath;    // the source's full path; INCLUDE files are found beside it
    ReadSourceText readSource;
};

// Fails, with a one-line reason, when a text is not what it should be, the source cannot be read
// or the map lacks a segment that holds code or data.
[[nodiscard]] bool BuildProgramMap(const ProgramTexts& texts, ProgramMap& map, std::string& error);

}  // namespace halyard::debuginfo
