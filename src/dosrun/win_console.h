#pragma once
// The machine's console: the process's standard handles, and the console window when there is
// one. Output is held back in small buffers and written when the machine flushes, when a buffer
// fills, before the program waits for input, and before the other stream is written (so that
// output and error sent to one pipe keep their order).
#include <windows.h>

#include <deque>
#include <string>

#include "core/pc/host.h"

namespace halyard::dosrun {

class WinConsole final : public dos::HostConsole {
public:
    WinConsole();
    WinConsole(const WinConsole&) = delete;
    WinConsole& operator=(const WinConsole&) = delete;
    ~WinConsole();

    bool IsRedirected(dos::Stream stream) override;
    uint32_t ReadInput(uint8_t* data, uint32_t size) override;
    void WriteStream(dos::Stream stream, const uint8_t* data, uint32_t size) override;
    void WriteText(const uint8_t* data, uint32_t size) override;
    void ShowScreen(const uint8_t* cells, unsigned cursorRow, unsigned cursorColumn) override;
    void Flush() override;
    // Ctrl+Break is a key to the machine (INT 1Bh) rather than the console's signal, and Ctrl+C a
    // key DOS answers. A key pressed with Shift, Ctrl or Alt that the console sent no press of
    // (pasted text) comes with presses and releases of those keys around it.
    bool NextKeyEvent(dos::KeyEvent& event) override;
    bool KeysMayCome() override;
    // Ctrl+Break twice within two seconds (as the console's signal or as key records), or the
    // console window closing.
    std::string StopRequest() override;
    void Wait(uint32_t milliseconds) override;
    // The run has ended: a closing window need not wait for it any longer.
    static void RunEnded();

private:
    struct Pending {
        HANDLE handle = nullptr;
        std::string bytes;
    };
    void Write(Pending& pending);
    static BOOL WINAPI OnControl(DWORD type);
    // Queues the events of one key record; false when it holds none.
    bool Translate(const KEY_EVENT_RECORD& key);
    // Reads every record waiting at the console into the queue, so that a Ctrl+Break is seen even
    // while the machine takes no keys.
    void Drain();
    // Presses or releases Shift, Ctrl and Alt so that the machine holds those that `state` holds.
    void MatchModifiers(DWORD state);

    HANDLE m_std[3] = {};
    bool m_redirected[3] = {};
    HANDLE m_conIn = INVALID_HANDLE_VALUE;
    HANDLE m_conOut = INVALID_HANDLE_VALUE;
    DWORD m_savedInputMode = 0;
    bool m_keys = false;       // the input is a console's, with key records
    bool m_signalled = false;  // the last wait ended because the console had input
    ULONGLONG m_asked = 0;     // when the console was last asked for records
    Pending m_out, m_err, m_text;
    bool m_breakHandled = false;
    unsigned m_breaksTyped = 0;           // Ctrl+Break presses passed to the machine
    std::deque<dos::KeyEvent> m_events;   // translated, not yet taken
    uint8_t m_modifiers = 0;              // Shift, Ctrl, Alt as the machine holds them (bits 0-2)
};

}  // namespace halyard::dosrun
