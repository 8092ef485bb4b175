#include "core/debuginfo/source_match.h"

#include "core/debuginfo/listing_text.h"

namespace halyard::debuginfo {
namespace {

std::string Squeezed(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out.push_back(c);
    return out;
}

// The file name after INCLUDE as written (its case kept), without quotes or a comment.
std::string IncludeName(std::string_view text)
{
    text = Trimmed(text);
    const std::size_t gap = text.find_first_of(" \t");
    std::string_view name = Trimmed(text.substr(gap == std::string_view::npos ? text.size() : gap));
    name = name.substr(0, name.find(';'));
    name = Trimmed(name.substr(0, name.find_first_of(" \t")));
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        name = name.substr(1, name.size() - 2);
    return std::string(name);
}

struct OpenFile {
    int index;
    std::vector<std::string> lines;  // squeezed
    std::size_t next = 0;            // where the search for the next statement starts
};

class Matcher {
public:
    Matcher(const Listing& listing, const ReadSourceText& read, SourceMatch& match)
        : m_listing(listing), m_read(read), m_match(match) {}

    bool Open(const std::string& path)
    {
        int index = 0;
        while (index < int(m_match.files.size()) && m_match.files[std::size_t(index)] != path) ++index;
        if (index == int(m_match.files.size())) m_match.files.push_back(path);
        OpenFile file{index, {}, 0};
        std::string text;
        const bool readable = m_read(path, text);
        for (const std::string_view line : SplitLines(text)) file.lines.push_back(Squeezed(line));
        m_stack.push_back(std::move(file));
        return readable;
    }

    ListingPlace Place(const ListingLine& line)
    {
        const int depth = int(m_stack.size()) - 1;
        const bool masm = m_listing.dialect == ListingDialect::Masm;
        if (masm ? line.level > 0 : line.level > depth) return {m_owner.file, m_owner.line, m_owner.file >= 0};
        if (masm && !line.included) m_stack.resize(1);
        if (!masm && line.level < depth) m_stack.resize(std::size_t(line.level) + 1);
        if (masm && line.included && depth == 0) return {};
        const ListingPlace place = Find(Squeezed(line.text), masm && line.included);
        if (place.file >= 0) Matched(place, line.text);
        return place;
    }

private:
    // Searches the file being read; a MASM INCLUDE line that is not in a nested INCLUDE file's
    // remaining lines is looked for in the file that included it.
    ListingPlace Find(const std::string& text, bool included)
    {
        if (text.empty()) return {};
        for (;;) {
            OpenFile& file = m_stack.back();
            for (std::size_t i = file.next; i < file.lines.size(); ++i) {
                if (file.lines[i] != text) continue;
                file.next = i + 1;
                return {file.index, int(i) + 1, false};
            }
            if (!included || m_stack.size() <= 2) return {};
            m_stack.pop_back();
        }
    }

    void Matched(const ListingPlace& place, const std::string& text)
    {
        m_owner = place;
        const std::vector<std::string> words = StatementWords(text);
        if (words.empty()) return;
        const bool repeat = words[0] == "REPT" || words[0] == "IRP" || words[0] == "IRPC";
        if (repeat || (words.size() > 1 && words[1] == "MACRO")) m_blocks.push_back({repeat, place});
        if (words[0] == "ENDM" && !m_blocks.empty()) {
            const Block block = m_blocks.back();
            m_blocks.pop_back();
            if (block.repeat && m_blocks.empty()) m_owner = block.start;
        }
        if (words[0] == "INCLUDE" && words.size() > 1 && m_blocks.empty())
            Open(IncludePath(m_match.files.front(), IncludeName(text)));
    }

    struct Block {
        bool repeat;  // REPT, IRP, IRPC: expanded where it ends; a MACRO only where it is invoked
        ListingPlace start;
    };

    const Listing& m_listing;
    const ReadSourceText& m_read;
    SourceMatch& m_match;
    std::vector<OpenFile> m_stack;  // [0] the source; then the INCLUDE files being read
    std::vector<Block> m_blocks;    // the blocks being defined, outermost first
    ListingPlace m_owner;           // where an expansion's lines belong
};

}  // namespace

std::string IncludePath(const std::string& sourcePath, std::string_view name)
{
    const bool absolute = (!name.empty() && (name[0] == '\\' || name[0] == '/')) || (name.size() > 1 && name[1] == ':');
    if (absolute) return std::string(name);
    const std::size_t slash = sourcePath.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : sourcePath.substr(0, slash + 1)) + std::string(name);
}

bool MatchListing(const Listing& listing, const std::string& sourcePath, const ReadSourceText& read, SourceMatch& match,
                  std::string& error)
{
    match = SourceMatch{};
    Matcher matcher(listing, read, match);
    if (!matcher.Open(sourcePath)) {
        error = "Cannot read the source " + sourcePath;
        return false;
    }
    match.places.reserve(listing.lines.size());
    for (const ListingLine& line : listing.lines) match.places.push_back(matcher.Place(line));
    return true;
}

}  // namespace halyard::debuginfo
