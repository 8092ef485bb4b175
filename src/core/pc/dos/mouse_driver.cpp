#include "core/pc/dos/mouse_driver.h"

#include <algorithm>

namespace halyard::dos {
namespace {

// The driver's interrupt routine in low memory (0600h, below DOS's data), as a resident driver's
// is, and the data it reads: the registers the handler gets (AX, BX, CX, DX, SI, DI), the
// handler's far address, and the byte that tells the driver the call is in progress (the routine
// clears it once the handler has returned).
constexpr uint8_t kVector = 0x74;
constexpr uint16_t kDriverSegment = 0x0020;
constexpr uint16_t kRoutine = 0x0400, kEventRegisters = 0x0440, kHandler = 0x044C, kBusy = 0x0450;
constexpr uint8_t kRoutineCode[] = {
    0x1E, 0x06, 0x50, 0x53, 0x51, 0x52, 0x56, 0x57, 0x55,  // push ds, es, ax, bx, cx, dx, si, di, bp
    0x2E, 0xA1, 0x40, 0x04,                                // mov ax,[cs:0440h]
    0x2E, 0x8B, 0x1E, 0x42, 0x04,                          // mov bx,[cs:0442h]
    0x2E, 0x8B, 0x0E, 0x44, 0x04,                          // mov cx,[cs:0444h]
    0x2E, 0x8B, 0x16, 0x46, 0x04,                          // mov dx,[cs:0446h]
    0x2E, 0x8B, 0x36, 0x48, 0x04,                          // mov si,[cs:0448h]
    0x2E, 0x8B, 0x3E, 0x4A, 0x04,                          // mov di,[cs:044Ah]
    0x2E, 0xFF, 0x1E, 0x4C, 0x04,                          // call far [cs:044Ch]
    0x5D, 0x5F, 0x5E, 0x5A, 0x59, 0x5B, 0x58, 0x07, 0x1F,  // pop bp, di, si, dx, cx, bx, ax, es, ds
    0x2E, 0xC6, 0x06, 0x50, 0x04, 0x00,                    // mov byte [cs:0450h],0
    0xCF,                                                  // iret
};
static_assert(kRoutine + sizeof kRoutineCode <= kEventRegisters, "the routine ends before its data");

// Event conditions: bit 0 the pointer moved, then press and release of each button in turn.
constexpr uint16_t kMoved = 0x01;
uint16_t PressCondition(unsigned button) { return uint16_t(2u << (button * 2)); }
uint16_t ReleaseCondition(unsigned button) { return uint16_t(4u << (button * 2)); }

}  // namespace

MouseDriver::MouseDriver(Guest& guest, GraphicsScreen& screen) : m_guest(guest), m_screen(screen)
{
    m_screen.SetPointer(&m_pointer);
}

void MouseDriver::Install()
{
    Memory& mem = m_guest.mem;
    mem.CopyIn(kDriverSegment, kRoutine, kRoutineCode, sizeof kRoutineCode);
    mem.Write16(0, kVector * 4, kRoutine);
    mem.Write16(0, kVector * 4 + 2, kDriverSegment);
    Reset();
}

void MouseDriver::Reset()
{
    const ModeInfo* mode = m_screen.Mode();
    m_minX = m_minY = 0;
    m_maxX = 639;
    m_maxY = mode != nullptr ? mode->height - 1 : 199;
    if (mode != nullptr && mode->layout == Layout::Text40)
        m_maxY = 199;
    m_visible = -1;
    m_buttons = 0;
    for (unsigned b = 0; b < 3; ++b)
        m_pressCount[b] = m_releaseCount[b] = 0;
    m_mickeyX = m_mickeyY = m_motionX = m_motionY = 0;
    m_eventMask = m_handlerOffset = m_handlerSegment = 0;
    m_pending = 0;
    m_guest.mem.Write8(kDriverSegment, kBusy, 0);
    m_pointer.ResetShapes();
    PlacePointer((m_maxX + 1) / 2, (m_maxY + 1) / 2);
    m_moved = true;
}

void MouseDriver::PlacePointer(int x, int y)
{
    m_x = std::clamp(x, m_minX, m_maxX);
    m_y = std::clamp(y, m_minY, m_maxY);
    m_pointer.x = m_x;
    m_pointer.y = m_y;
    m_pointer.visible = m_visible == 0;
}

// Takes the host's pointer: its position scaled to the virtual screen and its motion counted,
// its buttons' changes counted, and the conditions the handler asked for noted.
void MouseDriver::Update()
{
    const ModeInfo* mode = m_screen.Mode();
    if (mode == nullptr || m_display == nullptr)
        return;
    const MouseState host = m_display->Mouse();
    const bool hostMoved = host.x != m_lastHost.x || host.y != m_lastHost.y;
    m_lastHost = host;
    uint16_t conditions = 0;
    if (host.inside && (hostMoved || !m_moved)) {
        const int scale = mode->width == 320 ? 2 : 1;
        const int x = m_x, y = m_y;
        PlacePointer(host.x * scale, host.y);
        m_moved = false;
        // Eight mickeys for eight pixels across, sixteen down, as the driver's default ratios.
        const int16_t dx = int16_t(m_x - x), dy = int16_t(2 * (m_y - y));
        m_mickeyX = int16_t(m_mickeyX + dx);
        m_mickeyY = int16_t(m_mickeyY + dy);
        m_motionX = int16_t(m_motionX + dx);
        m_motionY = int16_t(m_motionY + dy);
        if (dx != 0 || dy != 0)
            conditions |= kMoved;
    }
    for (unsigned b = 0; b < 3; ++b) {
        const bool now = host.buttons >> b & 1, before = m_buttons >> b & 1;
        if (now && !before) {
            ++m_pressCount[b];
            m_lastPressX[b] = uint16_t(m_x);
            m_lastPressY[b] = uint16_t(m_y);
            conditions |= PressCondition(b);
        } else if (!now && before) {
            ++m_releaseCount[b];
            m_lastReleaseX[b] = uint16_t(m_x);
            m_lastReleaseY[b] = uint16_t(m_y);
            conditions |= ReleaseCondition(b);
        }
    }
    m_buttons = host.buttons;
    m_pending = uint16_t(m_pending | (conditions & m_eventMask));
}

void MouseDriver::Poll()
{
    Update();
    Deliver();
}

// Enters the driver's interrupt routine for the conditions gathered, if the program takes
// interrupts now and its handler is not still running.
void MouseDriver::Deliver()
{
    Memory& mem = m_guest.mem;
    if (m_pending == 0 || (m_handlerOffset == 0 && m_handlerSegment == 0) || mem.Read8(kDriverSegment, kBusy) != 0 ||
        !m_guest.cpu.AcceptsInterrupt())
        return;
    const uint16_t values[6] = {m_pending, m_buttons, uint16_t(m_x), uint16_t(m_y), uint16_t(m_mickeyX),
                                uint16_t(m_mickeyY)};
    for (unsigned i = 0; i < 6; ++i)
        mem.Write16(kDriverSegment, uint16_t(kEventRegisters + i * 2), values[i]);
    mem.Write16(kDriverSegment, kHandler, m_handlerOffset);
    mem.Write16(kDriverSegment, kHandler + 2, m_handlerSegment);
    mem.Write8(kDriverSegment, kBusy, 1);
    m_pending = 0;
    ++m_handlerCalls;
    m_guest.cpu.DeviceInterrupt(kVector);
}

// 05h/06h: the count of presses (or releases) of button BX since the last call, and where the
// last one was.
void MouseDriver::Counts(bool presses)
{
    Registers& R = m_guest.R();
    const unsigned b = std::min<unsigned>(R.r[kBX], 2);
    uint16_t* counts = presses ? m_pressCount : m_releaseCount;
    R.r[kBX] = counts[b];
    R.r[kCX] = presses ? m_lastPressX[b] : m_lastReleaseX[b];
    R.r[kDX] = presses ? m_lastPressY[b] : m_lastReleaseY[b];
    R.r[kAX] = m_buttons;
    counts[b] = 0;
}

// 09h: the hot spot in BX, CX (signed) and the screen mask, then the cursor mask, at ES:DX.
void MouseDriver::SetGraphicsPointer()
{
    const Registers& R = m_guest.R();
    m_pointer.hotX = std::clamp<int>(int16_t(R.r[kBX]), -16, 16);
    m_pointer.hotY = std::clamp<int>(int16_t(R.r[kCX]), -16, 16);
    for (unsigned i = 0; i < 16; ++i) {
        m_pointer.screenMask[i] = m_guest.mem.Read16(R.seg[kES], uint16_t(R.r[kDX] + i * 2));
        m_pointer.cursorMask[i] = m_guest.mem.Read16(R.seg[kES], uint16_t(R.r[kDX] + 32 + i * 2));
    }
}

// 0Ah: BX=0 a software cursor, CX the AND and DX the XOR mask of the cell; BX=1 the hardware
// cursor, CX and DX its first and last scan lines. The window has no hardware cursor: that one
// shows as the cell with its colours inverted.
void MouseDriver::SetTextPointer()
{
    const Registers& R = m_guest.R();
    const bool software = R.r[kBX] == 0;
    m_pointer.textAnd = software ? R.r[kCX] : 0xFFFF;
    m_pointer.textXor = software ? R.r[kDX] : 0x7700;
}

// 0Ch sets the handler (ES:DX) and its conditions (CX); 14h does the same and returns the ones
// it replaces in CX and ES:DX.
void MouseDriver::SwapHandler(bool keepOld)
{
    Registers& R = m_guest.R();
    const uint16_t mask = m_eventMask, offset = m_handlerOffset, segment = m_handlerSegment;
    m_eventMask = R.r[kCX];
    m_handlerOffset = R.r[kDX];
    m_handlerSegment = R.seg[kES];
    m_pending = uint16_t(m_pending & m_eventMask);
    if (keepOld)
        return;
    R.r[kCX] = mask;
    R.r[kDX] = offset;
    R.seg[kES] = segment;
}

void MouseDriver::Interrupt33()
{
    Registers& R = m_guest.R();
    Update();
    switch (R.r[kAX]) {
    case 0x0000:
    case 0x0021:
        Reset();
        R.r[kAX] = 0xFFFF;
        R.r[kBX] = 2;
        return;
    case 0x0001:
        m_visible = std::min(m_visible + 1, 0);
        m_pointer.visible = m_visible == 0;
        return;
    case 0x0002:
        --m_visible;
        m_pointer.visible = false;
        return;
    case 0x0003:
        R.r[kBX] = m_buttons;
        R.r[kCX] = uint16_t(m_x);
        R.r[kDX] = uint16_t(m_y);
        return;
    case 0x0004:
        PlacePointer(int(R.r[kCX]), int(R.r[kDX]));
        m_moved = true;
        return;
    case 0x0005: Counts(true); return;
    case 0x0006: Counts(false); return;
    case 0x0007:
        m_minX = std::min<int>(R.r[kCX], R.r[kDX]);
        m_maxX = std::max<int>(R.r[kCX], R.r[kDX]);
        PlacePointer(m_x, m_y);
        return;
    case 0x0008:
        m_minY = std::min<int>(R.r[kCX], R.r[kDX]);
        m_maxY = std::max<int>(R.r[kCX], R.r[kDX]);
        PlacePointer(m_x, m_y);
        return;
    case 0x0009: SetGraphicsPointer(); return;
    case 0x000A: SetTextPointer(); return;
    case 0x000B:
        R.r[kCX] = uint16_t(m_motionX);
        R.r[kDX] = uint16_t(m_motionY);
        m_motionX = m_motionY = 0;
        return;
    case 0x000C: SwapHandler(true); return;
    case 0x0014: SwapHandler(false); return;
    default: return;  // speeds, ratios and the rest keep the driver's defaults
    }
}

}  // namespace halyard::dos
