#include "core/pc/dos/fcb_names.h"

#include <cstring>

namespace halyard::dos {
namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

bool Terminator(char c)
{
    return uint8_t(c) <= 0x20 || std::strchr(".\"/\\[]:|<>+=;,", c) != nullptr;
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Copies one part (name or extension) of up to `width` characters into `out`; returns whether a
// '?' went in. A part longer than `width` is skipped to its end.
bool ParsePart(std::string_view text, size_t& at, uint8_t* out, size_t width)
{
    bool wild = false;
    size_t i = 0;
    for (; at < text.size() && !Terminator(text[at]); ++at) {
        if (text[at] == '*') {
            for (; i < width; ++i)
                out[i] = '?';
            wild = true;
        } else if (i < width) {
            wild = wild || text[at] == '?';
            out[i++] = uint8_t(Upper(text[at]));
            // A double-byte character stays whole: its trail byte may look like a terminator.
            if (uint8_t(text[at]) >= 0x81 && at + 1 < text.size() && i < width)
                out[i++] = uint8_t(text[++at]);
        }
    }
    for (; i < width; ++i)
        out[i] = ' ';
    return wild;
}

}  // namespace

FcbParseResult ParseFcbName(std::string_view text, uint8_t flags, uint8_t fcb[12], uint32_t validDrives)
{
    FcbParseResult result;
    size_t at = 0;
    while (at < text.size() && Blank(text[at]))
        ++at;
    if ((flags & kParseSkipSeparator) && at < text.size() && std::strchr(":.;,=+", text[at]) != nullptr && text[at]) {
        ++at;
        while (at < text.size() && Blank(text[at]))
            ++at;
    }
    if (at + 1 < text.size() && text[at + 1] == ':') {
        const char letter = Upper(text[at]);
        const bool valid = letter >= 'A' && letter <= 'Z' && (validDrives >> (letter - 'A') & 1);
        fcb[0] = valid ? uint8_t(letter - 'A' + 1) : 0;
        if (!valid)
            result.al = 0xFF;
        at += 2;
    } else if (!(flags & kParseKeepDrive)) {
        fcb[0] = 0;
    }
    uint8_t part[8];
    const size_t nameStart = at;
    bool wild = ParsePart(text, at, part, 8);
    if (at > nameStart || !(flags & kParseKeepName))
        std::memcpy(fcb + 1, part, 8);
    if (at < text.size() && text[at] == '.') {
        ++at;
        wild = ParsePart(text, at, part, 3) || wild;
        std::memcpy(fcb + 9, part, 3);
    } else if (!(flags & kParseKeepExtension)) {
        std::memset(fcb + 9, ' ', 3);
    }
    if (result.al == 0 && wild)
        result.al = 1;
    result.consumed = at;
    return result;
}

std::string DirectoryForm(std::string_view name)
{
    uint8_t fcb[12] = {};
    std::string text(name);
    ParseFcbName(text, 0, fcb, 0);
    return std::string(reinterpret_cast<const char*>(fcb + 1), 11);
}

std::string NameOfFcb(const uint8_t name[11])
{
    std::string base(reinterpret_cast<const char*>(name), 8), extension(reinterpret_cast<const char*>(name + 8), 3);
    base.erase(base.find_last_not_of(' ') + 1);
    extension.erase(extension.find_last_not_of(' ') + 1);
    return extension.empty() ? base : base + "." + extension;
}

}  // namespace halyard::dos
