#pragma once
// The machine's console: the process's standard handles, and the console window when there is
// one. Output is held back in small buffers and written when the machine flushes, when a buffer
// fills, before the program waits for input, and before the other stream is written (so that
// output and error sent to one pipe keep their order).
#include <windows.h>

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
    bool PollKey(uint16_t& key) override;
    bool WaitKey(uint16_t& key) override;
    void Flush() override;
    // Once the machine reads key events, Ctrl+Break is a key to it (INT 1Bh) rather than the
    // console's signal; Ctrl+C still ends the run.
    bool NextKeyEvent(dos::KeyEvent& event) override;
    void Wait(uint32_t milliseconds) override;

private:
    struct Pending {
        HANDLE handle = nullptr;
        std::string bytes;
    };
    void Write(Pending& pending);
    // The next key press: with `wait`, read when it comes; without, looked at but left waiting.
    bool NextKey(bool wait, uint16_t& key);
    static BOOL WINAPI OnControl(DWORD type);
    bool BreakEvent(dos::KeyEvent& event);

    HANDLE m_std[3] = {};
    bool m_redirected[3] = {};
    HANDLE m_conIn = INVALID_HANDLE_VALUE;
    HANDLE m_conOut = INVALID_HANDLE_VALUE;
    DWORD m_savedInputMode = 0;
    Pending m_out, m_err, m_text;
    bool m_breakHandled = false;
    unsigned m_breakStep = 0;  // where the key strokes of a Ctrl+Break being typed have got to
};

}  // namespace halyard::dosrun
