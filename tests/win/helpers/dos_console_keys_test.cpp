// Dosrun's console as the machine's keyboard: key presses and releases in the console's input
// become set-1 scan codes with their extended flag; records that are not keys are passed over.
#include <gtest/gtest.h>

#include <string>

#include "dosrun/win_console.h"

namespace {

INPUT_RECORD Key(WORD scan, bool down, DWORD state = 0)
{
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualScanCode = scan;
    record.Event.KeyEvent.dwControlKeyState = state;
    return record;
}

constexpr char kChildVariable[] = "HALYARD_CONSOLE_KEYS_CHILD";

// The test needs a console of its own (a runner's may be a pipe, or a terminal without input
// records): it runs itself again in a new console, where the checks below run.
bool RunInNewConsole(const char* test)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string line = std::string("\"") + exe + "\" --gtest_filter=" + test;
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA start = {sizeof start};
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                                        nullptr, &start, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!started)
        return false;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

TEST(DosConsoleKeys, PressesAndReleasesBecomeScanCodes)
{
    if (GetEnvironmentVariableA(kChildVariable, nullptr, 0) == 0) {
        EXPECT_TRUE(RunInNewConsole("DosConsoleKeys.PressesAndReleasesBecomeScanCodes"));
        return;
    }
    HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    DWORD mode;
    if (in == INVALID_HANDLE_VALUE || !GetConsoleMode(in, &mode))
        FAIL() << "a new console without console input";
    FlushConsoleInputBuffer(in);
    INPUT_RECORD focus = {};
    focus.EventType = FOCUS_EVENT;
    const INPUT_RECORD records[] = {Key(0x1E, true), focus, Key(0x1E, false), Key(0x4D, true, ENHANCED_KEY)};
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, records, DWORD(std::size(records)), &written));
    halyard::dosrun::WinConsole console;
    const struct {
        uint8_t scan;
        bool extended, down;
    } expected[] = {{0x1E, false, true}, {0x1E, false, false}, {0x4D, true, true}};
    for (const auto& e : expected) {
        halyard::dos::KeyEvent event;
        ASSERT_TRUE(console.NextKeyEvent(event));
        EXPECT_EQ(event.scan, e.scan);
        EXPECT_EQ(event.extended, e.extended);
        EXPECT_EQ(event.down, e.down);
    }
    halyard::dos::KeyEvent none;
    EXPECT_FALSE(console.NextKeyEvent(none));
    CloseHandle(in);
}

}  // namespace
