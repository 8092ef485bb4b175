#pragma once
// Words of a command line that cmd.exe reads, and that the started program splits again.
//
// A word is typed bare when every byte is harmless to the interpreter, in double quotes when it
// holds a blank or an interpreter operator, and refused when no quoting makes it safe:
//   - `%` expands environment variables even between quotes, and the expansion may hold quotes
//     of its own;
//   - `"` cannot be nested in a quoted word;
//   - a control byte (CR and LF above all) would end the line early;
//   - a quoted word ending in a backslash would escape its own closing quote for the runtime
//     that splits the program's arguments.
// `!` is harmless only while delayed expansion is off (start the interpreter with /V:OFF); it is
// quoted here like the operators. Bytes from 0x80 up (code page 936 lead bytes) are left as they
// are; a trail byte that happens to be an operator (`|`, `^`, ...) makes the word quoted, so the
// word is safe however the interpreter decodes it.
#include <string>
#include <string_view>

namespace halyard::toolchain {

enum class WordQuoting { Bare, Quoted, Refused };

[[nodiscard]] constexpr bool IsBareByte(unsigned char c) noexcept
{
    if (c >= 0x80) return true;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return std::string_view("\\:._-+/@#$~[]{}'").find(static_cast<char>(c)) != std::string_view::npos;
}

[[nodiscard]] constexpr bool IsRefusedByte(unsigned char c) noexcept
{
    return c < 0x20 || c == 0x7F || c == '%' || c == '"';
}

[[nodiscard]] constexpr WordQuoting ClassifyWord(std::string_view word) noexcept
{
    bool quote = false;
    for (char ch : word) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsRefusedByte(c)) return WordQuoting::Refused;
        if (!IsBareByte(c)) quote = true;
    }
    if (quote && word.back() == '\\') return WordQuoting::Refused;
    return quote ? WordQuoting::Quoted : WordQuoting::Bare;
}

// Appends `word` to `out`, between double quotes when it needs them. A refused word appends
// nothing and returns false.
[[nodiscard]] inline bool AppendCmdWord(std::string& out, std::string_view word)
{
    switch (ClassifyWord(word)) {
    case WordQuoting::Refused: return false;
    case WordQuoting::Bare: out.append(word); return true;
    case WordQuoting::Quoted: break;
    }
    out += '"';
    out.append(word);
    out += '"';
    return true;
}

// Appends the program that runs DOS programs on this system and a blank, so that the next word
// is its first argument; nothing for an empty `runner` (the system runs them itself).
[[nodiscard]] inline bool AppendRunner(std::string& out, std::string_view runner)
{
    if (runner.empty()) return true;
    if (!AppendCmdWord(out, runner)) return false;
    out += ' ';
    return true;
}

}  // namespace halyard::toolchain
