#include "app/doc_manager_ex.h"
#include "fx/fx_app.h"
#include "fx/fx_doctemplate.h"
#include "resource.h"
#include <memory>

CFileDialogEx* CDocManagerEx::NewFileDialog(bool open)
{
    return new CFileDialogEx(open, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr);
}

FileFilter CDocManagerEx::BuildFilter(FxDocTemplate* tmpl) const
{
    std::vector<FileFilterSource> sources;
    auto add = [&sources](FxDocTemplate* t) {
        sources.push_back({t->GetDocString(DocStringIndex::FilterName), t->GetDocString(DocStringIndex::FilterExt)});
    };
    if (tmpl) add(tmpl);
    else
        for (FxDocTemplate* t : GetTemplates()) add(t);
    return BuildFileFilter(sources, FxLoadString(IDS_ALL_FILES_FILTER));
}

bool CDocManagerEx::DoPromptFileName(std::string& fileName, UINT titleId, DWORD flags, bool open, FxDocTemplate* tmpl)
{
    std::unique_ptr<CFileDialogEx> dlg(NewFileDialog(open));
    std::string title = FxLoadString(titleId);
    dlg->m_ofn.Flags |= flags;
    FileFilter filter = BuildFilter(tmpl);
    dlg->m_ofn.lpstrFilter = filter.text.c_str();
    dlg->m_ofn.nFilterIndex = static_cast<DWORD>(filter.filterIndex);
    dlg->m_ofn.lpstrDefExt = filter.defaultExtension.empty() ? nullptr : filter.defaultExtension.c_str();
    dlg->m_ofn.lpstrTitle = title.c_str();
    dlg->m_ofn.hwndOwner = FxGetMainWnd();
    char buffer[MAX_PATH] = {};
    lstrcpynA(buffer, fileName.c_str(), sizeof buffer);
    dlg->m_ofn.lpstrFile = buffer;
    dlg->m_ofn.nMaxFile = sizeof buffer;
    if (dlg->DoModal() != IDOK) return false;
    fileName = buffer;
    return true;
}
