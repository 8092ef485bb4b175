// The ASCII code table: one picture (bitmap 146) over the whole client area; Escape, OK and the
// close box end it.
#pragma once
#include "fx/fx_dialog.h"

class CAsciiTableDlg : public FxDialog {
public:
    CAsciiTableDlg();

protected:
    bool OnInitDialog() override;
};
