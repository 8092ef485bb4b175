// The MDI child frame of every editor window: its client is a dynamic splitter of at most two rows
// and two columns of views of one document.
#pragma once
#include "fx/fx_splitter.h"

class CChildFrame : public FxMDIChild {
public:
    CChildFrame();
    bool OnCreateClient(FxCreateContext* context) override;

    FxSplitterWnd m_wndSplitter;

private:
    // Window > Split: an unsplit window splits into four panes at its centre; a split one goes
    // back to the single active pane.
    void ToggleSplit();
};
