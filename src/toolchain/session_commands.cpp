#include "toolchain/session_commands.h"

#include "core/toolchain/build_lines.h"
#include "toolchain/document_host.h"
#include "toolchain/halyard_doc.h"
#include "toolchain/output_pane.h"
#include "resource.h"

namespace {

bool HoldsDebug(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\debug.exe").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

}  // namespace

bool FileWriteTime(const std::string& path, ULONGLONG& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    time = (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::string BuiltProgram(const std::string& pathNoExt)
{
    std::string program;
    ULONGLONG newest = 0, time = 0;
    for (const char* extension : {".exe", ".com"})
        if (FileWriteTime(pathNoExt + extension, time) && (program.empty() || time > newest)) {
            program = pathNoExt + extension;
            newest = time;
        }
    return program;
}

CSessionCommands::CSessionCommands(CDocumentHost& host, std::function<CHalyardDoc*()> activeDocument)
    : m_host(host), m_activeDocument(std::move(activeDocument))
{
    OnCommand(ID_BUILD_DOS_PROMPT, [this] { OnDosPrompt(); });
    OnCommand(ID_BUILD_RUN_SESSION, [this] { OnRunInSession(); });
    OnUpdate(ID_BUILD_RUN_SESSION, [this](FxCmdUI& ui) { ui.Enable(m_activeDocument() != nullptr); });
}

bool CSessionCommands::OpenFor(const CHalyardDoc* doc, std::string& error)
{
    using namespace halyard::toolchain;
    const SessionStart start = ComposeSessionStart(m_host.GetInstallDir(), doc ? doc->m_strFolder : std::string(),
                                                   doc ? doc->m_nAssembler : kAssemblerTasm, HoldsDebug);
    return m_session.Open(start, error);
}

void CSessionCommands::OnDosPrompt()
{
    std::string error;
    if (!OpenFor(m_activeDocument(), error)) ShowError(error);
}

// The program is typed by its whole DOS path, which finds it whatever folder the student has
// gone to at the prompt.
void CSessionCommands::OnRunInSession()
{
    const CHalyardDoc* doc = m_activeDocument();
    if (!doc) return;
    const std::string program = BuiltProgram(doc->m_strPathNoExt);
    std::string typed, error;
    if (program.empty()) {
        ShowError("There is no " + doc->m_strBaseName + ".exe or .com yet: build the program first (Ctrl+F7, F7)\r\n");
        return;
    }
    if (!halyard::toolchain::ComposeSessionTyping(SessionDosPath(program), typed, error) ||
        (!m_session.IsOpen() && !OpenFor(doc, error)) || !m_session.Type(typed, error))
        ShowError(error);
}

bool CSessionCommands::DebugInSession(const std::string& program, const std::string& pipe, std::string& error)
{
    if (!m_session.IsOpen()) {
        error = "no DOS session is open";
        return false;
    }
    const std::string dosPath = SessionDosPath(program);
    std::string typed;
    return halyard::toolchain::ComposeSessionTyping(dosPath, typed, error) &&
           m_session.Type(halyard::toolchain::SessionDebugRequest(pipe, dosPath), error) && m_session.Type(typed, error);
}

void CSessionCommands::ShowError(const std::string& error)
{
    m_host.ShowPanes(true);
    AppendPaneText(m_host.GetOutputPane(), "\r\nError message: " + error);
}
