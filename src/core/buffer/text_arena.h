#pragma once
// Storage for the text of loaded lines: loading takes slices of a few large slabs instead of one
// heap block per line. Nothing is freed before Clear; a loaded line that outgrows its slice moves
// to a block of its own and leaves the slice unused.
#include <cstddef>
#include <vector>

class CTextArena {
public:
    CTextArena() = default;
    ~CTextArena();
    CTextArena(const CTextArena&) = delete;
    CTextArena& operator=(const CTextArena&) = delete;

    // Size of the next slabs; the expected total (a file's size) makes one slab hold all of it.
    void SetSlabSize(size_t nBytes);
    // nBytes of fresh storage; null when memory runs out. Zero bytes give null.
    char* Allocate(size_t nBytes);
    void Clear();

private:
    std::vector<char*> m_slabs;
    char* m_pNext = nullptr;
    size_t m_nLeft = 0;
    size_t m_nSlabSize = 1 << 20;
};
