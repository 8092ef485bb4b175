// Display columns with tabs and double-byte characters: every answer lies on a character boundary.
#include <gtest/gtest.h>

#include <string>

#include "core/editor/char_steps.h"
#include "core/editor/text_columns.h"

namespace {

// "中" and "文" in code page 936; 0x81 0x41 is a character whose second byte looks like "A".
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";
const std::string kLeadA = "\x81\x41";

struct ColumnCase {
    const char* name;
    std::string line;
    int pos;
    int column;
};

class ExpandedColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ExpandedColumnTest, CountsTabsToTheNextStop)
{
    const ColumnCase& c = GetParam();
    EXPECT_EQ(c.column, ExpandedColumn(c.line, c.pos, 4));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandedColumnTest,
    ::testing::Values(ColumnCase{"Start", "mov", 0, 0}, ColumnCase{"Plain", "mov", 3, 3},
                      ColumnCase{"TabAtStart", "\tx", 1, 4}, ColumnCase{"TabAtColumnTwo", "ab\tx", 3, 4},
                      ColumnCase{"TabAtStop", "abcd\tx", 5, 8}, ColumnCase{"TwoTabs", "\t\tx", 2, 8},
                      ColumnCase{"DoubleByteTakesTwo", kZhong + "x", 2, 2},
                      ColumnCase{"TabAfterDoubleByte", kZhong + kWen + "\tx", 5, 8},
                      ColumnCase{"PastEndIsLength", "ab", 9, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextColumns, ExpandedLength)
{
    EXPECT_EQ(0, ExpandedLength("", 4));
    EXPECT_EQ(4, ExpandedLength("ab\t", 4));
    EXPECT_EQ(4, ExpandedLength(kZhong + kWen, 4));
}

struct IndexCase {
    const char* name;
    std::string line;
    int column;
    int vertical;  // ColumnToCharIndex
    int hit;       // CharIndexAtColumn
};

class ColumnIndexTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(ColumnIndexTest, LandsOnBoundaries)
{
    const IndexCase& c = GetParam();
    EXPECT_EQ(c.vertical, ColumnToCharIndex(c.line, c.column, 4));
    EXPECT_EQ(c.hit, CharIndexAtColumn(c.line, c.column, 4));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnIndexTest,
    ::testing::Values(IndexCase{"ColumnZero", "\tmov", 0, 0, 0}, IndexCase{"Exact", "mov ax", 3, 3, 3},
                      // A tab spans columns 0-3: columns 3 and 4 land after it, 1 and 2 before.
                      IndexCase{"NearerSideAfterTab", "\tmov", 3, 1, 0},
                      IndexCase{"AfterTabEnd", "\tmov", 4, 1, 1},
                      IndexCase{"NearerSideBeforeTab", "\tmov", 2, 0, 0},
                      IndexCase{"ColumnOne", "\tmov", 1, 0, 0},
                      IndexCase{"PastEnd", "ab", 10, 2, 2}, IndexCase{"EmptyLine", "", 5, 0, 0},
                      // Column 1 is the second half of "中": never index 1.
                      IndexCase{"InsideDoubleByte", kZhong + kWen, 1, 2, 0},
                      IndexCase{"SecondDoubleByte", kZhong + kWen, 3, 4, 2},
                      IndexCase{"TrailLooksLikeLetter", kLeadA + "b", 2, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextColumns, ExpandTabsCountsFromTheFirstColumn)
{
    std::string out;
    ExpandTabs("a\tb", 0, 4, out);
    EXPECT_EQ("a   b", out);
    ExpandTabs("\tb", 2, 4, out);
    EXPECT_EQ("  b", out);
    ExpandTabs(kZhong + "\t", 0, 4, out);
    EXPECT_EQ(kZhong + "  ", out);
}

TEST(CharSteps, StepOverDoubleByteCharactersWhole)
{
    const std::string line = "a" + kZhong + kLeadA + "b";  // a 中 (81 41) b
    EXPECT_EQ(1, NextCharPos(line, 0));
    EXPECT_EQ(3, NextCharPos(line, 1));
    EXPECT_EQ(5, NextCharPos(line, 3));
    EXPECT_EQ(3, PrevCharPos(line, 5));
    EXPECT_EQ(1, PrevCharPos(line, 3));
    EXPECT_EQ(0, PrevCharPos(line, 1));
    for (int odd : {2, 4})
        EXPECT_EQ(odd - 1, CharStartAt(line, odd));
    EXPECT_EQ(5, CharStartAt(line, 5));
    EXPECT_EQ(6, CharStartAt(line, 99));
    // A lead byte that ends the line stands alone.
    EXPECT_EQ(2, NextCharPos("a\xD6", 1));
}

} // namespace
