#pragma once
// The video modes shown in the machine's own window: their geometry and memory layout, and how
// a frame of pixels is made from the video memory and the colour registers.
//
//   04h/05h  320 x 200, 4 colours, 2 bits a pixel at B800h, even rows first then odd at +2000h
//   06h      640 x 200, 2 colours, 1 bit a pixel, interleaved the same way
//   0Dh/0Eh  320/640 x 200, 16 colours in four bit planes at A000h
//   10h/12h  640 x 350/480, 16 colours in four bit planes
//   11h      640 x 480, 2 colours: the planes of 12h, every colour index but 0 shown white
//   13h      320 x 200, 256 colours, a byte a pixel at A000h
//   00h/01h  40 x 25 text at B800h, drawn with the machine's 8 x 8 font
#include <array>
#include <cstdint>
#include <vector>

namespace halyard::dos {

enum class Layout : uint8_t { Text40, Cga4, Cga2, Planar, Linear };

struct ModeInfo {
    uint8_t mode;
    Layout layout;
    uint16_t width, height;  // pixels
    uint16_t segment;
    uint8_t columns, rows;   // the text grid of the BIOS's characters
};

// Null for a mode not shown in the window (the 80 x 25 text modes are the console's).
const ModeInfo* FindMode(uint8_t mode);
// The colour indexes a pixel of the mode can take, less one (1, 3, 15 or 255).
uint8_t ColourMask(const ModeInfo& info);

// The four planes of a 16-colour mode, a byte of each per eight pixels.
using Planes = std::array<std::vector<uint8_t>, 4>;

// The colour index of pixel (x, y); `memory` is the whole address space.
uint8_t PixelIndex(const ModeInfo& info, const uint8_t* memory, const Planes& planes, unsigned x, unsigned y);
// Sets it (for the BIOS's write-pixel call): with `exclusive`, XORs instead.
void SetPixelIndex(const ModeInfo& info, uint8_t* memory, Planes& planes, unsigned x, unsigned y, uint8_t index,
                   bool exclusive);

// The colour of an index as 0x00RRGGBB: through the 256-entry table (6 bits a component), in
// every mode but 13h after the attribute palette, which maps the mode's colours (2, 4 or 16) to
// entries of the table.
struct Colours {
    const std::array<uint8_t, 768>* dac = nullptr;
    std::array<uint8_t, 16> palette{};
};
uint32_t Rgb(const ModeInfo& info, const Colours& colours, uint8_t index);

// The whole frame, width x height pixels.
void RenderFrame(const ModeInfo& info, const uint8_t* memory, const Planes& planes, const Colours& colours,
                 std::vector<uint32_t>& pixels);

}  // namespace halyard::dos
