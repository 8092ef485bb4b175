#pragma once
// The numeric-literal test of the assembly classifier.
#include <cstdint>

// True for words such as "7", "3.14", "1e5", "12h", "101b", "0F0h", "0x1F" and "0xff"; false for
// "0X1F", "0x", "0dh", "0FFh", "1Ah", "9h", "1b". Only the last two bytes decide the suffix forms,
// so "AB12h" passes too. A length of 0 or less (or a null word) is not a number.
bool IsAsmNumber(const char* word, std::int32_t length);
