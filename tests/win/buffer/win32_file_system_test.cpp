// The Win32 file system on real files: round trips through a buffer, the read-only attribute, and
// saves that fail without touching the target.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "buffer/resource_captions.h"
#include "buffer/win32_file_system.h"
#include "core/buffer/text_buffer.h"

namespace {

class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof szTemp, szTemp));
        m_strFolder = std::string(szTemp) + "halyard-buffer-" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(m_strFolder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override
    {
        for (const std::string& name : FilesInFolder()) {
            const std::string path = m_strFolder + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(m_strFolder.c_str());
    }

    std::string Path(const char* pszName) const { return m_strFolder + pszName; }

    void WriteBytes(const std::string& path, const std::string& bytes)
    {
        const HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        DWORD dwWritten = 0;
        EXPECT_TRUE(WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, nullptr));
        CloseHandle(hFile);
    }

    std::string ReadBytes(const std::string& path)
    {
        const HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string bytes(GetFileSize(hFile, nullptr), '\0');
        DWORD dwRead = 0;
        EXPECT_TRUE(ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &dwRead, nullptr) || bytes.empty());
        CloseHandle(hFile);
        return bytes;
    }

    std::vector<std::string> FilesInFolder() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        const HANDLE hFind = FindFirstFileA((m_strFolder + "*").c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
        return names;
    }

    // Loads the file, adds a character at the start and saves it back.
    FileResult EditAndSave(CTextBuffer& buffer, const std::string& path)
    {
        int nEndLine, nEndChar;
        EXPECT_TRUE(buffer.InsertText(nullptr, 0, 0, ";", nEndLine, nEndChar, ACTION_TYPING));
        return buffer.SaveToFile(m_fs, path.c_str());
    }

    std::string m_strFolder;
    CWin32FileSystem m_fs;
};

TEST_F(Win32FilesTest, EditedFilesSaveBackByteForByte)
{
    const std::string files[] = {
        "", "mov ax, bx\r\nint 21h\r\n", "a\nb\n", "a\n\rb\n\r", "a\rb\r", std::string("\0\x1A\r\n\0", 5),
        std::string(100000, 'x') + "\r\n" + std::string(70000, 'y'),
    };
    const std::string path = Path("prog.asm");
    for (const std::string& bytes : files) {
        WriteBytes(path, bytes);
        CTextBuffer buffer;
        ASSERT_TRUE(buffer.LoadFromFile(m_fs, path.c_str()));
        EXPECT_FALSE(buffer.GetReadOnly());
        ASSERT_TRUE(EditAndSave(buffer, path));
        EXPECT_TRUE(ReadBytes(path) == ";" + bytes) << bytes.size() << " bytes";
        EXPECT_FALSE(buffer.IsModified());
        EXPECT_EQ(std::vector<std::string>{"prog.asm"}, FilesInFolder()) << "no temporary file is left";
    }
}

TEST_F(Win32FilesTest, ReadOnlyFileLoadsReadOnlyAndRefusesToBeReplaced)
{
    const std::string path = Path("locked.asm");
    WriteBytes(path, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    CTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(m_fs, path.c_str()));
    EXPECT_TRUE(buffer.GetReadOnly());
    buffer.SetReadOnly(false);
    const FileResult result = EditAndSave(buffer, path);
    EXPECT_EQ(FileStep::Replace, result.step);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), result.nError);
    EXPECT_EQ("old\r\n", ReadBytes(path));
    EXPECT_TRUE(buffer.IsModified());
    EXPECT_EQ(std::vector<std::string>{"locked.asm"}, FilesInFolder());
}

TEST_F(Win32FilesTest, FailuresNameTheirStepAndSystemReason)
{
    CTextBuffer buffer;
    FileResult result = buffer.LoadFromFile(m_fs, Path("vanished.asm").c_str());
    EXPECT_EQ(FileStep::Attributes, result.step);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_NOT_FOUND), result.nError);

    // A folder in the place of the file passes the attribute query but cannot be opened.
    const std::string folder = Path("folder.asm");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    result = buffer.LoadFromFile(m_fs, folder.c_str());
    EXPECT_EQ(FileStep::Open, result.step);
    EXPECT_NE(0ul, result.nError);

    // Saving over a folder: the rename fails and the folder stays.
    const std::string path = Path("prog.asm");
    WriteBytes(path, "x");
    ASSERT_TRUE(buffer.LoadFromFile(m_fs, path.c_str()));
    result = EditAndSave(buffer, folder);
    EXPECT_EQ(FileStep::Replace, result.step);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
    RemoveDirectoryA(folder.c_str());

    result = buffer.SaveToFile(m_fs, Path("no-such-folder\\prog.asm").c_str());
    EXPECT_EQ(FileStep::TempName, result.step);
    EXPECT_EQ(std::vector<std::string>{"prog.asm"}, FilesInFolder());
}

TEST(ResourceCaptions, LoadsTheUndoStringsOfTheProgram)
{
    const CResourceCaptions captions(GetModuleHandleA(nullptr));
    std::string text;
    ASSERT_TRUE(captions.LoadCaption(STRING_UNDO_ACTION, text));
    EXPECT_EQ("&Undo %s\tCtrl+Z", text);
    ASSERT_TRUE(captions.LoadCaption(STRING_REDO_PLAIN, text));
    EXPECT_EQ("&Redo\tCtrl+Z", text);
    CTextBuffer buffer;
    buffer.SetCaptionLoader(&captions);
    ASSERT_TRUE(buffer.DescribeAction(ACTION_DELETE, text));
    EXPECT_EQ("Delete", text);
    ASSERT_TRUE(buffer.DescribeAction(ACTION_AUTOINDENT, text));
    EXPECT_EQ("Auto Indent", text);
    EXPECT_FALSE(buffer.DescribeAction(11, text));
}

} // namespace
