// An editor view of a real document in a plain top-level window, driven by real messages: keys
// go through the view's accelerator table and WM_CHAR, the mouse through button messages at the
// cells of the text grid, and pictures come from WM_PRINTCLIENT into a memory bitmap.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "asm/halyard_view.h"
#include "toolchain/halyard_doc.h"
#include "win/win_test_util.h"

namespace edtest {

enum Mods : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// A 32-bit picture of the view's client area.
class CPicture {
public:
    CPicture(int width, int height);
    ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& rc, COLORREF colour) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

// Its drag loop hands the dragged text to `drop` instead of following the real mouse.
class CLoopbackView : public CHalyardView {
public:
    std::function<DWORD(IDataObject*, DWORD)> drop;

protected:
    DWORD RunDragLoop(HGLOBAL block, DWORD effects) override;
};

// The client point of a cell's middle (column, line as shown); x in the margin when column < 0.
POINT CellOf(CTextView* view, int column, int line);
// Enters, moves and drops at a client point of the view; the effect of the drop.
DWORD DropOn(CTextEditView* view, IDataObject* data, POINT client, DWORD keys);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens `text` (bytes of a file) in a new view; the previous one is closed.
    void Open(const std::string& text, CHalyardView* view = nullptr);
    CTextBuffer& Buffer() { return m_pDoc->GetBuffer(); }
    std::vector<std::string> Lines();

    // A key with modifiers, through the view's accelerator table; false when no accelerator took it.
    bool Key(UINT vk, unsigned mods = kNone);
    void Type(const std::string& bytes);
    bool Command(UINT id) { return m_pView->OnCmdMsg(id, 0); }
    FxCmdUI Update(UINT id, HMENU menu = nullptr);
    // The text the command's update handler gives a menu item.
    std::string MenuText(UINT id);

    TextPosition Caret() const { return m_pView->GetCursorPos(); }
    TextRange Selection() const { return m_pView->GetNormalizedSelection(); }
    void Place(TextPosition pt) { m_pView->MoveCaretTo(pt); }
    void Select(TextPosition a, TextPosition b);

    // The client point of a cell's middle (column, line as shown); x in the margin when column < 0.
    POINT CellPoint(int column, int line);
    void Mouse(UINT msg, POINT pt, UINT keys = 0);
    void Click(POINT pt, UINT keys = 0);

    void Paint(CPicture& picture);
    RECT CellRect(int column, int line, int columns = 1);

    wintest::TempDir m_dir;
    HWND m_hHost = nullptr;
    CHalyardDoc* m_pDoc = nullptr;
    CHalyardView* m_pView = nullptr;
    bool m_bOle = false;
};

}  // namespace edtest
