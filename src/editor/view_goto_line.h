// Go to Line (Ctrl+G) of one text view: asks for a line number and puts the caret at the start of
// that line, scrolled into view.
#pragma once
#include "fx/fx_cmd.h"

class CViewSite;

class CViewGotoLine : public FxCmdTarget {
public:
    explicit CViewGotoLine(CViewSite& view);

private:
    void OnGotoLine();

    CViewSite& m_view;
};
