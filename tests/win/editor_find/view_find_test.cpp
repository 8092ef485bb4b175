// Find and Replace in the assembly view through its keys: the selection stays drawn while a dialog
// has the focus, F3 and Shift+F3 repeat the search round the text, and each replacement is two
// steps of the Edit menu's Undo.
#include "win/editor/editor_fixture.h"

#include "asm/halyard_view.h"
#include "core/asm/colour_index.h"
#include "resource.h"
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"

namespace edtest {
namespace {

using findtest::SetText;
using findtest::WithDialog;

class ViewFind : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        g_boxes.clear();
        FxSetMessageBoxHook(RecordBox);
    }
    void TearDown() override
    {
        FxSetMessageBoxHook(nullptr);
        EditorTest::TearDown();
    }
    void ExpectSelection(TextPosition start, TextPosition end)
    {
        EXPECT_EQ(start, Selection().start);
        EXPECT_EQ(end, Selection().end);
    }
    // Ctrl+H, then Replace All of `what` by `with` and Cancel; false when no dialog came.
    bool ReplaceAllThroughCtrlH(const char* what, const char* with)
    {
        return WithDialog([&] { ASSERT_TRUE(Key('H', kCtrl)); },
                          [&](HWND dlg) {
                              SetText(dlg, IDC_FIND_WHAT, what);
                              SetText(dlg, IDC_REPLACE_WITH, with);
                              findtest::Click(dlg, IDC_REPLACE_ALL);
                              findtest::Click(dlg, IDCANCEL);
                          });
    }
    // Pixels of the cells that carry the selection's background.
    int SelectedPixels(int column, int line, int columns)
    {
        RECT rc;
        GetClientRect(m_pView->m_hWnd, &rc);
        CPicture picture(rc.right, rc.bottom);
        Paint(picture);
        return picture.Count(CellRect(column, line, columns), m_pView->ColourOf(ColourSelectionBack));
    }
};

TEST_F(ViewFind, SelectionStaysDrawnWhileTheFindDialogIsOpen)
{
    Open("mov ax, bx\r\nmov cx, ax");
    Select({4, 0}, {6, 0});
    int shownWhileOpen = 0;
    ASSERT_TRUE(WithDialog([&] { ASSERT_TRUE(Key('F', kCtrl)); },
                           [&](HWND dlg) {
                               EXPECT_NE(GetFocus(), m_pView->m_hWnd);
                               shownWhileOpen = SelectedPixels(4, 0, 2);
                               EXPECT_EQ("ax", findtest::GetText(dlg, IDC_FIND_WHAT));
                               findtest::Click(dlg, IDOK);
                           }));
    EXPECT_GT(shownWhileOpen, 0);
    // Found from the caret on: the next line's "ax", the caret at its end.
    ExpectSelection({8, 1}, {10, 1});
    EXPECT_EQ((TextPosition{10, 1}), Caret());
    // Without the focus and without a dialog the selection is not drawn.
    SetFocus(m_hHost);
    EXPECT_EQ(0, SelectedPixels(8, 1, 2));

    SetFocus(m_pView->m_hWnd);
    ASSERT_TRUE(Key(VK_F3));
    EXPECT_EQ((TextPosition{4, 0}), Selection().start);  // round from the end to the top
    ASSERT_TRUE(Key(VK_F3, kShift));
    EXPECT_EQ((TextPosition{8, 1}), Selection().start);  // upwards, round to the last line
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(ViewFind, ReplaceAllInTheSelectionUndoesInTwoStepsPerReplacement)
{
    const std::string text = "mov ax, ax\r\nadd ax, 1\r\nsub ax, 1";
    Open(text);
    Select({3, 0}, {6, 1});
    ASSERT_TRUE(ReplaceAllThroughCtrlH("ax", "eax"));
    EXPECT_EQ((std::vector<std::string>{"mov eax, eax", "add eax, 1", "sub ax, 1"}), Lines());
    EXPECT_EQ(std::vector<std::string>{"Cannot find string\"ax\""}, g_boxes);
    ExpectSelection({3, 0}, {7, 1});
    std::vector<std::string> captions;
    for (int i = 0; i < 6; ++i) {
        captions.push_back(MenuText(ID_EDIT_UNDO));
        ASSERT_TRUE(Key('Z', kCtrl));
    }
    EXPECT_EQ(captions[0], "&Undo Replace\tCtrl+Z");
    EXPECT_EQ(captions[1], "&Undo Delete Selection\tCtrl+Z");
    EXPECT_EQ(captions[4], "&Undo Replace\tCtrl+Z");
    EXPECT_EQ(captions[5], "&Undo Delete Selection\tCtrl+Z");
    EXPECT_EQ(text, Lines()[0] + "\r\n" + Lines()[1] + "\r\n" + Lines()[2]);
}

// Replace All takes the document's views off the buffer while it runs; they come back following
// the edits: the caret of another view moved along its line, this one on the last replacement,
// scrolled to it, and the overwrite mode kept.
TEST_F(ViewFind, ReplaceAllLeavesEveryViewWhereItsTextWent)
{
    std::string text;
    for (int i = 0; i < 300; ++i) text += "mov ax, 1\r\n";
    Open(text);
    auto* other = new CHalyardView;
    other->SetDocument(m_pDoc);
    ASSERT_TRUE(other->Create(m_hHost, AFX_IDW_PANE_FIRST + 1));
    other->OnInitialUpdate();
    other->MoveCaretTo({9, 2});
    SetFocus(m_pView->m_hWnd);
    ASSERT_TRUE(Key(VK_INSERT));
    ASSERT_TRUE(m_pView->GetOverwriteMode());
    ASSERT_TRUE(ReplaceAllThroughCtrlH("ax", "eax"));
    EXPECT_EQ("mov eax, 1", Lines()[299]);
    EXPECT_EQ(std::vector<std::string>{"Cannot find string\"ax\""}, g_boxes);
    ExpectSelection({4, 299}, {7, 299});
    EXPECT_EQ((TextPosition{7, 299}), Caret());
    EXPECT_GT(m_pView->GetTopLine(), 0);
    EXPECT_LE(m_pView->GetTopLine(), 299);
    EXPECT_GT(m_pView->GetTopLine() + m_pView->GetScreenLines(), 299);
    EXPECT_TRUE(m_pView->GetOverwriteMode());
    EXPECT_EQ(&Buffer(), other->GetBuffer());
    EXPECT_EQ((TextPosition{10, 2}), other->GetCursorPos());
    // Both views follow the buffer again: undoing the last replacement reaches them.
    ASSERT_TRUE(Key('Z', kCtrl));
    EXPECT_EQ("mov , 1", Lines()[299]);
    ASSERT_TRUE(Key('Z', kCtrl));
    EXPECT_EQ("mov ax, 1", Lines()[299]);
    EXPECT_EQ((TextPosition{6, 299}), Caret());
    EXPECT_EQ((TextPosition{10, 2}), other->GetCursorPos());
    DestroyWindow(other->m_hWnd);
}

TEST_F(ViewFind, ReplaceDoesNothingInAReadOnlyDocument)
{
    Open("mov ax, ax");
    Buffer().SetReadOnly(true);
    EXPECT_TRUE(Update(ID_EDIT_REPLACE).m_bEnabled);
    EXPECT_FALSE(WithDialog([&] { Key('H', kCtrl); }, [](HWND dlg) { findtest::Click(dlg, IDCANCEL); }));
    // Searching still works there.
    ASSERT_TRUE(WithDialog([&] { Key('F', kCtrl); },
                           [](HWND dlg) {
                               SetText(dlg, IDC_FIND_WHAT, "AX");
                               findtest::Click(dlg, IDOK);
                           }));
    ExpectSelection({4, 0}, {6, 0});
}

}  // namespace
}  // namespace edtest
