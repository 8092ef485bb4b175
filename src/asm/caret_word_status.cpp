#include "asm/caret_word_status.h"

#include "core/asm/asm_symbols.h"
#include "core/reference/word_summary.h"
#include "editor/text_view.h"
#include "fx/fx_app.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"

void CCaretWordStatus::Update(const CTextView& view, FxMDIFrame& frame)
{
    const TextPosition caret = view.GetCaretPosition();
    if (caret.y < 0 || caret.y >= view.GetLineCount()) return;
    const std::string_view line = view.GetLineChars(caret.y);
    int start = 0, end = 0;
    NameBoundsAt(line, caret.x, start, end);
    const std::string_view word = line.substr(std::size_t(start), std::size_t(end - start));
    if (caret.y == m_nLine && start == m_nStart && word == m_strWord) return;
    m_nLine = caret.y;
    m_nStart = start;
    m_strWord = std::string(word);
    const std::string summary = halyard::reference::WordSummary(word);
    if (!summary.empty()) {
        frame.SetMessageText(summary.c_str());
    } else if (!m_strShown.empty() && frame.GetMessageText() == m_strShown) {
        frame.SetMessageText(FxLoadString(IDS_IDLE_MESSAGE).c_str());
    }
    m_strShown = summary;
}
