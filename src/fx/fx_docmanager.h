// The application's document templates, the open prompt and the document-wide operations.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class FxApp;
class FxDocTemplate;
class FxDocument;

class FxDocManager {
public:
    virtual ~FxDocManager();
    void AddDocTemplate(FxDocTemplate* tmpl);  // takes ownership
    // The application that owns this manager: its main frame holds the documents' windows and
    // owns the prompts, its recent-file list hears of every path a document takes.
    void SetApp(FxApp* app) { m_pApp = app; }
    FxApp* GetApp() const { return m_pApp; }
    HWND GetPromptOwner() const;
    const std::vector<FxDocTemplate*>& GetTemplates() const { return m_templates; }

    // The prompt of File Open and Save As; true on OK with `fileName` filled.
    virtual bool DoPromptFileName(std::string& fileName, UINT titleId, DWORD flags, bool open, FxDocTemplate* tmpl);

    void OnFileNew();
    void OnFileOpen();
    // An already open document of the same path is activated instead of being opened twice.
    FxDocument* OpenDocumentFile(const char* path);
    // The open document of the file `path` names in any spelling (relative, short name, any
    // letter case), or null.
    FxDocument* FindOpenDocument(const std::string& path) const;
    bool SaveAllModified();
    void CloseAllDocuments();
    int GetOpenDocumentCount() const;

private:
    std::vector<FxDocTemplate*> m_templates;
    FxApp* m_pApp = nullptr;
};
