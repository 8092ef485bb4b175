// Breakpoints and the current line on the line flags of a real buffer, through edits.
#include <gtest/gtest.h>

#include <vector>

#include "core/buffer/buffer_support.h"
#include "core/buffer/line_record.h"
#include "core/editor/breakpoints.h"
#include "core/editor/kept_breakpoints.h"

namespace {

TEST(Breakpoints, FollowTheirLinesThroughEditsAndUndo)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "mov ax,1\r\nmov bx,2\r\nint 21h\r\nret");
    EXPECT_TRUE(ToggleBreakpoint(buffer, 1));
    EXPECT_TRUE(ToggleBreakpoint(buffer, 3));
    EXPECT_FALSE(ToggleBreakpoint(buffer, 9));  // past the end: nothing
    int endLine = 0, endChar = 0;
    // Two lines typed at the very start push both breakpoints down.
    ASSERT_TRUE(buffer.InsertText(nullptr, 0, 0, "; a\r\n; b\r\n", endLine, endChar, 0));
    EXPECT_EQ((std::vector<int>{3, 5}), BreakpointLines(buffer));
    // Deleting the line of the first takes it away; the second moves up.
    ASSERT_TRUE(buffer.DeleteText(nullptr, 2, 0, 3, 0, 0));
    EXPECT_EQ((std::vector<int>{4}), BreakpointLines(buffer));
    EXPECT_FALSE(ToggleBreakpoint(buffer, 4));
    EXPECT_TRUE(BreakpointLines(buffer).empty());
    SetBreakpointLines(buffer, {0, 2, 40});
    EXPECT_EQ((std::vector<int>{0, 2}), BreakpointLines(buffer));
}

TEST(Breakpoints, OneCurrentLineAtATime)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "a\r\nb\r\nc");
    ShowExecutionLine(buffer, 0);
    ShowExecutionLine(buffer, 2);
    EXPECT_EQ(2, buffer.FindLineWithFlag(LINE_EXECUTION));
    EXPECT_EQ(0u, buffer.GetLineFlags(0) & LINE_EXECUTION);
    ShowExecutionLine(buffer, -1);
    EXPECT_EQ(-1, buffer.FindLineWithFlag(LINE_EXECUTION));
}

}  // namespace

namespace {

TEST(KeptBreakpoints, AFileOpenedAgainHasItsBreakpointsBack)
{
    KeptBreakpoints kept;
    kept.Keep("C:\\Work\\Hello.asm", {2, 7});
    kept.Keep("C:\\Work\\other.asm", {1});
    EXPECT_EQ((std::vector<int>{2, 7}), kept.For("c:\\work\\HELLO.ASM"));
    kept.Keep("c:\\work\\hello.asm", {});
    EXPECT_TRUE(kept.For("C:\\Work\\Hello.asm").empty());
    EXPECT_EQ((std::vector<int>{1}), kept.For("C:\\Work\\other.asm"));
}

}  // namespace
