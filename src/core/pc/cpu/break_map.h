#pragma once
// The addresses where the processor stops before it executes the instruction there: a bit for
// each byte of the megabyte, so that the check between two instructions is one load.
#include <cstdint>
#include <vector>

#include "core/pc/cpu/memory.h"

namespace halyard::dos {

class BreakMap {
public:
    void Set(uint32_t linear, bool on)
    {
        uint64_t& word = m_bits[(linear & kAddressMask) >> 6];
        const uint64_t bit = uint64_t(1) << (linear & 63);
        if (((word & bit) != 0) != on)
            m_count = on ? m_count + 1 : m_count - 1;
        word = on ? word | bit : word & ~bit;
    }
    bool Has(uint32_t linear) const { return m_bits[(linear & kAddressMask) >> 6] >> (linear & 63) & 1; }
    bool Empty() const { return m_count == 0; }

private:
    std::vector<uint64_t> m_bits = std::vector<uint64_t>(kMemorySize / 64);
    size_t m_count = 0;
};

}  // namespace halyard::dos
