// The debugger's four panes as docking bars of the main window: Registers and Stack docked at the
// right, Watch and Memory beside the Output pane at the bottom. They are made hidden and shown
// when a run starts; each closes and docks like the WorkSpace and Output panes.
#pragma once
#include "debugger/memory_pane.h"
#include "debugger/registers_pane.h"
#include "debugger/stack_pane.h"
#include "debugger/watch_pane.h"
#include "frame/pane_bar.h"

class FxMDIFrame;

class CDebugPaneBars {
public:
    [[nodiscard]] bool Create(FxMDIFrame& frame, CDebugRequests& requests);
    void Show(bool show);
    bool IsCreated() const { return m_pFrame != nullptr; }

    CRegistersPane registers;
    CMemoryPane memory;
    CStackPane stack;
    CWatchPane watch;

private:
    CPaneBar m_registersBar, m_memoryBar, m_stackBar, m_watchBar;
    FxMDIFrame* m_pFrame = nullptr;
};
