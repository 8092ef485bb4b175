#include "core/pc/bios/bios.h"

#include <cstdio>

#include "core/pc/devices/graphics_modes.h"

namespace halyard::dos {
namespace {

uint8_t Bcd(unsigned v)
{
    return uint8_t((v / 10) << 4 | (v % 10));
}

// A byte that is not BCD gives a value past any valid one.
unsigned FromBcd(unsigned v)
{
    v &= 0xFF;
    return (v >> 4) > 9 || (v & 15) > 9 ? 0xFF : (v >> 4) * 10 + (v & 15);
}

// The static functionality table 1Bh points at, in the ROM: the modes 00h-07h, 0Dh, 0Eh and
// 10h-13h, 200, 350 and 400 scan lines, one character block, the colour table through 10h, and
// the state saved and restored through 1Ch.
constexpr uint16_t kFunctionality = 0xEFB0;
constexpr uint8_t kFunctionalityTable[16] = {0xFF, 0x60, 0x0F, 0, 0, 0, 0, 0x07, 0x01, 0x01, 0x40, 0x02, 0, 0, 0, 0};

}  // namespace

void Bios::Reset()
{
    Memory& mem = m_guest.mem;
    mem.Write16(bda::kSegment, bda::kEquipment, 0x0021);  // a floppy drive, 80 x 25 colour, no 8087
    mem.Write16(bda::kSegment, bda::kMemorySize, kConventionalTop / 64);
    mem.Write16(bda::kSegment, 0x1A, 0x1E);  // empty keyboard buffer
    mem.Write16(bda::kSegment, 0x1C, 0x1E);
    mem.CopyIn(kRomSegment, kFunctionality, kFunctionalityTable, sizeof kFunctionalityTable);
    m_screen.Reset();
}

void Bios::Unsupported(uint8_t vector)
{
    char service[40];
    std::snprintf(service, sizeof service, "BIOS service INT %02Xh AH=%02Xh", vector, m_guest.R().AH());
    m_guest.FailUnsupported(service);
}

bool Bios::VideoMode(uint8_t mode)
{
    mode &= 0x7F;
    if (mode != 2 && mode != 3 && mode != 7)
        return false;
    m_screen.Reset();
    m_screen.TakeOverConsole();
    return true;
}

void Bios::Video()
{
    Registers& R = m_guest.R();
    const uint8_t bl = uint8_t(R.r[kBX]), bh = uint8_t(R.r[kBX] >> 8);
    switch (R.AH()) {
    case 0x00:
        if (!VideoMode(R.AL())) {
            char text[80];
            std::snprintf(text, sizeof text, "unsupported video mode %02Xh", R.AL());
            m_guest.Fail(text);
        }
        return;
    case 0x01: m_guest.mem.Write16(bda::kSegment, bda::kCursorShape, R.r[kCX]); return;
    // Pages 1-7 keep their own cursors in the data area; only page 0 is shown.
    case 0x02:
        if (bh != 0) {
            m_guest.mem.Write16(bda::kSegment, uint16_t(bda::kCursor + (bh & 7) * 2), uint16_t(R.r[kDX]));
            return;
        }
        m_screen.SetCursor(R.r[kDX] >> 8, R.r[kDX] & 0xFF);
        m_screen.TakeOverConsole();
        return;
    case 0x03: {
        // Each page's cursor is a word: column in the low byte, row in the high one, as DX has it.
        R.r[kDX] = m_guest.mem.Read16(bda::kSegment, uint16_t(bda::kCursor + (bh & 7) * 2));
        R.r[kCX] = m_guest.mem.Read16(bda::kSegment, bda::kCursorShape);
        return;
    }
    case 0x05: return;  // only page 0 is shown
    case 0x06:
    case 0x07:
        m_screen.Scroll(R.AH() == 0x06, R.AL(), R.r[kCX] >> 8, R.r[kCX] & 0xFF, R.r[kDX] >> 8, R.r[kDX] & 0xFF,
                        uint8_t(R.r[kBX] >> 8));
        m_screen.TakeOverConsole();
        return;
    case 0x08: R.r[kAX] = m_screen.CellAtCursor(); return;
    case 0x09:
    case 0x0A:
        m_screen.WriteAtCursor(R.AL(), R.AH() == 0x09 ? bl : -1, R.r[kCX]);
        m_screen.TakeOverConsole();
        return;
    case 0x0E: m_screen.Teletype(R.AL()); return;
    case 0x0F:
        R.r[kAX] = uint16_t(kScreenColumns << 8 | m_guest.mem.Read8(bda::kSegment, bda::kVideoMode));
        R.SetR8(7, 0);  // BH: page 0
        return;
    case 0x10:  // palette and blink: the console has its own colours
    case 0x11:  // character generator: the console has its own font
    case 0x12:  // EGA information: left unanswered, so the program sees a colour adapter without it
        return;
    case 0x13: WriteString(); return;
    case 0x04: R.SetAH(0); return;  // no light pen was triggered: a VGA has none
    case 0x1B: VideoState(); return;
    // The VESA extensions (4Fh) and a card maker's (6Fh) are not there: AL is left as it was,
    // not the function's number, which is how programs ask.
    case 0x4F:
    case 0x6F:
        return;
    case 0x1A:  // display combination: VGA with a colour display
        if (R.AL() == 0) {
            R.SetAL(0x1A);
            R.r[kBX] = 0x0008;
        }
        return;
    default: return;  // the functions a VGA BIOS lacks change nothing
    }
}

// 1Bh BX=0: the 64 bytes of the video state at ES:DI, AL = 1Bh.
void Bios::VideoState()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    if (R.r[kBX] != 0)
        return;
    const uint16_t seg = R.seg[kES], off = R.r[kDI];
    const uint8_t mode = mem.Read8(bda::kSegment, bda::kVideoMode);
    const ModeInfo* info = FindMode(mode);
    mem.Fill(seg, off, 0, 64);
    mem.Write16(seg, off, kFunctionality);
    mem.Write16(seg, uint16_t(off + 2), kRomSegment);
    mem.Write8(seg, uint16_t(off + 4), mode);
    mem.CopyIn(seg, uint16_t(off + 5), mem.Raw() + Linear(bda::kSegment, bda::kColumns), 0x1D);  // 4Ah-66h
    mem.Write8(seg, uint16_t(off + 0x22), uint8_t(mem.Read8(bda::kSegment, bda::kRows) + 1));
    mem.Write16(seg, uint16_t(off + 0x23), info != nullptr ? uint16_t(info->height / info->rows) : 16);
    mem.Write8(seg, uint16_t(off + 0x25), 0x08);  // VGA with a colour display, no second display
    const uint16_t colours = info == nullptr ? (mode == 7 ? 0 : 16) : uint16_t(ColourMask(*info) + 1);
    mem.Write16(seg, uint16_t(off + 0x27), colours);
    mem.Write8(seg, uint16_t(off + 0x29), info == nullptr || info->layout == Layout::Text40 ? 8 : 1);
    const unsigned lines = info == nullptr || info->layout == Layout::Text40 ? 400 : info->height;
    mem.Write8(seg, uint16_t(off + 0x2A), lines == 200 ? 0 : lines == 350 ? 1 : lines == 400 ? 2 : 3);
    mem.Write8(seg, uint16_t(off + 0x31), 3);  // 256 KB of video memory
    R.SetAL(0x1B);
}

// 13h: CX characters at ES:BP from row DH, column DL; AL bit 1 means (character, attribute) pairs,
// bit 0 that the cursor follows the text.
void Bios::WriteString()
{
    Registers& R = m_guest.R();
    const unsigned savedRow = m_screen.CursorRow(), savedColumn = m_screen.CursorColumn();
    const bool pairs = R.AL() & 2;
    m_screen.TakeOverConsole();
    m_screen.SetCursor(R.r[kDX] >> 8, R.r[kDX] & 0xFF);
    uint16_t at = R.r[kBP];
    for (unsigned i = 0; i < R.r[kCX]; ++i) {
        const uint8_t c = m_guest.mem.Read8(R.seg[kES], at++);
        const uint8_t attribute = pairs ? m_guest.mem.Read8(R.seg[kES], at++) : uint8_t(R.r[kBX]);
        if (c == 7 || c == 8 || c == 10 || c == 13) {
            m_screen.Teletype(c);
        } else {
            m_screen.WriteAtCursor(c, attribute, 1);
            m_screen.Teletype(c);
        }
    }
    if (!(R.AL() & 1))
        m_screen.SetCursor(savedRow, savedColumn);
}

void Bios::TimeOfDay()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    switch (R.AH()) {
    case 0x00:  // the count INT 8 keeps
        R.r[kCX] = mem.Read16(bda::kSegment, bda::kTicks + 2);
        R.r[kDX] = mem.Read16(bda::kSegment, bda::kTicks);
        R.SetAL(mem.Read8(bda::kSegment, bda::kMidnight));
        mem.Write8(bda::kSegment, bda::kMidnight, 0);
        return;
    case 0x01:
        mem.Write16(bda::kSegment, bda::kTicks + 2, R.r[kCX]);
        mem.Write16(bda::kSegment, bda::kTicks, R.r[kDX]);
        mem.Write8(bda::kSegment, bda::kMidnight, 0);
        return;
    case 0x03:  // the real-time clock is the machine's own: the host's is never set
        m_guest.ReturnFlag(kCF, !m_guest.clock.SetTime(FromBcd(R.r[kCX] >> 8), FromBcd(R.r[kCX]), FromBcd(R.r[kDX] >> 8), 0));
        return;
    case 0x05:
        m_guest.ReturnFlag(kCF, !m_guest.clock.SetDate(FromBcd(R.r[kCX] >> 8) * 100u + FromBcd(R.r[kCX]),
                                                       FromBcd(R.r[kDX] >> 8), FromBcd(R.r[kDX])));
        return;
    case 0x02: {
        const LocalTime t = m_guest.clock.Now();
        R.r[kCX] = uint16_t(Bcd(t.hour) << 8 | Bcd(t.minute));
        R.r[kDX] = uint16_t(Bcd(t.second) << 8);
        m_guest.ReturnFlag(kCF, false);
        return;
    }
    case 0x04: {
        const LocalTime t = m_guest.clock.Now();
        R.r[kCX] = uint16_t(Bcd(t.year / 100) << 8 | Bcd(t.year % 100));
        R.r[kDX] = uint16_t(Bcd(t.month) << 8 | Bcd(t.day));
        m_guest.ReturnFlag(kCF, false);
        return;
    }
    default: Unsupported(0x1A); return;
    }
}

void Bios::Equipment()
{
    m_guest.R().r[kAX] = m_guest.mem.Read16(bda::kSegment, bda::kEquipment);
}

void Bios::MemorySize()
{
    m_guest.R().r[kAX] = m_guest.mem.Read16(bda::kSegment, bda::kMemorySize);
}

// No port answers: every function gives the line status "timed out" (AH bit 7), no modem status,
// and a character sent (01h) stays in AL unsent.
void Bios::Serial()
{
    Registers& R = m_guest.R();
    if (R.AH() != 0x01)
        R.SetAL(0);
    R.SetAH(0x80);
}

// No printer answers: the status is "timed out" (AH bit 0) and busy, not selected.
void Bios::Printer()
{
    m_guest.R().SetAH(0x01);
}

}  // namespace halyard::dos
