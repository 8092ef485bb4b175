#pragma once
// What the IDE knows of a debug run from the PC's messages: where the program was loaded, whether
// it runs, is stopped or has ended, its registers at the last stop and which of them the last step
// changed.
#include <cstdint>
#include <optional>
#include <string>

#include "core/debuginfo/program_map.h"
#include "core/debugwire/debug_wire.h"

namespace halyard::debugger {

enum class Phase : uint8_t {
    Connecting,  // the PC has not said "started" yet
    Running,
    Stopped,     // the registers are those of the stop
    Ended,       // the program ended (or could not start); the PC waits to be let go
};

class SessionState {
public:
    // Takes one message of the PC. A "regs" line after a stop keeps the registers of the stop
    // before it as the ones compared with; a "regs" line while stopped (after a "set") updates
    // the values and keeps that comparison.
    void Apply(const debugwire::Message& message);

    Phase GetPhase() const { return m_phase; }
    const debugwire::RegisterSet& Regs() const { return m_regs; }
    // Whether the last run or step changed `reg`; false before the second stop.
    bool Changed(debugwire::Reg reg) const { return m_hasBefore && m_regs[reg] != m_before[reg]; }
    uint16_t Psp() const { return m_psp; }
    uint16_t Load() const { return m_load; }
    int ExitCode() const { return m_exitCode; }
    // The linear address of a line of the map.
    uint32_t LinearOf(const debuginfo::SourceLine& line) const;
    uint32_t LinearOfImage(uint32_t imageAddress) const { return (uint32_t(m_load) << 4) + imageAddress; }
    // CS:IP as an address of the image; nullopt when it lies below the image.
    std::optional<uint32_t> CodeImageAddress() const;

private:
    Phase m_phase = Phase::Connecting;
    debugwire::RegisterSet m_regs{};
    debugwire::RegisterSet m_before{};
    bool m_hasRegs = false;
    bool m_hasBefore = false;
    bool m_stopPending = false;  // a "stopped" line came; its "regs" line is the stop's
    uint16_t m_psp = 0;
    uint16_t m_load = 0;
    int m_exitCode = 0;
};

// The Output pane's line for a "stopped" message (without line end): "程序结束，返回码 0", "断点",
// "单步"...; empty for a message that is not a stop.
std::string StopText(const debugwire::Message& message);

}  // namespace halyard::debugger
