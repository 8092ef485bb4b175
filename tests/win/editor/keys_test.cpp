// Caret movement through the view's accelerator table: the edge cases of each command.
#include "win/editor/editor_fixture.h"

#include "resource.h"

namespace edtest {
namespace {

class Keys : public EditorTest {};

struct KeyCase {
    const char* name;
    std::string text;
    TextPosition from;
    std::vector<std::pair<UINT, unsigned>> keys;
    std::vector<TextPosition> after;  // the caret after each key
};

TEST_F(Keys, MovementEdgeCases)
{
    const KeyCase cases[] = {
        {"HomeToggles", "    mov ax,1", {8, 0}, {{VK_HOME, kNone}, {VK_HOME, kNone}, {VK_HOME, kNone}},
         {{4, 0}, {0, 0}, {4, 0}}},
        {"HomeOnBlankLine", "   \r\nx", {2, 0}, {{VK_HOME, kNone}, {VK_HOME, kNone}}, {{0, 0}, {0, 0}}},
        {"CtrlLeftRight", "mov ax,bx", {7, 0}, {{VK_LEFT, kCtrl}, {VK_LEFT, kCtrl}, {VK_RIGHT, kCtrl}},
         {{6, 0}, {4, 0}, {6, 0}}},
        {"CtrlLeftAcrossLine", "mov ax\r\n  bx", {2, 1}, {{VK_LEFT, kCtrl}, {VK_LEFT, kCtrl}},
         {{0, 1}, {4, 0}}},
        {"CtrlRightOverEmptyLine", "ab\r\n\r\ncd", {2, 0}, {{VK_RIGHT, kCtrl}}, {{0, 2}}},
        {"CtrlRightFromLineEnd", "ab\r\nmov ax", {2, 0}, {{VK_RIGHT, kCtrl}}, {{4, 1}}},
        {"EndsOfText", "ab\r\ncd", {0, 0}, {{VK_LEFT, kNone}, {VK_END, kCtrl}, {VK_RIGHT, kNone}, {VK_RIGHT, kCtrl}},
         {{0, 0}, {2, 1}, {2, 1}, {2, 1}}},
        {"RightWrapsLeftWraps", "ab\r\ncd", {2, 0}, {{VK_RIGHT, kNone}, {VK_LEFT, kNone}}, {{0, 1}, {2, 0}}},
        // The ideal column survives an empty line and a short one.
        {"IdealColumnThroughShortLines", "0123456789ABCDEFGHIJ\r\n\r\nabc\r\n0123456789ABCDEFGHIJ", {10, 0},
         {{VK_DOWN, kNone}, {VK_DOWN, kNone}, {VK_DOWN, kNone}, {VK_UP, kNone}},
         {{0, 1}, {3, 2}, {10, 3}, {3, 2}}},
        // A leading tab spans columns 0-3: ideal column 3 lands after it, 2 before it.
        {"IdealColumnThreeAfterTab", "abcdef\r\n\tx", {3, 0}, {{VK_DOWN, kNone}}, {{1, 1}}},
        {"IdealColumnTwoBeforeTab", "abcdef\r\n\tx", {2, 0}, {{VK_DOWN, kNone}}, {{0, 1}}},
        {"UpOnFirstLineStays", "abc\r\nd", {2, 0}, {{VK_UP, kNone}}, {{2, 0}}},
        {"LineEndAndTextBegin", "abc\r\ndef", {1, 1}, {{VK_END, kNone}, {VK_HOME, kCtrl}}, {{3, 1}, {0, 0}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.text);
        Place(c.from);
        for (size_t i = 0; i < c.keys.size(); ++i) {
            ASSERT_TRUE(Key(c.keys[i].first, c.keys[i].second));
            EXPECT_EQ(c.after[i], Caret()) << "key " << i;
        }
    }
}

TEST_F(Keys, ArrowsCollapseASelectionAndShiftExtendsIt)
{
    Open("mov ax, bx\r\nint 21h");
    Select({2, 0}, {6, 0});
    ASSERT_TRUE(Key(VK_LEFT));
    EXPECT_EQ((TextPosition{2, 0}), Caret());
    EXPECT_FALSE(m_pView->IsSelection());
    Select({2, 0}, {6, 0});
    ASSERT_TRUE(Key(VK_RIGHT));
    EXPECT_EQ((TextPosition{6, 0}), Caret());
    EXPECT_FALSE(m_pView->IsSelection());
    ASSERT_TRUE(Key(VK_LEFT, kShift));
    ASSERT_TRUE(Key(VK_DOWN, kShift));
    EXPECT_EQ((TextPosition{6, 0}), Selection().start);
    EXPECT_EQ((TextPosition{5, 1}), Selection().end);
    ASSERT_TRUE(Key(VK_END, kCtrl | kShift));
    EXPECT_EQ((TextPosition{7, 1}), Selection().end);
    ASSERT_TRUE(Key('A', kCtrl));
    EXPECT_EQ((TextPosition{0, 0}), Selection().start);
    EXPECT_EQ((TextPosition{7, 1}), Selection().end);
}

TEST_F(Keys, PagesAndScrollingKeepTheCaretInView)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    Open(text);
    const int screen = m_pView->GetScreenLines();
    ASSERT_GT(screen, 3);
    ASSERT_TRUE(Key(VK_NEXT));
    EXPECT_EQ(screen - 1, Caret().y);
    EXPECT_EQ(screen - 1, m_pView->GetTopLine());
    ASSERT_TRUE(Key(VK_PRIOR));
    EXPECT_EQ(0, Caret().y);
    EXPECT_EQ(0, m_pView->GetTopLine());
    // Ctrl+Down scrolls without moving the caret.
    ASSERT_TRUE(Key(VK_DOWN, kCtrl));
    EXPECT_EQ(1, m_pView->GetTopLine());
    EXPECT_EQ(0, Caret().y);
    ASSERT_TRUE(Key(VK_END, kCtrl));
    EXPECT_EQ(200, Caret().y);
    EXPECT_EQ(200 - screen + 1, m_pView->GetTopLine());
}

TEST_F(Keys, StatusPanesShowTheCaretAndTheLineEnds)
{
    Open("\tmov ax, 1\r\nint 21h\r\n");
    Place({5, 0});
    EXPECT_EQ("Ln 1, Col 6", Update(ID_EDIT_INDICATOR_POSITION).m_strText);  // the tab counts as one
    FxCmdUI crlf = Update(ID_EDIT_INDICATOR_CRLF);
    EXPECT_TRUE(crlf.m_bEnabled);
    EXPECT_EQ("DOS", crlf.m_strText);
    Open("a\nb\n");
    EXPECT_EQ("MAC", Update(ID_EDIT_INDICATOR_CRLF).m_strText);  // the line-end style names of the buffer
    EXPECT_FALSE(Update(ID_INDICATOR_BLANK).m_bEnabled);
    EXPECT_FALSE(Update(ID_INDICATOR_OVR).m_bEnabled);
    ASSERT_TRUE(Key(VK_INSERT));
    EXPECT_TRUE(Update(ID_INDICATOR_OVR).m_bEnabled);
    EXPECT_EQ(1, Update(ID_EDIT_SWITCH_OVRMODE).m_nCheck);
    // No handler anywhere: the two editing options show disabled.
    EXPECT_FALSE(Update(ID_EDIT_DISABLEBSATSOL).m_bEnabled);
    EXPECT_FALSE(Update(ID_EDIT_DISABLEDRAGDROP).m_bEnabled);
}

}  // namespace
}  // namespace edtest
