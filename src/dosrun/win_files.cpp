#include "dosrun/win_files.h"

namespace halyard::dosrun {
namespace {

// Win32's error codes up to 58h are DOS's; later ones are told as the nearest DOS code.
uint16_t DosError(DWORD error)
{
    if (error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY)
        return dos::kErrPathNotFound;
    if (error == ERROR_ALREADY_EXISTS)
        return dos::kErrAccessDenied;
    return error != 0 && error <= 0x58 ? uint16_t(error) : uint16_t(dos::kErrAccessDenied);
}

uint16_t LastError()
{
    return DosError(GetLastError());
}

uint16_t Result(BOOL ok)
{
    return ok ? uint16_t(dos::kErrNone) : LastError();
}

DWORD Win32Attributes(uint8_t attributes)
{
    const DWORD kept = attributes & (dos::kAttrReadOnly | dos::kAttrHidden | dos::kAttrSystem | dos::kAttrArchive);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

WinFiles::~WinFiles()
{
    for (HANDLE h : m_handles) {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
}

HANDLE WinFiles::Handle(int file) const
{
    return file >= 0 && size_t(file) < m_handles.size() ? m_handles[size_t(file)] : INVALID_HANDLE_VALUE;
}

uint16_t WinFiles::OpenHandle(const std::string& path, DWORD access, DWORD disposition, DWORD attributes, int& file)
{
    const HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                                 attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS ? uint16_t(dos::kErrFileExists) : DosError(error);
    }
    for (size_t i = 0; i < m_handles.size(); ++i) {
        if (m_handles[i] == INVALID_HANDLE_VALUE) {
            m_handles[i] = h;
            file = int(i);
            return dos::kErrNone;
        }
    }
    m_handles.push_back(h);
    file = int(m_handles.size() - 1);
    return dos::kErrNone;
}

uint16_t WinFiles::Open(const std::string& path, dos::Access access, int& file)
{
    const DWORD rights = access == dos::Access::Read    ? GENERIC_READ
                         : access == dos::Access::Write ? GENERIC_WRITE
                                                        : GENERIC_READ | GENERIC_WRITE;
    return OpenHandle(path, rights, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, file);
}

uint16_t WinFiles::Create(const std::string& path, uint8_t attributes, bool mustBeNew, int& file)
{
    return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, mustBeNew ? CREATE_NEW : CREATE_ALWAYS,
                      Win32Attributes(attributes), file);
}

uint16_t WinFiles::Read(int file, uint8_t* data, uint32_t size, uint32_t& done)
{
    DWORD n = 0;
    const BOOL ok = ReadFile(Handle(file), data, size, &n, nullptr);
    done = n;
    return Result(ok);
}

uint16_t WinFiles::Write(int file, const uint8_t* data, uint32_t size, uint32_t& done)
{
    DWORD n = 0;
    const BOOL ok = WriteFile(Handle(file), data, size, &n, nullptr);
    done = n;
    return Result(ok);
}

uint16_t WinFiles::Truncate(int file)
{
    return Result(SetEndOfFile(Handle(file)));
}

uint16_t WinFiles::Seek(int file, int32_t offset, dos::SeekFrom from, uint32_t& position)
{
    const DWORD method = from == dos::SeekFrom::Start ? FILE_BEGIN : from == dos::SeekFrom::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(Handle(file), distance, &result, method))
        return LastError();
    position = uint32_t(result.QuadPart);
    return dos::kErrNone;
}

uint16_t WinFiles::Close(int file)
{
    const HANDLE h = Handle(file);
    if (h == INVALID_HANDLE_VALUE)
        return dos::kErrInvalidHandle;
    m_handles[size_t(file)] = INVALID_HANDLE_VALUE;
    return Result(CloseHandle(h));
}

uint16_t WinFiles::GetTime(int file, uint16_t& time, uint16_t& date)
{
    FILETIME written, local;
    if (!GetFileTime(Handle(file), nullptr, nullptr, &written) || !FileTimeToLocalFileTime(&written, &local))
        return LastError();
    WORD d = 0, t = 0;
    if (!FileTimeToDosDateTime(&local, &d, &t))
        return LastError();
    time = t;
    date = d;
    return dos::kErrNone;
}

uint16_t WinFiles::SetTime(int file, uint16_t time, uint16_t date)
{
    FILETIME local, written;
    if (!DosDateTimeToFileTime(date, time, &local) || !LocalFileTimeToFileTime(&local, &written))
        return dos::kErrInvalidData;
    return Result(SetFileTime(Handle(file), nullptr, nullptr, &written));
}

uint16_t WinFiles::Delete(const std::string& path)
{
    return Result(DeleteFileA(path.c_str()));
}

uint16_t WinFiles::Rename(const std::string& from, const std::string& to)
{
    return Result(MoveFileA(from.c_str(), to.c_str()));
}

uint16_t WinFiles::GetAttributes(const std::string& path, uint8_t& attributes)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return LastError();
    attributes = uint8_t(a & 0x37);
    return dos::kErrNone;
}

uint16_t WinFiles::SetAttributes(const std::string& path, uint8_t attributes)
{
    return Result(SetFileAttributesA(path.c_str(), Win32Attributes(attributes)));
}

uint16_t WinFiles::MakeDirectory(const std::string& path)
{
    return Result(CreateDirectoryA(path.c_str(), nullptr));
}

uint16_t WinFiles::RemoveDirectory(const std::string& path)
{
    return Result(::RemoveDirectoryA(path.c_str()));
}

uint16_t WinFiles::ChangeDirectory(const std::string& path)
{
    return Result(SetCurrentDirectoryA(path.c_str()));
}

// The short form when the long one is more than DOS's 64 bytes can say.
std::string WinFiles::CurrentDirectory()
{
    char path[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(sizeof path, path);
    if (n == 0 || n >= sizeof path)
        return "C:\\";
    if (n > 66) {
        char shortPath[MAX_PATH];
        const DWORD s = GetShortPathNameA(path, shortPath, sizeof shortPath);
        if (s > 0 && s < sizeof shortPath)
            return shortPath;
    }
    return path;
}

uint16_t WinFiles::List(const std::string& folder, std::vector<dos::DirEntry>& entries)
{
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? uint16_t(dos::kErrNone) : DosError(error);
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        dos::DirEntry entry;
        entry.name = found.cFileName;
        entry.attributes = uint8_t(found.dwFileAttributes & 0x37);
        entry.size = found.nFileSizeHigh != 0 ? 0xFFFFFFFFu : found.nFileSizeLow;
        FILETIME local;
        WORD d = 0, t = 0;
        if (FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &d, &t)) {
            entry.date = d;
            entry.time = t;
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return dos::kErrNone;
}

}  // namespace halyard::dosrun
