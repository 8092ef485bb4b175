#include "debugger/debug_sink.h"

namespace {
const UINT_PTR kTimer = 1;
}

bool CDebugSink::Create(std::function<void(const std::string*)> line, std::function<void()> tick)
{
    m_line = std::move(line);
    m_tick = std::move(tick);
    const char* cls = RegisterClassOnce("HalyardDebugSink", 0, nullptr);
    return CreateEx(0, cls, "", 0, RECT{0, 0, 0, 0}, HWND_MESSAGE, 0);
}

void CDebugSink::StartTimer(UINT period) { SetTimer(m_hWnd, kTimer, period, nullptr); }

void CDebugSink::StopTimer() { KillTimer(m_hWnd, kTimer); }

LRESULT CDebugSink::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kLineMessage) {
        const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lp));
        if (m_line) m_line(line.get());
        return 0;
    }
    if (msg == WM_TIMER && wp == kTimer) {
        if (m_tick) m_tick();
        return 0;
    }
    return FxWnd::WindowProc(msg, wp, lp);
}
