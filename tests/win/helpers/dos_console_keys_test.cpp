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
    console_test::Console typed;
    if (!typed.Ready())
        FAIL() << "a new console without console input";
    INPUT_RECORD focus = {};
    focus.EventType = FOCUS_EVENT;
    ASSERT_TRUE(typed.Send({Key(0x1E, true), focus, Key(0x1E, false), Key(0x4D, true, ENHANCED_KEY)}));
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
}

}  // namespace
