#include "editor/plain_text_view.h"
#include "build/halyard_doc.h"

void CPlainTextView::Paint(HDC dc)
{
    auto* doc = dynamic_cast<CHalyardDoc*>(GetDocument());
    if (!doc) return;
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    const std::string& text = doc->GetText();
    int y = 2;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        size_t stop = end == std::string::npos ? text.size() : end;
        size_t len = stop - start;
        if (len && text[stop - 1] == '\r') --len;
        TabbedTextOutA(dc, 4, y, text.data() + start, static_cast<int>(len), 0, nullptr, 4);
        y += tm.tmHeight;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SelectObject(dc, old);
}

LRESULT CPlainTextView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        Paint(dc);
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    return FxView::WindowProc(msg, wp, lp);
}
