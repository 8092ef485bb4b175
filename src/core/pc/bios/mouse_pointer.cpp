#include "core/pc/bios/mouse_pointer.h"

#include <cstddef>

namespace halyard::dos {
namespace {

// An arrow pointing up and left, its tip the hot spot: the screen mask clears the arrow and a
// one-pixel outline, the cursor mask lights the arrow inside it.
constexpr std::array<uint16_t, 16> kArrowScreen = {0x3FFF, 0x1FFF, 0x0FFF, 0x07FF, 0x03FF, 0x01FF, 0x00FF, 0x007F,
                                                   0x003F, 0x001F, 0x01FF, 0x10FF, 0x30FF, 0xF87F, 0xF87F, 0xFC3F};
constexpr std::array<uint16_t, 16> kArrowCursor = {0x0000, 0x4000, 0x6000, 0x7000, 0x7800, 0x7C00, 0x7E00, 0x7F00,
                                                   0x7F80, 0x7C00, 0x6C00, 0x4600, 0x0600, 0x0300, 0x0300, 0x0000};

}  // namespace

void MousePointer::ResetShapes()
{
    hotX = hotY = 0;
    screenMask = kArrowScreen;
    cursorMask = kArrowCursor;
    textAnd = 0x77FF;  // keeps the character and the intensities, swaps the colours
    textXor = 0x7700;
}

int PointerCell(const MousePointer& pointer, unsigned columns, unsigned rows)
{
    if (!pointer.visible || columns == 0)
        return -1;
    const unsigned column = unsigned(pointer.x) / (640 / columns), row = unsigned(pointer.y) / 8;
    if (pointer.x < 0 || pointer.y < 0 || column >= columns || row >= rows)
        return -1;
    return int(row * columns + column);
}

void DrawPointer(const MousePointer& pointer, const ModeInfo& info, const uint8_t* memory, const Planes& planes,
                 const Colours& colours, std::vector<uint32_t>& frame)
{
    if (!pointer.visible || info.layout == Layout::Text40 || frame.size() < size_t(info.width) * info.height)
        return;
    const int scale = info.width == 320 ? 2 : 1;
    const int left = pointer.x / scale - pointer.hotX, top = pointer.y - pointer.hotY;
    const uint8_t bits = ColourMask(info);
    for (int row = 0; row < 16; ++row) {
        const int y = top + row;
        if (y < 0 || y >= int(info.height))
            continue;
        for (int column = 0; column < 16; ++column) {
            const int x = left + column;
            if (x < 0 || x >= int(info.width))
                continue;
            const unsigned bit = 15 - unsigned(column);
            const uint8_t keep = (pointer.screenMask[row] >> bit & 1) ? bits : 0;
            const uint8_t flip = (pointer.cursorMask[row] >> bit & 1) ? bits : 0;
            const uint8_t index = uint8_t((PixelIndex(info, memory, planes, unsigned(x), unsigned(y)) & keep) ^ flip);
            frame[size_t(y) * info.width + unsigned(x)] = Rgb(info, colours, index);
        }
    }
}

}  // namespace halyard::dos
