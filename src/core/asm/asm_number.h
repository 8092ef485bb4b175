#pragma once
// The numeric-literal test of the assembly classifier. Inline: the classifier asks it about every
// word that is not a keyword, and most of them are names that the first tests turn down.
#include <cstdint>

namespace asm_number {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

inline bool IsSuffix(char c) { return c == 'B' || c == 'b' || c == 'H' || c == 'h'; }

// A word never holds "+" or "-" (they are not word characters); they are accepted all the same.
inline bool IsDecimalTail(char c) { return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'; }

template <typename Pred>
bool AllFrom(const char* word, std::int32_t from, std::int32_t length, Pred pred)
{
    for (std::int32_t i = from; i < length; ++i)
        if (!pred(word[i]))
            return false;
    return true;
}

}  // namespace asm_number

// True for words such as "7", "3.14", "1e5", "12h", "101b", "0F0h", "0x1F" and "0xff"; false for
// "0X1F", "0x", "0dh", "0FFh", "1Ah", "9h", "1b". Only the last two bytes decide the suffix forms,
// so "AB12h" passes too. A length of 0 or less (or a null word) is not a number.
inline bool IsAsmNumber(const char* word, std::int32_t length)
{
    using namespace asm_number;
    if (word == nullptr || length <= 0)
        return false;
    if (length > 2) {
        // "0x" (lower-case x only) decides alone: "0x1G" is not tried as a suffixed number.
        if (word[0] == '0' && word[1] == 'x')
            return AllFrom(word, 2, length, IsHexDigit);
        if (IsDigit(word[length - 2]) && IsSuffix(word[length - 1]))
            return true;
    }
    if (!IsDigit(word[0]))
        return false;
    return AllFrom(word, 1, length, IsDecimalTail);
}
