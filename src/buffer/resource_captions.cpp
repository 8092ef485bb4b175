#include "buffer/resource_captions.h"

#include <exception>

#include "core/buffer/undo_history.h"
#include "resource.h"

// The core knows the string ids by number; they must be the ones of the resource header.
static_assert(STRING_UNDO_ACTION == IDS_EDIT_UNDO_ACTION && STRING_REDO_ACTION == IDS_EDIT_REDO_ACTION &&
                  STRING_UNDO_PLAIN == IDS_EDIT_UNDO && STRING_REDO_PLAIN == IDS_EDIT_REDO,
              "menu caption ids");
static_assert(ActionStringId(ACTION_UNKNOWN) == IDS_ACTION_UNKNOWN && ActionStringId(ACTION_PASTE) == IDS_ACTION_PASTE &&
                  ActionStringId(ACTION_DELSEL) == IDS_ACTION_DELSEL && ActionStringId(ACTION_CUT) == IDS_ACTION_CUT &&
                  ActionStringId(ACTION_TYPING) == IDS_ACTION_TYPING &&
                  ActionStringId(ACTION_BACKSPACE) == IDS_ACTION_BACKSPACE &&
                  ActionStringId(ACTION_INDENT) == IDS_ACTION_INDENT &&
                  ActionStringId(ACTION_DRAGDROP) == IDS_ACTION_DRAGDROP &&
                  ActionStringId(ACTION_REPLACE) == IDS_ACTION_REPLACE &&
                  ActionStringId(ACTION_DELETE) == IDS_ACTION_DELETE &&
                  ActionStringId(ACTION_AUTOINDENT) == IDS_ACTION_AUTOINDENT,
              "action caption ids");

bool CResourceCaptions::LoadCaption(int nStringId, std::string& text) const
{
    char szText[256];
    const int nLength = LoadStringA(m_hInstance, static_cast<UINT>(nStringId), szText, sizeof szText);
    if (nLength <= 0 || nLength >= static_cast<int>(sizeof szText) - 1)
        return false;
    try {
        text.assign(szText, static_cast<size_t>(nLength));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
