#pragma once
// The lines of a buffer with their texts. Every operation that may allocate either succeeds or
// changes nothing, so that an edit can prepare all it needs before it changes any line.
#include <string_view>

#include "core/buffer/line_array.h"
#include "core/buffer/text_arena.h"

class CLineStore {
public:
    // Longest line: its capacity must still fit the record's 32-bit field.
    static constexpr int MAX_LINE_LENGTH = 0x7FFFFFFF - 16;

    CLineStore() = default;
    ~CLineStore();
    CLineStore(const CLineStore&) = delete;
    CLineStore& operator=(const CLineStore&) = delete;

    int Count() const { return m_lines.Count(); }
    const LineRecord& Line(int i) const { return m_lines[i]; }
    std::string_view Text(int i) const;
    void SetFlags(int i, uint32_t dwFlags) { m_lines[i].dwFlags = dwFlags; }

    // Loading: appends a line whose text lives in the load arena.
    void SetLoadSizeHint(size_t nBytes) { m_arena.SetSlabSize(nBytes); }
    [[nodiscard]] bool AppendLoaded(std::string_view text);

    // Makes room for nLength bytes in line i without changing its text.
    [[nodiscard]] bool EnsureCapacity(int i, long long nLength);
    // Replaces nRemove bytes at nPos of line i by text; needs the capacity for the result.
    void Splice(int i, int nPos, int nRemove, std::string_view text);

    // A new line record holding head followed by tail, in a block of its own, flags 0.
    [[nodiscard]] static bool MakeLine(std::string_view head, std::string_view tail, LineRecord& rec);
    // Frees the text of a record made by MakeLine that never went into the store.
    static void FreeLine(LineRecord& rec);

    [[nodiscard]] bool Reserve(int nMore) { return m_lines.Reserve(nMore); }
    // Takes ownership of the records; needs Reserve(nCount) first.
    void InsertLines(int nAt, const LineRecord* pRecords, int nCount) { m_lines.Insert(nAt, pRecords, nCount); }
    void RemoveLines(int nAt, int nCount);
    void Clear();

private:
    CLineArray m_lines;
    CTextArena m_arena;
};
