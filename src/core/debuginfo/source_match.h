#pragma once
// Which source line each listing line came from. A listing numbers its own lines and shows
// INCLUDE files and macro expansions in place, so its statements are matched, in order, against
// the lines of the real files: a statement is found at the first line of the file being read
// (from where the last match left off) whose text is the same but for blanks. Lines the listing
// leaves out (.XLIST, false conditionals) are passed over that way. A macro expansion's lines, and
// a REPT, IRP or IRPC block's, belong to the line that invoked the macro or opened the block.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/debuginfo/listing.h"

namespace halyard::debuginfo {

// Gives a file's text by its full path; false when it cannot be read.
using ReadSourceText = std::function<bool(const std::string& path, std::string& text)>;

struct ListingPlace {
    int file = -1;  // index into SourceMatch::files; -1: the line matched no source line
    int line = 0;   // 1-based
    bool expansion = false;
};

struct SourceMatch {
    std::vector<std::string> files;    // [0] the source itself, then each INCLUDE file as first met
    std::vector<ListingPlace> places;  // one per listing line
};

// Fails only when the source itself cannot be read; an INCLUDE file that cannot be read leaves
// its lines unmatched.
[[nodiscard]] bool MatchListing(const Listing& listing, const std::string& sourcePath, const ReadSourceText& read,
                                SourceMatch& match, std::string& error);

// The path of an INCLUDE name written in the source at `sourcePath`: a relative name is taken
// from the source's folder (where the assembler ran), an absolute one as it is.
[[nodiscard]] std::string IncludePath(const std::string& sourcePath, std::string_view name);

}  // namespace halyard::debuginfo
