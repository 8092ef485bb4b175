// 在 Halyard 中调试 from the real Halyard.exe with the real assembler: a breakpoint set with F9, the
// run stopped on its line, three F10 steps, the value the source put in AX in the Registers pane,
// a DW variable in the Watch pane, and the return code in the Output pane. The DOS toolchain is
// the user's, not ours: the test runs when HALYARD_DOS_TOOLS names a folder whose masm16\ holds
// MASM.EXE and LINK.EXE (the layout of the installation's bin folder), and is skipped otherwise. HALYARD_DEBUG_HOLD=<seconds> keeps the run stopped that long
// after the steps, for a screenshot (scripts/screenshot.sh).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "core/debugwire/debug_wire.h"
#include "e2e/harness.h"
#include "resource.h"

namespace {

const char kTitle[] = "Halyard 6.0 Build 08.0117.3";

// Line 8 loads DS; after it, 9 and 10 have run, line 11 is current and AX holds 7.
const char kSource[] =
    "data segment\r\n"
    "count dw 1234h\r\n"
    "msg db 'Hi$'\r\n"
    "data ends\r\n"
    "code segment\r\n"
    "assume cs:code, ds:data\r\n"
    "start:\r\n"
    "    mov ax, data\r\n"
    "    mov ds, ax\r\n"
    "    mov ax, 7\r\n"
    "    mov bx, count\r\n"
    "    add ax, bx\r\n"
    "    mov ax, 4c00h\r\n"
    "    int 21h\r\n"
    "code ends\r\n"
    "end start\r\n";

// WM_GETTEXT itself: GetWindowText does not ask a window of another process.
std::string TextOf(HWND window)
{
    std::string text(size_t(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(size_t(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

// Waits until the Output pane holds `what`.
bool OutputShows(HWND output, const std::string& what, DWORD ms = 60000)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(100))
        if (TextOf(output).find(what) != std::string::npos) return true;
    return false;
}

// The list of the pane titled `title`.
HWND PaneList(HWND frame, const char* title)
{
    HWND bar = e2e::FindDescendant(frame, "HalyardResizableBar", title);
    return bar ? e2e::FindDescendant(bar, "SysListView32") : nullptr;
}

bool CopyTool(const std::string& from, const std::string& to, const char* name)
{
    return CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) != 0;
}

}  // namespace

TEST(DebugInHalyard, BreakpointStepsRegistersWatchAndTheEnd)
{
    const char* tools = std::getenv("HALYARD_DOS_TOOLS");
    if (!tools || !*tools) GTEST_SKIP() << "HALYARD_DOS_TOOLS is not set: no MASM to build the sample with";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string install = std::string(temp) + "halyard debug " + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(GetTickCount());
    for (const char* sub : {"", "\\bin", "\\bin\\masm16", "\\work"}) ASSERT_TRUE(CreateDirectoryA((install + sub).c_str(), nullptr));
    ASSERT_TRUE(CopyTool(e2e::DistDir() + "\\bin", install + "\\bin", "Dosrun.exe"));
    for (const char* tool : {"MASM.EXE", "LINK.EXE"})
        ASSERT_TRUE(CopyTool(std::string(tools) + "\\masm16", install + "\\bin\\masm16", tool)) << tool;
    const std::string path = install + "\\work\\hello.asm";
    std::ofstream(path, std::ios::binary) << kSource;

    e2e::Process p;
    ASSERT_TRUE(p.Start(e2e::DistDir() + "\\Halyard.exe", "\"" + path + "\"", install));
    HWND frame = e2e::FindTopWindow(p.Id(), std::string(kTitle) + " - hello.asm", 20000);
    ASSERT_NE(nullptr, frame);
    HWND output = e2e::FindDescendant(frame, "Edit", "", IDC_OUTPUT_EDIT);
    ASSERT_NE(nullptr, output);
    PostMessageA(frame, WM_COMMAND, ID_MODE_MASM, 0);
    // The caret starts on line 1: seven lines down is line 8.
    GUITHREADINFO gui{sizeof gui};
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui) && gui.hwndFocus);
    for (int i = 0; i < 7; ++i) {
        PostMessageA(gui.hwndFocus, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(gui.hwndFocus, WM_KEYUP, VK_DOWN, 0xC0000000);
    }
    PostMessageA(gui.hwndFocus, WM_KEYDOWN, VK_F9, 0);
    PostMessageA(gui.hwndFocus, WM_KEYUP, VK_F9, 0xC0000000);
    Sleep(300);
    PostMessageA(frame, WM_COMMAND, ID_DEBUG_HALYARD, 0);
    ASSERT_TRUE(OutputShows(output, "停在断点：hello.asm 第 8 行", 120000)) << TextOf(output);
    for (int step = 0; step < 3; ++step) {
        const size_t before = TextOf(output).size();
        PostMessageA(frame, WM_COMMAND, ID_DEBUG_STEP_OVER, 0);
        for (DWORD start = GetTickCount(); TextOf(output).size() == before && GetTickCount() - start < 10000;) Sleep(50);
    }
    ASSERT_TRUE(OutputShows(output, "hello.asm 第 11 行", 10000)) << TextOf(output);
    HWND registers = PaneList(frame, "Registers");
    ASSERT_NE(nullptr, registers);
    EXPECT_EQ("AX", e2e::RemoteListText(registers, halyard::debugwire::AX, 0));
    EXPECT_EQ("0007", e2e::RemoteListText(registers, halyard::debugwire::AX, 1));

    HWND watchBar = e2e::FindDescendant(frame, "HalyardResizableBar", "Watch");
    ASSERT_NE(nullptr, watchBar);
    HWND entry = e2e::FindDescendant(watchBar, "Edit");
    ASSERT_NE(nullptr, entry);
    SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("count"));
    PostMessageA(entry, WM_KEYDOWN, VK_RETURN, 0);
    HWND watch = PaneList(frame, "Watch");
    std::string value;
    for (DWORD start = GetTickCount(); value.empty() && GetTickCount() - start < 10000; Sleep(100))
        value = e2e::RemoteListText(watch, 0, 1);
    EXPECT_EQ("1234h  4660  '4.'", value);
    if (const char* hold = std::getenv("HALYARD_DEBUG_HOLD")) Sleep(DWORD(std::atoi(hold)) * 1000);

    PostMessageA(frame, WM_COMMAND, ID_DEBUG_CONTINUE, 0);
    EXPECT_TRUE(OutputShows(output, "程序结束，返回码 0", 20000)) << TextOf(output);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    EXPECT_TRUE(p.WaitExit(15000, &code));
}
