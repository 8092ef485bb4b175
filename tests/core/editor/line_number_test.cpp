#include <gtest/gtest.h>

#include "core/editor/line_number.h"

TEST(ParseLineNumber, AcceptsOnlyNumbersWithinTheFile)
{
    const struct {
        const char* text;
        int lineCount;
        int expected;
    } rows[] = {
        {"1", 10, 1},  {"10", 10, 10}, {" 7\t", 10, 7}, {"007", 10, 7},  {"0", 10, 0},
        {"11", 10, 0}, {"", 10, 0},    {"  ", 10, 0},   {"-1", 10, 0},   {"+1", 10, 0},
        {"1 2", 10, 0}, {"5x", 10, 0}, {"99999999999999999999", 10, 0}, {nullptr, 10, 0},
        {"2147483647", 2147483647, 2147483647},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, ParseLineNumber(row.text, row.lineCount)) << (row.text ? row.text : "null");
}
