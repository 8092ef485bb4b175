#pragma once
// The file system of the product: the buffer's file operations on Win32 with ANSI paths.
// Replacing a file is one rename that overwrites the target (MoveFileExA with replace-existing and
// write-through): the target is never deleted first, and a failed replace leaves it as it was.
#include "core/buffer/file_system.h"

class CWin32FileSystem final : public CFileSystem {
public:
    IoStatus GetAttributes(const char* pszPath, FileAttributes& attrs) override;
    IoStatus OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file) override;
    IoStatus CreateTempFile(const char* pszFolder, const char* pszPrefix, std::string& strName) override;
    IoStatus OpenWrite(const char* pszPath, std::unique_ptr<CWriteFile>& file) override;
    IoStatus Replace(const char* pszFrom, const char* pszTo) override;
    IoStatus Delete(const char* pszPath) override;
};
