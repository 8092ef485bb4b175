#include "core/pc/bios/bios_keyboard.h"

#include <cstdio>

#include "core/pc/bios/scan_codes.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kHead = 0x1A, kTail = 0x1C, kBufferStart = 0x80, kBufferEnd = 0x82;
constexpr uint16_t kShifts = 0x17, kHeld = 0x18, kBreakFlag = 0x71, kKeyboardStatus = 0x96;
constexpr uint16_t kFirstSlot = 0x1E, kEndSlot = 0x3E;
constexpr uint8_t kE0Seen = 0x02;
constexpr unsigned kPollsBeforeIdle = 16;
constexpr uint64_t kEndedPollingMicroseconds = 2000000;
constexpr char kInputEnded[] = "the program waits for a key, but its redirected standard input has ended";

}  // namespace

void BiosKeyboard::Reset()
{
    Memory& mem = m_guest.mem;
    mem.Write16(bda::kSegment, kHead, kFirstSlot);
    mem.Write16(bda::kSegment, kTail, kFirstSlot);
    mem.Write16(bda::kSegment, kBufferStart, kFirstSlot);
    mem.Write16(bda::kSegment, kBufferEnd, kEndSlot);
    mem.Write8(bda::kSegment, kShifts, 0);
    mem.Write8(bda::kSegment, kHeld, 0);
    mem.Write8(bda::kSegment, kKeyboardStatus, 0x10);  // an enhanced keyboard
    m_inputEnded = m_lastWasCr = false;
    m_emptyPolls = 0;
    m_endedSince = 0;
}

bool BiosKeyboard::Store(uint16_t key)
{
    if (!HasRoom())
        return false;
    Memory& mem = m_guest.mem;
    const uint16_t tail = mem.Read16(bda::kSegment, kTail);
    uint16_t next = uint16_t(tail + 2);
    if (next >= mem.Read16(bda::kSegment, kBufferEnd))
        next = mem.Read16(bda::kSegment, kBufferStart);
    mem.Write16(bda::kSegment, tail, key);
    mem.Write16(bda::kSegment, kTail, next);
    return true;
}

bool BiosKeyboard::Take(uint16_t& key, bool remove)
{
    Memory& mem = m_guest.mem;
    const uint16_t head = mem.Read16(bda::kSegment, kHead);
    if (head == mem.Read16(bda::kSegment, kTail))
        return false;
    key = mem.Read16(bda::kSegment, head);
    if (remove) {
        uint16_t next = uint16_t(head + 2);
        if (next >= mem.Read16(bda::kSegment, kBufferEnd))
            next = mem.Read16(bda::kSegment, kBufferStart);
        mem.Write16(bda::kSegment, kHead, next);
    }
    return true;
}

void BiosKeyboard::Interrupt09()
{
    const uint8_t code = m_devices.In(0x60);
    Scan(code);
    m_devices.pic.EndOfInterrupt();
    m_devices.UpdateLine();
}

// Updates the shift states for a shift or lock key: true when `code` was one.
bool BiosKeyboard::ShiftKey(uint8_t code, bool extended, bool down)
{
    Memory& mem = m_guest.mem;
    uint8_t flags = mem.Read8(bda::kSegment, kShifts), held = mem.Read8(bda::kSegment, kHeld);
    uint8_t bit = 0, heldBit = 0, toggle = 0;
    switch (code) {
    case scan::kLeftShift: bit = extended ? 0 : shift::kLeftShift; break;  // E0 2A: a fake shift
    case scan::kRightShift: bit = extended ? 0 : shift::kRightShift; break;
    case scan::kCtrl: bit = shift::kCtrl; heldBit = extended ? 0 : 0x01; break;
    case scan::kAlt: bit = shift::kAlt; heldBit = extended ? 0 : 0x02; break;
    case scan::kCapsLock: toggle = shift::kCapsLock; heldBit = 0x40; break;
    case scan::kNumLock: toggle = shift::kNumLock; heldBit = 0x20; break;
    case scan::kScrollLock:
        if (flags & shift::kCtrl)
            return false;  // Ctrl+Scroll Lock is Break
        toggle = shift::kScrollLock;
        heldBit = 0x10;
        break;
    default: return false;
    }
    if (toggle != 0 && down && !(held & heldBit))
        flags ^= toggle;
    flags = uint8_t(down ? flags | bit : flags & ~bit);
    held = uint8_t(down ? held | heldBit : held & ~heldBit);
    mem.Write8(bda::kSegment, kShifts, flags);
    mem.Write8(bda::kSegment, kHeld, held);
    return true;
}

void BiosKeyboard::Scan(uint8_t code)
{
    Memory& mem = m_guest.mem;
    uint8_t status = mem.Read8(bda::kSegment, kKeyboardStatus);
    if (code == 0xE0) {
        mem.Write8(bda::kSegment, kKeyboardStatus, uint8_t(status | kE0Seen));
        return;
    }
    if (code == 0xFA || code == 0xEE || code == 0x00 || code == 0xFF)
        return;  // the keyboard's answers to commands (AAh is also Left Shift's release)
    const bool extended = status & kE0Seen;
    mem.Write8(bda::kSegment, kKeyboardStatus, uint8_t(status & ~kE0Seen));
    const bool down = !(code & 0x80);
    const uint8_t make = uint8_t(code & 0x7F);
    if (ShiftKey(make, extended, down) || !down)
        return;
    const uint8_t flags = mem.Read8(bda::kSegment, kShifts);
    if (make == scan::kInsert && !(flags & (shift::kCtrl | shift::kAlt)))
        mem.Write8(bda::kSegment, kShifts, uint8_t(flags ^ shift::kInsert));
    if ((flags & shift::kCtrl) && make == scan::kScrollLock) {
        Break();
        return;
    }
    const uint16_t key = KeyCode(make, extended, flags);
    if (key != 0)
        Store(key);
}

void BiosKeyboard::Break()
{
    Memory& mem = m_guest.mem;
    mem.Write16(bda::kSegment, kHead, mem.Read16(bda::kSegment, kTail));
    Store(0x0000);
    mem.Write8(bda::kSegment, kBreakFlag, 0x80);
    m_guest.cpu.Interrupt(0x1B);
}

bool BiosKeyboard::Feed()
{
    if (m_inputEnded || !m_guest.console.IsRedirected(Stream::Input))
        return false;
    if (!m_devices.KeyboardIdle())
        return true;  // the last stroke is still on its way
    uint8_t c = 0;
    if (m_guest.console.ReadInput(&c, 1) == 0) {
        m_inputEnded = true;
        return false;
    }
    const bool skip = c == '\n' && m_lastWasCr;
    m_lastWasCr = c == '\r';
    if (skip)
        return Feed();
    const Keystroke k = KeystrokeFor(c);
    if (k.scan == 0)
        return Store(uint16_t(c)) || true;  // no key types it: as if entered on the keypad with Alt
    KeyboardController& kbc = m_devices.keyboard;
    if (k.ctrl)
        kbc.QueueKey(scan::kCtrl, false, true);
    if (k.shifted)
        kbc.QueueKey(scan::kLeftShift, false, true);
    kbc.QueueKey(k.scan, false, true);
    kbc.QueueKey(k.scan, false, false);
    if (k.shifted)
        kbc.QueueKey(scan::kLeftShift, false, false);
    if (k.ctrl)
        kbc.QueueKey(scan::kCtrl, false, false);
    return true;
}

void BiosKeyboard::WaitForKey()
{
    if (!Feed() && m_guest.console.IsRedirected(Stream::Input) && m_inputEnded) {
        m_guest.Fail(kInputEnded);
        return;
    }
    m_guest.RetryAfterInterrupt();
}

bool BiosKeyboard::HasRoom()
{
    Memory& mem = m_guest.mem;
    uint16_t next = uint16_t(mem.Read16(bda::kSegment, kTail) + 2);
    if (next >= mem.Read16(bda::kSegment, kBufferEnd))
        next = mem.Read16(bda::kSegment, kBufferStart);
    return next != mem.Read16(bda::kSegment, kHead);
}

void BiosKeyboard::NoteEmptyPoll()
{
    if (!Feed() && m_inputEnded) {
        const uint64_t now = m_devices.Now();
        if (m_endedSince == 0)
            m_endedSince = now + 1;
        else if (now - m_endedSince > kEndedPollingMicroseconds)
            m_guest.Fail(kInputEnded);
    }
    CountEmptyPoll();
}

void BiosKeyboard::CountEmptyPoll()
{
    if (++m_emptyPolls >= kPollsBeforeIdle) {
        m_emptyPolls = 0;
        m_devices.RequestIdle();
        m_guest.cpu.Stop();
    }
}

void BiosKeyboard::Interrupt16()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const uint8_t ah = R.AH();
    const bool extendedCall = ah >= 0x10;
    uint16_t key = 0;
    switch (ah) {
    case 0x00:
    case 0x10:
        if (!Take(key, true)) {
            WaitForKey();
            return;
        }
        break;
    case 0x01:
    case 0x11: {
        const bool waiting = Take(key, false);
        m_guest.ReturnFlag(kZF, !waiting);
        if (!waiting) {
            NoteEmptyPoll();
            return;
        }
        break;
    }
    case 0x02: R.SetAL(mem.Read8(bda::kSegment, kShifts)); return;
    case 0x12:
        R.SetAL(mem.Read8(bda::kSegment, kShifts));
        R.SetAH(uint8_t(mem.Read8(bda::kSegment, kHeld) & 0x73));
        return;
    case 0x03: return;  // typematic rate: keys repeat at the host's rate
    case 0x05: R.SetAL(Store(R.r[kCX]) ? 0 : 1); return;
    default: {
        char service[40];
        std::snprintf(service, sizeof service, "BIOS service INT 16h AH=%02Xh", ah);
        m_guest.FailUnsupported(service);
        return;
    }
    }
    m_emptyPolls = 0;
    if (!extendedCall && uint8_t(key) == 0xE0 && key >> 8 != 0)
        key = uint16_t(key & 0xFF00);
    R.r[kAX] = key;
}

}  // namespace halyard::dos
