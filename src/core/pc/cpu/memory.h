#pragma once
// The real-mode address space: 1 MB, addressed as segment:offset. Every access is bounds-safe: the
// offset wraps within its segment at 64 KB and the linear address wraps at 1 MB, as on an 8086 (a
// word at offset FFFFh takes its high byte from offset 0 of the same segment).
//
// The services' reads and writes of the 64 KB at A0000h go through the video window while one is
// mapped (the 16-colour modes' planes), as the processor's do; Raw() is the plain memory always.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

inline constexpr uint32_t kMemorySize = 0x100000;
inline constexpr uint32_t kAddressMask = kMemorySize - 1;
inline constexpr uint16_t kConventionalTop = 0xA000;  // first segment above 640 KB
inline constexpr uint16_t kTextScreenSegment = 0xB800;
inline constexpr uint16_t kRomSegment = 0xF000;

inline uint32_t Linear(uint16_t seg, uint16_t off) { return ((uint32_t(seg) << 4) + off) & kAddressMask; }

// Told of every write to plain memory before it happens: the address and the byte it held.
class WriteLog {
public:
    virtual void Wrote(uint32_t linear, uint8_t old) = 0;

protected:
    ~WriteLog() = default;
};

class Memory {
public:
    Memory() : m_bytes(new uint8_t[kMemorySize]()) {}
    // Over the bytes of an earlier machine's memory, cleared (a new block when null).
    explicit Memory(std::unique_ptr<uint8_t[]> bytes) : m_bytes(std::move(bytes))
    {
        if (m_bytes == nullptr)
            m_bytes.reset(new uint8_t[kMemorySize]());
        else
            std::fill_n(m_bytes.get(), kMemorySize, uint8_t(0));
    }
    // Hands the bytes over to the next machine's memory; this one has none left.
    std::unique_ptr<uint8_t[]> TakeBytes() { return std::move(m_bytes); }

    uint8_t* Raw() { return m_bytes.get(); }
    const uint8_t* Raw() const { return m_bytes.get(); }

    // The 64 KB at A0000h decoded by `window` (null: plain memory again).
    void MapVideoWindow(MappedMemory* window) { m_window = window; }
    // The services' writes to plain memory are told to `log` (null: to none).
    void Log(WriteLog* log) { m_log = log; }

    uint8_t Read8(uint16_t seg, uint16_t off) const { return Load(Linear(seg, off)); }
    uint16_t Read16(uint16_t seg, uint16_t off) const
    {
        return uint16_t(Load(Linear(seg, off)) | Load(Linear(seg, uint16_t(off + 1))) << 8);
    }
    void Write8(uint16_t seg, uint16_t off, uint8_t v) { Store(Linear(seg, off), v); }
    void Write16(uint16_t seg, uint16_t off, uint16_t v)
    {
        Store(Linear(seg, off), uint8_t(v));
        Store(Linear(seg, uint16_t(off + 1)), uint8_t(v >> 8));
    }

    // Copies between the host and seg:off, the offset wrapping within the segment.
    void CopyOut(uint16_t seg, uint16_t off, uint8_t* dst, uint32_t n) const
    {
        for (uint32_t i = 0; i < n; ++i)
            dst[i] = Read8(seg, uint16_t(off + i));
    }
    void CopyIn(uint16_t seg, uint16_t off, const uint8_t* src, uint32_t n)
    {
        for (uint32_t i = 0; i < n; ++i)
            Write8(seg, uint16_t(off + i), src[i]);
    }
    void Fill(uint16_t seg, uint16_t off, uint8_t v, uint32_t n)
    {
        for (uint32_t i = 0; i < n; ++i)
            Write8(seg, uint16_t(off + i), v);
    }

    // The bytes at seg:off up to `terminator` (not included), at most `limit` of them; `complete`
    // tells whether the terminator was found within the limit.
    std::string ReadString(uint16_t seg, uint16_t off, uint32_t limit, uint8_t terminator, bool& complete) const
    {
        std::string text;
        // Plain memory a run at a time (up to the segment's end, the end of memory or the video
        // window), through the window a byte at a time.
        for (uint32_t i = 0; i < limit;) {
            const uint16_t at = uint16_t(off + i);
            const uint32_t a = Linear(seg, at);
            if (m_window != nullptr && a - kVideoWindowStart < kVideoWindowSize) {
                const uint8_t c = Load(a);
                if (c == terminator) {
                    complete = true;
                    return text;
                }
                text.push_back(char(c));
                ++i;
                continue;
            }
            uint32_t run = std::min({limit - i, 0x10000u - at, kMemorySize - a});
            if (m_window != nullptr && a < kVideoWindowStart)
                run = std::min(run, kVideoWindowStart - a);
            const uint8_t* from = m_bytes.get() + a;
            const void* end = std::memchr(from, terminator, run);
            const uint32_t n = end != nullptr ? uint32_t(static_cast<const uint8_t*>(end) - from) : run;
            text.append(reinterpret_cast<const char*>(from), n);
            if (end != nullptr) {
                complete = true;
                return text;
            }
            i += run;
        }
        complete = false;
        return text;
    }
    void WriteString(uint16_t seg, uint16_t off, const std::string& text)
    {
        CopyIn(seg, off, reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
    }

private:
    uint8_t Load(uint32_t a) const { return LoadMapped(m_bytes.get(), m_window, a); }
    void Store(uint32_t a, uint8_t v)
    {
        if (m_log != nullptr && !(m_window != nullptr && a - kVideoWindowStart < kVideoWindowSize))
            m_log->Wrote(a, m_bytes[a]);
        StoreMapped(m_bytes.get(), m_window, a, v);
    }

    std::unique_ptr<uint8_t[]> m_bytes;
    MappedMemory* m_window = nullptr;
    WriteLog* m_log = nullptr;
};

}  // namespace halyard::dos
