#pragma once
// The BIOS's keyboard: INT 9 (IRQ 1) turns the controller's scan codes into key codes in the
// 16-key buffer at 40:1Eh (head at 40:1Ah, tail at 40:1Ch, as programs that read it directly
// expect) and keeps the shift states at 40:17h/40:18h; Ctrl+Break empties the buffer and calls
// INT 1Bh. INT 16h reads the buffer.
//
// Keys reach the controller from the console (presses and releases), or, where standard input is
// not a console, from its bytes, one key stroke each time the program looks for a key and the
// keyboard is idle. A program that waits for a key waits halted: the machine idles until the
// keyboard's interrupt has put one in the buffer. When redirected input has ended, a wait for a
// key stops the run, with one message, rather than hanging.
#include <cstdint>

#include "core/pc/devices/devices.h"
#include "core/pc/bios/guest.h"

namespace halyard::dos {

class BiosKeyboard {
public:
    BiosKeyboard(Guest& guest, Devices& devices) : m_guest(guest), m_devices(devices) {}

    void Reset();
    void Interrupt09();
    void Interrupt16();

    // Puts a key code at the buffer's tail; false when the buffer is full.
    bool Store(uint16_t key);
    // Whether a key can still reach the buffer: one is on its way, or the console may type one.
    bool KeysMayCome() { return !m_devices.KeyboardIdle() || m_guest.console.KeysMayCome(); }
    // Whether one more key code fits (the buffer holds 15: one slot always stays free).
    bool HasRoom();
    // The key code at the buffer's head, taken out (`remove`) or left; false when it is empty.
    bool TakeKey(uint16_t& key, bool remove) { return Take(key, remove); }
    // A program polled for a key and found none: after a few polls in a row the machine idles.
    void CountEmptyPoll();

private:
    bool Take(uint16_t& key, bool remove);
    void Scan(uint8_t code);
    bool ShiftKey(uint8_t code, bool extended, bool down);
    void Break();
    // Feeds the next byte of redirected input as a key stroke: false at its end or when the
    // input is a console.
    bool Feed();
    void WaitForKey();
    void NoteEmptyPoll();

    Guest& m_guest;
    Devices& m_devices;
    bool m_inputEnded = false;
    bool m_lastWasCr = false;
    unsigned m_emptyPolls = 0;
    uint64_t m_endedSince = 0;
};

}  // namespace halyard::dos
