// The Replace dialog (template 8602): search and replacement texts, whole word, match case, and
// the scope, the selection the dialog was opened on or the whole text. Its buttons run the steps of
// a replace session in the owner view; searches go downwards and never wrap.
#pragma once
#include <string>

#include "core/editor/replace_session.h"
#include "fx/fx_dialog.h"

class CViewSite;

class CReplaceDialog : public FxDialog, private CReplaceHost {
public:
    CReplaceDialog(CViewSite& view, const CTextBuffer& buffer);
    // The dialog's data: options, scope, positions. Set it up before DoModal.
    CReplaceSession& Session() { return m_session; }

protected:
    bool OnInitDialog() override;
    bool OnDialogCommand(UINT id, UINT code) override;
    bool Exchange(bool bSave) override;

private:
    void EnableButtons();
    void OnReplaceAll();

    // The view, for the session.
    void SelectFound(TextPosition start, int length) override;
    [[nodiscard]] bool ReplaceSelectedText(std::string_view text, TextRange& inserted) override;
    void ReportNotFound(const std::string& what) override;

    CViewSite& m_view;
    CReplaceSession m_session;
    // While replacing all, the final "not found" waits until the view shows the result.
    bool m_bHoldReport = false;
    bool m_bReportHeld = false;
};
