#include "snippets/name_prompt_dlg.h"
#include "core/snippets/snippet_name.h"
#include "fx/fx_app.h"
#include "resource.h"

CNamePromptDlg::CNamePromptDlg() : FxDialog(IDD_NAME_PROMPT) {}

bool CNamePromptDlg::Exchange(bool bSave)
{
    if (!bSave) {
        SetItemText(IDC_SEGMENT_NAME, m_strName);
        return true;
    }
    const std::string name = GetItemText(IDC_SEGMENT_NAME);
    std::string bad;
    UINT message = IDS_SEGMENT_NO_NAME;
    const char* shown = name.c_str();
    switch (CheckSnippetName(name, bad)) {
    case SnippetNameCheck::Ok:
        m_strName = name;
        return true;
    case SnippetNameCheck::Empty: break;
    case SnippetNameCheck::BadCharacters:
        message = IDS_SEGMENT_BAD_CHARACTERS;
        shown = bad.c_str();
        break;
    case SnippetNameCheck::BadEnd: message = IDS_SEGMENT_BAD_END; break;
    case SnippetNameCheck::Reserved: message = IDS_SEGMENT_RESERVED; break;
    }
    FxMessageBox(FxFormatString(message, shown).c_str(), "Error:", MB_OK);
    SetFocus(GetItem(IDC_SEGMENT_NAME));
    return false;
}
