// A course file in the simplified segment form, painted by a real view: every keyword shows its
// colour whatever its letter case, and a COMMENT block is comment from its first to its last line.
#include "win/editor/editor_fixture.h"

namespace edtest {
namespace {

const char kCourseFile[] =
    ".model small\r\n"       // 0
    ".STACK 100h\r\n"        // 1
    ".Data\r\n"              // 2
    "msg db 'Hi$'\r\n"       // 3
    ".data?\r\n"             // 4
    "COMMENT ~ the loop\r\n" // 5
    "  mov ax, bx\r\n"       // 6
    "~\r\n"                  // 7
    ".code\r\n"              // 8
    "Mov Ax, @data\r\n"      // 9
    "  INT 21h\r\n";         // 10

class SimplifiedSegments : public EditorTest {
protected:
    int Count(const RECT& rc, int colourIndex) { return m_picture->Count(rc, m_pView->ColourOf(colourIndex)); }
    std::unique_ptr<CPicture> m_picture;
};

TEST_F(SimplifiedSegments, EveryKeywordTakesItsColourInAnyCase)
{
    Open(kCourseFile);
    Place({0, 10});
    RECT rc;
    GetClientRect(m_pView->m_hWnd, &rc);
    m_picture = std::make_unique<CPicture>(rc.right, rc.bottom);
    Paint(*m_picture);
    const struct {
        int column, line, columns, colour;
    } cells[] = {
        {0, 0, 6, ColourDirective},  {7, 0, 5, ColourDirective},  {0, 1, 6, ColourDirective},
        {7, 1, 4, ColourNumber},     {0, 2, 5, ColourDirective},  {4, 3, 2, ColourDirective},
        {0, 4, 6, ColourDirective},  {0, 5, 18, ColourComment},   {2, 6, 10, ColourComment},
        {0, 7, 1, ColourComment},    {0, 8, 5, ColourDirective},  {0, 9, 3, ColourInstruction},
        {4, 9, 2, ColourRegister},   {8, 9, 5, ColourDirective},  {2, 10, 3, ColourInstruction},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << " column " << c.column);
        const RECT cell = CellRect(c.column, c.line, c.columns);
        EXPECT_GT(Count(cell, c.colour), 0);
        EXPECT_EQ(0, Count(cell, ColourNormalText));
    }
}

}  // namespace
}  // namespace edtest
