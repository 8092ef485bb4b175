// The Find dialog (template 8601): the text, whole word, match case and the direction. "Find Next"
// searches the owner view from the current position round the text and closes when it finds the
// text; "Cancel" keeps what the controls hold, too.
#pragma once
#include <cstdint>

#include "core/buffer/text_position.h"
#include "editor/search_profile.h"
#include "fx/fx_dialog.h"

class CViewSite;

class CFindDialog : public FxDialog {
public:
    enum { DIRECTION_UP = 0, DIRECTION_DOWN = 1 };

    explicit CFindDialog(CViewSite& view);
    // Match case, whole word and direction up as search flags.
    uint32_t Flags() const;

    FindOptions m_options;
    int m_nDirection = DIRECTION_DOWN;
    TextPosition m_ptCurrent;  // where "Find Next" searches from

protected:
    bool OnInitDialog() override;
    bool OnDialogCommand(UINT id, UINT code) override;
    bool Exchange(bool bSave) override;

private:
    void OnFindNext();
    void EnableFindNext();

    CViewSite& m_view;
};
