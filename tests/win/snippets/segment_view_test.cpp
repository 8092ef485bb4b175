// The SegmentView page inside the real application: the snippet folder listed at start, whole
// snippets inserted byte for byte into the active document only, Add that never empties an
// existing snippet and refuses bad names, Delete that asks first, and the layout on resize.
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"
#include "frame/tree_items.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_view.h"
#include "snippets/segment_view_dlg.h"
#include "snippets/snippet_files.h"
#include <algorithm>

namespace {

int g_answer = IDYES;  // what every message box answers
int AnswerBox(const char* text, UINT)
{
    g_boxes.push_back(text);
    return g_answer;
}

const std::string kSmall = "ab\r\nc";  // five bytes, two lines
const std::string kBig = [] {          // 5,000 bytes of CR LF lines, Chinese included
    std::string text;
    for (int i = 0; text.size() < 5000; ++i) text += "\tmov ax, " + std::to_string(i) + " ; \xD6\xD0\xCE\xC4\r\n";
    return text.substr(0, 5000);
}();

class SegmentView : public AppFixture {
protected:
    // A page of its own beside the application's, made while the snippet folder's parent is the
    // current folder. (The application starts in the usual folder: its welcome page keeps the
    // folder it first saw.)
    void SetUp() override
    {
        AppFixture::SetUp();
        g_answer = IDYES;
        FxSetMessageBoxHook(AnswerBox);
        CreateDirectoryA(install.File("segment").c_str(), nullptr);
        CreateDirectoryA(install.File("segment\\folder").c_str(), nullptr);  // not a snippet
        install.Write("segment\\small", kSmall);
        install.Write("segment\\Big", kBig);
        ASSERT_TRUE(MakePage(install.Path()));
    }
    bool MakePage(const std::string& folder)
    {
        char start[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof start, start);
        SetCurrentDirectoryA(folder.c_str());
        pages.emplace_back(new CSegmentViewDlg(&app));
        SetCurrentDirectoryA(start);
        page = pages.back().get();
        CPageTabCtrl& tabs = frame->m_workspaceTabs;
        return page->CreatePage(tabs.m_hWnd, 9999) && tabs.AddWindowPage(page->m_hWnd, "Snippets", 0);
    }
    std::vector<HTREEITEM> Children() const
    {
        std::vector<HTREEITEM> items;
        HWND tree = page->GetTree();
        for (auto item = TreeView_GetChild(tree, page->GetRoot()); item; item = TreeView_GetNextSibling(tree, item))
            items.push_back(item);
        return items;
    }
    std::vector<std::string> Items() const
    {
        std::vector<std::string> texts;
        for (HTREEITEM item : Children()) texts.push_back(TreeItemText(page->GetTree(), item));
        return texts;
    }
    // Selects the snippet `name`, or the root for ""; then a double-click as the mouse gives it
    // (a button press would start the tree's drag detection).
    void Select(const std::string& name)
    {
        const std::vector<std::string> texts = Items();
        const auto at = std::find(texts.begin(), texts.end(), name);
        TreeView_SelectItem(page->GetTree(), at == texts.end() ? page->GetRoot() : Children()[at - texts.begin()]);
    }
    void DoubleClick(const std::string& name)
    {
        Select(name);
        RECT rc{};
        TreeView_GetItemRect(page->GetTree(), TreeView_GetSelection(page->GetTree()), &rc, TRUE);
        SendMessageA(page->GetTree(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.left + 2, (rc.top + rc.bottom) / 2));
    }
    void Press(int id) { findtest::Click(page->m_hWnd, id); }
    // Add with each name typed and OK pressed in turn, then Cancel if the prompt is still open.
    bool Add(std::vector<const char*> names)
    {
        return findtest::WithDialog([&] { Press(IDC_SEGMENT_ADD); }, [&](HWND dlg) {
            for (const char* name : names) {
                findtest::SetText(dlg, IDC_SEGMENT_NAME, name);
                findtest::Click(dlg, IDOK);
            }
            if (IsWindowVisible(dlg)) findtest::Click(dlg, IDCANCEL);
        });
    }
    std::string Snippet(const char* name) { return install.File((std::string("segment\\") + name).c_str()); }
    int Documents() { return app.GetDocManager()->GetOpenDocumentCount(); }
    std::string ActivePath() { return frame->GetActiveDocument() ? frame->GetActiveDocument()->GetPathName() : ""; }

    wintest::TempDir install;
    std::vector<std::unique_ptr<CSegmentViewDlg>> pages;  // windows of the tab control
    CSegmentViewDlg* page = nullptr;
};

}  // namespace

TEST_F(SegmentView, InsertsWholeSnippetsIntoTheActiveDocumentOnly)
{
    EXPECT_EQ(install.File("segment"), page->GetFolder());
    EXPECT_EQ("Code View", TreeItemText(page->GetTree(), page->GetRoot()));
    EXPECT_EQ((std::vector<std::string>{"Big", "small"}), Items());

    CHalyardDoc* first = Open(dir.Write("first.asm", "nop\r\n"));
    CHalyardDoc* second = Open(dir.Write("second.asm", "nop\r\n"));
    ASSERT_TRUE(first && second);
    DoubleClick("small");
    first->GetViews().front()->GetParentFrame()->ActivateFrame();
    DoubleClick("Big");
    EXPECT_EQ(kBig + "nop\r\n", findtest::AllText(first->GetBuffer()));
    EXPECT_EQ(kSmall + "nop\r\n", findtest::AllText(second->GetBuffer()));

    // The root, or no editor window at all: nothing happens and nothing is said.
    DoubleClick("");
    app.GetDocManager()->CloseAllDocuments();
    DoubleClick("small");
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SegmentView, AddOpensNewSnippetsKeepsExistingOnesRefusesBadNamesAndReportsFailures)
{
    ASSERT_TRUE(Add({"exit"}));
    EXPECT_EQ("", wintest::ReadFileBytes(Snippet("exit")));
    EXPECT_EQ((std::vector<std::string>{"Big", "small", "exit"}), Items());
    EXPECT_EQ(0, lstrcmpiA(Snippet("exit").c_str(), ActivePath().c_str())) << ActivePath();

    // An existing name asks; No keeps everything, Yes opens the snippet, whole.
    for (int answer : {IDNO, IDYES}) {
        g_answer = answer;
        ASSERT_TRUE(Add({"small"}));
        EXPECT_EQ(kSmall, wintest::ReadFileBytes(Snippet("small")));
        EXPECT_EQ(answer == IDYES ? 2 : 1, Documents());
    }
    // Refused names keep the prompt open with a message; Cancel then creates nothing.
    ASSERT_TRUE(Add({"", "a/b:c", "con", "name."}));
    EXPECT_EQ((std::vector<std::string>{"片段“small”已经存在，不会被清空。要打开它进行编辑吗？",
                                        "片段“small”已经存在，不会被清空。要打开它进行编辑吗？", "没有输入片段名称",
                                        "片段名称不能含有这些字符：/:", "“con”是系统保留的设备名，不能用作片段名称。",
                                        "片段名称不能以点或空格结尾：“name.”"}),
              g_boxes);
    EXPECT_EQ(3u, Items().size());

    // Without a snippet folder the tree holds only its root, and Add says why it cannot create.
    g_boxes.clear();
    ASSERT_TRUE(MakePage(dir.Path()));
    EXPECT_TRUE(Items().empty());
    ASSERT_TRUE(Add({"exit"}));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ(0u, g_boxes[0].find("无法创建片段文件 " + dir.File("segment\\exit") + "。")) << g_boxes[0];
}

TEST_F(SegmentView, DeleteAsksFirstAndEditOpensTheSelection)
{
    Select("");  // the root: neither deletes nor opens anything
    Press(IDC_SEGMENT_DELETE);
    Press(IDC_SEGMENT_EDIT);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(0, Documents());

    Select("small");
    for (int answer : {IDNO, IDYES}) {
        g_answer = answer;
        Press(IDC_SEGMENT_DELETE);
        EXPECT_EQ(answer == IDNO, GetFileAttributesA(Snippet("small").c_str()) != INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ((std::vector<std::string>{"Big"}), Items());
    EXPECT_EQ(std::vector<std::string>(2, "要删除片段“small”吗？它的文件将被删除，不能恢复。"), g_boxes);

    Select("Big");
    Press(IDC_SEGMENT_EDIT);
    EXPECT_EQ(0, lstrcmpiA(Snippet("Big").c_str(), ActivePath().c_str())) << ActivePath();
}

// The label shows the page's size; the tree keeps 28 pixels of the pane's width and 160 of its
// height, starting 80 pixels down or below the buttons when the font makes them reach further.
TEST_F(SegmentView, SizeLabelAndTreeFollowThePane)
{
    HWND pane = frame->m_workspaceBar.m_hWnd;
    frame->ShowPanes(true);
    for (SIZE size : {SIZE{300, 500}, SIZE{240, 420}}) {
        SetWindowPos(pane, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{}, tree{}, add{};
        GetClientRect(page->m_hWnd, &client);
        EXPECT_EQ("X=" + std::to_string(client.right) + ",Y=" + std::to_string(client.bottom),
                  findtest::GetText(page->m_hWnd, IDC_SEGMENT_SIZE));
        GetWindowRect(page->GetTree(), &tree);
        GetWindowRect(page->GetItem(IDC_SEGMENT_ADD), &add);
        MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&tree), 2);
        MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&add), 2);
        EXPECT_EQ((std::vector<LONG>{5, std::max(80L, add.bottom + 4), 5 + size.cx - 28, size.cy - 80}),
                  (std::vector<LONG>{tree.left, tree.top, tree.right, tree.bottom}));
    }
}

// A snippet's text ends at its first NUL byte, also when the NUL lies past the first chunk read.
TEST(SnippetFiles, TextEndsAtTheFirstNul)
{
    wintest::TempDir folder;
    const std::string longHead(20000, 'x');
    const struct {
        std::string bytes, text;
    } cases[] = {{std::string("mov ax,1\r\n\0garbage\r\n", 21), "mov ax,1\r\n"},
                 {std::string("\0", 1) + "hidden", ""},
                 {longHead + std::string("\0tail", 5), longHead},
                 {"no nul\r\n", "no nul\r\n"}};
    for (const auto& c : cases) {
        const std::string path = folder.Write("s.asm", c.bytes);
        std::string bytes;
        DWORD error = 0;
        ASSERT_TRUE(ReadSnippet(path, bytes, error));
        EXPECT_EQ(c.text, bytes);
    }
}
