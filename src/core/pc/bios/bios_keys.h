#pragma once
// The BIOS's code for a key press (scan code high, character low), as INT 16h AH=00h returns it,
// from the key's set-1 scan code, the character it types and the shift keys held.
#include <cstdint>

namespace halyard::dos {

struct KeyPress {
    uint8_t scan = 0;       // set-1 make code (grey keys have the same as their keypad twins)
    uint8_t character = 0;  // what the key types with these shift keys, 0 for none
    bool shift = false, ctrl = false, alt = false;
};

// Function keys, and cursor keys with Ctrl, have codes of their own with each shift key; Alt
// with a letter or digit gives no character.
uint16_t BiosKeyCode(const KeyPress& key);

}  // namespace halyard::dos
