#include "fx/fx_docmanager.h"
#include "fx/fx_app.h"
#include "fx/fx_doc.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_path.h"
#include "fx/fx_mdiframe.h"
#include "fx/fx_view.h"
#include "resource.h"
#include <commdlg.h>

FxDocManager::~FxDocManager()
{
    for (FxDocTemplate* t : m_templates) delete t;
}

void FxDocManager::AddDocTemplate(FxDocTemplate* tmpl)
{
    tmpl->SetDocManager(this);
    m_templates.push_back(tmpl);
}

HWND FxDocManager::GetPromptOwner() const
{
    return m_pApp && m_pApp->GetMainFrame() ? m_pApp->GetMainFrame()->m_hWnd : nullptr;
}

bool FxDocManager::DoPromptFileName(std::string& fileName, UINT titleId, DWORD flags, bool open, FxDocTemplate*)
{
    char buffer[MAX_PATH] = {};
    std::string title = FxLoadString(titleId);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetPromptOwner();
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = flags | OFN_HIDEREADONLY;
    BOOL ok = open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (ok) fileName = buffer;
    return ok != FALSE;
}

void FxDocManager::OnFileNew()
{
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void FxDocManager::OnFileOpen()
{
    std::string name;
    if (!DoPromptFileName(name, IDS_OPEN_FILE_TITLE, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, true, nullptr)) return;
    OpenDocumentFile(name.c_str());
}

FxDocument* FxDocManager::OpenDocumentFile(const char* path)
{
    if (m_templates.empty()) return nullptr;
    const std::string wanted = FxFullPath(path);
    if (FxDocument* doc = FindOpenDocument(wanted)) {
        if (!doc->GetViews().empty())
            if (FxMDIChild* frame = doc->GetViews().front()->GetParentFrame()) frame->ActivateFrame();
        return doc;
    }
    return m_templates.front()->OpenDocumentFile(wanted.c_str());
}

FxDocument* FxDocManager::FindOpenDocument(const std::string& path) const
{
    for (FxDocTemplate* t : m_templates)
        for (FxDocument* doc : t->GetDocuments())
            if (FxSamePath(doc->GetPathName(), path)) return doc;
    return nullptr;
}

bool FxDocManager::SaveAllModified()
{
    for (FxDocTemplate* t : m_templates)
        for (FxDocument* doc : t->GetDocuments())
            if (!doc->SaveModified()) return false;
    return true;
}

void FxDocManager::CloseAllDocuments()
{
    for (FxDocTemplate* t : m_templates)
        while (!t->GetDocuments().empty()) t->GetDocuments().front()->OnCloseDocument();
}

int FxDocManager::GetOpenDocumentCount() const
{
    int n = 0;
    for (FxDocTemplate* t : m_templates) n += static_cast<int>(t->GetDocuments().size());
    return n;
}
