// A step of the debugger in Halyard as a student sees it, on the real Halyard.exe, Dosrun and
// MASM: F10 posted to the editor, timed until the Output pane tells of the new stop and the
// Registers pane shows the new IP (the step, its messages over the pipe, the panes and the
// editor's current line redrawn), 200 times over a loop; against a round trip through the IDE's
// message queue (a WM_GETTEXTLENGTH sent to its Output pane), the reference. Prints the 50th and
// 99th percentiles; the goal is under 50 ms at the 99th.
//
//   bench_debug_ui_step <folder whose masm16\ holds MASM.EXE and LINK.EXE>   (HALYARD_DIST set)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "milliseconds.h"
#include "resource.h"

namespace {

const char kSource[] =
    "data segment\r\n"
    "count dw 0\r\n"
    "data ends\r\n"
    "code segment\r\n"
    "assume cs:code, ds:data\r\n"
    "start:\r\n"
    "    mov ax, data\r\n"
    "    mov ds, ax\r\n"
    "    mov cx, 1000\r\n"
    "again:\r\n"
    "    inc count\r\n"
    "    loop again\r\n"
    "    mov ax, 4c00h\r\n"
    "    int 21h\r\n"
    "code ends\r\n"
    "end start\r\n";

size_t LengthOf(HWND window) { return size_t(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)); }

std::string TextOf(HWND window)
{
    std::string text(LengthOf(window) + 1, '\0');
    text.resize(size_t(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s p50 %6.2f ms   p99 %6.2f ms\n", what, ms[ms.size() / 2], ms[ms.size() * 99 / 100]);
}

bool Copy(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || e2e::DistDir().empty())
        return 2;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string install = std::string(temp) + "halyard step bench " + std::to_string(GetCurrentProcessId());
    for (const char* sub : {"", "\\bin", "\\bin\\masm16", "\\work"})
        CreateDirectoryA((install + sub).c_str(), nullptr);
    if (!Copy(e2e::DistDir() + "\\bin\\Dosrun.exe", install + "\\bin\\Dosrun.exe") ||
        !Copy(std::string(argv[1]) + "\\masm16\\MASM.EXE", install + "\\bin\\masm16\\MASM.EXE") ||
        !Copy(std::string(argv[1]) + "\\masm16\\LINK.EXE", install + "\\bin\\masm16\\LINK.EXE"))
        return 3;
    const std::string path = install + "\\work\\step.asm";
    std::ofstream(path, std::ios::binary) << kSource;

    e2e::Process p;
    if (!p.Start(e2e::DistDir() + "\\Halyard.exe", "\"" + path + "\"", install))
        return 4;
    HWND frame = e2e::FindTopWindow(p.Id(), "", 20000);
    HWND output = frame ? e2e::FindDescendant(frame, "Edit", "", IDC_OUTPUT_EDIT) : nullptr;
    if (!output)
        return 5;
    Sleep(1000);
    PostMessageA(frame, WM_COMMAND, ID_MODE_MASM, 0);
    GUITHREADINFO gui{sizeof gui};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui) || !gui.hwndFocus)
        return 6;
    HWND editor = gui.hwndFocus;
    // A breakpoint on "inc count" (line 11), then the run.
    for (int i = 0; i < 10; ++i) {
        PostMessageA(editor, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(editor, WM_KEYUP, VK_DOWN, 0xC0000000);
    }
    PostMessageA(editor, WM_KEYDOWN, VK_F9, 0);
    PostMessageA(editor, WM_KEYUP, VK_F9, 0xC0000000);
    Sleep(300);
    PostMessageA(frame, WM_COMMAND, ID_DEBUG_HALYARD, 0);
    for (DWORD start = GetTickCount(); TextOf(output).find("第 11 行") == std::string::npos; Sleep(100))
        if (GetTickCount() - start > 120000)
            return 7;
    HWND registersBar = e2e::FindDescendant(frame, "HalyardResizableBar", "Registers");
    HWND registers = registersBar ? e2e::FindDescendant(registersBar, "SysListView32") : nullptr;
    if (!registers)
        return 8;
    constexpr int kIpRow = 12;
    std::vector<double> steps, queue;
    for (int i = 0; i < 200; ++i) {
        double t = Now();
        LengthOf(output);
        queue.push_back(Now() - t);
        const size_t before = LengthOf(output);
        const std::string ip = e2e::RemoteListText(registers, kIpRow, 1);
        t = Now();
        PostMessageA(editor, WM_KEYDOWN, VK_F10, 0);
        PostMessageA(editor, WM_KEYUP, VK_F10, 0xC0000000);
        while ((LengthOf(output) == before || e2e::RemoteListText(registers, kIpRow, 1) == ip) && Now() - t < 5000)
            ;
        steps.push_back(Now() - t);
    }
    Report("a round trip through the IDE's queue:", queue);
    Report("F10: the stop told, the Registers pane's IP new:", steps);
    PostMessageA(frame, WM_COMMAND, ID_DEBUG_STOP, 0);
    Sleep(500);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 0;
    p.WaitExit(15000, &code);
    return 0;
}
