// The New dialog of File > New (template 133): the tabs "File" and "Project" over their pages.
// OK on the File page copies the chosen template to the new file, remembers the folder in
// config.ini, makes it the current folder, opens the file and sets its assembler; OK on the
// Project page creates nothing.
#pragma once
#include "app/new_file_page.h"
#include "app/new_project_page.h"
#include "fx/fx_dialog.h"
#include <string>

class CHalyardApp;
class FxDocManager;

class CNewDialog : public FxDialog {
public:
    enum { PAGE_FILE = 0, PAGE_PROJECT = 1 };

    // `installDir` holds the templates and config.ini; `docs` opens the new file.
    CNewDialog(const std::string& installDir, FxDocManager& docs);

    int GetVisiblePage() const { return m_nCurPage; }

protected:
    bool OnInitDialog() override;
    bool OnDialogCommand(UINT id, UINT code) override;

private:
    void OnTabChange();
    // Ends the dialog once the file is made and opened; a refused or failed copy keeps it open
    // with the user's texts, to try another name or folder.
    void OnOK();
    bool IsOpen(const std::string& path) const;

    HWND m_hTabs = nullptr;
    CNewFilePage m_filePage;
    CNewProjectPage m_projectPage;
    int m_nCurPage = PAGE_FILE;  // the one page shown
    FxDialog* m_pPages[2] = {&m_filePage, &m_projectPage};
    std::string m_strInstallDir;
    FxDocManager& m_docs;
};

// Command 32809: the New dialog over the main window of `app`.
void RunNewDialog(CHalyardApp& app);
