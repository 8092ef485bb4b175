#include "win/editor/editor_fixture.h"

#include "editor/text_drag_source.h"
#include "resource.h"

namespace edtest {

DWORD CLoopbackView::RunDragLoop(HGLOBAL block, DWORD effects)
{
    IDataObject* data = CreateTextDataObject(block);
    DWORD effect = drop(data, effects);
    data->Release();
    return effect;
}

DWORD DropOn(CTextEditView* view, IDataObject* data, POINT client, DWORD keys)
{
    ClientToScreen(view->m_hWnd, &client);
    const POINTL at{client.x, client.y};
    IDropTarget* target = view->GetDropTarget();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, keys, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(keys, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, keys, at, &effect);
    return effect;
}

namespace {

// Commands of the host's accelerators go to the view, as the frame routes them.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND) {
        auto* view = reinterpret_cast<CHalyardView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (view) view->OnCmdMsg(LOWORD(wp), HIWORD(wp));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

const char* HostClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HalyardEditorTestHost";
        RegisterClassA(&wc);
        registered = true;
    }
    return "HalyardEditorTestHost";
}

void SetModifiers(unsigned mods)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = (mods & kShift) ? 0x80 : 0;
    keys[VK_CONTROL] = (mods & kCtrl) ? 0x80 : 0;
    keys[VK_MENU] = (mods & kAlt) ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

CPicture::CPicture(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_old = SelectObject(m_dc, m_bitmap);
}

CPicture::~CPicture()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF CPicture::At(int x, int y) const
{
    GdiFlush();
    DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int CPicture::Count(const RECT& rc, COLORREF colour) const
{
    int n = 0;
    for (int y = std::max(0L, rc.top); y < std::min(static_cast<LONG>(m_height), rc.bottom); ++y)
        for (int x = std::max(0L, rc.left); x < std::min(static_cast<LONG>(m_width), rc.right); ++x)
            n += At(x, y) == colour;
    return n;
}

void EditorTest::SetUp()
{
    m_bOle = SUCCEEDED(OleInitialize(nullptr));
    m_hHost = CreateWindowExA(0, HostClass(), "editor test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 120, 720, 480,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, m_hHost);
}

void EditorTest::TearDown()
{
    if (m_hHost) DestroyWindow(m_hHost);  // the view goes with it
    delete m_pDoc;
    wintest::Pump();
    if (m_bOle) OleUninitialize();
}

void EditorTest::Open(const std::string& text, CHalyardView* view)
{
    if (m_pView) DestroyWindow(m_pView->m_hWnd);
    delete m_pDoc;
    m_pDoc = new CHalyardDoc;
    m_pDoc->m_bAutoDelete = false;
    std::string path = m_dir.Write("a.asm", text);
    ASSERT_TRUE(m_pDoc->OnOpenDocument(path.c_str()));
    m_pView = view ? view : new CHalyardView;
    m_pView->SetDocument(m_pDoc);
    ASSERT_TRUE(m_pView->Create(m_hHost, AFX_IDW_PANE_FIRST));
    RECT rc;
    GetClientRect(m_hHost, &rc);
    MoveWindow(m_pView->m_hWnd, 0, 0, rc.right, rc.bottom, TRUE);
    m_pView->OnInitialUpdate();
    SetWindowLongPtrA(m_hHost, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_pView));
    SetForegroundWindow(m_hHost);
    SetFocus(m_pView->m_hWnd);
    wintest::Pump();
}

std::vector<std::string> EditorTest::Lines()
{
    std::vector<std::string> lines;
    for (int i = 0; i < Buffer().GetLineCount(); ++i) lines.emplace_back(Buffer().GetLine(i));
    return lines;
}

bool EditorTest::Key(UINT vk, unsigned mods)
{
    SetModifiers(mods);
    MSG msg{};
    msg.hwnd = m_pView->m_hWnd;
    msg.message = (mods & kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = 1 | ((mods & kAlt) ? (1 << 29) : 0);
    bool taken = TranslateAcceleratorA(m_hHost, m_pView->GetAccelerators(), &msg) != 0;
    SetModifiers(kNone);
    return taken;
}

void EditorTest::Type(const std::string& bytes)
{
    for (unsigned char c : bytes) SendMessageA(m_pView->m_hWnd, WM_CHAR, c, 1);
}

FxCmdUI EditorTest::Update(UINT id, HMENU menu)
{
    FxCmdUI ui(id);
    ui.m_hMenu = menu;
    if (!m_pView->OnUpdateCmd(ui) && !m_pDoc->OnUpdateCmd(ui)) ui.Enable(false);
    return ui;
}

std::string EditorTest::MenuText(UINT id)
{
    HMENU menu = CreatePopupMenu();
    std::string text = Update(id, menu).m_strText;
    DestroyMenu(menu);
    return text;
}

void EditorTest::Select(TextPosition a, TextPosition b)
{
    m_pView->SetAnchor(a);
    m_pView->SetCursorPos(b);
    m_pView->SelectRange(a, b);
}

POINT CellOf(CTextView* view, int column, int line)
{
    const int cw = view->GetCharWidth();
    const int x = column < 0 ? view->GetMarginWidth() / 2
                             : view->GetMarginWidth() + (column - view->GetFirstColumn()) * cw + cw / 4;
    return {x, (line - view->GetTopLine()) * view->GetLineHeight() + view->GetLineHeight() / 2};
}

POINT EditorTest::CellPoint(int column, int line) { return CellOf(m_pView, column, line); }

void EditorTest::Mouse(UINT msg, POINT pt, UINT keys)
{
    SendMessageA(m_pView->m_hWnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

void EditorTest::Click(POINT pt, UINT keys)
{
    Mouse(WM_LBUTTONDOWN, pt, keys | MK_LBUTTON);
    Mouse(WM_LBUTTONUP, pt, keys);
}

void EditorTest::Paint(CPicture& picture) { SendMessageA(m_pView->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT); }

RECT EditorTest::CellRect(int column, int line, int columns)
{
    const int cw = m_pView->GetCharWidth(), h = m_pView->GetLineHeight();
    const int x = m_pView->GetMarginWidth() + (column - m_pView->GetFirstColumn()) * cw;
    const int y = (line - m_pView->GetTopLine()) * h;
    return {x, y, x + columns * cw, y + h};
}

}  // namespace edtest
