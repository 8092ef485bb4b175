// The two primitive edits. Each prepares everything that may fail (memory for new lines, for a
// longer line, for more line records) before it changes any line, so a failure changes nothing.
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "core/buffer/text_buffer.h"

namespace {

// Lines of inserted text: a CR ends one, and one LF right after a CR belongs to that break. A
// lone LF is an ordinary byte.
void SplitAtLineBreaks(std::string_view text, std::vector<std::string_view>& segments)
{
    size_t nStart = 0;
    for (size_t i = text.find('\r'); i != std::string_view::npos; i = text.find('\r', nStart)) {
        segments.push_back(text.substr(nStart, i - nStart));
        nStart = i + 1 + (i + 1 < text.size() && text[i + 1] == '\n');
    }
    segments.push_back(text.substr(nStart));
}

bool Overlaps(std::string_view text, const LineRecord& rec)
{
    if (text.empty() || !rec.pText)
        return false;
    const auto less = std::less<const char*>();
    return less(text.data(), rec.pText + rec.nCapacity) && less(rec.pText, text.data() + text.size());
}

// Frees the texts of new line records unless they went into the store.
class CNewLines {
public:
    explicit CNewLines(size_t nCount) : m_records(nCount, LineRecord{nullptr, 0, 0, 0, false}) {}
    ~CNewLines()
    {
        for (LineRecord& rec : m_records)
            CLineStore::FreeLine(rec);
    }
    CNewLines(const CNewLines&) = delete;
    CNewLines& operator=(const CNewLines&) = delete;

    LineRecord& operator[](size_t i) { return m_records[i]; }
    const LineRecord* Data() const { return m_records.data(); }
    int Count() const { return static_cast<int>(m_records.size()); }
    void Release() { m_records.clear(); }

private:
    std::vector<LineRecord> m_records;
};

} // namespace

bool CTextBuffer::InsertTextRaw(CBufferObserver* pSource, int nLine, int nPos, std::string_view text, int& nEndLine,
                                int& nEndChar)
{
    if (m_bReadOnly || !IsValidPosition(nLine, nPos))
        return false;
    if (text.find('\r') == std::string_view::npos && !Overlaps(text, m_lines.Line(nLine)))
        return InsertSegments(pSource, nLine, nPos, &text, 1, nEndLine, nEndChar);
    std::string strCopy;
    std::vector<std::string_view> segments;
    try {
        if (Overlaps(text, m_lines.Line(nLine)))
            text = strCopy.assign(text.data(), text.size());
        SplitAtLineBreaks(text, segments);
    } catch (const std::exception&) {
        return false;
    }
    return InsertSegments(pSource, nLine, nPos, segments.data(), segments.size(), nEndLine, nEndChar);
}

bool CTextBuffer::InsertSegments(CBufferObserver* pSource, int nLine, int nPos, const std::string_view* pSegments,
                                 size_t nSegments, int& nEndLine, int& nEndChar)
{
    const std::string_view first = pSegments[0];
    if (nSegments == 1) {
        if (!m_lines.EnsureCapacity(nLine, static_cast<long long>(GetLineLength(nLine)) + static_cast<long long>(first.size())))
            return false;
        m_lines.Splice(nLine, nPos, 0, first);
        nEndLine = nLine;
        nEndChar = nPos + static_cast<int>(first.size());
    } else {
        if (!InsertLines(nLine, nPos, pSegments, nSegments))
            return false;
        nEndLine = nLine + static_cast<int>(nSegments - 1);
        nEndChar = static_cast<int>(pSegments[nSegments - 1].size());
    }
    const InsertAdjuster context({nPos, nLine}, {nEndChar, nEndLine});
    EditDone(pSource, context, nSegments == 1 ? CHANGE_ONELINE | CHANGE_WIDTHS : CHANGE_WIDTHS | CHANGE_LINECOUNT, nLine);
    return true;
}

// The first segment ends line nLine at nPos; each later segment becomes a line of its own, and the
// rest of line nLine follows the last one. The split line keeps its flags; new lines have none.
bool CTextBuffer::InsertLines(int nLine, int nPos, const std::string_view* pSegments, size_t nSegments)
{
    const std::string_view rest = GetLine(nLine).substr(static_cast<size_t>(nPos));
    if (nSegments - 1 > 0x7FFFFFFF)
        return false;
    try {
        CNewLines added(nSegments - 1);
        for (size_t k = 1; k < nSegments; ++k) {
            if (!CLineStore::MakeLine(pSegments[k], k + 1 == nSegments ? rest : std::string_view(), added[k - 1]))
                return false;
        }
        if (!m_lines.Reserve(added.Count()) ||
            !m_lines.EnsureCapacity(nLine, static_cast<long long>(nPos) + static_cast<long long>(pSegments[0].size())))
            return false;
        m_lines.Splice(nLine, nPos, static_cast<int>(rest.size()), pSegments[0]);
        m_lines.InsertLines(nLine + 1, added.Data(), added.Count());
        added.Release();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CTextBuffer::DeleteTextRaw(CBufferObserver* pSource, int nStartLine, int nStartChar, int nEndLine, int nEndChar)
{
    if (m_bReadOnly || !IsValidPosition(nStartLine, nStartChar) || !IsValidPosition(nEndLine, nEndChar) ||
        TextPosition{nEndChar, nEndLine} < TextPosition{nStartChar, nStartLine})
        return false;
    unsigned nFlags = CHANGE_ONELINE | CHANGE_WIDTHS;
    if (nStartLine == nEndLine) {
        m_lines.Splice(nStartLine, nStartChar, nEndChar - nStartChar, std::string_view());
    } else {
        if (!DeleteLines(nStartLine, nStartChar, nEndLine, nEndChar))
            return false;
        nFlags = CHANGE_WIDTHS | CHANGE_LINECOUNT;
    }
    const DeleteAdjuster context({nStartChar, nStartLine}, {nEndChar, nEndLine});
    EditDone(pSource, context, nFlags, nStartLine);
    return true;
}

// The head of the start line joins the tail of the end line; the lines after the start line up to
// the end line go, with their flags. The start line keeps its flags.
bool CTextBuffer::DeleteLines(int nStartLine, int nStartChar, int nEndLine, int nEndChar)
{
    const std::string_view tail = GetLine(nEndLine).substr(static_cast<size_t>(nEndChar));
    if (!m_lines.EnsureCapacity(nStartLine, static_cast<long long>(nStartChar) + static_cast<long long>(tail.size())))
        return false;
    m_lines.Splice(nStartLine, nStartChar, GetLineLength(nStartLine) - nStartChar, tail);
    m_lines.RemoveLines(nStartLine + 1, nEndLine - nStartLine);
    return true;
}

void CTextBuffer::EditDone(CBufferObserver* pSource, const PositionAdjuster& context, unsigned nFlags, int nLine)
{
    NotifyViews(pSource, &context, nFlags, nLine);
    if (!IsModified())
        SetModified(true);
}
