// The debugger's view of the program: the main frame, the source documents of the document
// template, the Output pane and the installation folder.
#pragma once
#include "debugger/debug_host.h"

class CHalyardApp;

class CAppDebugHost : public CDebugHost {
public:
    explicit CAppDebugHost(CHalyardApp& app) : m_app(app) {}

    FxMDIFrame* Frame() const override;
    CHalyardDoc* ActiveDocument() const override;
    CHalyardDoc* OpenSource(const std::string& path) override;
    std::vector<CHalyardDoc*> Documents() const override;
    HWND OutputPane() const override;
    const char* InstallDir() const override;
    bool SessionOpen() const override;
    bool DebugInSession(const std::string& program, const std::string& pipe, std::string& error) override;

private:
    CHalyardApp& m_app;
};
