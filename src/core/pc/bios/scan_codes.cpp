#include "core/pc/bios/scan_codes.h"

#include <cstring>

namespace halyard::dos {
namespace {

// The characters of make codes 01h-39h, without and with Shift (0: none).
constexpr char kPlain[] = "\x1b" "1234567890-=\b\tqwertyuiop[]\r\0asdfghjkl;'`\0\\zxcvbnm,./\0*\0 ";
constexpr char kShifted[] = "\x1b!@#$%^&*()_+\b\tQWERTYUIOP{}\r\0ASDFGHJKL:\"~\0|ZXCVBNM<>?\0*\0 ";
constexpr uint8_t kLastCharacterKey = 0x39;

// The keypad (47h-53h) with Num Lock: digits and point; without, the editing keys (character 0).
constexpr char kKeypad[] = "789-456+1230.";

// With Ctrl: the control characters of the letters and a few others, codes for the rest.
uint16_t CtrlCode(uint8_t code, char plain)
{
    if (plain >= 'a' && plain <= 'z')
        return uint16_t(code << 8 | (plain - 'a' + 1));
    switch (code) {
    case 0x01: return 0x011B;
    case 0x03: return 0x0300;  // Ctrl+2: NUL
    case 0x07: return 0x071E;
    case 0x0C: return 0x0C1F;
    case 0x0E: return 0x0E7F;
    case 0x0F: return 0x9400;
    case 0x1A: return 0x1A1B;
    case 0x1B: return 0x1B1D;
    case 0x1C: return 0x1C0A;
    case 0x2B: return 0x2B1C;
    case 0x39: return 0x3920;
    default: break;
    }
    static const uint8_t kEditing[][2] = {{0x47, 0x77}, {0x48, 0x8D}, {0x49, 0x84}, {0x4B, 0x73}, {0x4D, 0x74},
                                          {0x4F, 0x75}, {0x50, 0x91}, {0x51, 0x76}, {0x52, 0x92}, {0x53, 0x93}};
    for (const auto& e : kEditing)
        if (e[0] == code)
            return uint16_t(e[1] << 8);
    return 0;
}

uint16_t AltCode(uint8_t code, char plain)
{
    if (code >= 0x02 && code <= 0x0D)
        return uint16_t((code + 0x76) << 8);  // Alt+1 is 78h ... Alt+= is 83h
    if ((plain >= 'a' && plain <= 'z') || code == 0x1C || code == 0x0E || code == 0x01)
        return uint16_t(code == 0x1C ? 0x1C00 : code == 0x0E ? 0x0E00 : code == 0x01 ? 0x0100 : code << 8);
    return 0;
}

uint16_t FunctionKey(uint8_t code, uint8_t shifts)
{
    const bool f11 = code == 0x57 || code == 0x58;
    const unsigned n = f11 ? code - 0x57 + 10 : code - 0x3B;  // 0-based
    if (f11) {
        if (shifts & shift::kAlt) return uint16_t((0x8B + n - 10) << 8);
        if (shifts & shift::kCtrl) return uint16_t((0x89 + n - 10) << 8);
        if (shifts & (shift::kLeftShift | shift::kRightShift)) return uint16_t((0x87 + n - 10) << 8);
        return uint16_t((0x85 + n - 10) << 8);
    }
    if (shifts & shift::kAlt) return uint16_t((0x68 + n) << 8);
    if (shifts & shift::kCtrl) return uint16_t((0x5E + n) << 8);
    if (shifts & (shift::kLeftShift | shift::kRightShift)) return uint16_t((0x54 + n) << 8);
    return uint16_t(code << 8);
}

uint16_t KeypadCode(uint8_t code, bool extended, uint8_t shifts)
{
    const char digit = kKeypad[code - 0x47];
    const bool shiftHeld = shifts & (shift::kLeftShift | shift::kRightShift);
    if (code == 0x4A || code == 0x4E)
        return uint16_t(code << 8 | uint8_t(digit));
    if (extended)
        return uint16_t(code << 8 | 0xE0);
    const bool numbers = bool(shifts & shift::kNumLock) != shiftHeld;
    return uint16_t(code << 8 | (numbers ? uint8_t(digit) : 0));
}

}  // namespace

uint16_t KeyCode(uint8_t code, bool extended, uint8_t shifts)
{
    const bool ctrl = shifts & shift::kCtrl, alt = shifts & shift::kAlt;
    if (extended && code == scan::kEnter)
        return ctrl ? 0xE00A : 0xE00D;
    if (extended && code == 0x35)
        return 0xE02F;
    if ((code >= 0x3B && code <= 0x44) || code == 0x57 || code == 0x58)
        return FunctionKey(code, shifts);
    if (code >= 0x47 && code <= 0x53) {
        if (alt)
            return 0;
        if (ctrl)
            return CtrlCode(code, 0);
        return KeypadCode(code, extended, shifts);
    }
    if (code == 0 || code > kLastCharacterKey)
        return 0;
    const char plain = kPlain[code - 1];
    if (plain == 0)
        return 0;  // Ctrl, Shift, Alt
    if (alt)
        return AltCode(code, plain);
    if (ctrl)
        return CtrlCode(code, plain);
    bool shifted = shifts & (shift::kLeftShift | shift::kRightShift);
    if ((shifts & shift::kCapsLock) && plain >= 'a' && plain <= 'z')
        shifted = !shifted;
    if (code == scan::kTab && shifted)
        return 0x0F00;
    return uint16_t(code << 8 | uint8_t(shifted ? kShifted[code - 1] : plain));
}

Keystroke KeystrokeFor(uint8_t c)
{
    Keystroke k;
    if (c == '\n')
        c = '\r';
    if (c >= 1 && c <= 26 && c != '\b' && c != '\t' && c != '\r') {
        k = KeystrokeFor(uint8_t('a' + c - 1));
        k.ctrl = true;
        return k;
    }
    for (uint8_t code = 1; code <= kLastCharacterKey; ++code) {
        if (c != 0 && kPlain[code - 1] == char(c)) {
            k.scan = code;
            return k;
        }
        if (c != 0 && kShifted[code - 1] == char(c) && code != 0x37) {
            k.scan = code;
            k.shifted = true;
            return k;
        }
    }
    return k;
}

}  // namespace halyard::dos
