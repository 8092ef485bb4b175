// Bookmark commands on the line flags of a real buffer.
#include <gtest/gtest.h>

#include <vector>

#include "core/buffer/buffer_support.h"
#include "core/buffer/line_record.h"
#include "core/editor/bookmarks.h"

namespace {

class BookmarksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadBytes(buffer, fs, "l0\r\nl1\r\nl2\r\nl3");
        ASSERT_TRUE(buffer.AddView(&view));
    }
    void TearDown() override { buffer.RemoveView(&view); }

    std::vector<int> LinesWith(uint32_t flag) const
    {
        std::vector<int> lines;
        for (int i = 0; i < buffer.GetLineCount(); ++i) {
            if (buffer.GetLineFlags(i) & flag)
                lines.push_back(i);
        }
        return lines;
    }

    CTextBuffer buffer;
    CMemoryFileSystem fs;
    CRecordingView view;
};

TEST_F(BookmarksTest, NumberedBookmarkMovesToTheNewLineAndTogglesOff)
{
    ToggleNumberedBookmark(buffer, 1, 3);
    EXPECT_EQ(std::vector<int>{1}, LinesWith(LINE_NUMMARK(3)));
    ToggleNumberedBookmark(buffer, 2, 3);
    EXPECT_EQ(std::vector<int>{2}, LinesWith(LINE_NUMMARK(3)));
    ToggleNumberedBookmark(buffer, 2, 3);
    EXPECT_TRUE(LinesWith(LINE_NUMMARK(3)).empty());
    // Another number on the same line is a bookmark of its own.
    ToggleNumberedBookmark(buffer, 2, 3);
    ToggleNumberedBookmark(buffer, 2, 0);
    EXPECT_EQ(LINE_NUMMARK(0) | LINE_NUMMARK(3), buffer.GetLineFlags(2));
}

TEST_F(BookmarksTest, ClearingNumberedLeavesUnnamedBookmarks)
{
    for (int n = 0; n < kNumberedBookmarks; ++n)
        ToggleNumberedBookmark(buffer, n % 4, n);
    ToggleUnnamedBookmark(buffer, 1);
    ClearNumberedBookmarks(buffer);
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(line == 1 ? LINE_MARK : 0u, buffer.GetLineFlags(line)) << line;
}

TEST_F(BookmarksTest, UnnamedBookmarksToggleLineByLineAndSayWhetherAnyIsLeft)
{
    EXPECT_TRUE(ToggleUnnamedBookmark(buffer, 0));
    EXPECT_TRUE(ToggleUnnamedBookmark(buffer, 3));
    EXPECT_EQ((std::vector<int>{0, 3}), LinesWith(LINE_MARK));
    EXPECT_TRUE(ToggleUnnamedBookmark(buffer, 0));
    EXPECT_FALSE(ToggleUnnamedBookmark(buffer, 3));
}

TEST_F(BookmarksTest, ClearingUnnamedNotifiesEachMarkedLineOnly)
{
    ToggleUnnamedBookmark(buffer, 0);
    ToggleUnnamedBookmark(buffer, 2);
    ToggleNumberedBookmark(buffer, 2, 5);
    view.changes.clear();
    ClearUnnamedBookmarks(buffer);
    EXPECT_TRUE(LinesWith(LINE_MARK).empty());
    EXPECT_EQ(LINE_NUMMARK(5), buffer.GetLineFlags(2));
    ASSERT_EQ(2u, view.changes.size());
    EXPECT_EQ(0, view.changes[0].nLine);
    EXPECT_EQ(2, view.changes[1].nLine);
}

} // namespace
