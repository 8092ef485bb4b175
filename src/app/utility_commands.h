// The small commands of the application that touch no document: the About box, the system
// calculator, the ASCII code table and the pages of the Help menu.
#pragma once
#include "fx/fx_cmd.h"

// How the commands reach outside programs; tests put recorders in their place.
struct CUtilityLaunchers {
    // Asks the shell to "open" `address` (the system's browser shows a page). Unchecked.
    void (*pfnOpenPage)(const char* address);
    // Starts `program`, found on the system path, with show state `show`. Unchecked, unwaited.
    void (*pfnStartProgram)(const char* program, int show);
};

// The launchers that really start programs.
void ShellOpenPage(const char* address);
void StartProgram(const char* program, int show);

class CUtilityCommands : public FxCmdTarget {
public:
    CUtilityCommands();
    void SetLaunchers(const CUtilityLaunchers& launchers) { m_launchers = launchers; }

private:
    void OnAbout();
    void OnCalculator();
    void OnAsciiTable();
    // Opens the page whose address string `addressId` of the string table holds.
    void OnHelpPage(UINT addressId);

    CUtilityLaunchers m_launchers{ShellOpenPage, StartProgram};
};
