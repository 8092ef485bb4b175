#pragma once
// The last instructions the processor ran, to go back over them. Each write to plain memory is
// noted with the byte it overwrote; the registers are noted every 64 instructions, and after
// every instruction whose outcome depends on more than memory and registers (a port access, a
// service, HLT, an interrupt taken, a write by the machine between two instructions). Going back
// to instruction n undoes the writes down to the last registers noted at or before n and runs
// the instructions from there to n again: none of them can have depended on anything else.
//
// Both records are rings: what is still held can be undone, so a step that wrote more than the
// whole ring of writes (a long REP MOVSB) cuts the history there.
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
    // Room for `checkpoints` sets of registers and `writes` bytes overwritten (each rounded up to
    // a power of two).
    explicit StepLog(uint32_t checkpoints = 1u << 14, uint32_t writes = 1u << 21);

    void Watch(uint32_t linear, uint32_t count, bool on);
    // The first watched address written since the last call, or ~0u.
    uint32_t TakeHit()
    {
        const uint32_t hit = m_hit;
        m_hit = ~0u;
        return hit;
    }
    bool Hit() const { return m_hit != ~0u; }

    // The processor's side: an instruction begins; a byte that held `old` is written by one;
    // the instruction under way depends on more than memory and registers.
    void Begin(const Registers& regs)
    {
        if ((m_steps & (kInterval - 1)) == 0 || m_force)
            Checkpoint(regs);
        ++m_steps;
    }
    void Note(uint32_t linear, uint8_t old)
    {
        if (m_watching && m_hit == ~0u && m_watched.Has(linear))
            m_hit = linear;
        m_writes[m_written++ & m_writeMask] = linear << 8 | old;
    }
    void Force() { m_force = true; }
    // A write by the machine's services (from memory's side).
    void Wrote(uint32_t linear, uint8_t old) override
    {
        Note(linear, old);
        m_force = true;
    }

    // How many instructions can be gone back over now.
    uint64_t Depth() const;
    // Goes back to the start of the last instruction: the writes since the registers noted last
    // before it are put back in `memory` (the plain megabyte), those registers into `regs`, and
    // `replay` is how many instructions must run again (with the log on, no interrupt taken) to
    // be there. False when there is nothing to go back over.
    bool Back(uint8_t* memory, Registers& regs, uint64_t& replay);
    // The number of instructions begun so far.
    uint64_t Steps() const { return m_steps; }
    // Forgets every step (the machine changed under the log: a register or memory written by hand).
    void Clear();

private:
    static constexpr uint64_t kInterval = 64;
    struct Checkpoint {
        Registers regs;
        uint64_t step;     // the instruction it was noted before
        uint64_t written;  // the writes noted before it
    };
    void Checkpoint(const Registers& regs);
    // The oldest checkpoint still whole (its registers and every write since it held).
    uint64_t Oldest() const;

    std::vector<struct Checkpoint> m_ring;
    std::vector<uint32_t> m_writes;  // the linear address (20 bits) above the byte overwritten
    uint64_t m_ringMask, m_writeMask;
    uint64_t m_checkpoints = 0;  // checkpoints noted
    uint64_t m_first = 0;        // no checkpoint before it may be used (the log was cleared there)
    uint64_t m_mostCheckpoints = 0, m_mostWritten = 0;  // before the last goings back
    uint64_t m_steps = 0;    // instructions begun
    uint64_t m_written = 0;  // writes noted
    bool m_force = false;
    BreakMap m_watched;
    bool m_watching = false;  // some byte is watched
    uint32_t m_hit = ~0u;
};

}  // namespace halyard::dos
