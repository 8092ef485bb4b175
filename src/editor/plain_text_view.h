// A read-only view of a document's text, line by line in a fixed-pitch font.
#pragma once
#include "fx/fx_view.h"

class CPlainTextView : public FxView {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc);
};
