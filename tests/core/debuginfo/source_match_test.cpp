// Matching listed statements to source lines where the listing leaves lines out or cannot see a file.
#include <gtest/gtest.h>

#include <map>

#include "core/debuginfo/source_match.h"

using namespace halyard::debuginfo;

TEST(SourceMatch, FollowsFilesSkipsUnlistedLinesAndOwnsExpansions)
{
    const std::map<std::string, std::string> files = {
        {"C:\\lab\\A.ASM", "  include sub\\b.inc\r\n  .xlist\r\nhidden db 1\r\n  .list\r\n  mov ax,  1\r\n"
                           "  rept 2\r\n  nop\r\n  endm\r\n  include gone.inc\r\nlast: ret\r\n"},
        {"C:\\lab\\sub\\b.inc", "; b\r\n  inc ax\r\n"},
    };
    const ReadSourceText read = [&](const std::string& path, std::string& text) {
        const auto it = files.find(path);
        if (it == files.end()) return false;
        text = it->second;
        return true;
    };
    struct Row {
        const char* text;
        int level;
        bool included;
        int file, line;
        bool expansion;
    };
    const Row rows[] = {
        {"  include sub\\b.inc", 0, false, 0, 1, false},
        {"; b", 0, true, 1, 1, false},
        {"  inc\tax", 0, true, 1, 2, false},
        {"  mov ax, 1", 0, false, 0, 5, false},  // the lines between .XLIST and .LIST are not listed
        {"  rept 2", 0, false, 0, 6, false},
        {"  nop", 0, false, 0, 7, false},
        {"  endm", 0, false, 0, 8, false},
        {"  nop", 1, false, 0, 6, true},         // REPT's copies
        {"  nop", 1, false, 0, 6, true},
        {"  include gone.inc", 0, false, 0, 9, false},
        {"; not readable", 0, true, -1, 0, false},
        {"last: ret", 0, false, 0, 10, false},
        {"not in the source", 0, false, -1, 0, false},
    };
    Listing listing;
    for (const Row& row : rows) {
        ListingLine line;
        line.text = row.text;
        line.level = row.level;
        line.included = row.included;
        listing.lines.push_back(line);
    }
    SourceMatch match;
    std::string error;
    ASSERT_TRUE(MatchListing(listing, "C:\\lab\\A.ASM", read, match, error)) << error;
    ASSERT_EQ(match.files.size(), 3u);
    EXPECT_EQ(match.files[1], "C:\\lab\\sub\\b.inc");
    EXPECT_EQ(match.files[2], "C:\\lab\\gone.inc");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].text);
        EXPECT_EQ(match.places[i].file, rows[i].file);
        EXPECT_EQ(match.places[i].line, rows[i].line);
        EXPECT_EQ(match.places[i].expansion, rows[i].expansion);
    }
    EXPECT_FALSE(MatchListing(listing, "C:\\lab\\X.ASM", read, match, error));
    EXPECT_EQ(IncludePath("C:\\lab\\A.ASM", "D:\\inc\\io.inc"), "D:\\inc\\io.inc");
}
