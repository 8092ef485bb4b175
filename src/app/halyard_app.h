// The application object of Halyard.
#pragma once
#include "asm/colour_scheme.h"
#include "fx/fx_app.h"

class CMainFrame;

class CHalyardApp : public FxApp {
public:
    CHalyardApp();
    bool InitInstance() override;

    int m_nTheme = 0;                // 0 = Normal, 1 = Dark
    char m_szInstallDir[128] = {};   // the installation folder, without a trailing backslash
    ColourScheme m_colourScheme;     // shared by the editors, the Output pane and the tree

    CMainFrame* GetMainFrame() const;
    // Opens the editor window of the document whose file name equals the tree's selected item.
    void OnWorkspaceDblClk();

private:
    bool CaptureInstallDir();
    bool ProcessCommandLine();
    void OnPrintSetup();
    void OnTheme(int theme);
};

CHalyardApp* GetHalyardApp();
