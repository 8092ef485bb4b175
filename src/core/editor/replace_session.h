#pragma once
// What the Replace dialog does with its buttons: find the next occurrence, replace the highlighted
// one, replace all. Searches go downwards and never wrap, through the whole text from the current
// position or inside the block that was selected when the dialog opened.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/buffer/text_buffer.h"
#include "core/editor/edit_ranges.h"

// The view the dialog works in.
class CReplaceHost {
public:
    // Highlights [start, start + length) on start's line, the caret at its end, scrolled into view.
    virtual void SelectFound(TextPosition start, int length) = 0;
    // Replaces the highlighted text (two undo groups); inserted receives the new text's range.
    // False when nothing was replaced.
    [[nodiscard]] virtual bool ReplaceSelectedText(std::string_view text, TextRange& inserted) = 0;
    // The search text occurs nowhere more (message 8606).
    virtual void ReportNotFound(const std::string& what) = 0;

protected:
    ~CReplaceHost() = default;
};

enum ReplaceScope { SCOPE_SELECTION = 0, SCOPE_WHOLE_FILE = 1 };

class CReplaceSession {
public:
    CReplaceSession(const CTextBuffer& buffer, CReplaceHost& host) : m_buffer(buffer), m_host(host) {}

    // With a selection the scope is the selection, searched from its start; otherwise the whole
    // text from the caret, and the selection scope is not offered.
    void Begin(TextPosition caret, const TextRange& selection);

    // --- The buttons. Each uses the values below as the dialog's controls hold them.
    // From the current position, or one byte after the highlighted occurrence.
    void FindNext();
    // Highlights the next occurrence when none is, else replaces it and highlights the next.
    void Replace();
    // Replaces every occurrence from the highlighted one (or the next) to the end of the scope;
    // ends when none is left, which is reported. Answers the number replaced.
    int ReplaceAll();

    // The selection of the view when the dialog opened, kept across the replacements.
    TextRange SavedSelection() const { return m_savedSelection; }
    bool IsScopeSelectionEnabled() const { return m_bScopeSelectionEnabled; }
    bool IsFound() const { return m_bFound; }
    TextPosition FoundPosition() const { return m_ptFound; }
    TextPosition CurrentPosition() const { return m_ptCurrent; }
    TextRange Block() const { return {m_ptBlockBegin, m_ptBlockEnd}; }

    // The dialog's values.
    bool m_bMatchCase = false;
    bool m_bWholeWord = false;
    std::string m_strFind;
    std::string m_strReplace;
    int m_nScope = SCOPE_WHOLE_FILE;

private:
    // Searches from the found position and highlights what it finds; otherwise reports it and
    // goes back to the scope's start.
    bool HighlightStep();
    // Replaces the highlighted occurrence; the block and the saved selection follow the edit, and
    // the found position moves past the inserted text.
    bool ReplaceFound();
    bool Search(TextPosition from, TextPosition& found) const;
    uint32_t Flags() const;

    const CTextBuffer& m_buffer;
    CReplaceHost& m_host;
    bool m_bFound = false;  // an occurrence is highlighted, at m_ptFound
    TextPosition m_ptFound;
    bool m_bScopeSelectionEnabled = false;
    TextPosition m_ptCurrent;
    TextPosition m_ptBlockBegin;
    TextPosition m_ptBlockEnd;
    TextRange m_savedSelection;
};
