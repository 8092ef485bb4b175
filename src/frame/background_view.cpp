#include "frame/background_view.h"
#include "fx/fx_paint_dc.h"
#include "fx/fx_splitter.h"
#include <shellapi.h>
#include <windowsx.h>

using halyard::app::HtmlBlock;
using halyard::app::HtmlRun;
using halyard::app::LinkKind;

namespace {
const int kLineStep = 20;
const DWORD kMaxPageBytes = 8u << 20;  // larger files are not pages of ours

void ShellOpen(const char* address) { ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL); }
CBackgroundView::WebOpener g_webOpener = ShellOpen;
CBackgroundView::TextDrawnHook g_drawnHook = nullptr;

// The page's code page is 936 like the program's texts; characters it lacks give nothing.
std::string EncodeCp936(std::uint32_t cp)
{
    wchar_t wide[2];
    int n = 1;
    if (cp > 0xFFFF) {
        cp -= 0x10000;
        wide[0] = wchar_t(0xD800 + (cp >> 10));
        wide[1] = wchar_t(0xDC00 + (cp & 0x3FF));
        n = 2;
    } else {
        wide[0] = wchar_t(cp);
    }
    char bytes[8];
    BOOL lossy = FALSE;
    int len = WideCharToMultiByte(936, 0, wide, n, bytes, sizeof bytes, nullptr, &lossy);
    return len > 0 && !lossy ? std::string(bytes, len) : std::string();
}

bool ReadPage(const std::string& path, std::string& bytes)
{
    FxHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kMaxPageBytes) return false;
    bytes.resize(size);
    DWORD read = 0;
    return size == 0 || (ReadFile(file.Get(), &bytes[0], size, &read, nullptr) && read == size);
}

// The current folder as it was when the first welcome view was shown; the address never changes
// afterwards. The buffer is sized to the folder, so a long path is never cut.
const std::string& WelcomePagePath()
{
    static const std::string path = [] {
        DWORD need = GetCurrentDirectoryA(0, nullptr);
        std::string folder(need, '\0');
        DWORD got = need ? GetCurrentDirectoryA(need, &folder[0]) : 0;
        folder.resize(got < need ? got : 0);
        return folder + "\\Halyard.htm";
    }();
    return path;
}
}  // namespace

void CBackgroundView::SetWebOpener(WebOpener opener) { g_webOpener = opener ? opener : ShellOpen; }
void CBackgroundView::SetTextDrawnHook(TextDrawnHook hook) { g_drawnHook = hook; }

void CBackgroundView::OnInitialUpdate() { Navigate(WelcomePagePath()); }

bool CBackgroundView::ShowInBrowser(const std::string& path)
{
    if (!m_pBrowser && m_hWnd) m_pBrowser = CBrowserHost::Create(m_hWnd);
    if (m_pBrowser && m_pBrowser->Navigate(path)) return true;
    m_pBrowser.reset();
    return false;
}

bool CBackgroundView::Navigate(const std::string& path)
{
    m_strPath = path;
    std::string bytes;
    bool found = ReadPage(path, bytes);
    if (found && ShowInBrowser(path)) return true;
    if (found) {
        m_blocks = halyard::app::ParseHtmlPage(bytes, EncodeCp936);
    } else {
        m_blocks = {HtmlBlock{halyard::app::BlockKind::Paragraph, 0, {HtmlRun{"page not found", false, ""}}},
                    HtmlBlock{halyard::app::BlockKind::Paragraph, 0, {HtmlRun{path, false, ""}}}};
    }
    m_nTop = 0;
    Relayout();
    return found;
}

void CBackgroundView::FollowLink(const std::string& href)
{
    halyard::app::PageLink link = halyard::app::ResolvePageLink(m_strPath, href);
    if (link.kind == LinkKind::Web) g_webOpener(link.target.c_str());
    else if (link.kind == LinkKind::Local) Navigate(link.target);
}

void CBackgroundView::Relayout()
{
    if (!m_hWnd) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    FxClientDC dc(m_hWnd);
    m_layout = LayOutWelcomePage(dc.Get(), m_blocks, rc.right, m_fonts);
    ScrollTo(m_nTop);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CBackgroundView::ClientHeight() const
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    return rc.bottom;
}

void CBackgroundView::ScrollTo(int top)
{
    int most = m_layout.height - ClientHeight();
    top = top > most ? most : top;
    top = top < 0 ? 0 : top;
    if (top != m_nTop) {
        ScrollWindowEx(m_hWnd, 0, m_nTop - top, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
        m_nTop = top;
    }
    UpdateScrollBar();
}

// Inside a splitter the bar is the splitter's, shared along the row.
void CBackgroundView::UpdateScrollBar()
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = m_layout.height > 0 ? m_layout.height - 1 : 0;
    si.nPage = static_cast<UINT>(ClientHeight());
    si.nPos = m_nTop;
    FxSplitterWnd* splitter = FxSplitterWnd::OfPane(m_hWnd);
    HWND bar = splitter ? splitter->GetScrollBarOf(this, SB_VERT) : nullptr;
    if (bar) SetScrollInfo(bar, SB_CTL, &si, TRUE);
    else if (!splitter) SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CBackgroundView::OnVScroll(int request)
{
    int page = ClientHeight() - kLineStep;
    switch (request) {
    case SB_LINEUP: ScrollTo(m_nTop - kLineStep); break;
    case SB_LINEDOWN: ScrollTo(m_nTop + kLineStep); break;
    case SB_PAGEUP: ScrollTo(m_nTop - page); break;
    case SB_PAGEDOWN: ScrollTo(m_nTop + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(m_layout.height); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(FxSplitterWnd::ScrollTrackPosOf(this, SB_VERT)); break;
    default: break;
    }
}

void CBackgroundView::OnPaint()
{
    FxPaintDC paint(m_hWnd);
    DrawWelcomePage(paint.Dc(), m_layout, m_nTop, paint.PaintRect(), g_drawnHook);
}

bool CBackgroundView::OnSetCursor()
{
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    const WelcomePiece* piece = WelcomePieceAt(m_layout, m_nTop, pt);
    if (!piece || piece->link.empty()) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

void CBackgroundView::OnLButtonUp(POINT pt)
{
    const WelcomePiece* piece = WelcomePieceAt(m_layout, m_nTop, pt);
    if (piece && !piece->link.empty()) FollowLink(std::string(piece->link));  // a copy: Navigate drops the layout
}

LRESULT CBackgroundView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    case WM_SIZE:
        if (m_pBrowser) m_pBrowser->Fit();
        else Relayout();
        return 0;
    case WM_DESTROY: m_pBrowser.reset(); break;
    case WM_VSCROLL: OnVScroll(LOWORD(wp)); return 0;
    case WM_MOUSEWHEEL: ScrollTo(m_nTop - GET_WHEEL_DELTA_WPARAM(wp) * 3 * kLineStep / WHEEL_DELTA); return 0;
    case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN || wp == VK_PRIOR || wp == VK_NEXT || wp == VK_HOME || wp == VK_END) {
            static const struct { WPARAM key; int request; } kKeys[] = {{VK_UP, SB_LINEUP}, {VK_DOWN, SB_LINEDOWN},
                {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP}, {VK_END, SB_BOTTOM}};
            for (const auto& k : kKeys)
                if (k.key == wp) OnVScroll(k.request);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_LBUTTONUP: OnLButtonUp(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    default: break;
    }
    return FxView::WindowProc(msg, wp, lp);
}

bool CBackgroundView::PreTranslateMessage(MSG& msg) { return m_pBrowser && m_pBrowser->TranslateAccelerator(msg); }
