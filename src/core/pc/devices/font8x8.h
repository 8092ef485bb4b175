#pragma once
// The machine's own 8 x 8 character shapes, drawn for this machine: printable ASCII in a 5 x 7
// style, the block characters, and blank cells for the rest.
#include <cstdint>

namespace halyard::dos {

// The eight rows of character `c`, top first, bit 7 the leftmost pixel.
const uint8_t* Font8x8(uint8_t c);

}  // namespace halyard::dos
