// MASM 5's listing: "nnnnnnnn oooo  bytes...   mm<tab>statement", tabs at stops of 8. The line
// number fills columns 0-7, the offset 9-12, the bytes run from 15, the marks sit in 37-38 ('C'
// for an INCLUDE file's line, a digit for a macro expansion's depth), the statement starts at
// 40 and wraps there on unnumbered lines. The tables after the body are tab-separated rows.
#include "core/debuginfo/listing.h"
#include "core/debuginfo/listing_rows.h"
#include "core/debuginfo/listing_text.h"

namespace halyard::debuginfo {
namespace {

constexpr std::size_t kOffsetColumn = 9;
constexpr std::size_t kMarkColumn = 37;
constexpr std::size_t kTextColumn = 40;

enum class Section { Body, Segments, Symbols, Other };

// The headings that start the tables; nullopt for any other line.
std::optional<Section> SectionHeading(std::string_view line)
{
    const std::string_view heading = Trimmed(line);
    if (heading == "Segments and Groups:") return Section::Segments;
    if (heading == "Symbols:") return Section::Symbols;
    if (heading == "Macros:" || heading == "Structures and Records:") return Section::Other;
    return std::nullopt;
}

std::vector<std::string_view> TabFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

// The name before the dots that pad it: "BIG  . . . .  " gives "BIG".
std::string_view DottedName(std::string_view field)
{
    const std::string_view name = Trimmed(field);
    return name.substr(0, name.find(' '));
}

// The second line of a page's heading: "Page     1-2" far to the right.
bool IsPageLine(std::string_view line)
{
    const std::string_view text = Trimmed(line);
    if (text.substr(0, 4) != "Page") return false;
    return text.find_first_not_of("0123456789- ", 4) == std::string_view::npos;
}

void BodyLine(std::string_view raw, ListingBody& body)
{
    const std::string line = ExpandTabs(raw);
    if (ParseRightNumber(Columns(line, 0, 8)) < 0) {
        if (line.size() > kTextColumn && IsBlank(Columns(line, 0, kTextColumn)) && !IsPageLine(line))
            body.Continue(Columns(line, kTextColumn));
        return;
    }
    ListedRow row;
    uint32_t offset = 0;
    const bool hasOffset = ParseHex(Columns(line, kOffsetColumn, kOffsetColumn + 4), offset) &&
                           (line.size() <= kOffsetColumn + 4 || line[kOffsetColumn + 4] == ' ');
    if (hasOffset) row.offset = uint16_t(offset);
    row.bytes = Columns(line, hasOffset ? kOffsetColumn + 4 : kOffsetColumn, kMarkColumn);
    for (const char mark : Columns(line, kMarkColumn, kTextColumn - 1)) {
        if (mark == 'C') row.included = true;
        if (mark >= '1' && mark <= '9') row.level = mark - '0';
    }
    const std::string text(Columns(line, kTextColumn));
    row.text = text;
    body.Add(row);
}

void SegmentRow(std::string_view line, std::string& group, Listing& listing)
{
    const std::vector<std::string_view> fields = TabFields(line);
    if (fields.size() < 2) return;
    const std::string_view name = DottedName(fields[0]);
    const bool member = !fields[0].empty() && fields[0].front() == ' ';
    if (!member) group.clear();
    uint32_t length = 0;
    if (Trimmed(fields[1]) == "GROUP")
        group = std::string(name);
    else if (!name.empty() && ParseHex(Trimmed(fields[1]), length))
        listing.segments.push_back({std::string(name), length, member ? group : std::string()});
}

void SymbolRow(std::string_view line, Listing& listing)
{
    const std::vector<std::string_view> fields = TabFields(line);
    uint32_t value = 0;
    if (fields.size() < 4 || !ParseHex(Trimmed(fields[2]), value) || Trimmed(fields[3]).empty()) return;
    ListingSymbol symbol;
    symbol.name = std::string(DottedName(fields[0]));
    symbol.type = std::string(Trimmed(fields[1]));
    symbol.segment = std::string(Trimmed(fields[3]));
    symbol.value = uint16_t(value);
    for (std::size_t i = 4; i < fields.size(); ++i) {
        const std::size_t equals = fields[i].find('=');
        uint32_t length = 0;
        if (equals != std::string_view::npos && ParseHex(Trimmed(fields[i].substr(equals + 1)), length))
            symbol.length = length;
    }
    if (!symbol.name.empty()) listing.symbols.push_back(std::move(symbol));
}

}  // namespace

bool ReadMasmListing(std::string_view text, Listing& listing, std::string& error)
{
    listing = Listing{};
    listing.dialect = ListingDialect::Masm;
    ListingBody body(listing, false);
    Section section = Section::Body;
    std::string group;
    for (const std::string_view line : SplitLines(text)) {
        const bool numbered = ParseRightNumber(Columns(ExpandTabs(line.substr(0, 8)), 0, 8)) >= 0;
        if (const std::optional<Section> heading = numbered ? std::nullopt : SectionHeading(line)) {
            body.Finish();
            section = *heading;
            group.clear();
            continue;
        }
        if (section == Section::Body) BodyLine(line, body);
        if (section == Section::Segments) SegmentRow(line, group, listing);
        if (section == Section::Symbols) SymbolRow(line, listing);
    }
    body.Finish();
    if (listing.lines.empty()) {
        error = "The listing holds no numbered line of MASM's";
        return false;
    }
    return true;
}

}  // namespace halyard::debuginfo
