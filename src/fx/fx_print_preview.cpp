#include "fx/fx_print_preview.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "fx/fx_app.h"
#include "fx/fx_doc.h"
#include "fx/fx_paint_dc.h"
#include "fx/fx_view.h"
#include "resource.h"

namespace {
const UINT kPrintNow = WM_APP + 1;  // posted: the preview closes, then the view prints
const int kScrollLine = 32;         // pixels a scroll arrow moves

int DeviceCap(HDC dc, int index, int fallback)
{
    const int value = GetDeviceCaps(dc, index);
    return value > 0 ? value : fallback;
}
}  // namespace

FxPrintPreview::Bar::Bar(FxCmdTarget& preview) : FxDialog(IDD_PRINT_PREVIEW_BAR) { ChainTo(&preview); }

FxPrintPreview::FxPrintPreview(FxView& view) : m_view(view), m_bar(*this)
{
    m_info.m_bPreview = true;
    RegisterCommands();
}

FxPrintPreview::~FxPrintPreview()
{
    if (m_bBegun) m_view.OnEndPrinting(m_info.AttribDC(), m_info);
}

bool FxPrintPreview::Open(FxView& view)
{
    if (view.m_pPreview) return true;
    auto* preview = new FxPrintPreview(view);
    if (!view.OnPreparePrinting(preview->m_info) || !preview->Create()) {
        delete preview;
        return false;
    }
    return true;
}

void FxPrintPreview::RegisterCommands()
{
    const auto close = [this] { PostMessageA(m_hWnd, WM_CLOSE, 0, 0); };
    OnCommand(ID_PREVIEW_CLOSE, close);
    OnCommand(IDCANCEL, close);  // Escape in the bar
    OnCommand(ID_PREVIEW_PRINT, [this] { PostMessageA(m_hWnd, kPrintNow, 0, 0); });
    OnCommand(ID_PREVIEW_NEXT, [this] { ShowPage(m_nCurPage + 1); });
    OnCommand(ID_PREVIEW_PREV, [this] { ShowPage(m_nCurPage - 1); });
    OnCommand(ID_PREVIEW_NUMPAGE, [this] { SetPagesShown(3 - m_nPagesShown); });
    OnCommand(ID_PREVIEW_ZOOMIN, [this] { SetZoom(m_nZoom + 1); });
    OnCommand(ID_PREVIEW_ZOOMOUT, [this] { SetZoom(m_nZoom - 1); });
}

bool FxPrintPreview::Create()
{
    const HDC printer = m_info.AttribDC();
    m_view.OnBeginPrinting(printer, m_info);
    m_bBegun = true;
    // The paper, and where on it the drawable area lies.
    const int width = m_info.m_rectDraw.right, height = m_info.m_rectDraw.bottom;
    m_szPaper = {DeviceCap(printer, PHYSICALWIDTH, width), DeviceCap(printer, PHYSICALHEIGHT, height)};
    m_ptImage = {GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY)};

    m_hOwner = GetAncestor(m_view.m_hWnd, GA_ROOT);
    RECT rc{};
    GetWindowRect(m_hOwner, &rc);
    const FxDocument* doc = m_view.GetDocument();
    const std::string title = FxFormatString(IDS_PRINT_PREVIEW_TITLE, doc ? doc->GetTitle().c_str() : "");
    const char* cls = RegisterClassOnce("FxPrintPreview", 0, nullptr);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
    if (!CreateEx(0, cls, title.c_str(), style, rc, m_hOwner, 0)) return false;
    if (!m_bar.CreatePage(m_hWnd, IDD_PRINT_PREVIEW_BAR)) return false;
    m_view.m_pPreview = this;
    m_bOpen = true;
    EnableWindow(m_hOwner, FALSE);
    // Laying out the first page tells the page count.
    m_nPageCount = PageImage(1) ? std::max(1, m_info.m_nMaxPage) : 0;
    OnSize();
    ShowWindow(m_hWnd, SW_SHOW);
    SetFocus(m_hWnd);
    return true;
}

HENHMETAFILE FxPrintPreview::PageImage(int page)
{
    const auto found = m_images.find(page);
    if (found != m_images.end()) return found->second.Get();
    const HDC printer = m_info.AttribDC();
    const RECT& draw = m_info.m_rectDraw;
    // The metafile's frame is in hundredths of a millimetre.
    const RECT frame{0, 0, MulDiv(draw.right, 2540, DeviceCap(printer, LOGPIXELSX, 300)),
                     MulDiv(draw.bottom, 2540, DeviceCap(printer, LOGPIXELSY, 300))};
    const HDC dc = CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
    if (!dc) return nullptr;
    m_info.m_nCurPage = page;
    m_info.m_bContinuePrinting = true;
    m_view.OnPrepareDC(dc, m_info);
    if (m_info.m_bContinuePrinting) m_view.OnPrint(dc, m_info);
    FxEnhMetaFile image(CloseEnhMetaFile(dc));
    if (!m_info.m_bContinuePrinting || !image) return nullptr;
    return m_images.emplace(page, std::move(image)).first->second.Get();
}

void FxPrintPreview::ShowPage(int page)
{
    m_nCurPage = std::clamp(page, 1, std::max(1, m_nPageCount - m_nPagesShown + 1));
    UpdateBar();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void FxPrintPreview::SetPagesShown(int pages)
{
    m_nPagesShown = pages;
    Relayout();
    ShowPage(m_nCurPage);
}

void FxPrintPreview::SetZoom(int zoom)
{
    m_nZoom = std::clamp(zoom, 1, kPreviewMaxZoom);
    Relayout();
    UpdateBar();
}

void FxPrintPreview::UpdateBar()
{
    const auto enable = [this](int id, bool bOn) { EnableWindow(m_bar.GetItem(id), bOn); };
    enable(ID_PREVIEW_NEXT, m_nCurPage + m_nPagesShown <= m_nPageCount);
    enable(ID_PREVIEW_PREV, m_nCurPage > 1);
    enable(ID_PREVIEW_ZOOMIN, m_nZoom < kPreviewMaxZoom);
    enable(ID_PREVIEW_ZOOMOUT, m_nZoom > 1);
    const std::string pages = FxLoadString(m_nPagesShown == 2 ? IDS_PREVIEW_ONE_PAGE : IDS_PREVIEW_TWO_PAGE);
    SetWindowTextA(m_bar.GetItem(ID_PREVIEW_NUMPAGE), pages.c_str());
    const int last = std::min(m_nCurPage + m_nPagesShown - 1, m_nPageCount);
    char text[64];
    if (last > m_nCurPage)
        std::snprintf(text, sizeof text, "Pages %d, %d/%d", m_nCurPage, last, m_nPageCount);
    else
        std::snprintf(text, sizeof text, "Page %d/%d", m_nCurPage, m_nPageCount);
    SetWindowTextA(m_bar.GetItem(IDC_PREVIEW_PAGE), text);
}

RECT FxPrintPreview::PageArea() const
{
    RECT rc{}, bar{};
    GetClientRect(m_hWnd, &rc);
    GetWindowRect(m_bar.GetSafeHwnd(), &bar);
    rc.top = std::min<LONG>(rc.bottom, bar.bottom - bar.top);
    return rc;
}

void FxPrintPreview::OnSize()
{
    RECT rc{}, bar{};
    GetClientRect(m_hWnd, &rc);
    GetWindowRect(m_bar.GetSafeHwnd(), &bar);
    MoveWindow(m_bar.GetSafeHwnd(), 0, 0, rc.right, bar.bottom - bar.top, TRUE);
    Relayout();
    UpdateBar();
}

// Lays the pages out in the page area and fits the scroll bars to the canvas. Showing or hiding a
// scroll bar resizes the area and comes back here; the inner pass does the work.
void FxPrintPreview::Relayout()
{
    if (m_bLayingOut) return;
    m_bLayingOut = true;
    const RECT area = PageArea();
    const int width = area.right - area.left, height = area.bottom - area.top;
    m_layout = LayOutPreview(width, height, m_szPaper.cx, m_szPaper.cy, m_nPagesShown, m_nZoom);
    m_ptScroll.x = std::clamp<LONG>(m_ptScroll.x, 0, m_layout.canvasWidth - width);
    m_ptScroll.y = std::clamp<LONG>(m_ptScroll.y, 0, m_layout.canvasHeight - height);
    const int bars[] = {SB_HORZ, SB_VERT};
    for (int bar : bars) {
        const bool bHorz = bar == SB_HORZ;
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        si.nMax = (bHorz ? m_layout.canvasWidth : m_layout.canvasHeight) - 1;
        si.nPage = static_cast<UINT>(bHorz ? width : height);
        si.nPos = bHorz ? m_ptScroll.x : m_ptScroll.y;
        SetScrollInfo(m_hWnd, bar, &si, TRUE);
    }
    m_bLayingOut = false;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void FxPrintPreview::OnScroll(int bar, int code)
{
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(m_hWnd, bar, &si);
    const int page = static_cast<int>(si.nPage);
    int pos = si.nPos;
    switch (code) {
    case SB_LINEUP: pos -= kScrollLine; break;
    case SB_LINEDOWN: pos += kScrollLine; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    pos = std::clamp(pos, 0, std::max(0, si.nMax - page + 1));
    (bar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y) = pos;
    SetScrollPos(m_hWnd, bar, pos, TRUE);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void FxPrintPreview::DrawPage(HDC dc, const PrintRect& paper, int page)
{
    const RECT sheet{paper.left, paper.top, paper.right, paper.bottom};
    RECT shadow = sheet;
    OffsetRect(&shadow, 3, 3);
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HENHMETAFILE image = PageImage(page);
    if (!image) return;
    // The drawable area at its place on the paper, at the paper's scale.
    const int w = paper.Width(), h = paper.Height();
    const RECT& draw = m_info.m_rectDraw;
    const int left = paper.left + MulDiv(m_ptImage.x, w, m_szPaper.cx);
    const int top = paper.top + MulDiv(m_ptImage.y, h, m_szPaper.cy);
    const RECT target{left, top, left + MulDiv(draw.right, w, m_szPaper.cx), top + MulDiv(draw.bottom, h, m_szPaper.cy)};
    PlayEnhMetaFile(dc, image, &target);
}

void FxPrintPreview::OnPaint()
{
    FxPaintDC paint(m_hWnd);
    const HDC dc = paint.Dc();
    const RECT area = PageArea();
    FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    for (int i = 0; i < m_layout.pageCount && m_nCurPage + i <= m_nPageCount; ++i) {
        PrintRect paper = m_layout.pages[i];
        const int dx = area.left - m_ptScroll.x, dy = area.top - m_ptScroll.y;
        paper = {paper.left + dx, paper.top + dy, paper.right + dx, paper.bottom + dy};
        DrawPage(dc, paper, m_nCurPage + i);
    }
    RestoreDC(dc, saved);
}

void FxPrintPreview::OnDestroy()
{
    m_view.m_pPreview = nullptr;
    EnableWindow(m_hOwner, TRUE);
    SetActiveWindow(m_hOwner);
    if (IsWindowVisible(m_view.m_hWnd)) SetFocus(m_view.m_hWnd);
}

LRESULT FxPrintPreview::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (m_bOpen) OnSize();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScroll(msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wp));
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        if (wp == VK_NEXT || wp == VK_PRIOR) ShowPage(m_nCurPage + (wp == VK_NEXT ? 1 : -1));
        return 0;
    case WM_COMMAND:
        if (OnCmdMsg(LOWORD(wp), HIWORD(wp))) return 0;
        break;
    case kPrintNow: {
        FxView& view = m_view;
        ::DestroyWindow(m_hWnd);  // deletes this object
        view.OnFilePrint(false);
        return 0;
    }
    case WM_DESTROY:
        if (m_bOpen) OnDestroy();
        break;
    }
    return Default(msg, wp, lp);
}
bool FxView::OnFilePrintPreview() { return FxPrintPreview::Open(*this); }
