// The application object of Halyard.
#pragma once
#include "app/app_debug_host.h"
#include "app/toolchain_folders_command.h"
#include "app/utility_commands.h"
#include "asm/colour_scheme.h"
#include "core/editor/kept_breakpoints.h"
#include "debugger/debug_commands.h"
#include "toolchain/document_host.h"
#include "toolchain/session_commands.h"
#include "fx/fx_app.h"
#include "snippets/snippet_host.h"

class CMainFrame;

class CHalyardApp : public FxApp, public CDocumentHost, public CSnippetHost {
public:
    CHalyardApp();
    bool InitInstance() override;

    int m_nTheme = 0;                // 0 = Normal, 1 = Dark
    char m_szInstallDir[128] = {};   // the installation folder, without a trailing backslash
    ColourScheme m_colourScheme;     // shared by the editors, the Output pane and the tree
    CUtilityCommands m_utilityCommands;  // About, calculator, ASCII table, Help pages
    // The DOS prompt and Run in the DOS session, with the session they type at.
    CSessionCommands m_sessionCommands{*this, [this] { return GetActiveEditorDocument(); }};
    CToolchainFoldersCommand m_toolchainFolders{m_szInstallDir};  // copies the course's DOS tools in
    KeptBreakpoints m_keptBreakpoints;  // of files closed while the IDE runs
    CAppDebugHost m_debugHost{*this};
    CDebugCommands m_debugCommands{m_debugHost};  // 在 Halyard 中调试: runs, steps, breakpoints, panes

    CMainFrame* GetMainFrame() const;

    // The documents' view of the program: the main frame's panes and the installation folder.
    HWND GetOutputPane() const override;
    const char* GetInstallDir() const override { return m_szInstallDir; }
    HWND GetModeBarItem(int id) const override;
    void ShowPanes(bool show) override;
    HTREEITEM AddDocumentItem(const char* text) override;
    void RenameDocumentItem(HTREEITEM item, const char* text) override;
    void KeepBreakpoints(const std::string& path, std::vector<int> lines) override { m_keptBreakpoints.Keep(path, std::move(lines)); }
    std::vector<int> KeptBreakpointsOf(const std::string& path) const override { return m_keptBreakpoints.For(path); }
    // The snippet library's view of the program: editor windows and the active document.
    void OpenSnippet(const char* path) override;
    CHalyardDoc* GetActiveEditorDocument() const override;
    // Opens the editor window of the document whose file name equals the tree's selected item.
    void OnWorkspaceDblClk();

private:
    bool CaptureInstallDir();
    bool ProcessCommandLine();
    void OnPrintSetup();
    void OnTheme(int theme);
};

CHalyardApp* GetHalyardApp();
