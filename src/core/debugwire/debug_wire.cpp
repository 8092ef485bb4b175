// The channel's lines: one verb, then its fields separated by blanks, numbers in hex.
#include "core/debugwire/debug_wire.h"

#include <cctype>
#include <cstdio>

namespace halyard::debugwire {
namespace {

constexpr const char* kRegNames[kRegCount] = {"AX", "BX", "CX", "DX", "SI", "DI", "BP", "SP",
                                              "CS", "DS", "ES", "SS", "IP", "FL"};

struct VerbName {
    Verb verb;
    const char* name;
};
constexpr VerbName kVerbs[] = {
    {Verb::Break, "break"},     {Verb::Watch, "watch"},   {Verb::Int, "int"},       {Verb::Continue, "continue"},
    {Verb::Step, "step"},       {Verb::Over, "over"},     {Verb::Out, "out"},       {Verb::Back, "back"},
    {Verb::Pause, "pause"},     {Verb::Kill, "kill"},     {Verb::To, "to"},         {Verb::Set, "set"},
    {Verb::Read, "read"},       {Verb::Write, "write"},   {Verb::Regs, "regs"},     {Verb::Started, "started"},
    {Verb::Running, "running"}, {Verb::Stopped, "stopped"}, {Verb::RegsReply, "regs"}, {Verb::Memory, "memory"},
    {Verb::Error, "error"},
};

const char* VerbText(Verb verb)
{
    for (const VerbName& v : kVerbs)
        if (v.verb == verb)
            return v.name;
    return "error";
}

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", unsigned(value));
    return text;
}

std::string Word(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", unsigned(value));
    return text;
}

std::string Bytes(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

// The line's words, one after another.
class Words {
public:
    explicit Words(std::string_view line) : m_rest(line) {}
    std::string_view Next()
    {
        while (!m_rest.empty() && m_rest.front() == ' ')
            m_rest.remove_prefix(1);
        const size_t end = m_rest.find(' ');
        const std::string_view word = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end);
        return word;
    }
    // Everything after the words taken, without its leading blanks.
    std::string_view Rest()
    {
        while (!m_rest.empty() && m_rest.front() == ' ')
            m_rest.remove_prefix(1);
        return m_rest;
    }

private:
    std::string_view m_rest;
};

bool ParseHex(std::string_view text, uint32_t& value, uint32_t limit = 0xFFFFFFFFu)
{
    if (text.empty() || text.size() > 8)
        return false;
    uint64_t v = 0;
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        v = v * 16 + uint64_t(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10));
    }
    if (v > limit)
        return false;
    value = uint32_t(v);
    return true;
}

bool ParseBytes(std::string_view text, std::vector<uint8_t>& bytes)
{
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        uint32_t b = 0;
        if (!ParseHex(text.substr(i, 2), b))
            return false;
        bytes.push_back(uint8_t(b));
    }
    return true;
}

bool ParseOn(std::string_view word, bool& on)
{
    on = word == "on";
    return on || word == "off";
}

bool ParseRegs(Words& words, RegisterSet& regs)
{
    for (unsigned i = 0; i < kRegCount; ++i) {
        const std::string_view field = words.Next();
        const size_t eq = field.find('=');
        uint32_t v = 0;
        if (eq == std::string_view::npos || RegByName(field.substr(0, eq)) != Reg(i) ||
            !ParseHex(field.substr(eq + 1), v, 0xFFFF))
            return false;
        regs[i] = uint16_t(v);
    }
    return true;
}

// The fields after the verb; false when they are not the verb's.
bool ParseFields(Words& words, Message& m)
{
    switch (m.verb) {
    case Verb::Break: return ParseHex(words.Next(), m.address) && ParseOn(words.Next(), m.on);
    case Verb::Watch:
        return ParseHex(words.Next(), m.address) && ParseHex(words.Next(), m.count) && ParseOn(words.Next(), m.on);
    case Verb::Int: return ParseHex(words.Next(), m.count, 0xFF) && ParseOn(words.Next(), m.on);
    case Verb::To: return ParseHex(words.Next(), m.address);
    case Verb::Set: {
        const auto reg = RegByName(words.Next());
        uint32_t v = 0;
        if (!reg || !ParseHex(words.Next(), v, 0xFFFF))
            return false;
        m.reg = *reg;
        m.value = uint16_t(v);
        return true;
    }
    case Verb::Read: return ParseHex(words.Next(), m.address) && ParseHex(words.Next(), m.count, 0x1000);
    case Verb::Write:
    case Verb::Memory: return ParseHex(words.Next(), m.address) && ParseBytes(words.Next(), m.bytes);
    case Verb::Started: return ParseHex(words.Next(), m.address, 0xFFFF) && ParseHex(words.Next(), m.count, 0xFFFF);
    case Verb::RegsReply: return ParseRegs(words, m.regs);
    case Verb::Stopped:
        m.reason = std::string(words.Next());
        m.text = std::string(words.Rest());
        return !m.reason.empty();
    case Verb::Error: m.text = std::string(words.Rest()); return true;
    default: return true;
    }
}

}  // namespace

const char* RegName(Reg reg) { return reg < kRegCount ? kRegNames[reg] : "?"; }

std::optional<Reg> RegByName(std::string_view name)
{
    if (name.size() != 2)
        return std::nullopt;
    for (unsigned i = 0; i < kRegCount; ++i)
        if (std::toupper(static_cast<unsigned char>(name[0])) == kRegNames[i][0] &&
            std::toupper(static_cast<unsigned char>(name[1])) == kRegNames[i][1])
            return Reg(i);
    return std::nullopt;
}

std::string Format(const Message& m)
{
    std::string line = VerbText(m.verb);
    const auto add = [&](const std::string& field) { line += ' ' + field; };
    switch (m.verb) {
    case Verb::Break: add(Hex(m.address)); add(m.on ? "on" : "off"); break;
    case Verb::Watch: add(Hex(m.address)); add(Hex(m.count)); add(m.on ? "on" : "off"); break;
    case Verb::Int: add(Hex(m.count)); add(m.on ? "on" : "off"); break;
    case Verb::To: add(Hex(m.address)); break;
    case Verb::Set: add(RegName(m.reg)); add(Word(m.value)); break;
    case Verb::Read: add(Hex(m.address)); add(Hex(m.count)); break;
    case Verb::Write:
    case Verb::Memory: add(Hex(m.address)); add(Bytes(m.bytes)); break;
    case Verb::Started: add(Word(uint16_t(m.address))); add(Word(uint16_t(m.count))); break;
    case Verb::RegsReply:
        for (unsigned i = 0; i < kRegCount; ++i)
            add(std::string(kRegNames[i]) + '=' + Word(m.regs[i]));
        break;
    case Verb::Stopped:
        add(m.reason);
        if (!m.text.empty())
            add(m.text);
        break;
    case Verb::Error: add(m.text); break;
    default: break;
    }
    return line + '\n';
}

std::optional<Message> Parse(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    Words words(line);
    const std::string_view verb = words.Next();
    Message m;
    bool known = false;
    for (const VerbName& v : kVerbs) {
        if (verb == v.name) {
            m.verb = v.verb;
            known = true;
            break;
        }
    }
    // "regs" alone is the request; with its fields, the reply.
    if (m.verb == Verb::Regs && !words.Rest().empty())
        m.verb = Verb::RegsReply;
    if (!known || !ParseFields(words, m))
        return std::nullopt;
    if (m.verb != Verb::Stopped && m.verb != Verb::Error && !words.Rest().empty())
        return std::nullopt;
    return m;
}

std::optional<std::string> LineReader::Next()
{
    const size_t end = m_pending.find('\n');
    if (end == std::string::npos)
        return std::nullopt;
    std::string line = m_pending.substr(0, end);
    m_pending.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string FlagLetters(uint16_t flags)
{
    struct Bit {
        char letter;
        uint16_t mask;
    };
    static constexpr Bit kBits[] = {{'O', 0x800}, {'D', 0x400}, {'I', 0x200}, {'T', 0x100}, {'S', 0x80},
                                    {'Z', 0x40},  {'A', 0x10},  {'P', 0x4},   {'C', 0x1}};
    std::string text;
    for (const Bit& bit : kBits)
        text.push_back(flags & bit.mask ? bit.letter : '-');
    return text;
}

}  // namespace halyard::debugwire
