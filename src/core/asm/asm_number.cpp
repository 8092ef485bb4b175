#include "core/asm/asm_number.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool IsSuffix(char c) { return c == 'B' || c == 'b' || c == 'H' || c == 'h'; }

// A word never holds "+" or "-" (they are not word characters); they are accepted all the same.
bool IsDecimalTail(char c) { return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'; }

template <typename Pred>
bool AllFrom(const char* word, std::int32_t from, std::int32_t length, Pred pred)
{
    for (std::int32_t i = from; i < length; ++i)
        if (!pred(word[i]))
            return false;
    return true;
}

}  // namespace

bool IsAsmNumber(const char* word, std::int32_t length)
{
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
