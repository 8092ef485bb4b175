#include "core/pc/devices/video_ports.h"

namespace halyard::dos {
namespace {

constexpr uint64_t kFrameMicroseconds = 14286;   // 70 frames a second
constexpr uint64_t kRetraceMicroseconds = 1000;  // the vertical retrace at the end of each
constexpr uint64_t kLineMicroseconds = 32;       // a horizontal line, of which the last 6 are blank

// The 16 colours of the text modes, as (6-bit) red, green and blue.
void TextColour(unsigned i, uint8_t rgb[3])
{
    const uint8_t high = (i & 8) ? 21 : 0;
    rgb[0] = uint8_t(((i & 4) ? 42 : 0) + high);
    rgb[1] = uint8_t(((i & 2) ? 42 : 0) + high);
    rgb[2] = uint8_t(((i & 1) ? 42 : 0) + high);
    if (i == 6)
        rgb[1] = 21;  // brown, not dark yellow
}

// Entries 32-247: 24 hues around the colour wheel at three intensities and three saturations.
void WheelColour(unsigned i, uint8_t rgb[3])
{
    static const uint8_t kTop[3] = {63, 28, 16}, kLow[3][3] = {{0, 16, 31}, {0, 7, 14}, {0, 4, 8}};
    const unsigned block = (i - 32) / 24, hue = (i - 32) % 24;
    const unsigned intensity = block / 3, saturation = block % 3;
    const uint8_t top = kTop[intensity], low = kLow[intensity][saturation];
    const unsigned step = hue % 4, sector = hue / 4;
    const uint8_t up = uint8_t(low + (top - low) * step / 4), down = uint8_t(top - (top - low) * step / 4);
    const uint8_t table[6][3] = {{low, up, top}, {low, top, down}, {up, top, low},
                                 {top, down, low}, {top, low, up}, {down, low, top}};
    // Blue first, then towards magenta and red, as the BIOS's table runs.
    const unsigned order[6] = {0, 5, 4, 3, 2, 1};
    for (int c = 0; c < 3; ++c)
        rgb[c] = table[order[sector]][2 - c];
}

}  // namespace

void VideoPorts::ResetPlanes()
{
    m_sequencer.fill(0);
    m_sequencer[2] = 0x0F;
    m_graphics.fill(0);
    m_graphics[7] = 0x0F;
    m_graphics[8] = 0xFF;
}

void VideoPorts::Reset()
{
    ResetPlanes();
    m_crt.fill(0);
    m_dacWrite = m_dacRead = 0;
    m_attributeData = false;
    ResetColours();
}

void VideoPorts::ResetColours()
{
    for (unsigned i = 0; i < 256; ++i) {
        uint8_t rgb[3] = {0, 0, 0};
        if (i < 16) {
            TextColour(i, rgb);
        } else if (i < 32) {
            static const uint8_t kGrey[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
            rgb[0] = rgb[1] = rgb[2] = kGrey[i - 16];
        } else if (i < 248) {
            WheelColour(i, rgb);
        }
        SetDac(i, rgb[0], rgb[1], rgb[2]);
    }
    for (unsigned i = 0; i < 16; ++i)
        m_palette[i] = uint8_t(i < 8 ? (i == 6 ? 0x14 : i) : i + 0x30);
    m_overscan = 0;
}

void VideoPorts::SetDac(unsigned index, uint8_t r, uint8_t g, uint8_t b)
{
    uint8_t* entry = &m_dac[(index & 0xFF) * 3];
    entry[0] = uint8_t(r & 0x3F);
    entry[1] = uint8_t(g & 0x3F);
    entry[2] = uint8_t(b & 0x3F);
    ++m_colourVersion;
}

// Bit 3: vertical retrace; bit 0: display disabled (either retrace).
uint8_t VideoPorts::Status()
{
    m_attributeData = false;
    const uint64_t inFrame = m_now % kFrameMicroseconds;
    const bool vertical = inFrame >= kFrameMicroseconds - kRetraceMicroseconds;
    const bool horizontal = inFrame % kLineMicroseconds >= kLineMicroseconds - 6;
    return uint8_t((vertical ? 0x08 : 0) | (vertical || horizontal ? 0x01 : 0));
}

uint8_t VideoPorts::In(uint16_t port)
{
    switch (port) {
    case 0x3DA: case 0x3BA: return Status();
    case 0x3C1: return m_attributeIndex < 16 ? m_palette[m_attributeIndex] : m_overscan;
    case 0x3C5: return m_sequencer[m_sequencerIndex & 7];
    case 0x3CF: return m_graphics[m_graphicsIndex & 15];
    case 0x3D5: return m_crt[m_crtIndex & 31];
    case 0x3C6: return 0xFF;
    case 0x3C7: return 0x00;  // the colour table's state: ready to be written
    case 0x3C8: return uint8_t(m_dacWrite / 3);
    case 0x3C9: {
        const uint8_t v = m_dac[m_dacRead];
        m_dacRead = (m_dacRead + 1) % 768;
        return v;
    }
    default: return 0xFF;
    }
}

void VideoPorts::Out(uint16_t port, uint8_t value)
{
    switch (port) {
    case 0x3C0: Attribute(value); return;
    case 0x3C4: m_sequencerIndex = value; return;
    case 0x3C5: m_sequencer[m_sequencerIndex & 7] = value; return;
    case 0x3CE: m_graphicsIndex = value; return;
    case 0x3CF: m_graphics[m_graphicsIndex & 15] = value; return;
    case 0x3D4: m_crtIndex = value; return;
    case 0x3D5: m_crt[m_crtIndex & 31] = value; return;
    case 0x3C7: m_dacRead = unsigned(value) * 3; return;
    case 0x3C8: m_dacWrite = unsigned(value) * 3; return;
    case 0x3C9:
        m_dac[m_dacWrite] = uint8_t(value & 0x3F);
        m_dacWrite = (m_dacWrite + 1) % 768;
        ++m_colourVersion;
        return;
    default: return;
    }
}

// Index and data share port 3C0h, told apart by the flip-flop that reading 3DAh resets.
void VideoPorts::Attribute(uint8_t value)
{
    if (!m_attributeData) {
        m_attributeIndex = uint8_t(value & 0x1F);
    } else if (m_attributeIndex < 16) {
        SetPalette(m_attributeIndex, value);
        ++m_colourVersion;
    } else if (m_attributeIndex == 0x11) {
        m_overscan = value;
    }
    m_attributeData = !m_attributeData;
}

}  // namespace halyard::dos
