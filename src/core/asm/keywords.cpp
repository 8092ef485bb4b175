#include "core/asm/keywords.h"

#include <array>
#include <stdexcept>

#include "core/asm/colour_index.h"

namespace {

// Every keyword is 2 to 16 bytes long, so a word packs into two 64-bit halves with its letters in
// capitals; two words of one length are equal, ignoring case, exactly when their keys are (the
// length is compared too, for words holding 0).
constexpr std::int32_t kShortestKeyword = 2;
constexpr std::int32_t kLongestKeyword = 16;

constexpr std::array<std::uint8_t, 256> BuildCapitals()
{
    std::array<std::uint8_t, 256> capitals{};
    for (int c = 0; c < 256; ++c)
        capitals[std::size_t(c)] = std::uint8_t((c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c);
    return capitals;
}

constexpr std::array<std::uint8_t, 256> kCapitals = BuildCapitals();

constexpr std::uint64_t Capital(char c) { return kCapitals[static_cast<unsigned char>(c)]; }

struct Key {
    std::uint64_t low = 0;   // bytes 0 to 7
    std::uint64_t high = 0;  // bytes 8 to 15; 0 for the usual short word
    constexpr bool operator==(const Key& other) const { return low == other.low && high == other.high; }
};

constexpr Key PackKey(const char* word, std::int32_t length)
{
    Key key;
    for (std::int32_t i = 0; i < length && i < 8; ++i)
        key.low |= Capital(word[i]) << (8 * i);
    for (std::int32_t i = 8; i < length; ++i)
        key.high |= Capital(word[i]) << (8 * (i - 8));
    return key;
}

// Open addressing with linear probing; 1024 slots for about 270 distinct keys keep probes short.
constexpr int kTableBits = 10;
constexpr std::size_t kTableSize = std::size_t(1) << kTableBits;

constexpr std::size_t Slot(const Key& key)
{
    return std::size_t(((key.low ^ (key.high * 31)) * 0x9E3779B97F4A7C15ull) >> (64 - kTableBits));
}

struct Entry {
    Key key;
    std::int32_t length = 0;  // 0: empty slot
    std::int32_t colour = NoKeyword;
};
using Table = std::array<Entry, kTableSize>;

// The upper- and lower-case entries of one table meet in one slot; a word already there with
// another colour would make the colour depend on case, and fails the build.
template <std::size_t N>
constexpr void Insert(Table& table, const std::string_view (&names)[N], std::int32_t colour)
{
    for (std::string_view name : names) {
        if (name.size() < std::size_t(kShortestKeyword) || name.size() > std::size_t(kLongestKeyword))
            throw std::logic_error("keyword length out of the packed range");
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

std::int32_t KeywordColour(const char* word, std::int32_t length)
{
    if (length < kShortestKeyword || length > kLongestKeyword)
        return NoKeyword;
    const Key key = PackKey(word, length);
    for (std::size_t slot = Slot(key);; slot = (slot + 1) & (kTableSize - 1)) {
        const Entry& entry = kTable[slot];
        if (entry.key == key && entry.length == length)
            return entry.colour;
        if (entry.length == 0)
            return NoKeyword;
    }
}
