#include "fx/fx_statusbar.h"
#include "fx/fx_app.h"
#include "fx/fx_handles.h"
#include <commctrl.h>

bool FxStatusBar::Create(FxMDIFrame* frame, UINT id)
{
    HWND parent = BeginCreate(frame);
    if (!parent) return false;
    RECT rc{0, 0, 0, 0};
    m_side = FxDockSide::Bottom;
    return CreateEx(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP,
                    rc, parent, id);
}

bool FxStatusBar::SetIndicators(const UINT* ids, size_t count)
{
    m_panes.clear();
    {
        FxClientDC dc(m_hWnd);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        FxSelectObject select(dc.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
        for (size_t i = 0; i < count; ++i) {
            Pane p{ids[i], ids[i] ? FxLoadString(ids[i]) : std::string()};
            SIZE sz{};
            GetTextExtentPoint32A(dc.Get(), p.text.c_str(), static_cast<int>(p.text.size()), &sz);
            p.width = sz.cx + 12;
            m_panes.push_back(p);
        }
    }
    Relayout();
    for (size_t i = 0; i < m_panes.size(); ++i) Show(i);
    return true;
}

void FxStatusBar::Relayout()
{
    if (m_panes.empty()) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    std::vector<int> rights(m_panes.size());
    int x = rc.right - GetSystemMetrics(SM_CXVSCROLL);
    for (size_t i = m_panes.size(); i-- > 1;) {
        rights[i] = x;
        x -= m_panes[i].width;
    }
    rights[0] = x;
    SendMessageA(m_hWnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void FxStatusBar::Show(size_t index)
{
    const Pane& p = m_panes[index];
    SendMessageA(m_hWnd, SB_SETTEXTA, index, reinterpret_cast<LPARAM>(p.enabled ? p.text.c_str() : ""));
}

void FxStatusBar::SetPaneText(size_t index, const char* text)
{
    if (index >= m_panes.size() || m_panes[index].text == text) return;
    m_panes[index].text = text;
    Show(index);
}

std::string FxStatusBar::GetShownText(size_t index) const
{
    if (index >= m_panes.size() || !m_panes[index].enabled) return std::string();
    return m_panes[index].text;
}

int FxStatusBar::GetExtent() const
{
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    int h = rc.bottom - rc.top;
    return h > 0 ? h : 22;
}

void FxStatusBar::OnIdleUpdate()
{
    if (!m_pFrame || !IsVisible()) return;
    for (size_t i = 1; i < m_panes.size(); ++i) {
        // Disabled panes show nothing; SetText replaces the text.
        FxCmdUI ui(m_panes[i].id);
        if (!m_pFrame->RouteUpdate(ui)) ui.Enable(false);
        bool changed = ui.m_bEnabled != m_panes[i].enabled || (ui.m_bTextSet && ui.m_strText != m_panes[i].text);
        m_panes[i].enabled = ui.m_bEnabled;
        if (ui.m_bTextSet) m_panes[i].text = ui.m_strText;
        if (changed) Show(i);
    }
}
