// What a document asks of the program around it: the shared Output pane, the installation folder
// the tools lie below, the mode bar's controls and the WorkSpace tree. A document without a host
// (a document made on its own, as the tests do) starts no interpreter and shows nothing.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

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
    // A closed file's breakpoints (0-based lines), given back when it opens again.
    virtual void KeepBreakpoints(const std::string& path, std::vector<int> lines) { (void)path, (void)lines; }
    virtual std::vector<int> KeptBreakpointsOf(const std::string& path) const { return (void)path, std::vector<int>(); }

protected:
    ~CDocumentHost() = default;
};
