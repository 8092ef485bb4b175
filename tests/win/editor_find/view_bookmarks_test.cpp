// Bookmarks in the assembly view through its keys: numbered ones set, moved and reached, unnamed
// ones stepped through round the text, the enabling per view, the margin icons, and nothing of
// them in the saved file.
#include "win/editor/editor_fixture.h"

#include "asm/halyard_view.h"
#include "buffer/win32_file_system.h"
#include "core/asm/colour_index.h"
#include "core/buffer/line_record.h"
#include "core/editor/view_geometry.h"
#include "resource.h"

namespace edtest {
namespace {

const char kText[] = "l0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5";

class Bookmarks : public EditorTest {
protected:
    std::vector<int> LinesWith(uint32_t flag)
    {
        std::vector<int> lines;
        for (int i = 0; i < Buffer().GetLineCount(); ++i)
            if (Buffer().GetLineFlags(i) & flag) lines.push_back(i);
        return lines;
    }
    bool Enabled(UINT id) { return Update(id).m_bEnabled; }
    // Pixels of the icon column of a shown line that are not the column's own colour.
    int IconPixels(int line)
    {
        RECT rc;
        GetClientRect(m_pView->m_hWnd, &rc);
        CPicture picture(rc.right, rc.bottom);
        Paint(picture);
        const int h = m_pView->GetLineHeight();
        const int left = m_pView->GetMarginWidth() - kMarginIconColumn;
        const RECT icon{left, line * h, m_pView->GetMarginWidth(), line * h + h};
        const int area = (icon.right - icon.left) * (icon.bottom - icon.top);
        return area - picture.Count(icon, m_pView->ColourOf(ColourMarginIcons));
    }
};

TEST_F(Bookmarks, NumberedBookmarkMovesBetweenLinesAndIsReachedByAlt)
{
    Open(kText);
    Place({1, 1});
    ASSERT_TRUE(Key('3', kCtrl));
    EXPECT_EQ(std::vector<int>{1}, LinesWith(LINE_NUMMARK(3)));
    EXPECT_EQ((TextPosition{1, 1}), Caret());  // toggling does not move the caret
    Place({2, 4});
    ASSERT_TRUE(Key('3', kCtrl));
    EXPECT_EQ(std::vector<int>{4}, LinesWith(LINE_NUMMARK(3)));
    Place({1, 0});
    ASSERT_TRUE(Key('3', kAlt));
    EXPECT_EQ((TextPosition{0, 4}), Caret());
    EXPECT_TRUE(Selection().IsEmpty());
    ASSERT_TRUE(Key('3', kCtrl));
    EXPECT_TRUE(LinesWith(LINE_NUMMARK(3)).empty());
    // With no bookmark 3 Alt+3 leaves the caret alone.
    Place({1, 2});
    ASSERT_TRUE(Key('3', kAlt));
    EXPECT_EQ((TextPosition{1, 2}), Caret());
    // Clear All takes every numbered bookmark and leaves the unnamed ones.
    ASSERT_TRUE(Key('1', kCtrl));
    ASSERT_TRUE(Key(VK_F2, kCtrl));
    EXPECT_TRUE(Command(ID_EDIT_CLEAR_BOOKMARKS));
    EXPECT_EQ(LINE_MARK, Buffer().GetLineFlags(2));
}

TEST_F(Bookmarks, NextAndPreviousGoRoundTheText)
{
    Open(kText);
    for (int line : {1, 3}) {
        Place({1, line});
        ASSERT_TRUE(Key(VK_F2, kCtrl));
    }
    Place({1, 5});
    std::vector<int> visited;
    for (unsigned mods : {kNone, kNone, kNone, kShift, kShift}) {
        ASSERT_TRUE(Key(VK_F2, mods));
        visited.push_back(Caret().y);
        EXPECT_EQ(0, Caret().x);
    }
    EXPECT_EQ((std::vector<int>{1, 3, 1, 3, 1}), visited);
    // With one bookmark, on the caret's line, Next stays on that line at its start.
    Place({1, 1});
    ASSERT_TRUE(Key(VK_F2, kCtrl));
    Place({2, 3});
    ASSERT_TRUE(Key(VK_F2));
    EXPECT_EQ((TextPosition{0, 3}), Caret());
}

TEST_F(Bookmarks, NextPreviousAndClearAllFollowTheFlagOfTheirOwnView)
{
    Open(kText);
    const UINT kFlagged[] = {ID_EDIT_GOTO_NEXT_BOOKMARK, ID_EDIT_GOTO_PREV_BOOKMARK, ID_EDIT_CLEAR_ALL_BOOKMARKS};
    for (UINT id : kFlagged) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_EDIT_TOGGLE_BOOKMARK));
    EXPECT_TRUE(Enabled(ID_EDIT_TOGGLE_BOOKMARK0 + 3));
    EXPECT_TRUE(Enabled(ID_EDIT_GO_BOOKMARK0 + 3));
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR_BOOKMARKS));
    Place({0, 2});
    ASSERT_TRUE(Key(VK_F2, kCtrl));
    for (UINT id : kFlagged) EXPECT_TRUE(Enabled(id)) << id;

    // A second view of the document sees the bookmark but has set none itself.
    auto* second = new CHalyardView;
    second->SetDocument(m_pDoc);
    ASSERT_TRUE(second->Create(m_hHost, AFX_IDW_PANE_FIRST + 1));
    second->OnInitialUpdate();
    FxCmdUI ui(ID_EDIT_GOTO_NEXT_BOOKMARK);
    ASSERT_TRUE(second->OnUpdateCmd(ui));
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_EQ(LINE_MARK, second->GetLineFlags(2));

    // Deleting the bookmarked line leaves Next enabled, with nowhere to go.
    ASSERT_TRUE(Buffer().DeleteText(nullptr, 1, 2, 2, 2, 0));
    EXPECT_TRUE(LinesWith(LINE_MARK).empty());
    EXPECT_TRUE(Enabled(ID_EDIT_GOTO_NEXT_BOOKMARK));
    Place({1, 3});
    ASSERT_TRUE(Key(VK_F2));
    EXPECT_EQ((TextPosition{1, 3}), Caret());
    ASSERT_TRUE(Key(VK_F2, kCtrl | kShift));
    for (UINT id : kFlagged) EXPECT_FALSE(Enabled(id)) << id;
    DestroyWindow(second->m_hWnd);
}

TEST_F(Bookmarks, MarginShowsAnIconOnEachBookmarkedLine)
{
    Open(kText);
    Place({0, 1});
    ASSERT_TRUE(Key('5', kCtrl));
    Place({0, 3});
    ASSERT_TRUE(Key(VK_F2, kCtrl));
    EXPECT_GT(IconPixels(1), 0);
    EXPECT_EQ(0, IconPixels(2));
    EXPECT_GT(IconPixels(3), 0);
    ASSERT_TRUE(Key(VK_F2, kCtrl | kShift));
    ASSERT_TRUE(Command(ID_EDIT_CLEAR_BOOKMARKS));
    EXPECT_EQ(0, IconPixels(1));
    EXPECT_EQ(0, IconPixels(3));
}

TEST_F(Bookmarks, AreNotWrittenToTheFile)
{
    Open(kText);
    Place({0, 1});
    ASSERT_TRUE(Key('2', kCtrl));
    ASSERT_TRUE(Key(VK_F2, kCtrl));
    const std::string path = m_dir.File("a.asm");
    ASSERT_TRUE(m_pDoc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(kText, wintest::ReadFileBytes(path));
    CTextBuffer reopened;
    CWin32FileSystem fs;
    ASSERT_TRUE(reopened.LoadFromFile(fs, path.c_str()).Succeeded());
    for (int line = 0; line < reopened.GetLineCount(); ++line) EXPECT_EQ(0u, reopened.GetLineFlags(line)) << line;
}

}  // namespace
}  // namespace edtest
