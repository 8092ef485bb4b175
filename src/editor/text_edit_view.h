// The editing text view: typing with automatic indentation, overwrite mode, block indent, delete
// and backspace, the clipboard, undo and redo, and dropping dragged text. Every change goes
// through the buffer's InsertText and DeleteText, grouped for undo one command at a time.
#pragma once
#include "editor/text_view.h"

class CTextDropTarget;

class CTextEditView : public CTextView {
public:
    CTextEditView();
    ~CTextEditView() override;

    void ResetViewState() override;
    DWORD GetDropEffect() const override { return DROPEFFECT_COPY | DROPEFFECT_MOVE; }
    // A move removes the dragged text from here once the target has taken it.
    void OnDropSource(DWORD dwEffect) override;
    // Enter on an indented line indents the new line the same way.
    void OnEditDone(int nAction, const std::string& text) override;
    // True while the view has a buffer that may be changed.
    virtual bool QueryEditable() const;

    bool GetOverwriteMode() const { return m_bOvrMode; }
    void SetOverwriteMode(bool bOn) { m_bOvrMode = bOn; }

    // The view's registered drop target; null when the window takes no drops.
    IDropTarget* GetDropTarget() const;

    // --- The drop target's side. Points are in client coordinates.
    // Entering or moving over: the effect a drop would have, with the drop indicator placed.
    DWORD OnDragOver(POINT pt, DWORD dwKeyState, bool bHasText);
    // Moving near an edge scrolls one step (a line or a column); true when it did.
    bool OnDragScroll(POINT pt);
    void HideDropIndicator();
    // Inserts the dropped text at pt and selects it; false when nothing was dropped.
    bool OnDrop(POINT pt, const std::string& text, bool bHasText);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // A command's edits; each marks the command's undo group as having recorded something.
    bool InsertAt(TextPosition pt, std::string_view text, int nAction, TextPosition& ptEnd);
    bool DeleteRange(const TextRange& range, int nAction);
    // Moves the caret to the selection's start and deletes the selection.
    void DeleteSelection(int nAction);

private:
    void RegisterCommands();
    void UpdateHistoryCommand(FxCmdUI& ui, bool bUndo);
    void StepHistory(bool bUndo);

    void OnChar(unsigned char ch);
    void OnImeChar(WPARAM wp);
    void TypeText(std::string_view text);
    void OnEnter();
    void OnTab();
    void OnUntab();
    void BlockIndent(bool bIndent);
    void OnDelete();
    void OnBackspace();
    void OnCut();
    void OnCopy();
    void OnPaste();

    bool m_bOvrMode = false;
    bool m_bDropPosVisible = false;
    bool m_bDropCaretShown = false;
    TextPosition m_ptDropPos;
    bool m_bAutoIndent = true;
    bool m_bDisableBSAtSOL = false;
    // The lead byte of a double-byte character whose second byte has not arrived yet; 0 when none.
    unsigned char m_nPendingLead = 0;
    CTextDropTarget* m_pDropTarget = nullptr;
};
