#include "fx/fx_mdiframe.h"
#include "fx/fx_app.h"
#include "fx/fx_controlbar.h"
#include "fx/fx_doc.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_miniframe.h"
#include "fx/fx_paint_dc.h"
#include "fx/fx_statusbar.h"
#include "fx/fx_toolbar.h"
#include "resource.h"
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
#include <algorithm>
#include <cstring>

namespace {
const UINT kFirstChildId = 0xFF00;           // ids of the Window menu's list of open windows
const UINT kChildGone = WM_APP + 0x100;       // posted when a child frame is destroyed
const UINT kDelayedLayout = WM_APP + 0x101;   // posted by DelayRecalcLayout

bool ReadFullWindowDrag()
{
    BOOL full = FALSE;
    return SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

// The part of a command's string before '\n' (the status prompt) or after it (the tool tip).
std::string PromptOf(UINT id, bool tip)
{
    std::string s = FxLoadString(id);
    size_t nl = s.find('\n');
    if (nl == std::string::npos) return tip ? std::string() : s;
    return tip ? s.substr(nl + 1) : s.substr(0, nl);
}

void ApplyToMenuItem(HMENU menu, UINT index, const FxCmdUI& ui)
{
    EnableMenuItem(menu, index, MF_BYPOSITION | (ui.m_bEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, index, MF_BYPOSITION | (ui.m_nCheck ? MF_CHECKED : MF_UNCHECKED));
    if (ui.m_bTextSet) {
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<char*>(ui.m_strText.c_str());
        SetMenuItemInfoA(menu, index, TRUE, &mii);
    }
}
}  // namespace

FxMDIFrame::FxMDIFrame()
{
    OnCommand(ID_WINDOW_CASCADE, [this] { SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); });
    OnCommand(ID_WINDOW_TILE_VERT, [this] { SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); });
    OnCommand(ID_VIEW_TOOLBAR, [this] { ShowControlBar(m_pToolBar, !m_pToolBar->IsVisible()); });
    OnUpdate(ID_VIEW_TOOLBAR, [this](FxCmdUI& ui) { ui.SetCheck(m_pToolBar && m_pToolBar->IsVisible()); });
    OnCommand(ID_VIEW_STATUS_BAR, [this] { ShowControlBar(m_pStatusBar, !m_pStatusBar->IsVisible()); });
    OnUpdate(ID_VIEW_STATUS_BAR, [this](FxCmdUI& ui) { ui.SetCheck(m_pStatusBar && m_pStatusBar->IsVisible()); });
    OnUpdate(ID_INDICATOR_CAPS, [](FxCmdUI& ui) { ui.Enable(GetKeyState(VK_CAPITAL) & 1); });
    OnUpdate(ID_INDICATOR_NUM, [](FxCmdUI& ui) { ui.Enable(GetKeyState(VK_NUMLOCK) & 1); });
    OnUpdate(ID_INDICATOR_SCRL, [](FxCmdUI& ui) { ui.Enable(GetKeyState(VK_SCROLL) & 1); });
}

bool FxMDIFrame::LoadFrame(UINT resourceId, DWORD style)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    m_nResourceId = resourceId;
    m_strTitle = FxLoadString(resourceId);
    m_hMenuDefault = LoadMenuA(inst, MAKEINTRESOURCEA(resourceId));
    m_hAccel = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(resourceId));
    const char* cls = RegisterClassOnce("FxMDIFrame", CS_DBLCLKS, nullptr, LoadIconA(inst, MAKEINTRESOURCEA(resourceId)));
    PrepareCreate(this);
    HWND h = CreateWindowExA(0, cls, m_strTitle.c_str(), style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, m_hMenuDefault, inst, nullptr);
    // A window that failed after it existed has deleted this object on WM_NCDESTROY; one that never
    // existed goes the same way, so a failed creation always leaves no frame behind.
    if (EndCreate(this)) {
        PostNcDestroy();
        return false;
    }
    return h != nullptr && m_hWnd == h;
}

bool FxMDIFrame::CreateClient()
{
    CLIENTCREATESTRUCT ccs{WindowMenuOf(m_hMenuDefault), kFirstChildId};
    m_hWndMDIClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                      0, 0, 0, 0, m_hWnd, nullptr, GetModuleHandleA(nullptr), &ccs);
    m_hMenuCurrent = m_hMenuDefault;
    return m_hWndMDIClient != nullptr;
}

HMENU FxMDIFrame::WindowMenuOf(HMENU menu) const
{
    int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (std::strcmp(text, "&Window") == 0) return GetSubMenu(menu, i);
    }
    return nullptr;
}

FxMDIChild* FxMDIFrame::GetActiveChild() const
{
    if (!m_hWndMDIClient) return nullptr;
    HWND h = reinterpret_cast<HWND>(SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<FxMDIChild*>(FromHandle(h));
}

FxView* FxMDIFrame::GetActiveView() const
{
    FxMDIChild* child = GetActiveChild();
    return child ? child->GetActiveView() : nullptr;
}

FxDocument* FxMDIFrame::GetActiveDocument() const
{
    FxMDIChild* child = GetActiveChild();
    return child ? child->GetActiveDocument() : nullptr;
}

bool FxMDIFrame::Route(const std::function<bool(FxCmdTarget&)>& ask)
{
    if (FxMDIChild* child = GetActiveChild())
        if (child->Route(ask)) return true;
    if (ask(*this)) return true;
    return m_pApp && ask(*m_pApp);
}

void FxMDIFrame::AddControlBar(FxControlBar* bar)
{
    if (!bar || std::find(m_bars.begin(), m_bars.end(), bar) != m_bars.end()) return;
    bar->m_bInFrame = true;
    m_bars.push_back(bar);
}

void FxMDIFrame::ShowControlBar(FxControlBar* bar, bool show, bool delay)
{
    if (!bar || !bar->m_hWnd) return;
    ShowWindow(bar->m_hWnd, show ? SW_SHOWNA : SW_HIDE);
    if (FxMiniFrame* mini = GetMiniFrame(bar)) ShowWindow(mini->m_hWnd, show ? SW_SHOWNA : SW_HIDE);
    if (!delay) RecalcLayout();
    else PostMessageA(m_hWnd, WM_SIZE, 0, 0);
}

// The core decides where every bar goes: top and bottom rows across the whole width, left and
// right rows between them, the MDI area never below 2 pixels while the bars can give way.
void FxMDIFrame::RecalcLayout()
{
    if (!m_hWnd) return;
    m_bLayoutPending = false;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    m_barDescriptions.clear();
    for (FxControlBar* bar : m_bars) m_barDescriptions.push_back(bar->DockDescription());
    m_layout = halyard::dock::LayOut({rc.left, rc.top, rc.right, rc.bottom}, m_barDescriptions);
    for (size_t i = 0; i < m_bars.size(); ++i) {
        const halyard::dock::Rect& r = m_layout.bars[i];
        if (m_barDescriptions[i].visible && !m_barDescriptions[i].floating)
            MoveWindow(m_bars[i]->m_hWnd, r.left, r.top, r.Width(), r.Height(), TRUE);
    }
    if (m_pStatusBar) m_pStatusBar->Relayout();
    const RECT area = ToRect(m_layout.mdi);
    if (m_placeClientArea) m_placeClientArea(area);
    else if (m_hWndMDIClient)
        MoveWindow(m_hWndMDIClient, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void FxMDIFrame::DelayRecalcLayout()
{
    if (m_bLayoutPending || !m_hWnd) return;
    m_bLayoutPending = true;
    PostMessageA(m_hWnd, kDelayedLayout, 0, 0);
}

// The frame's class has no background: only the dividers show the frame itself.
void FxMDIFrame::PaintDividers()
{
    FxPaintDC paint(m_hWnd);
    for (const halyard::dock::Divider& d : m_layout.dividers) {
        const RECT rc = ToRect(d.rect);
        FillRect(paint.Dc(), &rc, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void FxMDIFrame::OnSettingChange(WPARAM wp, LPARAM lp)
{
    m_bFullDrag = ReadFullWindowDrag();
    // Bars are children (or a small frame's): the system tells only top-level windows.
    for (FxControlBar* bar : m_bars)
        if (bar->m_hWnd) SendMessageA(bar->m_hWnd, WM_SETTINGCHANGE, wp, lp);
}

void FxMDIFrame::SetMessageText(const char* text)
{
    if (m_pStatusBar && m_pStatusBar->m_hWnd) m_pStatusBar->SetMessageText(text);
}

std::string FxMDIFrame::GetMessageText() const
{
    return m_pStatusBar && m_pStatusBar->m_hWnd ? m_pStatusBar->GetShownText(0) : std::string();
}

void FxMDIFrame::OnIdleUpdate()
{
    if (m_bLayoutPending) RecalcLayout();
    for (FxControlBar* bar : m_bars) bar->OnIdleUpdate();
}

bool FxMDIFrame::PreTranslateMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd) && !IsInFloatingBar(msg.hwnd)) return false;
    if (m_hWndMDIClient && TranslateMDISysAccel(m_hWndMDIClient, &msg)) return true;
    FxView* view = GetActiveView();
    const HWND focus = GetFocus();
    if (view && focus && (focus == view->m_hWnd || IsChild(view->m_hWnd, focus)) && view->PreTranslateMessage(msg))
        return true;
    HACCEL viewAccel = view ? view->GetAccelerators() : nullptr;
    if (viewAccel && GetFocus() == view->m_hWnd && TranslateAcceleratorA(m_hWnd, viewAccel, &msg)) return true;
    return m_hAccel && TranslateAcceleratorA(m_hWnd, m_hAccel, &msg);
}

void FxMDIFrame::OnUpdateFrameTitle()
{
    FxDocument* doc = GetActiveDocument();
    std::string title = m_strTitle;
    if (doc) title += " - " + doc->GetTitle();
    char current[512] = {};
    GetWindowTextA(m_hWnd, current, sizeof current);
    if (title != current) SetWindowTextA(m_hWnd, title.c_str());
}

void FxMDIFrame::SwitchMenu(HMENU menu)
{
    if (!menu || menu == m_hMenuCurrent) return;
    m_hMenuCurrent = menu;
    SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(WindowMenuOf(menu)));
    DrawMenuBar(m_hWnd);
}

void FxMDIFrame::OnChildActivated(FxMDIChild* child)
{
    FxDocument* doc = child ? child->GetActiveDocument() : nullptr;
    FxDocTemplate* tmpl = doc ? doc->GetDocTemplate() : nullptr;
    SwitchMenu(tmpl && tmpl->GetMenu() ? tmpl->GetMenu() : m_hMenuDefault);
    OnUpdateFrameTitle();
    if (doc) doc->OnActivate();
}

void FxMDIFrame::OnChildDestroyed(FxMDIChild*) { PostMessageA(m_hWnd, kChildGone, 0, 0); }

void FxMDIFrame::UpdateMenuItems(HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1) || id >= kFirstChildId) continue;
        FxCmdUI ui(id);
        ui.m_hMenu = menu;
        ui.m_nIndex = static_cast<UINT>(i);
        if (!RouteUpdate(ui)) ui.Enable(false);
        ApplyToMenuItem(menu, static_cast<UINT>(i), ui);
    }
}

void FxMDIFrame::OnMenuSelect(UINT id, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) SetMessageText(FxLoadString(IDS_IDLE_MESSAGE).c_str());
    else if (flags & (MF_POPUP | MF_SEPARATOR)) SetMessageText("");
    else SetMessageText(PromptOf(id, false).c_str());
}

LRESULT FxMDIFrame::OnNotify(NMHDR* hdr)
{
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        std::string tip = PromptOf(static_cast<UINT>(hdr->idFrom), true);
        lstrcpynA(info->szText, tip.c_str(), sizeof info->szText);
        info->lpszText = info->szText;
        return 0;
    }
    if (hdr->code == TBN_HOTITEMCHANGE) {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(hdr);
        if (hot->dwFlags & HICF_LEAVING) SetMessageText(FxLoadString(IDS_IDLE_MESSAGE).c_str());
        else SetMessageText(PromptOf(static_cast<UINT>(hot->idNew), false).c_str());
        return 0;
    }
    LRESULT result = 0;
    if (RouteNotify(*hdr, result)) return result;
    return Default(WM_NOTIFY, static_cast<WPARAM>(hdr->idFrom), reinterpret_cast<LPARAM>(hdr));
}

void FxMDIFrame::OnDropFiles(HDROP drop)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH];
        if (DragQueryFileA(drop, i, path, sizeof path) && m_pApp && m_pApp->GetDocManager())
            m_pApp->GetDocManager()->OpenDocumentFile(path);
    }
    DragFinish(drop);
    SetForegroundWindow(m_hWnd);
}

bool FxMDIFrame::OnClose()
{
    FxDocManager* mgr = m_pApp ? m_pApp->GetDocManager() : nullptr;
    if (mgr && !mgr->SaveAllModified()) return false;
    if (mgr) mgr->CloseAllDocuments();
    DestroyWindow();
    return true;
}

LRESULT FxMDIFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        m_bFullDrag = ReadFullWindowDrag();
        if (DefWindowProcA(m_hWnd, msg, wp, lp) == -1 || !CreateClient() || !OnCreateFrame()) return -1;
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case kDelayedLayout:
        if (m_bLayoutPending) RecalcLayout();
        return 0;
    case WM_PAINT:
        PaintDividers();
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wp), LOWORD(lp))) return TRUE;
        break;
    case WM_LBUTTONDOWN:
        OnDividerPress(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    case WM_MOUSEMOVE:
        if (m_bDividerTracking) OnDividerMove(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        EndDividerDrag();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != m_hWnd) EndDividerDrag();
        return 0;
    case WM_SETTINGCHANGE:
        OnSettingChange(wp, lp);
        break;
    case WM_COMMAND:
        if (LOWORD(wp) >= kFirstChildId && !lp) break;  // the Window menu's list
        if (RouteCmdMsg(LOWORD(wp), HIWORD(wp))) return 0;
        break;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_INITMENUPOPUP:
        if (!HIWORD(lp)) UpdateMenuItems(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case kChildGone:
        OnChildActivated(GetActiveChild());
        return 0;
    default: {
        LRESULT brush;
        if (ReflectCtlColor(msg, wp, lp, &brush)) return brush;
    }
    }
    return Default(msg, wp, lp);
}

void FxMDIFrame::PostNcDestroy()
{
    if (m_pApp && m_pApp->GetMainFrame() == this) m_pApp->SetMainFrame(nullptr);
    delete this;
}

LRESULT FxMDIFrame::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(m_hWnd, m_hWndMDIClient, msg, wp, lp);
}
