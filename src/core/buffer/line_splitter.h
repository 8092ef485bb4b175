#pragma once
// Splits a stream of file blocks into lines at a separator of one or two bytes.
//
// A separator matches only where it starts afresh: the byte that breaks a partial match is not
// tried again as the separator's first byte. With CR LF, "a\r\r\nb" is therefore one line (the
// second CR breaks the match and the LF follows it), while "a\r\r\r\nb" splits after "a\r\r".
// A separator cut by a block boundary still matches. Whatever follows the last separator is the
// last line, so a stream always yields at least one line.
#include <cstring>
#include <string>
#include <string_view>

#include "core/buffer/line_store.h"

class CLineSplitter {
public:
    explicit CLineSplitter(std::string_view separator) : m_separator(separator) {}

    // Calls onLine(std::string_view) for each line completed in the block; onLine returns false to
    // stop. False when onLine stopped or a line grew beyond the longest line allowed.
    template <class OnLine>
    [[nodiscard]] bool Feed(const char* p, size_t n, OnLine&& onLine);
    // Hands over the last line.
    template <class OnLine>
    [[nodiscard]] bool Finish(OnLine&& onLine);

    bool LineTooLong() const { return m_bTooLong; }

private:
    template <class OnLine>
    bool Emit(const char* p, size_t n, OnLine& onLine);
    template <class OnLine>
    bool ContinueMatch(const char* p, size_t& i, size_t& nLineStart, OnLine& onLine);
    bool Keep(const char* p, size_t n);

    std::string_view m_separator;
    // Bytes of the current line from earlier blocks, with the separator's first byte at its end
    // while m_bMatched.
    std::string m_strPending;
    bool m_bMatched = false;
    bool m_bTooLong = false;
};

template <class OnLine>
bool CLineSplitter::Feed(const char* p, size_t n, OnLine&& onLine)
{
    size_t i = 0;
    size_t nLineStart = 0;
    if (m_bMatched && n > 0 && !ContinueMatch(p, i, nLineStart, onLine))
        return false;
    const char chFirst = m_separator[0];
    while (i < n) {
        const void* pFound = std::memchr(p + i, chFirst, n - i);
        if (!pFound)
            break;
        const size_t j = static_cast<size_t>(static_cast<const char*>(pFound) - p);
        if (m_separator.size() == 1 || (j + 1 < n && p[j + 1] == m_separator[1])) {
            if (!Emit(p + nLineStart, j - nLineStart, onLine))
                return false;
            i = nLineStart = j + m_separator.size();
        } else if (j + 1 == n) {
            m_bMatched = true;
            i = n;
        } else {
            i = j + 2; // the byte that broke the match is not a new start
        }
    }
    return Keep(p + nLineStart, n - nLineStart);
}

template <class OnLine>
bool CLineSplitter::ContinueMatch(const char* p, size_t& i, size_t& nLineStart, OnLine& onLine)
{
    m_bMatched = false;
    i = 1;
    if (p[0] != m_separator[1])
        return true;
    m_strPending.pop_back();
    nLineStart = 1;
    return Emit(p, 0, onLine);
}

template <class OnLine>
bool CLineSplitter::Finish(OnLine&& onLine)
{
    m_bMatched = false;
    return Emit(nullptr, 0, onLine);
}

template <class OnLine>
bool CLineSplitter::Emit(const char* p, size_t n, OnLine& onLine)
{
    if (m_strPending.empty())
        return onLine(std::string_view(p, n));
    if (!Keep(p, n))
        return false;
    const bool bOk = onLine(std::string_view(m_strPending));
    m_strPending.clear();
    return bOk;
}

inline bool CLineSplitter::Keep(const char* p, size_t n)
{
    if (m_strPending.size() + n > static_cast<size_t>(CLineStore::MAX_LINE_LENGTH)) {
        m_bTooLong = true;
        return false;
    }
    if (n != 0)
        m_strPending.append(p, n);
    return true;
}
