#pragma once
// The devices as the processor sees them: the I/O ports, and the interrupt controller's request
// line. The processor asks for the vector only when it takes the request (IF set, between two
// instructions); the line itself is pushed to it with Cpu::SetInterruptRequest.
#include <cstdint>

#include "core/pc/cpu/hot.h"

namespace halyard::dos {

class IoPorts {
public:
    virtual uint8_t In(uint16_t port) = 0;
    virtual void Out(uint16_t port, uint8_t value) = 0;
    // The vector of the request being taken; it is in service from now until its end-of-interrupt.
    virtual uint8_t AcknowledgeInterrupt() = 0;

protected:
    ~IoPorts() = default;
};

// Memory that a device decodes itself (the 16-colour modes' planes behind A000h): the processor
// reads and writes its addresses through it.
class MappedMemory {
public:
    virtual uint8_t Read(uint32_t linear) = 0;
    virtual void Write(uint32_t linear, uint8_t value) = 0;

protected:
    ~MappedMemory() = default;
};

// A byte of the address space `memory` at linear address `a`, through `window` (when not null)
// for the 64 KB at A0000h.
inline constexpr uint32_t kVideoWindowStart = 0xA0000, kVideoWindowSize = 0x10000;
HALYARD_HOT uint8_t LoadMapped(const uint8_t* memory, MappedMemory* window, uint32_t a)
{
    return a - kVideoWindowStart < kVideoWindowSize && window != nullptr ? window->Read(a) : memory[a];
}
HALYARD_HOT void StoreMapped(uint8_t* memory, MappedMemory* window, uint32_t a, uint8_t v)
{
    if (a - kVideoWindowStart < kVideoWindowSize && window != nullptr)
        window->Write(a, v);
    else
        memory[a] = v;
}

// One device's share of the ports, `port` being the full port number.
class PortDevice {
public:
    virtual uint8_t In(uint16_t port) = 0;
    virtual void Out(uint16_t port, uint8_t value) = 0;

protected:
    ~PortDevice() = default;
};

}  // namespace halyard::dos
