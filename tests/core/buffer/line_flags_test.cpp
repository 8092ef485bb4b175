// Line flags and the bookmark scans.
#include <gtest/gtest.h>

#include "buffer_support.h"

namespace {

class LineFlagsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadBytes(buffer, fs, "0\r\n1\r\n2\r\n3\r\n4\r\n5");
        ASSERT_TRUE(buffer.AddView(&view));
    }

    CTextBuffer buffer;
    CMemoryFileSystem fs;
    CRecordingView view;
};

TEST_F(LineFlagsTest, NumberedBookmarkMovesWithOneNotificationPerLine)
{
    buffer.SetLineFlagBit(1, LINE_NUMMARK(3), true, true);
    view.changes.clear();
    buffer.SetLineFlagBit(4, LINE_NUMMARK(3), true, true);
    EXPECT_EQ(0u, buffer.GetLineFlags(1));
    EXPECT_EQ(LINE_NUMMARK(3), buffer.GetLineFlags(4));
    ASSERT_EQ(2u, view.changes.size());
    for (const auto& change : view.changes) {
        EXPECT_EQ(CHANGE_ONELINE | CHANGE_FLAGS, change.nFlags);
        EXPECT_FALSE(change.bHasContext);
        EXPECT_EQ(nullptr, change.pSource);
    }
    EXPECT_EQ(1, view.changes[0].nLine);
    EXPECT_EQ(4, view.changes[1].nLine);
}

TEST_F(LineFlagsTest, NoChangeNoNotification)
{
    buffer.SetLineFlagBit(2, LINE_MARK, true, false);
    view.changes.clear();
    buffer.SetLineFlagBit(2, LINE_MARK, true, false);          // already set
    buffer.SetLineFlagBit(3, LINE_MARK, false, false);         // already clear
    buffer.SetLineFlagBit(3, LINE_MARK | LINE_NUMMARK(1), true, false); // two bits
    buffer.SetLineFlagBit(-1, LINE_NUMMARK(5), false, false);  // no line carries it
    buffer.SetLineFlagBit(6, LINE_MARK, true, false);          // past the end
    EXPECT_TRUE(view.changes.empty());
    EXPECT_EQ(-1, buffer.FindLineWithFlag(LINE_MARK | LINE_NUMMARK(1)));
    EXPECT_EQ(-1, buffer.FindLineWithFlag(0));
}

TEST_F(LineFlagsTest, LineMinusOneClearsTheFirstCarrier)
{
    buffer.SetLineFlagBit(3, LINE_NUMMARK(0), true, false);
    buffer.SetLineFlagBit(5, LINE_NUMMARK(0), true, false);
    buffer.SetLineFlagBit(-1, LINE_NUMMARK(0), false, false);
    EXPECT_EQ(5, buffer.FindLineWithFlag(LINE_NUMMARK(0)));
}

TEST_F(LineFlagsTest, MarkedLineScansWrapOnce)
{
    struct Scan {
        std::vector<int> marked;
        int nFrom;
        int nNext, nPrev;
    };
    const Scan scans[] = {
        {{}, 2, -1, -1},
        {{2}, 2, 2, 2},       // the sole marked line finds itself
        {{2}, 4, 2, 2},
        {{1, 4}, 1, 4, 4},
        {{1, 4}, 4, 1, 1},
        {{1, 4}, 2, 4, 1},
        {{0, 5}, 5, 0, 0},
        {{0, 5}, 0, 5, 5},
        {{1, 3, 4}, 3, 4, 1},
    };
    for (const Scan& scan : scans) {
        for (int i = 0; i < buffer.GetLineCount(); ++i)
            buffer.SetLineFlagBit(i, LINE_MARK, false, false);
        for (int i : scan.marked)
            buffer.SetLineFlagBit(i, LINE_MARK, true, false);
        EXPECT_EQ(scan.nNext, buffer.NextMarkedLine(scan.nFrom)) << "from " << scan.nFrom;
        EXPECT_EQ(scan.nPrev, buffer.PrevMarkedLine(scan.nFrom)) << "from " << scan.nFrom;
    }
}

} // namespace
