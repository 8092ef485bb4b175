// The Registers pane: AX to IP and the flags by their letters, the values the last step changed
// in red; a double-click on a value changes it ("set").
#pragma once
#include "core/debugger/session_state.h"
#include "debugger/debug_list_pane.h"
#include "debugger/debug_requests.h"

class CRegistersPane {
public:
    [[nodiscard]] bool Create(HWND parent, CDebugRequests& requests);
    void Show(const halyard::debugger::SessionState& state);
    CDebugListPane& Window() { return m_pane; }

private:
    void OnEdited(int row, const std::string& text);

    CDebugListPane m_pane;
    CDebugRequests* m_pRequests = nullptr;
    halyard::debugger::SessionState m_shown;
};
