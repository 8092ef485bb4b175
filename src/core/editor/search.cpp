#include "core/editor/search.h"

#include <algorithm>
#include <vector>

#include "core/editor/char_steps.h"

namespace {

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Only a byte of 0x81 or above can begin a double-byte character.
bool HasLeadBytes(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x81; });
}

int Length(std::string_view text) { return static_cast<int>(text.size()); }

// One line as the occurrence rule sees it: its bytes, upper-cased when case is ignored, and where
// its characters start. The scratch storage is reused from line to line.
class CLineScanner {
public:
    void Load(std::string_view line, bool bUpper)
    {
        m_text = line;
        m_starts.clear();
        if (HasLeadBytes(line))
            MarkCharacterStarts(line);
        if (!bUpper)
            return;
        m_upper.assign(line.data(), line.size());
        // A letter byte is never a lead byte, so on a character start it stands alone.
        for (size_t i = 0; i < m_upper.size(); ++i) {
            if (m_upper[i] >= 'a' && m_upper[i] <= 'z' && IsStart(static_cast<int>(i)))
                m_upper[i] = static_cast<char>(m_upper[i] - 'a' + 'A');
        }
        m_text = m_upper;
    }

    std::string_view Text() const { return m_text; }

    int Find(int from, std::string_view what, bool bWholeWord) const
    {
        for (size_t scan = static_cast<size_t>(from); scan <= m_text.size(); ) {
            const size_t at = m_text.find(what, scan);
            if (at == std::string_view::npos)
                return -1;
            const int pos = static_cast<int>(at);
            if (Accepts(pos, Length(what), from, bWholeWord))
                return pos;
            scan = at + 1;
        }
        return -1;
    }

private:
    void MarkCharacterStarts(std::string_view line)
    {
        const int length = Length(line);
        m_starts.assign(static_cast<size_t>(length) + 1, 0);
        for (int i = 0; i < length; i = NextCharPos(line, i))
            m_starts[static_cast<size_t>(i)] = 1;
        m_starts[static_cast<size_t>(length)] = 1;
    }

    // Every position is a character start when the line has no double-byte character.
    bool IsStart(int pos) const { return m_starts.empty() || m_starts[static_cast<size_t>(pos)] != 0; }

    // The character ending at pos is a single-byte word character (pos above 0, on a start).
    bool WordBefore(int pos) const
    {
        return IsStart(pos - 1) && IsWordByte(static_cast<unsigned char>(m_text[static_cast<size_t>(pos - 1)]));
    }

    // The character at pos (on a start) is a word character; the line end is not one. A lead byte
    // is never a word byte, so a double-byte character is not either.
    bool WordAt(int pos) const
    {
        return pos < Length(m_text) && IsWordByte(static_cast<unsigned char>(m_text[static_cast<size_t>(pos)]));
    }

    // An occurrence is whole characters; a whole word touches no word character, except that the
    // character before the scan's first position is not looked at.
    bool Accepts(int pos, int length, int from, bool bWholeWord) const
    {
        if (!IsStart(pos) || !IsStart(pos + length))
            return false;
        if (!bWholeWord)
            return true;
        return (pos == from || !WordBefore(pos)) && !WordAt(pos + length);
    }

    std::string_view m_text;
    std::string m_upper;
    // Empty when every byte is a character of its own; else one entry per position, the line end
    // included, 1 where a character starts.
    std::vector<unsigned char> m_starts;
};

// A search over the lines of one buffer: the prepared search text and one line scanner.
class CBufferSearch {
public:
    CBufferSearch(const CTextBuffer& buffer, std::string_view what, uint32_t flags)
        : m_buffer(buffer),
          m_what((flags & FIND_MATCH_CASE) ? std::string(what) : UpperCased(what)),
          m_bUpper((flags & FIND_MATCH_CASE) == 0),
          m_bWholeWord((flags & FIND_WHOLE_WORD) != 0)
    {
    }

    // The column of the first occurrence in the part of `line` from `column` to its end; -1 when
    // there is none or the part is empty.
    int FindOnLine(int line, int column)
    {
        const std::string_view text = m_buffer.GetLine(line);
        if (column >= Length(text))
            return -1;
        m_scanner.Load(text, m_bUpper);
        return m_scanner.Find(std::max(column, 0), m_what, m_bWholeWord);
    }

    bool SearchUp(TextPosition from, bool bWrap, TextPosition& found);
    bool SearchDown(TextPosition from, TextPosition blockBegin, TextPosition blockEnd, bool bWrap,
                    TextPosition& found);

private:
    const CTextBuffer& m_buffer;
    const std::string m_what;
    const bool m_bUpper;
    const bool m_bWholeWord;
    CLineScanner m_scanner;
};

bool CBufferSearch::SearchUp(TextPosition from, bool bWrap, TextPosition& found)
{
    const int lineCount = m_buffer.GetLineCount();
    int line = std::min(from.y, lineCount - 1);
    int column = from.y < lineCount ? from.x : m_buffer.GetLineLength(line);
    bool bWrapped = false;
    for (;;) {
        const int at = FindOnLine(line, column);
        if (at >= 0) {
            found = {at, line};
            return true;
        }
        column = 0;
        if (--line < 0) {
            if (!bWrap || bWrapped)
                return false;
            bWrapped = true;
            line = lineCount - 1;
        }
    }
}

bool CBufferSearch::SearchDown(TextPosition from, TextPosition blockBegin, TextPosition blockEnd, bool bWrap,
                               TextPosition& found)
{
    TextPosition current = from;
    bool bWrapped = false;
    // The end of the block: go round once from its beginning.
    auto restart = [&]() {
        if (!bWrap || bWrapped || blockBegin.y > blockEnd.y)
            return false;
        bWrapped = true;
        current = blockBegin;
        return true;
    };
    if (current.y > blockEnd.y && !restart())
        return false;
    for (;;) {
        const int at = FindOnLine(current.y, current.x);
        if (at >= 0 && (current.y != blockEnd.y || at < blockEnd.x)) {
            found = {at, current.y};
            return true;
        }
        if (at >= 0 || current.y >= blockEnd.y) {
            if (!restart())
                return false;
            continue;
        }
        current = {0, current.y + 1};
    }
}

TextPosition TextEnd(const CTextBuffer& buffer)
{
    const int last = buffer.GetLineCount() - 1;
    return {buffer.GetLineLength(last), last};
}

// pt moved into the text: lines within 0 to the last, columns within 0 to the line's length.
TextPosition ClampToText(const CTextBuffer& buffer, TextPosition pt)
{
    if (pt.y < 0)
        return {0, 0};
    const TextPosition end = TextEnd(buffer);
    if (end < pt)
        return end;
    return {std::clamp(pt.x, 0, buffer.GetLineLength(pt.y)), pt.y};
}

} // namespace

std::string UpperCased(std::string_view text)
{
    CLineScanner scanner;
    scanner.Load(text, true);
    return std::string(scanner.Text());
}

bool SearchInRange(const CTextBuffer& buffer, std::string_view what, TextPosition start, TextPosition blockBegin,
                   TextPosition blockEnd, uint32_t flags, bool bWrap, TextPosition& found)
{
    if (blockBegin == blockEnd || buffer.GetLineCount() <= 0)
        return false;
    blockBegin = ClampToText(buffer, blockBegin);
    blockEnd = ClampToText(buffer, blockEnd);
    const TextPosition from = start < blockBegin ? blockBegin : start;
    CBufferSearch search(buffer, what, flags);
    if (flags & FIND_DIRECTION_UP)
        return search.SearchUp(from, bWrap, found);
    return search.SearchDown(from, blockBegin, blockEnd, bWrap, found);
}

bool SearchText(const CTextBuffer& buffer, std::string_view what, TextPosition start, uint32_t flags, bool bWrap,
                TextPosition& found)
{
    if (buffer.GetLineCount() <= 0)
        return false;
    return SearchInRange(buffer, what, start, {0, 0}, TextEnd(buffer), flags, bWrap, found);
}
