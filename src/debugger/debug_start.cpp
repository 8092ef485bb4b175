// The start of a run: the program is built first when it is older than its source (or the source
// has unsaved changes), then mapped, then started in Dosrun.
#include "debugger/debug_commands.h"

#include "debugger/debug_host.h"
#include "debugger/program_map_source.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include "toolchain/halyard_doc.h"
#include "toolchain/session_commands.h"

namespace {

const UINT kBuildPoll = 250;               // milliseconds between looks at the built files
const ULONGLONG kBuildPatience = 120;      // polls (half a minute) before a step counts as failed

// A file a DOS program dated itself may carry a time up to 2 s before the moment it was written.
const ULONGLONG kDosClockStep = 2 * 10000000ull;

ULONGLONG WriteTimeOr0(const std::string& path)
{
    ULONGLONG time = 0;
    return FileWriteTime(path, time) ? time : 0;
}

ULONGLONG Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

CHalyardDoc* DocumentOf(CDebugHost& host, const std::string& path)
{
    for (CHalyardDoc* doc : host.Documents())
        if (lstrcmpiA(doc->m_strFullPath.c_str(), path.c_str()) == 0) return doc;
    return nullptr;
}

}  // namespace

bool CDebugCommands::NeedsBuild(const CHalyardDoc& doc) const
{
    const std::string program = BuiltProgram(doc.m_strPathNoExt);
    return doc.m_textBuffer.IsModified() || program.empty() || WriteTimeOr0(program) < WriteTimeOr0(doc.m_strFullPath);
}

void CDebugCommands::OnStart()
{
    CHalyardDoc* doc = m_host.ActiveDocument();
    FxMDIFrame* frame = m_host.Frame();
    if (!doc || !frame || m_active || !m_buildingPath.empty()) return;
    if (!NeedsBuild(*doc)) return Launch(*doc);
    // The build console's interpreter drops a line typed while the one before still runs (Wine's
    // does): Link is sent when Compile wrote its object file, the run starts when Link wrote the
    // program.
    m_buildingPath = doc->m_strFullPath;
    m_buildStart = Now() - kDosClockStep;
    m_buildTicks = 0;
    m_linkSent = false;
    m_assembledStamp = 0;
    frame->SendCommand(ID_BUILD_COMPILE);
    if (!m_sink.m_hWnd && !m_sink.Create([this](const std::string* line) { OnLine(line); }, [this] { OnBuildTick(); }))
        return;
    m_sink.StartTimer(kBuildPoll);
}

// Each step counts as done when its files are newer than the build's start; a step that has not
// written them within the patience failed (the assembler writes no object file after an error).
void CDebugCommands::OnBuildTick()
{
    CHalyardDoc* doc = DocumentOf(m_host, m_buildingPath);
    const std::string program = doc ? BuiltProgram(doc->m_strPathNoExt) : std::string();
    const ULONGLONG objectTime = doc ? WriteTimeOr0(doc->m_strPathNoExt + ".obj") : 0;
    const ULONGLONG listingTime = doc ? WriteTimeOr0(doc->m_strPathNoExt + ".lst") : 0;
    const bool programNew = !program.empty() && WriteTimeOr0(program) >= m_buildStart;
    // The assembler has ended when its object file and listing are new and stayed the same for a
    // whole poll.
    const bool assembled = objectTime >= m_buildStart && listingTime >= m_buildStart &&
                           m_assembledStamp == objectTime + listingTime;
    m_assembledStamp = objectTime + listingTime;
    if (doc && assembled && !m_linkSent && m_host.Frame()) {
        m_linkSent = true;
        m_buildTicks = 0;
        m_host.Frame()->SendCommand(ID_BUILD_LINK);
        return;
    }
    const bool failed = !doc || ++m_buildTicks > kBuildPatience;
    if (!failed && !(m_linkSent && programNew)) return;
    m_sink.StopTimer();
    m_buildingPath.clear();
    if (failed) return Report("程序没有编译连接成功，不能调试：请看输出窗口的信息");
    Launch(*doc);
}

void CDebugCommands::Launch(CHalyardDoc& doc)
{
    const std::string program = BuiltProgram(doc.m_strPathNoExt);
    const std::string bin = std::string(m_host.InstallDir()) + "\\bin";
    halyard::debuginfo::ProgramMap map;
    std::string error;
    if (!LoadProgramMap({doc.m_nAssembler, doc.m_strFullPath, program, bin}, map, error)) Report(error);
    if (m_host.SessionOpen()) return StartInSession(program, std::move(map));
    const std::string name = program.substr(program.find_last_of('\\') + 1);
    if (StartRun({bin + "\\Dosrun.exe", name, doc.m_strFolder}, std::move(map))) Report("在 Halyard 中调试 " + program);
}

// The open DOS session's PC runs the program, so that it finds what earlier programs of the
// session left there: the session hands it over before its first instruction.
void CDebugCommands::StartInSession(const std::string& program, halyard::debuginfo::ProgramMap map)
{
    std::string error;
    if (!PrepareRun(std::move(map)) || !m_channel.Listen(m_sink.m_hWnd, CDebugSink::kLineMessage, error) ||
        !m_host.DebugInSession(program, m_channel.PipeName(), error)) {
        m_channel.Close();
        return Report(error.empty() ? std::string("调试窗格没能建立") : error);
    }
    m_active = true;
    if (m_panes) m_panes->Show(true);
    Report("在 DOS 会话中调试 " + program);
}

bool CDebugCommands::PrepareRun(halyard::debuginfo::ProgramMap map)
{
    if (m_active) return false;
    if (!m_sink.m_hWnd && !m_sink.Create([this](const std::string* line) { OnLine(line); }, [this] { OnBuildTick(); }))
        return false;
    if (!m_panes && m_host.Frame()) {
        m_panes = std::make_unique<CDebugPaneBars>();
        if (!m_panes->Create(*m_host.Frame(), *this)) Report("调试窗格没能建立");
    }
    m_map = std::move(map);
    m_state = {};
    m_reads.clear();
    m_breakpoints.clear();
    m_busy = m_started = m_stopPending = false;
    return true;
}

bool CDebugCommands::StartRun(const DebugLaunch& launch, halyard::debuginfo::ProgramMap map)
{
    std::string error;
    if (!PrepareRun(std::move(map))) return false;
    if (!m_channel.Start(launch, m_sink.m_hWnd, CDebugSink::kLineMessage, error)) {
        Report(error);
        return false;
    }
    m_active = true;
    if (m_panes) m_panes->Show(true);
    return true;
}

bool CDebugCommands::ListenForTest(halyard::debuginfo::ProgramMap map, std::string& pipeName)
{
    std::string error;
    if (!PrepareRun(std::move(map)) || !m_channel.Listen(m_sink.m_hWnd, CDebugSink::kLineMessage, error)) return false;
    pipeName = m_channel.PipeName();
    m_active = true;
    if (m_panes) m_panes->Show(true);
    return true;
}
