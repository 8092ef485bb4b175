#pragma once
// DOS character input and output. Standard input and output are the host's streams when these are
// redirected and the console (keyboard and teletype screen) when they are not; CON is always the
// console side of each. A call that must wait for a key returns, to be taken again later.
#include <cstdint>
#include <string>

#include "core/pc/dos/file_table.h"
#include "core/pc/host.h"
#include "core/pc/bios/bios_keyboard.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

inline constexpr int kEndOfInput = -1;
// No key has been typed yet: the service waits halted for one and is taken again (the timer's
// and the keyboard's interrupts run meanwhile, the program's hooks too).
inline constexpr int kNoKeyYet = -2;
inline constexpr int kCtrlC = 0x03;

enum class LineRead : uint8_t { Done, Waiting, Break };

class ConsoleIo {
public:
    ConsoleIo(HostConsole& console, TextScreen& screen, BiosKeyboard& keyboard);

    // The next character of standard input, kEndOfInput at its end (or when no key can come), or
    // kNoKeyYet. Typed keys come from the BIOS's buffer, as the keyboard's interrupt filled it; an
    // extended key comes as 0 followed by its scan code.
    int ReadChar();
    // Whether a character waits; polling the keyboard in vain lets the machine idle.
    bool InputReady();
    // Whether input comes from the keyboard (else from a redirected stream).
    bool FromKeyboard() const { return !Redirected(Stream::Input); }
    // Forgets typed-ahead keys and any half-read line (for 0Ch).
    void DiscardInput();
    // Ctrl+Break was pressed (INT 1Bh): the next console call that checks sees Ctrl+C.
    void NoteBreak() { m_breakPending = true; }
    // The check of a console call (DOS's BREAK=OFF): true when Ctrl+Break was pressed or a typed
    // Ctrl+C is the next key, which is then taken out, so that no stale Ctrl+C stays behind.
    bool TakeBreak();
    // Whether redirected standard input has been read to its end.
    bool InputAtEnd() const { return m_inputEnded && m_inputPos >= m_inputEnd; }
    // Reads on at a line of at most `limit` characters, echoed as DOS does; Done with `line`
    // (without its CR), Waiting when the keys typed so far did not end it (what was read stays
    // for the call's next take), Break for Ctrl+C (echoed as ^C; the line is dropped).
    LineRead ReadLine(unsigned limit, std::string& line);
    // A new call reads a new line: the half-read one of a call that did not come back is dropped.
    void ForgetLine() { m_line.clear(); }
    // Reading handle-style from an input device: a whole line with its CR LF, handed out in parts.
    LineRead ReadCooked(uint8_t* data, uint32_t size, uint32_t& done);

    void Write(Device device, uint8_t c);
    void Write(Device device, const uint8_t* data, uint32_t size);
    // The console side of output: tabs expanded to the next multiple of 8.
    void Echo(uint8_t c);

private:
    bool Redirected(Stream s) const { return m_console.IsRedirected(s); }
    bool FillInput();
    // The BIOS's next key code, skipping the 0000h that Ctrl+Break leaves in the buffer.
    bool NextKey(uint16_t& key, bool remove);

    HostConsole& m_console;
    TextScreen& m_screen;
    BiosKeyboard& m_keyboard;
    uint8_t m_input[512];
    uint32_t m_inputPos = 0, m_inputEnd = 0;
    bool m_inputEnded = false;
    int m_pendingScan = -1;  // the second half of an extended key
    bool m_breakPending = false;
    std::string m_line;      // the line being read, while its call waits for keys
    std::string m_cooked;    // the rest of a line read through a handle
};

}  // namespace halyard::dos
