#include "debugger/debug_list_pane.h"

#include <commctrl.h>

#include "debugger/cell_edit.h"
#include "editor/editor_font.h"

namespace {
const int kEntryHeight = 22;
const int kEditColumn = 1;  // the value column: the one a double-click changes
}  // namespace

// The entry line: Enter hands its text to the pane.
class CDebugListPane::CEntry : public FxWnd {
public:
    explicit CEntry(std::function<void()> entered) : m_entered(std::move(entered)) {}

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
        if (msg == WM_KEYDOWN && wp == VK_RETURN) {
            m_entered();
            return 0;
        }
        if (msg == WM_CHAR && wp == '\r') return 0;
        return FxWnd::WindowProc(msg, wp, lp);
    }
    void PostNcDestroy() override { delete this; }

private:
    std::function<void()> m_entered;
};

bool CDebugListPane::Create(HWND parent, const std::vector<Column>& columns, const char* prompt, Hooks hooks)
{
    m_hooks = std::move(hooks);
    const char* cls = RegisterClassOnce("HalyardDebugPane", CS_HREDRAW | CS_VREDRAW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 100, 100}, parent, 0)) return false;
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (prompt) {
        m_entry = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, m_hWnd,
                                  nullptr, nullptr, nullptr);
        SendMessageA(m_entry, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        wchar_t cue[128] = {};
        MultiByteToWideChar(CP_ACP, 0, prompt, -1, cue, sizeof cue / sizeof cue[0] - 1);
        SendMessageA(m_entry, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue));
        m_pEntry = new CEntry([this] { OnEntered(); });
        if (!m_pEntry->SubclassWindow(m_entry)) delete m_pEntry;
    }
    m_list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_NOSORTHEADER,
                             0, 0, 10, 10, m_hWnd, nullptr, nullptr, nullptr);
    if (!m_list) return false;
    // The editor's choice of a fixed-pitch face that shows Chinese (a face the system only
    // substitutes may draw the Latin letters as a crude bitmap).
    LOGFONTA wanted{};
    wanted.lfHeight = -12;
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = GB2312_CHARSET;
    wanted.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(wanted.lfFaceName, "新宋体", sizeof wanted.lfFaceName);
    m_font.Reset(CreateEditorFont(wanted));
    SendMessageA(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get() ? m_font.Get() : font), FALSE);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = columns[i].width;
        SendMessageA(m_list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    Layout();
    return true;
}

void CDebugListPane::Layout()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int top = m_entry ? kEntryHeight : 0;
    if (m_entry) MoveWindow(m_entry, 0, 0, rc.right, kEntryHeight, TRUE);
    if (m_list) MoveWindow(m_list, 0, top, rc.right, rc.bottom - top > 0 ? rc.bottom - top : 0, TRUE);
}

int CDebugListPane::RowCount() const { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

void CDebugListPane::SetRows(const std::vector<std::vector<std::string>>& rows)
{
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    while (RowCount() > static_cast<int>(rows.size())) SendMessageA(m_list, LVM_DELETEITEM, RowCount() - 1, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        if (static_cast<int>(r) >= RowCount()) {
            item.pszText = const_cast<char*>("");
            SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (CellText(static_cast<int>(r), static_cast<int>(c)) == rows[r][c]) continue;
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<char*>(rows[r][c].c_str());
            SendMessageA(m_list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, FALSE);
}

std::string CDebugListPane::CellText(int row, int column) const
{
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void CDebugListPane::OnEntered()
{
    char text[256] = {};
    GetWindowTextA(m_entry, text, sizeof text);
    if (m_hooks.entered) m_hooks.entered(text);
}

void CDebugListPane::EditRow(int row)
{
    if (row < 0 || !m_hooks.edited) return;
    RECT cell{};
    cell.top = kEditColumn;
    cell.left = LVIR_BOUNDS;
    if (!SendMessageA(m_list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return;
    const std::string text = m_hooks.editText ? m_hooks.editText(row) : CellText(row, kEditColumn);
    CCellEdit::Open(m_list, cell, text, [this, row](const std::string& changed) { m_hooks.edited(row, changed); });
}

LRESULT CDebugListPane::OnCustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const bool red = m_hooks.red && m_hooks.red(static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
        draw.clrText = red ? RGB(220, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
        return CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

LRESULT CDebugListPane::OnNotify(NMHDR& hdr)
{
    if (hdr.hwndFrom != m_list) return 0;
    if (hdr.code == NM_CUSTOMDRAW) return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(hdr));
    if (hdr.code == NM_DBLCLK) EditRow(reinterpret_cast<NMITEMACTIVATE&>(hdr).iItem);
    if (hdr.code == LVN_KEYDOWN && reinterpret_cast<NMLVKEYDOWN&>(hdr).wVKey == VK_DELETE && m_hooks.removed) {
        const int row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
        if (row >= 0) m_hooks.removed(row);
    }
    return 0;
}

LRESULT CDebugListPane::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SIZE) Layout();
    if (msg == WM_NOTIFY) return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    return FxWnd::WindowProc(msg, wp, lp);
}
