// The window inside each of the debugger's panes: a report list, with an entry line above it
// where the pane takes an expression (Memory, Watch). The pane's owner fills the rows and hears
// of what the student does through the hooks.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fx/fx_handles.h"
#include "fx/fx_wnd.h"
#include <commctrl.h>

class CDebugListPane : public FxWnd {
public:
    struct Column {
        const char* title;
        int width;
    };
    struct Hooks {
        std::function<void(const std::string&)> entered;          // Enter in the entry line
        std::function<std::string(int row)> editText;             // a double-clicked row's text to change
        std::function<void(int row, const std::string&)> edited;  // the changed text
        std::function<void(int row)> removed;                     // Delete on a row
        std::function<bool(int row, int column)> red;             // a cell drawn in red
    };

    // A child of `parent`; `prompt` null makes a pane without an entry line.
    [[nodiscard]] bool Create(HWND parent, const std::vector<Column>& columns, const char* prompt, Hooks hooks);
    // The rows' texts, column by column; rows beyond them are removed.
    void SetRows(const std::vector<std::vector<std::string>>& rows);
    // The text of a cell, for tests and for the hooks.
    std::string CellText(int row, int column) const;
    int RowCount() const;
    HWND List() const { return m_list; }
    HWND Entry() const { return m_entry; }
    void SetEntryText(const std::string& text) { SetWindowTextA(m_entry, text.c_str()); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    class CEntry;
    void Layout();
    LRESULT OnNotify(NMHDR& hdr);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void EditRow(int row);
    void OnEntered();

    HWND m_list = nullptr;
    HWND m_entry = nullptr;
    CEntry* m_pEntry = nullptr;
    Hooks m_hooks;
    FxFont m_font;  // a fixed-pitch font with Chinese, so that hex columns line up
};
