#include "app/new_project_page.h"
#include "resource.h"

CNewProjectPage::CNewProjectPage() : FxDialog(IDD_NEW_PROJECT_PAGE) {}

bool CNewProjectPage::OnInitDialog()
{
    FxDialog::OnInitDialog();
    static const char* const kProcessors[] = {"8088",  "8086",  "80286", "80386", "80486", "80586",
                                              "80686", "core2", "ARM",   "MISP",  "C51"};
    for (const char* name : kProcessors)
        SendDlgItemMessageA(m_hWnd, IDC_NEW_CPU, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    return true;
}
