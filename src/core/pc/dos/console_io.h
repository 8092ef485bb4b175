#pragma once
// DOS character input and output. Standard input and output are the host's streams when these are
// redirected and the console (keyboard and teletype screen) when they are not; CON is always the
// console side of each.
#include <cstdint>
#include <string>

#include "core/pc/dos/file_table.h"
#include "core/pc/host.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

inline constexpr int kEndOfInput = -1;
inline constexpr int kCtrlC = 0x03;

class ConsoleIo {
public:
    ConsoleIo(HostConsole& console, TextScreen& screen);

    // The next character of standard input, kEndOfInput at its end (or with no keyboard). An
    // extended key comes as 0 followed by its scan code.
    int ReadChar();
    bool InputReady();
    // Whether input comes from the keyboard (else from a redirected stream).
    bool FromKeyboard() const { return !Redirected(Stream::Input); }
    // Forgets typed-ahead keys and any half-read line (for 0Ch).
    void DiscardInput();
    // Whether Ctrl+C was typed into the last line read (ReadLine then returns it empty); asking
    // forgets it.
    bool TakeBreak()
    {
        const bool pressed = m_break;
        m_break = false;
        return pressed;
    }
    // Whether redirected standard input has been read to its end.
    bool InputAtEnd() const { return m_inputEnded && m_inputPos >= m_inputEnd; }
    // A line of at most `limit` characters, without its CR, echoed as DOS does.
    std::string ReadLine(unsigned limit);
    // Reading handle-style from an input device: a whole line with its CR LF, handed out in parts.
    uint32_t ReadCooked(uint8_t* data, uint32_t size);

    void Write(Device device, uint8_t c);
    void Write(Device device, const uint8_t* data, uint32_t size);
    // The console side of output: tabs expanded to the next multiple of 8.
    void Echo(uint8_t c);

private:
    bool Redirected(Stream s) const { return m_console.IsRedirected(s); }
    bool FillInput();

    HostConsole& m_console;
    TextScreen& m_screen;
    uint8_t m_input[512];
    uint32_t m_inputPos = 0, m_inputEnd = 0;
    bool m_inputEnded = false;
    int m_pendingScan = -1;  // the second half of an extended key
    bool m_break = false;
    std::string m_cooked;    // the rest of a line read through a handle
};

}  // namespace halyard::dos
