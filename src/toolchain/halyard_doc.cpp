#include "toolchain/halyard_doc.h"
#include "fx/fx_handles.h"
#include "toolchain/build_console.h"
#include "toolchain/dos_runner.h"
#include "toolchain/launch_commands.h"
#include "toolchain/output_pane.h"
#include "toolchain/tool_names.h"
#include "buffer/win32_file_system.h"
#include "core/editor/breakpoints.h"
#include "core/editor/caret_site.h"
#include "fx/fx_view.h"
#include "toolchain/document_host.h"
#include "fx/fx_app.h"
#include "resource.h"

using halyard::toolchain::ModeList;

namespace {
// A 12-point font of the given face, described without creating it on a printer.
LOGFONTA PointFont(const char* face, int tenthsOfPoint)
{
    LOGFONTA lf{};
    {
        FxClientDC screen(nullptr);
        lf.lfHeight = -MulDiv(tenthsOfPoint, GetDeviceCaps(screen.Get(), LOGPIXELSY), 720);
    }
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, sizeof lf.lfFaceName);
    if (const FxFont font{CreateFontIndirectA(&lf)}) GetObjectA(font.Get(), sizeof lf, &lf);
    return lf;
}

void ReportFileFailure(UINT messageId, const char* path, const FileResult& result)
{
    // Failures without a system code of their own (too large, no memory) name the cause.
    DWORD code = result.nError ? result.nError
                               : (result.step == FileStep::NoMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_FILE_TOO_LARGE);
    FxReportFileError(messageId, path, code);
}
}  // namespace

CHalyardDoc::CHalyardDoc(CDocumentHost* host) : m_textBuffer(this), m_pHost(host), m_captions(GetModuleHandleA(nullptr))
{
    m_textBuffer.SetCaptionLoader(&m_captions);
    m_logFont = PointFont("Fixedsys", 120);
    if (m_pHost && m_pHost->GetOutputPane()) {
        HWND pane = m_pHost->GetOutputPane();
        // The interpreter starts, and writes its banner into the pane, when the file is opened in
        // the file's own folder: a document that never opens a file leaves the pane alone.
        m_pConsole = new CBuildConsole(pane, DosPathOf(m_pHost->GetInstallDir()));
    }
    m_nAssembler = 1;
    m_nCpu = 0;
    m_nBitness = 0;
    m_nConfig = 0;
    RegisterCommands();
}

CHalyardDoc::~CHalyardDoc() { delete m_pConsole; }

void CHalyardDoc::RegisterCommands()
{
    OnCommand(ID_EDIT_READONLY, [this] { OnToggleReadOnly(); });
    OnUpdate(ID_EDIT_READONLY, [this](FxCmdUI& ui) { ui.SetCheck(m_textBuffer.GetReadOnly()); });
    OnCommand(ID_MODE_MASM, [this] { SetAssemblerFromMenu(0); });
    OnCommand(ID_MODE_TASM, [this] { SetAssemblerFromMenu(1); });
    OnCommand(ID_MODE_NASM, [] { FxMessageBox(halyard::toolchain::RefusalMessage(ModeList::Assembler, "Nasm")); });
    OnUpdate(ID_MODE_MASM, [this](FxCmdUI& ui) { ui.SetCheck(m_nAssembler == 0); });
    OnUpdate(ID_MODE_TASM, [this](FxCmdUI& ui) { ui.SetCheck(m_nAssembler == 1); });
    OnUpdate(ID_MODE_NASM, [this](FxCmdUI& ui) { ui.SetCheck(m_nAssembler == 2); });
    OnControl(IDC_SELECT_ASSEMBLER, CBN_SELENDOK, [this] { OnListChoice(ModeList::Assembler, IDC_SELECT_ASSEMBLER, m_nAssembler); });
    OnControl(IDC_SELECT_CONFIG, CBN_SELENDOK, [this] { OnListChoice(ModeList::Config, IDC_SELECT_CONFIG, m_nConfig); });
    OnControl(IDC_SELECT_CPU, CBN_SELENDOK, [this] { OnListChoice(ModeList::Cpu, IDC_SELECT_CPU, m_nCpu); });
    OnControl(IDC_SELECT_BITNESS, CBN_SELCHANGE, [this] { OnListChoice(ModeList::Bitness, IDC_SELECT_BITNESS, m_nBitness); });
    OnCommand(ID_BUILD_COMPILE, [this] { OnCompile(); });
    OnCommand(ID_BUILD_LINK, [this] { OnLink(); });
    OnCommand(ID_BUILD_RUN, [this] { OnRun(); });
    OnCommand(ID_DEBUG_DEBUG, [this] { OnDebug(m_nAssembler); });
    OnCommand(ID_DEBUG_TD, [this] { OnDebug(halyard::toolchain::kDebugModeTd); });
    OnCommand(ID_PROGRAM_LOCATION, [this] { OnShowLocation(); });
}

bool CHalyardDoc::OnNewDocument() { return false; }

void CHalyardDoc::SetPathParts(const std::string& path)
{
    halyard::toolchain::PathParts p = halyard::toolchain::SplitPath(path);
    m_strFullPath = p.fullPath;
    m_strPathNoExt = p.pathNoExt;
    m_strFolder = p.folder;
    m_strFileName = p.fileName;
    m_strBaseName = p.baseName;
}

HWND CHalyardDoc::ModeBarItem(int id) const
{
    return m_pHost ? m_pHost->GetModeBarItem(id) : nullptr;
}

void CHalyardDoc::SelectInList(int listId, int index) { SendMessageA(ModeBarItem(listId), CB_SETCURSEL, index, 0); }

void CHalyardDoc::SetModeWord(ModeList list, const char* word)
{
    HWND label = ModeBarItem(IDC_SELECT_SUMMARY);
    if (!label) return;
    char text[128] = {};
    GetWindowTextA(label, text, sizeof text);
    std::string next = halyard::toolchain::ReplaceLabelWord(text, halyard::toolchain::LabelPosition(list), word);
    SetWindowTextA(label, next.c_str());
}

void CHalyardDoc::RefreshModeBar()
{
    const struct {
        ModeList list;
        int id;
        int value;
    } lists[] = {{ModeList::Cpu, IDC_SELECT_CPU, m_nCpu},
                 {ModeList::Assembler, IDC_SELECT_ASSEMBLER, m_nAssembler},
                 {ModeList::Bitness, IDC_SELECT_BITNESS, m_nBitness},
                 {ModeList::Config, IDC_SELECT_CONFIG, m_nConfig}};
    for (const auto& l : lists) {
        SelectInList(l.id, l.value);
        // A value outside its table still selects that index but leaves its word alone.
        if (const char* word = halyard::toolchain::ModeWord(l.list, l.value)) SetModeWord(l.list, word);
    }
}

void CHalyardDoc::OnActivate() { RefreshModeBar(); }

void CHalyardDoc::SetAssembler(int index)
{
    m_nAssembler = index;
    SelectInList(IDC_SELECT_ASSEMBLER, index);
    if (const char* word = halyard::toolchain::ModeWord(ModeList::Assembler, index)) SetModeWord(ModeList::Assembler, word);
}

void CHalyardDoc::SetAssemblerFromMenu(int index) { SetAssembler(index); }

void CHalyardDoc::OnListChoice(ModeList list, int listId, int& value)
{
    HWND combo = ModeBarItem(listId);
    int sel = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (sel < 0 || SendMessageA(combo, CB_GETLBTEXTLEN, sel, 0) > 9) return;
    char text[16] = {};
    SendMessageA(combo, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    int index = halyard::toolchain::FindModeWord(list, text);
    if (index < 0) return;
    if (const char* refusal = halyard::toolchain::RefusalMessage(list, text)) {
        FxMessageBox(refusal, MB_OK);
        SelectInList(listId, value);
        return;
    }
    value = index;
    SetModeWord(list, text);
}

void CHalyardDoc::OnToggleReadOnly()
{
    if (m_textBuffer.GetReadOnly()) {
        m_textBuffer.SetReadOnly(false);
        return;
    }
    m_textBuffer.SetReadOnly(true);
    FxMessageBox("Document now read-only!", MB_OK);
}

bool CHalyardDoc::OnOpenDocument(const char* path)
{
    if (!FxDocument::OnOpenDocument(path)) return false;
    if (m_pHost) m_pHost->ShowPanes(true);
    SetPathParts(path);
    if (m_pHost) m_hTreeItem = m_pHost->AddDocumentItem(m_strFileName.c_str());
    RefreshModeBar();
    CWin32FileSystem fs;
    FileResult result = m_textBuffer.LoadFromFile(fs, path, EOL_DETECT);
    if (!result) {
        ReportFileFailure(IDS_OPEN_FAILED, path, result);
        return false;
    }
    if (m_pHost) SetBreakpointLines(m_textBuffer, m_pHost->KeptBreakpointsOf(m_strFullPath));
    if (m_pConsole) (void)m_pConsole->Open(ToolNamesForSource().source.folder);
    return true;
}

bool CHalyardDoc::OnSaveDocument(const char* path)
{
    CWin32FileSystem fs;
    FileResult result = m_textBuffer.SaveToFile(fs, path, EOL_DETECT, true);
    if (!result) {
        ReportFileFailure(IDS_SAVE_FAILED, path, result);
        return false;
    }
    // Save As moves the document: building, running and debugging follow the new name, the
    // interpreter the new folder, and the WorkSpace item the new file name.
    if (m_strFullPath != path && !m_strFullPath.empty()) FollowNewPath(path);
    return true;
}

void CHalyardDoc::FollowNewPath(const std::string& path)
{
    const std::string oldFolder = m_strFolder;
    SetPathParts(path);
    if (m_pHost && m_hTreeItem) m_pHost->RenameDocumentItem(m_hTreeItem, m_strFileName.c_str());
    if (m_pConsole && lstrcmpiA(oldFolder.c_str(), m_strFolder.c_str()) != 0)
        (void)m_pConsole->MoveTo(ToolNamesForSource().source.folder);
}

void CHalyardDoc::DeleteContents()
{
    if (m_pHost && m_textBuffer.IsInitialised() && !m_strFullPath.empty())
        m_pHost->KeepBreakpoints(m_strFullPath, BreakpointLines(m_textBuffer));
    m_textBuffer.ReleaseAll();
}

void CHalyardDoc::OnCompile()
{
    if (!m_pConsole || !OnSaveDocument(GetPathName().empty() ? m_strFullPath.c_str() : GetPathName().c_str())) return;
    const ToolNames names = ToolNamesForSource();
    (void)m_pConsole->Compile(names.source.fileName, names.source.baseName, m_nAssembler);
    ShowToolNameWarning(names);
}

void CHalyardDoc::OnLink()
{
    if (!m_pConsole) return;
    const ToolNames names = ToolNamesForSource();
    (void)m_pConsole->Link(names.source.baseName, m_nAssembler, m_nConfig);
    ShowToolNameWarning(names);
}

ToolNames CHalyardDoc::ToolNamesForSource() const
{
    return ToolNamesFor(SourceParts(), !DosRunnerFor(InstallDir()).empty());
}

halyard::toolchain::PathParts CHalyardDoc::SourceParts() const
{
    return {m_strFullPath, m_strPathNoExt, m_strFolder, m_strFileName, m_strBaseName};
}

void CHalyardDoc::ShowToolNameWarning(const ToolNames& names)
{
    if (m_pHost && !names.warning.empty()) AppendPaneText(m_pHost->GetOutputPane(), names.warning);
}

void CHalyardDoc::ShowBuildError(const std::string& text)
{
    if (m_pHost) AppendPaneText(m_pHost->GetOutputPane(), "\r\nError message: " + text);
}

const char* CHalyardDoc::InstallDir() const { return m_pHost ? m_pHost->GetInstallDir() : ""; }

// Run and Debug: the helper gets the names the DOS tools read, and the runner of DOS programs
// where the system needs one. The line started (empty when refused) is returned.
std::string CHalyardDoc::StartLaunch(const LaunchComposer& compose, WORD showCommand)
{
    const ToolNames names = ToolNamesForSource();
    const halyard::toolchain::PathParts& dos = names.source;
    const halyard::toolchain::LaunchSource source{InstallDir(), dos.pathNoExt, dos.folder, dos.baseName};
    halyard::toolchain::LaunchLine line;
    std::string error;
    PassDosRunnerToHelpers(DosRunnerFor(InstallDir()));
    if (!compose(source, line, error) || !StartHelper(line, showCommand, error)) ShowBuildError(error);
    ShowToolNameWarning(names);
    return line.text;
}

void CHalyardDoc::OnRun()
{
    const std::string line = StartLaunch(halyard::toolchain::ComposeRunLine, SW_SHOWNORMAL);
    lstrcpynA(m_szRunCommand, line.c_str(), sizeof m_szRunCommand);
}

void CHalyardDoc::OnDebug(int mode)
{
    (void)StartLaunch([mode](const halyard::toolchain::LaunchSource& source, halyard::toolchain::LaunchLine& line,
                             std::string& error) { return halyard::toolchain::ComposeDebugLine(source, mode, line, error); },
                      SW_SHOW);
}

void CHalyardDoc::OnShowLocation()
{
    char label[128] = {};
    GetWindowTextA(ModeBarItem(IDC_SELECT_SUMMARY), label, sizeof label);
    FxMessageBox(halyard::toolchain::LocationText(label, m_strFullPath).c_str(), MB_OK);
}

// The text goes in at the first view's caret with that view as the source, so that it hears of
// the edit first; the caret itself stays where it was.
void CHalyardDoc::InsertAtCaret(std::string_view text)
{
    if (GetViews().empty()) return;
    FxView* view = GetViews().front();
    auto* site = dynamic_cast<CCaretSite*>(view);
    auto* observer = dynamic_cast<CBufferObserver*>(view);
    if (!site || !observer) return;
    const TextPosition caret = site->GetCaretPosition();
    int endLine = 0, endChar = 0;
    (void)m_textBuffer.InsertText(observer, caret.y, caret.x, text, endLine, endChar, ACTION_UNKNOWN);
    SetFocus(view->m_hWnd);
}
