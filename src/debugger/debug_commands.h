// "在 Halyard 中调试": the built program runs in Dosrun over the debugger's channel and is stepped by
// the source's lines. These commands start and end the run, step it, set breakpoints (F9 and the
// editor's icon margin) and fill the Registers, Memory, Stack and Watch panes at every stop; the
// stops and the end go to the Output pane.
#pragma once
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/debugger/session_state.h"
#include "debugger/debug_channel.h"
#include "debugger/debug_pane_bars.h"
#include "debugger/debug_requests.h"
#include "debugger/debug_sink.h"
#include "fx/fx_cmd.h"

class CHalyardDoc;
class CDebugHost;

class CDebugCommands : public FxCmdTarget, public CDebugRequests {
public:
    explicit CDebugCommands(CDebugHost& host);
    ~CDebugCommands() override;

    // A run is on: from the start until the program ended or the run was stopped.
    bool IsActive() const { return m_active; }
    const halyard::debugger::SessionState& State() const { return m_state; }
    CDebugPaneBars* Panes() { return m_panes.get(); }
    // Starts a run of `program` with `map` at once, without building (tests; the command builds).
    bool StartRun(const DebugLaunch& launch, halyard::debuginfo::ProgramMap map);
    // Listens on a pipe of the channel without starting Dosrun: a test connects as the PC.
    bool ListenForTest(halyard::debuginfo::ProgramMap map, std::string& pipeName);

    // CDebugRequests
    void Read(uint32_t linear, uint32_t count, std::function<void(const Bytes&)> done) override;
    void Write(uint32_t linear, const Bytes& bytes) override;
    void SetRegister(halyard::debugwire::Reg reg, uint16_t value) override;
    halyard::debugger::EvalContext Context() const override;
    void Report(const std::string& text) override;

private:
    struct PendingRead {
        uint32_t linear;
        std::function<void(const Bytes&)> done;
    };

    void RegisterCommands();
    bool CanStep() const;
    // debug_start.cpp: building when the program is older than its source, then the run.
    void OnStart();
    bool NeedsBuild(const CHalyardDoc& doc) const;
    void OnBuildTick();
    void Launch(CHalyardDoc& doc);
    void StartInSession(const std::string& program, halyard::debuginfo::ProgramMap map);
    bool PrepareRun(halyard::debuginfo::ProgramMap map);
    // debug_events.cpp: the PC's lines.
    void OnLine(const std::string* line);
    void OnMessage(const halyard::debugwire::Message& message);
    void OnRegisters();
    bool LeaveCodeWithoutSource();
    void OnStopped();
    void ShowCurrentLine();
    void OnMemory(const halyard::debugwire::Message& message);
    void EndRun();
    // debug_commands.cpp: what the student asks for.
    void Send(const halyard::debugwire::Message& message);
    void Go(halyard::debugwire::Verb verb);
    void OnToggleBreakpoint();
    void OnRunToCursor();
    void OnStop();
    void SendBreakpoints();

    CDebugHost& m_host;
    CDebugSink m_sink;
    CDebugChannel m_channel;
    std::unique_ptr<CDebugPaneBars> m_panes;
    halyard::debugger::SessionState m_state;
    halyard::debuginfo::ProgramMap m_map;
    std::vector<PendingRead> m_reads;   // in the order asked; the PC answers in order
    std::set<uint32_t> m_breakpoints;   // the linear addresses the PC has been given
    bool m_active = false;
    bool m_busy = false;                // a run or step was asked for and its stop has not come
    bool m_started = false;             // the "started" line came; its registers not yet
    bool m_stopPending = false;         // a "stopped" line came; its registers not yet
    std::string m_stopText;             // the stop the next registers belong to, told with its place
    std::string m_buildingPath;         // the source being built before a run; empty: none
    ULONGLONG m_buildStart = 0, m_buildTicks = 0;
    bool m_lineStep = false;            // the run asked for is a step from a source line
    int m_sourceless = 0;               // steps out of code without source since that step
    static constexpr int kMaxSourcelessSteps = 4096;  // the timer ticks owed after a long stop
    halyard::debugwire::Verb m_stepVerb = halyard::debugwire::Verb::Step;
    uint32_t m_stepFrom = 0;            // CS:IP (linear) where that step began
    bool m_linkSent = false;            // the build went on from Compile to Link
    ULONGLONG m_assembledStamp = 0;     // the assembler's files' times at the last poll
};
