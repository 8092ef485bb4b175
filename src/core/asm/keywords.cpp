#include "core/asm/keywords.h"

#include <array>
#include <cstring>
#include <stdexcept>

#include "core/asm/colour_index.h"

namespace {

// Keywords are 2 to 10 bytes long. Those of up to 8 bytes pack into one 64-bit key; the two
// longer ones (INCLUDELIB, .FARDATA?) are looked up apart, so the common key stays one word.
// Packing sets the 0x20 bit of every byte: among the bytes of names (letters, digits, _ . @ ? $)
// that makes the two cases of a letter one and keeps every other byte apart, so two words of one
// length are equal, ignoring case, exactly when their keys are (the length is compared too, for
// words holding 0). Bytes that no name holds may meet another byte this way ("`" and "@"); the
// classifier and the status bar only ask about names.
constexpr std::int32_t kShortestKeyword = 2;
constexpr std::int32_t kLongestPacked = 8;
constexpr std::int32_t kLongestKeyword = 10;

using Key = std::uint64_t;

constexpr std::uint64_t kCaseBits = 0x2020202020202020ull;

// `count` bytes, 1 to 8, with their 0x20 bits set.
constexpr Key PackKey(const char* bytes, std::int32_t count)
{
    std::uint64_t packed = 0;
    for (std::int32_t i = 0; i < count; ++i)
        packed |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return packed | (kCaseBits >> (64 - 8 * count));
}

// Open addressing with linear probing; 1024 slots for about 270 distinct keys keep probes short.
constexpr int kTableBits = 10;
constexpr std::size_t kTableSize = std::size_t(1) << kTableBits;

constexpr std::size_t Slot(Key key) { return std::size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - kTableBits)); }

struct Entry {
    Key key;
    std::int32_t length = 0;  // 0: empty slot
    std::int32_t colour = NoKeyword;
};
using Table = std::array<Entry, kTableSize>;

// The upper- and lower-case entries of one table meet in one slot; a word already there with
// another colour would make the colour depend on case, and fails the build.
// The keywords longer than a key: few enough to compare one by one.
struct LongKeyword {
    std::string_view name;
    std::int32_t colour;
};
constexpr LongKeyword kLongKeywords[] = {{"INCLUDELIB", ColourDirective}, {".FARDATA?", ColourDirective}};

// KeywordColour looks long words up only when they begin as one of these does.
constexpr bool LongKeywordsBeginWithIOrDot()
{
    for (const LongKeyword& k : kLongKeywords)
        if (k.name[0] != 'I' && k.name[0] != '.') return false;
    return true;
}
static_assert(LongKeywordsBeginWithIOrDot());

constexpr bool IsLongKeyword(std::string_view name)
{
    for (const LongKeyword& k : kLongKeywords)
        if (k.name == name) return true;
    return false;
}

template <std::size_t N>
constexpr void Insert(Table& table, const std::string_view (&names)[N], std::int32_t colour)
{
    for (std::string_view name : names) {
        if (name.size() > std::size_t(kLongestPacked) && IsLongKeyword(name)) continue;
        if (name.size() < std::size_t(kShortestKeyword) || name.size() > std::size_t(kLongestPacked))
            throw std::logic_error("keyword length out of the packed range, and not a long keyword");
        if (name[0] >= '0' && name[0] <= '9')
            throw std::logic_error("the classifier looks no word up that begins with a digit");
        const std::int32_t length = std::int32_t(name.size());
        const Key key = PackKey(name.data(), length);
        std::size_t slot = Slot(key);
        while (table[slot].length != 0 && !(table[slot].key == key && table[slot].length == length))
            slot = (slot + 1) & (kTableSize - 1);
        if (table[slot].length != 0 && table[slot].colour != colour)
            throw std::logic_error("a keyword occurs in two tables");
        table[slot] = Entry{key, length, colour};
    }
}

constexpr Table BuildTable()
{
    Table table{};
    Insert(table, RegisterNames, ColourRegister);
    Insert(table, InstructionNames, ColourInstruction);
    Insert(table, DirectiveNames, ColourDirective);
    Insert(table, MoreDirectiveNames, ColourDirective);
    return table;
}

// Built by the compiler: a keyword in two tables or one of an unpackable length fails the build.
constexpr Table kTable = BuildTable();

}  // namespace

namespace {

// The rare words of 9 or 10 bytes, against the long keywords, ignoring case.
[[gnu::noinline]] std::int32_t LongKeywordColour(const char* word, std::int32_t length)
{
    for (const LongKeyword& k : kLongKeywords) {
        if (std::int32_t(k.name.size()) != length) continue;
        std::int32_t i = 0;
        while (i < length && (word[i] | 0x20) == (k.name[std::size_t(i)] | 0x20)) ++i;
        if (i == length) return k.colour;
    }
    return NoKeyword;
}

std::int32_t ColourOfKey(Key key, std::int32_t length)
{
    for (std::size_t slot = Slot(key);; slot = (slot + 1) & (kTableSize - 1)) {
        const Entry& entry = kTable[slot];
        if (entry.key == key && entry.length == length)
            return entry.colour;
        if (entry.length == 0)
            return NoKeyword;
    }
}

// Long names ("label_1234") are common, long keywords rare: their first bytes decide.
std::int32_t ColourOfUnpackable(const char* word, std::int32_t length)
{
    if (length <= kLongestPacked || length > kLongestKeyword)
        return NoKeyword;
    const char first = char(word[0] | 0x20);
    return first == 'i' || first == '.' ? LongKeywordColour(word, length) : NoKeyword;
}

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kLittleEndian = true;
#else
constexpr bool kLittleEndian = false;
#endif

// Eight bytes as one load, the first in the lowest byte as PackKey places it.
Key LoadKeyBytes(const char* at)
{
    Key bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
}

}  // namespace

std::int32_t KeywordColour(const char* word, std::int32_t length)
{
    if (length < kShortestKeyword || length > kLongestPacked)
        return ColourOfUnpackable(word, length);
    return ColourOfKey(PackKey(word, length), length);
}

// The eight bytes loaded hold the word at their start (the line goes on past it) or at their end
// (the word ends eight bytes or more into the line); the other bytes are shifted or masked away.
std::int32_t KeywordColourInLine(const char* line, std::int32_t lineLength, std::int32_t start,
                                 std::int32_t length)
{
    const char* word = line + start;
    if (length < kShortestKeyword || length > kLongestPacked)
        return ColourOfUnpackable(word, length);
    const int unused = 8 * (kLongestPacked - length);  // bits of the load that are not the word's
    if (kLittleEndian && lineLength - start >= kLongestPacked)
        return ColourOfKey(((LoadKeyBytes(word) | kCaseBits) << unused) >> unused, length);
    if (kLittleEndian && start + length >= kLongestPacked)
        return ColourOfKey((LoadKeyBytes(word + length - kLongestPacked) | kCaseBits) >> unused, length);
    return ColourOfKey(PackKey(word, length), length);
}
