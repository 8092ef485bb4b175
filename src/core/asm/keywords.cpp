#include "core/asm/keywords.h"

#include <array>
#include <stdexcept>

#include "core/asm/colour_index.h"

namespace {

// Every keyword is 2 to 10 bytes long, so a word packs into two 64-bit halves. Packing sets the
// 0x20 bit of every byte: among the bytes of names (letters, digits, _ . @ ? $) that makes the two
// cases of a letter one and keeps every other byte apart, so two words of one length are equal,
// ignoring case, exactly when their keys are (the length is compared too, for words holding 0).
// Bytes that no name holds may meet another byte this way ("`" and "@"); the classifier and the
// status bar only ask about names.
constexpr std::int32_t kShortestKeyword = 2;
constexpr std::int32_t kLongestKeyword = 10;

struct Key {
    std::uint64_t low = 0;   // bytes 0 to 7
    std::uint64_t high = 0;  // bytes 8 and 9; 0 for the usual short word
    constexpr bool operator==(const Key& other) const { return low == other.low && high == other.high; }
};

constexpr std::uint64_t kCaseBits = 0x2020202020202020ull;

// `count` bytes, 1 to 8, with their 0x20 bits set.
constexpr std::uint64_t Pack(const char* bytes, std::int32_t count)
{
    std::uint64_t packed = 0;
    for (std::int32_t i = 0; i < count; ++i)
        packed |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return packed | (kCaseBits >> (64 - 8 * count));
}

constexpr Key PackKey(const char* word, std::int32_t length)
{
    if (length <= 8)
        return Key{Pack(word, length), 0};
    return Key{Pack(word, 8), Pack(word + 8, length - 8)};
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
