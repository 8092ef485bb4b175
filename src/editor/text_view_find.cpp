#include "editor/text_view_find.h"

#include "editor/text_edit_view.h"
#include "fx/fx_app.h"
#include "fx/fx_doc.h"

// While its views are detached the buffer is still the one they show.
CTextBuffer* CTextViewSite::GetBuffer() const { return m_pDetached ? &m_pDetached->GetBuffer() : m_view.GetBuffer(); }

CBufferObserver* CTextViewSite::GetObserver() { return &m_view; }

HWND CTextViewSite::GetWindow() const { return m_view.m_hWnd; }

CDetachedViews::ViewState* CTextViewSite::Detached() const
{
    return m_pDetached ? m_pDetached->Find(&m_view) : nullptr;
}

TextPosition CTextViewSite::GetCaret() const
{
    const CDetachedViews::ViewState* pState = Detached();
    return pState ? pState->caret : m_view.GetCursorPos();
}

TextRange CTextViewSite::GetSelection() const
{
    const CDetachedViews::ViewState* pState = Detached();
    return pState ? Normalized(pState->selStart, pState->selEnd) : m_view.GetNormalizedSelection();
}

bool CTextViewSite::IsEditable() const
{
    const auto* pEditView = dynamic_cast<const CTextEditView*>(&m_view);
    return pEditView && pEditView->QueryEditable();
}

// As every movement ends: the caret, where vertical moves go on from, scrolled into view.
void CTextViewSite::Select(TextPosition start, TextPosition end, TextPosition caret)
{
    if (CDetachedViews::ViewState* pState = Detached()) {
        pState->caret = pState->anchor = caret;
        pState->selStart = start;
        pState->selEnd = end;
        m_bSelectedWhileDetached = true;
        return;
    }
    m_view.SetCursorPos(caret);
    m_view.SetAnchor(caret);
    m_view.SelectRange(start, end);
    m_view.ScrollCaretIntoView(caret);
    m_view.PlaceCaret();
}

void CTextViewSite::SetSelection(TextPosition start, TextPosition end)
{
    if (CDetachedViews::ViewState* pState = Detached()) {
        pState->selStart = start;
        pState->selEnd = end;
        return;
    }
    m_view.SelectRange(start, end);
}

void CTextViewSite::ShowInactiveSelection(bool bShow) { m_view.SetShowInactiveSelection(bShow); }

void CTextViewSite::BeginBulkEdit()
{
    CTextBuffer* pBuffer = m_view.GetBuffer();
    if (m_pDetached || !pBuffer)
        return;
    std::vector<CTextView*> views{&m_view};
    if (const FxDocument* pDocument = m_view.GetDocument()) {
        for (FxView* pView : pDocument->GetViews()) {
            auto* pTextView = dynamic_cast<CTextView*>(pView);
            if (pTextView && pTextView != &m_view)
                views.push_back(pTextView);
        }
    }
    m_bSelectedWhileDetached = false;
    m_pDetached = std::make_unique<CDetachedViews>(*pBuffer, views);
}

void CTextViewSite::EndBulkEdit()
{
    m_pDetached.reset();
    if (!m_bSelectedWhileDetached)
        return;
    m_bSelectedWhileDetached = false;
    m_view.ScrollCaretIntoView(m_view.GetCursorPos());
    m_view.PlaceCaret();
}

const FxSettings* CTextViewSite::GetSettings() const
{
    FxApp* app = m_view.GetApp();
    return app ? &app->Settings() : nullptr;
}
