// The staged Halyard.exe starts from its folder, shows its main window and ends cleanly.
#include <gtest/gtest.h>
#include "e2e/harness.h"
#include <cstdio>
#include <vector>

namespace {
const char kTitle[] = "Halyard 6.0 Build 08.0117.3";

// The MDI children of the main window (document and welcome windows).
std::vector<std::string> ChildTitles(HWND frame)
{
    std::vector<std::string> titles;
    HWND client = FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(c, text, sizeof text);
        titles.push_back(text);
    }
    return titles;
}

std::string RegistryString(const char* key, const char* value)
{
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return "";
    return data;
}

void CloseAndExpectCleanExit(e2e::Process& p, HWND frame)
{
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(p.WaitExit(15000, &code)) << "did not exit after WM_CLOSE";
    EXPECT_EQ(0u, code);
}
}  // namespace

TEST(Startup, NoArgumentLeavesNoDocumentWindowAndExitsWithZero)
{
    const std::string dist = e2e::DistDir();
    ASSERT_FALSE(dist.empty()) << "HALYARD_DIST is not set";
    e2e::Process p;
    ASSERT_TRUE(p.Start(dist + "\\Halyard.exe", "", dist));
    HWND frame = e2e::FindTopWindow(p.Id(), kTitle, 20000);
    ASSERT_NE(nullptr, frame) << "no main window with the product title";
    EXPECT_NE(nullptr, GetMenu(frame));
    for (const std::string& t : ChildTitles(frame)) EXPECT_EQ(std::string::npos, t.find(".asm")) << t;
    // The welcome window is the first child, maximized (the frame may be found while it still
    // lays out its children).
    HWND welcome = nullptr;
    for (int i = 0; i < 100 && !(welcome && IsZoomed(welcome)); ++i, Sleep(50))
        welcome = GetWindow(FindWindowExA(frame, nullptr, "MDICLIENT", nullptr), GW_CHILD);
    char title[64] = {};
    GetWindowTextA(welcome, title, sizeof title);
    EXPECT_STREQ("Halyard MiniBBS", title);
    EXPECT_TRUE(IsZoomed(welcome));
    CloseAndExpectCleanExit(p, frame);
}

TEST(Startup, FileArgumentIsOpenedAndRemembered)
{
    const std::string dist = e2e::DistDir();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "e2e startup.asm";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fputs("mov ax, 4c00h\r\nint 21h\r\n", f);
    std::fclose(f);

    e2e::Process p;
    ASSERT_TRUE(p.Start(dist + "\\Halyard.exe", "\"" + path + "\"", dist));
    HWND frame = e2e::FindTopWindow(p.Id(), std::string(kTitle) + " - e2e startup.asm", 20000);
    ASSERT_NE(nullptr, frame);
    std::vector<std::string> titles = ChildTitles(frame);
    // Top to bottom: the opened file above the welcome window made at start-up.
    EXPECT_EQ((std::vector<std::string>{"e2e startup.asm", "Halyard MiniBBS"}), titles);
    CloseAndExpectCleanExit(p, frame);
    // The recent-file list is saved on exit in the per-user settings.
    EXPECT_EQ(path, RegistryString("Software\\Local AppWizard-Generated Applications\\Halyard\\Recent File List",
                                   "File1"));
    DeleteFileA(path.c_str());
}

TEST(Startup, MissingFileArgumentEndsTheProgram)
{
    const std::string dist = e2e::DistDir();
    e2e::Process p;
    ASSERT_TRUE(p.Start(dist + "\\Halyard.exe", "Z:\\no\\such\\file.asm", dist));
    // The framework reports the file; the test answers the message box, then start-up ends.
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        box = e2e::FindTopWindow(p.Id(), "Halyard", 100);
        if (box && !FindWindowExA(box, nullptr, "Button", nullptr)) box = nullptr;
    }
    ASSERT_NE(nullptr, box) << "no message box about the missing file";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0;
    ASSERT_TRUE(p.WaitExit(15000, &code));
    EXPECT_NE(0u, code);
}
