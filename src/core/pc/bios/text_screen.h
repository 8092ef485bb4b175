#pragma once
// The colour text screen: page 0 of mode 3 (80 x 25) at B800:0000, with the cursor and mode in
// the BIOS data area, and its mirror on the host console.
//
// Until the program draws on the screen, what it writes through the teletype goes to the console
// as text, so that ordinary output scrolls as in any console. Once it writes the screen memory
// itself or moves the cursor, the mirror shows the whole screen from then on. The shadow copy
// holds what the teletype itself wrote, so any other change of the memory is the program's.
#include <array>
#include <cstdint>

#include "core/pc/host.h"
#include "core/pc/cpu/memory.h"
#include "core/pc/bios/mouse_pointer.h"

namespace halyard::dos {

inline constexpr unsigned kScreenColumns = 80;
inline constexpr unsigned kScreenRows = 25;
inline constexpr unsigned kScreenBytes = kScreenColumns * kScreenRows * 2;
inline constexpr uint8_t kDefaultAttribute = 0x07;

// Offsets in the BIOS data area (segment 0040h).
namespace bda {
inline constexpr uint16_t kSegment = 0x40;
inline constexpr uint16_t kEquipment = 0x10, kMemorySize = 0x13, kVideoMode = 0x49, kColumns = 0x4A;
inline constexpr uint16_t kPageSize = 0x4C, kPageStart = 0x4E, kCursor = 0x50, kCursorShape = 0x60;
inline constexpr uint16_t kActivePage = 0x62, kCrtPort = 0x63, kTicks = 0x6C, kMidnight = 0x70;
inline constexpr uint16_t kRows = 0x84, kCharHeight = 0x85;
}  // namespace bda

// Where the teletype's characters go instead while a graphics mode is shown.
class TeletypeTarget {
public:
    virtual void Put(uint8_t c) = 0;

protected:
    ~TeletypeTarget() = default;
};

class TextScreen {
public:
    TextScreen(Memory& memory, HostConsole& console) : m_mem(memory), m_console(console) {}

    // Mode 3, blank, cursor at the top left; the data area describes it.
    void Reset();
    void Teletype(uint8_t c);
    // Null gives the teletype back to this screen.
    void DivertTeletype(TeletypeTarget* target) { m_divert = target; }
    // Writes `count` copies from the cursor on, without moving it; attribute < 0 keeps the cell's.
    void WriteAtCursor(uint8_t c, int attribute, unsigned count);
    // Moves the rectangle's lines up (or down) by `lines`, 0 blanking it, filling with `attribute`.
    void Scroll(bool up, unsigned lines, unsigned top, unsigned left, unsigned bottom, unsigned right,
                uint8_t attribute);
    unsigned CursorRow() const { return m_mem.Read8(bda::kSegment, bda::kCursor + 1); }
    unsigned CursorColumn() const { return m_mem.Read8(bda::kSegment, bda::kCursor); }
    void SetCursor(unsigned row, unsigned column);
    uint16_t CellAtCursor() const;

    // From now on the console shows the whole screen.
    void TakeOverConsole();
    // The mouse pointer, shown over the cell it covers once the console shows the whole screen.
    void SetPointer(const MousePointer* pointer) { m_pointer = pointer; }
    // Brings the console up to date: takes it over when the program changed the screen memory,
    // and redraws it when the screen or the cursor changed since the last time.
    void Refresh();

private:
    uint8_t* Cells() { return m_mem.Raw() + (uint32_t(kTextScreenSegment) << 4); }
    void PutCell(unsigned row, unsigned column, uint8_t c, int attribute);
    void LineFeed();
    void Mirror(unsigned offset, unsigned size);

    Memory& m_mem;
    HostConsole& m_console;
    bool m_wholeScreen = false;
    TeletypeTarget* m_divert = nullptr;
    const MousePointer* m_pointer = nullptr;
    std::array<uint8_t, kScreenBytes> m_shadow{};  // the screen as the teletype left it
    std::array<uint8_t, kScreenBytes> m_shown{};   // the screen as the console last showed it
    unsigned m_shownRow = ~0u, m_shownColumn = ~0u;
};

}  // namespace halyard::dos
