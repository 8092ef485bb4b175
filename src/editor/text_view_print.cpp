// CTextView: the printing steps, the page decoration and the Page Setup command.
#include <algorithm>

#include "editor/editor_font.h"
#include "editor/page_margins.h"
#include "editor/print_char_widths.h"
#include "editor/text_view.h"
#include "editor/text_view_find.h"
#include "fx/fx_print.h"
#include "resource.h"

namespace {
RECT ToRect(const PrintRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }
}  // namespace

void CTextView::RegisterPrintCommands()
{
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(false); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(true); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { (void)OnFilePrintPreview(); });
    OnCommand(ID_FILE_PAGE_SETUP, [this] { OnPageSetup(); });
}

// Margins mode in hundredths of a millimetre, paper and orientation left alone; the margins are
// written back only when the user confirms, and take effect at the next layout.
void CTextView::OnPageSetup()
{
    const FxSettings* pSettings = m_pFinders->site.GetSettings();
    const PageMargins margins = LoadPageMargins(pSettings);
    PAGESETUPDLGA psd{};
    psd.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_DISABLEPAPER | PSD_DISABLEORIENTATION;
    psd.rtMargin = RECT{margins.left, margins.top, margins.right, margins.bottom};
    if (!RunPageSetupDialog(psd) || !pSettings) return;
    const RECT& m = psd.rtMargin;
    (void)SavePageMargins(*pSettings, PageMargins{m.left, m.right, m.top, m.bottom});
}

// The screen font (or, when it cannot be made, the window's) scaled by the printer's pixels per
// inch over the screen's, on a face the printer has that shows Chinese.
void CTextView::OnBeginPrinting(HDC dc, FxPrintInfo&)
{
    LOGFONTA lf{};
    GetObjectA(GetFont(), sizeof lf, &lf);
    if (lf.lfHeight == 0) lf.lfHeight = GetLineHeight();
    FxClientDC screen(nullptr);
    lf.lfHeight = MulDiv(lf.lfHeight, GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(screen.Get(), LOGPIXELSY));
    lf.lfWidth = MulDiv(lf.lfWidth, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(screen.Get(), LOGPIXELSX));
    m_printFont.Reset(CreateEditorFontOn(lf, dc));
}

void CTextView::OnPrepareDC(HDC, FxPrintInfo& info)
{
    info.m_bContinuePrinting = m_pageStarts.empty() || info.m_nCurPage <= GetPrintPageCount();
}

void CTextView::OnEndPrinting(HDC, FxPrintInfo&)
{
    m_printFont.Reset();
    m_pageStarts.clear();
    m_pageStarts.shrink_to_fit();
    m_nPrintLineHeight = 0;
}

void CTextView::LayOutPrintedLine(int nLine, const CharWidthFn& widthOf, PrintedLine& out)
{
    ::LayOutPrintedLine(GetLineChars(nLine), m_nTabSize, m_rcPrintable.Width(), widthOf, out);
}

void CTextView::LayOutPages(const FxPrintInfo& info)
{
    const HDC dc = info.AttribDC();
    FxSelectObject font(dc, m_printFont.Get());
    SIZE size{};
    GetTextExtentPoint32A(dc, "X", 1, &size);
    m_nPrintLineHeight = std::max<int>(1, size.cy);
    const RECT& draw = info.m_rectDraw;
    m_rcPrintPage = PrintRect{std::min(draw.left, draw.right), std::min(draw.top, draw.bottom),
                              std::max(draw.left, draw.right), std::max(draw.top, draw.bottom)};
    m_rcPrintable = PrintableRect(m_rcPrintPage, LoadPageMargins(m_pFinders->site.GetSettings()),
                                  GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), m_nPrintLineHeight,
                                  m_bPrintFooter);
    CPrintCharWidths widths(dc);
    PrintedLine printed;
    m_pageStarts = LayOutPageStarts(GetLineCount(), m_rcPrintable.Height(), [&](int nLine) {
        LayOutPrintedLine(nLine, std::ref(widths), printed);
        return static_cast<int>(printed.rows.size()) * m_nPrintLineHeight;
    });
}

void CTextView::OnPrint(HDC dc, FxPrintInfo& info)
{
    if (m_pageStarts.empty()) LayOutPages(info);
    info.m_nMaxPage = GetPrintPageCount();
    FxSelectObject font(dc, m_printFont.Get());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (m_bPrintHeader) DrawPageHeader(dc, info.m_nCurPage);
    if (m_bPrintFooter) DrawPageFooter(dc, info.m_nCurPage);
    FxSelectObject attribFont(info.AttribDC(), info.AttribDC() != dc ? m_printFont.Get() : nullptr);
    PrintPageLines(dc, info.AttribDC(), info.m_nCurPage);
}

// Each row of a wrapped line from the printable rectangle's left edge, cut at its bottom: a line
// taller than the page shows its first rows only. The lines are those the page was laid out with;
// lines deleted since (during a preview) are not drawn.
void CTextView::PrintPageLines(HDC dc, HDC attribDC, int nPage)
{
    const int nPages = GetPrintPageCount();
    if (nPage < 1 || nPage > nPages) return;
    const int nFirst = m_pageStarts[nPage - 1];
    const int nEnd = std::min(nPage < nPages ? m_pageStarts[nPage] : GetLineCount(), GetLineCount());
    const RECT clip = ToRect(m_rcPrintable);
    CPrintCharWidths widths(attribDC);
    PrintedLine printed;
    int y = m_rcPrintable.top;
    for (int nLine = nFirst; nLine < nEnd && y < m_rcPrintable.bottom; ++nLine) {
        LayOutPrintedLine(nLine, std::ref(widths), printed);
        for (const WrapRow& row : printed.rows) {
            if (y >= m_rcPrintable.bottom) break;
            ExtTextOutA(dc, m_rcPrintable.left, y, ETO_CLIPPED, &clip, printed.text.data() + row.begin,
                        static_cast<UINT>(row.end - row.begin), nullptr);
            y += m_nPrintLineHeight;
        }
    }
}

std::string CTextView::HeaderText(int) const { return std::string(); }

std::string CTextView::FooterText(int nPage) const { return PageFooterText(nPage, GetPrintPageCount()); }

void CTextView::DrawPageHeader(HDC, int) {}

// Centred on one line at the bottom of the footer strip, "&" taken literally.
void CTextView::DrawPageFooter(HDC dc, int nPage)
{
    const PrintRect strip = FooterStrip(m_rcPrintable, m_nPrintLineHeight);
    RECT rc{strip.left, strip.bottom - m_nPrintLineHeight, strip.right, strip.bottom};
    const std::string text = FooterText(nPage);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}
