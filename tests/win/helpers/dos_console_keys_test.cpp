// Dosrun's console as the machine's keyboard: key presses and releases in the console's input
// become set-1 scan codes with their extended flag; records that are not keys are passed over.
#include <gtest/gtest.h>

#include <string>

#include "dosrun/win_console.h"
#include "win/helpers/test_console.h"

namespace {

using console_test::Key;

TEST(DosConsoleKeys, PressesAndReleasesBecomeScanCodes)
{
    std::string report;
    if (!console_test::InNewConsole()) {
        EXPECT_TRUE(console_test::RunInNewConsole("DosConsoleKeys.PressesAndReleasesBecomeScanCodes", report)) << report;
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
