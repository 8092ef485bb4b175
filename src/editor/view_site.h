// What the find, replace and bookmark commands ask of the text view they run in: its buffer, its
// caret and selection, and a few ways to move them. A view hands these commands one of these.
#pragma once
#include <windows.h>
#include <string_view>

class FxSettings;

#include "core/buffer/text_buffer.h"
#include "core/editor/edit_ranges.h"

class CViewSite {
public:
    virtual CTextBuffer* GetBuffer() const = 0;  // null while the view has none
    virtual CBufferObserver* GetObserver() = 0;  // the view, as the source of its edits
    virtual HWND GetWindow() const = 0;
    virtual TextPosition GetCaret() const = 0;
    virtual TextRange GetSelection() const = 0;  // in text order
    // The view edits text and its buffer is not read-only.
    virtual bool IsEditable() const = 0;
    // Caret and anchor at `caret`, selection from start to end, the caret shown and scrolled into
    // view; vertical moves go on from the caret's column.
    virtual void Select(TextPosition start, TextPosition end, TextPosition caret) = 0;
    // The selection only, caret and anchor untouched.
    virtual void SetSelection(TextPosition start, TextPosition end) = 0;
    // While set the view draws its selection without the focus (a dialog of the view is open).
    virtual void ShowInactiveSelection(bool bShow) = 0;
    // Between these a long run of edits goes by (Replace All): the view may stop following them on
    // the screen edit by edit and catch up at the end. Its caret and selection, as asked and set
    // through this interface, stay right meanwhile.
    virtual void BeginBulkEdit() {}
    virtual void EndBulkEdit() {}
    // Where the find and replace options are remembered between runs; null keeps them for this
    // view's life only.
    virtual const FxSettings* GetSettings() const { return nullptr; }

    // Highlights [start, start + length) on start's line, the caret and anchor at its end.
    void SelectFound(TextPosition start, int length);
    // Caret, anchor and an empty selection at the start of `line`.
    void GoToLine(int line);
    // Replaces the selection by text in two undo groups and selects the new text, the caret at
    // its end; inserted receives its range. False when nothing is selected or nothing changed.
    [[nodiscard]] bool ReplaceSelectedText(std::string_view text, TextRange& inserted);

protected:
    ~CViewSite() = default;
};

// A bulk edit of a view for the lifetime of this object.
class CBulkEdit {
public:
    explicit CBulkEdit(CViewSite& view) : m_view(view) { m_view.BeginBulkEdit(); }
    ~CBulkEdit() { m_view.EndBulkEdit(); }
    CBulkEdit(const CBulkEdit&) = delete;
    CBulkEdit& operator=(const CBulkEdit&) = delete;

private:
    CViewSite& m_view;
};

// Shows the view's selection without the focus while a dialog of the view is open.
class CInactiveSelectionShown {
public:
    explicit CInactiveSelectionShown(CViewSite& view) : m_view(view) { m_view.ShowInactiveSelection(true); }
    ~CInactiveSelectionShown() { m_view.ShowInactiveSelection(false); }
    CInactiveSelectionShown(const CInactiveSelectionShown&) = delete;
    CInactiveSelectionShown& operator=(const CInactiveSelectionShown&) = delete;

private:
    CViewSite& m_view;
};
