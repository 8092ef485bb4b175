#pragma once
// The programmable interrupt controller (8259) at ports 20h/21h: IRQ 0-7 to vectors 08h-0Fh as the
// BIOS programs it, edge-triggered, fixed priority (IRQ 0 highest), a mask register and
// end-of-interrupt by command. A request is passed on only when no request of equal or higher
// priority is in service. The second controller of an AT (A0h/A1h) has no devices here: it keeps
// its mask and accepts its commands.
#include <cstdint>

#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

class Pic final : public PortDevice {
public:
    Pic() { Reset(); }
    void Reset();

    // A device's edge on line `irq` (0-7); a request already pending stays one request.
    void Raise(unsigned irq) { m_irr |= uint8_t(1u << (irq & 7)); }
    // Withdraws a request not yet taken.
    void Lower(unsigned irq) { m_irr = uint8_t(m_irr & ~(1u << (irq & 7))); }
    bool Requested(unsigned irq) const { return m_irr >> (irq & 7) & 1; }
    bool InService(unsigned irq) const { return m_isr >> (irq & 7) & 1; }
    // Whether an unmasked request outranks everything in service.
    bool Intr() const { return Next() >= 0; }
    // Takes the request Intr() reports: its vector.
    uint8_t Acknowledge();
    // Ends the highest-priority interrupt in service (what the BIOS's handlers send).
    void EndOfInterrupt();

    uint8_t Mask() const { return m_imr; }
    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    int Next() const;
    void Command(uint8_t value);

    uint8_t m_irr = 0, m_isr = 0, m_imr = 0;
    uint8_t m_base = 0x08;
    uint8_t m_initStep = 0;  // 0 ready; 2, 3, 4: the next initialization word expected on 21h
    bool m_needIcw4 = false, m_single = false;
    bool m_readIsr = false;
    uint8_t m_slaveMask = 0xFF;
};

}  // namespace halyard::dos
