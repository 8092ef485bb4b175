#pragma once
// An in-memory file system for the native tests. Every operation, and every read and write of an
// open file, counts as one step; the step numbered failAt fails with errorCode. A disk-space limit
// makes writes fail like a full disk.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/buffer/file_system.h"

struct MemoryFile {
    std::string bytes;
    bool bReadOnly = false;
};

class CMemoryFileSystem final : public CFileSystem {
public:
    static constexpr unsigned long ERROR_CODE_INJECTED = 1117; // an I/O device error
    static constexpr unsigned long ERROR_CODE_MISSING = 2;
    static constexpr unsigned long ERROR_CODE_DENIED = 5;
    static constexpr unsigned long ERROR_CODE_DISK_FULL = 112;

    std::map<std::string, MemoryFile> files;
    int nFailAt = -1;            // step to fail, -1 for none
    int nSteps = 0;              // steps taken so far
    size_t nReadChunk = 1 << 20; // most bytes one read returns
    size_t nDiskSpace = static_cast<size_t>(-1);
    std::vector<std::string> log; // names of the steps taken
    std::string strLastTemp;      // name of the last temporary file made

    IoStatus GetAttributes(const char* pszPath, FileAttributes& attrs) override;
    IoStatus OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file) override;
    IoStatus CreateTempFile(const char* pszFolder, const char* pszPrefix, std::string& strName) override;
    IoStatus OpenWrite(const char* pszPath, std::unique_ptr<CWriteFile>& file) override;
    IoStatus Replace(const char* pszFrom, const char* pszTo) override;
    IoStatus Delete(const char* pszPath) override;

    // Counts one step; false when it is the one to fail.
    bool Step(const char* pszName);
    size_t BytesOnDisk() const;

private:
    int m_nNextTemp = 1;
};
