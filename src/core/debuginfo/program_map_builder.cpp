#include "core/debuginfo/program_map_builder.h"

#include <algorithm>
#include <cctype>

#include "core/debuginfo/link_map.h"
#include "core/debuginfo/listing_text.h"
#include "core/debuginfo/segment_scope.h"

namespace halyard::debuginfo {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool IsDataDirective(const std::string& word)
{
    static const char* const kWords[] = {"DB", "DW", "DD", "DQ", "DT", "DF", "DP"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char* w) { return word == w; });
}

// Where a segment sits: its paragraph and the bytes its offsets are shifted by (a segment aligned
// to a byte or word need not start at a paragraph; the linker moves its offsets instead).
struct Placement {
    uint16_t frame = 0;
    uint16_t shift = 0;
};

// A listed statement with what the builder learnt of it.
struct Statement {
    std::string segment;
    std::vector<std::string> words;
};

class Builder {
public:
    Builder(const ProgramTexts& texts, const Listing& listing, const std::vector<MapSegment>& segments,
            const SourceMatch& match, ProgramMap& map)
        : m_texts(texts), m_listing(listing), m_segments(segments), m_match(match), m_map(map) {}

    bool Run(std::string& error)
    {
        SegmentScope scope(m_listing.segments);
        for (const ListingLine& line : m_listing.lines) {
            Statement statement;
            statement.words = StatementWords(line.text);
            statement.segment = scope.Step(statement.words);
            const bool data = Data(statement.words, scope);
            m_statements.push_back(std::move(statement));
            if (!AddLine(m_statements.size() - 1, data, error)) return false;
        }
        for (const ListingSymbol& symbol : m_listing.symbols) AddSymbol(symbol);
        std::stable_sort(m_map.lines.begin(), m_map.lines.end(), [](const SourceLine& a, const SourceLine& b) {
            return ProgramMap::ImageAddress(a.frame, a.offset) < ProgramMap::ImageAddress(b.frame, b.offset);
        });
        return true;
    }

private:
    static bool Data(const std::vector<std::string>& words, const SegmentScope& scope)
    {
        for (std::size_t i = 0; i < words.size() && i < 2; ++i)
            if (IsDataDirective(words[i]) || scope.IsStructure(words[i])) return true;
        return false;
    }

    static bool Labels(const std::vector<std::string>& words)
    {
        if (words.empty()) return false;
        return words[0].back() == ':' || (words.size() > 1 && (words[1] == "PROC" || words[1] == "LABEL"));
    }

    bool Place(const std::string& segment, Placement& placement) const
    {
        if (m_texts.comProgram) return true;
        for (const MapSegment& mapped : m_segments) {
            if (!SameName(mapped.name, segment)) continue;
            placement = {uint16_t(mapped.start >> 4), uint16_t(mapped.start & 15)};
            return true;
        }
        return false;
    }

    bool AddLine(std::size_t index, bool data, std::string& error)
    {
        const ListingLine& line = m_listing.lines[index];
        const ListingPlace& place = m_match.places[index];
        const Statement& statement = m_statements[index];
        if (!line.offset || statement.segment.empty() || place.file < 0) return true;
        if (line.bytes.empty() && (place.expansion || !Labels(statement.words))) return true;
        Placement placement;
        if (!Place(statement.segment, placement)) {
            if (line.bytes.empty()) return true;
            error = "The linker's map has no segment " + statement.segment;
            return false;
        }
        SourceLine mapped;
        mapped.file = m_match.files[std::size_t(place.file)];
        mapped.line = place.line;
        mapped.frame = placement.frame;
        mapped.offset = uint16_t(*line.offset + placement.shift);
        mapped.length = uint16_t(std::min<std::size_t>(line.bytes.size(), 0xFFFF));
        mapped.code = !data;
        if (!Merge(mapped, place.expansion)) m_map.lines.push_back(std::move(mapped));
        return true;
    }

    // A macro's expansion lines follow one another: they make one range of the line that invoked it.
    bool Merge(const SourceLine& mapped, bool expansion)
    {
        if (!expansion || m_map.lines.empty()) return false;
        SourceLine& last = m_map.lines.back();
        if (last.file != mapped.file || last.line != mapped.line || last.frame != mapped.frame ||
            uint32_t(last.offset) + last.length != mapped.offset)
            return false;
        last.length = uint16_t(last.length + mapped.length);
        last.code = last.code || mapped.code;
        return true;
    }

    // The statement that defines the symbol: it starts with the name and shows its offset.
    const ListingLine* Definition(const ListingSymbol& symbol, std::string& segment) const
    {
        for (std::size_t i = 0; i < m_statements.size(); ++i) {
            const std::vector<std::string>& words = m_statements[i].words;
            if (words.empty() || !m_listing.lines[i].offset || *m_listing.lines[i].offset != symbol.value) continue;
            std::string_view first = words[0];
            if (first.back() == ':') first.remove_suffix(1);
            if (!SameName(first, symbol.name)) continue;
            segment = m_statements[i].segment;
            return &m_listing.lines[i];
        }
        return nullptr;
    }

    bool IsSegment(const std::string& name) const
    {
        return std::any_of(m_listing.segments.begin(), m_listing.segments.end(),
                           [&](const ListingSegment& s) { return SameName(s.name, name); });
    }

    void AddSymbol(const ListingSymbol& listed);

    const ProgramTexts& m_texts;
    const Listing& m_listing;
    const std::vector<MapSegment>& m_segments;
    const SourceMatch& m_match;
    ProgramMap& m_map;
    std::vector<Statement> m_statements;  // one per listing line
};

SymbolKind KindOf(std::string_view type)
{
    if (type.size() > 2 && (type.substr(0, 2) == "L " || type.substr(0, 2) == "N " || type.substr(0, 2) == "F ")) {
        if (type == "N PROC") return SymbolKind::Near;
        if (type == "F PROC") return SymbolKind::Far;
        type.remove_prefix(2);
    }
    static const std::pair<const char*, SymbolKind> kKinds[] = {
        {"BYTE", SymbolKind::Byte},   {"WORD", SymbolKind::Word}, {"DWORD", SymbolKind::Dword},
        {"QWORD", SymbolKind::Qword}, {"TBYTE", SymbolKind::Tbyte}, {"NEAR", SymbolKind::Near},
        {"FAR", SymbolKind::Far}};
    for (const auto& [word, kind] : kKinds)
        if (SameName(type, word)) return kind;
    return SymbolKind::Other;
}

uint32_t ElementSize(SymbolKind kind)
{
    switch (kind) {
    case SymbolKind::Byte: return 1;
    case SymbolKind::Word: return 2;
    case SymbolKind::Dword: return 4;
    case SymbolKind::Qword: return 8;
    case SymbolKind::Tbyte: return 10;
    default: return 0;
    }
}

// A symbol's segment is the one the listing names, or, where it names a group (TASM does), the
// one its defining statement is in. Its count is the DUP length MASM lists, else what its
// defining statement reserves.
void Builder::AddSymbol(const ListingSymbol& listed)
{
    std::string segment;
    const ListingLine* definition = Definition(listed, segment);
    if (IsSegment(listed.segment)) segment = listed.segment;
    Placement placement;
    if (segment.empty() || !Place(segment, placement)) return;
    Symbol symbol;
    symbol.name = listed.name;
    symbol.segment = segment;
    symbol.frame = placement.frame;
    symbol.offset = uint16_t(listed.value + placement.shift);
    symbol.kind = KindOf(listed.type);
    const uint32_t size = ElementSize(symbol.kind);
    if (size > 0 && listed.length > 0)
        symbol.count = listed.length;
    else if (size > 0 && definition != nullptr && definition->bytes.size() >= size)
        symbol.count = uint32_t(definition->bytes.size()) / size;
    m_map.symbols.push_back(std::move(symbol));
}

}  // namespace

bool BuildProgramMap(const ProgramTexts& texts, ProgramMap& map, std::string& error)
{
    map = ProgramMap{};
    Listing listing;
    const bool read = texts.dialect == ListingDialect::Masm ? ReadMasmListing(texts.listing, listing, error)
                                                           : ReadTasmListing(texts.listing, listing, error);
    if (!read) return false;
    std::vector<MapSegment> segments;
    if (!texts.comProgram && !ReadLinkMap(texts.linkMap, segments, error)) return false;
    SourceMatch match;
    if (!MatchListing(listing, texts.sourcePath, texts.readSource, match, error)) return false;
    Builder builder(texts, listing, segments, match, map);
    return builder.Run(error);
}

}  // namespace halyard::debuginfo
