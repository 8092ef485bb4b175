// The PC's lines during a run: stops fill the panes and mark the current line, the end is told in
// the Output pane and lets the PC go.
#include "debugger/debug_commands.h"

#include <cstdio>

#include "debugger/debug_host.h"
#include "debugger/source_marks.h"
#include "fx/fx_mdiframe.h"

using namespace halyard::debugwire;
using halyard::debugger::Phase;

void CDebugCommands::OnLine(const std::string* line)
{
    if (!line) {
        if (m_active) Report("调试通道已关闭");
        return EndRun();
    }
    // Lines still queued after the run ended (the registers after the end) are not shown.
    if (!m_active) return;
    if (const auto message = Parse(*line)) OnMessage(*message);
}

void CDebugCommands::OnMessage(const Message& message)
{
    m_state.Apply(message);
    switch (message.verb) {
    case Verb::Started: m_started = true; break;
    case Verb::Running:
        m_busy = true;
        ClearCurrentLine(m_host);
        break;
    case Verb::Stopped:
        m_stopText = halyard::debugger::StopText(message);
        if (m_state.GetPhase() == Phase::Ended) {
            Report(m_stopText);
            m_stopText.clear();
            Send(Message{Verb::Kill});
            return EndRun();
        }
        m_stopPending = true;
        break;
    case Verb::RegsReply: OnRegisters(); break;
    case Verb::Memory: OnMemory(message); break;
    case Verb::Error: Report("调试器：" + message.text); break;
    default: break;
    }
}

// The registers of the start give the PC its breakpoints and go on to the first one; without
// any, or with one on the first instruction (which a "continue" would go past), the run stays
// at its first instruction.
void CDebugCommands::OnRegisters()
{
    if (m_started) {
        m_started = false;
        SendBreakpoints();
        const RegisterSet& r = m_state.Regs();
        const bool atBreakpoint = m_breakpoints.count((uint32_t(r[CS]) << 4) + r[IP]) != 0;
        m_stopText = atBreakpoint ? "停在断点" : "程序已装入";
        if (!m_breakpoints.empty() && !atBreakpoint) {
            m_busy = true;
            return Send(Message{Verb::Continue});
        }
    }
    m_stopPending = false;
    if (LeaveCodeWithoutSource()) return;
    OnStopped();
}

// A step from a source line that ends in code without one (a hardware interrupt's handler the
// step went into, a service's code) runs on until that code has returned; one that came back to
// where it started (the interrupt came before the line's instruction) is made again. So the
// student steps by the source's lines.
bool CDebugCommands::LeaveCodeWithoutSource()
{
    const bool fromSource = m_lineStep;
    m_lineStep = false;
    const RegisterSet& r = m_state.Regs();
    const uint32_t here = (uint32_t(r[CS]) << 4) + r[IP];
    const auto image = m_state.CodeImageAddress();
    const bool inSource = image && m_map.LineAt(*image);
    if (!fromSource || m_map.Empty() || (inSource && here != m_stepFrom) || ++m_sourceless > kMaxSourcelessSteps)
        return false;
    m_lineStep = true;
    m_busy = true;
    Send(Message{inSource ? m_stepVerb : Verb::Out});
    return true;
}

// The IDE comes in front of the program's console at each stop, so that the current line shows.
void CDebugCommands::OnStopped()
{
    m_busy = false;
    if (FxMDIFrame* frame = m_host.Frame()) SetForegroundWindow(frame->m_hWnd);
    m_reads.clear();  // answers of an earlier stop no longer matter
    if (!m_panes) return ShowCurrentLine();
    m_panes->registers.Show(m_state);
    ShowCurrentLine();
    m_panes->stack.Refresh();
    m_panes->memory.Refresh();
    m_panes->watch.Refresh();
}

// The Output pane tells of each stop once, with its place: the source line, or CS:IP.
void CDebugCommands::ShowCurrentLine()
{
    const auto image = m_state.CodeImageAddress();
    const halyard::debuginfo::SourceLine* line = image ? m_map.LineAt(*image) : nullptr;
    const bool shown = line && ::ShowCurrentLine(m_host, line->file, line->line);
    if (!shown) ClearCurrentLine(m_host);
    if (m_stopText.empty()) return;
    char where[64];
    std::snprintf(where, sizeof where, "%04X:%04X", m_state.Regs()[CS], m_state.Regs()[IP]);
    const std::string place = shown ? line->file.substr(line->file.find_last_of('\\') + 1) + " 第 " + std::to_string(line->line) + " 行"
                                    : std::string(where) + "（这里没有源代码）";
    Report(m_stopText + "：" + place);
    m_stopText.clear();
}

void CDebugCommands::OnMemory(const Message& message)
{
    for (auto it = m_reads.begin(); it != m_reads.end(); ++it)
        if (it->linear == message.address) {
            const auto done = std::move(it->done);
            m_reads.erase(it);
            if (done) done(message.bytes);
            return;
        }
}

void CDebugCommands::EndRun()
{
    m_channel.Close();
    m_active = m_busy = false;
    m_reads.clear();
    m_breakpoints.clear();
    ClearCurrentLine(m_host);
}
