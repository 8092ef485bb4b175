#include "core/buffer/text_arena.h"

#include <cstdlib>
#include <new>

CTextArena::~CTextArena() { Clear(); }

void CTextArena::SetSlabSize(size_t nBytes)
{
    constexpr size_t kMin = 64 * 1024;
    m_nSlabSize = nBytes < kMin ? kMin : nBytes;
}

char* CTextArena::Allocate(size_t nBytes)
{
    if (nBytes == 0)
        return nullptr;
    if (nBytes > m_nLeft) {
        const size_t nSlab = nBytes > m_nSlabSize ? nBytes : m_nSlabSize;
        try {
            m_slabs.reserve(m_slabs.size() + 1);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        char* pSlab = static_cast<char*>(std::malloc(nSlab));
        if (!pSlab)
            return nullptr;
        m_slabs.push_back(pSlab);
        m_pNext = pSlab;
        m_nLeft = nSlab;
    }
    char* p = m_pNext;
    m_pNext += nBytes;
    m_nLeft -= nBytes;
    return p;
}

void CTextArena::Clear()
{
    for (char* pSlab : m_slabs)
        std::free(pSlab);
    m_slabs.clear();
    m_pNext = nullptr;
    m_nLeft = 0;
}
