#include "editor/find_dialog.h"

#include "core/editor/search.h"
#include "editor/find_message.h"
#include "editor/view_site.h"
#include "resource.h"

CFindDialog::CFindDialog(CViewSite& view) : FxDialog(IDD_FIND), m_view(view) {}

uint32_t CFindDialog::Flags() const
{
    return (m_options.bMatchCase ? FIND_MATCH_CASE : 0) | (m_options.bWholeWord ? FIND_WHOLE_WORD : 0) |
           (m_nDirection == DIRECTION_UP ? FIND_DIRECTION_UP : 0);
}

bool CFindDialog::OnInitDialog()
{
    FxDialog::OnInitDialog();
    EnableFindNext();
    return true;
}

bool CFindDialog::Exchange(bool bSave)
{
    if (bSave) {
        m_options.strFind = GetItemText(IDC_FIND_WHAT);
        m_options.bWholeWord = IsChecked(IDC_WHOLE_WORD);
        m_options.bMatchCase = IsChecked(IDC_MATCH_CASE);
        m_nDirection = GetRadio(IDC_DIRECTION_UP, IDC_DIRECTION_DOWN) == DIRECTION_UP ? DIRECTION_UP : DIRECTION_DOWN;
    } else {
        SetItemText(IDC_FIND_WHAT, m_options.strFind);
        SetChecked(IDC_WHOLE_WORD, m_options.bWholeWord);
        SetChecked(IDC_MATCH_CASE, m_options.bMatchCase);
        SetRadio(IDC_DIRECTION_UP, IDC_DIRECTION_DOWN, m_nDirection);
    }
    return true;
}

bool CFindDialog::OnDialogCommand(UINT id, UINT code)
{
    if (id == IDC_FIND_WHAT && code == EN_CHANGE) {
        EnableFindNext();
        return true;
    }
    if (id == IDOK) {
        // Enter reaches here even while the button is disabled.
        if (IsItemEnabled(IDOK))
            OnFindNext();
        return true;
    }
    if (id == IDCANCEL) {
        UpdateData(true);
        EndDialog(IDCANCEL);
        return true;
    }
    return false;
}

void CFindDialog::EnableFindNext() { EnableItem(IDOK, GetWindowTextLengthA(GetItem(IDC_FIND_WHAT)) > 0); }

void CFindDialog::OnFindNext()
{
    if (!UpdateData(true))
        return;
    const CTextBuffer* pBuffer = m_view.GetBuffer();
    TextPosition found;
    if (!pBuffer || !SearchText(*pBuffer, m_options.strFind, m_ptCurrent, Flags(), true, found)) {
        ReportTextNotFound(m_options.strFind);
        m_ptCurrent = {0, 0};
        return;
    }
    m_view.SelectFound(found, static_cast<int>(m_options.strFind.size()));
    EndDialog(IDOK);
}
