#include "core/pc/devices/pic.h"

namespace halyard::dos {

void Pic::Reset()
{
    m_irr = m_isr = 0;
    // Timer (0), keyboard (1) and the cascade (2) open, the rest masked, as the reference PC
    // leaves them for a program.
    m_imr = 0xF8;
    m_base = 0x08;
    m_initStep = 0;
    m_readIsr = false;
    m_slaveMask = 0xFF;
}

int Pic::Next() const
{
    const uint8_t pending = uint8_t(m_irr & ~m_imr);
    for (int irq = 0; irq < 8; ++irq) {
        if (m_isr >> irq & 1)
            return -1;  // an equal or higher priority is being served
        if (pending >> irq & 1)
            return irq;
    }
    return -1;
}

uint8_t Pic::Acknowledge()
{
    const int irq = Next();
    if (irq < 0)
        return uint8_t(m_base | 7);  // a spurious interrupt comes in on IRQ 7 with nothing in service
    m_irr = uint8_t(m_irr & ~(1u << irq));
    m_isr = uint8_t(m_isr | 1u << irq);
    return uint8_t(m_base + irq);
}

void Pic::EndOfInterrupt()
{
    for (int irq = 0; irq < 8; ++irq) {
        if (m_isr >> irq & 1) {
            m_isr = uint8_t(m_isr & ~(1u << irq));
            return;
        }
    }
}

// Ports 20h (command, 10h bit = start of initialization) and 21h (mask, or the next
// initialization word).
void Pic::Out(uint16_t port, uint8_t value)
{
    if (port >= 0xA0) {
        if (port & 1)
            m_slaveMask = value;
        return;
    }
    if (!(port & 1)) {
        Command(value);
        return;
    }
    switch (m_initStep) {
    case 2:
        m_base = uint8_t(value & 0xF8);
        m_initStep = m_single ? (m_needIcw4 ? 4 : 0) : 3;
        return;
    case 3: m_initStep = m_needIcw4 ? 4 : 0; return;
    case 4: m_initStep = 0; return;
    default: m_imr = value; return;
    }
}

void Pic::Command(uint8_t value)
{
    if (value & 0x10) {  // ICW1
        m_needIcw4 = value & 1;
        m_single = value & 2;
        m_imr = m_isr = m_irr = 0;
        m_initStep = 2;
        return;
    }
    if ((value & 0x18) == 0x08) {  // OCW3: which register port 20h reads
        if (value & 2)
            m_readIsr = value & 1;
        return;
    }
    switch (value & 0xE0) {  // OCW2
    case 0x20: EndOfInterrupt(); return;
    case 0x60: m_isr = uint8_t(m_isr & ~(1u << (value & 7))); return;
    default: return;  // rotation modes are not used on a PC
    }
}

uint8_t Pic::In(uint16_t port)
{
    if (port >= 0xA0)
        return port & 1 ? m_slaveMask : 0;
    if (port & 1)
        return m_imr;
    return m_readIsr ? m_isr : m_irr;
}

}  // namespace halyard::dos
