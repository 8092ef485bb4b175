// Status bar with a message pane and indicator panes whose widths follow their resource texts.
#pragma once
#include "fx/fx_controlbar.h"
#include <string>
#include <vector>

class FxStatusBar : public FxControlBar {
public:
    [[nodiscard]] bool Create(FxMDIFrame* frame, UINT id);
    // Pane 0 (id 0) is the message area; every other id names a string whose text sets the
    // pane's width and is its initial text.
    [[nodiscard]] bool SetIndicators(const UINT* ids, size_t count);
    size_t GetPaneCount() const { return m_panes.size(); }
    UINT GetPaneId(size_t index) const { return m_panes[index].id; }
    void SetPaneText(size_t index, const char* text);
    // What the pane shows now: its text, or nothing while it is disabled.
    std::string GetShownText(size_t index) const;
    void SetMessageText(const char* text) { SetPaneText(0, text); }
    int GetExtent() const override;
    void OnIdleUpdate() override;
    void Relayout();

private:
    struct Pane {
        UINT id;
        std::string text;
        bool enabled = true;
        int width = 0;
    };
    void Show(size_t index);
    std::vector<Pane> m_panes;
};
