#include <gtest/gtest.h>

#include <cstring>

#include "core/asm/asm_number.h"

namespace {

bool IsNumber(const char* word) { return IsAsmNumber(word, std::int32_t(std::strlen(word))); }

TEST(IsAsmNumber, Literals)
{
    for (const char* word : {"0x1F", "0xff", "12h", "101b", "0F0h", "3.14", "1e5", "7", "AB12h", "0x0",
                             "1E5", "42H", "00B"})
        EXPECT_TRUE(IsNumber(word)) << word;
    for (const char* word : {"0X1F", "0x", "0dh", "0ah", "0FFh", "1Ah", "9h", "1b", "0x1G", "x1", "ax", ".5",
                             "_1", "12q", "1f"})
        EXPECT_FALSE(IsNumber(word)) << word;
}

TEST(IsAsmNumber, LengthIsHonoured)
{
    EXPECT_TRUE(IsAsmNumber("12hz", 3));  // no terminating zero is looked for
    EXPECT_FALSE(IsAsmNumber("7", 0));
    EXPECT_FALSE(IsAsmNumber("7", -3));
    EXPECT_FALSE(IsAsmNumber(nullptr, 2));
}

}  // namespace
