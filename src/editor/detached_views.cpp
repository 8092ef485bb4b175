#include "editor/detached_views.h"

#include <algorithm>

#include "core/buffer/position_adjuster.h"
#include "editor/text_edit_view.h"

CDetachedViews::CDetachedViews(CTextBuffer& buffer, const std::vector<CTextView*>& views) : m_buffer(buffer)
{
    for (CTextView* pView : views) {
        if (!pView || pView->GetBuffer() != &buffer)
            continue;
        ViewState state{pView, pView->GetCursorPos(), pView->GetAnchor(), {}, {}, pView->GetTopLine(),
                        pView->GetFirstColumn(), false};
        pView->GetSelection(state.selStart, state.selEnd);
        if (const auto* pEditView = dynamic_cast<const CTextEditView*>(pView))
            state.bOverwrite = pEditView->GetOverwriteMode();
        m_views.push_back(state);
    }
    // Without a place in the buffer's list the views stay where they are, following every edit.
    m_bObserving = !m_views.empty() && m_buffer.AddView(this);
    if (!m_bObserving) {
        m_views.clear();
        return;
    }
    for (const ViewState& state : m_views)
        state.pView->DetachFromBuffer();
}

CDetachedViews::~CDetachedViews()
{
    if (!m_bObserving)
        return;
    m_buffer.RemoveView(this);
    for (const ViewState& state : m_views)
        Restore(state);
}

CDetachedViews::ViewState* CDetachedViews::Find(const CTextView* pView)
{
    auto it = std::find_if(m_views.begin(), m_views.end(), [pView](const ViewState& s) { return s.pView == pView; });
    return it == m_views.end() ? nullptr : &*it;
}

void CDetachedViews::OnBufferChange(CBufferObserver*, const PositionAdjuster* pContext, unsigned, int)
{
    if (!pContext)
        return;
    for (ViewState& state : m_views) {
        for (TextPosition* pt : {&state.caret, &state.anchor, &state.selStart, &state.selEnd})
            pContext->AdjustPosition(*pt);
    }
}

// Attaching starts the view afresh; the scroll position comes first, so that the caret is placed
// on the screen where it will stay.
void CDetachedViews::Restore(const ViewState& state)
{
    CTextView& view = *state.pView;
    view.AttachToBuffer(&m_buffer);
    if (view.GetBuffer() != &m_buffer)
        return;
    view.ScrollToLine(std::min(state.nTopLine, m_buffer.GetLineCount() - 1));
    view.ScrollToColumn(std::max(0, std::min(state.nFirstColumn, view.GetMaxLineLength() - 1)));
    if (auto* pEditView = dynamic_cast<CTextEditView*>(&view))
        pEditView->SetOverwriteMode(state.bOverwrite);
    view.SetCursorPos(state.caret);
    view.SetAnchor(state.anchor);
    view.SelectRange(state.selStart, state.selEnd);
    view.PlaceCaret();
}
