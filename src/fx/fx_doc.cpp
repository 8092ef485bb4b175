#include "fx/fx_doc.h"
#include "fx/fx_handles.h"
#include "fx/fx_app.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_path.h"
#include "fx/fx_view.h"
#include "resource.h"
#include <algorithm>
#include <commdlg.h>

FxDocument::FxDocument()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(std::string()); });
    OnCommand(ID_FILE_CLOSE, [this] {
        if (SaveModified()) OnCloseDocument();
    });
}

FxDocument::~FxDocument()
{
    for (FxView* v : std::vector<FxView*>(m_views)) v->SetDocument(nullptr);
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void FxDocument::SetPathName(const std::string& path, bool addToRecent)
{
    m_strPathName = FxFullPath(path);
    size_t slash = m_strPathName.find_last_of("\\/");
    SetTitle(slash == std::string::npos ? m_strPathName : m_strPathName.substr(slash + 1));
    FxApp* app = m_pDocTemplate && m_pDocTemplate->GetDocManager() ? m_pDocTemplate->GetDocManager()->GetApp() : nullptr;
    if (addToRecent && app) app->AddToRecentFileList(m_strPathName);
}

void FxDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    UpdateFrameTitles();
}

void FxDocument::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified) return;
    m_bModified = modified;
    UpdateFrameTitles();
}

void FxDocument::UpdateFrameTitles()
{
    for (FxView* v : m_views)
        if (FxMDIChild* frame = v->GetParentFrame()) frame->OnUpdateFrameTitle();
}

bool FxDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool FxDocument::OnOpenDocument(const char* path)
{
    const FxHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        FxReportFileError(IDS_OPEN_FAILED, path, GetLastError());
        return false;
    }
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool FxDocument::OnSaveDocument(const char*) { return false; }

void FxDocument::OnCloseDocument()
{
    bool autoDelete = m_bAutoDelete;
    m_bAutoDelete = false;  // the last view's destruction must not delete us midway
    // Destroying one frame deletes every view inside it (all panes of a split window): the frames
    // are gathered while the views are all alive, and no view is looked at after the first close.
    std::vector<FxMDIChild*> frames;
    for (FxView* v : m_views)
        if (FxMDIChild* frame = v->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), frame) == frames.end()) frames.push_back(frame);
    for (FxMDIChild* frame : frames) frame->DestroyWindow();
    DeleteContents();
    if (autoDelete) delete this;
}

bool FxDocument::SaveModified()
{
    if (!IsModified()) return true;
    std::string name = m_strPathName.empty() ? m_strTitle : m_strPathName;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    int answer = FxMessageBox(FxFormatString(IDS_SAVE_CHANGES, name.c_str()).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    return DoFileSave();
}

bool FxDocument::DoSave(const std::string& path, bool replacePath)
{
    std::string target = path;
    if (target.empty()) {
        target = m_strPathName.empty() ? m_strTitle : m_strPathName;
        FxDocManager* mgr = m_pDocTemplate ? m_pDocTemplate->GetDocManager() : nullptr;
        if (!mgr || !mgr->DoPromptFileName(target, IDS_SAVE_FILE_TITLE, OFN_OVERWRITEPROMPT, false, m_pDocTemplate))
            return false;
    }
    if (!OnSaveDocument(target.c_str())) return false;
    if (replacePath) SetPathName(target);
    return true;
}

bool FxDocument::DoFileSave()
{
    DWORD attrs = m_strPathName.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(m_strPathName.c_str());
    // A read-only file on disk, or no path yet: ask for a name.
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) return DoSave(std::string());
    return DoSave(m_strPathName);
}

void FxDocument::AddView(FxView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void FxDocument::RemoveView(FxView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (m_views.empty() && m_bAutoDelete) OnCloseDocument();
    else UpdateFrameTitles();  // the windows left lose or renumber their ":n"
}
