#include "frame/page_tab_ctrl.h"
#include "core/frame/tab_strip.h"
#include "fx/fx_class_registry.h"
#include "fx/fx_dialog.h"
#include "fx/fx_paint_dc.h"
#include <commctrl.h>
#include <windowsx.h>
#include <algorithm>

namespace tabs = halyard::tabs;

namespace {
const UINT_PTR kSlideTimer = 1;
const UINT kSlidePeriod = 15; // milliseconds between two steps of a sliding page
const int kIconSize = 16;
const int kIconTop = 3;  // from a tab's top to its icon
const int kTitleTop = 5; // from a tab's top to its title
const BYTE kGb2312Charset = 134;

tabs::Rect ToCore(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }
RECT ToRect(const tabs::Rect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }

int TextWidth(HDC dc, std::string_view text)
{
    SIZE size{};
    if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

void Line(HDC dc, int x1, int y1, int x2, int y2, int colour)
{
    RECT rc{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    FillRect(dc, &rc, GetSysColorBrush(colour));
}
}  // namespace

CPageTabCtrl::~CPageTabCtrl()
{
    // The pages are children of the control: they go with its window, before their objects.
    DestroyWindow();
}

bool CPageTabCtrl::Create(DWORD style, const RECT& rc, HWND parent, UINT id)
{
    m_dwStyle = tabs::StyleFromCreateStyle(style);
    const char* cls = RegisterClassOnce("HalyardPageTabCtrl", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                        static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), nullptr,
                                        LoadCursor(nullptr, IDC_ARROW));
    m_font.Reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, kGb2312Charset, OUT_STROKE_PRECIS,
                             CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH, "宋体"));
    const DWORD windowStyle = (style & ~static_cast<DWORD>(tabs::kStyleMask)) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CreateEx(0, cls, "", windowStyle, rc, parent, id);
}

bool CPageTabCtrl::AddWindowPage(HWND page, const char* title, UINT iconId)
{
    if (!m_hWnd || !IsWindow(page) || GetParent(page) != m_hWnd) return false;
    return AppendPage(page, nullptr, title, iconId);
}

bool CPageTabCtrl::AddDialogPage(const FxClassRegistry& classes, const char* className, UINT pageId, const char* title,
                                 UINT iconId)
{
    if (!m_hWnd || !className) return false;
    std::unique_ptr<FxDialog> dialog = classes.Create(className);
    if (!dialog || !dialog->CreatePage(m_hWnd, pageId)) return false;
    HWND page = dialog->m_hWnd;
    return AppendPage(page, std::move(dialog), title, iconId);
}

bool CPageTabCtrl::AppendPage(HWND page, std::unique_ptr<FxDialog> owned, const char* title, UINT iconId)
{
    Page record;
    record.hWnd = page;
    record.owned = std::move(owned);
    record.strTitle = title ? title : "";
    record.strShown = record.strTitle;
    // Drawn by DrawIconEx, which blends the alpha channel of the 32-bit icons.
    if (iconId)
        record.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                     kIconSize, kIconSize, LR_SHARED));
    m_pages.push_back(std::move(record));
    const RECT area = GetPageRect();
    MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
    ShowWindow(page, SW_HIDE);
    return true;
}

HWND CPageTabCtrl::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].hWnd : nullptr;
}

FxDialog* CPageTabCtrl::GetDialogPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].owned.get() : nullptr;
}

RECT CPageTabCtrl::GetTabRect(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].rcTab : RECT{};
}

std::string CPageTabCtrl::GetShownTitle(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].strShown : std::string();
}

RECT CPageTabCtrl::GetPageRect() const
{
    RECT client{};
    if (m_hWnd) GetClientRect(m_hWnd, &client);
    return ToRect(tabs::PageTabLayout(ToCore(client), m_dwStyle, m_nBorder).pages);
}

void CPageTabCtrl::RecalcLayout()
{
    if (!m_hWnd || m_pages.empty()) return;
    StopSlide();
    RECT client;
    GetClientRect(m_hWnd, &client);
    const tabs::PageTabGeometry g = tabs::PageTabLayout(ToCore(client), m_dwStyle, m_nBorder);
    for (const Page& page : m_pages)
        MoveWindow(page.hWnd, g.pages.left, g.pages.top, g.pages.Width(), g.pages.Height(), TRUE);

    FxClientDC dc(m_hWnd);
    FxSelectObject font(dc.Get(), m_font.Get());
    const tabs::MeasureText measure = [&dc](std::string_view text) { return TextWidth(dc.Get(), text); };
    std::vector<int> natural;
    for (const Page& page : m_pages) natural.push_back(tabs::NaturalTabWidth(measure(page.strTitle), page.hIcon != nullptr));
    const std::vector<int> widths = tabs::TabWidths(natural, g.strip.Width(), (m_dwStyle & kEqualWidth) != 0);
    const std::vector<tabs::Rect> rects = tabs::PlaceTabs(g.strip, widths);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        Page& page = m_pages[i];
        page.rcTab = ToRect(rects[i]);
        page.strShown = tabs::ShortenTitle(page.strTitle, tabs::TitleRoom(widths[i], page.hIcon != nullptr), measure);
    }
    if (m_nActivePage < 0) ActivatePage(0);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPageTabCtrl::ActivatePage(int index)
{
    if (!m_hWnd || index < 0 || index >= GetPageCount()) return;
    StopSlide();
    const int previous = m_nActivePage;
    if (previous >= 0 && previous != index) ShowWindow(m_pages[static_cast<size_t>(previous)].hWnd, SW_HIDE);
    m_nActivePage = index;
    HWND page = m_pages[static_cast<size_t>(index)].hWnd;
    const RECT area = GetPageRect();
    if ((m_dwStyle & kSliding) && previous != index && area.right > area.left) {
        // The page starts one page width to the right and moves in on the timer.
        m_nSlideOffset = area.right - area.left;
        SetWindowPos(page, nullptr, area.left + m_nSlideOffset, area.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetTimer(m_hWnd, kSlideTimer, kSlidePeriod, nullptr);
    }
    ShowWindow(page, SW_SHOW);
    InvalidateRect(m_hWnd, nullptr, FALSE);
    if (previous != index) Notify(TCN_SELCHANGE);
}

void CPageTabCtrl::StepSlide()
{
    if (m_nActivePage < 0 || m_nSlideOffset <= 0) {
        StopSlide();
        return;
    }
    const RECT area = GetPageRect();
    m_nSlideOffset -= std::max(1, static_cast<int>(area.right - area.left) / 8);
    if (m_nSlideOffset <= 0) {
        StopSlide();
        return;
    }
    SetWindowPos(m_pages[static_cast<size_t>(m_nActivePage)].hWnd, nullptr, area.left + m_nSlideOffset, area.top, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Ends a slide at once: the sliding page is put in its place.
void CPageTabCtrl::StopSlide()
{
    if (m_hWnd) KillTimer(m_hWnd, kSlideTimer);
    if (m_nSlideOffset == 0) return;
    m_nSlideOffset = 0;
    if (HWND page = GetPage(m_nActivePage)) {
        const RECT area = GetPageRect();
        SetWindowPos(page, nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CPageTabCtrl::Notify(UINT code)
{
    HWND parent = GetParent(m_hWnd);
    if (!parent) return;
    NMHDR hdr{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd)), code};
    SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

bool CPageTabCtrl::OnButtonDown(POINT pt)
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (!PtInRect(&m_pages[i].rcTab, pt)) continue;
        if (static_cast<int>(i) != m_nActivePage) ActivatePage(static_cast<int>(i));
        return true;
    }
    return false;
}

void CPageTabCtrl::Paint(HDC target)
{
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int cx = std::max(1, static_cast<int>(client.right)), cy = std::max(1, static_cast<int>(client.bottom));
    // Drawn off screen and copied at once: the strip does not flicker while the pane is resized.
    FxMemoryDC mem = FxCreateMemoryDC(target);
    FxBitmap bitmap(CreateCompatibleBitmap(target, cx, cy));
    HDC dc = mem && bitmap ? mem.Get() : target;
    FxSelectObject selectBitmap(dc, dc == target ? nullptr : bitmap.Get());
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    const tabs::PageTabGeometry g = tabs::PageTabLayout(ToCore(client), m_dwStyle, m_nBorder);
    RECT frame = ToRect(g.frame);
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    FxSelectObject font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (static_cast<int>(i) != m_nActivePage) PaintTab(dc, m_pages[i], false);
    if (m_nActivePage >= 0) PaintTab(dc, m_pages[static_cast<size_t>(m_nActivePage)], true);
    if (dc != target) BitBlt(target, 0, 0, cx, cy, dc, 0, 0, SRCCOPY);
}

// A tab hangs off the pages' frame: white on its leading side, shadow and black on the others.
// The active tab is taller, filled with the button face, and opens into the frame.
void CPageTabCtrl::PaintTab(HDC dc, const Page& page, bool active)
{
    RECT rc = page.rcTab;
    if (rc.right - rc.left < 3) return;
    const bool bottom = tabs::TabsAtBottom(m_dwStyle);
    const int shrink = active ? 0 : 2;
    if (bottom) rc.bottom -= shrink;
    else rc.top += shrink;
    const int l = rc.left, r = rc.right - 1, t = rc.top, b = rc.bottom - 1;
    if (active) {
        // Over the frame's two lines on the tab side, so that the tab and the page area are one.
        RECT fill{l + 1, bottom ? t - 2 : t + 1, r - 1, bottom ? b - 1 : b + 3};
        FillRect(dc, &fill, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (bottom) {
        Line(dc, l, t, l, b - 1, COLOR_BTNHIGHLIGHT);
        Line(dc, l + 1, b - 1, r - 1, b - 1, COLOR_BTNSHADOW);
        Line(dc, l + 1, b, r - 1, b, COLOR_3DDKSHADOW);
        Line(dc, r - 1, t, r - 1, b - 1, COLOR_BTNSHADOW);
        Line(dc, r, t, r, b - 1, COLOR_3DDKSHADOW);
    } else {
        Line(dc, l, t + 1, l, b, COLOR_BTNHIGHLIGHT);
        Line(dc, l + 1, t, r - 1, t, COLOR_BTNHIGHLIGHT);
        Line(dc, r - 1, t + 1, r - 1, b, COLOR_BTNSHADOW);
        Line(dc, r, t + 1, r, b, COLOR_3DDKSHADOW);
    }
    int x = page.rcTab.left + tabs::kTabInset;
    if (page.hIcon) {
        if (page.rcTab.right - page.rcTab.left > kIconSize)
            DrawIconEx(dc, x, rc.top + kIconTop, page.hIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        x += tabs::kIconRoom;
    }
    RECT clip{l + 1, t, r - 1, b - 1};
    ExtTextOutA(dc, x, rc.top + kTitleTop, ETO_CLIPPED, &clip, page.strShown.c_str(),
                static_cast<UINT>(page.strShown.size()), nullptr);
}

LRESULT CPageTabCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // the painter fills every pixel
    case WM_PAINT: {
        FxPaintDC paint(m_hWnd);
        Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnButtonDown(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) return 0;
        break;
    case WM_TIMER:
        if (wp == kSlideTimer) {
            StepSlide();
            return 0;
        }
        break;
    case WM_GETFONT:  // the tab font is the control's own; WM_SETFONT changes nothing
        return reinterpret_cast<LRESULT>(m_font.Get());
    case WM_DESTROY:
        StopSlide();
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
        // The pages' controls (the workspace tree) report to whoever holds the tab control.
        if (HWND parent = GetParent(m_hWnd)) return SendMessageA(parent, msg, wp, lp);
        break;
    default: {
        LRESULT brush;
        if (ReflectCtlColor(msg, wp, lp, &brush)) return brush;
    }
    }
    return Default(msg, wp, lp);
}
