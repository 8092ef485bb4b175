// What a document asks of the program around it: the shared Output pane, the installation folder
// the tools lie below, the mode bar's controls and the WorkSpace tree. A document without a host
// (a document made on its own, as the tests do) starts no interpreter and shows nothing.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CDocumentHost {
public:
    virtual HWND GetOutputPane() const = 0;
    // Without a trailing backslash; never null.
    virtual const char* GetInstallDir() const = 0;
    virtual HWND GetModeBarItem(int id) const = 0;
    virtual void ShowPanes(bool show) = 0;
    // A file's item in the WorkSpace tree; null when there is no tree.
    virtual HTREEITEM AddDocumentItem(const char* text) = 0;
    virtual void RenameDocumentItem(HTREEITEM item, const char* text) = 0;

protected:
    ~CDocumentHost() = default;
};
