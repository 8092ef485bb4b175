#include "debugger/debug_pane_bars.h"

#include "fx/fx_mdiframe.h"
#include "resource.h"

bool CDebugPaneBars::Create(FxMDIFrame& frame, CDebugRequests& requests)
{
    const DWORD style = WS_CHILD;
    const struct {
        CPaneBar& bar;
        const char* title;
        SIZE size;
        UINT id;
    } bars[] = {{m_registersBar, "Registers", SIZE{240, 420}, IDC_REGISTERS_BAR},
                {m_stackBar, "Stack", SIZE{240, 220}, IDC_STACK_BAR},
                {m_watchBar, "Watch", SIZE{330, 160}, IDC_WATCH_BAR},
                {m_memoryBar, "Memory", SIZE{480, 160}, IDC_MEMORY_BAR}};
    for (const auto& b : bars)
        if (!b.bar.Create(b.title, &frame, b.size, TRUE, b.id, style)) return false;
    if (!registers.Create(m_registersBar.m_hWnd, requests) || !stack.Create(m_stackBar.m_hWnd, requests) ||
        !watch.Create(m_watchBar.m_hWnd, requests) || !memory.Create(m_memoryBar.m_hWnd, requests))
        return false;
    for (const auto& b : bars) b.bar.EnableDocking(kFxDockAny);
    frame.DockControlBar(&m_registersBar, FxDockSide::Right);
    frame.DockControlBar(&m_stackBar, FxDockSide::Right, 0);
    frame.DockControlBar(&m_watchBar, FxDockSide::Bottom, 0);
    frame.DockControlBar(&m_memoryBar, FxDockSide::Bottom, 0);
    m_pFrame = &frame;
    Show(false);
    return true;
}

void CDebugPaneBars::Show(bool show)
{
    if (!m_pFrame) return;
    for (CPaneBar* bar : {&m_registersBar, &m_stackBar, &m_watchBar, &m_memoryBar}) m_pFrame->ShowControlBar(bar, show);
}
