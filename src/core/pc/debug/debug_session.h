#pragma once
// A program debugged from another process: the debugger's requests come in over a link as
// channel messages (core/debugwire), and its stops go out the same way. The program is stopped
// before its first instruction when the session starts; a request to run answers "running",
// then the stop. The step-back history is kept for the whole run.
#include <optional>

#include "core/debugwire/debug_wire.h"
#include "core/pc/debug/debugger.h"

namespace halyard::dos {

class DebugLink {
public:
    // The next request, waiting for it; nullopt when the other side has gone.
    virtual std::optional<debugwire::Message> Next() = 0;
    virtual void Send(const debugwire::Message& message) = 0;
    // Whether the program runs: while it does, a "pause" or "kill" that comes in should call
    // Machine::RequestPause at once (from the link's own thread).
    virtual void Running(bool running) = 0;

protected:
    ~DebugLink() = default;
};

class DebugSession {
public:
    // `image`: the segment the program's image starts at (the PSP's for a .COM program).
    DebugSession(Machine& machine, DebugLink& link, uint16_t psp, uint16_t image);

    // Serves the requests until "kill" or the link's end; the run's result (the program's end,
    // or why the machine stopped it; a kill is a failure "stopped by the debugger").
    RunResult Serve();

private:
    // Handles one request; false when the session is over.
    bool Handle(const debugwire::Message& request);
    void Run(const debugwire::Message& request);
    Stop RunOne(const debugwire::Message& request);
    void Report(const Stop& stop);
    void SendRegisters();
    void SetRegister(debugwire::Reg reg, uint16_t value);
    void Read(uint32_t address, uint32_t count);
    void Write(uint32_t address, const std::vector<uint8_t>& bytes);
    void Break(uint32_t address, bool on);

    Machine& m_machine;
    DebugLink& m_link;
    Debugger m_debugger;
    std::set<uint32_t> m_breaks;  // the breakpoints the debugger was sent
    std::optional<RunResult> m_end;
};

}  // namespace halyard::dos
