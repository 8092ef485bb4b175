#pragma once
// Drives a buffer with a script of edits, groups, undos, redos and saves, and checks it after every
// step against a plain string model: the text as one string with '\x01' between lines, and the
// history as the texts before and after each group. Used by the randomized test and the fuzzer;
// a step's choices come from a byte source, random or fuzzed.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/buffer/text_buffer.h"
#include "memory_file_system.h"

class CEditModel final : public CBufferObserver {
public:
    // Next byte of the script (any value).
    using ByteSource = std::function<unsigned()>;

    // Reports the first difference; empty while the buffer matches.
    std::string strFailure;

    CEditModel(const std::string& file, int nStyle, ByteSource next) : m_next(std::move(next))
    {
        m_fs.files["a.asm"].bytes = file;
        if (!m_buffer.LoadFromFile(m_fs, "a.asm", nStyle) || !m_buffer.AddView(this))
            Fail("load");
        m_strText = Flat();
        m_nStyle = m_buffer.GetLineEndStyle();
    }

    ~CEditModel() { m_buffer.RemoveView(this); }

    const CTextBuffer& Buffer() const { return m_buffer; }
    // The model's text, lines joined by '\x01'.
    const std::string& Text() const { return m_strText; }

    // Runs one step; false once the buffer and the model differ.
    bool Step()
    {
        switch (m_next() % 8) {
        case 0: case 1: Command(false); break;
        case 2: Command(true); break;
        case 3: case 4: Undo(); break;
        case 5: Redo(); break;
        case 6: Save(); break;
        default: RefusedWhileReadOnly(); break;
        }
        Check();
        return strFailure.empty();
    }

    void UndoAll()
    {
        while (strFailure.empty() && m_buffer.CanUndo()) {
            Undo();
            Check();
        }
    }

    void RedoAll()
    {
        while (strFailure.empty() && m_buffer.CanRedo()) {
            Redo();
            Check();
        }
    }

    void OnBufferChange(CBufferObserver*, const PositionAdjuster*, unsigned, int) override { ++m_nNotifications; }

private:
    struct Group {
        std::string before, after;
        int nRecords = 0;
    };

    static constexpr char BREAK = '\x01';

    void Fail(const std::string& what)
    {
        if (strFailure.empty())
            strFailure = what;
    }

    std::string Flat() const
    {
        std::string flat;
        for (int i = 0; i < m_buffer.GetLineCount(); ++i) {
            if (i)
                flat += BREAK;
            flat.append(m_buffer.GetLine(i));
        }
        return flat;
    }

    void Check()
    {
        if (Flat() != m_strText)
            Fail("text differs from the model");
        if (m_buffer.CanUndo() != (m_nApplied > 0) || m_buffer.CanRedo() != (m_nApplied < m_groups.size()))
            Fail("undo or redo availability differs from the model");
        if (m_buffer.IsModified() != m_bModified)
            Fail("modified state differs from the model");
    }

    size_t Offset(TextPosition pt) const
    {
        size_t nOffset = 0;
        for (int i = 0; i < pt.y; ++i)
            nOffset += m_buffer.GetLine(i).size() + 1;
        return nOffset + static_cast<size_t>(pt.x);
    }

    TextPosition RandomPosition()
    {
        const int y = static_cast<int>(m_next() % static_cast<unsigned>(m_buffer.GetLineCount()));
        const int x = static_cast<int>(m_next() % static_cast<unsigned>(m_buffer.GetLineLength(y) + 1));
        return {x, y};
    }

    std::string RandomText()
    {
        static const char* const kPieces[] = {"a", "b", "\r", "\n", "\r\n", "", "\xB5\xC8", "mov "};
        std::string text;
        const unsigned nPieces = m_next() % 6;
        for (unsigned i = 0; i < nPieces; ++i) {
            const unsigned k = m_next() % 8;
            text += k == 5 ? std::string(1, '\0') : std::string(kPieces[k]);
        }
        return text;
    }

    // Inserted text as the model stores it: CR LF or a lone CR is one break.
    static std::string ModelText(const std::string& text)
    {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r') {
                out += text[i];
                continue;
            }
            out += BREAK;
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
        return out;
    }

    // One user command: a group of one to three edits, opened with or without merging.
    void Command(bool bMerge)
    {
        const bool bExplicit = bMerge || m_next() % 2;
        if (bExplicit)
            m_buffer.OpenUndoGroup(bMerge);
        const bool bContinue = bExplicit && bMerge && m_nApplied > 0;
        const unsigned nEdits = bExplicit ? 1 + m_next() % 3 : 1;
        for (unsigned i = 0; i < nEdits; ++i)
            Edit(bContinue || i > 0);
        if (bExplicit)
            m_buffer.CloseUndoGroup(m_next() % 2 ? this : nullptr);
    }

    void Edit(bool bJoinsGroup)
    {
        TextPosition ptStart = RandomPosition();
        int nEndLine = 0, nEndChar = 0;
        const std::string strBefore = m_strText;
        if (m_next() % 2) {
            const std::string text = RandomText();
            if (!m_buffer.InsertText(this, ptStart.y, ptStart.x, text, nEndLine, nEndChar, ACTION_TYPING))
                return Fail("insert refused");
            m_strText.insert(Offset(ptStart), ModelText(text));
        } else {
            TextPosition ptEnd = RandomPosition();
            if (ptEnd < ptStart)
                std::swap(ptStart, ptEnd);
            const size_t nFrom = Offset(ptStart);
            const size_t nTo = Offset(ptEnd);
            if (!m_buffer.DeleteText(nullptr, ptStart.y, ptStart.x, ptEnd.y, ptEnd.x, ACTION_DELETE))
                return Fail("delete refused");
            m_strText.erase(nFrom, nTo - nFrom);
        }
        AddRecord(bJoinsGroup, strBefore);
        m_bModified = true;
    }

    // The history's rules at group level: forget redo; at the limit, discard the oldest group
    // unless the record joins it; then the record starts or joins a group.
    void AddRecord(bool bJoinsGroup, const std::string& strBefore)
    {
        m_groups.resize(m_nApplied);
        if (m_nSaved > m_nApplied)
            m_nSaved = -1;
        size_t nRecords = 0;
        for (const Group& group : m_groups)
            nRecords += static_cast<size_t>(group.nRecords);
        const bool bStarts = !bJoinsGroup || m_groups.empty();
        if (!bStarts && m_nSaved == static_cast<long>(m_nApplied))
            m_nSaved = -1; // the saved state is now inside a group: no undo or redo stops there
        if (nRecords >= CUndoHistory::DEFAULT_LIMIT && (bStarts || m_groups.size() > 1)) {
            m_groups.pop_front();
            --m_nApplied;
            m_nSaved = m_nSaved >= 1 ? m_nSaved - 1 : -1;
        }
        if (bStarts) {
            m_groups.push_back({strBefore, "", 0});
            ++m_nApplied;
        }
        m_groups.back().after = m_strText;
        ++m_groups.back().nRecords;
    }

    void Undo()
    {
        TextPosition ptCursor;
        const bool bDone = m_buffer.Undo(ptCursor);
        if (bDone != (m_nApplied > 0))
            return Fail("undo result");
        if (!bDone)
            return;
        m_strText = m_groups[--m_nApplied].before;
        m_bModified = m_nSaved != static_cast<long>(m_nApplied);
        if (!m_buffer.IsValidPosition(ptCursor.y, ptCursor.x))
            Fail("undo cursor outside the text");
    }

    void Redo()
    {
        TextPosition ptCursor;
        const bool bDone = m_buffer.Redo(ptCursor);
        if (bDone != (m_nApplied < m_groups.size()))
            return Fail("redo result");
        if (!bDone)
            return;
        m_strText = m_groups[m_nApplied++].after;
        m_bModified = m_nSaved != static_cast<long>(m_nApplied);
        if (!m_buffer.IsValidPosition(ptCursor.y, ptCursor.x))
            Fail("redo cursor outside the text");
    }

    void Save()
    {
        if (!m_buffer.SaveToFile(m_fs, "a.asm"))
            return Fail("save");
        std::string expected = m_strText;
        std::string separated;
        for (char c : expected)
            separated += c == BREAK ? std::string(LineEndSeparator(m_nStyle)) : std::string(1, c);
        if (m_fs.files["a.asm"].bytes != separated)
            Fail("saved bytes differ from the model");
        m_nSaved = static_cast<long>(m_nApplied);
        m_bModified = false;
    }

    void RefusedWhileReadOnly()
    {
        m_buffer.SetReadOnly(true);
        const int nNotifications = m_nNotifications;
        TextPosition ptCursor;
        int nEndLine, nEndChar;
        if (m_buffer.InsertText(this, 0, 0, "x", nEndLine, nEndChar, ACTION_TYPING) ||
            m_buffer.DeleteText(this, 0, 0, 0, 0, ACTION_DELETE) || m_buffer.Undo(ptCursor) || m_buffer.Redo(ptCursor))
            Fail("edit of a read-only buffer");
        if (m_nNotifications != nNotifications)
            Fail("notification from a refused edit");
        m_buffer.SetReadOnly(false);
    }

    ByteSource m_next;
    CMemoryFileSystem m_fs;
    CTextBuffer m_buffer;
    int m_nStyle = EOL_CRLF;
    std::string m_strText;
    std::deque<Group> m_groups;
    size_t m_nApplied = 0;
    long m_nSaved = 0; // groups applied at the last save, -1 when no state of the history matches it
    bool m_bModified = false;
    int m_nNotifications = 0;
};
