// The primitive edits, their notifications and the position bookkeeping.
#include <gtest/gtest.h>

#include "buffer_support.h"

#include <functional>

namespace {

struct InsertCase {
    const char* pszName;
    std::string file;
    int nLine, nPos;
    std::string text;
    std::vector<std::string> expected;
    TextPosition ptEnd;
    unsigned nFlags;
};

class InsertTest : public ::testing::TestWithParam<InsertCase> {};

TEST_P(InsertTest, SplitsAtCrAndCrLfOnly)
{
    const InsertCase& c = GetParam();
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, c.file);
    CRecordingView view;
    ASSERT_TRUE(buffer.AddView(&view));
    int nEndLine = -1, nEndChar = -1;
    ASSERT_TRUE(buffer.InsertTextRaw(&view, c.nLine, c.nPos, c.text, nEndLine, nEndChar));
    EXPECT_EQ(c.expected, Lines(buffer));
    EXPECT_EQ(c.ptEnd, (TextPosition{nEndChar, nEndLine}));
    ASSERT_EQ(1u, view.changes.size());
    EXPECT_EQ(c.nFlags, view.changes[0].nFlags);
    EXPECT_EQ(c.nLine, view.changes[0].nLine);
    EXPECT_EQ(&view, view.changes[0].pSource);
    EXPECT_TRUE(buffer.IsModified());
}

const unsigned kOneLine = CHANGE_ONELINE | CHANGE_WIDTHS;
const unsigned kLines = CHANGE_WIDTHS | CHANGE_LINECOUNT;

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertTest,
    ::testing::Values(
        InsertCase{"CrLf", "xyz", 0, 2, "a\r\nb", {"xya", "bz"}, {1, 1}, kLines},
        InsertCase{"LoneLfStaysInLine", "xyz", 0, 2, "a\nb", {"xya\nbz"}, {5, 0}, kOneLine},
        InsertCase{"LoneCrBreaks", "xyz", 0, 2, "a\rb", {"xya", "bz"}, {1, 1}, kLines},
        InsertCase{"CrCrLfIsTwoBreaks", "xyz", 0, 0, "\r\r\n", {"", "", "xyz"}, {0, 2}, kLines},
        InsertCase{"CrLfLfKeepsSecondLf", "xyz", 0, 3, "\r\n\n", {"xyz", "\n"}, {1, 1}, kLines},
        InsertCase{"EmptyTextStillNotifies", "xyz", 0, 1, "", {"xyz"}, {1, 0}, kOneLine},
        InsertCase{"AtEndOfLastLine", "a\r\nb", 1, 1, "c\r\n", {"a", "bc", ""}, {0, 2}, kLines},
        InsertCase{"NulBytesKept", "xy", 0, 1, std::string("\0\r\n\0", 4), {std::string("x\0", 2), std::string("\0y", 2)},
                   {1, 1}, kLines},
        InsertCase{"ManyLinesIntoMiddle", "ab\r\ncd", 0, 1, "1\r\n2\r\n3\r\n4", {"a1", "2", "3", "4b", "cd"}, {1, 3},
                   kLines}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(TextEdit, InsertMovesPositionsAfterTheInsertionPointOnly)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "xyz\r\nnext");
    CRecordingView view;
    view.watched = {{3, 0}, {2, 0}, {1, 0}, {0, 1}};
    ASSERT_TRUE(buffer.AddView(&view));
    int nEndLine, nEndChar;
    ASSERT_TRUE(buffer.InsertTextRaw(nullptr, 0, 2, "a\r\nb", nEndLine, nEndChar));
    const std::vector<TextPosition> expected = {{2, 1}, {2, 0}, {1, 0}, {0, 2}};
    EXPECT_EQ(expected, view.watched);
}

TEST(TextEdit, DeleteAcrossLinesJoinsHeadAndTail)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abc\r\ndef\r\nghi\r\nxyz");
    CRecordingView view;
    view.watched = {{1, 1}, {3, 2}, {2, 3}, {0, 0}, {2, 0}};
    ASSERT_TRUE(buffer.AddView(&view));
    ASSERT_TRUE(buffer.DeleteTextRaw(&view, 0, 1, 2, 2));
    EXPECT_EQ((std::vector<std::string>{"ai", "xyz"}), Lines(buffer));
    const std::vector<TextPosition> expected = {{1, 0}, {2, 0}, {2, 1}, {0, 0}, {1, 0}};
    EXPECT_EQ(expected, view.watched);
    ASSERT_EQ(1u, view.changes.size());
    EXPECT_EQ(kLines, view.changes[0].nFlags);
    EXPECT_EQ(0, view.changes[0].nLine);
}

TEST(TextEdit, DeleteWithinOneLine)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abcdef");
    CRecordingView view;
    view.watched = {{5, 0}, {2, 0}, {1, 0}};
    ASSERT_TRUE(buffer.AddView(&view));
    ASSERT_TRUE(buffer.DeleteTextRaw(nullptr, 0, 1, 0, 4));
    EXPECT_EQ((std::vector<std::string>{"aef"}), Lines(buffer));
    const std::vector<TextPosition> expected = {{2, 0}, {1, 0}, {1, 0}};
    EXPECT_EQ(expected, view.watched);
    EXPECT_EQ(kOneLine, view.changes.at(0).nFlags);
}

TEST(TextEdit, RefusedEditsChangeNothing)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abc\r\ndef");
    CRecordingView view;
    ASSERT_TRUE(buffer.AddView(&view));
    int nEndLine = 7, nEndChar = 7;
    struct Attempt {
        bool bReadOnly;
        int nLine, nPos;        // insertion point
        int nSL, nSC, nEL, nEC; // deletion range
    };
    const Attempt attempts[] = {
        {true, 0, 0, 0, 0, 1, 1},     // read-only buffer
        {false, 2, 0, 0, 0, 2, 0},    // line past the end
        {false, 0, 4, 0, 4, 0, 5},    // character past the line end
        {false, -1, 0, 1, 1, 0, 0},   // negative line; range out of order
        {false, 0, -1, 0, 2, 0, 1},   // negative character; range out of order in one line
    };
    for (const Attempt& a : attempts) {
        buffer.SetReadOnly(a.bReadOnly);
        EXPECT_FALSE(buffer.InsertText(&view, a.nLine, a.nPos, "zz\r\n", nEndLine, nEndChar, ACTION_TYPING));
        EXPECT_FALSE(buffer.DeleteText(&view, a.nSL, a.nSC, a.nEL, a.nEC, ACTION_DELETE));
    }
    EXPECT_EQ((std::vector<std::string>{"abc", "def"}), Lines(buffer));
    EXPECT_TRUE(view.changes.empty());
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_FALSE(buffer.IsModified());
    EXPECT_EQ(7, nEndLine);
}

TEST(TextEdit, TextFromTheBufferItselfIsSafeToInsert)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abcdefghijklmnopqrstuvwxyz");
    int nEndLine, nEndChar;
    // The line must grow, which moves its text while the inserted bytes are still being read.
    ASSERT_TRUE(buffer.InsertTextRaw(nullptr, 0, 1, buffer.GetLine(0), nEndLine, nEndChar));
    EXPECT_EQ("aabcdefghijklmnopqrstuvwxyzbcdefghijklmnopqrstuvwxyz", buffer.GetLine(0));
}

TEST(TextEdit, GetTextJoinsWithCrLfWhateverTheFileStyle)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abc\ndef\nghi");
    ASSERT_EQ(EOL_LF, buffer.GetLineEndStyle());
    std::string text;
    ASSERT_TRUE(buffer.GetText(0, 1, 2, 2, text));
    EXPECT_EQ("bc\r\ndef\r\ngh", text);
    ASSERT_TRUE(buffer.GetText(0, 1, 2, 2, text, "|"));
    EXPECT_EQ("bc|def|gh", text);
    ASSERT_TRUE(buffer.GetText(1, 1, 1, 3, text));
    EXPECT_EQ("ef", text);
    EXPECT_FALSE(buffer.GetText(1, 1, 0, 3, text));
    EXPECT_EQ("", text);
}

TEST(TextEdit, FlagsStayWithTheFirstPartOfASplitAndGoWithDeletedLines)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "a\r\nb\r\nc");
    buffer.SetLineFlagBit(0, LINE_MARK, true, false);
    buffer.SetLineFlagBit(1, LINE_NUMMARK(2), true, false);
    int nEndLine, nEndChar;
    ASSERT_TRUE(buffer.InsertTextRaw(nullptr, 0, 0, "x\r\n", nEndLine, nEndChar));
    EXPECT_EQ(LINE_MARK, buffer.GetLineFlags(0));
    EXPECT_EQ(0u, buffer.GetLineFlags(1));
    EXPECT_EQ(LINE_NUMMARK(2), buffer.GetLineFlags(2));
    ASSERT_TRUE(buffer.DeleteTextRaw(nullptr, 1, 0, 2, 1));
    EXPECT_EQ((std::vector<std::string>{"x", "", "c"}), Lines(buffer));
    EXPECT_EQ(-1, buffer.FindLineWithFlag(LINE_NUMMARK(2)));
}

TEST(TextEdit, ViewsAreToldInAttachOrderAndMayDetachWhileTold)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "abc");
    std::vector<int> order;
    CRecordingView views[3];
    for (int i = 0; i < 3; ++i) {
        views[i].nId = i;
        views[i].pOrder = &order;
        ASSERT_TRUE(buffer.AddView(&views[i]));
    }
    struct Detacher final : CBufferObserver {
        CTextBuffer* pBuffer;
        CBufferObserver* pVictim;
        void OnBufferChange(CBufferObserver*, const PositionAdjuster*, unsigned, int) override { pBuffer->RemoveView(pVictim); }
    } detacher;
    detacher.pBuffer = &buffer;
    detacher.pVictim = &views[2];
    buffer.RemoveView(&views[0]);
    ASSERT_TRUE(buffer.AddView(&views[0]));
    buffer.RemoveView(&detacher); // absent: nothing happens
    ASSERT_TRUE(buffer.AddView(&detacher));
    ASSERT_TRUE(buffer.AddView(&views[2]));
    int nEndLine, nEndChar;
    ASSERT_TRUE(buffer.InsertTextRaw(nullptr, 0, 0, "x", nEndLine, nEndChar));
    // Attached: 1, 2, 0, detacher, 2 again; the detacher removes the first entry for view 2.
    EXPECT_EQ((std::vector<int>{1, 2, 0, 2}), order);
    order.clear();
    ASSERT_TRUE(buffer.InsertTextRaw(nullptr, 0, 0, "x", nEndLine, nEndChar));
    EXPECT_EQ((std::vector<int>{1, 0}), order);
}

} // namespace

namespace {

// Whoever keeps the count sees every change, and none that did not happen.
TEST(TextEdit, TheChangeCountGrowsWithEveryChangeOnly)
{
    CTextBuffer buffer;
    CMemoryFileSystem fs;
    LoadBytes(buffer, fs, "ab\r\ncd\r\n");
    int endLine = 0, endChar = 0;
    TextPosition caret;
    const struct {
        const char* what;
        std::function<bool()> act;
        bool grows;
    } steps[] = {
        {"insert", [&] { return buffer.InsertText(nullptr, 0, 1, "x", endLine, endChar, 0); }, true},
        {"delete", [&] { return buffer.DeleteText(nullptr, 0, 0, 1, 0, 0); }, true},
        {"undo", [&] { return buffer.Undo(caret); }, true},
        {"redo", [&] { return buffer.Redo(caret); }, true},
        {"a line's flag", [&] { buffer.SetLineFlagBit(0, 1u << 8, true, false); return true; }, true},
        {"refused insert", [&] { return !buffer.InsertText(nullptr, 99, 0, "x", endLine, endChar, 0); }, false},
        {"load", [&] { LoadBytes(buffer, fs, "z"); return true; }, true},
        {"release", [&] { buffer.ReleaseAll(); return true; }, true},
    };
    for (const auto& step : steps) {
        const std::uint64_t before = buffer.GetChangeCount();
        EXPECT_TRUE(step.act()) << step.what;
        EXPECT_EQ(step.grows, buffer.GetChangeCount() > before) << step.what;
    }
}

}  // namespace
