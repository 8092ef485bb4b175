// libFuzzer target for the search engine. The first bytes choose the flags, the wrap, the start
// and the block (any values, also outside the text), and the length of the search text; the text
// follows, and the rest is the file, loaded as it would be from disk. Whatever is found must be an
// occurrence: whole characters that compare equal, a whole word with no word character right
// after it, a downward find inside the block. A plain scan of the whole text checks that a
// wrapping search with exact case finds the first occurrence after the start, or that there is
// none at all.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/asm/cp936.h"
#include "core/buffer/buffer_support.h"
#include "core/editor/search.h"

namespace {

[[noreturn]] void Fail(const char* what, TextPosition found)
{
    std::fprintf(stderr, "search: %s (found at line %d, column %d)\n", what, found.y, found.x);
    std::abort();
}

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Position `pos` of `line` is between two characters (the line end counts).
bool OnBoundary(std::string_view line, int pos)
{
    return pos == static_cast<int>(line.size()) ||
           !IsCp936TrailAt(reinterpret_cast<const unsigned char*>(line.data()), pos);
}

bool IsOccurrence(std::string_view line, std::string_view what, int pos, bool bMatchCase)
{
    if (pos < 0 || pos + what.size() > line.size() || !OnBoundary(line, pos) ||
        !OnBoundary(line, pos + static_cast<int>(what.size())))
        return false;
    if (bMatchCase)
        return line.substr(pos, what.size()) == what;
    return UpperCased(line).substr(pos, what.size()) == UpperCased(what);
}

void CheckFound(const CTextBuffer& buffer, std::string_view what, uint32_t flags, TextPosition blockEnd,
                TextPosition found)
{
    if (found.y < 0 || found.y >= buffer.GetLineCount())
        Fail("line outside the text", found);
    const std::string_view line = buffer.GetLine(found.y);
    if (!IsOccurrence(line, what, found.x, (flags & FIND_MATCH_CASE) != 0))
        Fail("not an occurrence", found);
    const size_t after = static_cast<size_t>(found.x) + what.size();
    if ((flags & FIND_WHOLE_WORD) && after < line.size() && IsWordByte(static_cast<unsigned char>(line[after])))
        Fail("a word character follows a whole word", found);
    const TextPosition end{buffer.GetLineLength(buffer.GetLineCount() - 1), buffer.GetLineCount() - 1};
    const TextPosition limit = end < blockEnd ? end : blockEnd;
    if (!(flags & FIND_DIRECTION_UP) && !(found < limit) && !(found.y < limit.y))
        Fail("downward find past the block", found);
}

// The first occurrence at or after `from` by a plain scan, going round once; {-1, -1} for none.
TextPosition FirstOccurrence(const CTextBuffer& buffer, std::string_view what, TextPosition from)
{
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = pass == 0 ? from.y : 0; y < buffer.GetLineCount(); ++y) {
            const std::string_view line = buffer.GetLine(y);
            for (int x = (pass == 0 && y == from.y) ? from.x : 0; x < static_cast<int>(line.size()); ++x) {
                if (IsOccurrence(line, what, x, true))
                    return {x, y};
            }
        }
    }
    return {-1, -1};
}

int Coordinate(std::uint8_t byte) { return static_cast<int>(byte) - 8; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return 0;
    const uint32_t flags = data[0] & (FIND_MATCH_CASE | FIND_WHOLE_WORD | FIND_DIRECTION_UP);
    const bool bWrap = (data[0] & 0x80) != 0;
    const TextPosition start{Coordinate(data[1]) * 4, Coordinate(data[2])};
    const TextPosition blockBegin{Coordinate(data[3]) * 4, Coordinate(data[4])};
    const TextPosition blockEnd{Coordinate(data[5]) * 4, Coordinate(data[6])};
    const std::size_t nWhat = std::min<std::size_t>(data[7] % 9, size - 8);
    const std::string what(reinterpret_cast<const char*>(data) + 8, nWhat);
    const std::string file(reinterpret_cast<const char*>(data) + 8 + nWhat, size - 8 - nWhat);

    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, file);
    TextPosition found{-1, -1};
    if (SearchInRange(buffer, what, start, blockBegin, blockEnd, flags, bWrap, found))
        CheckFound(buffer, what, flags, blockEnd, found);

    // The plain scan needs a start inside the text and a non-empty text.
    if (what.empty() || buffer.GetLineCount() <= 0 || start.y < 0 || start.y >= buffer.GetLineCount() ||
        start.x < 0 || start.x > buffer.GetLineLength(start.y))
        return 0;
    const TextPosition expected = FirstOccurrence(buffer, what, start);
    found = {-1, -1};
    const bool bFound = SearchText(buffer, what, start, FIND_MATCH_CASE, true, found);
    if (bFound != (expected.y >= 0) || (bFound && !(found == expected)))
        Fail("a wrapping search missed the first occurrence", found);
    return 0;
}
