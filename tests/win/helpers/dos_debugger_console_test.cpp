// A debugger typed at in a real console through Dosrun: a command line with echo and Backspace,
// Ctrl+C answered with ^C and the program's INT 23h, then a full screen in colour whose keys
// (cursor keys, function keys, Alt and Ctrl combinations) reach the program with their BIOS codes,
// until Alt+X ends it. The program is our own stand-in for DEBUG and TD; the real ones are typed
// at too when HALYARD_DOS_DEBUGGERS names a folder that holds them (they are not ours to ship).
// Beside them: keyboard and clock hooks while DOS reads the keys, and Ctrl+Break on a loop.
#include <gtest/gtest.h>

#include <cwchar>

#include "win/helpers/helper_setup.h"
#include "win/helpers/test_console.h"

namespace {

using console_test::Stroke;
using console_test::Typed;

struct Started {
    PROCESS_INFORMATION info = {};
    ~Started()
    {
        if (info.hProcess == nullptr)
            return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

// Outside the new console: runs the test there and says whether to go on (false).
bool InItsConsole(const char* test)
{
    if (console_test::InNewConsole())
        return true;
    std::string report;
    EXPECT_TRUE(console_test::RunInNewConsole((std::string("DosDebuggerConsole.") + test).c_str(), report)) << report;
    return false;
}

std::string StagedDosrun() { return helpers_test::EnvText("HALYARD_DIST") + "\\bin\\Dosrun.exe"; }

// Starts `line` in this console.
bool Start(std::string line, const std::string& folder, Started& run)
{
    STARTUPINFOA start = {sizeof start};
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &start,
                          &run.info) != 0;
}

DWORD EndsWithin(const Started& run, DWORD ms)
{
    DWORD code = 259;
    if (WaitForSingleObject(run.info.hProcess, ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(run.info.hProcess, &code);
    return code;
}

TEST(DosDebuggerConsole, CommandsAndAFullScreenAreTypedAt)
{
    if (!InItsConsole("CommandsAndAFullScreenAreTypedAt"))
        return;
    const std::string folder = helpers_test::EnvText("HALYARD_STANDINS") + "\\..\\dos";
    if (GetFileAttributesA((folder + "\\CONSOLE.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\" CONSOLE.COM", folder, run));

    // A command as DEBUG reads it: echoed as typed, the Backspace taking the x back.
    const int prompt = console.WaitForRow(L"-");
    ASSERT_GE(prompt, 0) << console.Dump();
    auto typed = Typed("rx");
    typed.push_back(console_test::Key(0x0E, true, 0, VK_BACK, 8));
    for (const auto& keys : {typed, Typed("t"), Stroke(VK_RETURN, 0x1C, '\r')})
        ASSERT_TRUE(console.Send(keys));
    const int echoed = console.WaitForRow(L"[rt]", 20000, prompt);
    ASSERT_GE(echoed, 0) << console.Dump();
    EXPECT_EQ(L"-rt", console.Row(echoed - 1)) << console.Dump();

    // Ctrl+C: ^C, the program's handler, and the line read again.
    ASSERT_TRUE(console.Send(Stroke('C', 0x2E, 3, LEFT_CTRL_PRESSED)));
    const int broke = console.WaitForRow(L"break", 20000, echoed);
    ASSERT_GE(broke, 0) << console.Dump();
    EXPECT_EQ(L"-^C", console.Row(broke - 1)) << console.Dump();
    ASSERT_TRUE(console.Send(Typed("q")));
    ASSERT_TRUE(console.Send(Stroke(VK_RETURN, 0x1C, '\r')));
    ASSERT_GE(console.WaitForRow(L"[q]", 20000, broke), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke(VK_SPACE, 0x39, ' ')));

    // The full screen: the bar in its colours at the window's top, the cursor where it was put.
    ASSERT_EQ(0, console.WaitForRow(L" File  Run  Breakpoints")) << console.Dump();
    EXPECT_EQ(0x1F, console.Attribute(0, 0));
    EXPECT_EQ(0x1F, console.Attribute(0, 79));
    const COORD cursor = console.Cursor();
    EXPECT_EQ(5, cursor.X);
    EXPECT_EQ(10, cursor.Y);
    const struct {
        WORD virtualKey, scan;
        DWORD state;
        const wchar_t* code;
    } keys[] = {
        {VK_UP, 0x48, ENHANCED_KEY, L"4800"},          {VK_F7, 0x41, 0, L"4100"},
        {VK_F5, 0x3F, LEFT_ALT_PRESSED, L"6C00"},      {VK_LEFT, 0x4B, ENHANCED_KEY | LEFT_CTRL_PRESSED, L"7300"},
        {VK_F10, 0x44, 0, L"4400"},                    {'A', 0x1E, LEFT_CTRL_PRESSED, L"1E01"},
    };
    for (const auto& key : keys)
        ASSERT_TRUE(console.Send(Stroke(key.virtualKey, key.scan, key.virtualKey == 'A' ? 1 : 0, key.state)));
    for (size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(int(2 + i), console.WaitForRow(keys[i].code, 20000, int(2 + i))) << keys[i].code << "\n"
                                                                                  << console.Dump();
        EXPECT_EQ(0x1E, console.Attribute(int(2 + i), 0));
    }

    // Alt+X leaves, with the program's code.
    ASSERT_TRUE(console.Send(Stroke('X', 0x2D, 0, LEFT_ALT_PRESSED)));
    EXPECT_EQ(7u, EndsWithin(run, 20000)) << console.Dump();
}

// F5 in the IDE: Tracegate shows the cheat sheet, then runs the debugger through Dosrun, and ends
// when the debugger does.
bool StartTracegate(const helpers_test::TestInstall& install, char mode, Started& run)
{
    return Start("\"" + install.Bin() + "\\Tracegate.exe\" " + mode + " HELLO.COM", install.Source(), run);
}

void TypeAtDebug(console_test::Console& console, const helpers_test::TestInstall& install)
{
    const auto enter = Stroke(VK_RETURN, 0x1C, '\r');
    Started debug;
    ASSERT_TRUE(StartTracegate(install, 'm', debug));
    ASSERT_GE(console.WaitFor([](const std::wstring& row) { return row == L"-"; }), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Typed("r")) && console.Send(enter));
    const int registers = console.WaitForRow(L"AX=0000");
    ASSERT_GE(registers, 0) << console.Dump();
    EXPECT_NE(std::wstring::npos, console.Row(registers + 2).find(L"0100")) << console.Dump();
    ASSERT_TRUE(console.Send(Typed("t")) && console.Send(enter));
    ASSERT_GE(console.WaitForRow(L"IP=0103", 20000, registers + 3), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Typed("q")) && console.Send(enter));
    EXPECT_EQ(0u, EndsWithin(debug, 20000)) << console.Dump();
}

void TypeAtTd(console_test::Console& console, const helpers_test::TestInstall& install)
{
    const auto enter = Stroke(VK_RETURN, 0x1C, '\r');
    Started td;
    ASSERT_TRUE(StartTracegate(install, 't', td));
    ASSERT_GE(console.WaitForRow(L"no symbol table"), 0) << console.Dump();
    ASSERT_EQ(0, console.WaitForRow(L"Breakpoints")) << console.Dump();
    ASSERT_TRUE(console.Send(enter));
    ASSERT_TRUE(console.Send(Stroke(VK_F7, 0x41, 0)));
    ASSERT_GE(console.WaitForRow(L"ip 0103"), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke(VK_F8, 0x42, 0)));
    ASSERT_TRUE(console.Send(Stroke(VK_F8, 0x42, 0)));
    ASSERT_GE(console.WaitForRow(L"ip 0107"), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke(VK_F5, 0x3F, 0, LEFT_ALT_PRESSED)));
    ASSERT_GE(console.WaitForRow(L"Hello, world!"), 0) << console.Dump();
    EXPECT_EQ(std::wstring::npos, console.Row(0).find(L"Breakpoints")) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke(VK_SPACE, 0x39, ' ')));
    ASSERT_EQ(0, console.WaitForRow(L"Breakpoints")) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke('X', 0x2D, 0, LEFT_ALT_PRESSED)));
    EXPECT_EQ(0u, EndsWithin(td, 20000)) << console.Dump();
}

// Debugging as F5 starts it, through Tracegate and Dosrun. DEBUG: registers, a step, quit. TD: its
// screen, steps (F7, F8), the program's screen with what it printed (Alt+F5) and back, Alt+X.
// Each leaves back to Tracegate, which ends. Either may be missing from the folder.
TEST(DosDebuggerConsole, TheCourseDebuggersAreTypedAt)
{
    const std::string tools = helpers_test::EnvText("HALYARD_DOS_DEBUGGERS");
    if (tools.empty())
        GTEST_SKIP() << "HALYARD_DOS_DEBUGGERS names no folder with DEBUG.EXE or TD.EXE";
    if (!InItsConsole("TheCourseDebuggersAreTypedAt"))
        return;
    helpers_test::TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    // DEBUG on the search path before the stand-in's, TD in the tool folder.
    const std::string dos = install.Root() + "\\dos";
    ASSERT_TRUE(CreateDirectoryA(dos.c_str(), nullptr));
    const bool debugger = helpers_test::CopyInto(tools + "\\DEBUG.EXE", dos + "\\DEBUG.EXE");
    const bool turbo = helpers_test::CopyInto(tools + "\\TD.EXE", install.Bin() + "\\tasm16\\td.exe");
    ASSERT_TRUE(debugger || turbo) << tools;
    const std::string hello = helpers_test::EnvText("HALYARD_STANDINS") + "\\..\\dos\\HELLO.COM";
    ASSERT_TRUE(helpers_test::CopyInto(hello, install.Source() + "\\HELLO.COM"));
    helpers_test::ScopedEnv path("PATH", dos + ";" + helpers_test::EnvText("PATH"));
    helpers_test::ScopedEnv runner("HALYARD_DOSRUN", StagedDosrun());
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    if (debugger)
        TypeAtDebug(console, install);
    if (turbo)
        TypeAtTd(console, install);
}

std::string DosTestPrograms() { return helpers_test::EnvText("HALYARD_STANDINS") + "\\..\\dos"; }

// Waits for the session's prompt (a row ending in ">") at or after row `from`.
int WaitForPrompt(console_test::Console& console, int from = 0)
{
    return console.WaitFor([](const std::wstring& row) { return row.size() > 2 && row.back() == L'>'; }, 20000, from);
}

bool TypeLine(console_test::Console& console, const std::string& line)
{
    return console.Send(Typed(line)) && console.Send(Stroke(VK_RETURN, 0x1C, '\r'));
}

// A program that loops without calling DOS, after it looked at the keyboard: one Ctrl+Break is a
// key to it, the second within two seconds ends the run with one clear line.
TEST(DosDebuggerConsole, AnEndlessLoopEndsAtCtrlBreakPressedTwice)
{
    if (!InItsConsole("AnEndlessLoopEndsAtCtrlBreakPressedTwice"))
        return;
    if (GetFileAttributesA((DosTestPrograms() + "\\SPIN.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\" SPIN.COM", DosTestPrograms(), run));
    Sleep(1500);
    // Wine's console sends no signal for these records (nor for GenerateConsoleCtrlEvent in a
    // console made for a test): Dosrun counts the records.
    const auto ctrlBreak = Stroke(VK_CANCEL, 0x46, 0, LEFT_CTRL_PRESSED | ENHANCED_KEY);
    ASSERT_TRUE(console.Send(ctrlBreak));
    EXPECT_EQ(259u, EndsWithin(run, 700)) << "one Ctrl+Break is only a key";
    ASSERT_TRUE(console.Send(ctrlBreak));
    EXPECT_EQ(255u, EndsWithin(run, 10000)) << console.Dump();
    EXPECT_GE(console.WaitForRow(L"stopped with Ctrl+Break", 5000), 0) << console.Dump();
}

// Keys read with INT 21h 01h pass the program's INT 9 hook, and its INT 1Ch hook ticks while DOS
// waits for them.
TEST(DosDebuggerConsole, HooksSeeTheKeysDosReadsAndTheClockTicksMeanwhile)
{
    if (!InItsConsole("HooksSeeTheKeysDosReadsAndTheClockTicksMeanwhile"))
        return;
    if (GetFileAttributesA((DosTestPrograms() + "\\HOOKS.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\" HOOKS.COM", DosTestPrograms(), run));
    ASSERT_TRUE(console.Send(Typed("ab")));
    ASSERT_GE(console.WaitForRow(L"ab"), 0) << console.Dump();
    Sleep(1000);
    ASSERT_TRUE(console.Send(Stroke(VK_RETURN, 0x1C, '\r')));
    EXPECT_EQ(0u, EndsWithin(run, 20000)) << console.Dump();
    const int row = console.WaitForRow(L"9=");
    ASSERT_GE(row, 0) << console.Dump();
    unsigned keys = 0, ticks = 0;
    ASSERT_EQ(2, swscanf(console.Row(row).c_str(), L"9=%x 1C=%x", &keys, &ticks)) << console.Dump();
    EXPECT_TRUE(keys == 5 || keys == 6) << keys << " bytes through INT 9 for a, b and Enter";
    EXPECT_GE(ticks, 15u) << "the clock ran while DOS waited";
}

// Dosrun with no program is a session of one PC: a program started at its prompt leaves its
// routine behind for the next one, until EXIT.
TEST(DosDebuggerConsole, ASessionRunsProgramsInOnePc)
{
    if (!InItsConsole("ASessionRunsProgramsInOnePc"))
        return;
    if (GetFileAttributesA((DosTestPrograms() + "\\USE7C.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\"", DosTestPrograms(), run));
    ASSERT_GE(WaitForPrompt(console), 0) << console.Dump();
    for (const char* line : {"inst7c", "use7c"})
        ASSERT_TRUE(TypeLine(console, line));
    const int used = console.WaitForRow(L"use7c");
    ASSERT_GE(used, 0) << console.Dump();
    ASSERT_GE(console.WaitForRow(L"!", 20000, used + 1), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "exit"));
    EXPECT_EQ(5u, EndsWithin(run, 20000)) << "EXIT passes on the last program's code\n" << console.Dump();
}

// A lab at the session's prompt on a real folder: its Chinese-named file shown by its alias and
// copied, renamed, deleted, a folder made and removed; then Ctrl+C at a batch file's PAUSE asks
// whether to end it, and Y does.
TEST(DosDebuggerConsole, ASessionWorksOnARealFolderAndAsksAtCtrlCInABatch)
{
    if (!InItsConsole("ASessionWorksOnARealFolderAndAsksAtCtrlCInABatch"))
        return;
    wintest::TempDir folder;
    folder.Write("第1题.txt", "hello\r\n");
    folder.Write("FILES.BAT", "@echo off\r\ndir\r\ncopy 1~1.txt b.txt\r\nren b.txt c.txt\r\nmd sub\r\ncopy c.txt sub\r\n"
                              "dir sub\r\ndel sub\\c.txt\r\nrd sub\r\ntype c.txt\r\ndel c.txt\r\necho done\r\n");
    folder.Write("STOP.BAT", "@echo off\r\npause\r\necho after\r\n");
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\"", folder.Path(), run));
    ASSERT_GE(WaitForPrompt(console), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "files"));
    const int done = console.WaitForRow(L"done");
    ASSERT_GE(done, 0) << console.Dump();
    const std::string screen = console.Dump();
    EXPECT_NE(screen.find("1~1      TXT         7"), std::string::npos) << screen;
    EXPECT_NE(screen.find("C        TXT         7"), std::string::npos) << "DIR SUB shows the copy\n" << screen;
    EXPECT_NE(screen.find("hello"), std::string::npos) << screen;
    EXPECT_EQ(wintest::ReadFileBytes(folder.File("第1题.txt")), "hello\r\n");
    for (const char* gone : {"b.txt", "c.txt", "sub"})
        EXPECT_EQ(GetFileAttributesA(folder.File(gone).c_str()), INVALID_FILE_ATTRIBUTES) << gone;

    ASSERT_TRUE(TypeLine(console, "stop"));
    ASSERT_GE(console.WaitForRow(L"Press any key", 20000, done), 0) << console.Dump();
    ASSERT_TRUE(console.Send(Stroke('C', 0x2E, 3, LEFT_CTRL_PRESSED)));
    const int asked = console.WaitForRow(L"Terminate batch job (Y/N)?", 20000, done);
    ASSERT_GE(asked, 0) << console.Dump();
    ASSERT_TRUE(console.Send(Typed("y")));
    ASSERT_GE(WaitForPrompt(console, asked), 0) << console.Dump();
    EXPECT_LT(console.WaitForRow(L"after", 500, asked), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "exit"));
    EXPECT_EQ(0u, EndsWithin(run, 20000)) << console.Dump();
}

// The first labs: DEBUG typed at alone, at the session's prompt, with no program (the real DEBUG,
// when HALYARD_DOS_DEBUGGERS names its folder).
TEST(DosDebuggerConsole, DebugRunsAloneAtTheSessionsPrompt)
{
    const std::string tools = helpers_test::EnvText("HALYARD_DOS_DEBUGGERS");
    if (GetFileAttributesA((tools + "\\DEBUG.EXE").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "HALYARD_DOS_DEBUGGERS names no folder with DEBUG.EXE";
    if (!InItsConsole("DebugRunsAloneAtTheSessionsPrompt"))
        return;
    wintest::TempDir folder;
    ASSERT_TRUE(helpers_test::CopyInto(tools + "\\DEBUG.EXE", folder.File("DEBUG.EXE")));
    console_test::Console console;
    ASSERT_TRUE(console.Ready());
    Started run;
    ASSERT_TRUE(Start("\"" + StagedDosrun() + "\"", folder.Path(), run));
    ASSERT_GE(WaitForPrompt(console), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "debug"));
    ASSERT_GE(console.WaitFor([](const std::wstring& row) { return row == L"-"; }), 0) << console.Dump();
    for (const char* line : {"a 100", "mov ax,1234", "mov bx,ax", "", "t", "t"})
        ASSERT_TRUE(TypeLine(console, line));
    ASSERT_GE(console.WaitForRow(L"BX=1234"), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "d 100 l4"));
    ASSERT_GE(console.WaitForRow(L"B8 34 12 89"), 0) << console.Dump();
    ASSERT_TRUE(TypeLine(console, "q"));
    const int quit = console.WaitFor([](const std::wstring& row) { return row == L"-q"; });
    ASSERT_GE(quit, 0) << console.Dump();
    ASSERT_GE(WaitForPrompt(console, quit + 1), 0) << "back at the prompt\n" << console.Dump();
    ASSERT_TRUE(TypeLine(console, "exit"));
    EXPECT_EQ(0u, EndsWithin(run, 20000)) << console.Dump();
}

}  // namespace
