#pragma once
// The machine driven a step at a time: breakpoints, a step, a step over a call, an interrupt, a
// repeated string instruction or a LOOP, a step out of the current procedure, and a run until a
// stop. A budget of instructions pauses a run instead of ending it, so a program that runs on for
// ever can be stopped and looked at. With the history on, the last steps can be gone back over:
// the registers and memory exactly, the devices as they were at each stop.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "core/pc/machine.h"

namespace halyard::dos {

enum class StopReason : uint8_t {
    Step,        // the step is done
    Breakpoint,  // at a breakpoint, before its instruction
    Paused,      // the budget ran out: the program goes on at the next command
    Interrupt,   // at the handler of a watched interrupt `vector` (the caller's address on the stack)
    Fault,       // at an instruction the program would have been ended for: `failure` says why
    Watch,       // after an instruction that wrote to a watched byte, `address`
    Back,        // a step was gone back over
    Start,       // no step is left to go back over
    Ended,       // the program ended itself, with `exitCode`
    Failed,      // the machine ended the run: `failure` says why
};

struct Stop {
    StopReason reason = StopReason::Step;
    uint8_t exitCode = 0;
    std::string failure;
    uint8_t vector = 0;
    uint32_t address = 0;
};

class Debugger {
public:
    explicit Debugger(Machine& machine) : m_machine(machine) {}

    void SetBreakpoint(uint16_t segment, uint16_t offset, bool on);
    // Stops where interrupt `vector` points, whoever raises it.
    void WatchInterrupt(uint8_t vector, bool on);
    // Stops after an instruction (or a service) writes to one of `count` bytes from `linear`.
    void WatchMemory(uint32_t linear, uint32_t count, bool on);
    // Keeps the steps run from now on, so that StepBack can go back over them.
    void KeepHistory(bool on);
    // Undoes the last instruction run: Back, or Start when the history holds none.
    Stop StepBack();
    // The steps StepBack can go back over now.
    uint64_t HistoryDepth() const { return m_log.Depth(); }
    // The registers or memory were changed by hand: the history before now is forgotten.
    void Changed();
    // Runs until a breakpoint or the program's end, at most `budget` instructions.
    Stop Continue(uint64_t budget);
    // One instruction (a DOS or BIOS service is one).
    Stop Step();
    // As Step, but a CALL, an INT, a REP string instruction or a LOOP runs until the instruction
    // after it, in the same stack frame.
    Stop StepOver(uint64_t budget);
    // Runs until the current procedure has returned to its caller.
    Stop StepOut(uint64_t budget);

private:
    enum class Kind : uint8_t { Plain, Call, Return, Repeated };
    // The instruction at CS:IP: what kind it is and how many bytes it takes when it is repeated.
    Kind Next(uint16_t& length) const;
    // Resumes with the processor watching the breakpoints (and `extra`, a stop of the debugger's
    // own; the watched interrupts' handlers; DOS's own handlers of the faults that end a
    // program), for at most `budget` instructions.
    Stop Resume(uint64_t budget, uint32_t extra = ~0u);
    // What a stop at a breakpoint is: a fault's (the machine is put back at the faulting
    // instruction) or a watched interrupt's.
    void Classify(Stop& stop);
    uint32_t Here() const;
    // Runs until CS:IP is `at` with SP at `sp` (the same frame), or another stop.
    Stop RunTo(uint32_t at, uint16_t sp, uint64_t budget);

    // The devices' state as it was at a stop, for a step back to it.
    struct DeviceState {
        Pic pic;
        Pit pit;
        KeyboardController keyboard;
        VideoPorts video;
    };
    void Logging(bool on);
    void NoteDevices();

    Machine& m_machine;
    BreakMap m_breaks;
    StepLog m_log;
    bool m_history = false;
    bool m_watching = false;
    std::map<uint64_t, DeviceState> m_devices;  // by the step the stop was before
    std::set<uint32_t> m_user;  // the breakpoints set, as linear addresses
    std::set<uint8_t> m_vectors;  // the interrupts watched
};

}  // namespace halyard::dos
