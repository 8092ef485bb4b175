// TASM's listing (/la): "L nnnnn<tab>oooo  bytes...<tab>statement", retabbed as a whole, stops of
// 8. Column 0 holds the nesting level (INCLUDE files and macro expansions alike), the line number
// ends at column 6, the offset is at 8-11, the bytes run from 14 (a '+' at their end says they go
// on), the statement starts at 37 and never wraps. The tables follow the body, aligned in columns.
#include "core/debuginfo/listing.h"
#include "core/debuginfo/listing_rows.h"
#include "core/debuginfo/listing_text.h"

namespace halyard::debuginfo {
namespace {

constexpr std::size_t kNumberEnd = 7;
constexpr std::size_t kOffsetColumn = 8;
constexpr std::size_t kBytesColumn = 14;
constexpr std::size_t kTextColumn = 37;

enum class Section { Body, Symbols, Segments, Other };

std::optional<Section> SectionHeading(std::string_view line)
{
    const auto starts = [&](std::string_view heading) { return line.substr(0, heading.size()) == heading; };
    if (starts("Symbol Name")) return Section::Symbols;
    if (starts("Groups & Segments")) return Section::Segments;
    if (starts("Macro Name") || starts("Structure Name") || starts("Record Name") || starts("Error Summary"))
        return Section::Other;
    return std::nullopt;
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    for (;;) {
        line = Trimmed(line);
        if (line.empty()) return words;
        std::size_t end = 0;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
}

// "1    45": the level before the number; -1 when the field is not a line number.
int LineLevel(std::string_view field)
{
    const std::size_t gap = field.find(' ');
    if (gap == 0 || gap == std::string_view::npos) return 0;
    uint32_t level = 0;
    return ParseHex(field.substr(0, gap), level) && level < 10 ? int(level) : -1;
}

bool BodyLine(std::string_view raw, ListingBody& body)
{
    const std::string line = ExpandTabs(raw);
    const std::string_view number = Columns(line, 0, kNumberEnd);
    const std::size_t last = number.find_last_of(' ');
    const int level = LineLevel(number);
    if (number.size() < kNumberEnd || level < 0 || ParseRightNumber(number.substr(last == std::string_view::npos ? 0 : last)) < 0 ||
        (line.size() > kNumberEnd && line[kNumberEnd] != ' '))
        return false;
    ListedRow row;
    row.level = level;
    uint32_t offset = 0;
    const bool hasOffset = ParseHex(Columns(line, kOffsetColumn, kOffsetColumn + 4), offset) &&
                           (line.size() <= kOffsetColumn + 4 || line[kOffsetColumn + 4] == ' ');
    if (hasOffset) row.offset = uint16_t(offset);
    row.bytes = Columns(line, hasOffset ? kBytesColumn : kOffsetColumn, kTextColumn);
    row.text = Columns(line, kTextColumn);
    body.Add(row);
    return true;
}

void SymbolRow(std::string_view line, Listing& listing)
{
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 3 || line.front() == ' ') return;
    const std::size_t colon = words[2].find(':');
    uint32_t value = 0;
    if (colon == std::string_view::npos || colon == 0 || !ParseHex(words[2].substr(colon + 1), value)) return;
    ListingSymbol symbol;
    symbol.name = std::string(words[0]);
    symbol.type = std::string(words[1]);
    symbol.segment = std::string(words[2].substr(0, colon));
    symbol.value = uint16_t(value);
    listing.symbols.push_back(std::move(symbol));
}

void SegmentRow(std::string_view line, std::string& group, Listing& listing)
{
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 2) return;
    const bool member = line.front() == ' ';
    if (!member) group.clear();
    uint32_t length = 0;
    if (words[1] == "Group")
        group = std::string(words[0]);
    else if (words.size() >= 3 && (words[1] == "16" || words[1] == "32") && ParseHex(words[2], length))
        listing.segments.push_back({std::string(words[0]), length, member ? group : std::string()});
}

}  // namespace

bool ReadTasmListing(std::string_view text, Listing& listing, std::string& error)
{
    listing = Listing{};
    listing.dialect = ListingDialect::Tasm;
    ListingBody body(listing, true);
    Section section = Section::Body;
    std::string group;
    for (const std::string_view line : SplitLines(text)) {
        if (line.empty()) continue;
        if (const std::optional<Section> heading = SectionHeading(line)) {
            body.Finish();
            section = *heading;
            group.clear();
            continue;
        }
        if (section == Section::Body) BodyLine(line, body);
        if (section == Section::Symbols) SymbolRow(line, listing);
        if (section == Section::Segments) SegmentRow(line, group, listing);
    }
    body.Finish();
    if (listing.lines.empty()) {
        error = "The listing holds no numbered line of TASM's";
        return false;
    }
    return true;
}

}  // namespace halyard::debuginfo
