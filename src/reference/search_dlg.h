// The "Search" page of the WorkSpace pane: looking up the 8086/8088 instruction set.
#pragma once
#include "fx/fx_dialog.h"

class CSearchDlg : public FxDialog {
public:
    CSearchDlg();
};
