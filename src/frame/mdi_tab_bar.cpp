#include "frame/mdi_tab_bar.h"
#include "core/frame/tab_strip.h"
#include "fx/fx_doc.h"
#include "fx/fx_mdichild.h"
#include <ole2.h>
#include <windowsx.h>
#include <algorithm>
#include <vector>

namespace tabs = halyard::tabs;

namespace {
const UINT kRefreshMsg = WM_APP + 0x2A3; // posted to the strip: one refresh is due
const UINT_PTR kSubclassId = 0x7AB;      // the bar's subclass of the MDI client
const int kNcMargin = 2;                 // the strip's non-client margin on each side
const size_t kTitleBytes = 256;

// Adds `icon` at the list's size with a mask that follows what the icon really covers. The icons of
// this program keep their transparency in the alpha channel, under a mask that lets the magenta
// background through, which an image list that ignores alpha shows as a coloured fringe. Drawn once
// on black and once on white, a pixel that follows the background is transparent.
int AddIconMasked(HIMAGELIST list, HICON icon)
{
    int cx = 0, cy = 0;
    if (!list || !icon || !ImageList_GetIconSize(list, &cx, &cy) || cx <= 0 || cy <= 0) return -1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bitsOnBlack = nullptr;
    void* bitsOnWhite = nullptr;
    FxBitmap onBlack(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bitsOnBlack, nullptr, 0));
    FxBitmap onWhite(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bitsOnWhite, nullptr, 0));
    FxMemoryDC dc = FxCreateMemoryDC(nullptr);
    if (!onBlack || !onWhite || !dc) return -1;
    const RECT all{0, 0, cx, cy};
    for (const auto& [bitmap, brush] : {std::pair{onBlack.Get(), BLACK_BRUSH}, std::pair{onWhite.Get(), WHITE_BRUSH}}) {
        FxSelectObject select(dc.Get(), bitmap);
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(brush)));
        DrawIconEx(dc.Get(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    }
    GdiFlush();
    auto* colour = static_cast<DWORD*>(bitsOnBlack);
    const auto* light = static_cast<const DWORD*>(bitsOnWhite);
    const int stride = (cx + 15) / 16 * 2; // rows of a monochrome bitmap are padded to 16 bits
    std::vector<BYTE> mask(static_cast<size_t>(stride) * static_cast<size_t>(cy), 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            DWORD& pixel = colour[y * cx + x];
            const int green = static_cast<int>((pixel >> 8) & 0xFF);
            const int greenOnWhite = static_cast<int>((light[y * cx + x] >> 8) & 0xFF);
            const int coverage = 255 - (greenOnWhite - green);
            // No alpha in the list's copy: the mask alone decides, whatever the control's version.
            pixel &= 0x00FFFFFF;
            if (coverage < 128) {
                pixel = 0;
                mask[static_cast<size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    FxBitmap maskBitmap(CreateBitmap(cx, cy, 1, 1, mask.data()));
    return maskBitmap ? ImageList_Add(list, onBlack.Get(), maskBitmap.Get()) : -1;
}

RECT Normalised(const RECT& rc)
{
    const tabs::Rect n = tabs::Normalised({rc.left, rc.top, rc.right, rc.bottom});
    return RECT{n.left, n.top, n.right, n.bottom};
}
}  // namespace

// Dragging data over the bar activates the window whose tab is under the pointer; the bar itself
// takes no drop. No exception leaves a method: the system's drag loop is not ours.
class CMdiTabDropTarget final : public IDropTarget {
public:
    explicit CMdiTabDropTarget(CMdiTabStrip* strip) : m_pStrip(strip) {}
    // The strip is going away: nothing is asked of it any more.
    void Detach() { m_pStrip = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDropTarget) return E_NOINTERFACE;
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL pt, DWORD* effect) override
    {
        return Hover(pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL pt, DWORD* effect) override { return Hover(pt, effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        if (effect) *effect = DROPEFFECT_NONE;
        return S_OK;
    }

private:
    ~CMdiTabDropTarget() = default;
    HRESULT Hover(POINTL pt, DWORD* effect) noexcept
    {
        if (effect) *effect = DROPEFFECT_NONE;
        try {
            if (m_pStrip) m_pStrip->ActivateTabAt(POINT{pt.x, pt.y});
            return S_OK;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    LONG m_refs = 1;
    CMdiTabStrip* m_pStrip;
};

// --- CMdiTabStrip

CMdiTabStrip::~CMdiTabStrip()
{
    // Through WM_DESTROY while this object still handles it: the timer and the drop target go.
    DestroyWindow();
}

bool CMdiTabStrip::Create(CMdiTabBar* bar, HWND frame, DWORD tabStyle)
{
    m_pBar = bar;
    HWND client = bar ? bar->GetMDIClient() : nullptr;
    if (!client) return false;
    const bool bVisible = (GetWindowLongPtrA(client, GWL_STYLE) & WS_VISIBLE) != 0;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | TCS_FOCUSNEVER | (tabStyle & 0xFFFF) | (bVisible ? WS_VISIBLE : 0);
    if (!CreateEx(0, WC_TABCONTROLA, "", style, RECT{0, 0, 0, 0}, frame, kControlId)) return false;
    // The non-client margin is ours, and the control was made before this object saw its messages.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_images.Reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                    ILC_COLOR32 | ILC_MASK, 4, 4));
    SendMessageA(m_hWnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.Get()));
    SetTimer(m_hWnd, kRefreshTimer, kRefreshPeriod, nullptr);
    auto* target = new CMdiTabDropTarget(this);
    if (SUCCEEDED(RegisterDragDrop(m_hWnd, target))) {
        m_pDropTarget = target;
    } else {
        target->Detach();
        target->Release();
    }
    return true;
}

int CMdiTabStrip::FindTab(HWND child) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i].hWnd == child) return static_cast<int>(i);
    return -1;
}

HWND CMdiTabStrip::GetTabWindow(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[static_cast<size_t>(index)].hWnd : nullptr;
}

std::string CMdiTabStrip::GetTabText(int index) const
{
    if (!m_hWnd || index < 0 || index >= GetTabCount()) return std::string();
    char text[kTitleBytes] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(m_hWnd, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    text[sizeof text - 1] = '\0';
    return item.pszText ? std::string(item.pszText) : std::string();
}

int CMdiTabStrip::GetCurSel() const
{
    return m_hWnd ? static_cast<int>(SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0)) : -1;
}

RECT CMdiTabStrip::GetItemRect(int index) const
{
    RECT rc{};
    if (m_hWnd && index >= 0 && index < GetTabCount())
        SendMessageA(m_hWnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

int CMdiTabStrip::HitTest(POINT client) const
{
    TCHITTESTINFO hit{client, 0};
    const int index = static_cast<int>(SendMessageA(m_hWnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return index >= 0 && index < GetTabCount() ? index : -1;
}

HWND CMdiTabStrip::ActiveChild(BOOL* maximized) const
{
    HWND client = m_pBar ? m_pBar->GetMDIClient() : nullptr;
    if (!client) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

void CMdiTabStrip::ActivateWindow(HWND child)
{
    if (HWND client = m_pBar ? m_pBar->GetMDIClient() : nullptr)
        SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
}

std::string CMdiTabStrip::TitleOf(HWND child) const
{
    char answer[kTitleBytes] = {};
    if (SendMessageA(child, kMsgGetTabText, sizeof answer, reinterpret_cast<LPARAM>(answer)) != 0) {
        answer[sizeof answer - 1] = '\0';
        if (answer[0]) return answer;
    }
    if (auto* frame = dynamic_cast<FxMDIChild*>(FxWnd::FromHandle(child)))
        if (FxDocument* doc = frame->GetActiveDocument())
            if (!doc->GetTitle().empty()) return doc->GetTitle();
    const int length = GetWindowTextLengthA(child);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(child, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(0, copied)));
    return text;
}

int CMdiTabStrip::ImageOf(HWND child)
{
    auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(child, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(child, GCLP_HICON));
    if (!icon || !m_images) return -1;
    for (const auto& known : m_icons)
        if (known.first == icon) return known.second;
    const int image = AddIconMasked(m_images.Get(), icon);
    if (image >= 0) m_icons.emplace_back(icon, image);
    return image;
}

void CMdiTabStrip::AddTab(HWND child)
{
    TabRecord record;
    record.hWnd = child;
    record.strTitle = TitleOf(child);
    char cls[128] = {};
    GetClassNameA(child, cls, sizeof cls);
    record.strClass = cls;
    record.nImage = ImageOf(child);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<char*>(record.strTitle.c_str());
    item.iImage = record.nImage;
    item.lParam = reinterpret_cast<LPARAM>(child);
    const int at = GetTabCount();
    if (SendMessageA(m_hWnd, TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item)) != at) return;
    m_tabs.push_back(std::move(record));
}

void CMdiTabStrip::RemoveTabAt(int index)
{
    SendMessageA(m_hWnd, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    m_tabs.erase(m_tabs.begin() + index);
}

bool CMdiTabStrip::RemoveTab(HWND child)
{
    const int index = m_hWnd ? FindTab(child) : -1;
    if (index < 0) return false;
    RemoveTabAt(index);
    return true;
}

void CMdiTabStrip::SelectTabOf(HWND child)
{
    if (!m_hWnd) return;
    const int index = child ? FindTab(child) : -1;
    if (GetCurSel() != index) SendMessageA(m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CMdiTabStrip::RequestRefresh()
{
    if (!m_hWnd || m_bRefreshPosted) return;
    m_bRefreshPosted = PostMessageA(m_hWnd, kRefreshMsg, 0, 0) != FALSE;
}

void CMdiTabStrip::Refresh()
{
    m_bRefreshPosted = false;
    HWND client = m_pBar ? m_pBar->GetMDIClient() : nullptr;
    if (!m_hWnd || !client) return;
    HWND active = ActiveChild();
    bool bChanged = false;
    // Bottom of the window order first: windows found in one pass get their tabs oldest first.
    HWND top = GetWindow(client, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        // Icon titles of minimized windows are children of the client too, but no MDI children.
        if (!(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_MDICHILD)) continue;
        const bool bVisible = (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0;
        const int index = FindTab(child);
        if (index < 0) {
            // A hidden window gets no tab: it would only lose it again at the next refresh.
            if (!bVisible) continue;
            // Maximizing activates: only the active window is maximized, the others keep their state.
            if (child == active) SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
            AddTab(child);
            bChanged = true;
        } else if (!bVisible) {
            RemoveTabAt(index);
            bChanged = true;
        } else {
            TabRecord& record = m_tabs[static_cast<size_t>(index)];
            std::string title = TitleOf(child);
            if (title != record.strTitle) {
                record.strTitle = std::move(title);
                TCITEMA item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<char*>(record.strTitle.c_str());
                SendMessageA(m_hWnd, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
                bChanged = true;  // a wider or narrower tab may change the number of rows
            }
        }
    }
    // Windows destroyed without a message the bar saw, or moved out of the client.
    for (int i = GetTabCount() - 1; i >= 0; --i) {
        HWND child = m_tabs[static_cast<size_t>(i)].hWnd;
        if (!IsWindow(child) || GetParent(child) != client) {
            RemoveTabAt(i);
            bChanged = true;
        }
    }
    SelectTabOf(active);
    if (bChanged) m_pBar->RecalcLayout();
}

bool CMdiTabStrip::ActivateTabAt(POINT screen)
{
    if (!m_hWnd) return false;
    ScreenToClient(m_hWnd, &screen);
    const int index = HitTest(screen);
    if (index < 0) return false;
    HWND child = m_tabs[static_cast<size_t>(index)].hWnd;
    if (ActiveChild() != child) ActivateWindow(child);
    return true;
}

// The active maximized window is restored; any other is activated and maximized.
void CMdiTabStrip::OnDoubleClick(POINT client)
{
    const int index = HitTest(client);
    HWND mdiClient = m_pBar ? m_pBar->GetMDIClient() : nullptr;
    if (index < 0 || !mdiClient) return;
    HWND child = m_tabs[static_cast<size_t>(index)].hWnd;
    BOOL bMaximized = FALSE;
    HWND active = ActiveChild(&bMaximized);
    if (active == child && bMaximized) {
        SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        return;
    }
    if (active != child) ActivateWindow(child);
    SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
}

// The margin around the control: button face inside a sunken line (shadow top and left,
// highlight bottom and right).
void CMdiTabStrip::PaintMargin()
{
    HDC dc = GetWindowDC(m_hWnd);
    if (!dc) return;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    OffsetRect(&rc, -rc.left, -rc.top);
    DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    for (int i = 1; i < kNcMargin; ++i) {
        InflateRect(&rc, -1, -1);
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(m_hWnd, dc);
}

LRESULT CMdiTabStrip::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_TIMER:
        if (wp != kRefreshTimer) break;
        Refresh();
        return 0;
    case kRefreshMsg:
        Refresh();
        return 0;
    case WM_LBUTTONDOWN: {
        const int index = HitTest(pt);
        const LRESULT result = Default(msg, wp, lp);
        if (index >= 0 && index < GetTabCount()) {
            ActivateWindow(m_tabs[static_cast<size_t>(index)].hWnd);
            if (m_pBar) m_pBar->RecalcLayout();
        }
        return result;
    }
    case WM_LBUTTONDBLCLK:
        if (HitTest(pt) < 0) break;
        OnDoubleClick(pt);
        return 0;
    case WM_NCCALCSIZE: {
        const LRESULT result = Default(msg, wp, lp);
        RECT* rc = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
        InflateRect(rc, -kNcMargin, -kNcMargin);
        *rc = Normalised(*rc);
        return result;
    }
    case WM_NCPAINT: {
        const LRESULT result = Default(msg, wp, lp);
        PaintMargin();
        return result;
    }
    case WM_DESTROY:
        KillTimer(m_hWnd, kRefreshTimer);
        if (m_pDropTarget) {
            RevokeDragDrop(m_hWnd);
            m_pDropTarget->Detach();
            m_pDropTarget->Release();
            m_pDropTarget = nullptr;
        }
        break;
    }
    return Default(msg, wp, lp);
}

// --- CMdiTabBar

CMdiTabBar::~CMdiTabBar() { Uninstall(); }

bool CMdiTabBar::Install(HWND frame, HWND mdiClient, DWORD tabStyle)
{
    if (IsInstalled() || !IsWindow(frame) || !IsWindow(mdiClient) || GetParent(mdiClient) != frame) return false;
    char cls[32] = {};
    GetClassNameA(mdiClient, cls, sizeof cls);
    if (lstrcmpiA(cls, "MDICLIENT") != 0) return false;
    m_hWndFrame = frame;
    m_hWndMDIClient = mdiClient;
    if (!m_strip.Create(this, frame, tabStyle) ||
        !SetWindowSubclass(mdiClient, ClientProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        m_strip.DestroyWindow();
        m_hWndFrame = m_hWndMDIClient = nullptr;
        return false;
    }
    RECT area;
    GetWindowRect(mdiClient, &area);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&area), 2);
    m_rcArea = area;
    m_strip.Refresh();
    RecalcLayout();
    return true;
}

void CMdiTabBar::Uninstall()
{
    if (m_hWndMDIClient) RemoveWindowSubclass(m_hWndMDIClient, ClientProc, kSubclassId);
    m_hWndMDIClient = nullptr;
    m_hWndFrame = nullptr;
}

void CMdiTabBar::Layout(const RECT& area)
{
    m_rcArea = Normalised(area);
    if (!m_hWndMDIClient) return;
    const RECT& a = m_rcArea;
    HWND strip = m_strip.m_hWnd;
    if (!strip || !(GetWindowLongPtrA(strip, GWL_STYLE) & WS_VISIBLE)) {
        MoveWindow(m_hWndMDIClient, a.left, a.top, a.right - a.left, a.bottom - a.top, TRUE);
        return;
    }
    // Just below the MDI client, which lies over the strip's display area.
    SetWindowPos(strip, m_hWndMDIClient, a.left, a.top, a.right - a.left, a.bottom - a.top, SWP_NOACTIVATE);
    RECT display;
    GetClientRect(strip, &display);
    SendMessageA(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MapWindowPoints(strip, m_hWndFrame, reinterpret_cast<POINT*>(&display), 2);
    tabs::Rect inner = tabs::InsetDisplay({display.left, display.top, display.right, display.bottom},
                                          m_strip.GetMargin());
    // Never outside the area, however small it is.
    inner.left = std::clamp(inner.left, static_cast<int>(a.left), static_cast<int>(a.right));
    inner.right = std::clamp(inner.right, static_cast<int>(a.left), static_cast<int>(a.right));
    inner.top = std::clamp(inner.top, static_cast<int>(a.top), static_cast<int>(a.bottom));
    inner.bottom = std::clamp(inner.bottom, static_cast<int>(a.top), static_cast<int>(a.bottom));
    inner = tabs::Normalised(inner);
    MoveWindow(m_hWndMDIClient, inner.left, inner.top, inner.Width(), inner.Height(), TRUE);
}

void CMdiTabBar::RecalcLayout()
{
    if (IsInstalled()) Layout(m_rcArea);
}

void CMdiTabBar::OnChildActivated(HWND child)
{
    m_strip.SelectTabOf(child);
    m_strip.RequestRefresh();
}

LRESULT CALLBACK CMdiTabBar::ClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    auto* bar = reinterpret_cast<CMdiTabBar*>(data);
    if (msg == WM_NCDESTROY) {
        bar->Uninstall();
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    try {
        return bar->OnClientMessage(hwnd, msg, wp, lp);
    } catch (...) {
        // No exception crosses into the system: the client carries on as it would without the bar.
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

LRESULT CMdiTabBar::OnClientMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MDICREATE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        m_strip.SelectTabOf(nullptr);
        m_strip.RequestRefresh();
        return result;
    }
    case WM_MDIDESTROY: {
        if (m_strip.RemoveTab(reinterpret_cast<HWND>(wp))) RecalcLayout();
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        m_strip.RequestRefresh();
        return result;
    }
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        OnChildActivated(reinterpret_cast<HWND>(SendMessageA(hwnd, WM_MDIGETACTIVE, 0, 0)));
        return result;
    }
    case WM_PARENTNOTIFY:
        // Children made or destroyed without the MDI messages (CreateWindowEx, DestroyWindow).
        if (LOWORD(wp) == WM_DESTROY && m_strip.RemoveTab(reinterpret_cast<HWND>(lp))) RecalcLayout();
        if (LOWORD(wp) == WM_CREATE) m_strip.RequestRefresh();
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
        if ((flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) && m_strip.m_hWnd) {
            ShowWindow(m_strip.m_hWnd, (flags & SWP_SHOWWINDOW) ? SW_SHOWNA : SW_HIDE);
            RecalcLayout();
        }
        return result;
    }
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}
