#pragma once
// The undo history of a buffer: one record per primitive change, grouped so that one user command
// is undone and redone as a whole. The history only keeps records; the buffer applies them.
#include <cstdint>
#include <string>
#include <vector>

#include "core/buffer/text_position.h"

constexpr uint32_t UNDO_IS_INSERT = 0x0001;   // clear for a deletion
constexpr uint32_t UNDO_GROUP_START = 0x0100; // the first record of a group

// Action codes: they only name a group.
enum UndoActionCode : int {
    ACTION_UNKNOWN = 0,     // also the document's snippet insertion
    ACTION_PASTE = 1,
    ACTION_DELSEL = 2,      // deleting the selection before paste, typing, tab or replace
    ACTION_CUT = 3,
    ACTION_TYPING = 4,
    ACTION_BACKSPACE = 5,
    ACTION_INDENT = 6,
    ACTION_DRAGDROP = 7,
    ACTION_REPLACE = 8,
    ACTION_DELETE = 9,
    ACTION_AUTOINDENT = 10,
};

struct UndoEntry {
    uint32_t dwFlags = 0;
    TextPosition ptStart; // an insertion: where it went in; a deletion: the removed range
    TextPosition ptEnd;   // an insertion: the position just after it
    int nAction = ACTION_UNKNOWN;
    std::string text;     // inserted text, or deleted text with lines joined by CR LF
    // When a deleted line holds a CR of its own, the text alone would split at other places: the
    // record then keeps the offsets in text of the CR LF pairs that joined the lines, and puts the
    // text back split at those only.
    bool bSplitAtJoins = false;
    std::vector<int> joins;

    bool IsInsert() const { return (dwFlags & UNDO_IS_INSERT) != 0; }
    bool IsGroupStart() const { return (dwFlags & UNDO_GROUP_START) != 0; }
};

class CUndoHistory {
public:
    static constexpr int DEFAULT_LIMIT = 1024;

    // Empty, no group open, the default limit (the state after loading).
    void Reset();

    int Count() const { return static_cast<int>(m_entries.size() - m_nFirst); }
    // Records before the position are applied (can be undone), records from it on can be redone.
    int Position() const { return m_nPosition; }
    const UndoEntry& At(int i) const { return m_entries[m_nFirst + static_cast<size_t>(i)]; }
    bool CanUndo() const { return m_nPosition > 0; }
    bool CanRedo() const { return m_nPosition < Count(); }

    // With bMerge the next record continues the group before it (unless nothing can be undone).
    void OpenGroup(bool bMerge);
    bool IsGroupOpen() const { return m_bGroupOpen; }
    // The next record begins a group even though the open group goes on.
    void BeginPending() { m_bBeginPending = true; }
    void CloseGroup() { m_bGroupOpen = false; }

    // Room for one more record, so that Add cannot fail after the edit it records was made.
    [[nodiscard]] bool Reserve();
    // Forgets what could be redone, makes room at the limit, appends. Needs Reserve first.
    void Add(UndoEntry&& entry);

    // Moving across one record; Undo and Redo of the buffer apply it.
    const UndoEntry& StepBack() { return At(--m_nPosition); }
    const UndoEntry& StepForward() { return At(m_nPosition++); }
    // Redo stops where a group begins or nothing is left.
    bool AtRedoGroupEnd() const { return !CanRedo() || At(m_nPosition).IsGroupStart(); }

    // Action of the group the next Undo or Redo acts on: it is named after its first record.
    int UndoAction() const;
    int RedoAction() const { return At(m_nPosition).nAction; }

    void MarkSaved() { m_nSavedPosition = m_nPosition; }
    bool IsAtSaved() const { return m_nSavedPosition == m_nPosition; }

private:
    void ForgetRedo();
    void DiscardOldestGroup();

    // Records before m_nFirst were discarded (their texts freed); the block is compacted when they
    // make up half of it, so that discarding at the limit costs no move of the whole history.
    std::vector<UndoEntry> m_entries;
    size_t m_nFirst = 0;
    int m_nPosition = 0;
    // The position of the text on disk; -1 once no position of the history matches it (its records
    // were discarded or forgotten).
    int m_nSavedPosition = 0;
    bool m_bGroupOpen = false;
    bool m_bBeginPending = false;
    int m_nLimit = DEFAULT_LIMIT;
};
