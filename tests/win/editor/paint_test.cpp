// Pictures of the view: syntax colours, the margin, the caret line, selections in both themes,
// rows past the end, and double-byte text on the cell grid.
#include "win/editor/editor_fixture.h"

#include "asm/colour_scheme.h"
#include "core/buffer/line_record.h"

namespace edtest {
namespace {

class Painting : public EditorTest {
protected:
    void Shoot()
    {
        RECT rc;
        GetClientRect(m_pView->m_hWnd, &rc);
        m_picture = std::make_unique<CPicture>(rc.right, rc.bottom);
        EditorTest::Paint(*m_picture);
    }
    int Count(const RECT& rc, int colourIndex) { return m_picture->Count(rc, m_pView->ColourOf(colourIndex)); }
    RECT Row(int line)
    {
        RECT rc;
        GetClientRect(m_pView->m_hWnd, &rc);
        const int h = m_pView->GetLineHeight();
        return {m_pView->GetMarginWidth(), line * h, rc.right, line * h + h};
    }
    RECT NumberColumn(int line)
    {
        const int h = m_pView->GetLineHeight();
        return {0, line * h, m_pView->GetMarginWidth() - 20, line * h + h};
    }
    std::unique_ptr<CPicture> m_picture;
};

const char kSource[] = "    mov ax, 1 ; note\r\nlabel:\r\n";

TEST_F(Painting, SyntaxColoursMarginAndRowsPastTheEnd)
{
    Open(kSource);
    Place({0, 1});
    Shoot();
    EXPECT_GT(Count(CellRect(4, 0, 3), ColourInstruction), 0);
    EXPECT_EQ(0, Count(CellRect(4, 0, 3), ColourRegister));
    EXPECT_GT(Count(CellRect(8, 0, 2), ColourRegister), 0);
    EXPECT_GT(Count(CellRect(12, 0, 1), ColourNumber), 0);
    EXPECT_GT(Count(CellRect(14, 0, 6), ColourComment), 0);
    // Line numbers in the number column, none below the last line (line 2 is the empty last one).
    EXPECT_GT(Count(NumberColumn(0), ColourLineNumber), 0);
    EXPECT_GT(Count(NumberColumn(2), ColourLineNumber), 0);
    const RECT past = NumberColumn(3);
    EXPECT_EQ((past.right - past.left) * (past.bottom - past.top), Count(past, ColourMarginNumbers));
    const RECT row = Row(3);
    EXPECT_EQ((row.right - row.left) * (row.bottom - row.top), Count(row, ColourWhitespace));
}

// Opening a block comment recolours every line after it; typing that leaves the state at the
// line's end as it was repaints that line only.
TEST_F(Painting, AnEditRepaintsTheLinesWhoseColoursItChanges)
{
    Open("mov ax, 1\r\nmov bx, 2\r\nmov cx, 3\r\n");
    Shoot();
    EXPECT_GT(Count(CellRect(0, 2, 3), ColourInstruction), 0);
    Place({9, 0});
    ValidateRect(m_pView->m_hWnd, nullptr);
    Type("0");
    RECT update{};
    GetUpdateRect(m_pView->m_hWnd, &update, FALSE);
    EXPECT_EQ(m_pView->GetLineHeight(), update.bottom);
    Place({0, 1});
    ValidateRect(m_pView->m_hWnd, nullptr);
    Type("/*");
    GetUpdateRect(m_pView->m_hWnd, &update, FALSE);
    RECT client;
    GetClientRect(m_pView->m_hWnd, &client);
    EXPECT_EQ(m_pView->GetLineHeight(), update.top);
    EXPECT_EQ(client.bottom, update.bottom);
    Shoot();
    EXPECT_EQ(0, Count(CellRect(0, 2, 3), ColourInstruction));
    EXPECT_GT(Count(CellRect(0, 2, 3), ColourComment), 0);
    EXPECT_GT(Count(CellRect(0, 0, 3), ColourInstruction), 0);
}

TEST_F(Painting, TheCaretLineIsABand)
{
    Open(kSource);
    Place({2, 1});
    Shoot();
    RECT end = Row(1);
    end.left += 10 * m_pView->GetCharWidth();  // right of "label:"
    EXPECT_EQ((end.right - end.left) * (end.bottom - end.top), Count(end, ColourCaretLine));
    RECT other = Row(0);
    other.left += 25 * m_pView->GetCharWidth();
    EXPECT_EQ(0, Count(other, ColourCaretLine));
    // A document of one empty line: number 1 and a band across the whole row.
    Open("");
    Shoot();
    EXPECT_GT(Count(NumberColumn(0), ColourLineNumber), 0);
    const RECT band = Row(0);
    EXPECT_EQ((band.right - band.left) * (band.bottom - band.top), Count(band, ColourCaretLine));
}

// The selected text is drawn in the selection colours; the text around it keeps the caret line's
// band. (Each theme's selection colours are also colours of its plain text and background, so
// the band is what tells the cells apart.)
TEST_F(Painting, SelectionColoursInBothThemes)
{
    Open(kSource);
    ColourScheme scheme;
    for (int theme : {0, 1}) {
        SCOPED_TRACE(theme);
        scheme.ApplyTheme(theme);
        m_pView->AttachColourScheme(&scheme);
        Select({4, 0}, {7, 0});
        SetFocus(m_pView->m_hWnd);
        Shoot();
        const RECT selected = CellRect(4, 0, 3);
        const int area = (selected.right - selected.left) * (selected.bottom - selected.top);
        EXPECT_GT(Count(selected, ColourSelectionBack), area / 2);
        EXPECT_GT(Count(selected, ColourSelectionText), 0);
        EXPECT_EQ(0, Count(selected, ColourCaretLine));
        EXPECT_GT(Count(CellRect(0, 0, 4), ColourCaretLine), area / 2);
        EXPECT_GT(Count(CellRect(7, 0, 3), ColourCaretLine), area / 2);
    }
    EXPECT_EQ(RGB(56, 142, 142), m_pView->ColourOf(ColourSelectionBack));
    EXPECT_EQ(RGB(0, 0, 0), m_pView->ColourOf(ColourSelectionText));
    m_pView->AttachColourScheme(nullptr);
    EXPECT_FALSE(scheme.IsRegistered(m_pView->m_hWnd));
}

TEST_F(Painting, ASelectionEndingAtALineEndDrawsNoBlockAfterIt)
{
    Open("ab\r\ncd\r\n");
    SetFocus(m_pView->m_hWnd);
    Select({0, 0}, {2, 0});
    Shoot();
    EXPECT_EQ(0, Count(CellRect(2, 0, 1), ColourSelectionBack));
    Select({0, 0}, {1, 1});
    Shoot();
    const RECT block = CellRect(2, 0, 1);
    EXPECT_EQ((block.right - block.left) * (block.bottom - block.top), Count(block, ColourSelectionBack));
}

TEST_F(Painting, BookmarksShowInTheIconColumn)
{
    Open(kSource);
    RECT icons = Row(0);
    icons.left = m_pView->GetMarginWidth() - 20;
    icons.right = m_pView->GetMarginWidth();
    Shoot();
    const int plain = Count(icons, ColourMarginIcons);
    EXPECT_EQ((icons.right - icons.left) * (icons.bottom - icons.top), plain);
    Buffer().SetLineFlagBit(0, LINE_MARK, true, false);
    Shoot();
    EXPECT_LT(Count(icons, ColourMarginIcons), plain);
}

// "中文x": the Chinese characters fill columns 0-3, "x" sits in column 4, whatever the glyphs'
// own widths; the selection of "文" covers exactly columns 2-3.
TEST_F(Painting, DoubleByteCharactersFillTwoCells)
{
    Open("中文x\r\n");
    Place({0, 1});
    SetFocus(m_pView->m_hWnd);
    Shoot();
    EXPECT_GT(Count(CellRect(0, 0, 4), ColourNormalText), 0);
    EXPECT_GT(Count(CellRect(4, 0, 1), ColourNormalText), 0);
    Select({2, 0}, {4, 0});
    Shoot();
    const RECT wen = CellRect(2, 0, 2);
    const int area = (wen.right - wen.left) * (wen.bottom - wen.top);
    EXPECT_GT(Count(wen, ColourSelectionBack), area / 2);
    EXPECT_EQ(0, Count(wen, ColourCaretLine));
    EXPECT_GT(Count(CellRect(0, 0, 2), ColourCaretLine), area / 4);
    EXPECT_GT(Count(CellRect(4, 0, 1), ColourCaretLine), area / 4);
}

}  // namespace
}  // namespace edtest
