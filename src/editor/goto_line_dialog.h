// The Go to Line dialog: asks for a line number from 1 to the view's line count. OK with a number
// outside that range (or none) keeps the dialog open and says which numbers are allowed.
#pragma once
#include "fx/fx_dialog.h"

class CGotoLineDialog : public FxDialog {
public:
    // `lineCount` at least 1; the box starts with `current` (one-based).
    CGotoLineDialog(int lineCount, int current);

    int m_nLine;  // one-based; valid after IDOK

protected:
    bool OnInitDialog() override;
    bool Exchange(bool bSave) override;

private:
    int m_nLineCount;
};
