// A multiple-document template: the document, frame and view classes of one kind of file, its
// shared menu and its template string.
#pragma once
#include "fx/fx_view.h"
#include "core/app/doc_strings.h"
#include <list>
#include <string>

class FxDocument;
class FxMDIChild;

using FxDocFactory = FxDocument* (*)();
using FxFrameFactory = FxMDIChild* (*)();

class FxDocManager;

class FxDocTemplate {
public:
    FxDocTemplate(UINT resourceId, FxDocFactory doc, FxFrameFactory frame, FxViewFactory view);
    ~FxDocTemplate();
    FxDocTemplate(const FxDocTemplate&) = delete;
    FxDocTemplate& operator=(const FxDocTemplate&) = delete;

    // Loads the menu and the template string of the resource id.
    [[nodiscard]] bool Load();
    std::string GetDocString(DocStringIndex index) const { return ::GetDocString(m_strDocStrings, index); }
    HMENU GetMenu() const { return m_hMenuShared; }
    UINT GetResourceId() const { return m_nResourceId; }

    // Opens `path` in a new document and frame; with no path runs the new-document step. Returns
    // the document, or null when any step failed (everything made on the way is destroyed).
    FxDocument* OpenDocumentFile(const char* path, bool makeVisible = true);
    // Another window on `doc`, made active; null when it cannot be made.
    FxMDIChild* OpenNewWindow(FxDocument* doc);
    const std::list<FxDocument*>& GetDocuments() const { return m_docs; }
    void AddDocument(FxDocument* doc);
    // The manager that owns this template (set when it is added to one).
    void SetDocManager(FxDocManager* manager) { m_pDocManager = manager; }
    FxDocManager* GetDocManager() const { return m_pDocManager; }
    void RemoveDocument(FxDocument* doc);

private:
    FxMDIChild* CreateNewFrame(FxDocument* doc);
    void DestroyFailed(FxDocument* doc, FxMDIChild* frame);

    UINT m_nResourceId;
    FxDocFactory m_docFactory;
    FxFrameFactory m_frameFactory;
    FxViewFactory m_viewFactory;
    HMENU m_hMenuShared = nullptr;
    std::string m_strDocStrings;
    std::list<FxDocument*> m_docs;
    FxDocManager* m_pDocManager = nullptr;
};
