#include "app/halyard_app.h"
#include "app/doc_manager_ex.h"
#include "app/new_dialog.h"
#include "asm/control_colours.h"
#include "asm/halyard_view.h"
#include "toolchain/halyard_doc.h"
#include "frame/child_frame.h"
#include "frame/main_frame.h"
#include "frame/tree_items.h"
#include "fx/fx_doctemplate.h"
#include "reference/search_dlg.h"
#include "snippets/segment_view_dlg.h"
#include "resource.h"
#include <commdlg.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ole2.h>
#include <shellapi.h>

namespace {
FxDocument* NewDocument() { return new CHalyardDoc(GetHalyardApp()); }
FxMDIChild* NewChildFrame() { return new CChildFrame; }
// Every editor view joins the application's colour scheme as soon as it exists.
FxView* NewView()
{
    auto* view = new CHalyardView;
    view->AttachColourScheme(&GetHalyardApp()->m_colourScheme);
    return view;
}
}  // namespace

CHalyardApp* GetHalyardApp() { return static_cast<CHalyardApp*>(FxGetApp()); }

CHalyardApp::CHalyardApp()
{
    // The WorkSpace pane creates its pages by these names.
    (void)Classes().Register("CSegmentViewDlg", [this] { return std::unique_ptr<FxDialog>(new CSegmentViewDlg(this)); });
    (void)Classes().Register<CSearchDlg>("CSearchDlg");
    OnCommand(ID_FILE_NEW_DIALOG, [this] { RunNewDialog(*this); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnPrintSetup(); });
    OnNotify(IDC_WORKSPACE_TREE, static_cast<UINT>(NM_DBLCLK), [this](NMHDR&) -> LRESULT {
        OnWorkspaceDblClk();
        return 0;
    });
    OnCommand(ID_THEME_NORMAL, [this] { OnTheme(0); });
    OnCommand(ID_THEME_DARK, [this] { OnTheme(1); });
    OnUpdate(ID_THEME_NORMAL, [this](FxCmdUI& ui) { ui.SetCheck(m_nTheme == 0); });
    OnUpdate(ID_THEME_DARK, [this](FxCmdUI& ui) { ui.SetCheck(m_nTheme == 1); });
    ChainTo(&m_utilityCommands);
    ChainTo(&m_sessionCommands);
    ChainTo(&m_toolchainFolders);
    ChainTo(&m_debugCommands);
}

CMainFrame* CHalyardApp::GetMainFrame() const { return static_cast<CMainFrame*>(FxApp::GetMainFrame()); }

HWND CHalyardApp::GetOutputPane() const { return GetMainFrame() ? GetMainFrame()->m_outputEdit.m_hWnd : nullptr; }

HWND CHalyardApp::GetModeBarItem(int id) const { return GetMainFrame() ? GetMainFrame()->m_selectorBar.GetItem(id) : nullptr; }

void CHalyardApp::ShowPanes(bool show)
{
    if (CMainFrame* frame = GetMainFrame()) frame->ShowPanes(show);
}

HTREEITEM CHalyardApp::AddDocumentItem(const char* text)
{
    return GetMainFrame() ? GetMainFrame()->AddDocumentItem(text) : nullptr;
}

void CHalyardApp::RenameDocumentItem(HTREEITEM item, const char* text)
{
    if (CMainFrame* frame = GetMainFrame()) frame->RenameDocumentItem(item, text);
}

void CHalyardApp::OpenSnippet(const char* path) { GetDocManager()->OpenDocumentFile(path); }

CHalyardDoc* CHalyardApp::GetActiveEditorDocument() const
{
    return GetMainFrame() ? dynamic_cast<CHalyardDoc*>(GetMainFrame()->GetActiveDocument()) : nullptr;
}

bool CHalyardApp::CaptureInstallDir()
{
    DWORD n = GetCurrentDirectoryA(sizeof m_szInstallDir, m_szInstallDir);
    if (n > 0 && n < sizeof m_szInstallDir) return true;
    // Too long for the buffer (or unreadable): say so and stop; never go on with a cut path.
    std::memset(m_szInstallDir, 0, sizeof m_szInstallDir);
    char path[MAX_PATH * 4] = "?";
    GetCurrentDirectoryA(sizeof path, path);
    FxMessageBox(FxFormatString(IDS_DIR_TOO_LONG, path).c_str(), MB_OK | MB_ICONSTOP);
    return false;
}

bool CHalyardApp::InitInstance()
{
    if (!CaptureInstallDir()) return false;
    if (FAILED(OleInitialize(nullptr))) {
        FxMessageBox(FxLoadString(IDS_OLE_INIT_FAILED).c_str(), MB_OK | MB_ICONSTOP);
        return false;
    }
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    SetDocManager(new CDocManagerEx);
    auto* tmpl = new FxDocTemplate(IDR_HALYARDTYPE, NewDocument, NewChildFrame, NewView);
    GetDocManager()->AddDocTemplate(tmpl);
    if (!tmpl->Load()) return false;
    auto* frame = new CMainFrame(&m_colourScheme, &Classes());
    SetMainFrame(frame);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) return false;  // the frame deleted itself
    DragAcceptFiles(frame->m_hWnd, TRUE);
    if (!ProcessCommandLine() || !GetMainFrame()) return false;
    int show = GetShowCommand();
    if (IsZoomed(frame->m_hWnd) && (show == SW_SHOWNORMAL || show == SW_SHOWDEFAULT)) show = SW_SHOWMAXIMIZED;
    ShowWindow(frame->m_hWnd, show);
    UpdateWindow(frame->m_hWnd);
    return true;
}

bool CHalyardApp::ProcessCommandLine()
{
    // The first argument that is not a switch names the file to open.
    for (int i = 1; i < __argc; ++i) {
        const char* arg = __argv[i];
        if (arg[0] == '/' || arg[0] == '-') continue;
        return GetDocManager()->OpenDocumentFile(arg) != nullptr;
    }
    GetDocManager()->OnFileNew();
    return true;
}

// The printer picked here is the one every later print job, preview and page setup uses.
void CHalyardApp::OnPrintSetup() { (void)Printer().RunSetupDialog(FxGetMainWnd()); }

void CHalyardApp::OnTheme(int theme)
{
    m_colourScheme.ApplyTheme(theme);
    if (CMainFrame* frame = GetMainFrame()) ApplySchemeToTree(frame->m_workspaceTree.m_hWnd, m_colourScheme);
    m_nTheme = theme;
}

void CHalyardApp::OnWorkspaceDblClk()
{
    CMainFrame* frame = GetMainFrame();
    if (!frame) return;
    HWND tree = frame->m_workspaceTree.m_hWnd;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item || frame->GoToOutlineItem(item)) return;
    const std::string text = TreeItemText(tree, item);
    if (GetDocManager()->GetTemplates().empty()) return;
    for (FxDocument* doc : GetDocManager()->GetTemplates().front()->GetDocuments()) {
        auto* hdoc = dynamic_cast<CHalyardDoc*>(doc);
        if (!hdoc || hdoc->m_strFileName != text) continue;
        for (FxView* view : doc->GetViews())
            if (FxMDIChild* child = view->GetParentFrame())
                SendMessageA(frame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    }
}
