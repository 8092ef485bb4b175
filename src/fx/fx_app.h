// The application object: start-up hook, message loop with accelerators and idle updates, the
// settings store, the recent-file list and the document manager.
#pragma once
#include "fx/fx_class_registry.h"
#include "fx/fx_cmd.h"
#include "fx/fx_print.h"
#include "fx/fx_recent.h"
#include "fx/fx_settings.h"
#include <memory>
#include <string>

class FxDocManager;
class FxMDIFrame;

class FxApp : public FxCmdTarget {
public:
    FxApp();
    ~FxApp() override;

    // Runs the application: InitInstance, then the message loop; returns the exit code.
    int Run(HINSTANCE instance, int showCommand);
    virtual bool InitInstance() = 0;
    virtual int ExitInstance();

    HINSTANCE GetInstance() const { return m_hInstance; }
    int GetShowCommand() const { return m_nCmdShow; }
    FxMDIFrame* GetMainFrame() const { return m_pMainFrame; }
    // The frame routes to this application and closes its documents.
    void SetMainFrame(FxMDIFrame* frame);
    FxDocManager* GetDocManager() const { return m_pDocManager.get(); }
    void SetDocManager(FxDocManager* manager);
    const std::string& GetAppName() const { return m_strAppName; }

    // Settings: the key "Software\<company>\<application name>" of the current user.
    void SetRegistryKey(const char* company);
    FxSettings& Settings() { return m_settings; }
    // Loads the recent-file list (of `count` entries) from the settings.
    void LoadStdProfileSettings(size_t count);
    void AddToRecentFileList(const std::string& path);
    FxRecentFiles* GetRecentFiles() const { return m_pRecentFiles.get(); }
    // The classes of the pages the application's windows create by name.
    FxClassRegistry& Classes() { return m_classes; }
    // The printer every print job, preview and page setup of the application uses.
    FxPrinterChoice& Printer() { return m_printer; }

    // One pass of idle processing (toolbar buttons, status panes); also used by tests.
    void OnIdle();
    // Handles the message before it is dispatched (accelerators, dialogs); true when consumed.
    bool PreTranslateMessage(MSG& msg);

protected:
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(UINT id);

private:
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    std::string m_strAppName;
    FxMDIFrame* m_pMainFrame = nullptr;
    std::unique_ptr<FxDocManager> m_pDocManager;
    FxSettings m_settings;
    std::unique_ptr<FxRecentFiles> m_pRecentFiles;
    FxClassRegistry m_classes;
    FxPrinterChoice m_printer;
};

FxApp* FxGetApp();
HWND FxGetMainWnd();
// A string of the string table; empty when missing.
std::string FxLoadString(UINT id);
// A string of the string table with its "%s" filled (bounded; never truncated silently).
std::string FxFormatString(UINT id, const char* arg);
// A message box owned by the main window, captioned with the application name.
int FxMessageBox(const char* text, UINT type = MB_OK);
// The same under a caption of its own (null: the application name).
int FxMessageBox(const char* text, const char* caption, UINT type);
// Replaces every message box by a call (tests answer them this way); null restores them.
using FxMessageBoxHook = int (*)(const char* text, UINT type);
void FxSetMessageBoxHook(FxMessageBoxHook hook);
// "<string id with %s = path>" followed by the system's reason for `error`.
void FxReportFileError(UINT id, const char* path, DWORD error);
