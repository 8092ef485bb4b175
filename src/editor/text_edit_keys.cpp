// CTextEditView: Tab and Shift+Tab with block indent, Delete and Backspace.
#include "editor/text_edit_view.h"

#include "core/editor/text_columns.h"

void CTextEditView::OnTab()
{
    if (!QueryEditable()) return;
    const TextRange selection = GetNormalizedSelection();
    if (selection.start.y != selection.end.y) return BlockIndent(true);
    const TextPosition caret = GetCursorPos();
    if (m_bOvrMode && caret.x < GetLineLength(caret.y))
        return MoveCaretTo({NextTabStopPos(GetLineChars(caret.y), caret.x, GetTabSize()), caret.y});
    BeginUndoGroup(false);
    if (IsSelection()) DeleteSelection(ACTION_DELSEL);
    TextPosition end;
    if (InsertAt(GetCursorPos(), "\t", ACTION_TYPING, end)) MoveCaretTo(end);
    EndUndoGroup();
}

void CTextEditView::OnUntab()
{
    if (!QueryEditable()) return;
    const TextRange selection = GetNormalizedSelection();
    if (selection.start.y != selection.end.y) return BlockIndent(false);
    const TextPosition caret = GetCursorPos();
    if (caret.x > 0) MoveCaretTo({PrevTabStopPos(GetLineChars(caret.y), caret.x, GetTabSize()), caret.y});
}

// The whole lines of the selection are selected first; the edits at column 0 then leave the
// selection's start where it is and move its end along.
void CTextEditView::BlockIndent(bool bIndent)
{
    BeginUndoGroup(false);
    const BlockLines block = BlockLinesOf(*GetBuffer(), GetNormalizedSelection());
    SetAnchor(block.selection.start);
    SelectRange(block.selection.start, block.selection.end);
    SetCursorPos(block.selection.end);
    ScrollCaretIntoView(block.selection.end);
    LockHorzScrollBar(true);
    for (int line = block.first; line <= block.last; ++line) {
        TextPosition end;
        if (bIndent) {
            InsertAt({0, line}, "\t", ACTION_INDENT, end);
            continue;
        }
        const int width = UnindentWidth(GetLineChars(line), GetTabSize());
        if (width > 0) DeleteRange({{0, line}, {width, line}}, ACTION_INDENT);
    }
    LockHorzScrollBar(false);
    RecalcHorzScrollBar();
    EndUndoGroup();
}

void CTextEditView::OnDelete()
{
    if (!QueryEditable()) return;
    const TextRange range = IsSelection() ? GetNormalizedSelection() : DeleteRangeAt(*GetBuffer(), GetCursorPos());
    if (range.IsEmpty()) return;
    MoveCaretTo(range.start);
    DeleteRange(range, ACTION_DELETE);
}

// At the start of the text nothing is deleted, but any selection is still emptied.
void CTextEditView::OnBackspace()
{
    if (IsSelection()) return OnDelete();
    if (!QueryEditable()) return;
    TextRange range = BackspaceRangeAt(*GetBuffer(), GetCursorPos());
    if (m_bDisableBSAtSOL && range.start.y != range.end.y) range.start = range.end;
    MoveCaretTo(range.start);
    if (!range.IsEmpty()) DeleteRange(range, ACTION_BACKSPACE);
}
