// The find, replace and bookmark commands of one text view as one command target, for the view to
// try with the commands it routes.
#pragma once
#include "editor/view_bookmarks.h"
#include "editor/view_search.h"

class CFindAndMarkCommands : public FxCmdTarget {
public:
    explicit CFindAndMarkCommands(CViewSite& view) : m_search(view), m_bookmarks(view) {}

    bool OnCmdMsg(UINT id, UINT code) override
    {
        return m_search.OnCmdMsg(id, code) || m_bookmarks.OnCmdMsg(id, code);
    }
    bool OnUpdateCmd(FxCmdUI& ui) override { return m_search.OnUpdateCmd(ui) || m_bookmarks.OnUpdateCmd(ui); }

    CViewSearch& Search() { return m_search; }
    CViewBookmarks& Bookmarks() { return m_bookmarks; }

private:
    CViewSearch m_search;
    CViewBookmarks m_bookmarks;
};
