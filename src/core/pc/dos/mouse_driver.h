#pragma once
// The mouse driver's services (INT 33h) over the host's graphics window: reset and presence,
// show and hide, position and buttons in the driver's virtual coordinates (640 wide in the
// 320-pixel modes, as the driver counts), moving the pointer, limits, counts of presses and
// releases, motion in mickeys, the pointer's shapes, and the program's event handler. Outside a
// graphics mode the host's pointer does not reach the driver: the pointer moves only where the
// program puts it, and no button is down.
//
// The event handler is called as the driver's hardware interrupt (INT 74h, IRQ 12) calls it:
// between two instructions while the program has interrupts enabled (waking a HLT), with
// interrupts disabled during the call, through a routine in the ROM that saves every register,
// loads AX = the conditions that occurred, BX = the buttons, CX/DX = the position, SI/DI = the
// motion in mickeys, calls the handler far and returns to the program. Events that occur while
// the handler runs are gathered into the next call.
#include <cstdint>

#include "core/pc/bios/graphics_screen.h"
#include "core/pc/bios/guest.h"
#include "core/pc/host_devices.h"
#include "core/pc/bios/mouse_pointer.h"

namespace halyard::dos {

class MouseDriver {
public:
    MouseDriver(Guest& guest, GraphicsScreen& screen);

    void SetDisplay(HostDisplay& display) { m_display = &display; }
    // Puts the driver's interrupt routine in the ROM and resets it; for the machine's reset.
    void Install();
    void Reset();
    void Interrupt33();
    // Takes the host's pointer and calls the program's handler for what happened, when it can.
    void Poll();
    const MousePointer& Pointer() const { return m_pointer; }
    // The handler's calls so far.
    uint64_t HandlerCalls() const { return m_handlerCalls; }

private:
    void Update();
    void Deliver();
    void Counts(bool presses);
    void SetGraphicsPointer();
    void SetTextPointer();
    void SwapHandler(bool keepOld);
    void PlacePointer(int x, int y);

    Guest& m_guest;
    GraphicsScreen& m_screen;
    HostDisplay* m_display = nullptr;
    MousePointer m_pointer;
    int m_x = 0, m_y = 0;
    int m_minX = 0, m_maxX = 639, m_minY = 0, m_maxY = 199;
    uint8_t m_buttons = 0;
    int m_visible = -1;  // shown when 0 (each hide takes one away)
    uint16_t m_pressCount[3] = {}, m_releaseCount[3] = {};
    uint16_t m_lastPressX[3] = {}, m_lastPressY[3] = {}, m_lastReleaseX[3] = {}, m_lastReleaseY[3] = {};
    bool m_moved = false;  // the program placed the pointer: keep its place until the host's moves
    MouseState m_lastHost;
    int16_t m_mickeyX = 0, m_mickeyY = 0;  // all motion so far (the handler's SI and DI)
    int16_t m_motionX = 0, m_motionY = 0;  // since the last call of function 0Bh
    uint16_t m_eventMask = 0, m_handlerOffset = 0, m_handlerSegment = 0;
    uint16_t m_pending = 0;  // conditions in the mask that occurred since the handler's last call
    uint64_t m_handlerCalls = 0;
};

}  // namespace halyard::dos
