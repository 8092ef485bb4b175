#include "core/pc/cpu/step_log.h"

#include <algorithm>

namespace halyard::dos {

namespace {

uint64_t PowerOfTwo(uint32_t n)
{
    uint64_t p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

}  // namespace

StepLog::StepLog(uint32_t steps, uint32_t writes)
    : m_ring(PowerOfTwo(steps)), m_writes(PowerOfTwo(writes)), m_stepMask(m_ring.size() - 1),
      m_writeMask(m_writes.size() - 1)
{
}

void StepLog::Watch(uint32_t linear, uint32_t count, bool on)
{
    for (uint32_t i = 0; i < count && i < kMemorySize; ++i)
        m_watched.Set((linear + i) & kAddressMask, on);
}

void StepLog::Begin(const Registers& regs)
{
    Step& step = m_ring[m_steps & m_stepMask];
    step.regs = regs;
    step.written = m_written;
    ++m_steps;
    if (m_steps - m_first > m_ring.size())
        m_first = m_steps - m_ring.size();
    m_highWater = std::max(m_highWater, m_written);
}

uint64_t StepLog::Depth() const
{
    // A step is gone when the ring has taken its place, or a write (perhaps of a step since gone
    // back over) the place of one of its writes.
    const uint64_t high = std::max(m_highWater, m_written);
    uint64_t first = m_first;
    while (first < m_steps && high - m_ring[first & m_stepMask].written > m_writes.size())
        ++first;
    return m_steps - first;
}

bool StepLog::Back(uint8_t* memory, Registers& regs)
{
    if (Depth() == 0)
        return false;
    const Step& step = m_ring[--m_steps & m_stepMask];
    while (m_written > step.written) {
        const Write& w = m_writes[--m_written & m_writeMask];
        memory[w.linear] = w.old;
    }
    regs = step.regs;
    return true;
}

void StepLog::Clear()
{
    m_first = m_steps;
    m_highWater = m_written;
}

}  // namespace halyard::dos
