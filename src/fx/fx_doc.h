// Document base: path, title, modified flag, its views, and the open/save/close protocol.
#pragma once
#include "fx/fx_cmd.h"
#include <string>
#include <vector>

class FxDocTemplate;
class FxView;

class FxDocument : public FxCmdTarget {
public:
    FxDocument();
    ~FxDocument() override;

    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path, the title (the file name) and adds the path to the recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    bool IsModified() const { return m_bModified; }
    // The frames' titles show " *" while the document is modified.
    void SetModifiedFlag(bool modified = true);

    virtual bool OnNewDocument();
    // Base: checks that the file can be opened for reading (reporting the system's reason when it
    // cannot), then empties the document.
    virtual bool OnOpenDocument(const char* path);
    virtual bool OnSaveDocument(const char* path);
    virtual void DeleteContents() {}
    // Destroys every frame of the document, then the document itself.
    virtual void OnCloseDocument();
    // Called when a frame of this document becomes the active one.
    virtual void OnActivate() {}

    // Asks "Save changes to ...?" when modified; false when the user cancels or saving fails.
    virtual bool SaveModified();
    // Save to `path`, or ask for a name (Save As) when `path` is empty.
    bool DoSave(const std::string& path, bool replacePath = true);
    bool DoFileSave();

    void AddView(FxView* view);
    void RemoveView(FxView* view);
    const std::vector<FxView*>& GetViews() const { return m_views; }
    FxDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void UpdateFrameTitles();

    bool m_bAutoDelete = true;

private:
    friend class FxDocTemplate;
    FxDocTemplate* m_pDocTemplate = nullptr;
    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    std::vector<FxView*> m_views;
};
