#include "fx/fx_doctemplate.h"
#include "fx/fx_app.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doc.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_mdiframe.h"

FxDocTemplate::FxDocTemplate(UINT resourceId, FxDocFactory doc, FxFrameFactory frame, FxViewFactory view)
    : m_nResourceId(resourceId), m_docFactory(doc), m_frameFactory(frame), m_viewFactory(view)
{
}

FxDocTemplate::~FxDocTemplate()
{
    while (!m_docs.empty()) {
        FxDocument* doc = m_docs.front();
        m_docs.pop_front();
        delete doc;
    }
    if (m_hMenuShared) DestroyMenu(m_hMenuShared);
}

bool FxDocTemplate::Load()
{
    m_hMenuShared = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nResourceId));
    m_strDocStrings = FxLoadString(m_nResourceId);
    return m_hMenuShared != nullptr && !m_strDocStrings.empty();
}

void FxDocTemplate::AddDocument(FxDocument* doc)
{
    doc->m_pDocTemplate = this;
    m_docs.push_back(doc);
}

void FxDocTemplate::RemoveDocument(FxDocument* doc)
{
    m_docs.remove(doc);
    doc->m_pDocTemplate = nullptr;
}

FxMDIChild* FxDocTemplate::CreateNewFrame(FxDocument* doc)
{
    FxApp* app = m_pDocManager ? m_pDocManager->GetApp() : nullptr;
    FxMDIFrame* main = app ? app->GetMainFrame() : nullptr;
    if (!main || !m_frameFactory) return nullptr;
    FxMDIChild* frame = m_frameFactory();
    FxCreateContext ctx{m_viewFactory, doc};
    if (!frame->LoadFrame(m_nResourceId, WS_OVERLAPPEDWINDOW, main, &ctx)) return nullptr;  // frame deleted itself
    return frame;
}

void FxDocTemplate::DestroyFailed(FxDocument* doc, FxMDIChild* frame)
{
    doc->m_bAutoDelete = false;  // losing its views must not delete it a second time
    if (frame) frame->DestroyWindow();
    delete doc;
}

FxMDIChild* FxDocTemplate::OpenNewWindow(FxDocument* doc)
{
    FxMDIChild* frame = doc ? CreateNewFrame(doc) : nullptr;
    if (!frame) return nullptr;
    frame->InitialUpdateFrame(doc, true);
    doc->UpdateFrameTitles();
    return frame;
}

FxDocument* FxDocTemplate::OpenDocumentFile(const char* path, bool makeVisible)
{
    FxDocument* doc = m_docFactory();
    AddDocument(doc);
    FxMDIChild* frame = CreateNewFrame(doc);
    if (!frame) {
        DestroyFailed(doc, nullptr);
        return nullptr;
    }
    bool ok = path ? doc->OnOpenDocument(path) : doc->OnNewDocument();
    if (!ok) {
        DestroyFailed(doc, frame);
        return nullptr;
    }
    if (path) doc->SetPathName(path);
    else doc->SetTitle(GetDocString(DocStringIndex::DocName));
    frame->InitialUpdateFrame(doc, makeVisible);
    return doc;
}
