// Opening and closing build consoles while their tools print: no hang, no error text, no thread
// cut short (a forced end would write "The redir thread is dead").
#include <gtest/gtest.h>

#include <cstdio>

#include "toolchain/build_console.h"
#include "core/toolchain/build_lines.h"
#include "win/toolchain/build_test_support.h"

namespace {

using buildtest::Count;
using buildtest::CPaneWindow;
using buildtest::CScopedEnv;
using buildtest::CTempInstall;
using buildtest::PumpUntil;

TEST(BuildConsoleLifecycle, HundredOpenCloseCyclesWhileAToolPrints)
{
    CTempInstall install;
    ASSERT_TRUE(install.Ready());
    ASSERT_TRUE(install.AddSource("hello.asm"));
    // 3000 lines in three bursts 100 ms apart: a close after any burst comes while it prints.
    CScopedEnv lines("HALYARD_STANDIN_LINES", "3000");
    CScopedEnv pause("HALYARD_STANDIN_PAUSE", "100");
    CPaneWindow pane;
    ULONGLONG slowestClose = 0;
    int closedWhilePrinting = 0;
    for (int cycle = 0; cycle < 100; ++cycle) {
        SCOPED_TRACE(cycle);
        auto console = std::make_unique<CBuildConsole>(pane.Get(), install.InstallDir());
        ASSERT_TRUE(console->Open(install.SourceDir()));
        ASSERT_TRUE(console->Compile("hello.asm", "hello", halyard::toolchain::kAssemblerTasm));
        // Close at different moments: before the tool starts, as it begins to print, while it prints.
        const char* seen[] = {"", "Compiling", "L0000001:", "L0001000:", "L0002000:"};
        if (cycle % 5 != 0) PumpUntil([&] { return Count(pane.Text(), seen[cycle % 5]) > 0; }, 5000);
        const std::string before = pane.Text();
        if (Count(before, "L0000001:") > 0 && Count(before, "stand-in: done") == 0) ++closedWhilePrinting;
        const ULONGLONG start = GetTickCount64();
        console.reset();
        slowestClose = std::max(slowestClose, GetTickCount64() - start);
        ASSERT_EQ(0u, Count(pane.Text(), "Error message")) << pane.Text().substr(0, 2000);
    }
    EXPECT_LT(slowestClose, 1000u);
    EXPECT_GE(closedWhilePrinting, 30);
    std::printf("closed while printing: %d of 100, slowest close %llu ms\n", closedWhilePrinting, slowestClose);
    RecordProperty("slowest_close_ms", static_cast<int>(slowestClose));
}

}  // namespace
