// Unindent and indentation widths, and the part of a stretch a selection covers.
#include <gtest/gtest.h>

#include "core/editor/edit_ranges.h"

namespace {

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
