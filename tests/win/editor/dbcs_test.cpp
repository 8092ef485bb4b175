// Double-byte characters stay whole: the caret never rests between their two bytes, and typing,
// Backspace and Delete take them as one character.
#include "win/editor/editor_fixture.h"

#include "resource.h"

namespace edtest {
namespace {

class DoubleByte : public EditorTest {};

using Lines_ = std::vector<std::string>;

const std::string kZhong = "中";  // two bytes of code page 936
const std::string kLine = "中文x";

bool OnBoundary(TextPosition pt) { return pt.y == 0 && (pt.x == 0 || pt.x == 2 || pt.x == 4 || pt.x == 5); }

TEST_F(DoubleByte, TheCaretNeverLandsInsideACharacter)
{
    ASSERT_EQ(2u, kZhong.size());
    Open(kLine + "\r\nabcde");
    for (TextPosition expected : {TextPosition{2, 0}, TextPosition{4, 0}, TextPosition{5, 0}}) {
        ASSERT_TRUE(Key(VK_RIGHT));
        EXPECT_EQ(expected, Caret());
    }
    for (TextPosition expected : {TextPosition{4, 0}, TextPosition{2, 0}, TextPosition{0, 0}}) {
        ASSERT_TRUE(Key(VK_LEFT));
        EXPECT_EQ(expected, Caret());
    }
    // Clicks on every cell, and vertical moves from every column of the line below.
    for (int column = 0; column <= 5; ++column) {
        Click(CellPoint(column, 0));
        EXPECT_TRUE(OnBoundary(Caret())) << "click at column " << column;
        Place({column, 1});
        ASSERT_TRUE(Key(VK_UP));
        EXPECT_TRUE(OnBoundary(Caret())) << "up from column " << column;
    }
    // A position set inside a character goes to its start.
    m_pView->SetCursorPos({3, 0});
    EXPECT_EQ((TextPosition{2, 0}), Caret());
    // Selections and word moves take whole characters.
    Place({0, 0});
    ASSERT_TRUE(Key(VK_RIGHT, kShift));
    EXPECT_EQ((TextPosition{2, 0}), Selection().end);
    Place({0, 0});
    ASSERT_TRUE(Key(VK_RIGHT, kCtrl));
    EXPECT_EQ((TextPosition{5, 0}), Caret());
}

TEST_F(DoubleByte, BackspaceAndDeleteRemoveBothBytes)
{
    Open(kLine);
    Place({2, 0});
    ASSERT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Lines_{"文x"}, Lines());
    EXPECT_EQ((TextPosition{0, 0}), Caret());
    ASSERT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Lines_{"x"}, Lines());
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ(Lines_{kLine}, Lines());
}

TEST_F(DoubleByte, ATypedCharacterIsOneTextInOneUndoStep)
{
    Open("mov ax, bx ;");
    Place({12, 0});
    Type(" ");
    Type("中文");  // four WM_CHAR messages, lead byte first
    EXPECT_EQ(Lines_{"mov ax, bx ; 中文"}, Lines());
    EXPECT_EQ(Buffer().GetLineLength(0), Caret().x);
    // Each character was one insertion of two bytes.
    const CUndoHistory& history = Buffer().GetHistory();
    ASSERT_EQ(3, history.Count());
    EXPECT_EQ(kZhong, history.At(1).text);
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ(Lines_{"mov ax, bx ;"}, Lines());
    // An input method's character comes in one message.
    SendMessageA(m_pView->m_hWnd, WM_IME_CHAR, (static_cast<unsigned char>(kZhong[0]) << 8) |
                                                    static_cast<unsigned char>(kZhong[1]), 1);
    EXPECT_EQ(Lines_{"mov ax, bx ;" + kZhong}, Lines());
    // A lead byte followed by a byte that cannot end a character is typed alone.
    Type(std::string("\x81") + " ");
    EXPECT_EQ(Lines_{"mov ax, bx ;" + kZhong + "\x81" + " "}, Lines());
}

TEST_F(DoubleByte, OverwriteReplacesTheWholeCharacter)
{
    Open(kLine);
    ASSERT_TRUE(Key(VK_INSERT));
    Place({0, 0});
    Type("ab");
    EXPECT_EQ(Lines_{"abx"}, Lines());
}

}  // namespace
}  // namespace edtest
