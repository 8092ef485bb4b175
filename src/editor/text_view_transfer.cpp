// CTextView: the text it hands out, to the clipboard and by dragging, and the undo groups of
// its commands.
#include "editor/text_view.h"

#include "editor/clipboard_text.h"
#include "editor/text_drag_source.h"

void CTextView::BeginUndoGroup(bool bMerge)
{
    m_bGroupRecorded = false;
    if (m_pTextBuffer) m_pTextBuffer->OpenUndoGroup(bMerge);
}

void CTextView::EndUndoGroup()
{
    if (m_pTextBuffer) m_pTextBuffer->CloseUndoGroup(m_bGroupRecorded ? this : nullptr);
    m_bGroupRecorded = false;
}

HGLOBAL CTextView::PrepareDragData()
{
    if (!IsSelection()) return nullptr;
    const TextRange range = GetNormalizedSelection();
    std::string text;
    GetText(range.start, range.end, text);
    m_ptDraggedTextBegin = range.start;
    m_ptDraggedTextEnd = range.end;
    return MakeTextBlock(text);
}

bool CTextView::IsInsideDraggedText(TextPosition pt) const
{
    if (m_bDraggingText && IsInsideSelection(pt)) return true;
    if (!m_pTextBuffer) return false;
    for (CBufferObserver* observer : m_pTextBuffer->GetViews()) {
        const auto* view = dynamic_cast<const CTextView*>(observer);
        if (view && view->m_bDraggingText && IsInside(pt, Normalized(view->m_ptDraggedTextBegin, view->m_ptDraggedTextEnd)))
            return true;
    }
    return false;
}

DWORD CTextView::RunDragLoop(HGLOBAL hData, DWORD dwAllowedEffects) { return RunTextDrag(hData, dwAllowedEffects); }

// A move within this view is one undo group: the insertion at the target, then the deletion of
// the dragged text, which the view's notifications kept up to date meanwhile.
void CTextView::StartTextDrag()
{
    HGLOBAL data = PrepareDragData();
    if (!data) return;
    BeginUndoGroup(false);
    m_bDraggingText = true;
    const DWORD effect = RunDragLoop(data, GetDropEffect());
    if (effect != DROPEFFECT_NONE) OnDropSource(effect);
    m_bDraggingText = false;
    EndUndoGroup();
    // A drop target of this thread (another pane) may have taken the caret for its indicator.
    ForgetCaret();
    PlaceCaret();
}

bool CTextView::IsClipboardTextAvailable() const { return ::IsClipboardTextAvailable(); }

bool CTextView::PutToClipboard(const std::string& text) { return PutClipboardText(m_hWnd, text); }

bool CTextView::GetFromClipboard(std::string& text) { return GetClipboardText(m_hWnd, text); }
