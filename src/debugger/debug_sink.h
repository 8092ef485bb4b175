// A message-only window that takes the channel's posted lines and the debugger's timer on the
// window thread, and hands them on.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "fx/fx_wnd.h"

class CDebugSink : public FxWnd {
public:
    static constexpr UINT kLineMessage = WM_APP + 0x40;

    // `line` hears each line; null for the channel's end. `tick` hears the timer.
    [[nodiscard]] bool Create(std::function<void(const std::string*)> line, std::function<void()> tick);
    void StartTimer(UINT period);
    void StopTimer();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::function<void(const std::string*)> m_line;
    std::function<void()> m_tick;
};
