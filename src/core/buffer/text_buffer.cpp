#include "core/buffer/text_buffer.h"

#include <algorithm>
#include <exception>

CTextBuffer::~CTextBuffer() = default;

void CTextBuffer::ReleaseAll()
{
    m_lines.Clear();
    m_undo.Reset();
    m_bInitialised = false;
    ++m_nChanges;
}

const char* CTextBuffer::GetLineText(int nLine) const
{
    const char* p = m_lines.Line(nLine).pText;
    return p ? p : "";
}

bool CTextBuffer::IsValidPosition(int nLine, int nChar) const
{
    return nLine >= 0 && nLine < m_lines.Count() && nChar >= 0 && nChar <= m_lines.Line(nLine).nLength;
}

bool CTextBuffer::AddView(CBufferObserver* pView)
{
    try {
        m_views.push_back(pView);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CTextBuffer::RemoveView(CBufferObserver* pView)
{
    const auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end() || !pView)
        return;
    if (m_nNotifyDepth > 0)
        *it = nullptr;
    else
        m_views.erase(it);
}

void CTextBuffer::NotifyViews(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags, int nLine)
{
    ++m_nChanges;
    ++m_nNotifyDepth;
    for (size_t i = 0; i < m_views.size(); ++i) {
        if (m_views[i])
            m_views[i]->OnBufferChange(pSource, pContext, nFlags, nLine);
    }
    if (--m_nNotifyDepth == 0)
        CompactViews();
}

void CTextBuffer::CompactViews()
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), nullptr), m_views.end());
}

bool CTextBuffer::GetText(int nStartLine, int nStartChar, int nEndLine, int nEndChar, std::string& text,
                          const char* pszSeparator) const
{
    text.clear();
    if (!IsValidPosition(nStartLine, nStartChar) || !IsValidPosition(nEndLine, nEndChar) ||
        TextPosition{nEndChar, nEndLine} < TextPosition{nStartChar, nStartLine})
        return false;
    const std::string_view separator = pszSeparator ? pszSeparator : "\r\n";
    try {
        if (nStartLine == nEndLine) {
            text.assign(GetLine(nStartLine).substr(static_cast<size_t>(nStartChar), static_cast<size_t>(nEndChar - nStartChar)));
            return true;
        }
        size_t nSize = GetLine(nStartLine).size() - static_cast<size_t>(nStartChar) + static_cast<size_t>(nEndChar);
        for (int i = nStartLine + 1; i < nEndLine; ++i)
            nSize += GetLine(i).size();
        text.reserve(nSize + separator.size() * static_cast<size_t>(nEndLine - nStartLine));
        text.append(GetLine(nStartLine).substr(static_cast<size_t>(nStartChar)));
        for (int i = nStartLine + 1; i <= nEndLine; ++i) {
            text.append(separator);
            text.append(GetLine(i).substr(0, i == nEndLine ? static_cast<size_t>(nEndChar) : std::string_view::npos));
        }
        return true;
    } catch (const std::exception&) {
        text.clear();
        return false;
    }
}
