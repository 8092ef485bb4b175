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
                      IndexCase{"TrailLooksLikeLetter", kLeadA + "b", 2, 2, 2},
                      // A tab at column 2 spans only columns 2-3: column 3 is past its end minus
                      // half a tab, so a vertical move lands after it.
                      IndexCase{"BeforeTabMidLine", "ab\tx", 2, 2, 2},
                      IndexCase{"InsideTabMidLine", "ab\tx", 3, 3, 2},
                      IndexCase{"AfterTabMidLine", "ab\tx", 4, 3, 3}),
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

struct TabStopCase {
    const char* name;
    std::string line;
    int pos;
    int next;  // NextTabStopPos
    int prev;  // PrevTabStopPos
};

class TabStopTest : public ::testing::TestWithParam<TabStopCase> {};

TEST_P(TabStopTest, MovesToCharacterBoundariesAtTheStops)
{
    const TabStopCase& c = GetParam();
    EXPECT_EQ(c.next, NextTabStopPos(c.line, c.pos, 4));
    EXPECT_EQ(c.prev, PrevTabStopPos(c.line, c.pos, 4));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabStopTest,
    ::testing::Values(TabStopCase{"LineStart", "abcdefghij", 0, 4, 0},
                      TabStopCase{"BetweenStops", "abcdefghij", 6, 8, 4},
                      // On a stop, both moves go a whole tab size.
                      TabStopCase{"OnAStop", "abcdefghij", 4, 8, 0},
                      TabStopCase{"StopsAtTheLineEnd", "abcdef", 5, 6, 4},
                      TabStopCase{"AtTheLineEnd", "abcdef", 6, 6, 4},
                      TabStopCase{"StepsOverATab", "a\tbcdef", 0, 2, 0},
                      TabStopCase{"OnATab", "a\tbcdef", 1, 2, 0},
                      TabStopCase{"AfterATab", "a\tbcdef", 3, 6, 2},
                      // "中" covers columns 3-4: neither move stops between its bytes.
                      TabStopCase{"DoubleByteAcrossTheStop", "abc" + kZhong + "defg", 0, 5, 0},
                      TabStopCase{"DoubleByteBeforeTheStop", "ab" + kZhong + "defg", 0, 4, 0},
                      TabStopCase{"BackOverDoubleByte", "abc" + kZhong + "defg", 7, 8, 5}),
    [](const auto& info) { return std::string(info.param.name); });

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
    // A double-byte character that starts the line is stepped over whole in both directions.
    EXPECT_EQ(2, NextCharPos(kZhong, 0));
    EXPECT_EQ(0, PrevCharPos(kZhong, 2));
    EXPECT_EQ(0, PrevCharPos(kZhong + "a", 2));
}

// Second bytes run from 0x40 to 0x7E and from 0x80 to 0xFE: 0x7F (DEL) between them is not one.
TEST(CharSteps, OnlyTrailBytesCompleteALeadByte)
{
    const struct {
        unsigned char lead, second;
        bool pair;
    } cases[] = {
        {0x81, 0x3F, false}, {0x81, 0x40, true}, {0x81, 0x7E, true}, {0x81, 0x7F, false},
        {0x81, 0x80, true},  {0xFE, 0xFE, true}, {0x81, 0xFF, false}, {0x80, 0x41, false},
        {0xFF, 0x41, false},
    };
    for (const auto& c : cases) {
        const std::string line = {char(c.lead), char(c.second)};
        SCOPED_TRACE(testing::Message() << std::hex << int(c.lead) << ' ' << int(c.second));
        EXPECT_EQ(c.pair, IsDoubleByteAt(line, 0));
        EXPECT_EQ(c.pair ? 2 : 1, NextCharPos(line, 0));
        EXPECT_EQ(c.pair ? 0 : 1, PrevCharPos(line, 2));
        EXPECT_EQ(c.pair ? 0 : 1, CharStartAt(line, 1));
    }
}

} // namespace
