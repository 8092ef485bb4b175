#include "editor/replace_dialog.h"

#include "editor/find_message.h"
#include "editor/view_site.h"
#include "resource.h"

CReplaceDialog::CReplaceDialog(CViewSite& view, const CTextBuffer& buffer)
    : FxDialog(IDD_REPLACE), m_view(view), m_session(buffer, *this)
{
}

bool CReplaceDialog::OnInitDialog()
{
    FxDialog::OnInitDialog();
    EnableItem(IDC_SCOPE_SELECTION, m_session.IsScopeSelectionEnabled());
    EnableButtons();
    return true;
}

bool CReplaceDialog::Exchange(bool bSave)
{
    const int kFirstScope = IDC_SCOPE_SELECTION;
    if (bSave) {
        m_session.m_strFind = GetItemText(IDC_FIND_WHAT);
        m_session.m_strReplace = GetItemText(IDC_REPLACE_WITH);
        m_session.m_bWholeWord = IsChecked(IDC_WHOLE_WORD);
        m_session.m_bMatchCase = IsChecked(IDC_MATCH_CASE);
        m_session.m_nScope = GetRadio(kFirstScope, IDC_SCOPE_WHOLE_FILE) == SCOPE_SELECTION ? SCOPE_SELECTION
                                                                                            : SCOPE_WHOLE_FILE;
    } else {
        SetItemText(IDC_FIND_WHAT, m_session.m_strFind);
        SetItemText(IDC_REPLACE_WITH, m_session.m_strReplace);
        SetChecked(IDC_WHOLE_WORD, m_session.m_bWholeWord);
        SetChecked(IDC_MATCH_CASE, m_session.m_bMatchCase);
        SetRadio(kFirstScope, IDC_SCOPE_WHOLE_FILE, m_session.m_nScope);
    }
    return true;
}

// An empty search text finds nothing to replace: Replace All would match at one place for ever.
void CReplaceDialog::EnableButtons()
{
    const bool bText = GetWindowTextLengthA(GetItem(IDC_FIND_WHAT)) > 0;
    for (int id : {IDC_FIND_NEXT, IDC_REPLACE, IDC_REPLACE_ALL})
        EnableItem(id, bText);
}

bool CReplaceDialog::OnDialogCommand(UINT id, UINT code)
{
    if (id == IDC_FIND_WHAT && code == EN_CHANGE) {
        EnableButtons();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (id == IDCANCEL) {
        UpdateData(true);
        EndDialog(IDCANCEL);
        return true;
    }
    // Enter sends IDOK while the default button is disabled: nothing to do then.
    if (id == IDOK || !IsItemEnabled(static_cast<int>(id)) || !UpdateData(true))
        return true;
    switch (id) {
    case IDC_FIND_NEXT:
        m_session.FindNext();
        return true;
    case IDC_REPLACE:
        m_session.Replace();
        return true;
    case IDC_REPLACE_ALL:
        OnReplaceAll();
        return true;
    default:
        return false;
    }
}

void CReplaceDialog::OnReplaceAll()
{
    m_bReportHeld = false;
    {
        CBulkEdit bulk(m_view);
        m_bHoldReport = true;
        m_session.ReplaceAll();
        m_bHoldReport = false;
    }
    if (m_bReportHeld)
        ReportTextNotFound(m_session.m_strFind);
}

void CReplaceDialog::SelectFound(TextPosition start, int length) { m_view.SelectFound(start, length); }

bool CReplaceDialog::ReplaceSelectedText(std::string_view text, TextRange& inserted)
{
    return m_view.ReplaceSelectedText(text, inserted);
}

void CReplaceDialog::ReportNotFound(const std::string& what)
{
    if (m_bHoldReport)
        m_bReportHeld = true;
    else
        ReportTextNotFound(what);
}
