// Go to Definition (F12, and the editor's context menu) of an assembly view: the name at the caret
// is looked up among the labels, procedures, variables and constants its file defines, and the
// definition is selected and scrolled into view. When there is no name or no definition the
// status bar says so.
#pragma once
#include <functional>

#include "fx/fx_cmd.h"

class CViewSite;

class CGotoDefinition : public FxCmdTarget {
public:
    // `say` puts a line in the status bar.
    CGotoDefinition(CViewSite& view, std::function<void(const char*)> say);

    // True when the definition was found and selected.
    bool GoToDefinition();

private:
    CViewSite& m_view;
    std::function<void(const char*)> m_say;
};
