#pragma once
// The mouse driver's services (INT 33h) over the host's graphics window: reset and presence,
// show and hide (the host's own pointer shows over the window), position and buttons in the
// driver's virtual coordinates (640 wide in the 320-pixel modes, as the driver counts), moving the
// pointer, limits, and counts of presses and releases. Outside a graphics mode the pointer rests
// at the top left and no button is down.
#include <cstdint>

#include "core/dos/graphics_screen.h"
#include "core/dos/guest.h"
#include "core/dos/host_devices.h"

namespace halyard::dos {

class MouseDriver {
public:
    MouseDriver(Guest& guest, GraphicsScreen& screen) : m_guest(guest), m_screen(screen) {}

    void SetDisplay(HostDisplay& display) { m_display = &display; }
    void Reset();
    void Interrupt33();

private:
    void Update();
    void Counts(bool presses);

    Guest& m_guest;
    GraphicsScreen& m_screen;
    HostDisplay* m_display = nullptr;
    int m_x = 0, m_y = 0;
    int m_minX = 0, m_maxX = 639, m_minY = 0, m_maxY = 199;
    uint8_t m_buttons = 0;
    int m_visible = -1;  // shown when 0 (each hide takes one away)
    uint16_t m_pressCount[3] = {}, m_releaseCount[3] = {};
    uint16_t m_lastPressX[3] = {}, m_lastPressY[3] = {}, m_lastReleaseX[3] = {}, m_lastReleaseY[3] = {};
    bool m_moved = false;  // the program placed the pointer: keep its place until the host's moves
    MouseState m_lastHost;
};

}  // namespace halyard::dos
