#include "editor/plain_text_view.h"
#include "build/halyard_doc.h"

void CPlainTextView::Paint(HDC dc)
{
    auto* doc = dynamic_cast<CHalyardDoc*>(GetDocument());
    if (!doc) return;
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    CTextBuffer& buffer = doc->GetBuffer();
    int y = 2;
    for (int i = 0; i < buffer.GetLineCount(); ++i, y += tm.tmHeight) {
        std::string_view line = buffer.GetLine(i);
        TabbedTextOutA(dc, 4, y, line.data(), static_cast<int>(line.size()), 0, nullptr, 4);
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
