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

struct Key {
    std::uint64_t low = 0;   // bytes 0 to 7
    std::uint64_t high = 0;  // bytes 8 to 15; 0 for the usual short word
    constexpr bool operator==(const Key& other) const { return low == other.low && high == other.high; }
};

constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// Eight packed bytes below 0x80 with "a" to "z" turned into capitals, all at once: a byte gets
// its top bit from b + 0x1F exactly when b >= 'a', and from b + 0x05 exactly when b > 'z'; no
// sum carries into the next byte.
constexpr std::uint64_t Capitals(std::uint64_t bytes)
{
    const std::uint64_t small = (bytes + 0x1F * kEveryByte) & ~(bytes + 0x05 * kEveryByte) & (0x80 * kEveryByte);
    return bytes - (small >> 2);
}

constexpr std::uint64_t Pack(const char* bytes, std::int32_t count)
{
    std::uint64_t packed = 0;
    for (std::int32_t i = 0; i < count; ++i)
        packed |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return packed;
}

// No keyword holds a byte of 0x80 or above: such a word gets a key that matches nothing.
constexpr Key PackKey(const char* word, std::int32_t length)
{
    const std::uint64_t low = Pack(word, length < 8 ? length : 8);
    const std::uint64_t high = length > 8 ? Pack(word + 8, length - 8) : 0;
    if (((low | high) & (0x80 * kEveryByte)) != 0)
        return Key{~std::uint64_t(0), ~std::uint64_t(0)};
    return Key{Capitals(low), high != 0 ? Capitals(high) : 0};
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
