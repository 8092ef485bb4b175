#include "toolchain/build_console.h"
#include "toolchain/dos_runner.h"
#include "toolchain/plain_file.h"

#include <cstring>

#include "core/util/version.h"

namespace {

using halyard::toolchain::BuildStep;
using halyard::toolchain::LineStatus;

const char kBanner[] = HALYARD_VERSION_TEXT "\r\n";
const char kNotRunning[] = "The command interpreter is not running: the line was not sent\r\n";

// The system's own interpreter, never one that happens to lie in the program's or the source's
// folder. Delayed expansion is off whatever the registry says, so `!` in a name stays a `!`.
std::string InterpreterCommand()
{
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system) return "cmd.exe /V:OFF";
    return std::string("\"").append(system, length).append("\\cmd.exe\" /V:OFF");
}

}  // namespace

CBuildConsole::CBuildConsole(HWND hwndOutput, std::string_view installDir)
    : m_strToolFolder(std::string(installDir) + "\\bin"),
      m_strRunner(DosRunnerFor(std::string(installDir))),
      m_pRedirector(std::make_unique<COutputRedirector>()),
      m_hwndOutput(hwndOutput)
{
    m_pRedirector->SetPane(m_hwndOutput);
}

CBuildConsole::~CBuildConsole() = default;

bool CBuildConsole::Open(std::string_view startFolder)
{
    // The banner goes first, so that an error of the start follows it instead of being replaced.
    m_pRedirector->ReplacePaneText(kBanner);
    const std::string folder(startFolder);
    return m_pRedirector->Open(InterpreterCommand().c_str(), folder.c_str());
}

bool CBuildConsole::MoveTo(std::string_view folder)
{
    const std::string target(folder);
    m_pRedirector->WriteStdOut("\r\nThe build steps now run in " + target + "\r\n");
    return m_pRedirector->Open(InterpreterCommand().c_str(), target.c_str());
}

bool CBuildConsole::IsRunning() const noexcept
{
    return m_pRedirector->IsOpen();
}

bool CBuildConsole::Compile(std::string_view fileName, std::string_view baseName, int nAssembler)
{
    return RunStep({BuildStep::Compile, nAssembler, halyard::toolchain::kConfigDebug, fileName, baseName, m_strRunner});
}

bool CBuildConsole::Link(std::string_view baseName, int nAssembler, int nConfig)
{
    return RunStep({BuildStep::Link, nAssembler, nConfig, {}, baseName, m_strRunner});
}

bool CBuildConsole::RunStep(const halyard::toolchain::StepRequest& request)
{
    std::memset(m_szLine, 0, sizeof m_szLine);
    std::memset(m_szCommand, 0, sizeof m_szCommand);
    const LineStatus status =
        halyard::toolchain::ComposeStepLine(request, m_strToolFolder, m_szCommand, m_szLine, sizeof m_szLine);
    if (status == LineStatus::NoCommand) return true;
    m_pRedirector->ReplacePaneText(halyard::toolchain::StepBanner(request.step));
    if (status != LineStatus::Ok) {
        ShowError(halyard::toolchain::RefusalText(status));
        return false;
    }
    // The interpreter's own word for a missing program names neither the folder nor the fix. An
    // interpreter that has ended is the greater fault, told below.
    const std::string tool = m_strToolFolder + std::string(halyard::toolchain::StepTool(request));
    if (IsRunning() && !IsPlainFile(tool)) {
        ShowError(halyard::toolchain::MissingToolText(tool));
        return false;
    }
    if (!m_pRedirector->Write(m_szLine)) {
        ShowError(kNotRunning);
        return false;
    }
    return true;
}

void CBuildConsole::ShowError(std::string_view text)
{
    m_pRedirector->WriteStdError(text);
}
