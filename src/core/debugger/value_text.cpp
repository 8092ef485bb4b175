#include "core/debugger/value_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/debugger/address_expression.h"

namespace halyard::debugger {

namespace {

std::string HexDigits(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, uint32_t size)
{
    uint32_t value = 0;
    for (uint32_t i = size; i-- > 0;) value = (value << 8) | bytes[at + i];
    return value;
}

std::string Quoted(const std::vector<uint8_t>& bytes, size_t from, size_t count)
{
    std::string text = "'";
    for (size_t i = from; i < from + count && i < bytes.size(); ++i) text += ShownChar(bytes[i]);
    return text + "'";
}

}  // namespace

char ShownChar(uint8_t byte) { return byte >= 0x20 && byte < 0x7F ? char(byte) : '.'; }

std::string Hex4(uint16_t value) { return HexDigits(value, 4) + "h"; }

std::string FormatValue(debuginfo::SymbolKind type, uint32_t count, const std::vector<uint8_t>& bytes)
{
    const uint32_t size = std::min<uint32_t>(ElementSize(type), 4);
    if (bytes.size() < size || size == 0) return "??";
    if (count > 1) {
        const size_t shown = std::min<size_t>(std::min<size_t>(count, 16), bytes.size() / size);
        std::string text;
        for (size_t i = 0; i < shown; ++i) text += HexDigits(LittleEndian(bytes, i * size, size), int(size * 2)) + " ";
        return text + (count > shown ? "...  " : " ") + Quoted(bytes, 0, shown * size);
    }
    const uint32_t value = LittleEndian(bytes, 0, size);
    return HexDigits(value, int(size * 2)) + "h  " + std::to_string(value) + "  " + Quoted(bytes, 0, size);
}

std::string AddressText(uint16_t segment, uint16_t offset) { return HexDigits(segment, 4) + ":" + HexDigits(offset, 4); }

std::string HexBytes(const uint8_t* bytes, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i) text += HexDigits(bytes[i], 2) + (i + 1 == count ? "" : i == 7 ? "-" : " ");
    return text;
}

std::string CharsOf(const uint8_t* bytes, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i) text += ShownChar(bytes[i]);
    return text;
}

std::optional<std::vector<uint8_t>> ParseHexBytes(const std::string& text)
{
    std::vector<uint8_t> bytes;
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == '-') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += c;
        if (digits.size() == 2) {
            bytes.push_back(uint8_t(std::stoul(digits, nullptr, 16)));
            digits.clear();
        }
    }
    if (!digits.empty() || bytes.empty()) return std::nullopt;
    return bytes;
}

std::optional<uint16_t> ParseHexWord(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto value = ParseHexNumber(std::string_view(text).substr(first, last - first + 1));
    if (!value || *value > 0xFFFF) return std::nullopt;
    return uint16_t(*value);
}

std::string ReturnNote(int returnLine) { return returnLine > 0 ? "<- 返回 第 " + std::to_string(returnLine) + " 行" : ""; }

int ReturnLineOf(const debuginfo::ProgramMap& map, uint16_t load, uint16_t cs, uint16_t word)
{
    if (cs < load || word == 0) return 0;
    const uint32_t image = (uint32_t(cs - load) << 4) + word;
    const debuginfo::SourceLine* at = map.LineAt(image);
    const debuginfo::SourceLine* before = map.LineAt(image - 1);
    if (!at || !before || !at->code || !before->code || at == before) return 0;
    if (debuginfo::ProgramMap::ImageAddress(at->frame, at->offset) != image) return 0;
    return at->line;
}

}  // namespace halyard::debugger
