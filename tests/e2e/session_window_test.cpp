// Run in DOS session, twice in a row, from the real Halyard.exe: the first run opens a session
// window and the program installs its routine there; the second is typed at the same window's
// prompt and finds the routine, so EXIT ends the session with the code only the second run gives.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <fstream>

#include "core/pc/session_path.h"
#include "e2e/harness.h"
#include "resource.h"

namespace {

const char kTitle[] = "Halyard 6.0 Build 08.0117.3";

// The Dosrun that process `parent` started; 0 while there is none.
DWORD SessionOf(DWORD parent)
{
    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {sizeof entry};
    DWORD found = 0;
    for (BOOL more = Process32First(all, &entry); more && found == 0; more = Process32Next(all, &entry))
        if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, "Dosrun.exe") == 0)
            found = entry.th32ProcessID;
    CloseHandle(all);
    return found;
}

// Types `line` at the session's prompt through its typing pipe, as the IDE does.
bool TypeAt(DWORD session, const std::string& line)
{
    const std::string pipe = halyard::dos::TypingPipeName(session);
    for (int attempt = 0; attempt < 100; ++attempt, Sleep(100)) {
        HANDLE to = CreateFileA(pipe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (to == INVALID_HANDLE_VALUE)
            continue;
        DWORD written = 0;
        const bool sent = WriteFile(to, line.data(), DWORD(line.size()), &written, nullptr) && written == line.size();
        CloseHandle(to);
        return sent;
    }
    return false;
}

}  // namespace

TEST(DosSessionWindow, RunInTheSessionTwiceUsesOnePc)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "halyard session " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string programs = std::string(std::getenv("HALYARD_STANDINS")) + "\\..\\dos";
    if (GetFileAttributesA((programs + "\\TWICE.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    std::ofstream(folder + "\\lab.asm", std::ios::binary) << "; installs at its first run, calls at the next\r\n";
    ASSERT_TRUE(CopyFileA((programs + "\\TWICE.COM").c_str(), (folder + "\\lab.com").c_str(), FALSE));

    e2e::Process ide;
    ASSERT_TRUE(ide.Start(e2e::DistDir() + "\\Halyard.exe", "\"" + folder + "\\lab.asm\"", e2e::DistDir()));
    HWND frame = e2e::FindTopWindow(ide.Id(), std::string(kTitle) + " - lab.asm", 20000);
    ASSERT_NE(nullptr, frame);
    // Sent, not posted: each returns once the command has typed its line.
    // Once, in a Wine prefix just made, the first console a window program opened was gone before
    // the test saw it: the command is given again (up to three times) until a session window is
    // there; the second run below must then find that window.
    DWORD_PTR done = 0;
    DWORD session = 0;
    for (int attempt = 0; attempt < 3 && session == 0; ++attempt) {
        ASSERT_TRUE(SendMessageTimeoutA(frame, WM_COMMAND, ID_BUILD_RUN_SESSION, 0, SMTO_NORMAL, 30000, &done));
        for (int i = 0; i < 100 && session == 0; ++i, Sleep(100))
            session = SessionOf(ide.Id());
    }
    ASSERT_NE(0u, session) << "no session window was opened";
    HANDLE running = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, session);
    ASSERT_NE(nullptr, running);
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_COMMAND, ID_BUILD_RUN_SESSION, 0, SMTO_NORMAL, 30000, &done));
    EXPECT_EQ(session, SessionOf(ide.Id())) << "the second run opened another window";
    ASSERT_TRUE(TypeAt(session, "exit\r"));
    DWORD code = 1234;
    if (WaitForSingleObject(running, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(running, &code);
    CloseHandle(running);
    EXPECT_EQ(5u, code) << "the second run found the routine the first left in the PC";
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ide.WaitExit(15000, &code));
    DeleteFileA((folder + "\\lab.asm").c_str());
    DeleteFileA((folder + "\\lab.com").c_str());
    RemoveDirectoryA(folder.c_str());
}
