// The "Project" page of the New dialog (template 140): not available yet. It shows the processor
// list and does nothing else; OK with this page visible creates nothing.
#pragma once
#include "fx/fx_dialog.h"

class CNewProjectPage : public FxDialog {
public:
    CNewProjectPage();

protected:
    bool OnInitDialog() override;
};
