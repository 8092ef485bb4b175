// The "Search" page of the WorkSpace pane: looking up the 8086/8088 instruction set and the DOS
// and BIOS functions. Enter or "→" lists the topics the keyword matches, best first, with their
// count; choosing one shows its details in the box under the list.
#pragma once
#include "core/reference/topic_search.h"
#include "fx/fx_dialog.h"
#include <string>
#include <vector>

class CSearchDlg : public FxDialog {
public:
    CSearchDlg();
    // Puts `keyword` in the keyword box and looks it up as Enter does; the first topic found is
    // chosen.
    void Search(const std::string& keyword);

protected:
    bool OnInitDialog() override;
    // The details box takes the room between the list and the page's bottom edge; on a page too
    // short for that the list gives up height, never its place.
    void OnSize(int cx, int cy) override;

private:
    void OnSearch();
    void FillList();
    void ShowDetails(int row);

    std::vector<halyard::reference::Topic> m_topics; // one per row of the list, in order
    RECT m_rcList{};                                  // the list as the template places it
};
