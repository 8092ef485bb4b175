#include "core/pc/devices/keyboard_controller.h"

namespace halyard::dos {

void KeyboardController::Reset()
{
    m_queue.clear();
    m_output = 0;
    m_full = false;
    m_read = true;
    m_touched = false;
    m_pendingCommand = 0;
    m_commandByte = 0x45;
    m_keyboardArgument = false;
}

void KeyboardController::QueueKey(uint8_t scan, bool extended, bool down)
{
    if (extended)
        m_queue.push_back(0xE0);
    m_queue.push_back(uint8_t(down ? scan & 0x7F : scan | 0x80));
}

bool KeyboardController::Pump()
{
    if (!m_read || m_queue.empty())
        return false;
    m_output = m_queue.front();
    m_queue.pop_front();
    m_full = true;
    m_read = false;
    return true;
}

uint8_t KeyboardController::In(uint16_t port)
{
    m_touched = true;
    if (port == 0x64)  // status: output full, self-test passed, not inhibited
        return uint8_t((m_full ? 0x01 : 0) | 0x14);
    m_full = false;
    m_read = true;
    return m_output;
}

void KeyboardController::Out(uint16_t port, uint8_t value)
{
    m_touched = true;
    if (port == 0x64) {
        switch (value) {
        case 0x20: m_queue.push_front(m_commandByte); return;  // read the command byte
        case 0x60: case 0xD1: m_pendingCommand = value; return;  // data follows at 60h
        case 0xAA: m_queue.push_front(0x55); return;             // self-test passed
        case 0xAB: m_queue.push_front(0x00); return;             // interface test passed
        default: return;  // enable/disable keyboard, pulse output lines: nothing to model
        }
    }
    if (m_pendingCommand != 0) {
        if (m_pendingCommand == 0x60)
            m_commandByte = value;
        m_pendingCommand = 0;
        return;
    }
    KeyboardCommand(value);
}

void KeyboardController::KeyboardCommand(uint8_t value)
{
    if (m_keyboardArgument) {  // LEDs or typematic rate
        m_keyboardArgument = false;
        m_queue.push_front(0xFA);
        return;
    }
    switch (value) {
    case 0xED: case 0xF3: m_keyboardArgument = true; m_queue.push_front(0xFA); return;
    case 0xEE: m_queue.push_front(0xEE); return;  // echo
    case 0xF2: m_queue.push_front(0x83); m_queue.push_front(0xAB); m_queue.push_front(0xFA); return;  // identify
    case 0xFF: m_queue.clear(); m_queue.push_back(0xFA); m_queue.push_back(0xAA); return;  // reset
    default: m_queue.push_front(0xFA); return;
    }
}

}  // namespace halyard::dos
