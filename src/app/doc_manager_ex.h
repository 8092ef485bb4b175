// The document manager of Halyard: its file prompt filters on the template's file type.
#pragma once
#include "app/file_dialog_ex.h"
#include "core/app/doc_strings.h"
#include "fx/fx_docmanager.h"

class CDocManagerEx : public FxDocManager {
public:
    bool DoPromptFileName(std::string& fileName, UINT titleId, DWORD flags, bool open, FxDocTemplate* tmpl) override;
    // A new prompt of the given kind, owned by the caller.
    virtual CFileDialogEx* NewFileDialog(bool open);
    // The filter the prompt shows (name, NUL, pattern, NUL pairs) and its default extension.
    FileFilter BuildFilter(FxDocTemplate* tmpl) const;
};
