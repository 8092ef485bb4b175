#include "core/pc/devices/graphics_modes.h"

#include <cstddef>

#include "core/pc/devices/font8x8.h"

namespace halyard::dos {
namespace {

constexpr ModeInfo kModes[] = {
    {0x00, Layout::Text40, 320, 200, 0xB800, 40, 25}, {0x01, Layout::Text40, 320, 200, 0xB800, 40, 25},
    {0x04, Layout::Cga4, 320, 200, 0xB800, 40, 25},   {0x05, Layout::Cga4, 320, 200, 0xB800, 40, 25},
    {0x06, Layout::Cga2, 640, 200, 0xB800, 80, 25},   {0x0D, Layout::Planar, 320, 200, 0xA000, 40, 25},
    {0x0E, Layout::Planar, 640, 200, 0xA000, 80, 25}, {0x10, Layout::Planar, 640, 350, 0xA000, 80, 25},
    {0x11, Layout::Planar, 640, 480, 0xA000, 80, 30}, {0x12, Layout::Planar, 640, 480, 0xA000, 80, 30},
    {0x13, Layout::Linear, 320, 200, 0xA000, 40, 25},
};

uint32_t DacColour(const std::array<uint8_t, 768>& dac, unsigned index)
{
    const uint8_t* e = &dac[(index & 0xFF) * 3];
    const auto eight = [](uint8_t six) { return uint32_t(six << 2 | six >> 4); };
    return eight(e[0]) << 16 | eight(e[1]) << 8 | eight(e[2]);
}

// Offset and bit shift of a CGA pixel: rows alternate between the two 8 KB halves.
unsigned CgaOffset(unsigned x, unsigned y, unsigned bits)
{
    return (y & 1) * 0x2000 + (y >> 1) * 80 + x * bits / 8;
}

uint8_t TextPixel(const ModeInfo& info, const uint8_t* memory, unsigned x, unsigned y)
{
    const unsigned cell = (y / 8) * info.columns + x / 8;
    const uint8_t* at = memory + (uint32_t(info.segment) << 4) + cell * 2;
    const bool on = Font8x8(at[0])[y % 8] & (0x80 >> (x % 8));
    return on ? uint8_t(at[1] & 0x0F) : uint8_t(at[1] >> 4 & 0x07);
}

}  // namespace

const ModeInfo* FindMode(uint8_t mode)
{
    for (const ModeInfo& info : kModes)
        if (info.mode == mode)
            return &info;
    return nullptr;
}

uint8_t ColourMask(const ModeInfo& info)
{
    switch (info.layout) {
    case Layout::Linear: return 0xFF;
    case Layout::Cga4: return 3;
    case Layout::Cga2: return 1;
    case Layout::Planar: return 15;
    case Layout::Text40: return 15;
    }
    return 15;
}

uint8_t PixelIndex(const ModeInfo& info, const uint8_t* memory, const Planes& planes, unsigned x, unsigned y)
{
    const uint8_t* base = memory + (uint32_t(info.segment) << 4);
    switch (info.layout) {
    case Layout::Linear: return base[y * info.width + x];
    case Layout::Cga4: return uint8_t(base[CgaOffset(x, y, 2)] >> (6 - (x & 3) * 2) & 3);
    case Layout::Cga2: return uint8_t(base[CgaOffset(x, y, 1)] >> (7 - (x & 7)) & 1);
    case Layout::Planar: {
        const unsigned offset = y * (info.width / 8) + x / 8, bit = 7 - (x & 7);
        uint8_t index = 0;
        for (unsigned p = 0; p < 4; ++p)
            index = uint8_t(index | ((planes[p][offset] >> bit) & 1) << p);
        return index;
    }
    case Layout::Text40: return TextPixel(info, memory, x, y);
    }
    return 0;
}

void SetPixelIndex(const ModeInfo& info, uint8_t* memory, Planes& planes, unsigned x, unsigned y, uint8_t index,
                   bool exclusive)
{
    if (x >= info.width || y >= info.height)
        return;
    uint8_t* base = memory + (uint32_t(info.segment) << 4);
    const auto put = [&](uint8_t& byte, unsigned shift, uint8_t mask) {
        const uint8_t v = uint8_t((index & mask) << shift);
        byte = exclusive ? uint8_t(byte ^ v) : uint8_t((byte & ~(mask << shift)) | v);
    };
    switch (info.layout) {
    case Layout::Linear: put(base[y * info.width + x], 0, 0xFF); return;
    case Layout::Cga4: put(base[CgaOffset(x, y, 2)], 6 - (x & 3) * 2, 3); return;
    case Layout::Cga2: put(base[CgaOffset(x, y, 1)], 7 - (x & 7), 1); return;
    case Layout::Planar: {
        const unsigned offset = y * (info.width / 8) + x / 8, bit = 7 - (x & 7);
        for (unsigned p = 0; p < 4; ++p) {
            uint8_t& byte = planes[p][offset];
            const uint8_t v = uint8_t(((index >> p) & 1) << bit);
            byte = exclusive ? uint8_t(byte ^ v) : uint8_t((byte & ~(1u << bit)) | v);
        }
        return;
    }
    case Layout::Text40: return;
    }
}

uint32_t Rgb(const ModeInfo& info, const Colours& colours, uint8_t index)
{
    if (info.layout == Layout::Linear)
        return DacColour(*colours.dac, index);
    return DacColour(*colours.dac, colours.palette[index & 15]);
}

void RenderFrame(const ModeInfo& info, const uint8_t* memory, const Planes& planes, const Colours& colours,
                 std::vector<uint32_t>& pixels)
{
    pixels.resize(size_t(info.width) * info.height);
    uint32_t lookup[256];
    const unsigned count = info.layout == Layout::Linear ? 256 : 16;
    for (unsigned i = 0; i < count; ++i)
        lookup[i] = Rgb(info, colours, uint8_t(i));
    uint32_t* out = pixels.data();
    if (info.layout == Layout::Linear) {
        const uint8_t* base = memory + (uint32_t(info.segment) << 4);
        for (unsigned i = 0; i < 64000u; ++i)
            out[i] = lookup[base[i]];
        return;
    }
    for (unsigned y = 0; y < info.height; ++y)
        for (unsigned x = 0; x < info.width; ++x)
            *out++ = lookup[PixelIndex(info, memory, planes, x, y)];
}

}  // namespace halyard::dos
