// Undo and redo: groups, merging, captions, the automatic-indentation hook, the limit and the
// modified state.
#include <gtest/gtest.h>

#include "buffer_support.h"

namespace {

// A view that indents a new line after a typed line break, as the editor does.
class CIndentingView final : public CBufferObserver {
public:
    CTextBuffer* pBuffer = nullptr;
    TextPosition ptCaret;
    std::vector<std::pair<int, std::string>> editsDone;

    void OnBufferChange(CBufferObserver*, const PositionAdjuster* pContext, unsigned, int) override
    {
        if (pContext)
            pContext->AdjustPosition(ptCaret);
    }

    void OnEditDone(int nAction, const std::string& text) override
    {
        editsDone.emplace_back(nAction, text);
        if (nAction != ACTION_TYPING || text != "\r\n")
            return;
        int nEndLine, nEndChar;
        ASSERT_TRUE(pBuffer->InsertText(this, ptCaret.y, 0, "    ", nEndLine, nEndChar, ACTION_AUTOINDENT));
    }
};

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadBytes(buffer, fs, "line one\r\nline two");
        buffer.SetCaptionLoader(&captions);
        view.pBuffer = &buffer;
        ASSERT_TRUE(buffer.AddView(&view));
    }

    // One command: its own group, closed by the view.
    void Command(bool bMerge, const std::string& text, int nAction)
    {
        buffer.OpenUndoGroup(bMerge);
        int nEndLine, nEndChar;
        ASSERT_TRUE(buffer.InsertText(&view, view.ptCaret.y, view.ptCaret.x, text, nEndLine, nEndChar, nAction));
        view.ptCaret = {nEndChar, nEndLine};
        buffer.CloseUndoGroup(&view);
    }

    void Type(const std::string& chars, bool bMergeFirst)
    {
        for (size_t i = 0; i < chars.size(); ++i)
            Command(i > 0 || bMergeFirst, chars.substr(i, 1), ACTION_TYPING);
    }

    // Each character a group of its own.
    void TypeSeparately(size_t nCount)
    {
        for (size_t i = 0; i < nCount; ++i)
            Command(false, "a", ACTION_TYPING);
    }

    std::string UndoCaption()
    {
        std::string text;
        buffer.UndoCaption(text);
        return text;
    }

    CTextBuffer buffer;
    CMemoryFileSystem fs;
    CTableCaptions captions;
    CIndentingView view;
    TextPosition ptCursor;
};

TEST_F(UndoTest, TypingMergedOntoAPasteIsUndoneWithItAndNamedAfterIt)
{
    view.ptCaret = {4, 0};
    Command(false, "PASTED", ACTION_PASTE);
    Type("word", true);
    EXPECT_EQ("linePASTEDword one", buffer.GetLine(0));
    EXPECT_EQ("Paste", UndoCaption());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ("line one", buffer.GetLine(0));
    EXPECT_EQ((TextPosition{4, 0}), ptCursor);
    EXPECT_FALSE(buffer.CanUndo());
    std::string redo;
    buffer.RedoCaption(redo);
    EXPECT_EQ("Paste", redo);
}

TEST_F(UndoTest, ASpaceStartsANewGroup)
{
    view.ptCaret = {8, 0};
    Type(" ab", false);
    Type(" cd", false);
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ("line one ab", buffer.GetLine(0));
    EXPECT_EQ("Typing", UndoCaption());
}

TEST_F(UndoTest, AutomaticIndentationIsItsOwnGroup)
{
    view.ptCaret = {8, 0};
    Command(false, "\r\n", ACTION_TYPING);
    EXPECT_EQ((std::vector<std::string>{"line one", "    ", "line two"}), Lines(buffer));
    ASSERT_EQ(1u, view.editsDone.size()) << "the indentation joins the open group";
    EXPECT_EQ("Auto Indent", UndoCaption());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ((std::vector<std::string>{"line one", "", "line two"}), Lines(buffer));
    EXPECT_EQ((TextPosition{0, 1}), ptCursor);
    EXPECT_EQ("Typing", UndoCaption());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ((std::vector<std::string>{"line one", "line two"}), Lines(buffer));
    EXPECT_EQ((TextPosition{8, 0}), ptCursor);
}

TEST_F(UndoTest, CursorGoesToTheStartOfAnUndoneInsertionAndTheEndOfARestoredDeletion)
{
    ASSERT_TRUE(buffer.DeleteText(nullptr, 0, 2, 1, 3, ACTION_DELETE));
    EXPECT_EQ("lie two", buffer.GetLine(0));
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ((TextPosition{3, 1}), ptCursor);
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_EQ((TextPosition{2, 0}), ptCursor);
    int nEndLine, nEndChar;
    ASSERT_TRUE(buffer.InsertText(nullptr, 0, 1, "x\r\ny", nEndLine, nEndChar, ACTION_PASTE));
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ((TextPosition{1, 0}), ptCursor);
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_EQ((TextPosition{1, 1}), ptCursor);
}

TEST_F(UndoTest, ReadOnlyBufferKeepsTextAndHistory)
{
    Type("abc", false);
    buffer.SetReadOnly(true);
    const int nPosition = buffer.GetHistory().Position();
    ptCursor = {77, 77};
    EXPECT_FALSE(buffer.Undo(ptCursor));
    EXPECT_FALSE(buffer.Redo(ptCursor));
    EXPECT_EQ(nPosition, buffer.GetHistory().Position());
    EXPECT_EQ("abcline one", buffer.GetLine(0));
    EXPECT_EQ((TextPosition{77, 77}), ptCursor);
    buffer.SetReadOnly(false);
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ("line one", buffer.GetLine(0));
}

TEST_F(UndoTest, OnEditDoneRunsOnlyForAClosingSourceView)
{
    int nEndLine, nEndChar;
    ASSERT_TRUE(buffer.InsertText(nullptr, 0, 0, "a", nEndLine, nEndChar, ACTION_TYPING));
    buffer.OpenUndoGroup();
    ASSERT_TRUE(buffer.DeleteText(&view, 0, 0, 1, 1, ACTION_CUT));
    EXPECT_TRUE(view.editsDone.empty()) << "the open group is not closed by the edit";
    buffer.CloseUndoGroup(&view);
    ASSERT_EQ(1u, view.editsDone.size());
    EXPECT_EQ(ACTION_CUT, view.editsDone[0].first);
    EXPECT_EQ("aline one\r\nl", view.editsDone[0].second);
}

TEST_F(UndoTest, ModifiedStateFollowsTheSavedPosition)
{
    Type("a", false);
    Type("b", false);
    EXPECT_TRUE(buffer.IsModified());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_FALSE(buffer.IsModified()) << "back at the loaded text";
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_TRUE(buffer.IsModified());
    ASSERT_TRUE(buffer.SaveToFile(fs, "C:\\src\\a.asm"));
    EXPECT_FALSE(buffer.IsModified());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_TRUE(buffer.IsModified());
    // The saved state lay in what a new edit forgets: no position of the history matches the
    // file any more, even one that numerically equals the old saved position.
    Type("z", false);
    EXPECT_EQ(1, buffer.GetHistory().Position());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_TRUE(buffer.IsModified());
}

TEST_F(UndoTest, LimitDiscardsTheOldestGroupsOnly)
{
    Command(false, "12", ACTION_PASTE);                  // a group of one record
    ASSERT_TRUE(buffer.SaveToFile(fs, "C:\\src\\a.asm"));
    buffer.OpenUndoGroup();
    for (int i = 0; i < 3; ++i) {                         // a group of three
        int nEndLine, nEndChar;
        ASSERT_TRUE(buffer.InsertText(nullptr, 1, 0, "#", nEndLine, nEndChar, ACTION_INDENT));
    }
    buffer.CloseUndoGroup(nullptr);
    view.ptCaret = {0, 0};
    TypeSeparately(CUndoHistory::DEFAULT_LIMIT - 4);
    EXPECT_EQ(CUndoHistory::DEFAULT_LIMIT, buffer.GetHistory().Count());
    TypeSeparately(1); // pushes out the paste
    EXPECT_EQ(CUndoHistory::DEFAULT_LIMIT, buffer.GetHistory().Count());
    TypeSeparately(1); // pushes out the three indents at once
    EXPECT_EQ(CUndoHistory::DEFAULT_LIMIT - 2, buffer.GetHistory().Count());
    // The saved state was discarded: no state reached by undoing is the saved one.
    while (buffer.CanUndo()) {
        ASSERT_TRUE(buffer.Undo(ptCursor));
        ASSERT_TRUE(buffer.IsModified()) << buffer.GetHistory().Position();
    }
    EXPECT_EQ("12line one", buffer.GetLine(0));
    EXPECT_EQ("###line two", buffer.GetLine(1));
}

TEST_F(UndoTest, LimitDroppingTheGroupBeforeTheSavedTextKeepsItReachable)
{
    buffer.OpenUndoGroup();
    for (int i = 0; i < 2; ++i) { // a group of two records, then the save
        int nEndLine, nEndChar;
        ASSERT_TRUE(buffer.InsertText(nullptr, 1, 0, "#", nEndLine, nEndChar, ACTION_INDENT));
    }
    buffer.CloseUndoGroup(nullptr);
    ASSERT_TRUE(buffer.SaveToFile(fs, "C:\\src\\a.asm"));
    view.ptCaret = {0, 0};
    TypeSeparately(CUndoHistory::DEFAULT_LIMIT - 2);
    TypeSeparately(1); // pushes out the two indents, which lay before the saved position only
    ASSERT_EQ(CUndoHistory::DEFAULT_LIMIT - 1, buffer.GetHistory().Count());
    while (buffer.CanUndo()) {
        EXPECT_TRUE(buffer.IsModified()) << buffer.GetHistory().Position();
        ASSERT_TRUE(buffer.Undo(ptCursor));
    }
    EXPECT_FALSE(buffer.IsModified()) << "undone back to the saved text";
    EXPECT_EQ((std::vector<std::string>{"line one", "##line two"}), Lines(buffer));
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_TRUE(buffer.IsModified());
}

TEST_F(UndoTest, AGroupLargerThanTheLimitIsUndoneWhole)
{
    buffer.OpenUndoGroup();
    for (int i = 0; i < 1500; ++i) {
        int nEndLine, nEndChar;
        ASSERT_TRUE(buffer.InsertText(nullptr, 0, 0, "\t", nEndLine, nEndChar, ACTION_INDENT));
    }
    buffer.CloseUndoGroup(&view);
    EXPECT_EQ("Indent", UndoCaption());
    ASSERT_TRUE(buffer.Undo(ptCursor));
    EXPECT_EQ("line one", buffer.GetLine(0));
    EXPECT_FALSE(buffer.CanUndo());
    ASSERT_TRUE(buffer.Redo(ptCursor));
    EXPECT_EQ(std::string(1500, '\t') + "line one", buffer.GetLine(0));
    Type("x", false); // the next group pushes the large one out whole
    EXPECT_EQ(1, buffer.GetHistory().Count());
}

TEST_F(UndoTest, DeletedLinesHoldingCrComeBackExactly)
{
    CTextBuffer crBuffer;
    LoadBytes(crBuffer, fs, "a\rb\nc\rd\ne\r", EOL_LF);
    const std::vector<std::string> original = Lines(crBuffer);
    ASSERT_EQ(3u, original.size());
    ASSERT_TRUE(crBuffer.DeleteText(nullptr, 0, 1, 2, 1, ACTION_DELETE));
    ASSERT_TRUE(crBuffer.DeleteText(nullptr, 0, 0, 0, 2, ACTION_DELETE));
    EXPECT_EQ((std::vector<std::string>{""}), Lines(crBuffer));
    ASSERT_TRUE(crBuffer.Undo(ptCursor));
    ASSERT_TRUE(crBuffer.Undo(ptCursor));
    EXPECT_EQ(original, Lines(crBuffer));
    ASSERT_TRUE(crBuffer.Redo(ptCursor));
    ASSERT_TRUE(crBuffer.Redo(ptCursor));
    ASSERT_TRUE(crBuffer.Undo(ptCursor));
    ASSERT_TRUE(crBuffer.Undo(ptCursor));
    EXPECT_EQ(original, Lines(crBuffer));
}

TEST(UndoCaptions, EveryActionCodeHasItsString)
{
    const int expected[] = {8619, 8620, 8621, 8622, 8624, 8625, 8626, 8627, 8628, 8623, 8629};
    for (int nAction = 0; nAction <= ACTION_AUTOINDENT; ++nAction)
        EXPECT_EQ(expected[nAction], ActionStringId(nAction));
    EXPECT_EQ(0, ActionStringId(11));
    EXPECT_EQ(0, ActionStringId(-1));
    CTextBuffer buffer;
    std::string text = "old";
    EXPECT_FALSE(buffer.DescribeAction(ACTION_PASTE, text)) << "no caption loader";
    CTableCaptions captions;
    buffer.SetCaptionLoader(&captions);
    ASSERT_TRUE(buffer.DescribeAction(ACTION_DELETE, text));
    EXPECT_EQ("Delete", text);
    EXPECT_FALSE(buffer.DescribeAction(11, text));
}

} // namespace
