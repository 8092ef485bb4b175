#include "app/new_dialog.h"
#include "app/halyard_app.h"
#include "app/new_template_copy.h"
#include "toolchain/halyard_doc.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_path.h"
#include "resource.h"
#include <commctrl.h>

CNewDialog::CNewDialog(const std::string& installDir, FxDocManager& docs)
    : FxDialog(IDD_NEW), m_filePage(installDir), m_strInstallDir(installDir), m_docs(docs)
{
    OnNotify(IDC_NEW_TABS, static_cast<UINT>(TCN_SELCHANGE), [this](NMHDR&) -> LRESULT {
        OnTabChange();
        return 0;
    });
}

bool CNewDialog::OnInitDialog()
{
    FxDialog::OnInitDialog();
    m_hTabs = GetItem(IDC_NEW_TABS);
    const char* titles[] = {"File", "Project"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(titles[i]);
        SendMessageA(m_hTabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    if (!m_filePage.CreatePage(m_hTabs, IDD_NEW_FILE_PAGE) || !m_projectPage.CreatePage(m_hTabs, IDD_NEW_PROJECT_PAGE)) {
        EndDialog(IDCANCEL);
        return false;
    }
    RECT rc;
    GetClientRect(m_hTabs, &rc);
    rc.left += 5;
    rc.top += 25;
    rc.right -= 5;
    rc.bottom -= 5;
    for (FxDialog* page : m_pPages)
        MoveWindow(page->m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    ShowWindow(m_filePage.m_hWnd, SW_SHOW);
    ShowWindow(m_projectPage.m_hWnd, SW_HIDE);
    m_nCurPage = PAGE_FILE;
    m_filePage.LoadLocation();
    return false;  // the File page has given its list the focus
}

bool CNewDialog::OnDialogCommand(UINT id, UINT code)
{
    if (id == IDOK && code == BN_CLICKED) {
        OnOK();
        return true;
    }
    return FxDialog::OnDialogCommand(id, code);
}

void CNewDialog::OnTabChange()
{
    int selected = static_cast<int>(SendMessageA(m_hTabs, TCM_GETCURSEL, 0, 0));
    if (selected < 0 || selected > 1) return;
    ShowWindow(m_pPages[m_nCurPage]->m_hWnd, SW_HIDE);
    m_nCurPage = selected;
    ShowWindow(m_pPages[m_nCurPage]->m_hWnd, SW_SHOW);
}

bool CNewDialog::IsOpen(const std::string& path) const
{
    return m_docs.FindOpenDocument(path) != nullptr;
}

void CNewDialog::OnOK()
{
    if (m_nCurPage == PAGE_PROJECT) {
        EndDialog(IDOK);
        return;
    }
    m_filePage.UpdateData(true);
    if (m_filePage.m_strFileName.empty() || m_filePage.m_strLocation.empty()) {
        FxMessageBox(FxLoadString(IDS_NEW_NO_NAME).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The folder in its absolute form: the file is opened after the current folder has changed,
    // and config.ini must name the same folder whatever is current when it is read.
    m_filePage.m_strLocation = FxFullPath(m_filePage.m_strLocation);
    m_filePage.UpdateData(false);
    const int row = m_filePage.GetTemplateIndex() < 0 ? 0 : m_filePage.GetTemplateIndex();
    const NewFileTemplate& tmpl = kNewFileTemplates[row];
    // One spelling of the target, whatever the typed name holds ("sub\\..", ".", a short name).
    const std::string target = FxFullPath(m_filePage.GetTargetPath());
    NewCopyResult copied = CopyTemplateFile(m_strInstallDir + tmpl.file, target,
                                            [this](const std::string& path) { return IsOpen(path); });
    if (copied != NewCopyResult::Copied) return;
    // A folder config.ini cannot keep (unwritable file, too long) is simply not remembered.
    bool saved = false;
    const std::string location = m_filePage.SaveLocation(saved);
    SetCurrentDirectoryA(location.c_str());
    // A file that cannot be opened is reported by the document manager; no assembler to set then.
    if (auto* doc = dynamic_cast<CHalyardDoc*>(m_docs.OpenDocumentFile(target.c_str())))
        doc->SetAssembler(tmpl.assembler);
    EndDialog(IDOK);
}

void RunNewDialog(CHalyardApp& app)
{
    CNewDialog dialog(app.m_szInstallDir, *app.GetDocManager());
    dialog.DoModal(FxGetMainWnd());
}
