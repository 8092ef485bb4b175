#include "reference/search_dlg.h"
#include "core/reference/topic_text.h"
#include "resource.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>

namespace ref = halyard::reference;

namespace {
const int kMargin = 4;            // pixels between the list and the details box, and below the box
const int kMinDetailsHeight = 80; // about five lines of details

void AddColumn(HWND list, int index, const char* title, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title);
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const std::string& name, const std::string& title)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(name.c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(title.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

RECT RectInParent(HWND child)
{
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
}  // namespace

CSearchDlg::CSearchDlg() : FxDialog(IDD_SEARCH)
{
    OnCommand(IDC_SEARCH_GO, [this] { OnSearch(); });
    OnCommand(IDOK, [this] { OnSearch(); });  // Enter, wherever the focus is on the page
    OnNotify(IDC_SEARCH_LIST, static_cast<UINT>(LVN_ITEMCHANGED), [this](NMHDR& hdr) -> LRESULT {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) ShowDetails(change.iItem);
        return 0;
    });
}

bool CSearchDlg::OnInitDialog()
{
    FxDialog::OnInitDialog();
    HWND list = GetItem(IDC_SEARCH_LIST);
    SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    m_rcList = RectInParent(list);
    RECT inside{};
    GetClientRect(list, &inside);
    AddColumn(list, 0, "主题", inside.right / 2);
    AddColumn(list, 1, "说明", inside.right - inside.right / 2);
    OnSize(0, 0);
    return true;
}

void CSearchDlg::OnSize(int, int)
{
    HWND list = GetItem(IDC_SEARCH_LIST), details = GetItem(IDC_SEARCH_DETAILS);
    RECT client{};
    if (!list || !details || !GetClientRect(m_hWnd, &client) || m_rcList.bottom <= m_rcList.top) return;
    const int bottom = client.bottom - kMargin;
    const int listBottom = std::max<int>(m_rcList.top + kMargin, std::min<int>(m_rcList.bottom, bottom - kMinDetailsHeight - kMargin));
    const int width = m_rcList.right - m_rcList.left;
    MoveWindow(list, m_rcList.left, m_rcList.top, width, listBottom - m_rcList.top, TRUE);
    MoveWindow(details, m_rcList.left, listBottom + kMargin, width, std::max(0, bottom - listBottom - kMargin), TRUE);
}

void CSearchDlg::Search(const std::string& keyword)
{
    SetItemText(IDC_SEARCH_KEYWORD, keyword);
    OnSearch();
}

void CSearchDlg::OnSearch()
{
    m_topics = ref::FindTopics(GetItemText(IDC_SEARCH_KEYWORD));
    FillList();
    char count[32];
    std::snprintf(count, sizeof count, "找到 %u 条", static_cast<unsigned>(m_topics.size()));
    SetItemText(IDC_SEARCH_COUNT, count);
}

void CSearchDlg::FillList()
{
    HWND list = GetItem(IDC_SEARCH_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SetItemText(IDC_SEARCH_DETAILS, "");
    for (size_t row = 0; row < m_topics.size(); ++row)
        AddRow(list, static_cast<int>(row), ref::TopicName(m_topics[row]), ref::TopicTitle(m_topics[row]));
    if (!m_topics.empty()) {
        // The columns grow to their longest text; the list scrolls sideways when they do not fit.
        SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
        SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
        LVITEMA first{};
        first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }
}

void CSearchDlg::ShowDetails(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= m_topics.size()) return;
    SetItemText(IDC_SEARCH_DETAILS, ref::TopicDetails(m_topics[static_cast<size_t>(row)]));
}
