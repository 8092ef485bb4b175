#pragma once
// The 16-colour modes' memory: four planes of 64 KB behind A000h, read and written as the
// colour adapter's graphics controller does it. A read loads the four latches and gives the plane
// the read map selects (read mode 0) or the pixels that match the colour compare register (read
// mode 1). A write goes to the planes the sequencer's map mask enables, made by the write mode:
// 0, the byte rotated, planes replaced by set/reset where enabled, combined with the latches
// (replace, AND, OR, XOR) and kept from the latches outside the bit mask; 1, the latches as they
// are; 2, the byte's low four bits as a colour; 3, set/reset through the rotated byte ANDed with
// the bit mask.
#include <cstdint>

#include "core/pc/devices/graphics_modes.h"
#include "core/pc/cpu/io_ports.h"
#include "core/pc/devices/video_ports.h"

namespace halyard::dos {

class VgaPlanes final : public MappedMemory {
public:
    explicit VgaPlanes(VideoPorts& ports);

    Planes& Data() { return m_planes; }
    const Planes& Data() const { return m_planes; }
    void Clear();

    uint8_t Read(uint32_t linear) override;
    void Write(uint32_t linear, uint8_t value) override;

private:
    VideoPorts& m_ports;
    Planes m_planes;
    uint8_t m_latch[4] = {};
};

}  // namespace halyard::dos
