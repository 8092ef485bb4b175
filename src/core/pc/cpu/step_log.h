#pragma once
// The last instructions the processor ran, to go back over them: each one's registers before it
// ran, and the bytes of plain memory that it (or a service it called) overwrote, oldest first.
// Both are rings: a step can be undone while its registers and every write since it are still
// held, so a step that wrote more than the whole ring (a long REP MOVSB) cuts the history there.
//
// The log also watches ranges of memory: a write to a watched byte is noted, and the processor
// stops before the next instruction.
#include <cstdint>
#include <vector>

#include "core/pc/cpu/break_map.h"
#include "core/pc/cpu/registers.h"

namespace halyard::dos {

class StepLog final : public WriteLog {
public:
    // Room for `steps` steps and `writes` bytes overwritten (each rounded up to a power of two).
    explicit StepLog(uint32_t steps = 1u << 14, uint32_t writes = 1u << 21);

    void Watch(uint32_t linear, uint32_t count, bool on);
    bool Watched(uint32_t linear) const { return m_watched.Has(linear); }
    // The first watched address written since the last call, or ~0u.
    uint32_t TakeHit()
    {
        const uint32_t hit = m_hit;
        m_hit = ~0u;
        return hit;
    }
    bool Hit() const { return m_hit != ~0u; }

    // The processor's side: a step begins; a byte that held `old` is written.
    void Begin(const Registers& regs);
    void Wrote(uint32_t linear, uint8_t old) override
    {
        if (m_hit == ~0u && m_watched.Has(linear))
            m_hit = linear;
        m_writes[m_written++ & m_writeMask] = {linear, old};
    }

    // How many steps can be gone back over now.
    uint64_t Depth() const;
    // Undoes the last step: its writes are put back in `memory` (the plain megabyte) and its
    // registers into `regs`. False when there is no step to go back over.
    bool Back(uint8_t* memory, Registers& regs);
    // The number of steps begun so far (the index of the next one).
    uint64_t Steps() const { return m_steps; }
    // Forgets every step (the machine changed under the log: a register or memory written by hand).
    void Clear();

private:
    struct Step {
        Registers regs;
        uint64_t written = 0;  // the writes noted before the step began
    };
    struct Write {
        uint32_t linear;
        uint8_t old;
    };

    std::vector<Step> m_ring;
    std::vector<Write> m_writes;
    uint64_t m_stepMask, m_writeMask;
    uint64_t m_steps = 0;    // steps begun
    uint64_t m_first = 0;    // the oldest step whose registers the ring still holds
    uint64_t m_written = 0;  // writes noted
    uint64_t m_highWater = 0;  // the most writes there were (before steps were gone back over)
    BreakMap m_watched;
    uint32_t m_hit = ~0u;
};

}  // namespace halyard::dos
