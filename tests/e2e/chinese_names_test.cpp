// A student's folder and file with Chinese names and a blank: opened from the command line, named
// in the title, assembled in their own folder under its short name, and saved back byte for byte. The names travel
// through Wine's mapping of Linux names, which needs the zh_CN.UTF-8 locale.
#include <gtest/gtest.h>
#include "e2e/harness.h"
#include "resource.h"
#include "standins/standin.h"
#include "core/toolchain/dos_names.h"
#include <shellapi.h>

#include <fstream>
#include <sstream>

namespace {
const char kTitle[] = "Halyard 6.0 Build 08.0117.3";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string LongPathOf(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD n = GetLongPathNameA(path.c_str(), full, sizeof full);
    return n > 0 && n < sizeof full ? full : "";
}

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder)
{
    const std::string from = folder + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

bool WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}
}  // namespace

TEST(ChineseNames, OpenTitleCompileAndSaveInAFolderWithAChineseName)
{
    const char* standins = std::getenv("HALYARD_STANDINS");
    ASSERT_NE(nullptr, standins) << "HALYARD_STANDINS is not set";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    // The installation folder is the current folder at start: the tool stand-in lives below it.
    // Wine reuses process ids, and a run that failed leaves its folder: the name takes the time too.
    const std::string install = std::string(temp) + "halyard e2e " + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(GetTickCount());
    const std::string folder = install + "\\汇编 作业";
    ASSERT_TRUE(CreateDirectoryA(install.c_str(), nullptr));
    for (const char* sub : {"\\bin", "\\bin\\tasm16"}) ASSERT_TRUE(CreateDirectoryA((install + sub).c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((std::string(standins) + "\\tasm.exe").c_str(), (install + "\\bin\\tasm16\\tasm.exe").c_str(), FALSE));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\第1题.asm";
    const std::string source = "; 第1题：显示字符串\r\nmov ax, 4c00h\r\nint 21h\r\n";
    ASSERT_TRUE(WriteAll(path, source));
    const std::string log = install + "\\records.txt";
    SetEnvironmentVariableA("HALYARD_STANDIN_LOG", log.c_str());

    e2e::Process p;
    ASSERT_TRUE(p.Start(e2e::DistDir() + "\\Halyard.exe", "\"" + path + "\"", install));
    HWND frame = e2e::FindTopWindow(p.Id(), std::string(kTitle) + " - 第1题.asm", 20000);
    ASSERT_NE(nullptr, frame) << "no main window titled with the Chinese file name";
    PostMessageA(frame, WM_COMMAND, ID_BUILD_COMPILE, 0);
    std::vector<standin::Recorded> records;
    for (int i = 0; i < 200 && records.empty(); ++i, Sleep(100)) records = standin::ParseRecords(ReadAll(log));
    ASSERT_EQ(1u, records.size()) << "the assembler was not started";
    // The DOS tools read 8.3 names only: they run in the folder's short form on the file's.
    ASSERT_FALSE(records[0].args.empty());
    const std::string dosFolder = records[0].folder, dosName = records[0].args.back();
    EXPECT_TRUE(halyard::toolchain::IsDosPath(dosFolder + "\\" + dosName)) << dosFolder << "\\" << dosName;
    EXPECT_EQ(path, LongPathOf(dosFolder + "\\" + dosName));
    // Compile saved the file first: the same bytes.
    EXPECT_EQ(source, ReadAll(path));

    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    EXPECT_TRUE(p.WaitExit(15000, &code));
    SetEnvironmentVariableA("HALYARD_STANDIN_LOG", nullptr);
    RemoveTree(install);
}
