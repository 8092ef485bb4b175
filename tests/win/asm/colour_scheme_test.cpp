// The colour scheme on real windows: theme switches recolour a read-only edit answering its
// colour request from the scheme (read back from a memory-DC print) and a tree control, repaint
// every registered window, and never touch a window that is gone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "asm/colour_scheme.h"
#include "asm/control_colours.h"

namespace {

// One visible top-level window for the whole suite (they are slow to appear under Wine; hidden
// ones get no update region). It answers the colour requests of its edits as the Output pane's
// parent does, from the scheme of the running test.
class ColourSchemeOnWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ColourSchemeOnWindows::FrameProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HalyardSchemeHost";
        RegisterClassA(&wc);
        s_frame = CreateWindowA(wc.lpszClassName, "scheme", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240,
                                nullptr, nullptr, wc.hInstance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(s_frame); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_frame);
        s_current = this;
    }
    void TearDown() override
    {
        for (HWND child : m_children)
            if (IsWindow(child))
                DestroyWindow(child);
        s_current = nullptr;
    }

    HWND AddChild(const char* className, DWORD style = 0)
    {
        HWND child = CreateWindowExA(0, className, "mov ax, 4c00h", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 200,
                                     s_frame, nullptr, GetModuleHandleA(nullptr), nullptr);
        m_children.push_back(child);
        return child;
    }
    HWND AddEdit() { return AddChild("EDIT", ES_MULTILINE | ES_READONLY); }

    static HWND s_frame;
    ColourScheme m_scheme;

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (s_current != nullptr && (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT)) {
            HBRUSH brush = s_current->m_colours.Answer(s_current->m_scheme, reinterpret_cast<HDC>(wp));
            if (brush != nullptr)
                return LRESULT(brush);
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    static ColourSchemeOnWindows* s_current;
    SchemeControlColours m_colours;
    std::vector<HWND> m_children;
};

HWND ColourSchemeOnWindows::s_frame = nullptr;
ColourSchemeOnWindows* ColourSchemeOnWindows::s_current = nullptr;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The control printed into a memory bitmap: the colour of its bottom-right client pixel (below
// the text) and whether any pixel has the given text colour.
struct Printed {
    COLORREF background = CLR_INVALID;
    bool hasText = false;
};

Printed PrintClient(HWND control, COLORREF textColour)
{
    RECT rc;
    GetClientRect(control, &rc);
    HDC screen = GetDC(control);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, WPARAM(mem), PRF_CLIENT | PRF_ERASEBKGND);
    Printed printed;
    printed.background = GetPixel(mem, rc.right - 3, rc.bottom - 3);
    for (int y = 0; y < 24 && !printed.hasText; ++y)
        for (int x = 0; x < 120 && !printed.hasText; ++x)
            printed.hasText = GetPixel(mem, x, y) == textColour;
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(control, screen);
    return printed;
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH lb = {};
    GetObjectA(brush, sizeof lb, &lb);
    return lb.lbColor;
}

bool HasPendingPaint(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

void ValidateAll(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ValidateRect(hwnd, nullptr);
}

TEST(ColourScheme, SlotsFollowTheTheme)
{
    ColourScheme scheme;
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), scheme.ColourAt(ColourBackground));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), scheme.ColourAt(ColourNormalText));
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR), scheme.ColourAt(ColourMarginNumbers));
    scheme.ApplyTheme(ThemeDark);
    EXPECT_EQ(RGB(56, 142, 142), scheme.ColourAt(ColourNormalText));
    EXPECT_EQ(RGB(0, 0, 0), scheme.ColourAt(ColourSelectionText));
    EXPECT_EQ(RGB(56, 142, 142), scheme.ColourAt(ColourSelectionBack));
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR), scheme.ColourAt(ColourMarginIcons));
    EXPECT_EQ(RGB(255, 0, 0), scheme.ColourAt(28));
    EXPECT_EQ(RGB(255, 0, 0), scheme.ColourAt(29));
    EXPECT_EQ(RGB(255, 0, 0), scheme.ColourAt(-1));
    scheme.ApplyTheme(ThemeNormal);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), scheme.ColourAt(ColourWhitespace));
}

TEST_F(ColourSchemeOnWindows, NormalDarkNormalRecoloursTheOutputEdit)
{
    HWND edit = AddEdit();
    ASSERT_TRUE(m_scheme.RegisterWindow(edit));
    Pump();

    struct Step { int theme; COLORREF back, text; };
    const Step steps[] = {{ThemeNormal, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)},
                          {ThemeDark, RGB(0, 0, 0), RGB(56, 142, 142)},
                          {ThemeNormal, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.theme);
        ValidateAll(s_frame);
        m_scheme.ApplyTheme(step.theme);
        EXPECT_TRUE(HasPendingPaint(edit));
        Pump();

        const Printed printed = PrintClient(edit, step.text);
        EXPECT_EQ(step.back, printed.background);
        EXPECT_TRUE(printed.hasText);

        HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(s_frame, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(edit)));
        EXPECT_EQ(step.back, BrushColour(brush));
        EXPECT_EQ(step.text, GetTextColor(dc));
        EXPECT_EQ(step.back, GetBkColor(dc));
        DeleteDC(dc);
    }
}

TEST_F(ColourSchemeOnWindows, TreeTakesSlotsOneAndTwo)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND tree = AddChild(WC_TREEVIEWA);
    ASSERT_NE(nullptr, tree);
    ASSERT_TRUE(m_scheme.RegisterWindow(tree));
    ColourScheme& scheme = m_scheme;

    scheme.ApplyTheme(ThemeDark);
    ApplySchemeToTree(tree, scheme);
    EXPECT_EQ(RGB(0, 0, 0), COLORREF(TreeView_GetBkColor(tree)));
    EXPECT_EQ(RGB(56, 142, 142), COLORREF(TreeView_GetTextColor(tree)));

    scheme.ApplyTheme(ThemeNormal);
    ApplySchemeToTree(tree, scheme);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), COLORREF(TreeView_GetBkColor(tree)));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), COLORREF(TreeView_GetTextColor(tree)));
}

TEST_F(ColourSchemeOnWindows, RepaintsEveryRegisteredWindowEvenForTheSameTheme)
{
    ColourScheme& scheme = m_scheme;
    HWND first = AddEdit(), second = AddEdit(), bystander = AddEdit();
    ASSERT_TRUE(scheme.RegisterWindow(first));
    ASSERT_TRUE(scheme.RegisterWindow(second));
    ASSERT_TRUE(scheme.RegisterWindow(second));  // once only
    for (int theme : {ThemeDark, ThemeDark}) {
        ValidateAll(s_frame);
        scheme.ApplyTheme(theme);
        EXPECT_TRUE(HasPendingPaint(first));
        EXPECT_TRUE(HasPendingPaint(second));
        EXPECT_FALSE(HasPendingPaint(bystander));
    }
    scheme.UnregisterWindow(second);
    EXPECT_FALSE(scheme.IsRegistered(second));
    ValidateAll(s_frame);
    scheme.ApplyTheme(ThemeNormal);
    EXPECT_FALSE(HasPendingPaint(second));
    EXPECT_TRUE(HasPendingPaint(first));
}

TEST_F(ColourSchemeOnWindows, WindowsThatAreGoneAreNotTouched)
{
    ColourScheme& scheme = m_scheme;
    HWND gone = AddEdit(), kept = AddEdit();
    ASSERT_TRUE(scheme.RegisterWindow(gone));
    ASSERT_TRUE(scheme.RegisterWindow(kept));
    DestroyWindow(gone);
    EXPECT_FALSE(scheme.RegisterWindow(gone));

    ValidateAll(s_frame);
    scheme.ApplyTheme(ThemeDark);
    EXPECT_FALSE(scheme.IsRegistered(gone));
    EXPECT_TRUE(HasPendingPaint(kept));

    // A handle that now names another window has lost the mark: it is dropped, not repainted.
    HWND reused = AddEdit();
    ASSERT_TRUE(scheme.RegisterWindow(reused));
    RemovePropA(reused, "Halyard.ColourScheme");
    ValidateAll(s_frame);
    scheme.ApplyTheme(ThemeNormal);
    EXPECT_FALSE(HasPendingPaint(reused));
    EXPECT_FALSE(scheme.IsRegistered(reused));
}

}  // namespace
