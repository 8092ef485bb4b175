#include "editor/view_bookmarks.h"

#include "core/buffer/line_record.h"
#include "core/editor/bookmarks.h"
#include "editor/view_site.h"
#include "resource.h"

CViewBookmarks::CViewBookmarks(CViewSite& view) : m_view(view)
{
    const UINT toggleLast = ID_EDIT_TOGGLE_BOOKMARK0 + kNumberedBookmarks - 1;
    const UINT goLast = ID_EDIT_GO_BOOKMARK0 + kNumberedBookmarks - 1;
    OnCommandRange(ID_EDIT_TOGGLE_BOOKMARK0, toggleLast,
                   [this](UINT id) { OnToggleNumbered(static_cast<int>(id - ID_EDIT_TOGGLE_BOOKMARK0)); });
    OnCommandRange(ID_EDIT_GO_BOOKMARK0, goLast,
                   [this](UINT id) { OnGoToNumbered(static_cast<int>(id - ID_EDIT_GO_BOOKMARK0)); });
    OnCommand(ID_EDIT_CLEAR_BOOKMARKS, [this] { OnClearNumbered(); });
    OnCommand(ID_EDIT_TOGGLE_BOOKMARK, [this] { OnToggleUnnamed(); });
    OnCommand(ID_EDIT_GOTO_NEXT_BOOKMARK, [this] { OnGoToUnnamed(false); });
    OnCommand(ID_EDIT_GOTO_PREV_BOOKMARK, [this] { OnGoToUnnamed(true); });
    OnCommand(ID_EDIT_CLEAR_ALL_BOOKMARKS, [this] { OnClearUnnamed(); });
    OnUpdateRange(ID_EDIT_GOTO_NEXT_BOOKMARK, ID_EDIT_CLEAR_ALL_BOOKMARKS,
                  [this](FxCmdUI& ui) { ui.Enable(m_bBookmarkExists); });
}

void CViewBookmarks::OnToggleNumbered(int n)
{
    if (CTextBuffer* pBuffer = m_view.GetBuffer())
        ToggleNumberedBookmark(*pBuffer, m_view.GetCaret().y, n);
}

void CViewBookmarks::OnGoToNumbered(int n)
{
    const CTextBuffer* pBuffer = m_view.GetBuffer();
    const int line = pBuffer ? pBuffer->FindLineWithFlag(LINE_NUMMARK(n)) : -1;
    if (line >= 0)
        m_view.GoToLine(line);
}

void CViewBookmarks::OnClearNumbered()
{
    if (CTextBuffer* pBuffer = m_view.GetBuffer())
        ClearNumberedBookmarks(*pBuffer);
}

void CViewBookmarks::OnToggleUnnamed()
{
    if (CTextBuffer* pBuffer = m_view.GetBuffer())
        m_bBookmarkExists = ToggleUnnamedBookmark(*pBuffer, m_view.GetCaret().y);
}

void CViewBookmarks::OnGoToUnnamed(bool bUp)
{
    const CTextBuffer* pBuffer = m_view.GetBuffer();
    if (!pBuffer)
        return;
    const int caretLine = m_view.GetCaret().y;
    const int line = bUp ? pBuffer->PrevMarkedLine(caretLine) : pBuffer->NextMarkedLine(caretLine);
    if (line >= 0)
        m_view.GoToLine(line);
}

void CViewBookmarks::OnClearUnnamed()
{
    CTextBuffer* pBuffer = m_view.GetBuffer();
    if (!pBuffer)
        return;
    ClearUnnamedBookmarks(*pBuffer);
    m_bBookmarkExists = false;
}
