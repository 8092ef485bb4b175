// The 64-bit installer, run as a lab administrator would: silently, into a folder of their choice.
#include "package/halyard_starts.h"
#include "win/win_test_util.h"
#include <shlobj.h>
#include <cstdlib>
#include <cstring>

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halyard";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::string Installer()
{
    const char* p = std::getenv("HALYARD_INSTALLER");
    return p ? p : "";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string RegString(const char* key, const char* value)
{
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return "";
    return data;
}

// Runs `exe args` and waits for it; the exit code, or -1 when it did not start or end.
long RunAndWait(const std::string& exe, const std::string& args, DWORD ms = 60000)
{
    e2e::Process p;
    DWORD code = 0;
    if (!p.Start(exe, args, "C:\\") || !p.WaitExit(ms, &code)) return -1;
    return static_cast<long>(code);
}

// The desktop of this user, moved into a test folder for the test's life: Wine links the real
// desktop folder to the Linux home folder, where a test must not leave shortcuts.
class TestDesktop {
public:
    explicit TestDesktop(const std::string& folder)
    {
        m_had = !RegString(kShellFolders, "Desktop").empty();
        DWORD size = sizeof m_old;
        RegGetValueA(HKEY_CURRENT_USER, kShellFolders, "Desktop", RRF_RT_ANY | RRF_NOEXPAND, &m_type, m_old, &size);
        CreateDirectoryA(folder.c_str(), nullptr);
        RegSetKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Desktop", REG_EXPAND_SZ, folder.c_str(),
                        static_cast<DWORD>(folder.size() + 1));
    }
    ~TestDesktop()
    {
        if (m_had)
            RegSetKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Desktop", m_type, m_old,
                            static_cast<DWORD>(std::strlen(m_old) + 1));
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Desktop");
    }

private:
    bool m_had = false;
    DWORD m_type = REG_EXPAND_SZ;
    char m_old[MAX_PATH] = {};
};

struct Shortcut {
    std::string target, folder;
};

Shortcut ReadShortcut(const std::string& lnk)
{
    Shortcut s;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return s;
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[MAX_PATH] = {};
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) s.target = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) s.folder = text;
    }
    if (file) file->Release();
    link->Release();
    return s;
}

std::string ProgramsFolder()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

}  // namespace

// The folder has a blank, a Chinese name and exactly the 127 bytes the program accepts.
TEST(Installer, InstallsSilentlyStartsFromItsShortcutAndUninstallsKeepingTheStudentsFiles)
{
    ASSERT_TRUE(Exists(Installer())) << "HALYARD_INSTALLER: run scripts/package.sh first";
    CoInitialize(nullptr);
    wintest::TempDir temp;
    TestDesktop desktop(temp.File("desktop"));
    std::string dir = temp.File("Halyard 测试 ");
    dir.append(127 - dir.size(), 'x');
    ASSERT_EQ(0, RunAndWait(Installer(), "/S /D=" + dir));

    for (const char* file : {"Halyard.exe", "Halyard.htm", "bin\\Dosrun.exe", "segment\\read-key", "Uninstall.exe"})
        EXPECT_TRUE(Exists(dir + "\\" + file)) << file;
    EXPECT_EQ(dir, RegString(kUninstallKey, "InstallLocation"));
    EXPECT_EQ(std::string(HALYARD_VERSION_TEXT).substr(std::strlen("Halyard ")), RegString(kUninstallKey, "DisplayVersion"));
    DWORD kb = 0, size = sizeof kb;
    RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kb, &size);
    EXPECT_GT(kb, 1000u);

    const std::string startMenuLink = ProgramsFolder() + "\\Halyard.lnk";
    const std::string desktopLink = temp.File("desktop\\Halyard.lnk");
    for (const std::string& lnk : {startMenuLink, desktopLink}) {
        const Shortcut s = ReadShortcut(lnk);
        EXPECT_EQ(dir + "\\Halyard.exe", s.target) << lnk;
        EXPECT_EQ(dir, s.folder) << lnk;
    }
    const Shortcut menu = ReadShortcut(startMenuLink);
    EXPECT_TRUE(HalyardStarts(menu.target, menu.folder));

    // The student's own files: a snippet added, a shipped one changed, the remembered folder.
    const std::string added = dir + "\\segment\\my-loop", changed = dir + "\\segment\\read-key";
    for (const std::string& path : {added, changed, dir + "\\config.ini"}) {
        HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "; mine\r\n", 8, &written, nullptr);
        CloseHandle(h);
    }
    // The uninstaller copies itself away and returns at once: wait for its last step, the removal of
    // its entry in the list of installed programs.
    ASSERT_EQ(0, RunAndWait(dir + "\\Uninstall.exe", "/S"));
    for (int i = 0; i < 300 && !RegString(kUninstallKey, "InstallLocation").empty(); ++i) Sleep(100);

    for (const char* gone : {"Halyard.exe", "Uninstall.exe", "bin", "Template", "segment\\exit-to-dos"})
        EXPECT_FALSE(Exists(dir + "\\" + gone)) << gone;
    for (const std::string& kept : {added, changed, dir + "\\config.ini"}) EXPECT_TRUE(Exists(kept)) << kept;
    EXPECT_FALSE(Exists(startMenuLink));
    EXPECT_FALSE(Exists(desktopLink));
    EXPECT_EQ("", RegString(kUninstallKey, "DisplayVersion"));
    CoUninitialize();
}

// A folder the program could not use is refused before anything is written (exit code 2): more
// than 127 bytes in the ANSI code page, where a Chinese character takes two.
TEST(Installer, RefusesAFolderTooLongForTheProgram)
{
    ASSERT_TRUE(Exists(Installer()));
    wintest::TempDir temp;
    TestDesktop desktop(temp.File("desktop"));   // should an installation happen after all
    std::string ascii = temp.File("");
    ascii.append(128 - ascii.size(), 'x');
    // Fewer than 127 characters, 128 bytes.
    std::string chinese = temp.File(temp.Path().size() % 2 ? "" : "x");
    while (chinese.size() < 128) chinese += "汉";
    for (const std::string& dir : {ascii, chinese}) {
        ASSERT_EQ(128u, dir.size());
        EXPECT_EQ(2, RunAndWait(Installer(), "/S /D=" + dir)) << dir;
        EXPECT_FALSE(Exists(dir)) << dir;
    }
}
