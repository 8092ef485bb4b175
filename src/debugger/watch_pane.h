// The Watch pane: names of the source, registers and "[BX+SI]"-style memory typed above, each
// shown as its type (DB byte, DW word, DD dword) in hex, decimal and characters, evaluated again
// at every stop. Delete takes the selected watch away.
#pragma once
#include "debugger/debug_list_pane.h"
#include "debugger/debug_requests.h"

class CWatchPane {
public:
    [[nodiscard]] bool Create(HWND parent, CDebugRequests& requests);
    void Add(const std::string& expression);
    void Refresh();
    CDebugListPane& Window() { return m_pane; }
    const std::vector<std::string>& Expressions() const { return m_expressions; }

private:
    void Evaluate(size_t index);
    void ShowRow(size_t index, const std::string& value, const std::string& type);
    void Remove(int row);

    CDebugListPane m_pane;
    CDebugRequests* m_pRequests = nullptr;
    std::vector<std::string> m_expressions;
    std::vector<std::vector<std::string>> m_rows;  // what the list shows, row by row
};
