#include "app/about_dialog.h"
#include "core/util/version.h"
#include "fx/fx_app.h"
#include "resource.h"

CAboutBox::CAboutBox() : FxDialog(IDD_ABOUTBOX) {}

std::string CAboutBox::ContactText()
{
    return std::string(HALYARD_VERSION_TEXT) + "\r\n\r\n" + FxLoadString(IDS_ABOUT_TEXT);
}

bool CAboutBox::OnInitDialog()
{
    SetItemText(IDC_ABOUT_VERSION, HALYARD_VERSION_TEXT);
    return FxDialog::OnInitDialog();
}

bool CAboutBox::Exchange(bool bSave)
{
    // The text is read-only: only the way into the control exists.
    if (!bSave) SetItemText(IDC_ABOUT_TEXT, m_strText);
    return true;
}
