// Typing, Enter with automatic indentation, overwrite mode, block indent, Delete and Backspace,
// undo grouping with the Edit menu's captions, and a read-only buffer.
#include "win/editor/editor_fixture.h"

#include "editor/clipboard_text.h"
#include "resource.h"

namespace edtest {
namespace {

class Typing : public EditorTest {
protected:
    std::string UndoCaption() { return MenuText(ID_EDIT_UNDO); }
};

using Lines_ = std::vector<std::string>;

TEST_F(Typing, ASpaceStartsANewUndoGroup)
{
    Open("");
    Type("mov ax");
    EXPECT_EQ(Lines_{"mov ax"}, Lines());
    EXPECT_EQ("&Undo Typing\tCtrl+Z", UndoCaption());
    ASSERT_TRUE(Key('Z', kCtrl));
    EXPECT_EQ(Lines_{"mov"}, Lines());
    EXPECT_EQ((TextPosition{3, 0}), Caret());
    ASSERT_TRUE(Key(VK_BACK, kAlt));
    EXPECT_EQ(Lines_{""}, Lines());
    EXPECT_EQ("&Undo\tCtrl+Z", UndoCaption());
    EXPECT_FALSE(Update(ID_EDIT_UNDO).m_bEnabled);
    EXPECT_EQ("&Redo Typing\tCtrl+Y", MenuText(ID_EDIT_REDO));
    ASSERT_TRUE(Key('Y', kCtrl));
    EXPECT_EQ(Lines_{"mov"}, Lines());
}

TEST_F(Typing, PasteThenTypingIsOneGroupNamedPaste)
{
    Open("x");
    Place({1, 0});
    ASSERT_TRUE(PutClipboardText(m_hHost, "push"));
    EXPECT_TRUE(Update(ID_EDIT_PASTE).m_bEnabled);
    ASSERT_TRUE(Key('V', kCtrl));
    Type("ax");
    EXPECT_EQ(Lines_{"xpushax"}, Lines());
    EXPECT_EQ("&Undo Paste\tCtrl+Z", UndoCaption());
    ASSERT_TRUE(Key('Z', kCtrl));
    EXPECT_EQ(Lines_{"x"}, Lines());
    EXPECT_FALSE(Buffer().CanUndo());
}

TEST_F(Typing, TypingOverASelectionIsUndoneWithTheCharactersAfterIt)
{
    Open("mov ax, bx");
    Select({4, 0}, {6, 0});
    Type("cx");
    EXPECT_EQ(Lines_{"mov cx, bx"}, Lines());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ(Lines_{"mov ax, bx"}, Lines());
}

TEST_F(Typing, EnterIndentsLikeTheLineAboveAndUndoTakesTheIndentationFirst)
{
    Open("\t\tmov ax, 1\r\nlabel:");
    Place({11, 0});
    Type("\r");
    EXPECT_EQ((Lines_{"\t\tmov ax, 1", "\t\t", "label:"}), Lines());
    EXPECT_EQ((TextPosition{2, 1}), Caret());
    EXPECT_EQ("&Undo Auto Indent\tCtrl+Z", UndoCaption());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ((Lines_{"\t\tmov ax, 1", "", "label:"}), Lines());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ((Lines_{"\t\tmov ax, 1", "label:"}), Lines());
    // After a line that starts with text, no indentation.
    Place({6, 1});
    Type("\r");
    EXPECT_EQ((Lines_{"\t\tmov ax, 1", "label:", ""}), Lines());
}

TEST_F(Typing, AnEmptyCommandDoesNotReplayTheEnterBeforeIt)
{
    Open("    indented\r\nplain");
    Place({5, 1});
    Type("\r");  // after "plain": a line break and no indentation, the last record
    EXPECT_EQ((Lines_{"    indented", "plain", ""}), Lines());
    // Pasting nothing with the caret below the indented line closes an empty group; the line break
    // recorded before it must not be taken for this command's and indented again.
    Place({0, 1});
    OpenClipboard(m_hHost);
    EmptyClipboard();
    CloseClipboard();
    ASSERT_TRUE(Command(ID_EDIT_PASTE));
    EXPECT_EQ((Lines_{"    indented", "plain", ""}), Lines());
}

TEST_F(Typing, OverwriteMode)
{
    Open("abc\r\ndef");
    ASSERT_TRUE(Key(VK_INSERT));
    Place({1, 0});
    Type("XYZ");
    EXPECT_EQ((Lines_{"aXYZ", "def"}), Lines());  // the line end is reached: appends
    Place({1, 0});
    Type("\r");  // not the last line: moves on, changes nothing
    EXPECT_EQ((TextPosition{0, 1}), Caret());
    EXPECT_EQ((Lines_{"aXYZ", "def"}), Lines());
    Place({3, 1});
    Type("\r");  // the last line: breaks it, without indentation
    EXPECT_EQ((Lines_{"aXYZ", "def", ""}), Lines());
    // Tab moves to the next tab stop without changing text.
    Place({1, 0});
    ASSERT_TRUE(Key(VK_TAB));
    EXPECT_EQ((TextPosition{4, 0}), Caret());
    EXPECT_EQ((Lines_{"aXYZ", "def", ""}), Lines());
}

TEST_F(Typing, BlockIndentAndUnindent)
{
    Open("l0\r\nmov ax\r\nmov bx\r\nmov cx\r\nmov dx\r\nend");
    Select({2, 1}, {0, 4});
    ASSERT_TRUE(Key(VK_TAB));
    EXPECT_EQ((Lines_{"l0", "\tmov ax", "\tmov bx", "\tmov cx", "mov dx", "end"}), Lines());
    EXPECT_EQ((TextPosition{0, 1}), Selection().start);
    EXPECT_EQ((TextPosition{0, 4}), Selection().end);
    EXPECT_EQ("&Undo Indent\tCtrl+Z", UndoCaption());
    ASSERT_TRUE(Key(VK_TAB, kShift));
    EXPECT_EQ((Lines_{"l0", "mov ax", "mov bx", "mov cx", "mov dx", "end"}), Lines());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ("\tmov ax", Lines()[1]);

    Open("      six\r\n  \ttab\r\n\r\nx");
    Select({0, 0}, {1, 3});
    ASSERT_TRUE(Key(VK_TAB, kShift));
    EXPECT_EQ((Lines_{"  six", "tab", "", "x"}), Lines());
    // Without a selection Shift+Tab only moves the caret back to the previous tab stop.
    Place({5, 0});
    ASSERT_TRUE(Key(VK_TAB, kShift));
    EXPECT_EQ((TextPosition{4, 0}), Caret());
    EXPECT_EQ("  six", Lines()[0]);
}

TEST_F(Typing, DeleteAndBackspaceAtTheEdges)
{
    Open("ab\r\ncd");
    Place({0, 1});
    ASSERT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Lines_{"abcd"}, Lines());
    EXPECT_EQ((TextPosition{2, 0}), Caret());
    EXPECT_EQ("&Undo Backspace\tCtrl+Z", UndoCaption());
    Place({0, 0});
    ASSERT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Lines_{"abcd"}, Lines());
    Place({4, 0});
    ASSERT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Lines_{"abcd"}, Lines());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    Place({2, 0});
    ASSERT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Lines_{"abcd"}, Lines());
    EXPECT_EQ("&Undo Delete\tCtrl+Z", UndoCaption());
    // Backspace with a selection deletes it as Delete does.
    Select({1, 0}, {3, 0});
    ASSERT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Lines_{"ad"}, Lines());
    EXPECT_EQ("&Undo Delete\tCtrl+Z", UndoCaption());
}

TEST_F(Typing, ReadOnlyRefusesChangesButCopies)
{
    Open("mov ax, bx");
    Buffer().SetReadOnly(true);
    EXPECT_TRUE(Update(ID_INDICATOR_READ).m_bEnabled);
    Select({4, 0}, {6, 0});
    Type("q\r");
    ASSERT_TRUE(Key(VK_DELETE));
    ASSERT_TRUE(Key(VK_TAB));
    ASSERT_TRUE(Key('X', kCtrl));
    ASSERT_TRUE(PutClipboardText(m_hHost, "zz"));
    ASSERT_TRUE(Key('V', kCtrl));
    EXPECT_EQ(Lines_{"mov ax, bx"}, Lines());
    EXPECT_FALSE(Buffer().CanUndo());
    ASSERT_TRUE(Key('C', kCtrl));
    std::string text;
    ASSERT_TRUE(GetClipboardText(m_hHost, text));
    EXPECT_EQ("ax", text);
    Buffer().SetReadOnly(false);
    EXPECT_FALSE(Update(ID_INDICATOR_READ).m_bEnabled);
}

TEST_F(Typing, ClipboardRoundTrip)
{
    Open("ab\r\ncd");
    Select({1, 0}, {1, 1});
    EXPECT_TRUE(Update(ID_EDIT_COPY).m_bEnabled);
    ASSERT_TRUE(Key(VK_INSERT, kCtrl));
    std::string text;
    ASSERT_TRUE(GetClipboardText(m_hHost, text));
    EXPECT_EQ("b\r\nc", text);
    ASSERT_TRUE(Key(VK_DELETE, kShift));  // Cut
    EXPECT_EQ(Lines_{"ad"}, Lines());
    EXPECT_EQ("&Undo Cut\tCtrl+Z", UndoCaption());
    ASSERT_TRUE(Key(VK_INSERT, kShift));  // Paste
    EXPECT_EQ((Lines_{"ab", "cd"}), Lines());
    EXPECT_EQ((TextPosition{1, 1}), Caret());
    // A lone LF stays inside the line; CR LF and a lone CR break it.
    ASSERT_TRUE(PutClipboardText(m_hHost, "x\ny\rz"));
    ASSERT_TRUE(Key('V', kCtrl));
    EXPECT_EQ((Lines_{"ab", "cx\ny", "zd"}), Lines());
    EXPECT_FALSE(Update(ID_EDIT_CUT).m_bEnabled);
}

TEST_F(Typing, InsertAtCaretOfTheDocument)
{
    Open("start:\r\nend");
    Place({0, 1});
    SetFocus(m_hHost);
    m_pDoc->InsertAtCaret("push ax\r\n");
    EXPECT_EQ((Lines_{"start:", "push ax", "end"}), Lines());
    EXPECT_EQ((TextPosition{0, 1}), Caret());  // a caret at the insertion point stays before it
    EXPECT_EQ(m_pView->m_hWnd, GetFocus());
    EXPECT_EQ("&Undo Unknown\tCtrl+Z", UndoCaption());
}

}  // namespace
}  // namespace edtest
