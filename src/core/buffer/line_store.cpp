#include "core/buffer/line_store.h"

#include <cstdlib>
#include <cstring>

namespace {

// memcpy and memmove must not see a null pointer, even for zero bytes.
void CopyBytes(char* pTo, const char* pFrom, size_t n)
{
    if (n != 0)
        std::memmove(pTo, pFrom, n);
}

// A block for a line of nLength bytes: its capacity is the next multiple of 16 strictly above the
// length, so typing into the line reallocates at most once per 16 characters.
char* AllocateLineBlock(long long nLength, int& nCapacity)
{
    if (nLength > CLineStore::MAX_LINE_LENGTH)
        return nullptr;
    nCapacity = static_cast<int>((nLength / 16) * 16 + 16);
    return static_cast<char*>(std::malloc(static_cast<size_t>(nCapacity)));
}

} // namespace

CLineStore::~CLineStore() { Clear(); }

std::string_view CLineStore::Text(int i) const
{
    const LineRecord& rec = m_lines[i];
    return rec.pText ? std::string_view(rec.pText, static_cast<size_t>(rec.nLength)) : std::string_view();
}

bool CLineStore::AppendLoaded(std::string_view text)
{
    if (text.size() > static_cast<size_t>(MAX_LINE_LENGTH) || !m_lines.Reserve(1))
        return false;
    char* p = m_arena.Allocate(text.size());
    if (!p && !text.empty())
        return false;
    CopyBytes(p, text.data(), text.size());
    const int n = static_cast<int>(text.size());
    const LineRecord rec = {p, n, n, 0, false};
    m_lines.Insert(m_lines.Count(), &rec, 1);
    return true;
}

bool CLineStore::EnsureCapacity(int i, long long nLength)
{
    LineRecord& rec = m_lines[i];
    if (nLength <= rec.nCapacity)
        return true;
    int nCapacity = 0;
    char* p = AllocateLineBlock(nLength, nCapacity);
    if (!p)
        return false;
    CopyBytes(p, rec.pText, static_cast<size_t>(rec.nLength));
    if (rec.bOwned)
        std::free(rec.pText);
    rec.pText = p;
    rec.nCapacity = nCapacity;
    rec.bOwned = true;
    return true;
}

void CLineStore::Splice(int i, int nPos, int nRemove, std::string_view text)
{
    LineRecord& rec = m_lines[i];
    const int nInsert = static_cast<int>(text.size());
    CopyBytes(rec.pText + nPos + nInsert, rec.pText + nPos + nRemove,
              static_cast<size_t>(rec.nLength - nPos - nRemove));
    CopyBytes(rec.pText + nPos, text.data(), text.size());
    rec.nLength += nInsert - nRemove;
}

bool CLineStore::MakeLine(std::string_view head, std::string_view tail, LineRecord& rec)
{
    const long long nLength = static_cast<long long>(head.size()) + static_cast<long long>(tail.size());
    int nCapacity = 0;
    char* p = AllocateLineBlock(nLength, nCapacity);
    if (!p)
        return false;
    CopyBytes(p, head.data(), head.size());
    CopyBytes(p + head.size(), tail.data(), tail.size());
    rec = {p, static_cast<int>(nLength), nCapacity, 0, true};
    return true;
}

void CLineStore::FreeLine(LineRecord& rec)
{
    if (rec.bOwned)
        std::free(rec.pText);
    rec = {nullptr, 0, 0, 0, false};
}

void CLineStore::RemoveLines(int nAt, int nCount)
{
    for (int i = nAt; i < nAt + nCount; ++i)
        FreeLine(m_lines[i]);
    m_lines.Remove(nAt, nCount);
}

void CLineStore::Clear()
{
    for (int i = 0; i < m_lines.Count(); ++i)
        FreeLine(m_lines[i]);
    m_lines.Clear();
    m_arena.Clear();
}
