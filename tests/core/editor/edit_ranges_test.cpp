// Ranges of the editing and selection commands on a real buffer.
#include <gtest/gtest.h>

#include "core/buffer/buffer_support.h"
#include "core/editor/edit_ranges.h"

namespace {

class EditRanges : public ::testing::Test {
protected:
    void Load(const std::string& bytes) { LoadBytes(buffer, fs, bytes); }
    CTextBuffer buffer;
    CMemoryFileSystem fs;
};

TEST_F(EditRanges, MarginSelectionTakesWholeLinesWithTheirBreak)
{
    Load("l0\r\nl1\r\nl2\r\nlast");
    struct {
        int anchor, hit;
        TextPosition start, end, caret;
    } cases[] = {
        {1, 1, {0, 2}, {0, 1}, {0, 1}},    // a click: the line and its break, caret at its start
        {3, 3, {4, 3}, {0, 3}, {0, 3}},    // the last line has no break
        {0, 2, {0, 0}, {0, 3}, {0, 3}},    // dragging down
        {2, 0, {0, 3}, {0, 0}, {0, 0}},    // dragging up
        {1, 3, {0, 1}, {4, 3}, {4, 3}},    // down to the last line
    };
    for (const auto& c : cases) {
        LineSelection s = SelectLines(buffer, c.anchor, c.hit);
        EXPECT_EQ(c.start, s.selStart) << c.anchor << "->" << c.hit;
        EXPECT_EQ(c.end, s.selEnd) << c.anchor << "->" << c.hit;
        EXPECT_EQ(c.caret, s.caret) << c.anchor << "->" << c.hit;
    }
}

TEST_F(EditRanges, BlockLinesLeaveALineSelectedOnlyUpToColumnZeroAlone)
{
    Load("a\r\nbbbb\r\nc\r\nd\r\ne\r\nlast");
    // From the middle of line 1 to column 0 of line 4: lines 1 to 3, selected from column 0.
    BlockLines b = BlockLinesOf(buffer, {{2, 1}, {0, 4}});
    EXPECT_EQ(1, b.first);
    EXPECT_EQ(3, b.last);
    EXPECT_EQ((TextPosition{0, 1}), b.selection.start);
    EXPECT_EQ((TextPosition{0, 4}), b.selection.end);
    // Ending inside a line takes that line and runs to the next line's start.
    b = BlockLinesOf(buffer, {{0, 1}, {1, 2}});
    EXPECT_EQ(2, b.last);
    EXPECT_EQ((TextPosition{0, 3}), b.selection.end);
    // Inside the last line: to its end.
    b = BlockLinesOf(buffer, {{0, 4}, {2, 5}});
    EXPECT_EQ(5, b.last);
    EXPECT_EQ((TextPosition{4, 5}), b.selection.end);
}

TEST_F(EditRanges, DeleteAndBackspaceTakeWholeCharactersAndLineBreaks)
{
    Load("ab\r\n\xD6\xD0x\r\nz");  // line 1 is "中x"
    struct {
        TextPosition caret;
        TextRange del, back;
    } cases[] = {
        {{0, 0}, {{0, 0}, {1, 0}}, {{0, 0}, {0, 0}}},  // nothing before the start of the text
        {{2, 0}, {{2, 0}, {0, 1}}, {{1, 0}, {2, 0}}},  // Delete at a line end joins the next line
        {{0, 1}, {{0, 1}, {2, 1}}, {{2, 0}, {0, 1}}},  // Backspace at a line start joins the previous
        {{2, 1}, {{2, 1}, {3, 1}}, {{0, 1}, {2, 1}}},  // both bytes of "中"
        {{1, 2}, {{1, 2}, {1, 2}}, {{0, 2}, {1, 2}}},  // nothing after the end of the text
    };
    for (const auto& c : cases) {
        TextRange d = DeleteRangeAt(buffer, c.caret);
        TextRange b = BackspaceRangeAt(buffer, c.caret);
        EXPECT_EQ(c.del.start, d.start);
        EXPECT_EQ(c.del.end, d.end) << c.caret.x << "," << c.caret.y;
        EXPECT_EQ(c.back.start, b.start) << c.caret.x << "," << c.caret.y;
        EXPECT_EQ(c.back.end, b.end);
    }
}

TEST(EditRangesText, UnindentAndAutoIndentWidths)
{
    EXPECT_EQ(4, UnindentWidth("      mov", 4));  // six spaces: four go
    EXPECT_EQ(3, UnindentWidth("  \tmov", 4));    // two spaces and the tab
    EXPECT_EQ(1, UnindentWidth("\t\tmov", 4));
    EXPECT_EQ(0, UnindentWidth("mov", 4));
    EXPECT_EQ(2, UnindentWidth("  ", 4));
    EXPECT_EQ("\t\t", AutoIndentOf("\t\tmov ax, 1"));
    EXPECT_EQ("", AutoIndentOf("mov ax, 1"));
    EXPECT_EQ("  ", AutoIndentOf("  \r  x"));
    EXPECT_EQ("", AutoIndentOf(""));
}

TEST(EditRangesText, SelectedPartOfAStretch)
{
    const TextRange sel{{3, 1}, {2, 3}};
    struct {
        int line, begin, end;
        CharSpan part;
    } cases[] = {
        {0, 0, 9, {0, 0}},  // before the selection
        {1, 0, 9, {3, 9}},  // the selection starts inside
        {1, 0, 3, {0, 0}},  // ends where the selection starts
        {2, 4, 7, {4, 7}},  // a line in between is covered whole
        {3, 0, 9, {0, 2}},  // the selection ends inside
        {3, 2, 9, {2, 2}},
        {4, 0, 9, {0, 0}},
    };
    for (const auto& c : cases) {
        CharSpan s = SelectedPart(c.line, c.begin, c.end, sel);
        EXPECT_EQ(c.part.begin, s.begin) << c.line << ":" << c.begin;
        EXPECT_EQ(c.part.end, s.end) << c.line << ":" << c.begin;
    }
    EXPECT_TRUE(IsInside({3, 1}, sel));
    EXPECT_FALSE(IsInside({2, 3}, sel));
    EXPECT_EQ((TextPosition{2, 3}), Normalized({2, 3}, {3, 1}).end);
}

} // namespace
