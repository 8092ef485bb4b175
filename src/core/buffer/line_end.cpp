#include "core/buffer/line_end.h"

#include <cstring>

namespace {

struct LineEndEntry {
    std::string_view separator;
    const char* pszName;
};

// Indexed by the style value.
constexpr LineEndEntry kLineEnds[] = {
    {"\r\n", "DOS"},
    {"\n\r", "UNIX"},
    {"\n", "MAC"},
};

} // namespace

bool IsLineEndStyle(int nStyle) { return nStyle >= EOL_CRLF && nStyle <= EOL_LF; }

std::string_view LineEndSeparator(int nStyle) { return kLineEnds[IsLineEndStyle(nStyle) ? nStyle : EOL_CRLF].separator; }

const char* LineEndName(int nStyle) { return IsLineEndStyle(nStyle) ? kLineEnds[nStyle].pszName : ""; }

int DetectLineEnd(const char* pBlock, size_t nSize)
{
    const void* pFound = nSize ? std::memchr(pBlock, '\n', nSize) : nullptr;
    if (!pFound)
        return EOL_CRLF;
    const size_t i = static_cast<size_t>(static_cast<const char*>(pFound) - pBlock);
    if (i > 0 && pBlock[i - 1] == '\r')
        return EOL_CRLF;
    if (i + 1 < nSize && pBlock[i + 1] == '\r')
        return EOL_LFCR;
    return EOL_LF;
}
