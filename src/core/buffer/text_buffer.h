#pragma once
// The text of one document: its lines, the primitive edits with their position bookkeeping, the
// undo history, and loading and saving through a file system passed in. Views attach as
// observers and are told of every change synchronously.
//
// A subclass adds document behaviour through the virtual operations: where the modified state is
// kept (IsModified/SetModified), how actions are named (DescribeAction) and what follows the end
// of an undo group (OnEditDone).
//
// Every operation that can fail reports it and then has changed nothing; no exception leaves the
// buffer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/buffer/action_captions.h"
#include "core/buffer/buffer_observer.h"
#include "core/buffer/file_system.h"
#include "core/buffer/line_end.h"
#include "core/buffer/line_store.h"
#include "core/buffer/position_adjuster.h"
#include "core/buffer/undo_history.h"

class CTextBuffer {
public:
    CTextBuffer() = default;
    virtual ~CTextBuffer();
    CTextBuffer(const CTextBuffer&) = delete;
    CTextBuffer& operator=(const CTextBuffer&) = delete;

    // --- Loading, saving, releasing
    // Replaces the content by the file's lines, split at nStyle or at the detected style. Sets the
    // read-only flag from the file's attribute, clears the modified flag and the history, and sends
    // CHANGE_ALL. On failure the buffer is left empty and not initialised.
    FileResult LoadFromFile(CFileSystem& fs, const char* pszPath, int nStyle = EOL_DETECT);
    // Writes the lines joined by the separator of nStyle (the recorded style for EOL_DETECT) and
    // puts the result in the target's place in one step. On success with bClearModified the
    // buffer is marked unmodified and saved at the current undo position; on failure nothing
    // changes, on disk or in the buffer.
    FileResult SaveToFile(CFileSystem& fs, const char* pszPath, int nStyle = EOL_DETECT, bool bClearModified = true);
    // Releases lines and history; the buffer is empty and not initialised. Observers stay attached.
    void ReleaseAll();
    bool IsInitialised() const { return m_bInitialised; }

    // --- Lines (indices must be in range)
    int GetLineCount() const { return m_lines.Count(); }
    int GetLineLength(int nLine) const { return m_lines.Line(nLine).nLength; }
    // Not NUL-terminated; never null. Valid until the next edit.
    const char* GetLineText(int nLine) const;
    std::string_view GetLine(int nLine) const { return m_lines.Text(nLine); }
    uint32_t GetLineFlags(int nLine) const { return m_lines.Line(nLine).dwFlags; }
    int GetLineEndStyle() const { return m_nLineEndStyle; }

    bool GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool bReadOnly) { m_bReadOnly = bReadOnly; }
    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModified(bool bModified) { m_bModified = bModified; }

    // --- Observers, notified in the order they attached
    [[nodiscard]] bool AddView(CBufferObserver* pView);
    // Removes the first entry for pView; nothing happens when it is absent. Safe inside a
    // notification: a view removed then is not notified any more.
    void RemoveView(CBufferObserver* pView);
    void NotifyViews(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags, int nLine);
    // The attached observers in attach order; an entry is null while a notification runs after
    // its view was removed.
    const std::vector<CBufferObserver*>& GetViews() const { return m_views; }
    // Grows with every change the observers are told of (an edit, undo or redo, a line's flags,
    // loading) and with ReleaseAll, observed or not: a reader that kept the value knows whether
    // anything changed since. A refused edit leaves it.
    std::uint64_t GetChangeCount() const { return m_nChanges; }

    // --- Editing. False, with nothing changed, when the buffer is read-only, a position is out of
    // range or memory runs out. In text, CR LF and a lone CR break lines; a lone LF is an ordinary
    // byte of the line.
    [[nodiscard]] bool InsertText(CBufferObserver* pSource, int nLine, int nPos, std::string_view text, int& nEndLine,
                                  int& nEndChar, int nAction);
    [[nodiscard]] bool DeleteText(CBufferObserver* pSource, int nStartLine, int nStartChar, int nEndLine, int nEndChar,
                                  int nAction);
    // The same without an undo record (undo and redo use these).
    [[nodiscard]] bool InsertTextRaw(CBufferObserver* pSource, int nLine, int nPos, std::string_view text,
                                     int& nEndLine, int& nEndChar);
    [[nodiscard]] bool DeleteTextRaw(CBufferObserver* pSource, int nStartLine, int nStartChar, int nEndLine,
                                     int nEndChar);
    // Copies an ordered range; lines are joined by pszSeparator, CR LF when none is given, whatever
    // the file's line-end style. False (text empty) for a range out of order or out of the text.
    [[nodiscard]] bool GetText(int nStartLine, int nStartChar, int nEndLine, int nEndChar, std::string& text,
                               const char* pszSeparator = nullptr) const;
    bool IsValidPosition(int nLine, int nChar) const;

    // --- Line flags. A flag argument must have exactly one bit set, else nothing happens (or -1).
    // nLine -1 means the first line carrying the flag. With bRemoveFromPrevious, setting a flag
    // takes it off the line that had it, so it is on one line at most.
    void SetLineFlagBit(int nLine, uint32_t dwFlag, bool bSet, bool bRemoveFromPrevious);
    int FindLineWithFlag(uint32_t dwFlag) const;
    // The next (previous) line with LINE_MARK after (before) nLine, wrapping once round the text;
    // nLine itself only when it is the sole marked line; -1 when none is.
    int NextMarkedLine(int nLine) const;
    int PrevMarkedLine(int nLine) const;

    // --- Undo history
    void OpenUndoGroup(bool bMergeWithPrevious = false);
    // Closes the open group. With a source, the next record begins a group of its own and
    // OnEditDone runs (the group still open) with the action and text of the last record.
    void CloseUndoGroup(CBufferObserver* pSource);
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }
    // Apply one group; cursor receives where the caret goes. False on a read-only buffer (nothing
    // changes) or when memory runs out part way (the history then stands at the last record applied).
    [[nodiscard]] bool Undo(TextPosition& ptCursor);
    [[nodiscard]] bool Redo(TextPosition& ptCursor);
    // Description of the group the next Undo (Redo) acts on; empty when it has none.
    void UndoCaption(std::string& text);
    void RedoCaption(std::string& text);
    // Loads the description of an action code through the caption loader; false for a code outside
    // the table or without a loader.
    virtual bool DescribeAction(int nAction, std::string& text);
    void SetCaptionLoader(const CCaptionLoader* pLoader) { m_pCaptions = pLoader; }
    const CUndoHistory& GetHistory() const { return m_undo; }

protected:
    // Called by CloseUndoGroup; the base passes it on to the source observer.
    virtual void OnEditDone(CBufferObserver* pSource, int nAction, const std::string& text);

private:
    bool InsertSegments(CBufferObserver* pSource, int nLine, int nPos, const std::string_view* pSegments,
                        size_t nSegments, int& nEndLine, int& nEndChar);
    bool InsertLines(int nLine, int nPos, const std::string_view* pSegments, size_t nSegments);
    bool DeleteLines(int nStartLine, int nStartChar, int nEndLine, int nEndChar);
    void NoteJoins(int nStartLine, int nStartChar, int nEndLine, UndoEntry& entry) const;
    void EditDone(CBufferObserver* pSource, const PositionAdjuster& context, unsigned nFlags, int nLine);
    bool PrepareRecord(std::string_view text, UndoEntry& entry);
    void Record(CBufferObserver* pSource, UndoEntry&& entry);
    bool ApplyRecord(const UndoEntry& entry, bool bForward, TextPosition& ptCursor);
    void UpdateModifiedAfterHistoryMove();
    void CompactViews();
    int FindMarked(int nFrom, int nTo, int nStep) const;

    bool m_bInitialised = false;
    bool m_bReadOnly = false;
    bool m_bModified = false; // kept by the base SetModified only
    int m_nLineEndStyle = EOL_CRLF;
    CLineStore m_lines;
    CUndoHistory m_undo;
    // Attach order; an entry is null while a notification runs after its view was removed.
    std::vector<CBufferObserver*> m_views;
    int m_nNotifyDepth = 0;
    std::uint64_t m_nChanges = 0;
    const CCaptionLoader* m_pCaptions = nullptr;
};
