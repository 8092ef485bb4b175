// CTextView: its command table and the status panes it fills.
#include "editor/text_view.h"

#include <cstdio>

#include "editor/text_view_find.h"
#include "resource.h"

void CTextView::RegisterMoveCommand(UINT id, void (CTextView::*move)(bool))
{
    OnCommand(id, [this, move] { (this->*move)(false); });
    OnCommand(id + 1, [this, move] { (this->*move)(true); });
}

void CTextView::RegisterCommands()
{
    static const struct {
        UINT id;
        void (CTextView::*move)(bool);
    } kMoves[] = {
        {ID_EDIT_CHAR_LEFT, &CTextView::MoveCaretLeft},   {ID_EDIT_CHAR_RIGHT, &CTextView::MoveCaretRight},
        {ID_EDIT_WORD_LEFT, &CTextView::MoveWordLeft},    {ID_EDIT_WORD_RIGHT, &CTextView::MoveWordRight},
        {ID_EDIT_LINE_UP, &CTextView::MoveLineUp},        {ID_EDIT_LINE_DOWN, &CTextView::MoveLineDown},
        {ID_EDIT_PAGE_UP, &CTextView::MovePageUp},        {ID_EDIT_PAGE_DOWN, &CTextView::MovePageDown},
        {ID_EDIT_LINE_END, &CTextView::MoveLineEnd},      {ID_EDIT_HOME, &CTextView::MoveLineHome},
        {ID_EDIT_TEXT_BEGIN, &CTextView::MoveTextBegin},  {ID_EDIT_TEXT_END, &CTextView::MoveTextEnd},
    };
    for (const auto& m : kMoves) RegisterMoveCommand(m.id, m.move);
    OnCommand(ID_EDIT_SCROLL_UP, [this] { ScrollLineUp(); });
    OnCommand(ID_EDIT_SCROLL_DOWN, [this] { ScrollLineDown(); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { SelectAll(); });
    OnUpdate(ID_EDIT_INDICATOR_POSITION, [this](FxCmdUI& ui) { UpdateStatusPosition(ui); });
    OnUpdate(ID_EDIT_INDICATOR_CRLF, [this](FxCmdUI& ui) { UpdateStatusLineEnd(ui); });
    RegisterPrintCommands();
    m_pFinders = std::make_unique<CTextViewFinders>(*this);
    ChainTo(&m_pFinders->search);
    ChainTo(&m_pFinders->bookmarks);
    ChainTo(&m_pFinders->gotoLine);
}

// The character index, not the display column: a tab counts as one.
void CTextView::UpdateStatusPosition(FxCmdUI& ui)
{
    char text[64];
    int n = std::snprintf(text, sizeof text, "Ln %d, Col %d", m_ptCursorPos.y + 1, m_ptCursorPos.x + 1);
    ui.SetText(n > 0 && n < static_cast<int>(sizeof text) ? text : "");
}

void CTextView::UpdateStatusLineEnd(FxCmdUI& ui)
{
    const char* name = m_pTextBuffer ? LineEndName(m_pTextBuffer->GetLineEndStyle()) : "";
    ui.Enable(name && *name);
    ui.SetText(name ? name : "");
}

CViewSite& CTextView::Site() { return m_pFinders->site; }
