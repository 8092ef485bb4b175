// Toolbar from a button-list resource and a bitmap strip; states come from update handlers.
#pragma once
#include "fx/fx_controlbar.h"
#include "fx/fx_handles.h"
#include <commctrl.h>
#include <vector>

class FxToolBar : public FxControlBar {
public:
    [[nodiscard]] bool Create(FxMDIFrame* frame, UINT id);
    // Loads RCDATA `resourceId` (image width, image height, then the command ids; 0 is a
    // separator) and the bitmap of the same id, whose magenta pixels are transparent.
    [[nodiscard]] bool LoadToolBar(UINT resourceId);
    const std::vector<UINT>& GetButtons() const { return m_buttons; }
    int GetExtent() const override;
    void OnIdleUpdate() override;
    // Command id of the button at a client point, 0 when none.
    UINT CommandAt(POINT pt) const;

private:
    std::vector<UINT> m_buttons;
    FxImageList m_images;
};
