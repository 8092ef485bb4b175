// The Stack pane: the words from SS:SP up, a word that is a return address into the program's
// code marked with the line it returns to.
#pragma once
#include "debugger/debug_list_pane.h"
#include "debugger/debug_requests.h"

class CStackPane {
public:
    static constexpr int kWords = 16;

    [[nodiscard]] bool Create(HWND parent, CDebugRequests& requests);
    void Refresh();
    CDebugListPane& Window() { return m_pane; }

private:
    void Fill(uint16_t ss, uint16_t sp, const CDebugRequests::Bytes& bytes);

    CDebugListPane m_pane;
    CDebugRequests* m_pRequests = nullptr;
};
