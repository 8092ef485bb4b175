// F1 in an editor view: the word at the caret, looked up in the WorkSpace pane's Search page.
#include "frame/main_frame.h"
#include "core/editor/word_bounds.h"
#include "editor/text_view.h"
#include "reference/search_dlg.h"

namespace {
// The word around the caret; empty when the caret touches no word.
std::string WordAtCaret(const CTextView& view)
{
    const TextPosition caret = view.GetCaretPosition();
    if (caret.y < 0 || caret.y >= view.GetLineCount()) return std::string();
    const std::string_view line = view.GetLineChars(caret.y);
    const int start = WordStartPos(line, caret.x), end = WordEndPos(line, caret.x);
    return std::string(line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}
}  // namespace

// The keyboard stays with the editor: the student reads the page and types on.
void CMainFrame::LookUpWordAtCaret()
{
    const auto* view = dynamic_cast<const CTextView*>(GetActiveView());
    if (!view) return;
    for (int page = 0; page < m_workspaceTabs.GetPageCount(); ++page) {
        auto* search = dynamic_cast<CSearchDlg*>(m_workspaceTabs.GetDialogPage(page));
        if (!search) continue;
        ShowControlBar(&m_workspaceBar, true);
        m_workspaceTabs.ActivatePage(page);
        search->Search(WordAtCaret(*view));
        return;
    }
}
