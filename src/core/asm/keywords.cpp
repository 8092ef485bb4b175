#include "core/asm/keywords.h"

#include <array>
#include <stdexcept>

#include "core/asm/colour_index.h"

namespace {

// Every keyword is 2 to 8 bytes long, so a word packs into one 64-bit key; two words of one
// length are equal exactly when their keys are (the length is compared too, for words holding 0).
constexpr std::int32_t kShortestKeyword = 2;
constexpr std::int32_t kLongestKeyword = 8;

constexpr std::uint64_t PackKey(const char* word, std::int32_t length)
{
    std::uint64_t key = 0;
    for (std::int32_t i = 0; i < length; ++i)
        key |= std::uint64_t(static_cast<unsigned char>(word[i])) << (8 * i);
    return key;
}

// Open addressing with linear probing; 1024 slots for 398 keys keep the probes short.
constexpr int kTableBits = 10;
constexpr std::size_t kTableSize = std::size_t(1) << kTableBits;

constexpr std::size_t Slot(std::uint64_t key)
{
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - kTableBits));
}

struct Entry {
    std::uint64_t key = 0;
    std::int32_t length = 0;  // 0: empty slot
    std::int32_t colour = NoKeyword;
};
using Table = std::array<Entry, kTableSize>;

template <std::size_t N>
constexpr void Insert(Table& table, const std::string_view (&names)[N], std::int32_t colour)
{
    for (std::string_view name : names) {
        if (name.size() < std::size_t(kShortestKeyword) || name.size() > std::size_t(kLongestKeyword))
            throw std::logic_error("keyword length out of the packed range");
        const std::int32_t length = std::int32_t(name.size());
        const std::uint64_t key = PackKey(name.data(), length);
        std::size_t slot = Slot(key);
        while (table[slot].length != 0) {
            if (table[slot].key == key && table[slot].length == length)
                throw std::logic_error("a keyword occurs twice");
            slot = (slot + 1) & (kTableSize - 1);
        }
        table[slot] = Entry{key, length, colour};
    }
}

constexpr Table BuildTable()
{
    Table table{};
    Insert(table, RegisterNames, ColourRegister);
    Insert(table, InstructionNames, ColourInstruction);
    Insert(table, DirectiveNames, ColourDirective);
    return table;
}

// Built by the compiler: a duplicate keyword or one of an unpackable length fails the build.
constexpr Table kTable = BuildTable();

}  // namespace

std::int32_t KeywordColour(const char* word, std::int32_t length)
{
    if (length < kShortestKeyword || length > kLongestKeyword)
        return NoKeyword;
    const std::uint64_t key = PackKey(word, length);
    for (std::size_t slot = Slot(key);; slot = (slot + 1) & (kTableSize - 1)) {
        const Entry& entry = kTable[slot];
        if (entry.key == key && entry.length == length)
            return entry.colour;
        if (entry.length == 0)
            return NoKeyword;
    }
}
