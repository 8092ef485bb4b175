// The application object of Halyard.
#pragma once
#include "fx/fx_app.h"

class CMainFrame;

class CHalyardApp : public FxApp {
public:
    CHalyardApp();
    bool InitInstance() override;

    int m_nTheme = 0;                // 0 = Normal, 1 = Dark
    char m_szInstallDir[128] = {};   // the installation folder, without a trailing backslash

    CMainFrame* GetMainFrame() const;
    // Opens the editor window of the document whose file name equals the tree's selected item.
    void OnWorkspaceDblClk();

private:
    bool CaptureInstallDir();
    bool ProcessCommandLine();
    void OnPrintSetup();
};

CHalyardApp* GetHalyardApp();
