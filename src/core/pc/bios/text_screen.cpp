#include "core/pc/bios/text_screen.h"

#include <algorithm>
#include <cstring>

namespace halyard::dos {

void TextScreen::Reset()
{
    uint8_t* cells = Cells();
    for (unsigned i = 0; i < kScreenBytes; i += 2) {
        cells[i] = ' ';
        cells[i + 1] = kDefaultAttribute;
    }
    std::memcpy(m_shadow.data(), cells, kScreenBytes);
    m_mem.Write8(bda::kSegment, bda::kVideoMode, 3);
    m_mem.Write16(bda::kSegment, bda::kColumns, kScreenColumns);
    m_mem.Write16(bda::kSegment, bda::kPageSize, 0x1000);
    m_mem.Write16(bda::kSegment, bda::kPageStart, 0);
    m_mem.Fill(bda::kSegment, bda::kCursor, 0, 16);
    m_mem.Write16(bda::kSegment, bda::kCursorShape, 0x0607);
    m_mem.Write8(bda::kSegment, bda::kActivePage, 0);
    m_mem.Write16(bda::kSegment, bda::kCrtPort, 0x3D4);
    m_mem.Write8(bda::kSegment, bda::kRows, kScreenRows - 1);
    m_mem.Write16(bda::kSegment, bda::kCharHeight, 16);
}

void TextScreen::SetCursor(unsigned row, unsigned column)
{
    m_mem.Write8(bda::kSegment, bda::kCursor, uint8_t(std::min(column, kScreenColumns - 1)));
    m_mem.Write8(bda::kSegment, bda::kCursor + 1, uint8_t(std::min(row, kScreenRows - 1)));
}

uint16_t TextScreen::CellAtCursor() const
{
    return m_mem.Read16(kTextScreenSegment, uint16_t((CursorRow() * kScreenColumns + CursorColumn()) * 2));
}

void TextScreen::PutCell(unsigned row, unsigned column, uint8_t c, int attribute)
{
    if (row >= kScreenRows || column >= kScreenColumns)
        return;
    const unsigned offset = (row * kScreenColumns + column) * 2;
    uint8_t* cells = Cells();
    cells[offset] = c;
    if (attribute >= 0)
        cells[offset + 1] = uint8_t(attribute);
    Mirror(offset, 2);
}

// The teletype's own writes are copied to the shadow, so that they do not count as the program's.
void TextScreen::Mirror(unsigned offset, unsigned size)
{
    std::memcpy(m_shadow.data() + offset, Cells() + offset, size);
}

void TextScreen::LineFeed()
{
    const unsigned row = CursorRow();
    if (row + 1 < kScreenRows)
        SetCursor(row + 1, CursorColumn());
    else
        Scroll(true, 1, 0, 0, kScreenRows - 1, kScreenColumns - 1, kDefaultAttribute);
}

void TextScreen::Teletype(uint8_t c)
{
    if (m_divert != nullptr) {
        m_divert->Put(c);
        return;
    }
    if (!m_wholeScreen)
        m_console.WriteText(&c, 1);
    SetCursor(CursorRow(), CursorColumn());  // a cursor a program put off the screen comes back to its edge
    switch (c) {
    case 7: return;
    case 8:
        if (CursorColumn() > 0)
            SetCursor(CursorRow(), CursorColumn() - 1);
        return;
    case 10: LineFeed(); return;
    case 13: SetCursor(CursorRow(), 0); return;
    default: break;
    }
    PutCell(CursorRow(), CursorColumn(), c, -1);
    if (CursorColumn() + 1 < kScreenColumns) {
        SetCursor(CursorRow(), CursorColumn() + 1);
    } else {
        SetCursor(CursorRow(), 0);
        LineFeed();
    }
}

void TextScreen::WriteAtCursor(uint8_t c, int attribute, unsigned count)
{
    unsigned cell = CursorRow() * kScreenColumns + CursorColumn();
    for (unsigned i = 0; i < count && cell < kScreenColumns * kScreenRows; ++i, ++cell)
        PutCell(cell / kScreenColumns, cell % kScreenColumns, c, attribute);
}

void TextScreen::Scroll(bool up, unsigned lines, unsigned top, unsigned left, unsigned bottom, unsigned right,
                        uint8_t attribute)
{
    bottom = std::min(bottom, kScreenRows - 1);
    right = std::min(right, kScreenColumns - 1);
    if (top > bottom || left > right)
        return;
    const unsigned height = bottom - top + 1;
    if (lines == 0 || lines > height)
        lines = height;
    uint8_t* cells = Cells();
    const unsigned width = (right - left + 1) * 2;
    for (unsigned i = 0; i < height; ++i) {
        const unsigned row = up ? top + i : bottom - i;
        uint8_t* line = cells + (row * kScreenColumns + left) * 2;
        if (i + lines < height) {
            const unsigned from = up ? row + lines : row - lines;
            std::memmove(line, cells + (from * kScreenColumns + left) * 2, width);
        } else {
            for (unsigned x = 0; x < width; x += 2) {
                line[x] = ' ';
                line[x + 1] = attribute;
            }
        }
    }
    std::memcpy(m_shadow.data(), cells, kScreenBytes);
}

void TextScreen::TakeOverConsole()
{
    m_wholeScreen = true;
    m_shownRow = ~0u;
    Refresh();
}

void TextScreen::Refresh()
{
    const uint8_t* cells = Cells();
    if (!m_wholeScreen) {
        if (std::memcmp(cells, m_shadow.data(), kScreenBytes) == 0)
            return;
        m_wholeScreen = true;
        m_shownRow = ~0u;
    }
    const unsigned row = CursorRow(), column = CursorColumn();
    std::array<uint8_t, kScreenBytes> next;
    std::memcpy(next.data(), cells, kScreenBytes);
    const int pointed = m_pointer != nullptr ? PointerCell(*m_pointer, kScreenColumns, kScreenRows) : -1;
    if (pointed >= 0) {
        uint8_t* cell = &next[size_t(pointed) * 2];
        const uint16_t shown = CellUnderPointer(*m_pointer, uint16_t(cell[0] | cell[1] << 8));
        cell[0] = uint8_t(shown);
        cell[1] = uint8_t(shown >> 8);
    }
    if (row == m_shownRow && column == m_shownColumn && next == m_shown)
        return;
    m_shown = next;
    m_shownRow = row;
    m_shownColumn = column;
    m_console.ShowScreen(m_shown.data(), row, column);
}

}  // namespace halyard::dos
