// Dosrun's graphics window, a real window: the frame it is shown, scaled, under the program's
// name; its key messages become scan codes for the machine's keyboard, its mouse messages the
// mouse driver's state, and closing it is reported rather than destroying it under the machine.
#include <gtest/gtest.h>

#include <vector>

#include "dosrun/win_display.h"
#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"
#include "win/win_test_util.h"

namespace {

using halyard::dosrun::WinDisplay;

TEST(DosWindow, ShowsTheFrameAndPassesKeysMouseAndClose)
{
    WinDisplay display;
    std::vector<uint32_t> frame(320 * 200, 0x0000FF);
    for (unsigned x = 0; x < 160; ++x)
        frame[100 * 320 + x] = 0xFF0000;
    display.Show(frame.data(), 320, 200, "LAB.EXE - Dosrun");
    const HWND hwnd = display.Window();
    ASSERT_NE(hwnd, nullptr);
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "LAB.EXE - Dosrun");
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 400) << "200 lines shown doubled";
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    const COLORREF blue = GetPixel(dc, 400, 100), red = GetPixel(dc, 100, 201);
    ReleaseDC(hwnd, dc);
    if (blue != CLR_INVALID) {  // a window without a visible surface reads nothing back
        EXPECT_EQ(blue, RGB(0, 0, 255));
        EXPECT_EQ(red, RGB(255, 0, 0)) << "row 100 of the frame is rows 200-201 of the window";
    }

    const struct {
        UINT message;
        WPARAM key;
        LPARAM lParam;
        uint8_t scan;
        bool extended, down;
    } keys[] = {
        {WM_KEYDOWN, 'A', 0x001E0001, 0x1E, false, true},
        {WM_KEYUP, 'A', LPARAM(0xC01E0001), 0x1E, false, false},
        {WM_KEYDOWN, VK_RIGHT, 0x014D0001, 0x4D, true, true},
        {WM_SYSKEYDOWN, VK_MENU, 0x20380001, 0x38, false, true},
    };
    for (const auto& k : keys)
        PostMessageA(hwnd, k.message, k.key, k.lParam);
    for (const auto& k : keys) {
        halyard::dos::KeyEvent event;
        ASSERT_TRUE(display.NextKeyEvent(event)) << std::hex << k.scan;
        EXPECT_EQ(event.scan, k.scan);
        EXPECT_EQ(event.extended, k.extended);
        EXPECT_EQ(event.down, k.down);
    }

    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 101));
    const halyard::dos::MouseState mouse = display.Mouse();
    EXPECT_TRUE(mouse.inside);
    EXPECT_EQ(mouse.x, 100);
    EXPECT_EQ(mouse.y, 50);
    EXPECT_EQ(mouse.buttons, 1);

    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    halyard::dos::KeyEvent none;
    EXPECT_FALSE(display.NextKeyEvent(none));
    EXPECT_TRUE(display.Closed());
    EXPECT_TRUE(IsWindow(hwnd)) << "the machine ends the run; the window stays until then";
    display.Close();
    EXPECT_FALSE(IsWindow(hwnd));
}

// A program that ended in a graphics mode leaves its picture until a key is pressed in it.
TEST(DosWindow, LingersAfterTheProgramUntilAKey)
{
    WinDisplay display;
    const std::vector<uint32_t> frame(320 * 200, 0x00FF00);
    display.Show(frame.data(), 320, 200, "LAB.EXE - Dosrun");
    const HWND hwnd = display.Window();
    ASSERT_NE(hwnd, nullptr);
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
    display.Linger();
    EXPECT_FALSE(IsWindow(hwnd));
}

// A click in the window of a program run by Dosrun reaches the program's mouse event handler:
// the press and the release, each with its button state, the handler entered with interrupts off.
TEST(DosWindow, AClickCallsTheProgramsMouseHandler)
{
    using namespace helpers_test;
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string program = EnvText("HALYARD_STANDINS") + "\\..\\dos\\MOUSE.COM";
    if (!Exists(program)) GTEST_SKIP() << "no DOS test programs (nasm missing): " << program;
    ASSERT_TRUE(CopyInto(program, install.Source() + "\\MOUSE.COM"));
    CapturedProcess run;
    ASSERT_TRUE(run.Start("\"" + EnvText("HALYARD_DIST") + "\\bin\\Dosrun.exe\" MOUSE.COM", install.Source()));
    HWND window = nullptr;
    for (int i = 0; i < 200 && window == nullptr; ++i) {
        Sleep(50);
        window = FindWindowA(nullptr, "MOUSE.COM - Dosrun");
    }
    ASSERT_NE(window, nullptr);
    Sleep(300);  // the handler is set once the window shows
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 100));
    Sleep(300);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    ASSERT_TRUE(run.Finish(30000));
    EXPECT_EQ(run.Output(), "0002 0001 0000\r\n0004 0000 0000\r\n");
    EXPECT_EQ(run.ExitCode(), 0u);
}

}  // namespace
