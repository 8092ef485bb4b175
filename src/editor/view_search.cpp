#include "editor/view_search.h"

#include "core/editor/search.h"
#include "editor/find_dialog.h"
#include "editor/find_message.h"
#include "editor/replace_dialog.h"
#include "editor/view_site.h"
#include "fx/fx_settings.h"
#include "resource.h"

namespace {

// The selected text when the selection lies within one line, else empty.
std::string SelectedLinePart(const CViewSite& view)
{
    const TextRange selection = view.GetSelection();
    const CTextBuffer* pBuffer = view.GetBuffer();
    if (!pBuffer || selection.IsEmpty() || selection.start.y != selection.end.y)
        return std::string();
    return std::string(pBuffer->GetLine(selection.start.y)
                           .substr(static_cast<size_t>(selection.start.x),
                                   static_cast<size_t>(selection.end.x - selection.start.x)));
}

void PrepareReplace(CReplaceSession& session, const ReplaceOptions& options)
{
    session.m_bMatchCase = options.bMatchCase;
    session.m_bWholeWord = options.bWholeWord;
    session.m_strFind = options.strFind;
    session.m_strReplace = options.strReplace;
}

ReplaceOptions OptionsOf(const CReplaceSession& session)
{
    ReplaceOptions options;
    options.bMatchCase = session.m_bMatchCase;
    options.bWholeWord = session.m_bWholeWord;
    options.strFind = session.m_strFind;
    options.strReplace = session.m_strReplace;
    return options;
}

} // namespace

CViewSearch::CViewSearch(CViewSite& view) : m_view(view)
{
    OnCommand(ID_EDIT_FIND, [this] { OnFind(); });
    OnCommand(ID_EDIT_REPEAT, [this] { OnFindAgain(false); });
    OnCommand(ID_EDIT_FIND_PREVIOUS, [this] { OnFindAgain(true); });
    OnCommand(ID_EDIT_REPLACE, [this] { OnReplace(); });
    auto enableRepeat = [this](FxCmdUI& ui) { ui.Enable(m_bLastSearchValid); };
    OnUpdate(ID_EDIT_REPEAT, enableRepeat);
    OnUpdate(ID_EDIT_FIND_PREVIOUS, enableRepeat);
}

void CViewSearch::OnFind()
{
    CFindDialog dialog(m_view);
    if (m_bLastSearchValid) {
        dialog.m_options.strFind = m_strLastText;
        dialog.m_options.bMatchCase = (m_dwLastFlags & FIND_MATCH_CASE) != 0;
        dialog.m_options.bWholeWord = (m_dwLastFlags & FIND_WHOLE_WORD) != 0;
        dialog.m_nDirection = (m_dwLastFlags & FIND_DIRECTION_UP) ? CFindDialog::DIRECTION_UP
                                                                  : CFindDialog::DIRECTION_DOWN;
    } else if (const FxSettings* settings = m_view.GetSettings()) {
        dialog.m_options = LoadFindOptions(*settings);
    }
    const std::string selected = SelectedLinePart(m_view);
    if (!selected.empty())
        dialog.m_options.strFind = selected;
    dialog.m_ptCurrent = m_view.GetCaret();
    {
        CInactiveSelectionShown shown(m_view);
        if (dialog.DoModal(m_view.GetWindow()) == -1)
            return;
    }
    m_bLastSearchValid = true;
    m_strLastText = dialog.m_options.strFind;
    m_dwLastFlags = dialog.Flags();
    // Options that cannot be remembered are not worth a message.
    if (const FxSettings* settings = m_view.GetSettings())
        (void)SaveFindOptions(*settings, dialog.m_options);
}

void CViewSearch::OnFindAgain(bool bReverse)
{
    if (!m_bLastSearchValid)
        return;
    const uint32_t flags = m_dwLastFlags ^ (bReverse ? FIND_DIRECTION_UP : 0);
    const CTextBuffer* pBuffer = m_view.GetBuffer();
    TextPosition found;
    if (!pBuffer || !SearchText(*pBuffer, m_strLastText, m_view.GetCaret(), flags, true, found)) {
        ReportTextNotFound(m_strLastText);
        return;
    }
    m_view.SelectFound(found, static_cast<int>(m_strLastText.size()));
    m_bMultipleSearch = true;
}

void CViewSearch::OnReplace()
{
    const CTextBuffer* pBuffer = m_view.GetBuffer();
    if (!pBuffer || !m_view.IsEditable())
        return;
    CReplaceDialog dialog(m_view, *pBuffer);
    CReplaceSession& session = dialog.Session();
    const FxSettings* settings = m_view.GetSettings();
    PrepareReplace(session, settings ? LoadReplaceOptions(*settings) : ReplaceOptions());
    session.Begin(m_view.GetCaret(), m_view.GetSelection());
    {
        CInactiveSelectionShown shown(m_view);
        if (dialog.DoModal(m_view.GetWindow()) == -1)
            return;
    }
    if (session.IsScopeSelectionEnabled())
        m_view.SetSelection(session.SavedSelection().start, session.SavedSelection().end);
    if (settings)
        (void)SaveReplaceOptions(*settings, OptionsOf(session));
}
