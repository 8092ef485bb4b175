#include "core/pc/bios/bios_keys.h"

namespace halyard::dos {
namespace {

constexpr uint8_t kF1 = 0x3B, kF10 = 0x44, kF11 = 0x57, kF12 = 0x58;

uint16_t Code(uint8_t scan, uint8_t character = 0)
{
    return uint16_t(scan << 8 | character);
}

// F1-F10 with no shift key, Shift, Ctrl and Alt; F11 and F12 likewise.
uint16_t FunctionKey(const KeyPress& key)
{
    const unsigned shiftIndex = key.alt ? 3 : key.ctrl ? 2 : key.shift ? 1 : 0;
    if (key.scan >= kF1 && key.scan <= kF10) {
        static constexpr uint8_t kFirst[4] = {kF1, 0x54, 0x5E, 0x68};
        return Code(uint8_t(kFirst[shiftIndex] + key.scan - kF1));
    }
    static constexpr uint8_t kElevenTwelve[4] = {0x85, 0x87, 0x89, 0x8B};
    return Code(uint8_t(kElevenTwelve[shiftIndex] + key.scan - kF11));
}

uint16_t CtrlCursorKey(uint8_t scan)
{
    switch (scan) {
    case 0x47: return Code(0x77);  // Home
    case 0x48: return Code(0x8D);  // Up
    case 0x49: return Code(0x84);  // PgUp
    case 0x4B: return Code(0x73);  // Left
    case 0x4D: return Code(0x74);  // Right
    case 0x4F: return Code(0x75);  // End
    case 0x50: return Code(0x91);  // Down
    case 0x51: return Code(0x76);  // PgDn
    default: return 0;
    }
}

}  // namespace

uint16_t BiosKeyCode(const KeyPress& key)
{
    if ((key.scan >= kF1 && key.scan <= kF10) || key.scan == kF11 || key.scan == kF12)
        return FunctionKey(key);
    if (key.ctrl && !key.alt) {
        if (const uint16_t code = CtrlCursorKey(key.scan); code != 0)
            return code;
    }
    if (key.alt) {
        if (key.scan >= 0x02 && key.scan <= 0x0D)  // 1 to = on the top row
            return Code(uint8_t(key.scan + 0x76));
        return Code(key.scan);
    }
    return Code(key.scan, key.character);
}

}  // namespace halyard::dos
