// The search engine on real buffers: direction, wrap, block, whole words, case, double-byte text.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/buffer/buffer_support.h"
#include "core/editor/search.h"

namespace {

constexpr uint32_t CASE = FIND_MATCH_CASE;
constexpr uint32_t WORD = FIND_WHOLE_WORD;
constexpr uint32_t UP = FIND_DIRECTION_UP;

const std::string kZhong = "\xD6\xD0";    // 中
const std::string kKaoA = "\x81\x41";     // a character whose second byte is "A"
const std::string kKaoLowA = "\x81\x61";  // a character whose second byte is "a"

struct SearchCase {
    const char* name;
    std::string text;
    std::string what;
    TextPosition start;
    uint32_t flags;
    bool bWrap;
    std::optional<TextPosition> expected;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

// Runs a search on a buffer loaded with `text` and compares what it found with `expected`.
template <class Search>
void ExpectFound(const std::string& text, const std::optional<TextPosition>& expected, Search search)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, text);
    TextPosition found{-1, -1};
    const bool ok = search(buffer, found);
    ASSERT_EQ(expected.has_value(), ok);
    if (ok)
        EXPECT_EQ(*expected, found) << "at (" << found.x << ", " << found.y << ")";
}

class SearchTextTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchTextTest, Finds)
{
    const SearchCase& c = GetParam();
    ExpectFound(c.text, c.expected, [&](const CTextBuffer& buffer, TextPosition& found) {
        return SearchText(buffer, c.what, c.start, c.flags, c.bWrap, found);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Direction, SearchTextTest,
    ::testing::Values(
        SearchCase{"DownFromCaret", "mov ax\r\nmov bx", "mov", {1, 0}, 0, true, TextPosition{0, 1}},
        SearchCase{"AtCaretCounts", "mov ax", "ax", {4, 0}, 0, true, TextPosition{4, 0}},
        // From the end of the text the search goes round to the top, only with wrap.
        SearchCase{"WrapsToTop", "mov ax\r\nmov bx", "mov", {3, 1}, 0, true, TextPosition{0, 0}},
        SearchCase{"NoWrapStopsAtEnd", "mov ax\r\nmov bx", "mov", {3, 1}, 0, false, std::nullopt},
        SearchCase{"NowhereEvenWithWrap", "mov ax\r\nmov bx", "cx", {0, 0}, 0, true, std::nullopt},
        // Upwards each line is scanned from its start to its end: on the caret's line an
        // occurrence after the caret comes first.
        SearchCase{"UpFindsLaterOnCaretLine", "mov\r\nmov ax, mov", "mov", {5, 1}, UP, true, TextPosition{8, 1}},
        SearchCase{"UpGoesToEarlierLines", "mov\r\nax mov", "mov", {6, 1}, UP, true, TextPosition{0, 0}},
        SearchCase{"UpWrapsToLastLine", "ax\r\nbx\r\nmov", "mov", {0, 0}, UP, true, TextPosition{0, 2}},
        SearchCase{"UpNoWrap", "ax\r\nbx\r\nmov", "mov", {1, 1}, UP, false, std::nullopt},
        SearchCase{"OccurrencesNeverSpanLines", "mo\r\nv", "mov", {0, 0}, 0, true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CaseAndWords, SearchTextTest,
    ::testing::Values(
        SearchCase{"LowerFindsUpper", "  MOV AX,1", "mov", {0, 0}, 0, false, TextPosition{2, 0}},
        SearchCase{"UpperFindsLower", "  mov ax,1", "MOV", {0, 0}, 0, false, TextPosition{2, 0}},
        SearchCase{"MatchCaseRefuses", "  MOV AX,1", "mov", {0, 0}, CASE, false, std::nullopt},
        SearchCase{"MatchCaseExact", "Mov mov", "mov", {0, 0}, CASE, false, TextPosition{4, 0}},
        SearchCase{"WholeWordSkipsInsideWord", "xab ab", "ab", {0, 0}, WORD, false, TextPosition{4, 0}},
        SearchCase{"WholeWordDigitsAndUnderscore", "ab1 _ab ab", "ab", {0, 0}, WORD, false, TextPosition{8, 0}},
        SearchCase{"WholeWordAtLineEnd", "mov ax", "ax", {0, 0}, WORD, false, TextPosition{4, 0}},
        SearchCase{"WholeWordPunctuationBounds", "[bx+si]", "si", {0, 0}, WORD, false, TextPosition{4, 0}},
        // A search started inside a word does not look at the byte before its start column.
        SearchCase{"WholeWordFromInsideWord", "xab ab", "ab", {1, 0}, WORD, false, TextPosition{1, 0}},
        // After an occurrence is rejected the scan moves on by one byte, and the next occurrence
        // must still not follow a word character: "aa" is no whole word inside "aaa".
        SearchCase{"WholeWordNotInsideLongerRun", "aaa b", "aa", {0, 0}, WORD, false, std::nullopt},
        SearchCase{"WholeWordAfterLongerRun", "aaa aa", "aa", {0, 0}, WORD, false, TextPosition{4, 0}},
        SearchCase{"WholeWordNextLine", "xab\r\n ab", "ab", {0, 0}, WORD, false, TextPosition{1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DoubleByte, SearchTextTest,
    ::testing::Values(
        // The second byte of a character is no letter, whatever it looks like.
        SearchCase{"NotOnSecondByte", "x" + kKaoA, "A", {0, 0}, CASE, false, std::nullopt},
        SearchCase{"NotOnUpperCasedSecondByte", kKaoLowA, "A", {0, 0}, 0, false, std::nullopt},
        SearchCase{"AfterCharacterWithLetterByte", kKaoA + "A", "A", {0, 0}, CASE, false, TextPosition{2, 0}},
        // Never starting or ending between the two bytes of a character.
        SearchCase{"NotAcrossCharacters", kZhong + kZhong, "\xD0\xD6", {0, 0}, CASE, false, std::nullopt},
        SearchCase{"NotEndingInsideCharacter", kZhong, "\xD6", {0, 0}, CASE, false, std::nullopt},
        SearchCase{"WholeCharacters", "; " + kZhong + kZhong, kZhong, {3, 0}, CASE, false, TextPosition{4, 0}},
        SearchCase{"StartInsideCharacter", kZhong + "ab", "ab", {1, 0}, 0, false, TextPosition{2, 0}},
        // Ignoring case never changes a byte of a character, in the line or in the search text.
        SearchCase{"CaseKeepsCharacterBytes", kKaoA + "b", kKaoLowA + "B", {0, 0}, 0, false, std::nullopt},
        SearchCase{"CaseFoldsAroundCharacters", "x" + kKaoLowA + "b", kKaoLowA + "B", {0, 0}, 0, false,
                   TextPosition{1, 0}},
        // Characters are no word characters: Chinese text bounds a whole word, and a letter-like
        // second byte does not glue it to the word after it.
        SearchCase{"WordBetweenChinese", kZhong + "ab" + kZhong, "ab", {0, 0}, WORD, false, TextPosition{2, 0}},
        SearchCase{"WordAfterLetterLikeByte", kKaoA + "ab", "ab", {0, 0}, WORD, false, TextPosition{2, 0}},
        SearchCase{"WordAfterRealLetter", "Aab", "ab", {0, 0}, WORD, false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// An empty search text matches at once where the part of the line searched is not empty.
INSTANTIATE_TEST_SUITE_P(
    EmptyText, SearchTextTest,
    ::testing::Values(SearchCase{"MatchesAtCaret", "abc", "", {2, 0}, 0, true, TextPosition{2, 0}},
                      SearchCase{"LineEndGoesToNextText", "abc\r\n\r\nx", "", {3, 0}, 0, true, TextPosition{0, 2}},
                      SearchCase{"EmptyDocument", "", "", {0, 0}, 0, true, std::nullopt},
                      SearchCase{"OnACharacterStart", kZhong + "x", "", {1, 0}, 0, false, TextPosition{2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockCase {
    const char* name;
    TextPosition start, blockBegin, blockEnd;
    bool bWrap;
    std::optional<TextPosition> expected;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class SearchInRangeTest : public ::testing::TestWithParam<BlockCase> {};

// Lines: "ab ab", "xx ab", "ab".
TEST_P(SearchInRangeTest, KeepsToTheBlock)
{
    const BlockCase& c = GetParam();
    ExpectFound("ab ab\r\nxx ab\r\nab", c.expected, [&](const CTextBuffer& buffer, TextPosition& found) {
        return SearchInRange(buffer, "ab", c.start, c.blockBegin, c.blockEnd, 0, c.bWrap, found);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, SearchInRangeTest,
    ::testing::Values(
        BlockCase{"StartBeforeBlockBegins", {0, 0}, {1, 0}, {5, 1}, false, TextPosition{3, 0}},
        // An occurrence starting at the block end's column is outside; one starting before it
        // counts even when it extends past it.
        BlockCase{"AtBlockEndOutside", {0, 1}, {0, 1}, {3, 1}, false, std::nullopt},
        BlockCase{"StartInsideExtendsPast", {0, 1}, {0, 1}, {4, 1}, false, TextPosition{3, 1}},
        // Wrapping restarts at the block's beginning, not at the top of the text.
        BlockCase{"WrapRestartsAtBlockBegin", {4, 1}, {2, 0}, {4, 1}, true, TextPosition{3, 0}},
        BlockCase{"NoWrapInsideBlock", {4, 1}, {2, 0}, {4, 1}, false, std::nullopt},
        BlockCase{"StartPastBlockNeedsWrap", {0, 2}, {0, 1}, {5, 1}, false, std::nullopt},
        BlockCase{"StartPastBlockWraps", {0, 2}, {0, 1}, {5, 1}, true, TextPosition{3, 1}},
        BlockCase{"EmptyBlock", {0, 0}, {3, 0}, {3, 0}, true, std::nullopt},
        BlockCase{"BlockEndPastTextIsTheEnd", {0, 2}, {0, 0}, {9, 9}, false, TextPosition{0, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SearchEngine, UpwardsIgnoresTheBlock)
{
    ExpectFound("ab\r\nxx\r\nxx ab", TextPosition{0, 0}, [](const CTextBuffer& buffer, TextPosition& found) {
        return SearchInRange(buffer, "ab", {0, 1}, {0, 1}, {2, 1}, UP, false, found);
    });
}

TEST(SearchEngine, UpperCasedLeavesDoubleByteCharactersAlone)
{
    EXPECT_EQ("MOV AX, [BX]_1", UpperCased("mov ax, [bx]_1"));
    EXPECT_EQ(kKaoLowA + "B" + kZhong + "C", UpperCased(kKaoLowA + "b" + kZhong + "c"));
    // A lead byte at the end stands alone; the byte after it is a letter of its own.
    EXPECT_EQ("\x81", UpperCased("\x81"));
    EXPECT_EQ("\xFF" "A", UpperCased("\xFF" "a"));
}

} // namespace
