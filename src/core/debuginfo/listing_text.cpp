#include "core/debuginfo/listing_text.h"

#include <algorithm>
#include <cctype>

namespace halyard::debuginfo {
namespace {

// No segment holds more than 64 KiB: a DUP that would exceed it is cut there.
constexpr std::size_t kMaxBytes = 0x10000;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsDelimiter(char c)
{
    return IsSpace(c) || c == '+' || c == '[' || c == ']' || c == '(' || c == ')';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One byte from two characters: -1 when they are '?' or '-' (undefined, or filled in by the linker).
int16_t PairValue(std::string_view pair)
{
    const int high = HexDigit(pair[0]), low = HexDigit(pair[1]);
    return high < 0 || low < 0 ? int16_t(-1) : int16_t(high * 16 + low);
}

bool IsUnitChar(char c)
{
    return HexDigit(c) >= 0 || c == '?' || c == '-';
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && (line.front() == '\f' || line.front() == '\b')) line.remove_prefix(1);
        lines.push_back(line);
    }
    return lines;
}

std::string ExpandTabs(std::string_view line)
{
    std::string out;
    out.reserve(line.size() + 32);
    for (const char c : line) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out.push_back(c);
    }
    return out;
}

std::string_view Columns(std::string_view line, std::size_t from, std::size_t to)
{
    if (from >= line.size()) return {};
    return line.substr(from, to == std::string_view::npos ? to : to - from);
}

bool IsBlank(std::string_view text)
{
    for (const char c : text)
        if (!IsSpace(c)) return false;
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool ParseHex(std::string_view text, uint32_t& value)
{
    if (text.empty() || text.size() > 8) return false;
    value = 0;
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value * 16 + uint32_t(digit);
    }
    return true;
}

int ParseRightNumber(std::string_view field)
{
    const std::string_view number = Trimmed(field);
    if (number.empty() || number.size() > 6 || field.back() == ' ') return -1;
    int value = 0;
    for (const char c : number) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::vector<std::string> StatementWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    char quote = 0;
    const auto flush = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (const char c : text) {
        if (quote == 0 && c == ';') break;
        if (quote == 0 && (IsSpace(c) || c == ',')) {
            flush();
            continue;
        }
        if (c == '\'' || c == '"') quote = quote == 0 ? c : (quote == c ? 0 : quote);
        word.push_back(char(std::toupper(static_cast<unsigned char>(c))));
        if (quote == 0 && c == ':' && words.empty()) flush();
    }
    flush();
    return words;
}

void ByteColumn::Feed(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && !m_stopped) {
        const char c = field[i];
        if (c == ']' || c == ')') {
            Close();
            ++i;
            continue;
        }
        if (IsDelimiter(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < field.size() && !IsDelimiter(field[end])) ++end;
        const std::string_view word = field.substr(i, end - i);
        if (end < field.size() && (field[end] == '[' || field[end] == '(')) {
            Open(word);
            ++end;
        } else if (word.front() == '=') {
            m_stopped = true;
        } else if (word == "R" || word == "E") {
            MarkLastRelocated();
        } else {
            std::size_t digits = 0;
            while (digits < word.size() && IsUnitChar(word[digits])) ++digits;
            // TASM marks a relocated field with lower-case letters after it (r, s, sr, e).
            bool suffix = digits < word.size();
            for (std::size_t k = digits; k < word.size(); ++k) suffix = suffix && std::islower(static_cast<unsigned char>(word[k]));
            if (suffix || digits == word.size()) Unit(word.substr(0, digits), suffix);
        }
        i = end;
    }
}

void ByteColumn::Unit(std::string_view digits, bool relocated)
{
    if (digits.empty() || digits.size() % 2 != 0) return;
    std::vector<int16_t>& bytes = m_frames.back().bytes;
    const std::size_t pairs = digits.size() / 2;
    // A word is shown as a value; so is a TASM dword. Anything else is in memory order.
    const bool value = pairs == 2 || (pairs == 4 && m_dwordAsValue);
    for (std::size_t k = 0; k < pairs && bytes.size() < kMaxBytes; ++k) {
        const std::size_t pair = value ? pairs - 1 - k : k;
        bytes.push_back(relocated ? int16_t(-1) : PairValue(digits.substr(pair * 2, 2)));
    }
    m_lastUnit = pairs;
}

void ByteColumn::Open(std::string_view count)
{
    if (!count.empty() && count.back() == '*') count.remove_suffix(1);
    uint32_t value = 0;
    if (!ParseHex(count, value)) value = 1;
    m_frames.push_back({value, {}});
    m_lastUnit = 0;
}

void ByteColumn::Close()
{
    if (m_frames.size() < 2) return;
    const Frame inner = std::move(m_frames.back());
    m_frames.pop_back();
    std::vector<int16_t>& outer = m_frames.back().bytes;
    for (uint32_t n = 0; n < inner.count && !inner.bytes.empty() && outer.size() < kMaxBytes; ++n) {
        const std::size_t room = kMaxBytes - outer.size();
        outer.insert(outer.end(), inner.bytes.begin(),
                     inner.bytes.begin() + std::ptrdiff_t(std::min(room, inner.bytes.size())));
    }
    m_lastUnit = 0;
}

void ByteColumn::MarkLastRelocated()
{
    std::vector<int16_t>& bytes = m_frames.back().bytes;
    for (std::size_t k = 0; k < m_lastUnit && k < bytes.size(); ++k) bytes[bytes.size() - 1 - k] = -1;
}

std::vector<int16_t> ByteColumn::Finish()
{
    while (m_frames.size() > 1) Close();
    return m_frames.front().bytes;
}

}  // namespace halyard::debuginfo
