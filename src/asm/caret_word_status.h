// The status bar's message pane explains the instruction, register or directive at an assembly
// view's caret in one line. Another message (a tool's, a menu's) stays until the caret moves to
// another word; moving off a keyword clears only the line this put there.
#pragma once
#include <string>

#include "core/buffer/text_position.h"

class CTextView;
class FxMDIFrame;

class CCaretWordStatus {
public:
    // Looks at the caret of `view` again; does nothing while the caret stays within one word.
    void Update(const CTextView& view, FxMDIFrame& frame);

private:
    int m_nLine = -1;
    int m_nStart = -1;          // the word the caret was last seen on
    std::string m_strWord;
    std::string m_strShown;     // the line this put in the pane, or empty
};
