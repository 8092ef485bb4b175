// What the debugger asks of the program around it: the main window, the source documents, the
// Output pane and the installation folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CHalyardDoc;
class FxMDIFrame;

class CDebugHost {
public:
    virtual FxMDIFrame* Frame() const = 0;
    // The document of the active editor window, or null.
    virtual CHalyardDoc* ActiveDocument() const = 0;
    // The document of `path`, opened (or its window activated) for the current line; null when
    // it cannot be opened.
    virtual CHalyardDoc* OpenSource(const std::string& path) = 0;
    virtual std::vector<CHalyardDoc*> Documents() const = 0;
    virtual HWND OutputPane() const = 0;
    // Without a trailing backslash.
    virtual const char* InstallDir() const = 0;
    // Whether a DOS session window is open, whose PC can run the program for the debugger.
    virtual bool SessionOpen() const { return false; }
    // Types `program` at that session's prompt for the debugger on `pipe`.
    [[nodiscard]] virtual bool DebugInSession(const std::string& program, const std::string& pipe, std::string& error)
    {
        (void)program;
        (void)pipe;
        error = "no DOS session is open";
        return false;
    }

protected:
    ~CDebugHost() = default;
};
