#include "core/snippets/snippet_name.h"

#include "core/editor/char_steps.h"

#include <cctype>

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

// The printable form of a refused single byte.
std::string Shown(unsigned char c)
{
    if (c < 0x20) return std::string{'^', static_cast<char>('@' + c)};
    return std::string(1, static_cast<char>(c));
}

bool IsReservedStem(std::string_view stem)
{
    std::string upper;
    for (char c : stem) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CLOCK$"})
        if (upper == device) return true;
    // COM1 to COM9 and LPT1 to LPT9
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

} // namespace

SnippetNameCheck CheckSnippetName(std::string_view name, std::string& bad)
{
    bad.clear();
    if (name.empty()) return SnippetNameCheck::Empty;
    const int length = static_cast<int>(name.size());
    for (int pos = 0; pos < length; pos = NextCharPos(name, pos)) {
        if (IsDoubleByteAt(name, pos)) continue;
        const auto c = static_cast<unsigned char>(name[static_cast<size_t>(pos)]);
        if (c >= 0x20 && kForbidden.find(static_cast<char>(c)) == std::string_view::npos) continue;
        const std::string shown = Shown(c);
        if (bad.find(shown) == std::string::npos) bad += shown;
    }
    if (!bad.empty()) return SnippetNameCheck::BadCharacters;
    // The last byte cannot be the trail of a double-byte character: trail bytes are never "." or " ".
    if (name.back() == '.' || name.back() == ' ') return SnippetNameCheck::BadEnd;
    if (IsReservedStem(name.substr(0, name.find('.')))) return SnippetNameCheck::Reserved;
    return SnippetNameCheck::Ok;
}
