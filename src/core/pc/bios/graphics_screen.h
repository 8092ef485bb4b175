#pragma once
// The graphics and 40-column modes: INT 10h's mode set, pixel, palette, colour-table and
// text-in-graphics functions, and the host window that shows the screen. The 80 x 25 text modes
// stay with the text screen and the console; setting one closes the window.
//
// The 16-colour modes keep their four planes here, and the processor reaches them at A000h
// through the graphics controller's logic while such a mode is set.
#include <cstdint>
#include <string>
#include <vector>

#include "core/pc/devices/devices.h"
#include "core/pc/devices/graphics_modes.h"
#include "core/pc/bios/guest.h"
#include "core/pc/host_devices.h"
#include "core/pc/bios/mouse_pointer.h"
#include "core/pc/bios/text_screen.h"
#include "core/pc/devices/vga_planes.h"

namespace halyard::dos {

class GraphicsScreen final : private TeletypeTarget {
public:
    GraphicsScreen(Guest& guest, Devices& devices, TextScreen& text)
        : m_guest(guest), m_devices(devices), m_text(text), m_vga(devices.video)
    {
    }

    void SetDisplay(HostDisplay& display) { m_display = &display; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    // The mode shown in the window, or null while the console shows the text screen.
    const ModeInfo* Mode() const { return m_mode; }
    // The mouse pointer drawn over this screen and the text screen as they are shown.
    void SetPointer(const MousePointer* pointer)
    {
        m_pointer = pointer;
        m_text.SetPointer(pointer);
    }

    // INT 10h: false when the call is the text screen's to serve.
    bool Video();
    // Shows the screen if it changed (at most 60 times a second of emulated time).
    void Refresh(bool force = false);
    // The frame as last shown (for tests and benchmarks).
    const std::vector<uint32_t>& Frame() const { return m_frame; }

private:
    // DOS's console output, in the light grey the BIOS's teletype uses by default.
    void Put(uint8_t c) override { Teletype(c, 0x07); }
    bool SetMode(uint8_t mode);
    void MapPlanes(bool planar);
    void WriteString();
    void ClearMemory(const ModeInfo& info);
    void Palette();
    void CgaPalette();
    void SaveState();
    void MoveState(bool save, uint16_t states, uint16_t seg, uint16_t at);
    void WritePixel();
    void DrawCharacter(unsigned row, unsigned column, uint8_t c, uint8_t colour);
    void Teletype(uint8_t c, uint8_t colour);
    // A rectangle of character cells, its corners included.
    struct Window {
        unsigned top, left, bottom, right;
    };
    void ScrollWindow(bool up, unsigned lines, Window window, uint8_t fill);
    void MoveCell(unsigned row, unsigned column, int from, uint8_t fill);
    uint16_t CellOffset(unsigned row, unsigned column) const;
    uint16_t CharacterAtCursor() const;
    unsigned CursorRow() const;
    unsigned CursorColumn() const;
    void SetCursor(unsigned row, unsigned column);
    Colours CurrentColours() const;
    void Render();

    Guest& m_guest;
    Devices& m_devices;
    TextScreen& m_text;
    HostDisplay* m_display = nullptr;
    std::string m_title = "Dosrun";
    const ModeInfo* m_mode = nullptr;
    const MousePointer* m_pointer = nullptr;
    VgaPlanes m_vga;
    std::vector<uint32_t> m_frame, m_next;
    uint64_t m_lastShown = 0;
    bool m_shownOnce = false;
};

}  // namespace halyard::dos
