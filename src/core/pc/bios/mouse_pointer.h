#pragma once
// The mouse driver's pointer, drawn over the picture as it is shown and never written into video
// memory. In the graphics modes it is a 16 x 16 shape placed by its hot spot: each pixel under it
// is ANDed with the screen mask and XORed with the cursor mask, a mask bit standing for every bit
// of the pixel's colour index. In the text modes the cell under the pointer (character in the
// low byte, attribute in the high one) is ANDed and XORed with the text masks the same way.
#include <array>
#include <cstdint>
#include <vector>

#include "core/pc/devices/graphics_modes.h"

namespace halyard::dos {

struct MousePointer {
    MousePointer() { ResetShapes(); }
    // The driver's arrow and its inverting text cursor.
    void ResetShapes();

    bool visible = false;
    int x = 0, y = 0;          // in the driver's virtual coordinates (640 across in every mode)
    int hotX = 0, hotY = 0;    // the shape's pixel that lies on the position (-16 to 16)
    std::array<uint16_t, 16> screenMask{}, cursorMask{};  // rows top down, bit 15 the leftmost pixel
    uint16_t textAnd = 0, textXor = 0;
};

// The cell the pointer covers on a text screen of `columns` (row * columns + column), or -1 when
// it is hidden. The virtual screen is 640 x 200: a cell is 640 / columns across and 8 high.
int PointerCell(const MousePointer& pointer, unsigned columns, unsigned rows);
inline uint16_t CellUnderPointer(const MousePointer& pointer, uint16_t cell)
{
    return uint16_t((cell & pointer.textAnd) ^ pointer.textXor);
}

// Draws a visible pointer into `frame`, the picture of a graphics (not a text) mode as rendered
// from `memory` and `planes`.
void DrawPointer(const MousePointer& pointer, const ModeInfo& info, const uint8_t* memory, const Planes& planes,
                 const Colours& colours, std::vector<uint32_t>& frame);

}  // namespace halyard::dos
