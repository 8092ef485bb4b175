// Both linkers write one row per segment: " 00000H 0002BH 002CH  CODE   class" (LINK pads the
// length to 4 digits, TLINK to 5). The rows of the detailed map and of the publics have another
// shape ("0000:0000 ...") and are passed over.
#include "core/debuginfo/link_map.h"

#include "core/debuginfo/listing_text.h"

namespace halyard::debuginfo {
namespace {

// "00110H" gives 0x110; false for anything else.
bool ParseAddress(std::string_view word, uint32_t& value)
{
    return word.size() >= 2 && word.back() == 'H' && ParseHex(word.substr(0, word.size() - 1), value);
}

std::string_view NextWord(std::string_view& line)
{
    line = Trimmed(line);
    std::size_t end = 0;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    const std::string_view word = line.substr(0, end);
    line.remove_prefix(end);
    return word;
}

bool SegmentRow(std::string_view line, MapSegment& segment)
{
    uint32_t stop = 0;
    if (!ParseAddress(NextWord(line), segment.start) || !ParseAddress(NextWord(line), stop) ||
        !ParseAddress(NextWord(line), segment.length))
        return false;
    segment.name = std::string(NextWord(line));
    return !segment.name.empty();
}

}  // namespace

bool ReadLinkMap(std::string_view text, std::vector<MapSegment>& segments, std::string& error)
{
    segments.clear();
    for (const std::string_view line : SplitLines(text)) {
        MapSegment segment;
        if (SegmentRow(line, segment)) segments.push_back(std::move(segment));
    }
    if (segments.empty()) {
        error = "The linker's map lists no segment";
        return false;
    }
    return true;
}

}  // namespace halyard::debuginfo
