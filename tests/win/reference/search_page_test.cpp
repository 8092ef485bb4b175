// The Search page inside the real application: "→" and Enter list the topics with their count,
// choosing one shows its details under the list, and F1 in an editor looks the word at the caret up.
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"
#include "core/reference/topic_text.h"
#include "fx/fx_view.h"
#include "reference/search_dlg.h"
#include <commctrl.h>

namespace {

namespace ref = halyard::reference;

MSG KeyDown(HWND to, UINT vk)
{
    MSG msg{};
    msg.hwnd = to;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = 1;
    return msg;
}

class SearchPage : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        page = dynamic_cast<CSearchDlg*>(frame->m_workspaceTabs.GetDialogPage(kPage));
        ASSERT_NE(nullptr, page);
        list = page->GetItem(IDC_SEARCH_LIST);
    }
    std::string Text(int id)
    {
        std::string text(GetWindowTextLengthA(page->GetItem(id)) + 1, '\0');
        text.resize(GetDlgItemTextA(page->m_hWnd, id, &text[0], static_cast<int>(text.size())));
        return text;
    }
    // The rows (name and title), the label and the details agree with the topics `query` finds,
    // the first of them chosen.
    void ExpectListed(const char* query)
    {
        const std::vector<ref::Topic> topics = ref::FindTopics(query);
        std::vector<std::string> wanted, shown;
        char text[128];
        for (int row = 0; row < (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row)
            for (int column : {0, 1}) {
                ListView_GetItemText(list, row, column, text, sizeof text);
                shown.push_back(text);
            }
        for (const ref::Topic& topic : topics) wanted.insert(wanted.end(), {ref::TopicName(topic), ref::TopicTitle(topic)});
        EXPECT_EQ(wanted, shown) << query;
        EXPECT_EQ("找到 " + std::to_string(topics.size()) + " 条", Text(IDC_SEARCH_COUNT)) << query;
        EXPECT_EQ(topics.empty() ? std::string() : ref::TopicDetails(topics[0]), Text(IDC_SEARCH_DETAILS)) << query;
    }

    static constexpr int kPage = 2;
    CSearchDlg* page = nullptr;
    HWND list = nullptr;
};

}  // namespace

TEST_F(SearchPage, ArrowAndEnterListTopicsAndChoosingOneShowsItsDetails)
{
    EXPECT_EQ("找到   条", Text(IDC_SEARCH_COUNT));
    findtest::SetText(page->m_hWnd, IDC_SEARCH_KEYWORD, "mov");
    findtest::Click(page->m_hWnd, IDC_SEARCH_GO);
    ExpectListed("mov");
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(ref::TopicDetails(ref::FindTopics("mov")[1]), Text(IDC_SEARCH_DETAILS));

    // Enter in the keyword box, through the message loop's page navigation.
    for (const char* query : {"int 21 9", "zzz"}) {
        HWND edit = page->GetItem(IDC_SEARCH_KEYWORD);
        SetWindowTextA(edit, query);
        SetFocus(edit);
        MSG enter = KeyDown(edit, VK_RETURN);
        EXPECT_TRUE(app.PreTranslateMessage(enter));
        wintest::Pump();
        ExpectListed(query);
    }

    // The list keeps its place and gives up height only on a short page; the details box takes at
    // least 80 pixels under it, as wide as the list.
    RECT placed{7, 69, 7 + 121, 69 + 183};  // the list in the template, dialog units
    MapDialogRect(page->m_hWnd, &placed);
    for (int height : {900, 300}) {
        SetWindowPos(page->m_hWnd, nullptr, 0, 0, 260, height, SWP_NOMOVE | SWP_NOZORDER);
        RECT shown{}, details{}, client{};
        GetWindowRect(list, &shown);
        GetWindowRect(page->GetItem(IDC_SEARCH_DETAILS), &details);
        MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&shown), 2);
        MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&details), 2);
        GetClientRect(page->m_hWnd, &client);
        EXPECT_EQ((std::vector<LONG>{placed.left, placed.top, placed.right}), (std::vector<LONG>{shown.left, shown.top, shown.right}));
        EXPECT_EQ(height == 900, shown.bottom == placed.bottom) << height;
        EXPECT_EQ((std::vector<LONG>{shown.left, shown.right}), (std::vector<LONG>{details.left, details.right}));
        EXPECT_TRUE(details.top > shown.bottom && details.bottom < client.bottom && details.bottom - details.top >= 80);
    }
}

TEST_F(SearchPage, F1InAnEditorShowsThePageWithTheWordAtTheCaret)
{
    CHalyardDoc* doc = Open(dir.Write("f1.asm", "mov ax, bx\r\n"));
    ASSERT_NE(nullptr, doc);
    HWND view = doc->GetViews().front()->m_hWnd;
    SetFocus(view);
    MSG f1 = KeyDown(view, VK_F1);
    EXPECT_TRUE(app.PreTranslateMessage(f1));
    wintest::Pump();
    EXPECT_TRUE(frame->m_workspaceBar.IsVisible());
    EXPECT_EQ(kPage, frame->m_workspaceTabs.GetActivePage());
    EXPECT_EQ("mov", Text(IDC_SEARCH_KEYWORD));
    ExpectListed("mov");
    EXPECT_EQ("MOV", ref::TopicName(ref::FindTopics("mov")[0]));
    EXPECT_EQ(view, GetFocus());
}
