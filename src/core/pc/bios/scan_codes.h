#pragma once
// The keyboard's scan codes (set 1) and what the BIOS makes of them: the key code its buffer holds
// (scan code high, character low) under the shift states of 40:17h, and the other way, the keys
// that type a given character on the US layout.
#include <cstdint>

namespace halyard::dos {

// Shift-state bits of 40:17h.
namespace shift {
inline constexpr uint8_t kRightShift = 0x01, kLeftShift = 0x02, kCtrl = 0x04, kAlt = 0x08;
inline constexpr uint8_t kScrollLock = 0x10, kNumLock = 0x20, kCapsLock = 0x40, kInsert = 0x80;
}  // namespace shift

namespace scan {
inline constexpr uint8_t kEscape = 0x01, kBackspace = 0x0E, kTab = 0x0F, kEnter = 0x1C, kCtrl = 0x1D;
inline constexpr uint8_t kLeftShift = 0x2A, kRightShift = 0x36, kAlt = 0x38, kCapsLock = 0x3A;
inline constexpr uint8_t kNumLock = 0x45, kScrollLock = 0x46, kInsert = 0x52, kDelete = 0x53;
}  // namespace scan

// The buffer's key code for a make code, 0 for a key that puts nothing in the buffer (the shift
// keys, unknown codes). Extended keys (E0h prefix) give their character as E0h where the
// extended-keyboard functions tell them apart.
uint16_t KeyCode(uint8_t scanCode, bool extended, uint8_t shifts);

struct Keystroke {
    uint8_t scan = 0;  // 0: no key types it
    bool shifted = false;
    bool ctrl = false;
};
Keystroke KeystrokeFor(uint8_t character);

}  // namespace halyard::dos
