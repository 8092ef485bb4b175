// Word moves, word selection and Home inside one line.
#include <gtest/gtest.h>

#include <string>

#include "core/editor/word_bounds.h"

namespace {

const std::string kZhongWen = "\xD6\xD0\xCE\xC4"; // "中文"

struct WordCase {
    const char* name;
    std::string line;
    int from;
    int left;  // WordLeftPos (from above 0)
    int right; // WordRightPos
};

class WordMoveTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordMoveTest, Moves)
{
    const WordCase& c = GetParam();
    if (c.from > 0)
        EXPECT_EQ(c.left, WordLeftPos(c.line, c.from));
    EXPECT_EQ(c.right, WordRightPos(c.line, c.from));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordMoveTest,
    ::testing::Values(
        // "mov ax,bx": after the comma Ctrl+Left stops before it, then at "ax"; Ctrl+Right from
        // "ax" stops at the comma.
        WordCase{"AfterComma", "mov ax,bx", 7, 6, 9}, WordCase{"BeforeComma", "mov ax,bx", 6, 4, 7},
        WordCase{"AtAx", "mov ax,bx", 4, 0, 6}, WordCase{"WordThenBlanks", "mov   ax", 0, 0, 6},
        WordCase{"BlanksToLineStart", "   mov", 3, 0, 6}, WordCase{"PunctuationRun", "a,;[b", 4, 1, 5},
        WordCase{"Underscore", "x my_var y", 8, 2, 9}, WordCase{"AtLineEnd", "mov", 3, 0, 3},
        // Chinese text is one word and is crossed whole.
        WordCase{"ChineseWord", "; " + kZhongWen + " x", 6, 2, 7},
        WordCase{"FromChinese", "; " + kZhongWen + " x", 2, 0, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordBounds, WordAroundAPosition)
{
    const std::string line = "mov ax, bx_1";
    EXPECT_EQ(4, WordStartPos(line, 5));
    EXPECT_EQ(6, WordEndPos(line, 5));
    EXPECT_EQ(8, WordStartPos(line, 12));
    EXPECT_EQ(12, WordEndPos(line, 9));
    EXPECT_EQ(4, WordStartPos(line, 6));
    // No word character on either side: the position itself.
    EXPECT_EQ(7, WordStartPos(line, 7));
    EXPECT_EQ(7, WordEndPos(line, 7));
    const std::string chinese = "x " + kZhongWen;
    EXPECT_EQ(2, WordStartPos(chinese, 4));
    EXPECT_EQ(6, WordEndPos(chinese, 4));
}

} // namespace
