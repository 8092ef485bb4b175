// The prompt for a new snippet's name (dialog 153, "Please Input name:"). OK keeps the dialog open,
// with a message, while the name cannot be a snippet file: empty, characters a file name cannot
// hold, a dot or blank at the end, a device name.
#pragma once
#include "fx/fx_dialog.h"
#include <string>

class CNamePromptDlg : public FxDialog {
public:
    CNamePromptDlg();
    std::string m_strName;

protected:
    bool Exchange(bool bSave) override;
};
