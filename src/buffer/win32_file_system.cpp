#include "buffer/win32_file_system.h"

#include <windows.h>

#include <exception>
#include <new>
#include <string>

namespace {

IoStatus LastError()
{
    const DWORD dwError = GetLastError();
    return {dwError != ERROR_SUCCESS ? dwError : static_cast<unsigned long>(ERROR_GEN_FAILURE)};
}

IoStatus Result(BOOL bOk) { return bOk ? IoStatus{} : LastError(); }

// Sole owner of one open file: closed exactly once, by Close or by the destructor.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE hFile) : m_hFile(hFile) {}
    ~CFileHandle() { (void)Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    HANDLE Get() const { return m_hFile; }

    IoStatus Close()
    {
        if (m_hFile == INVALID_HANDLE_VALUE)
            return {};
        const HANDLE hFile = m_hFile;
        m_hFile = INVALID_HANDLE_VALUE;
        return Result(CloseHandle(hFile));
    }

private:
    HANDLE m_hFile;
};

// One ReadFile or WriteFile moves at most this much; larger requests are split.
constexpr size_t MAX_TRANSFER = 1u << 30;

class CWin32Reader final : public CReadFile {
public:
    explicit CWin32Reader(HANDLE hFile) : m_file(hFile) {}

    IoStatus Read(char* pBuffer, size_t nSize, size_t& nRead) override
    {
        DWORD dwRead = 0;
        const BOOL bOk = ReadFile(m_file.Get(), pBuffer, static_cast<DWORD>(nSize < MAX_TRANSFER ? nSize : MAX_TRANSFER),
                                  &dwRead, nullptr);
        nRead = bOk ? dwRead : 0;
        return Result(bOk);
    }

    IoStatus GetSize(uint64_t& nSize) override
    {
        LARGE_INTEGER size = {};
        const BOOL bOk = GetFileSizeEx(m_file.Get(), &size);
        nSize = bOk ? static_cast<uint64_t>(size.QuadPart) : 0;
        return Result(bOk);
    }

private:
    CFileHandle m_file;
};

class CWin32Writer final : public CWriteFile {
public:
    explicit CWin32Writer(HANDLE hFile) : m_file(hFile) {}

    // A write that reports success with fewer bytes than asked means the disk is full.
    IoStatus Write(const char* pData, size_t nSize) override
    {
        while (nSize > 0) {
            const DWORD dwAsked = static_cast<DWORD>(nSize < MAX_TRANSFER ? nSize : MAX_TRANSFER);
            DWORD dwWritten = 0;
            if (!WriteFile(m_file.Get(), pData, dwAsked, &dwWritten, nullptr))
                return LastError();
            if (dwWritten == 0)
                return {ERROR_HANDLE_DISK_FULL};
            pData += dwWritten;
            nSize -= dwWritten;
        }
        return {};
    }

    IoStatus Flush() override { return Result(FlushFileBuffers(m_file.Get())); }
    IoStatus Close() override { return m_file.Close(); }

private:
    CFileHandle m_file;
};

// Wraps an open handle into its owner; without memory for the owner the handle is closed.
template <class Owner, class Interface>
IoStatus Adopt(HANDLE hFile, std::unique_ptr<Interface>& file)
{
    if (hFile == INVALID_HANDLE_VALUE)
        return LastError();
    Owner* pOwner = new (std::nothrow) Owner(hFile);
    if (!pOwner) {
        CloseHandle(hFile);
        return {ERROR_NOT_ENOUGH_MEMORY};
    }
    file.reset(pOwner);
    return {};
}

} // namespace

IoStatus CWin32FileSystem::GetAttributes(const char* pszPath, FileAttributes& attrs)
{
    const DWORD dwAttributes = GetFileAttributesA(pszPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return LastError();
    attrs.bReadOnly = (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return {};
}

IoStatus CWin32FileSystem::OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file)
{
    const HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return Adopt<CWin32Reader>(hFile, file);
}

IoStatus CWin32FileSystem::CreateTempFile(const char* pszFolder, const char* pszPrefix, std::string& strName)
{
    char szName[MAX_PATH];
    if (GetTempFileNameA(pszFolder, pszPrefix, 0, szName) == 0)
        return LastError();
    try {
        strName = szName;
    } catch (const std::exception&) {
        DeleteFileA(szName);
        return {ERROR_NOT_ENOUGH_MEMORY};
    }
    return {};
}

IoStatus CWin32FileSystem::OpenWrite(const char* pszPath, std::unique_ptr<CWriteFile>& file)
{
    const HANDLE hFile =
        CreateFileA(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return Adopt<CWin32Writer>(hFile, file);
}

// Windows refuses to replace a read-only file; Wine's rename would replace it. The check makes
// both refuse.
IoStatus CWin32FileSystem::Replace(const char* pszFrom, const char* pszTo)
{
    const DWORD dwTarget = GetFileAttributesA(pszTo);
    if (dwTarget != INVALID_FILE_ATTRIBUTES && (dwTarget & FILE_ATTRIBUTE_READONLY))
        return {ERROR_ACCESS_DENIED};
    return Result(MoveFileExA(pszFrom, pszTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

IoStatus CWin32FileSystem::Delete(const char* pszPath) { return Result(DeleteFileA(pszPath)); }
