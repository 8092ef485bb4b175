#pragma once
// The file operations a buffer needs, passed in by its owner: the product passes the Win32 file
// system, the native tests an in-memory one that can fail at any step. Every operation reports the
// system's error code; a failure without a code of its own is reported with a code of the
// implementation's choice, never 0.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct [[nodiscard]] IoStatus {
    unsigned long nError = 0; // 0 = success

    bool Ok() const { return nError == 0; }
};

struct FileAttributes {
    bool bReadOnly = false;
};

class CReadFile {
public:
    virtual ~CReadFile() = default;
    // Reads up to nSize bytes; nRead is 0 only at the end of the file.
    virtual IoStatus Read(char* pBuffer, size_t nSize, size_t& nRead) = 0;
    virtual IoStatus GetSize(uint64_t& nSize) = 0;
};

class CWriteFile {
public:
    // Closes the file if Close was not called, ignoring the result.
    virtual ~CWriteFile() = default;
    // Writes all nSize bytes, or fails.
    virtual IoStatus Write(const char* pData, size_t nSize) = 0;
    // Returns once the written bytes are on the disk.
    virtual IoStatus Flush() = 0;
    virtual IoStatus Close() = 0;
};

class CFileSystem {
public:
    virtual IoStatus GetAttributes(const char* pszPath, FileAttributes& attrs) = 0;
    // Existing file, shared for reading only, read sequentially.
    virtual IoStatus OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file) = 0;
    // Creates a new empty file with a unique name in pszFolder (a folder name that ends with its
    // separator, or "." for the current folder) and returns its name.
    virtual IoStatus CreateTempFile(const char* pszFolder, const char* pszPrefix, std::string& strName) = 0;
    // Creates or truncates the file, not shared.
    virtual IoStatus OpenWrite(const char* pszPath, std::unique_ptr<CWriteFile>& file) = 0;
    // Puts pszFrom in the place of pszTo in one step: pszTo is never missing, and on failure it is
    // unchanged.
    virtual IoStatus Replace(const char* pszFrom, const char* pszTo) = 0;
    virtual IoStatus Delete(const char* pszPath) = 0;

protected:
    ~CFileSystem() = default;
};

// The step at which loading or saving stopped.
enum class FileStep {
    None,       // success
    Attributes,
    Open,
    Read,
    TooLarge,   // a line or the line count beyond what a buffer holds
    NoMemory,
    TempName,
    Create,
    Write,
    Flush,
    Close,
    Replace,
};

struct [[nodiscard]] FileResult {
    FileStep step = FileStep::None;
    unsigned long nError = 0; // the system's code for the failed step; 0 for TooLarge and NoMemory

    bool Succeeded() const { return step == FileStep::None; }
    explicit operator bool() const { return Succeeded(); }
};

inline FileResult FileFailure(FileStep step, IoStatus status = {}) { return FileResult{step, status.nError}; }

// The folder part of a path including its last separator ('\\', '/' or a drive's ':'), or "."
// when the path names a file of the current folder.
std::string FolderOfPath(const std::string& strPath);
