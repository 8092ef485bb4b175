// The find, replace and bookmark commands of a CTextView: the view seen through the interface those
// commands use, and the commands themselves, routed after the view's own.
#pragma once
#include <memory>

#include "editor/detached_views.h"
#include "editor/find_mark_commands.h"
#include "editor/view_site.h"

class CTextView;

class CTextViewSite final : public CViewSite {
public:
    explicit CTextViewSite(CTextView& view) : m_view(view) {}

    CTextBuffer* GetBuffer() const override;
    CBufferObserver* GetObserver() override;
    HWND GetWindow() const override;
    TextPosition GetCaret() const override;
    TextRange GetSelection() const override;
    // Only an editing view whose buffer may change.
    bool IsEditable() const override;
    void Select(TextPosition start, TextPosition end, TextPosition caret) override;
    void SetSelection(TextPosition start, TextPosition end) override;
    void ShowInactiveSelection(bool bShow) override;
    // Every view of the document showing this buffer is taken off it meanwhile; this view's caret
    // and selection are kept aside, and shown and scrolled to at the end.
    void BeginBulkEdit() override;
    void EndBulkEdit() override;

private:
    // This view's kept state during a bulk edit, else null.
    CDetachedViews::ViewState* Detached() const;

    CTextView& m_view;
    std::unique_ptr<CDetachedViews> m_pDetached;
    bool m_bSelectedWhileDetached = false;
};

class CTextViewFindCommands final : public FxCmdTarget {
public:
    explicit CTextViewFindCommands(CTextView& view) : m_site(view), m_commands(m_site) {}

    bool OnCmdMsg(UINT id, UINT code) override { return m_commands.OnCmdMsg(id, code); }
    bool OnUpdateCmd(FxCmdUI& ui) override { return m_commands.OnUpdateCmd(ui); }
    CFindAndMarkCommands& Commands() { return m_commands; }

private:
    CTextViewSite m_site;  // before the commands, which keep a reference to it
    CFindAndMarkCommands m_commands;
};
