// The staged Halyard.exe starts from its folder, shows its main window and ends cleanly.
#include <gtest/gtest.h>
#include "e2e/harness.h"

TEST(Startup, MainWindowWithMenuClosesWithExitCodeZero)
{
    const std::string dist = e2e::DistDir();
    ASSERT_FALSE(dist.empty()) << "HALYARD_DIST is not set";
    e2e::Process p;
    ASSERT_TRUE(p.Start(dist + "\\Halyard.exe", "", dist));
    HWND frame = e2e::FindTopWindow(p.Id(), "Halyard 6.0 Build 08.0117.3", 20000);
    ASSERT_NE(nullptr, frame) << "no main window with the product title";
    EXPECT_NE(nullptr, GetMenu(frame));
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(p.WaitExit(10000, &code)) << "did not exit after WM_CLOSE";
    EXPECT_EQ(0u, code);
}
