#include "core/toolchain/tool_message.h"

#include <cctype>

namespace halyard::toolchain {
namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Takes a leading severity word ("fatal error", "error", "warning", any case) off `s`.
bool TakeSeverity(std::string_view& s, ToolSeverity& severity)
{
    static constexpr struct {
        std::string_view word;
        ToolSeverity severity;
    } kWords[] = {{"fatal error", ToolSeverity::Fatal}, {"fatal", ToolSeverity::Fatal},
                  {"error", ToolSeverity::Error},       {"warning", ToolSeverity::Warning}};
    for (const auto& w : kWords)
        if (StartsWithNoCase(s, w.word)) {
            s.remove_prefix(w.word.size());
            severity = w.severity;
            return true;
        }
    return false;
}

// "A2009" or "L4021": a letter and four digits.
bool TakeCode(std::string_view& s, std::string& code)
{
    s = Trim(s);
    if (s.size() < 5 || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    for (int i = 1; i < 5; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    code.assign(s.substr(0, 5));
    s.remove_prefix(5);
    return true;
}

// `token` is "name(12)": a name, then its line in parentheses at the very end. The name may hold
// parentheses itself ("A(1).ASM(12)"): the line is the last parenthesised number. The line is
// 1..9999999; anything else is no location.
bool ReadLocation(std::string_view token, std::string& file, int& line)
{
    if (token.size() < 4 || token.back() != ')') return false;
    const std::size_t open = token.rfind('(');
    if (open == std::string_view::npos || open == 0) return false;
    const std::size_t digits = token.size() - 2 - open;
    if (digits == 0 || digits > 7) return false;
    int value = 0;
    for (std::size_t i = open + 1; i + 1 < token.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(token[i]))) return false;
        value = value * 10 + (token[i] - '0');
    }
    if (value == 0) return false;
    file.assign(token.substr(0, open));
    line = value;
    return true;
}

// The message after "<code>:" (or the whole rest when there is no colon).
std::string_view AfterColon(std::string_view s)
{
    s = Trim(s);
    if (!s.empty() && s.front() == ':') s.remove_prefix(1);
    return Trim(s);
}

// "**Error** hello.asm(12) Undefined symbol: FOO"
bool ParseStarred(std::string_view s, ToolMessage& out)
{
    std::size_t stars = 0;
    while (stars < s.size() && s[stars] == '*') ++stars;
    if (stars == 0) return false;
    s.remove_prefix(stars);
    if (!TakeSeverity(s, out.severity) || s.empty() || s.front() != '*') return false;
    while (!s.empty() && s.front() == '*') s.remove_prefix(1);
    s = Trim(s);
    // The location is the first word: these tools print names without blanks.
    const std::size_t blank = s.find_first_of(" \t");
    if (ReadLocation(s.substr(0, blank), out.file, out.line)) s.remove_prefix(blank == std::string_view::npos ? s.size() : blank);
    out.text.assign(Trim(s));
    return true;
}

// "<file>(12) : error A2006: text", "<file>(12): warning A4016: text",
// "LINK : warning L4021: text", "X.OBJ(x.asm) : error L2029: 'FOO' : unresolved external".
bool ParseColonForm(std::string_view s, ToolMessage& out)
{
    // The first separator ends the head: the message text may hold " : " itself.
    const std::size_t spaced = s.find(" : "), tight = s.find("): ");
    if (spaced == std::string_view::npos && tight == std::string_view::npos) return false;
    const bool isTight = tight < spaced;
    std::string_view head = s.substr(0, isTight ? tight + 1 : spaced);
    std::string_view tail = Trim(s.substr(isTight ? tight + 2 : spaced + 3));
    if (!TakeSeverity(tail, out.severity) || !TakeCode(tail, out.code)) return false;
    if (!ReadLocation(Trim(head), out.file, out.line)) out.file.clear(), out.line = 0;
    out.text.assign(AfterColon(tail));
    return true;
}

// "Warning: No stack", "Error: Undefined symbol FOO in module X.ASM", "Fatal: Unable to open".
bool ParseLinkerWord(std::string_view s, ToolMessage& out)
{
    if (!TakeSeverity(s, out.severity) || s.empty() || s.front() != ':') return false;
    out.text.assign(AfterColon(s));
    return !out.text.empty();
}

// The tools' lines that carry no severity word: "Unable to open input file: X.ASM" (the
// assembler), "Cannot find file X.OBJ", "Unable to open file x.obj", "Invalid object module",
// "Bad object file x.obj" and "Fixup offset exceeds field width in X.OBJ(X.ASM) near 7D01" (the
// linkers).
bool ParseBareLine(std::string_view s, ToolMessage& out)
{
    static constexpr struct {
        std::string_view start;
        ToolSeverity severity;
    } kStarts[] = {{"unable to open ", ToolSeverity::Fatal},    {"unable to access input file", ToolSeverity::Fatal},
                   {"cannot find file ", ToolSeverity::Fatal},  {"invalid object module", ToolSeverity::Fatal},
                   {"bad object file", ToolSeverity::Fatal},    {"fixup offset exceeds field width", ToolSeverity::Error}};
    for (const auto& k : kStarts)
        if (StartsWithNoCase(s, k.start)) {
            out.severity = k.severity;
            out.text.assign(s);
            return true;
        }
    return false;
}

}  // namespace

bool ParseToolMessage(std::string_view line, ToolMessage& out)
{
    out = ToolMessage{};
    const std::string_view s = Trim(line);
    if (s.empty()) return false;
    if (ParseStarred(s, out)) return true;
    out = ToolMessage{};
    if (ParseColonForm(s, out)) return true;
    out = ToolMessage{};
    if (ParseLinkerWord(s, out)) return true;
    out = ToolMessage{};
    return ParseBareLine(s, out);
}

}  // namespace halyard::toolchain
