#include "editor/view_goto_line.h"

#include "editor/goto_line_dialog.h"
#include "editor/view_site.h"
#include "resource.h"

CViewGotoLine::CViewGotoLine(CViewSite& view) : m_view(view)
{
    OnCommand(ID_EDIT_GOTO_LINE, [this] { OnGotoLine(); });
}

void CViewGotoLine::OnGotoLine()
{
    const CTextBuffer* buffer = m_view.GetBuffer();
    if (!buffer) return;
    CGotoLineDialog dialog(buffer->GetLineCount(), m_view.GetCaret().y + 1);
    if (dialog.DoModal(m_view.GetWindow()) != IDOK) return;
    m_view.GoToLine(dialog.m_nLine - 1);
    SetFocus(m_view.GetWindow());
}
