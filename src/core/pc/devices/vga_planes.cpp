#include "core/pc/devices/vga_planes.h"

namespace halyard::dos {
namespace {

constexpr uint32_t kWindow = 0xA0000;
constexpr unsigned kPlaneBytes = 0x10000;

uint8_t Rotate(uint8_t v, unsigned count)
{
    count &= 7;
    return count == 0 ? v : uint8_t(v >> count | v << (8 - count));
}

uint8_t Combine(unsigned function, uint8_t v, uint8_t latch)
{
    switch (function & 3) {
    case 1: return uint8_t(v & latch);
    case 2: return uint8_t(v | latch);
    case 3: return uint8_t(v ^ latch);
    default: return v;
    }
}

}  // namespace

VgaPlanes::VgaPlanes(VideoPorts& ports) : m_ports(ports)
{
    Clear();
}

void VgaPlanes::Clear()
{
    for (auto& plane : m_planes)
        plane.assign(kPlaneBytes, 0);
}

uint8_t VgaPlanes::Read(uint32_t linear)
{
    const uint32_t offset = (linear - kWindow) & (kPlaneBytes - 1);
    for (unsigned p = 0; p < 4; ++p)
        m_latch[p] = m_planes[p][offset];
    if (!(m_ports.Graphics(5) & 0x08))
        return m_latch[m_ports.ReadMap()];
    const uint8_t compare = m_ports.Graphics(2), care = m_ports.Graphics(7);
    uint8_t match = 0xFF;
    for (unsigned p = 0; p < 4; ++p)
        if (care >> p & 1)
            match &= uint8_t((compare >> p & 1) ? m_latch[p] : ~m_latch[p]);
    return match;
}

void VgaPlanes::Write(uint32_t linear, uint8_t value)
{
    const uint32_t offset = (linear - kWindow) & (kPlaneBytes - 1);
    const uint8_t setReset = m_ports.Graphics(0), enable = m_ports.Graphics(1);
    const uint8_t rotateFunction = m_ports.Graphics(3), mode = m_ports.Graphics(5) & 3;
    const uint8_t mask = m_ports.Graphics(8), planes = m_ports.MapMask();
    const uint8_t rotated = Rotate(value, rotateFunction);
    for (unsigned p = 0; p < 4; ++p) {
        if (!(planes >> p & 1))
            continue;
        const uint8_t latch = m_latch[p];
        const uint8_t fill = (setReset >> p & 1) ? 0xFF : 0x00;
        uint8_t v;
        switch (mode) {
        case 1: v = latch; break;
        case 2:
            v = Combine(rotateFunction >> 3, (value >> p & 1) ? 0xFF : 0x00, latch);
            v = uint8_t((v & mask) | (latch & ~mask));
            break;
        case 3: {
            const uint8_t bits = uint8_t(rotated & mask);
            v = uint8_t((fill & bits) | (latch & ~bits));
            break;
        }
        default:
            v = Combine(rotateFunction >> 3, (enable >> p & 1) ? fill : rotated, latch);
            v = uint8_t((v & mask) | (latch & ~mask));
            break;
        }
        m_planes[p][offset] = v;
    }
}

}  // namespace halyard::dos
