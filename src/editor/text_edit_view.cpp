// CTextEditView: commands, typing, Enter with automatic indentation, undo and redo.
#include "editor/text_edit_view.h"

#include "core/asm/cp936.h"
#include "core/editor/char_steps.h"
#include "editor/text_drop_target.h"
#include "fx/fx_app.h"
#include "resource.h"

CTextEditView::CTextEditView()
{
    ResetViewState();
    RegisterCommands();
}

CTextEditView::~CTextEditView() = default;

void CTextEditView::RegisterCommands()
{
    OnCommand(ID_EDIT_PASTE, [this] { OnPaste(); });
    OnUpdate(ID_EDIT_PASTE, [this](FxCmdUI& ui) { ui.Enable(IsClipboardTextAvailable()); });
    OnCommand(ID_EDIT_CUT, [this] { OnCut(); });
    OnUpdate(ID_EDIT_CUT, [this](FxCmdUI& ui) { ui.Enable(IsSelection()); });
    OnCommand(ID_EDIT_COPY, [this] { OnCopy(); });
    OnUpdate(ID_EDIT_COPY, [this](FxCmdUI& ui) { ui.Enable(IsSelection()); });
    OnCommand(ID_EDIT_DELETE, [this] { OnDelete(); });
    OnCommand(ID_EDIT_DELETE_BACK, [this] { OnBackspace(); });
    OnCommand(ID_EDIT_TAB, [this] { OnTab(); });
    OnCommand(ID_EDIT_UNTAB, [this] { OnUntab(); });
    OnCommand(ID_EDIT_SWITCH_OVRMODE, [this] { m_bOvrMode = !m_bOvrMode; });
    OnUpdate(ID_EDIT_SWITCH_OVRMODE, [this](FxCmdUI& ui) { ui.SetCheck(m_bOvrMode); });
    OnCommand(ID_EDIT_UNDO, [this] { StepHistory(true); });
    OnUpdate(ID_EDIT_UNDO, [this](FxCmdUI& ui) { UpdateHistoryCommand(ui, true); });
    OnCommand(ID_EDIT_REDO, [this] { StepHistory(false); });
    OnUpdate(ID_EDIT_REDO, [this](FxCmdUI& ui) { UpdateHistoryCommand(ui, false); });
    OnUpdate(ID_INDICATOR_OVR, [this](FxCmdUI& ui) { ui.Enable(m_bOvrMode); });
    OnUpdate(ID_INDICATOR_READ, [this](FxCmdUI& ui) { ui.Enable(GetBuffer() && GetBuffer()->GetReadOnly()); });
    OnUpdate(ID_INDICATOR_BLANK, [](FxCmdUI& ui) { ui.Enable(false); });
}

void CTextEditView::ResetViewState()
{
    m_bOvrMode = false;
    m_bAutoIndent = true;
    m_nPendingLead = 0;
    CTextView::ResetViewState();
}

IDropTarget* CTextEditView::GetDropTarget() const { return m_pDropTarget; }

bool CTextEditView::QueryEditable() const { return GetBuffer() && !GetBuffer()->GetReadOnly(); }

bool CTextEditView::InsertAt(TextPosition pt, std::string_view text, int nAction, TextPosition& ptEnd)
{
    if (!GetBuffer() || !GetBuffer()->InsertText(this, pt.y, pt.x, text, ptEnd.y, ptEnd.x, nAction)) return false;
    NoteRecorded();
    return true;
}

bool CTextEditView::DeleteRange(const TextRange& range, int nAction)
{
    if (!GetBuffer() ||
        !GetBuffer()->DeleteText(this, range.start.y, range.start.x, range.end.y, range.end.x, nAction))
        return false;
    NoteRecorded();
    return true;
}

void CTextEditView::DeleteSelection(int nAction)
{
    const TextRange range = GetNormalizedSelection();
    MoveCaretTo(range.start);
    DeleteRange(range, nAction);
}

// Menu items name the action that Undo or Redo would act on; toolbar buttons are only enabled.
void CTextEditView::UpdateHistoryCommand(FxCmdUI& ui, bool bUndo)
{
    CTextBuffer* buffer = GetBuffer();
    const bool can = buffer && (bUndo ? buffer->CanUndo() : buffer->CanRedo());
    ui.Enable(can);
    if (!ui.m_hMenu) return;
    std::string caption;
    if (can) bUndo ? buffer->UndoCaption(caption) : buffer->RedoCaption(caption);
    const std::string text = can ? FxFormatString(bUndo ? IDS_EDIT_UNDO_ACTION : IDS_EDIT_REDO_ACTION, caption.c_str())
                                 : FxLoadString(bUndo ? IDS_EDIT_UNDO : IDS_EDIT_REDO);
    ui.SetText(text.c_str());
}

// The caret goes where the buffer says the group undone (redone) leaves it.
void CTextEditView::StepHistory(bool bUndo)
{
    CTextBuffer* buffer = GetBuffer();
    TextPosition pt;
    if (!buffer || !(bUndo ? buffer->CanUndo() : buffer->CanRedo())) return;
    if (bUndo ? buffer->Undo(pt) : buffer->Redo(pt)) MoveCaretTo(pt);
}

// A double-byte character arrives as two messages, lead byte first; it is inserted whole, as one
// text in one undo step. A lead byte followed by anything else is typed alone.
void CTextEditView::OnChar(unsigned char ch)
{
    if (GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0) return;
    if (m_nPendingLead) {
        const char pair[2] = {static_cast<char>(m_nPendingLead), static_cast<char>(ch)};
        m_nPendingLead = 0;
        if (IsCp936TrailByte(ch)) return TypeText(std::string_view(pair, 2));
        TypeText(std::string_view(pair, 1));
    }
    if (ch == '\r') return OnEnter();
    if (ch < 32) return;
    if (IsCp936LeadByte(ch)) {
        m_nPendingLead = ch;
        return;
    }
    const char one = static_cast<char>(ch);
    TypeText(std::string_view(&one, 1));
}

// An input method's character: the lead byte in the high byte of a double-byte one.
void CTextEditView::OnImeChar(WPARAM wp)
{
    const auto lead = static_cast<unsigned char>((wp >> 8) & 0xFF);
    const auto trail = static_cast<unsigned char>(wp & 0xFF);
    if (!lead) return OnChar(trail);
    m_nPendingLead = 0;
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    TypeText(std::string_view(pair, 2));
}

// Typed characters merge into one undo group until a space starts a new one. Overwrite mode
// replaces the whole character after the caret, never half of a double-byte one.
void CTextEditView::TypeText(std::string_view text)
{
    if (!QueryEditable()) return;
    BeginUndoGroup(text != " ");
    if (IsSelection()) {
        DeleteSelection(ACTION_DELSEL);
    } else if (m_bOvrMode) {
        const TextPosition caret = GetCursorPos();
        const std::string_view line = GetLineChars(caret.y);
        if (caret.x < static_cast<int>(line.size()))
            DeleteRange({caret, {NextCharPos(line, caret.x), caret.y}}, ACTION_TYPING);
    }
    TextPosition end;
    if (InsertAt(GetCursorPos(), text, ACTION_TYPING, end)) MoveCaretTo(end);
    EndUndoGroup();
}

void CTextEditView::OnEnter()
{
    const TextPosition caret = GetCursorPos();
    if (m_bOvrMode && caret.y + 1 < GetLineCount()) return MoveCaretTo({0, caret.y + 1});
    BeginUndoGroup(false);
    if (QueryEditable()) {
        if (IsSelection()) DeleteSelection(ACTION_DELSEL);
        TextPosition end;
        if (InsertAt(GetCursorPos(), "\r\n", ACTION_TYPING, end)) MoveCaretTo(end);
    }
    EndUndoGroup();
}

// Runs while the Enter group closes: the indentation is recorded as a group of its own, so that
// Undo takes it away before the line break.
void CTextEditView::OnEditDone(int nAction, const std::string& text)
{
    if (!m_bAutoIndent || nAction != ACTION_TYPING || text != "\r\n" || m_bOvrMode || !GetBuffer()) return;
    const TextPosition caret = GetCursorPos();
    if (caret.y == 0) return;
    const std::string indent(AutoIndentOf(GetLineChars(caret.y - 1)));
    if (indent.empty()) return;
    int endLine = 0, endChar = 0;
    if (GetBuffer()->InsertText(nullptr, caret.y, caret.x, indent, endLine, endChar, ACTION_AUTOINDENT))
        MoveCaretTo({endChar, endLine});
}

LRESULT CTextEditView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        LRESULT result = CTextView::WindowProc(msg, wp, lp);
        m_pDropTarget = CTextDropTarget::RegisterFor(this);
        return result;
    }
    case WM_DESTROY:
        CTextDropTarget::Revoke(m_pDropTarget);
        m_pDropTarget = nullptr;
        break;
    case WM_CHAR: OnChar(static_cast<unsigned char>(wp)); return 0;
    case WM_IME_CHAR: OnImeChar(wp); return 0;
    case WM_KILLFOCUS: m_nPendingLead = 0; break;
    }
    return CTextView::WindowProc(msg, wp, lp);
}
