#pragma once
// DOS memory: the chain of memory control blocks in conventional memory. Each block is preceded
// by a paragraph: 'M' (or 'Z' for the last), the owner's PSP (0 = free) and the size in
// paragraphs. The chain lives in guest memory, so a program that overwrites it gets
// kErrArenaTrashed, never a walk outside the arena.
#include <cstdint>

#include "core/pc/cpu/memory.h"

namespace halyard::dos {

class MemoryArena {
public:
    explicit MemoryArena(Memory& memory) : m_mem(memory) {}

    // One free block from `first` (its control block) up to `top`.
    void Reset(uint16_t first, uint16_t top);
    // First fit. On kErrNotEnoughMemory, `largest` is the largest free block.
    uint16_t Allocate(uint16_t paragraphs, uint16_t owner, uint16_t& segment, uint16_t& largest);
    uint16_t Free(uint16_t segment);
    // On kErrNotEnoughMemory, `largest` is the most the block can grow to.
    uint16_t Resize(uint16_t segment, uint16_t paragraphs, uint16_t& largest);
    void SetOwner(uint16_t segment, uint16_t owner);
    // The block's size in paragraphs, 0 for a segment that starts no block.
    uint16_t SizeOf(uint16_t segment);
    // Frees every block `owner` holds (a program that ends without staying resident).
    void FreeOwnedBy(uint16_t owner);
    uint16_t First() const { return m_first; }

private:
    struct Block {
        uint16_t mcb;
        bool last;
        uint16_t owner;
        uint16_t size;
    };
    Block ReadBlock(uint16_t mcb) const;
    void WriteBlock(const Block& b);
    // Walks the chain up to the block whose control block is `mcb` (or to the end for 0);
    // kErrArenaTrashed when the chain is broken.
    // Walks the chain up to the block whose control block is `mcb`: kErrInvalidBlock when no
    // block starts there, kErrArenaTrashed when the chain is broken before it.
    uint16_t Find(uint16_t mcb, Block& found);
    void MergeFree(Block& b);
    void Split(Block& b, uint16_t paragraphs);

    Memory& m_mem;
    uint16_t m_first = 0;
    uint16_t m_top = 0;
};

}  // namespace halyard::dos
