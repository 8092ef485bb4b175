// The "SegmentView" page of the WorkSpace pane: the library of code snippets.
#pragma once
#include "fx/fx_dialog.h"

class CSegmentViewDlg : public FxDialog {
public:
    CSegmentViewDlg();
};
