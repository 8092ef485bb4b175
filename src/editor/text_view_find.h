// The find, replace and bookmark commands of a CTextView: the view seen through the interface those
// commands use, and the commands themselves, routed after the view's own.
#pragma once
#include <memory>

#include "editor/detached_views.h"
#include "editor/view_bookmarks.h"
#include "editor/view_goto_line.h"
#include "editor/view_search.h"
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
    // The settings of the application whose document the view shows.
    const FxSettings* GetSettings() const override;

private:
    // This view's kept state during a bulk edit, else null.
    CDetachedViews::ViewState* Detached() const;

    CTextView& m_view;
    std::unique_ptr<CDetachedViews> m_pDetached;
    bool m_bSelectedWhileDetached = false;
};

// The find, replace, bookmark and go-to-line commands of one text view and the view as they see
// it; the view chains its command routing to the command sets.
struct CTextViewFinders {
    explicit CTextViewFinders(CTextView& view) : site(view), search(site), bookmarks(site), gotoLine(site) {}

    CTextViewSite site;  // before the commands, which keep a reference to it
    CViewSearch search;
    CViewBookmarks bookmarks;
    CViewGotoLine gotoLine;
};
