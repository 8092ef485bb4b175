#include "editor/text_view_find.h"

#include "editor/text_edit_view.h"

CTextBuffer* CTextViewSite::GetBuffer() const { return m_view.GetBuffer(); }

CBufferObserver* CTextViewSite::GetObserver() { return &m_view; }

HWND CTextViewSite::GetWindow() const { return m_view.m_hWnd; }

TextPosition CTextViewSite::GetCaret() const { return m_view.GetCursorPos(); }

TextRange CTextViewSite::GetSelection() const { return m_view.GetNormalizedSelection(); }

bool CTextViewSite::IsEditable() const
{
    const auto* pEditView = dynamic_cast<const CTextEditView*>(&m_view);
    return pEditView && pEditView->QueryEditable();
}

// As every movement ends: the caret, where vertical moves go on from, scrolled into view.
void CTextViewSite::Select(TextPosition start, TextPosition end, TextPosition caret)
{
    m_view.SetCursorPos(caret);
    m_view.SetAnchor(caret);
    m_view.SelectRange(start, end);
    m_view.ScrollCaretIntoView(caret);
    m_view.PlaceCaret();
}

void CTextViewSite::SetSelection(TextPosition start, TextPosition end) { m_view.SelectRange(start, end); }

void CTextViewSite::ShowInactiveSelection(bool bShow) { m_view.SetShowInactiveSelection(bShow); }
