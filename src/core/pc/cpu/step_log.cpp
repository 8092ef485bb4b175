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

StepLog::StepLog(uint32_t checkpoints, uint32_t writes)
    : m_ring(PowerOfTwo(checkpoints)), m_writes(PowerOfTwo(writes)), m_ringMask(m_ring.size() - 1),
      m_writeMask(m_writes.size() - 1)
{
}

void StepLog::Watch(uint32_t linear, uint32_t count, bool on)
{
    for (uint32_t i = 0; i < count && i < kMemorySize; ++i)
        m_watched.Set((linear + i) & kAddressMask, on);
    m_watching = !m_watched.Empty();
}

void StepLog::Checkpoint(const Registers& regs)
{
    m_force = false;
    // Going back and running again passes the checkpoint it went back to: it stays one.
    if (m_checkpoints > m_first && m_ring[(m_checkpoints - 1) & m_ringMask].step == m_steps)
        --m_checkpoints;
    m_ring[m_checkpoints++ & m_ringMask] = {regs, m_steps, m_written};
}

uint64_t StepLog::Oldest() const
{
    // A checkpoint is gone when a later one (perhaps one since gone back over) has taken its
    // place in the ring, or a later write the place of one of its writes.
    const uint64_t most = std::max(m_mostCheckpoints, m_checkpoints);
    const uint64_t written = std::max(m_mostWritten, m_written);
    uint64_t first = std::max(m_first, most > m_ring.size() ? most - m_ring.size() : 0);
    while (first < m_checkpoints && written - m_ring[first & m_ringMask].written > m_writes.size())
        ++first;
    return first;
}

uint64_t StepLog::Depth() const
{
    const uint64_t oldest = Oldest();
    return oldest < m_checkpoints ? m_steps - m_ring[oldest & m_ringMask].step : 0;
}

bool StepLog::Back(uint8_t* memory, Registers& regs, uint64_t& replay)
{
    if (Depth() == 0)
        return false;
    m_mostCheckpoints = std::max(m_mostCheckpoints, m_checkpoints);
    m_mostWritten = std::max(m_mostWritten, m_written);
    const uint64_t target = m_steps - 1;
    while (m_ring[(m_checkpoints - 1) & m_ringMask].step > target)
        --m_checkpoints;
    const struct Checkpoint& from = m_ring[(m_checkpoints - 1) & m_ringMask];
    while (m_written > from.written) {
        const uint32_t w = m_writes[--m_written & m_writeMask];
        memory[w >> 8] = uint8_t(w);
    }
    regs = from.regs;
    m_steps = from.step;
    m_force = false;
    replay = target - from.step;
    return true;
}

void StepLog::Clear()
{
    m_first = m_checkpoints;
    m_mostCheckpoints = m_checkpoints;
    m_mostWritten = m_written;
    m_force = true;  // the next instruction notes the registers as they are now
}

}  // namespace halyard::dos
