// Finding one's way in a source in the real main window: F12 and the context menu to a
// definition, Ctrl+G to a line, the WorkSpace outline and its double-click, and the status bar's
// line about the keyword at the caret.
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"
#include "core/reference/word_summary.h"
#include "editor/text_view.h"
#include "frame/tree_items.h"
#include "fx/fx_mdichild.h"

using SourceNavigation = AppFixture;

namespace {

const char kSource[] =
    ".MODEL SMALL\r\n"             // 0
    ".DATA\r\n"                    // 1
    "msg DB 'fake: x$'\r\n"        // 2
    ".CODE\r\n"                    // 3
    "start:  mov ax, @data\r\n"    // 4
    "        call Print\r\n"       // 5
    "        jmp start\r\n"        // 6
    "Print PROC ; ghost: here\r\n" // 7
    "again:  loop again\r\n"       // 8
    "        ret\r\n"              // 9
    "Print ENDP\r\n"               // 10
    "        END start\r\n";       // 11

CTextView* ActiveView(CMainFrame* frame) { return dynamic_cast<CTextView*>(frame->GetActiveView()); }

// The key as the message loop hands it over: through the frame's accelerators.
bool PressKey(CMainFrame* frame, HWND target, WPARAM key)
{
    MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
    const bool used = frame->PreTranslateMessage(msg);
    SendMessageA(target, WM_KEYUP, key, 0xC0000001);
    wintest::Pump();
    return used;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent)); item;
         item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item)))
        texts.push_back(TreeItemText(tree, item));
    return texts;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::string& text)
{
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent)); item;
         item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item)))
        if (TreeItemText(tree, item) == text) return item;
    return nullptr;
}

}  // namespace

TEST_F(SourceNavigation, F12GoesToTheDefinitionAndTheStatusBarSaysWhenThereIsNone)
{
    CHalyardDoc* doc = Open(dir.Write("nav.asm", kSource));
    ASSERT_NE(nullptr, doc);
    CTextView* view = ActiveView(frame);
    ASSERT_NE(nullptr, view);
    const struct {
        TextPosition caret;
        TextPosition selStart, selEnd;  // the definition selected; equal to the caret: not moved
        std::string status;             // the status bar afterwards, when not empty
    } rows[] = {
        {{15, 5}, {0, 7}, {5, 7}, ""},                                            // call Print
        {{17, 6}, {0, 4}, {5, 4}, ""},                                            // jmp start
        {{16, 8}, {0, 8}, {5, 8}, ""},                                            // loop again
        {{13, 4}, {13, 4}, {13, 4}, FxFormatString(IDS_NO_DEFINITION, "ax")},     // a register
        {{19, 7}, {19, 7}, {19, 7}, FxLoadString(IDS_NO_NAME_AT_CARET)},          // a blank, in a comment
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.caret.y << "," << row.caret.x);
        view->MoveCaretTo(row.caret);
        SendMessageA(view->m_hWnd, WM_KEYUP, VK_RIGHT, 0xC0000001);  // as after a caret key
        frame->SetMessageText("");
        EXPECT_TRUE(PressKey(frame, view->m_hWnd, VK_F12));
        TextPosition start, end;
        view->GetSelection(start, end);
        EXPECT_EQ(row.selStart, start);
        EXPECT_EQ(row.selEnd, end);
        if (!row.status.empty()) EXPECT_EQ(row.status, frame->m_statusBar.GetShownText(0));
    }

    // The editor's context menu offers both go-to commands.
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HALYARDTYPE));
    HMENU edit = GetSubMenu(menu, 1);
    EXPECT_NE(-1, (int)GetMenuState(edit, ID_EDIT_GOTO_DEFINITION, MF_BYCOMMAND));
    EXPECT_NE(-1, (int)GetMenuState(edit, ID_EDIT_GOTO_LINE, MF_BYCOMMAND));
    DestroyMenu(menu);
}

TEST_F(SourceNavigation, CtrlGAsksForALineAndRefusesNumbersOutsideTheFile)
{
    ASSERT_NE(nullptr, Open(dir.Write("lines.asm", kSource)));
    CTextView* view = ActiveView(frame);
    ASSERT_NE(nullptr, view);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    std::vector<std::string> refusals;
    const bool ran = findtest::WithDialog([&] { (void)PressKey(frame, view->m_hWnd, 'G'); },
                                          [&](HWND dialog) {
                                              for (const char* wrong : {"0", "14", "", "x"}) {
                                                  SetDlgItemTextA(dialog, IDC_GOTO_LINE_NUMBER, wrong);
                                                  findtest::Click(dialog, IDOK);
                                                  char label[128] = {};
                                                  GetDlgItemTextA(dialog, IDC_GOTO_LINE_RANGE, label, sizeof label);
                                                  refusals.push_back(IsWindow(dialog) ? label : "closed");
                                              }
                                              SetDlgItemTextA(dialog, IDC_GOTO_LINE_NUMBER, " 9 ");
                                              findtest::Click(dialog, IDOK);
                                          });
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_TRUE(ran);
    const std::string refused = FxFormatString(IDS_GOTO_LINE_INVALID, "13");
    EXPECT_EQ(std::vector<std::string>(4, refused), refusals);
    EXPECT_EQ((TextPosition{0, 8}), view->GetCursorPos());
}

TEST_F(SourceNavigation, TheOutlineListsProceduresAndLabelsFollowsEditsAndLeadsThere)
{
    CHalyardDoc* doc = Open(dir.Write("outline.asm", kSource));
    ASSERT_NE(nullptr, doc);
    HWND tree = frame->m_workspaceTree.m_hWnd;
    const HTREEITEM file = doc->GetTreeItem();
    ASSERT_NE(nullptr, file);
    ASSERT_TRUE(wintest::PumpUntil([&] { return !ChildTexts(tree, file).empty(); }, 1500));
    EXPECT_EQ((std::vector<std::string>{"start:", "Print PROC"}), ChildTexts(tree, file));
    HTREEITEM print = ChildNamed(tree, file, "Print PROC");
    EXPECT_EQ((std::vector<std::string>{"again:"}), ChildTexts(tree, print));

    // Without a change the items stay as they are (selection and scrolling with them); an edit
    // shows within a second.
    const HTREEITEM startItem = ChildNamed(tree, file, "start:");
    const DWORD until = GetTickCount() + 700;
    wintest::PumpUntil([&] { return GetTickCount() > until; }, 1000);
    EXPECT_EQ(startItem, ChildNamed(tree, file, "start:"));
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 3, 0, "extra: nop\r\n", endLine, endChar, 0));
    EXPECT_TRUE(wintest::PumpUntil([&] { return ChildTexts(tree, file).size() == 3; }, 1000));
    EXPECT_EQ((std::vector<std::string>{"extra:", "start:", "Print PROC"}), ChildTexts(tree, file));

    // A double-click on a label selects its definition in its file's window.
    HTREEITEM again = ChildNamed(tree, ChildNamed(tree, file, "Print PROC"), "again:");
    ASSERT_NE(nullptr, again);
    ActiveView(frame)->MoveCaretTo({0, 0});
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)again);
    NMHDR hdr{tree, IDC_WORKSPACE_TREE, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(GetParent(tree), WM_NOTIFY, IDC_WORKSPACE_TREE, (LPARAM)&hdr);
    TextPosition start, end;
    ActiveView(frame)->GetSelection(start, end);
    EXPECT_EQ((TextPosition{0, 9}), start);
    EXPECT_EQ((TextPosition{5, 9}), end);
}

TEST_F(SourceNavigation, TheStatusBarExplainsTheKeywordAtTheCaret)
{
    ASSERT_NE(nullptr, Open(dir.Write("status.asm", kSource)));
    CTextView* view = ActiveView(frame);
    ASSERT_NE(nullptr, view);
    const struct {
        TextPosition caret;
        std::string status;
    } rows[] = {
        {{9, 4}, halyard::reference::WordSummary("mov")},
        {{13, 4}, halyard::reference::WordSummary("AX")},
        {{18, 4}, halyard::reference::WordSummary("@DATA")},
        {{2, 0}, halyard::reference::WordSummary(".MODEL")},
        {{1, 2}, FxLoadString(IDS_IDLE_MESSAGE)},  // a name: the keyword's line goes
    };
    for (const auto& row : rows) {
        view->MoveCaretTo(row.caret);
        SendMessageA(view->m_hWnd, WM_KEYUP, VK_RIGHT, 0xC0000001);
        EXPECT_EQ(row.status, frame->m_statusBar.GetShownText(0)) << row.caret.y << "," << row.caret.x;
    }
    // Another message stays while the caret stays on its word.
    frame->SetMessageText("other");
    SendMessageA(view->m_hWnd, WM_KEYUP, VK_RIGHT, 0xC0000001);
    EXPECT_EQ("other", frame->m_statusBar.GetShownText(0));
}
