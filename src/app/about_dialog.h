// The About box: the version line, our notice, and the contact text in a read-only edit that can
// still be selected and copied.
#pragma once
#include "fx/fx_dialog.h"
#include <string>

class CAboutBox : public FxDialog {
public:
    CAboutBox();
    // The version line followed by the contact text of the string table, lines ended by CR LF.
    static std::string ContactText();

    std::string m_strText;   // shown in the edit control

protected:
    bool OnInitDialog() override;
    bool Exchange(bool bSave) override;
};
