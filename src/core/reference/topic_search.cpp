#include "core/reference/topic_search.h"

#include "core/editor/char_steps.h"
#include "core/reference/reference_data.h"

#include <algorithm>
#include <optional>
#include <string>

namespace halyard::reference {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAsciiWordChar(char c)
{
    const char l = Lower(c);
    return (l >= 'a' && l <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsIgnoringCase(std::string_view text, std::string_view start)
{
    return start.size() <= text.size() && SameIgnoringCase(text.substr(0, start.size()), start);
}

int Step(std::string_view text, int pos, bool doubleByte) { return doubleByte ? NextCharPos(text, pos) : pos + 1; }

// The length of text from `pos` that spells `needle` character by character, or -1.
int MatchAt(std::string_view text, int pos, std::string_view needle, bool doubleByte)
{
    const int start = pos, end = static_cast<int>(text.size());
    size_t n = 0;
    while (n < needle.size()) {
        if (pos >= end) return -1;
        const int next = Step(text, pos, doubleByte);
        const auto width = static_cast<size_t>(next - pos);
        const std::string_view piece = text.substr(static_cast<size_t>(pos), width);
        const std::string_view wanted = needle.substr(n, width);
        if (width == 1 ? Lower(piece[0]) != Lower(wanted[0]) : piece != wanted) return -1;
        n += width;
        pos = next;
    }
    return pos - start;
}

// ---- Functions asked for by number
struct ServiceQuery {
    int interrupt = -1; // -1: any
    int function = -1;  // -1: every function of the interrupt
    bool weak = false;  // a register's name read as a number ("bh"): below the register's topics
};

bool IsByteRegisterName(std::string_view token)
{
    return token.size() == 2 && std::string_view("abcd").find(token[0]) != std::string_view::npos && token[1] == 'h';
}

std::vector<std::string> Tokens(std::string_view query)
{
    std::vector<std::string> tokens(1);
    for (char c : query) {
        if (c == ' ' || c == '\t' || c == ',' || c == '=' || c == '/' || c == ':') {
            if (!tokens.back().empty()) tokens.emplace_back();
        } else {
            tokens.back() += Lower(c);
        }
    }
    if (tokens.back().empty()) tokens.pop_back();
    return tokens;
}

// A byte value in hex with an optional "h" after it or "0x" before it; `marked` tells whether
// either mark was there.
std::optional<int> HexByte(std::string token, bool& marked)
{
    marked = token.size() > 1 && token.back() == 'h';
    if (marked) token.pop_back();
    else if (token.size() > 2 && token.compare(0, 2, "0x") == 0) token.erase(0, 2), marked = true;
    if (token.empty() || token.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : token) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + digit;
    }
    return value <= 0xFF ? std::optional<int>(value) : std::nullopt;
}

// "int" may lead and "ah" may stand anywhere; then an interrupt and a function, an interrupt
// after "int", or one number written with "h" or "0x" (a function of any interrupt, or an
// interrupt). Anything else is no service query. A byte register's name ("bh", "ch", "dh") is
// read as a number too, but weakly, so the register comes first.
std::vector<ServiceQuery> ParseServiceQuery(std::string_view query)
{
    std::vector<std::string> tokens = Tokens(query);
    const bool saidInt = !tokens.empty() && tokens.front() == "int";
    if (saidInt) tokens.erase(tokens.begin());
    tokens.erase(std::remove(tokens.begin(), tokens.end(), "ah"), tokens.end());
    if (tokens.empty() || tokens.size() > 2) return {};
    bool suffixed[2] = {false, false};
    std::optional<int> numbers[2];
    for (size_t i = 0; i < tokens.size(); ++i)
        if (!(numbers[i] = HexByte(tokens[i], suffixed[i]))) return {};
    if (tokens.size() == 2) return {ServiceQuery{*numbers[0], *numbers[1]}};
    if (saidInt) return {ServiceQuery{*numbers[0], -1}};
    if (suffixed[0]) {
        const bool weak = IsByteRegisterName(tokens[0]);
        return {ServiceQuery{-1, *numbers[0], weak}, ServiceQuery{*numbers[0], -1, weak}};
    }
    return {};
}

std::optional<MatchRank> ServiceRank(const ServiceCall& call, const std::vector<ServiceQuery>& asked)
{
    std::optional<MatchRank> best;
    for (const ServiceQuery& q : asked) {
        if (q.interrupt >= 0 && q.interrupt != call.interrupt) continue;
        if (q.function >= 0 && q.function != call.function) continue;
        const MatchRank rank = q.weak ? MatchRank::Word : q.function >= 0 ? MatchRank::Exact : MatchRank::Prefix;
        if (!best || rank < *best) best = rank;
    }
    return best;
}

std::optional<MatchRank> MnemonicRank(const Instruction& entry, std::string_view query)
{
    std::optional<MatchRank> best;
    std::string_view names = entry.mnemonics;
    while (!names.empty()) {
        const size_t blank = names.find(' ');
        const std::string_view name = names.substr(0, blank);
        if (SameIgnoringCase(name, query)) return MatchRank::Exact;
        if (StartsIgnoringCase(name, query)) best = MatchRank::Prefix;
        names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
    }
    return best;
}

std::optional<MatchRank> WordRank(const char* title, const char* explanation, std::string_view query)
{
    if (ContainsPhrase(title, query, kDoubleByteTexts) || ContainsPhrase(explanation, query, kDoubleByteTexts))
        return MatchRank::Word;
    return std::nullopt;
}

std::optional<MatchRank> Better(std::optional<MatchRank> a, std::optional<MatchRank> b)
{
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool ContainsPhrase(std::string_view text, std::string_view needle, bool doubleByte)
{
    if (needle.empty()) return false;
    const bool wordAtStart = IsAsciiWordChar(needle.front()), wordAtEnd = IsAsciiWordChar(needle.back());
    const int end = static_cast<int>(text.size());
    int previous = -1; // the start of the character before `pos`
    for (int pos = 0; pos < end; previous = pos, pos = Step(text, pos, doubleByte)) {
        const int length = MatchAt(text, pos, needle, doubleByte);
        if (length < 0) continue;
        const int after = pos + length;
        const bool gluedBefore = wordAtStart && previous >= 0 && pos - previous == 1 && IsAsciiWordChar(text[static_cast<size_t>(previous)]);
        const bool gluedAfter = wordAtEnd && after < end && IsAsciiWordChar(text[static_cast<size_t>(after)]);
        if (!gluedBefore && !gluedAfter) return true;
    }
    return false;
}

std::vector<Topic> FindTopics(std::string_view rawQuery)
{
    const std::string_view query = Trimmed(rawQuery);
    std::vector<Topic> found;
    if (query.empty()) return found;
    size_t count = 0;
    const Instruction* instructions = Instructions(count);
    for (size_t i = 0; i < count; ++i) {
        const Instruction& entry = instructions[i];
        if (auto rank = Better(MnemonicRank(entry, query), WordRank(entry.title, entry.explanation, query)))
            found.push_back({TopicKind::Instruction, i, *rank});
    }
    // A register is found by its name only: its explanation names the instructions and functions
    // that use it, which are found by theirs.
    const Register* registers = Registers(count);
    for (size_t i = 0; i < count; ++i)
        if (SameIgnoringCase(registers[i].name, query)) found.push_back({TopicKind::Register, i, MatchRank::Exact});
    const std::vector<ServiceQuery> asked = ParseServiceQuery(query);
    const ServiceCall* calls = ServiceCalls(count);
    for (size_t i = 0; i < count; ++i) {
        const ServiceCall& call = calls[i];
        if (auto rank = Better(ServiceRank(call, asked), WordRank(call.title, call.explanation, query)))
            found.push_back({TopicKind::ServiceCall, i, *rank});
    }
    std::stable_sort(found.begin(), found.end(), [](const Topic& a, const Topic& b) { return a.rank < b.rank; });
    return found;
}

} // namespace halyard::reference
