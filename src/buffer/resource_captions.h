#pragma once
// Undo and redo captions loaded from the program's string table.
#include <windows.h>

#include "core/buffer/action_captions.h"

class CResourceCaptions final : public CCaptionLoader {
public:
    explicit CResourceCaptions(HINSTANCE hInstance) : m_hInstance(hInstance) {}

    // False for a missing string, and for one too long for the caption buffer (never cut short).
    bool LoadCaption(int nStringId, std::string& text) const override;

private:
    HINSTANCE m_hInstance;
};
