// The utility commands: About box, ASCII table, calculator, Help pages and their enabled state.
#include "win/app/app_fixture.h"
#include "core/util/version.h"
#include <commctrl.h>
#include <functional>

using UtilityCommands = AppFixture;

namespace {
std::vector<std::string> g_pages;
std::vector<std::pair<std::string, int>> g_programs;
void RecordPage(const char* address) { g_pages.push_back(address); }
void RecordProgram(const char* program, int show) { g_programs.emplace_back(program, show); }

// Runs command `id` of `frame`, which shows a modal dialog, and calls `drive` with that dialog
// from inside its modal loop. `drive` must close it; a dialog still open 5 s later is cancelled
// and reported as `*stuck`, so a fault fails the test instead of hanging it.
std::function<void(HWND)> g_drive;
HWND g_owner;
bool g_stuck;

BOOL CALLBACK TakeOwnedDialog(HWND h, LPARAM lp)
{
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (strcmp(cls, "#32770") || (g_owner && GetWindow(h, GW_OWNER) != g_owner) || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

HWND FindModal()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeOwnedDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (HWND dlg = FindModal()) {
        g_stuck = true;
        EndDialog(dlg, IDABORT);
    }
}

void CALLBACK Driver(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = FindModal();
    if (!dlg) return;
    KillTimer(nullptr, id);
    SetTimer(nullptr, 0, 5000, Watchdog);
    auto drive = std::move(g_drive);
    drive(dlg);
}

bool RunModal(CMainFrame* frame, UINT id, std::function<void(HWND)> drive)
{
    g_drive = std::move(drive);
    g_owner = frame->m_hWnd;
    g_stuck = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, Driver);
    frame->SendCommand(id);
    KillTimer(nullptr, timer);
    return !g_stuck;
}

int g_closedBoxes = 0;
void CALLBACK CloseAnyBox(HWND, UINT, UINT_PTR, DWORD)
{
    for (HWND box; (box = FindModal()) != nullptr; ++g_closedBoxes) EndDialog(box, IDCANCEL);
}

BOOL CALLBACK CountVisible(HWND h, LPARAM lp)
{
    DWORD process = 0;
    GetWindowThreadProcessId(h, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(h)) ++*reinterpret_cast<size_t*>(lp);
    return TRUE;
}

size_t VisibleWindowsOfThisProcess()
{
    size_t count = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string TextOf(HWND h)
{
    char text[1024] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(UtilityCommands, AboutTextIsReadOnlyButSelectableAndHoldsTheVersion)
{
    std::string before, after, version;
    DWORD selStart = 0, selEnd = 0;
    LONG_PTR style = 0;
    bool closed = RunModal(frame, ID_APP_ABOUT, [&](HWND dlg) {
        HWND edit = GetDlgItem(dlg, IDC_ABOUT_TEXT);
        style = GetWindowLongPtrA(edit, GWL_STYLE);
        version = TextOf(GetDlgItem(dlg, IDC_ABOUT_VERSION));
        before = TextOf(edit);
        SendMessageA(edit, EM_SETSEL, 0, 7);
        SendMessageA(edit, WM_CHAR, 'x', 0);
        SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
        SendMessageA(edit, WM_CLEAR, 0, 0);
        SendMessageA(edit, EM_GETSEL, (WPARAM)&selStart, (LPARAM)&selEnd);
        after = TextOf(edit);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_EQ(HALYARD_VERSION_TEXT, version);
    EXPECT_EQ(0u, before.rfind(HALYARD_VERSION_TEXT "\r\n", 0)) << before;
    EXPECT_GT(before.size(), sizeof HALYARD_VERSION_TEXT + 10);   // the contact text follows
    EXPECT_EQ(before, after);
    EXPECT_EQ(0u, selStart);
    EXPECT_EQ(7u, selEnd);
}

TEST_F(UtilityCommands, AsciiTableShowsTheWholeBitmapAndEscapeClosesIt)
{
    BITMAP bm{};
    RECT client{};
    bool closed = RunModal(frame, ID_ASCII_TABLE, [&](HWND dlg) {
        HWND picture = GetDlgItem(dlg, IDC_ASCII_PICTURE);
        auto bitmap = (HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
        if (bitmap) GetObjectA(bitmap, sizeof bm, &bm);
        GetClientRect(dlg, &client);
        PostMessageA(dlg, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_TRUE(closed) << "Escape left the table open";
    // Drawn by scripts/gen_images.py at two pixels per dialog unit of the 274 x 327 template.
    EXPECT_EQ(548, bm.bmWidth);
    EXPECT_EQ(654, bm.bmHeight);
    EXPECT_GE(client.right, bm.bmWidth) << "the table is cut off";
    EXPECT_GE(client.bottom, bm.bmHeight) << "the table is cut off";
}

TEST_F(UtilityCommands, HelpPagesOpenTheAddressesOfTheStringTable)
{
    app.m_utilityCommands.SetLaunchers({RecordPage, RecordProgram});
    const struct {
        UINT command, address;
    } cases[] = {{ID_HELP_HOMEPAGE, IDS_URL_HOMEPAGE}, {ID_HELP_SUGGEST, IDS_URL_SUGGEST},
                 {ID_HELP_QUESTIONS, IDS_URL_QUESTIONS}};
    for (const auto& c : cases) {
        g_pages.clear();
        frame->SendCommand(c.command);
        ASSERT_EQ(1u, g_pages.size()) << c.command;
        EXPECT_EQ(FxLoadString(c.address), g_pages[0]);
        EXPECT_EQ(0u, g_pages[0].rfind("https://", 0)) << g_pages[0];
    }
    EXPECT_TRUE(g_programs.empty());
}

TEST_F(UtilityCommands, CalculatorStartsCalcAndAMissingOneShowsNoWindow)
{
    app.m_utilityCommands.SetLaunchers({RecordPage, RecordProgram});
    g_programs.clear();
    frame->SendCommand(ID_CALCULATOR);
    ASSERT_EQ(1u, g_programs.size());
    EXPECT_EQ("Calc.exe", g_programs[0].first);
    EXPECT_EQ(SW_SHOW, g_programs[0].second);

    // A missing program: no window of any kind appears, neither ours nor the system's. A modal
    // box would stop StartProgram: a timer closes it and counts it instead.
    const size_t before = VisibleWindowsOfThisProcess();
    g_closedBoxes = 0;
    g_owner = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseAnyBox);
    StartProgram("HalyardNoSuchCalculator.exe", SW_SHOW);
    wintest::Pump();
    KillTimer(nullptr, timer);
    EXPECT_EQ(0, g_closedBoxes);
    EXPECT_EQ(before, VisibleWindowsOfThisProcess());
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(UtilityCommands, EveryCommandIsEnabledInBothMenusAndTheToolbar)
{
    const UINT menuCommands[] = {ID_APP_ABOUT, ID_HELP_HOMEPAGE, ID_HELP_SUGGEST, ID_HELP_QUESTIONS, ID_BUILD_TOOLCHAIN_FOLDERS};
    for (UINT menuId : {IDR_MAINFRAME, IDR_HALYARDTYPE}) {
        HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
        ASSERT_TRUE(bar);
        for (int i = 0; i < GetMenuItemCount(bar); ++i) frame->UpdateMenuItems(GetSubMenu(bar, i));
        for (UINT id : menuCommands) {
            UINT state = GetMenuState(bar, id, MF_BYCOMMAND);
            ASSERT_NE((UINT)-1, state) << "menu " << menuId << " lacks " << id;
            EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED)) << "menu " << menuId << " item " << id;
        }
        DestroyMenu(bar);
    }
    app.OnIdle();
    for (UINT id : {ID_CALCULATOR, ID_ASCII_TABLE}) {
        ASSERT_GE(SendMessageA(frame->m_toolBar.m_hWnd, TB_COMMANDTOINDEX, id, 0), 0) << id;
        EXPECT_TRUE(SendMessageA(frame->m_toolBar.m_hWnd, TB_ISBUTTONENABLED, id, 0)) << id;
    }
}
