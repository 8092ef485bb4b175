#pragma once
// The colour adapter's registers: the status port (3DAh) with its retrace bits following a 70 Hz
// frame in emulated time, the colour table (DAC, 3C7h-3C9h, 256 entries of 6-bit red, green,
// blue), the attribute controller's 16-entry palette (3C0h/3C1h), and the sequencer, graphics and
// CRT controller index/data pairs, which keep what is written (the map mask and the start address
// are what the screen uses of them).
#include <array>
#include <cstdint>

#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

class VideoPorts final : public PortDevice {
public:
    VideoPorts() { Reset(); }
    void Reset();
    // The emulated time in microseconds.
    void SetTime(uint64_t microseconds) { m_now = microseconds; }

    // The 256-colour table and the 16-entry palette as the BIOS's mode set leaves them.
    void ResetColours();
    const std::array<uint8_t, 768>& Dac() const { return m_dac; }
    void SetDac(unsigned index, uint8_t r, uint8_t g, uint8_t b);
    uint8_t Palette(unsigned index) const { return m_palette[index & 15]; }
    void SetPalette(unsigned index, uint8_t value) { m_palette[index & 15] = uint8_t(value & 0x3F); }
    uint8_t Overscan() const { return m_overscan; }
    void SetOverscan(uint8_t value) { m_overscan = value; }
    uint8_t MapMask() const { return m_sequencer[2] & 0x0F; }
    uint8_t ReadMap() const { return m_graphics[4] & 3; }
    // Graphics controller register `index` (set/reset, enable, colour compare, rotate and
    // function, read map, mode, ..., colour don't care, bit mask).
    uint8_t Graphics(unsigned index) const { return m_graphics[index & 15]; }
    // The sequencer and graphics controller as a mode set leaves them: all planes written, write
    // mode 0, every bit of the mask open.
    void ResetPlanes();
    // Bumped by every change of the colours, so the screen knows to redraw.
    unsigned ColourVersion() const { return m_colourVersion; }

    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    uint8_t Status();
    void Attribute(uint8_t value);

    uint64_t m_now = 0;
    std::array<uint8_t, 768> m_dac{};
    std::array<uint8_t, 16> m_palette{};
    uint8_t m_overscan = 0;
    unsigned m_dacWrite = 0, m_dacRead = 0;  // entry * 3 + component
    bool m_attributeData = false;            // the attribute port's flip-flop: next byte is data
    uint8_t m_attributeIndex = 0;
    uint8_t m_sequencerIndex = 0, m_graphicsIndex = 0, m_crtIndex = 0;
    std::array<uint8_t, 8> m_sequencer{};
    std::array<uint8_t, 16> m_graphics{};
    std::array<uint8_t, 32> m_crt{};
    unsigned m_colourVersion = 0;
};

}  // namespace halyard::dos
