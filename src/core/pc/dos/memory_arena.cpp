#include "core/pc/dos/memory_arena.h"

#include "core/pc/host.h"

namespace halyard::dos {

MemoryArena::Block MemoryArena::ReadBlock(uint16_t mcb) const
{
    return {mcb, m_mem.Read8(mcb, 0) == 'Z', m_mem.Read16(mcb, 1), m_mem.Read16(mcb, 3)};
}

void MemoryArena::WriteBlock(const Block& b)
{
    m_mem.Write8(b.mcb, 0, b.last ? 'Z' : 'M');
    m_mem.Write16(b.mcb, 1, b.owner);
    m_mem.Write16(b.mcb, 3, b.size);
}

void MemoryArena::Reset(uint16_t first, uint16_t top)
{
    m_first = first;
    m_top = top;
    m_mem.Fill(first, 0, 0, 16);
    WriteBlock({first, true, 0, uint16_t(top - first - 1)});
}

uint16_t MemoryArena::Find(uint16_t mcb, Block& found)
{
    uint32_t at = m_first;
    for (;;) {
        const uint8_t mark = m_mem.Read8(uint16_t(at), 0);
        if (mark != 'M' && mark != 'Z')
            return kErrArenaTrashed;
        found = ReadBlock(uint16_t(at));
        const uint32_t next = at + found.size + 1;
        if (next > m_top)
            return kErrArenaTrashed;
        if (at == mcb)
            return kErrNone;
        if (found.last)
            return kErrInvalidBlock;
        at = next;
    }
}

// Joins the free blocks that follow `b` to it (when `b` is free).
void MemoryArena::MergeFree(Block& b)
{
    while (!b.last && b.owner == 0) {
        const Block next = ReadBlock(uint16_t(b.mcb + b.size + 1));
        const bool marked = next.last || m_mem.Read8(next.mcb, 0) == 'M';
        if (!marked || next.owner != 0 || uint32_t(next.mcb) + next.size + 1 > m_top)
            break;
        b.size = uint16_t(b.size + next.size + 1);
        b.last = next.last;
    }
    WriteBlock(b);
}

// Cuts `b` to `paragraphs`, the rest (when there is room for its control block) a free block.
void MemoryArena::Split(Block& b, uint16_t paragraphs)
{
    if (b.size > paragraphs) {
        const Block rest{uint16_t(b.mcb + paragraphs + 1), b.last, 0, uint16_t(b.size - paragraphs - 1)};
        WriteBlock(rest);
        b.last = false;
        b.size = paragraphs;
    }
    WriteBlock(b);
}

uint16_t MemoryArena::Allocate(uint16_t paragraphs, uint16_t owner, uint16_t& segment, uint16_t& largest)
{
    largest = 0;
    uint32_t at = m_first;
    for (;;) {
        Block b;
        if (const uint16_t error = Find(uint16_t(at), b); error != kErrNone)
            return error == kErrInvalidBlock ? uint16_t(kErrArenaTrashed) : error;
        if (b.owner == 0) {
            MergeFree(b);
            if (b.size >= paragraphs) {
                b.owner = owner;
                Split(b, paragraphs);
                segment = uint16_t(b.mcb + 1);
                return kErrNone;
            }
            if (b.size > largest)
                largest = b.size;
        }
        if (b.last)
            return kErrNotEnoughMemory;
        at = uint32_t(b.mcb) + b.size + 1;
    }
}

uint16_t MemoryArena::Free(uint16_t segment)
{
    Block b;
    if (const uint16_t error = Find(uint16_t(segment - 1), b); error != kErrNone)
        return error;
    b.owner = 0;
    WriteBlock(b);
    return kErrNone;
}

uint16_t MemoryArena::Resize(uint16_t segment, uint16_t paragraphs, uint16_t& largest)
{
    Block b;
    if (const uint16_t error = Find(uint16_t(segment - 1), b); error != kErrNone)
        return error;
    const uint16_t owner = b.owner;
    b.owner = 0;
    MergeFree(b);
    b.owner = owner;
    if (b.size < paragraphs) {
        largest = b.size;
        WriteBlock(b);
        return kErrNotEnoughMemory;
    }
    Split(b, paragraphs);
    return kErrNone;
}

void MemoryArena::SetOwner(uint16_t segment, uint16_t owner)
{
    Block b;
    if (Find(uint16_t(segment - 1), b) == kErrNone) {
        b.owner = owner;
        WriteBlock(b);
    }
}

uint16_t MemoryArena::SizeOf(uint16_t segment)
{
    Block b;
    return Find(uint16_t(segment - 1), b) == kErrNone ? b.size : 0;
}

void MemoryArena::FreeOwnedBy(uint16_t owner)
{
    uint32_t at = m_first;
    Block b;
    while (Find(uint16_t(at), b) == kErrNone) {
        if (b.owner == owner) {
            b.owner = 0;
            WriteBlock(b);
        }
        if (b.last)
            return;
        at = uint32_t(b.mcb) + b.size + 1;
    }
}

}  // namespace halyard::dos
