// The bookmark commands of one text view: numbered bookmarks 0 to 9 (toggle 37200 + n, go to
// 37210 + n, clear all 37220) and unnamed ones (toggle 37223, next 37224, previous 37225, clear
// all 37226). The bookmarks belong to the buffer; the view only remembers whether it has set an
// unnamed one, which enables Next, Previous and Clear All. They work in read-only views too.
#pragma once
#include "fx/fx_cmd.h"

class CViewSite;

class CViewBookmarks : public FxCmdTarget {
public:
    explicit CViewBookmarks(CViewSite& view);

    // Changes only through this view's toggle and clear-all; so it is not recomputed when a
    // bookmarked line is deleted, nor when another view of the document sets one.
    bool BookmarkExists() const { return m_bBookmarkExists; }

private:
    void OnToggleNumbered(int n);
    void OnGoToNumbered(int n);
    void OnClearNumbered();
    void OnToggleUnnamed();
    // Next (bUp false) or previous unnamed bookmark from the caret's line, round the text once.
    void OnGoToUnnamed(bool bUp);
    void OnClearUnnamed();

    CViewSite& m_view;
    bool m_bBookmarkExists = false;
};
