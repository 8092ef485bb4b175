#include "core/dos/mouse_driver.h"

#include <algorithm>

namespace halyard::dos {

void MouseDriver::Reset()
{
    const ModeInfo* mode = m_screen.Mode();
    m_minX = m_minY = 0;
    m_maxX = 639;
    m_maxY = mode != nullptr ? mode->height - 1 : 199;
    m_x = (m_maxX + 1) / 2;
    m_y = (m_maxY + 1) / 2;
    m_visible = -1;
    m_buttons = 0;
    for (unsigned b = 0; b < 3; ++b)
        m_pressCount[b] = m_releaseCount[b] = 0;
    m_moved = true;
}

// Takes the host's pointer: its position scaled to the virtual screen, its buttons' changes
// counted.
void MouseDriver::Update()
{
    const ModeInfo* mode = m_screen.Mode();
    if (mode == nullptr || m_display == nullptr)
        return;
    const MouseState host = m_display->Mouse();
    const bool hostMoved = host.x != m_lastHost.x || host.y != m_lastHost.y;
    m_lastHost = host;
    if (host.inside && (hostMoved || !m_moved)) {
        const int scale = mode->width == 320 ? 2 : 1;
        m_x = std::clamp(host.x * scale, m_minX, m_maxX);
        m_y = std::clamp(host.y, m_minY, m_maxY);
        m_moved = false;
    }
    for (unsigned b = 0; b < 3; ++b) {
        const bool now = host.buttons >> b & 1, before = m_buttons >> b & 1;
        if (now && !before) {
            ++m_pressCount[b];
            m_lastPressX[b] = uint16_t(m_x);
            m_lastPressY[b] = uint16_t(m_y);
        } else if (!now && before) {
            ++m_releaseCount[b];
            m_lastReleaseX[b] = uint16_t(m_x);
            m_lastReleaseY[b] = uint16_t(m_y);
        }
    }
    m_buttons = host.buttons;
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
    case 0x0001: m_visible = std::min(m_visible + 1, 0); return;
    case 0x0002: --m_visible; return;
    case 0x0003:
        R.r[kBX] = m_buttons;
        R.r[kCX] = uint16_t(m_x);
        R.r[kDX] = uint16_t(m_y);
        return;
    case 0x0004:
        m_x = std::clamp(int(R.r[kCX]), m_minX, m_maxX);
        m_y = std::clamp(int(R.r[kDX]), m_minY, m_maxY);
        m_moved = true;
        return;
    case 0x0005: Counts(true); return;
    case 0x0006: Counts(false); return;
    case 0x0007:
        m_minX = std::min<int>(R.r[kCX], R.r[kDX]);
        m_maxX = std::max<int>(R.r[kCX], R.r[kDX]);
        m_x = std::clamp(m_x, m_minX, m_maxX);
        return;
    case 0x0008:
        m_minY = std::min<int>(R.r[kCX], R.r[kDX]);
        m_maxY = std::max<int>(R.r[kCX], R.r[kDX]);
        m_y = std::clamp(m_y, m_minY, m_maxY);
        return;
    case 0x000B:  // motion counts: the host moves the pointer itself
        R.r[kCX] = R.r[kDX] = 0;
        return;
    default: return;  // pointer shapes, speeds and event handlers: the host's pointer is used
    }
}

}  // namespace halyard::dos
