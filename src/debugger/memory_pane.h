// The Memory pane: 16 bytes a row in hex and characters from an address or a name typed above
// ("DS:0", "ES:DI", "msg"). The expression is evaluated again at every stop, so that one with
// registers follows them. A double-click on a row's bytes changes them ("write").
#pragma once
#include "debugger/debug_list_pane.h"
#include "debugger/debug_requests.h"

class CMemoryPane {
public:
    static constexpr int kRows = 8;

    [[nodiscard]] bool Create(HWND parent, CDebugRequests& requests);
    // Reads the rows again from the expression's address now.
    void Refresh();
    // Shows memory from `expression` (as typed in the entry line).
    void ShowFrom(const std::string& expression);
    CDebugListPane& Window() { return m_pane; }

private:
    void Fill(uint16_t segment, uint16_t offset, const CDebugRequests::Bytes& bytes);
    void OnEdited(int row, const std::string& text);

    CDebugListPane m_pane;
    CDebugRequests* m_pRequests = nullptr;
    std::string m_expression;
    uint16_t m_segment = 0, m_offset = 0;  // of the first row shown
};
