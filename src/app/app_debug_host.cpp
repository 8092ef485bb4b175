#include "app/app_debug_host.h"

#include "app/halyard_app.h"
#include "frame/main_frame.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_view.h"
#include "toolchain/halyard_doc.h"

FxMDIFrame* CAppDebugHost::Frame() const { return m_app.GetMainFrame(); }

CHalyardDoc* CAppDebugHost::ActiveDocument() const { return m_app.GetActiveEditorDocument(); }

std::vector<CHalyardDoc*> CAppDebugHost::Documents() const
{
    std::vector<CHalyardDoc*> docs;
    if (!m_app.GetDocManager() || m_app.GetDocManager()->GetTemplates().empty()) return docs;
    for (FxDocument* doc : m_app.GetDocManager()->GetTemplates().front()->GetDocuments())
        if (auto* hdoc = dynamic_cast<CHalyardDoc*>(doc)) docs.push_back(hdoc);
    return docs;
}

// An open document's window comes to the front unless it is already the active one.
CHalyardDoc* CAppDebugHost::OpenSource(const std::string& path)
{
    for (CHalyardDoc* doc : Documents()) {
        if (lstrcmpiA(doc->m_strFullPath.c_str(), path.c_str()) != 0) continue;
        CMainFrame* frame = m_app.GetMainFrame();
        if (frame && doc != ActiveDocument() && !doc->GetViews().empty())
            if (FxMDIChild* child = doc->GetViews().front()->GetParentFrame())
                SendMessageA(frame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
        return doc;
    }
    return dynamic_cast<CHalyardDoc*>(m_app.GetDocManager()->OpenDocumentFile(path.c_str()));
}

HWND CAppDebugHost::OutputPane() const { return m_app.GetOutputPane(); }

const char* CAppDebugHost::InstallDir() const { return m_app.GetInstallDir(); }

bool CAppDebugHost::SessionOpen() const { return m_app.m_sessionCommands.Session().IsOpen(); }

bool CAppDebugHost::DebugInSession(const std::string& program, const std::string& pipe, std::string& error)
{
    return m_app.m_sessionCommands.DebugInSession(program, pipe, error);
}
