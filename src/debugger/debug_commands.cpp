#include "debugger/debug_commands.h"

#include "core/editor/breakpoints.h"
#include "debugger/debug_host.h"
#include "debugger/source_marks.h"
#include "editor/text_view.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include "toolchain/halyard_doc.h"
#include "toolchain/output_pane.h"

using namespace halyard::debugwire;

CDebugCommands::CDebugCommands(CDebugHost& host) : m_host(host) { RegisterCommands(); }

CDebugCommands::~CDebugCommands()
{
    m_channel.Close();
    if (m_sink.m_hWnd) m_sink.DestroyWindow();
}

void CDebugCommands::RegisterCommands()
{
    OnCommand(ID_DEBUG_HALYARD, [this] { OnStart(); });
    OnUpdate(ID_DEBUG_HALYARD, [this](FxCmdUI& ui) { ui.Enable(!m_active && m_buildingPath.empty() && m_host.ActiveDocument()); });
    OnCommand(ID_DEBUG_TOGGLE_BREAKPOINT, [this] { OnToggleBreakpoint(); });
    OnUpdate(ID_DEBUG_TOGGLE_BREAKPOINT, [this](FxCmdUI& ui) { ui.Enable(m_host.Frame() && ActiveTextView(*m_host.Frame())); });
    const struct {
        UINT id;
        Verb verb;
    } steps[] = {{ID_DEBUG_STEP_OVER, Verb::Over}, {ID_DEBUG_STEP_INTO, Verb::Step}, {ID_DEBUG_STEP_OUT, Verb::Out},
                 {ID_DEBUG_CONTINUE, Verb::Continue}, {ID_DEBUG_STEP_BACK, Verb::Back}};
    for (const auto& s : steps) {
        const Verb verb = s.verb;
        OnCommand(s.id, [this, verb] { Go(verb); });
        OnUpdate(s.id, [this](FxCmdUI& ui) { ui.Enable(CanStep()); });
    }
    OnCommand(ID_DEBUG_RUN_TO_CURSOR, [this] { OnRunToCursor(); });
    OnUpdate(ID_DEBUG_RUN_TO_CURSOR, [this](FxCmdUI& ui) { ui.Enable(CanStep() && !m_map.Empty()); });
    OnCommand(ID_DEBUG_PAUSE, [this] { Send(Message{Verb::Pause}); });
    OnUpdate(ID_DEBUG_PAUSE, [this](FxCmdUI& ui) { ui.Enable(m_active && m_busy); });
    OnCommand(ID_DEBUG_STOP, [this] { OnStop(); });
    OnUpdate(ID_DEBUG_STOP, [this](FxCmdUI& ui) { ui.Enable(m_active); });
}

bool CDebugCommands::CanStep() const
{
    return m_active && !m_busy && m_state.GetPhase() == halyard::debugger::Phase::Stopped;
}

void CDebugCommands::Send(const Message& message)
{
    if (m_active && !m_channel.Send(Format(message))) Report("调试通道写不进去：被调试的程序可能已经退出");
}

void CDebugCommands::Go(Verb verb)
{
    if (!CanStep()) return;
    m_busy = true;
    const auto image = m_state.CodeImageAddress();
    m_lineStep = (verb == Verb::Over || verb == Verb::Step) && image && m_map.LineAt(*image);
    m_sourceless = 0;
    m_stepVerb = verb;
    m_stepFrom = (uint32_t(m_state.Regs()[CS]) << 4) + m_state.Regs()[IP];
    Send(Message{verb});
}

void CDebugCommands::OnToggleBreakpoint()
{
    if (m_host.Frame() && ToggleBreakpointAtCaret(*m_host.Frame()) && m_active) SendBreakpoints();
}

void CDebugCommands::OnRunToCursor()
{
    CTextView* view = m_host.Frame() ? ActiveTextView(*m_host.Frame()) : nullptr;
    auto* doc = view ? dynamic_cast<CHalyardDoc*>(view->GetDocument()) : nullptr;
    const auto image = doc ? m_map.AddressOf(doc->m_strFullPath, view->GetCaretPosition().y + 1) : std::nullopt;
    if (!image) return Report("光标所在行及其后没有代码");
    if (!CanStep()) return;
    m_busy = true;
    Message to{Verb::To};
    to.address = m_state.LinearOfImage(*image);
    Send(to);
}

void CDebugCommands::OnStop()
{
    Send(Message{Verb::Kill});
    Report("调试已停止");
    EndRun();
}

// The PC gets the difference between the breakpoints it has and those of the open sources.
void CDebugCommands::SendBreakpoints()
{
    std::set<uint32_t> wanted;
    for (const SourceBreakpoint& b : OpenBreakpoints(m_host))
        if (const auto image = m_map.AddressOf(b.file, b.line)) wanted.insert(m_state.LinearOfImage(*image));
    const auto send = [this](uint32_t address, bool on) {
        Message brk{Verb::Break, address};
        brk.on = on;
        Send(brk);
    };
    for (uint32_t address : m_breakpoints)
        if (!wanted.count(address)) send(address, false);
    for (uint32_t address : wanted)
        if (!m_breakpoints.count(address)) send(address, true);
    m_breakpoints = std::move(wanted);
}

void CDebugCommands::Read(uint32_t linear, uint32_t count, std::function<void(const Bytes&)> done)
{
    if (!m_active || count == 0) return;
    m_reads.push_back({linear, std::move(done)});
    Message read{Verb::Read};
    read.address = linear;
    read.count = count;
    Send(read);
}

void CDebugCommands::Write(uint32_t linear, const Bytes& bytes)
{
    Message write{Verb::Write};
    write.address = linear;
    write.bytes = bytes;
    Send(write);
}

void CDebugCommands::SetRegister(Reg reg, uint16_t value)
{
    if (!CanStep()) return;
    Message set{Verb::Set};
    set.reg = reg;
    set.value = value;
    Send(set);
    Send(Message{Verb::Regs});
}

halyard::debugger::EvalContext CDebugCommands::Context() const { return {m_state.Regs(), &m_map, m_state.Load()}; }

// A line of its own, also after a prompt the build console left without a line end.
void CDebugCommands::Report(const std::string& text)
{
    HWND pane = m_host.OutputPane();
    std::string shown(size_t(GetWindowTextLengthA(pane)) + 1, '\0');
    shown.resize(size_t(GetWindowTextA(pane, &shown[0], int(shown.size()))));
    AppendPaneText(pane, (shown.empty() || shown.back() == '\n' ? "" : "\r\n") + text + "\r\n");
}
