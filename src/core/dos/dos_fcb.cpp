// INT 21h: file control blocks: the parsing of names into them (29h).
#include "core/dos/dos_kernel.h"

namespace halyard::dos {

bool DosKernel::FcbService(uint8_t function)
{
    switch (function) {
    case 0x29: ParseName(); return true;
    default: return false;
    }
}

}  // namespace halyard::dos
