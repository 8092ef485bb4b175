#include "core/pc/bios/graphics_screen.h"

#include <algorithm>
#include <cstring>

#include "core/pc/devices/font8x8.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {
namespace {

constexpr uint64_t kFrameInterval = 16666;  // microseconds: 60 frames a second
constexpr unsigned kPlaneBytes = 0x10000;
// What 1Ch keeps of the palette registers (16 and the overscan) and of the BIOS's video data
// (49h-66h and 84h-8Ah).
constexpr unsigned kSavedRegisters = 17, kSavedData = 0x1E + 7;

// The first 64 entries of the colour table as the mode set loads them. The 350- and 480-line
// modes (and the 40-column text) get the EGA's 64 colours: bits 0-2 blue, green and red at two
// thirds, bits 3-5 the same at one third. The 200-line modes get the CGA's 16, bit 4 as the
// intensity (bits 3 and 5 unused), and dark yellow made brown.
void LoadColours(VideoPorts& ports, bool cga)
{
    for (unsigned i = 0; i < 64; ++i) {
        const auto ega = [i](unsigned high, unsigned low) {
            return uint8_t(((i >> high) & 1) * 42 + ((i >> low) & 1) * 21);
        };
        const auto rgbi = [i](unsigned bit) { return uint8_t(((i >> bit) & 1) * 42 + ((i >> 4) & 1) * 21); };
        if (!cga)
            ports.SetDac(i, ega(2, 5), ega(1, 4), ega(0, 3));
        else if ((i & 0x17) == 0x06)
            ports.SetDac(i, 42, 21, 0);
        else
            ports.SetDac(i, rgbi(2), rgbi(1), rgbi(0));
    }
}

// The palette registers as the mode set leaves them: the CGA's colours in its modes, the
// 16-colour modes' own.
void LoadPalette(VideoPorts& ports, const ModeInfo& info)
{
    static const uint8_t kCga4[16] = {0x00, 0x13, 0x15, 0x17, 0x02, 0x04, 0x06, 0x07,
                                      0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    static const uint8_t kRgbi[16] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                      0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    static const uint8_t kEga[16] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x14, 0x07,
                                     0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F};
    for (unsigned i = 0; i < 16; ++i) {
        uint8_t value = uint8_t(i);
        switch (info.layout) {
        case Layout::Cga4: value = kCga4[i]; break;
        case Layout::Cga2: value = i == 0 ? 0x00 : 0x17; break;
        case Layout::Planar:
            value = info.mode == 0x11 ? (i == 0 ? 0x00 : 0x3F) : info.height == 200 ? kRgbi[i] : kEga[i];
            break;
        case Layout::Text40: value = kEga[i]; break;
        case Layout::Linear: break;
        }
        ports.SetPalette(i, value);
    }
}

}  // namespace

unsigned GraphicsScreen::CursorRow() const { return m_guest.mem.Read8(bda::kSegment, bda::kCursor + 1); }
unsigned GraphicsScreen::CursorColumn() const { return m_guest.mem.Read8(bda::kSegment, bda::kCursor); }

void GraphicsScreen::SetCursor(unsigned row, unsigned column)
{
    m_guest.mem.Write8(bda::kSegment, bda::kCursor, uint8_t(column));
    m_guest.mem.Write8(bda::kSegment, bda::kCursor + 1, uint8_t(row));
}

bool GraphicsScreen::Video()
{
    Registers& R = m_guest.R();
    const uint8_t ah = R.AH();
    if (ah == 0x00)
        return SetMode(R.AL());
    if (ah == 0x10) {
        Palette();
        return true;
    }
    if (ah == 0x0B) {
        CgaPalette();
        return true;
    }
    if (ah == 0x1C) {
        SaveState();
        return true;
    }
    if (m_mode == nullptr)
        return false;
    switch (ah) {
    case 0x02: SetCursor(R.r[kDX] >> 8, R.r[kDX] & 0xFF); return true;
    case 0x03:
        R.r[kDX] = uint16_t(CursorRow() << 8 | CursorColumn());
        R.r[kCX] = m_guest.mem.Read16(bda::kSegment, bda::kCursorShape);
        return true;
    case 0x06:
    case 0x07:
        ScrollWindow(ah == 0x06, R.AL(), {unsigned(R.r[kCX] >> 8), unsigned(R.r[kCX] & 0xFF), unsigned(R.r[kDX] >> 8),
                                          unsigned(R.r[kDX] & 0xFF)}, uint8_t(R.r[kBX] >> 8));
        return true;
    case 0x08: R.r[kAX] = CharacterAtCursor(); return true;
    case 0x0C: WritePixel(); return true;
    case 0x0D:
        R.SetAL(R.r[kCX] < m_mode->width && R.r[kDX] < m_mode->height
                    ? uint8_t(PixelIndex(*m_mode, m_guest.mem.Raw(), m_vga.Data(), R.r[kCX], R.r[kDX]) &
                              ColourMask(*m_mode))
                    : 0);
        return true;
    case 0x09:
    case 0x0A: {
        const unsigned row = CursorRow(), column = CursorColumn();
        for (unsigned i = 0; i < R.r[kCX] && column + i < m_mode->columns; ++i)
            DrawCharacter(row, column + i, R.AL(), uint8_t(R.r[kBX]));
        return true;
    }
    case 0x0E: Teletype(R.AL(), uint8_t(R.r[kBX])); return true;
    case 0x13: WriteString(); return true;
    case 0x0F:
        R.r[kAX] = uint16_t(m_mode->columns << 8 | m_guest.mem.Read8(bda::kSegment, bda::kVideoMode));
        R.SetR8(7, 0);
        return true;
    default: return false;
    }
}

bool GraphicsScreen::SetMode(uint8_t requested)
{
    const uint8_t mode = uint8_t(requested & 0x7F);
    const ModeInfo* info = FindMode(mode);
    if (info == nullptr) {
        if (m_mode != nullptr && m_display != nullptr)
            m_display->Close();
        m_mode = nullptr;
        m_text.DivertTeletype(nullptr);
        MapPlanes(false);
        m_devices.video.ResetColours();
        return false;  // a text mode, or unsupported: the text screen answers
    }
    m_mode = info;
    m_text.DivertTeletype(this);
    m_devices.video.ResetPlanes();
    MapPlanes(info->layout == Layout::Planar);
    Memory& mem = m_guest.mem;
    if (!(requested & 0x80))
        ClearMemory(*info);
    m_devices.video.ResetColours();
    if (info->layout != Layout::Linear)
        LoadColours(m_devices.video, info->height == 200 && info->layout != Layout::Text40);
    LoadPalette(m_devices.video, *info);
    mem.Write8(bda::kSegment, bda::kVideoMode, mode);
    mem.Write16(bda::kSegment, bda::kColumns, info->columns);
    mem.Write8(bda::kSegment, bda::kRows, uint8_t(info->rows - 1));
    mem.Write16(bda::kSegment, bda::kPageSize, info->layout == Layout::Text40 ? 0x800 : 0x4000);
    mem.Write16(bda::kSegment, bda::kPageStart, 0);
    mem.Fill(bda::kSegment, bda::kCursor, 0, 16);
    Refresh(true);
    return true;
}

// The processor's and the services' reads and writes of A000h go to the planes, or to memory.
void GraphicsScreen::MapPlanes(bool planar)
{
    m_guest.cpu.MapVideoWindow(planar ? &m_vga : nullptr);
    m_guest.mem.MapVideoWindow(planar ? &m_vga : nullptr);
}

void GraphicsScreen::ClearMemory(const ModeInfo& info)
{
    Memory& mem = m_guest.mem;
    if (info.layout == Layout::Text40) {
        for (unsigned i = 0; i < 40 * 25; ++i)
            mem.Write16(info.segment, uint16_t(i * 2), 0x0720);
    } else {
        std::memset(mem.Raw() + Linear(info.segment, 0), 0, kPlaneBytes);
    }
    m_vga.Clear();
}

// 0Ch: colour AL at column CX, row DX; bit 7 of AL XORs the colour in, except in mode 13h.
void GraphicsScreen::WritePixel()
{
    const Registers& R = m_guest.R();
    if (R.r[kCX] >= m_mode->width || R.r[kDX] >= m_mode->height)
        return;
    const bool exclusive = (R.AL() & 0x80) && m_mode->layout != Layout::Linear;
    const uint8_t colour = uint8_t(R.AL() & ColourMask(*m_mode));
    SetPixelIndex(*m_mode, m_guest.mem.Raw(), m_vga.Data(), R.r[kCX], R.r[kDX], colour, exclusive);
}

// A character cell: the glyph's rows stretched to the cell's height; colour bit 7 XORs it in.
void GraphicsScreen::DrawCharacter(unsigned row, unsigned column, uint8_t c, uint8_t colour)
{
    if (m_mode->layout == Layout::Text40) {
        m_guest.mem.Write16(m_mode->segment, CellOffset(row, column), uint16_t(colour << 8 | c));
        return;
    }
    const unsigned cellHeight = m_mode->height / m_mode->rows;
    const bool exclusive = (colour & 0x80) && m_mode->layout != Layout::Linear;
    // In 640 x 200 any colour but 0 is the mode's one colour.
    const uint8_t ink = m_mode->layout == Layout::Cga2 ? uint8_t((colour & 0x7F) != 0) : uint8_t(colour & ColourMask(*m_mode));
    const uint8_t* glyph = Font8x8(c);
    for (unsigned y = 0; y < cellHeight; ++y) {
        const uint8_t bits = glyph[y * 8 / cellHeight];
        for (unsigned x = 0; x < 8; ++x) {
            const unsigned px = column * 8 + x, py = row * cellHeight + y;
            const bool on = bits & (0x80 >> x);
            if (exclusive) {
                if (on)
                    SetPixelIndex(*m_mode, m_guest.mem.Raw(), m_vga.Data(), px, py, ink, true);
            } else {
                SetPixelIndex(*m_mode, m_guest.mem.Raw(), m_vga.Data(), px, py, on ? ink : 0, false);
            }
        }
    }
}

// The window's character rows move by `lines` (0: all of them), and the rows left behind are
// filled: with blanks of the attribute in 40-column text, with the colour `fill` in graphics.
void GraphicsScreen::ScrollWindow(bool up, unsigned lines, Window w, uint8_t fill)
{
    w.bottom = std::min<unsigned>(w.bottom, m_mode->rows - 1u);
    w.right = std::min<unsigned>(w.right, m_mode->columns - 1u);
    if (w.top > w.bottom || w.left > w.right)
        return;
    const unsigned height = w.bottom - w.top + 1;
    if (lines == 0 || lines > height)
        lines = height;
    for (unsigned i = 0; i < height; ++i) {
        const unsigned row = up ? w.top + i : w.bottom - i;
        const int from = i + lines < height ? int(up ? row + lines : row - lines) : -1;
        for (unsigned column = w.left; column <= w.right; ++column)
            MoveCell(row, column, from, fill);
    }
}

// Cell (row, column) becomes a copy of the cell in row `from` of its column, or blank (from < 0).
void GraphicsScreen::MoveCell(unsigned row, unsigned column, int from, uint8_t fill)
{
    Memory& mem = m_guest.mem;
    if (m_mode->layout == Layout::Text40) {
        const uint16_t cell = from < 0 ? uint16_t(fill << 8 | ' ') : mem.Read16(m_mode->segment, CellOffset(unsigned(from), column));
        mem.Write16(m_mode->segment, CellOffset(row, column), cell);
        return;
    }
    const unsigned cellHeight = m_mode->height / m_mode->rows;
    uint8_t* memory = mem.Raw();
    const uint8_t blank = uint8_t(fill & ColourMask(*m_mode));
    for (unsigned y = 0; y < cellHeight; ++y) {
        for (unsigned x = column * 8; x < column * 8 + 8; ++x) {
            const uint8_t v = from < 0 ? blank : PixelIndex(*m_mode, memory, m_vga.Data(), x, unsigned(from) * cellHeight + y);
            SetPixelIndex(*m_mode, memory, m_vga.Data(), x, row * cellHeight + y, v, false);
        }
    }
}

uint16_t GraphicsScreen::CellOffset(unsigned row, unsigned column) const
{
    return uint16_t((row * m_mode->columns + column) * 2);
}

// 08h: the character at the cursor. In graphics the cell's pixels are matched against each
// glyph as the BIOS draws it (a pixel of any colour but 0 is set); a cell that matches none
// reads as 0, AH = 0.
uint16_t GraphicsScreen::CharacterAtCursor() const
{
    const unsigned row = CursorRow(), column = std::min<unsigned>(CursorColumn(), m_mode->columns - 1u);
    if (m_mode->layout == Layout::Text40)
        return m_guest.mem.Read16(m_mode->segment, CellOffset(std::min<unsigned>(row, m_mode->rows - 1u), column));
    const unsigned cellHeight = m_mode->height / m_mode->rows;
    if (row >= m_mode->rows)
        return 0;
    uint8_t rows[16];
    for (unsigned y = 0; y < cellHeight; ++y) {
        rows[y] = 0;
        for (unsigned x = 0; x < 8; ++x)
            if (PixelIndex(*m_mode, m_guest.mem.Raw(), m_vga.Data(), column * 8 + x, row * cellHeight + y) != 0)
                rows[y] = uint8_t(rows[y] | 0x80 >> x);
    }
    for (unsigned c = 0; c < 256; ++c) {
        const uint8_t* glyph = Font8x8(uint8_t(c));
        unsigned y = 0;
        while (y < cellHeight && rows[y] == glyph[y * 8 / cellHeight])
            ++y;
        if (y == cellHeight)
            return uint16_t(c);
    }
    return 0;
}

void GraphicsScreen::Teletype(uint8_t c, uint8_t colour)
{
    unsigned row = CursorRow(), column = CursorColumn();
    switch (c) {
    case 7: return;
    case 8: column = column > 0 ? column - 1 : 0; break;
    case 10: ++row; break;
    case 13: column = 0; break;
    default:
        DrawCharacter(row, column, c, m_mode->layout == Layout::Text40 ? 0x07 : colour);
        if (++column >= m_mode->columns) {
            column = 0;
            ++row;
        }
        break;
    }
    if (row >= m_mode->rows) {
        ScrollWindow(true, 1, {0, 0, m_mode->rows - 1u, m_mode->columns - 1u}, m_mode->layout == Layout::Text40 ? 0x07 : 0);
        row = m_mode->rows - 1;
    }
    SetCursor(row, column);
}

// 13h: CX characters at ES:BP from row DH, column DL, in colour BL or (AL bit 1) each with its
// own; AL bit 0: the cursor stays after the text.
void GraphicsScreen::WriteString()
{
    const Registers& R = m_guest.R();
    const unsigned savedRow = CursorRow(), savedColumn = CursorColumn();
    const bool pairs = R.AL() & 2;
    SetCursor(R.r[kDX] >> 8, R.r[kDX] & 0xFF);
    uint16_t at = R.r[kBP];
    for (unsigned i = 0; i < R.r[kCX]; ++i) {
        const uint8_t c = m_guest.mem.Read8(R.seg[kES], at++);
        const uint8_t colour = pairs ? m_guest.mem.Read8(R.seg[kES], at++) : uint8_t(R.r[kBX]);
        Teletype(c, colour);
    }
    if (!(R.AL() & 1))
        SetCursor(savedRow, savedColumn);
}

// 0Bh: BH=0 sets the background (palette register 0, in the CGA's colours: bits 0-3) and, with
// bit 4, the bright set of the four-colour palette; BH=1 chooses that palette (0: green, red,
// brown; 1: cyan, magenta, white) for colours 1-3.
void GraphicsScreen::CgaPalette()
{
    const Registers& R = m_guest.R();
    VideoPorts& ports = m_devices.video;
    const uint8_t bl = uint8_t(R.r[kBX]);
    uint8_t bright = uint8_t(ports.Palette(1) & 0x10), odd = uint8_t(ports.Palette(1) & 1);
    if (R.r[kBX] >> 8 == 0) {
        ports.SetPalette(0, uint8_t((bl & 7) | (bl & 8) << 1));
        bright = uint8_t(bl & 0x10);
    } else {
        odd = bl & 1;
    }
    if (m_mode != nullptr && m_mode->layout == Layout::Cga4)
        for (unsigned i = 1; i < 4; ++i)
            ports.SetPalette(i, uint8_t((2 * i + odd) | bright));
}

// 10h: the palette registers (00h-03h, 07h-09h) and the colour table (10h, 12h, 15h, 17h).
void GraphicsScreen::Palette()
{
    Registers& R = m_guest.R();
    VideoPorts& ports = m_devices.video;
    Memory& mem = m_guest.mem;
    const uint16_t bx = R.r[kBX], cx = R.r[kCX], dx = R.r[kDX];
    switch (R.AL()) {
    case 0x00: ports.SetPalette(bx & 15, uint8_t(bx >> 8)); break;
    case 0x01: ports.SetOverscan(uint8_t(bx >> 8)); break;
    case 0x02:
        for (unsigned i = 0; i < 16; ++i)
            ports.SetPalette(i, mem.Read8(R.seg[kES], uint16_t(dx + i)));
        ports.SetOverscan(mem.Read8(R.seg[kES], uint16_t(dx + 16)));
        break;
    case 0x03: break;  // blink or intensity: the window shows intensity
    case 0x07: R.SetR8(7, ports.Palette(bx & 15)); break;
    case 0x08: R.SetR8(7, ports.Overscan()); break;
    case 0x09:
        for (unsigned i = 0; i < 16; ++i)
            mem.Write8(R.seg[kES], uint16_t(dx + i), ports.Palette(i));
        mem.Write8(R.seg[kES], uint16_t(dx + 16), ports.Overscan());
        break;
    case 0x10: ports.SetDac(bx & 0xFF, uint8_t(dx >> 8), uint8_t(cx >> 8), uint8_t(cx)); break;
    case 0x12:
        for (unsigned i = 0; i < cx; ++i) {
            const uint16_t at = uint16_t(dx + i * 3);
            ports.SetDac((bx + i) & 0xFF, mem.Read8(R.seg[kES], at), mem.Read8(R.seg[kES], uint16_t(at + 1)),
                         mem.Read8(R.seg[kES], uint16_t(at + 2)));
        }
        break;
    case 0x15: {
        const uint8_t* e = &ports.Dac()[(bx & 0xFF) * 3];
        R.r[kDX] = uint16_t(e[0] << 8 | (dx & 0xFF));
        R.r[kCX] = uint16_t(e[1] << 8 | e[2]);
        break;
    }
    case 0x17:
        for (unsigned i = 0; i < cx * 3u && i < 768; ++i)
            mem.Write8(R.seg[kES], uint16_t(dx + i), ports.Dac()[((bx & 0xFF) * 3 + i) % 768]);
        break;
    default: break;
    }
}

// 1Ch: CX names the states (bit 0 the palette registers, bit 1 the BIOS's video data, bit 2 the
// colour table); AL=00h gives in BX the 64-byte blocks they need, 01h saves them to ES:BX, 02h
// restores them from there. The buffer's layout is this machine's own, as on any BIOS.
void GraphicsScreen::SaveState()
{
    Registers& R = m_guest.R();
    const uint8_t sub = R.AL();
    const uint16_t states = R.r[kCX] & 7;
    if (sub > 2)
        return;
    if (sub == 0) {
        const unsigned bytes = (states & 1 ? kSavedRegisters : 0) + (states & 2 ? kSavedData : 0) + (states & 4 ? 768 : 0);
        R.r[kBX] = uint16_t((bytes + 63) / 64);
    } else {
        MoveState(sub == 1, states, R.seg[kES], R.r[kBX]);
    }
    R.SetAL(0x1C);
}

// The states to seg:at (save) or back from there, in the order of their bits.
void GraphicsScreen::MoveState(bool save, uint16_t states, uint16_t seg, uint16_t at)
{
    Memory& mem = m_guest.mem;
    VideoPorts& ports = m_devices.video;
    const auto move = [&](uint8_t value, auto restore) {
        if (save)
            mem.Write8(seg, at, value);
        else
            restore(mem.Read8(seg, at));
        ++at;
    };
    if (states & 1) {
        for (unsigned i = 0; i < 16; ++i)
            move(ports.Palette(i), [&](uint8_t v) { ports.SetPalette(i, v); });
        move(ports.Overscan(), [&](uint8_t v) { ports.SetOverscan(v); });
    }
    if (states & 2) {
        for (const auto& [from, count] : {std::pair<uint16_t, uint16_t>{bda::kVideoMode, 0x1E}, {bda::kRows, 7}})
            for (uint16_t i = 0; i < count; ++i) {
                const uint16_t off = uint16_t(from + i);
                move(mem.Read8(bda::kSegment, off), [&](uint8_t v) { mem.Write8(bda::kSegment, off, v); });
            }
    }
    if (states & 4) {
        for (unsigned i = 0; i < 256; ++i) {
            const uint8_t* e = &ports.Dac()[i * 3];
            uint8_t rgb[3] = {e[0], e[1], e[2]};
            for (unsigned c = 0; c < 3; ++c)
                move(rgb[c], [&](uint8_t v) { rgb[c] = v; });
            if (!save)
                ports.SetDac(i, rgb[0], rgb[1], rgb[2]);
        }
    }
}

Colours GraphicsScreen::CurrentColours() const
{
    Colours colours;
    colours.dac = &m_devices.video.Dac();
    for (unsigned i = 0; i < 16; ++i)
        colours.palette[i] = m_devices.video.Palette(i);
    return colours;
}

void GraphicsScreen::Refresh(bool force)
{
    if (m_mode == nullptr || m_display == nullptr || !m_display->Drawn())
        return;
    const uint64_t now = m_devices.Now();
    if (!force && m_shownOnce && now - m_lastShown < kFrameInterval)
        return;
    m_lastShown = now;
    Render();
    if (!force && m_shownOnce && m_next == m_frame)
        return;
    m_frame.swap(m_next);
    m_shownOnce = true;
    m_display->HideHostPointer(m_pointer != nullptr && m_pointer->visible);
    m_display->Show(m_frame.data(), m_mode->width, m_mode->height, m_title.c_str());
}

// The picture with the mouse pointer over it. In a text mode the cell under the pointer is
// changed for the rendering alone and put back before the program runs on.
void GraphicsScreen::Render()
{
    uint8_t* memory = m_guest.mem.Raw();
    const Colours colours = CurrentColours();
    if (m_pointer == nullptr || m_mode->layout != Layout::Text40) {
        RenderFrame(*m_mode, memory, m_vga.Data(), colours, m_next);
        if (m_pointer != nullptr)
            DrawPointer(*m_pointer, *m_mode, memory, m_vga.Data(), colours, m_next);
        return;
    }
    const int cell = PointerCell(*m_pointer, m_mode->columns, m_mode->rows);
    const uint16_t offset = uint16_t(cell * 2);
    const uint16_t saved = cell >= 0 ? m_guest.mem.Read16(m_mode->segment, offset) : 0;
    if (cell >= 0)
        m_guest.mem.Write16(m_mode->segment, offset, CellUnderPointer(*m_pointer, saved));
    RenderFrame(*m_mode, memory, m_vga.Data(), colours, m_next);
    if (cell >= 0)
        m_guest.mem.Write16(m_mode->segment, offset, saved);
}

}  // namespace halyard::dos
