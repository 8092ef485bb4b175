#include "fx/fx_app.h"
#include "fx/fx_dialog.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include <commctrl.h>
#include <cstdio>
#include <vector>

namespace {
FxApp* g_app = nullptr;  // the one application object of the process
FxMessageBoxHook g_messageBoxHook = nullptr;
}

void FxSetMessageBoxHook(FxMessageBoxHook hook) { g_messageBoxHook = hook; }

FxApp* FxGetApp() { return g_app; }

HWND FxGetMainWnd() { return g_app && g_app->GetMainFrame() ? g_app->GetMainFrame()->m_hWnd : nullptr; }

std::string FxLoadString(UINT id)
{
    char buffer[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string FxFormatString(UINT id, const char* arg)
{
    std::string format = FxLoadString(id);
    std::string result;
    size_t at = format.find("%s");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + arg + format.substr(at + 2);
}

int FxMessageBox(const char* text, UINT type) { return FxMessageBox(text, nullptr, type); }

int FxMessageBox(const char* text, const char* caption, UINT type)
{
    if (g_messageBoxHook) return g_messageBoxHook(text, type);
    const std::string title = caption ? caption : g_app ? g_app->GetAppName() : std::string("Halyard");
    HWND owner = FxGetMainWnd();
    if (owner) owner = GetLastActivePopup(owner);
    return MessageBoxA(owner, text, title.c_str(), type);
}

void FxReportFileError(UINT id, const char* path, DWORD error)
{
    char reason[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                   sizeof reason, nullptr);
    std::string text = FxFormatString(id, path);
    text += "\n";
    text += reason[0] ? reason : "Unknown error.";
    FxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

FxApp::FxApp()
{
    g_app = this;
    m_strAppName = FxLoadString(IDS_APP_NAME);
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_APP_EXIT, [this] {
        if (m_pMainFrame) PostMessageA(m_pMainFrame->m_hWnd, WM_CLOSE, 0, 0);
    });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](UINT id) { OnOpenRecentFile(id); });
    OnUpdate(ID_FILE_MRU_FILE1, [this](FxCmdUI& ui) {
        if (!m_pRecentFiles) return ui.Enable(false);
        if (ui.m_hMenu) m_pRecentFiles->UpdateMenu(ui.m_hMenu, ui.m_nIndex);
        ui.Enable(m_pRecentFiles->Count() > 0);
    });
}

FxApp::~FxApp()
{
    if (g_app == this) g_app = nullptr;
}

void FxApp::SetMainFrame(FxMDIFrame* frame)
{
    m_pMainFrame = frame;
    if (frame) frame->SetApp(this);
}

void FxApp::SetDocManager(FxDocManager* manager)
{
    m_pDocManager.reset(manager);
    if (manager) manager->SetApp(this);
}

void FxApp::SetRegistryKey(const char* company) { m_settings.SetRoot(company, m_strAppName); }

void FxApp::LoadStdProfileSettings(size_t count)
{
    m_pRecentFiles = std::make_unique<FxRecentFiles>(count, ID_FILE_MRU_FILE1);
    m_pRecentFiles->Load(m_settings);
}

void FxApp::AddToRecentFileList(const std::string& path)
{
    if (m_pRecentFiles) m_pRecentFiles->Add(path);
}

void FxApp::OnFileNew()
{
    if (m_pDocManager) m_pDocManager->OnFileNew();
}

void FxApp::OnFileOpen()
{
    if (m_pDocManager) m_pDocManager->OnFileOpen();
}

void FxApp::OnOpenRecentFile(UINT id)
{
    size_t index = id - ID_FILE_MRU_FILE1;
    if (!m_pRecentFiles || index >= m_pRecentFiles->Count() || !m_pDocManager) return;
    std::string path = m_pRecentFiles->At(index);
    if (!m_pDocManager->OpenDocumentFile(path.c_str())) m_pRecentFiles->Remove(index);
}

int FxApp::ExitInstance()
{
    if (m_pRecentFiles) m_pRecentFiles->Save(m_settings);
    m_pDocManager.reset();
    return 0;
}

void FxApp::OnIdle()
{
    if (m_pMainFrame && m_pMainFrame->m_hWnd) m_pMainFrame->OnIdleUpdate();
}

// A key for a control of a page (a modeless dialog inside a pane) is the page's: Tab, arrows,
// Enter and Escape move within it. Every other key, an editor view's included, goes to the frame's
// accelerators.
bool FxApp::PreTranslateMessage(MSG& msg)
{
    if (FxDialog::PreTranslatePageMessage(msg)) return true;
    return m_pMainFrame && m_pMainFrame->m_hWnd && m_pMainFrame->PreTranslateMessage(msg);
}

int FxApp::Run(HINSTANCE instance, int showCommand)
{
    m_hInstance = instance;
    m_nCmdShow = showCommand;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    if (!InitInstance()) {
        ExitInstance();
        return 1;
    }
    MSG msg{};
    bool idleDone = false;
    for (;;) {
        while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!idleDone) {
                OnIdle();
                idleDone = true;
                continue;
            }
            WaitMessage();
        }
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (msg.message != WM_PAINT && msg.message != 0x0118 /* caret blink */) idleDone = false;
    }
    int code = ExitInstance();
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : code;
}
