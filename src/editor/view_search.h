// Find (57636), Find Next (57640), Find Previous (37126) and Replace (57641) of one text view, and
// the view's last search, which Find Next and Find Previous repeat. Find also works in a
// read-only view; Replace does nothing there.
#pragma once
#include <cstdint>
#include <string>

#include "fx/fx_cmd.h"

class CViewSite;
class FxSettings;

class CViewSearch : public FxCmdTarget {
public:
    explicit CViewSearch(CViewSite& view);

    bool HasLastSearch() const { return m_bLastSearchValid; }
    const std::string& GetLastSearchText() const { return m_strLastText; }
    uint32_t GetLastSearchFlags() const { return m_dwLastFlags; }
    // A Find Next or Find Previous has found something.
    bool IsMultipleSearch() const { return m_bMultipleSearch; }

private:
    void OnFind();
    // Repeats the last search from the caret, round the text; bReverse turns its direction.
    void OnFindAgain(bool bReverse);
    void OnReplace();

    CViewSite& m_view;
    bool m_bLastSearchValid = false;
    uint32_t m_dwLastFlags = 0;
    std::string m_strLastText;
    bool m_bMultipleSearch = false;
};
