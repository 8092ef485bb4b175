// The check both packages share: their Halyard starts with its title and ends cleanly.
#pragma once
#include <gtest/gtest.h>
#include "e2e/harness.h"
#include "core/util/version.h"

// Starts `exe` in folder `dir`, waits for the main window with the product title, closes it and
// expects exit code 0.
inline testing::AssertionResult HalyardStarts(const std::string& exe, const std::string& dir)
{
    e2e::Process halyard;
    if (!halyard.Start(exe, "", dir)) return testing::AssertionFailure() << "cannot start " << exe;
    HWND frame = e2e::FindTopWindow(halyard.Id(), HALYARD_VERSION_TEXT, 20000);
    if (!frame) return testing::AssertionFailure() << "no main window with the product title";
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (!halyard.WaitExit(15000, &code)) return testing::AssertionFailure() << "did not end after WM_CLOSE";
    if (code != 0) return testing::AssertionFailure() << "exit code " << code;
    return testing::AssertionSuccess();
}
