#include "app/utility_commands.h"
#include "app/about_dialog.h"
#include "app/ascii_table_dialog.h"
#include "fx/fx_app.h"
#include "resource.h"
#include <shellapi.h>
#include <string>

void ShellOpenPage(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

void StartProgram(const char* program, int show)
{
    // WinExec searches the system folders and the path; a missing program only returns an error.
    WinExec(program, static_cast<UINT>(show));
}

CUtilityCommands::CUtilityCommands()
{
    OnCommand(ID_APP_ABOUT, [this] { OnAbout(); });
    OnCommand(ID_CALCULATOR, [this] { OnCalculator(); });
    OnCommand(ID_ASCII_TABLE, [this] { OnAsciiTable(); });
    OnCommand(ID_HELP_HOMEPAGE, [this] { OnHelpPage(IDS_URL_HOMEPAGE); });
    OnCommand(ID_HELP_SUGGEST, [this] { OnHelpPage(IDS_URL_SUGGEST); });
    OnCommand(ID_HELP_QUESTIONS, [this] { OnHelpPage(IDS_URL_QUESTIONS); });
}

void CUtilityCommands::OnAbout()
{
    CAboutBox box;
    box.m_strText = CAboutBox::ContactText();
    box.DoModal(FxGetMainWnd());
}

void CUtilityCommands::OnCalculator() { m_launchers.pfnStartProgram("Calc.exe", SW_SHOW); }

void CUtilityCommands::OnAsciiTable()
{
    CAsciiTableDlg dlg;
    dlg.DoModal(FxGetMainWnd());
}

void CUtilityCommands::OnHelpPage(UINT addressId)
{
    // An address a distributor removed from the string table opens nothing: the shell would
    // take an empty address for the current folder.
    const std::string address = FxLoadString(addressId);
    if (!address.empty()) m_launchers.pfnOpenPage(address.c_str());
}
