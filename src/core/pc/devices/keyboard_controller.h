#pragma once
// The keyboard controller (8042) at ports 60h (data) and 64h (status and commands), with the
// keyboard behind it sending scan code set 1: a make code on press, the same code with bit 7 set
// on release, E0h before the extended keys' codes.
//
// Bytes wait in the keyboard's queue and move to the output buffer one at a time, each raising
// IRQ 1; the byte stays readable at port 60h until the next one moves in, which happens only after
// it was read and its interrupt ended (so a hook and the BIOS handler it chains to read the same
// byte). Commands to the keyboard are answered with ACK (FAh).
#include <cstdint>
#include <deque>

#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

class KeyboardController final : public PortDevice {
public:
    void Reset();

    void Queue(uint8_t byte) { m_queue.push_back(byte); }
    // A key's make or break code, with its E0h prefix when extended.
    void QueueKey(uint8_t scan, bool extended, bool down);
    bool Idle() const { return m_queue.empty() && !m_full; }
    bool Full() const { return m_full; }
    // Moves the next queued byte into an empty output buffer: true when IRQ 1 is to be raised.
    bool Pump();

    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;
    // Whether the program has looked at the keyboard's ports.
    bool Touched() const { return m_touched; }

private:
    void KeyboardCommand(uint8_t value);

    std::deque<uint8_t> m_queue;
    uint8_t m_output = 0;
    bool m_full = false;    // the output buffer holds a byte not yet read
    bool m_read = true;     // the output byte was read: the next may come
    bool m_touched = false;
    uint8_t m_pendingCommand = 0;  // a controller command waiting for its data byte at 60h
    uint8_t m_commandByte = 0x45;
    bool m_keyboardArgument = false;  // the keyboard waits for a command's argument
};

}  // namespace halyard::dos
