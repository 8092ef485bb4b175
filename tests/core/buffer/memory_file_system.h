#pragma once
// An in-memory file system for the native tests and the fuzzer (hence all in this header). Every
// operation, and every read and write of an open file, counts as one step; the step numbered
// nFailAt fails with ERROR_CODE_INJECTED. A disk-space limit makes writes fail like a full disk.
#include <algorithm>
#include <cstring>
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

namespace memory_files {

class CMemoryReader final : public CReadFile {
public:
    CMemoryReader(CMemoryFileSystem& fs, std::string bytes) : m_fs(fs), m_bytes(std::move(bytes)) {}

    IoStatus Read(char* pBuffer, size_t nSize, size_t& nRead) override
    {
        nRead = 0;
        if (!m_fs.Step("read"))
            return {CMemoryFileSystem::ERROR_CODE_INJECTED};
        nRead = std::min({nSize, m_fs.nReadChunk, m_bytes.size() - m_nAt});
        if (nRead)
            std::memcpy(pBuffer, m_bytes.data() + m_nAt, nRead);
        m_nAt += nRead;
        return {};
    }

    IoStatus GetSize(uint64_t& nSize) override
    {
        nSize = m_bytes.size();
        return {};
    }

private:
    CMemoryFileSystem& m_fs;
    std::string m_bytes;
    size_t m_nAt = 0;
};

class CMemoryWriter final : public CWriteFile {
public:
    CMemoryWriter(CMemoryFileSystem& fs, std::string strName) : m_fs(fs), m_strName(std::move(strName)) {}

    IoStatus Write(const char* pData, size_t nSize) override
    {
        if (!m_fs.Step("write"))
            return {CMemoryFileSystem::ERROR_CODE_INJECTED};
        if (m_fs.BytesOnDisk() + nSize > m_fs.nDiskSpace)
            return {CMemoryFileSystem::ERROR_CODE_DISK_FULL};
        m_fs.files[m_strName].bytes.append(pData, nSize);
        return {};
    }

    IoStatus Flush() override { return m_fs.Step("flush") ? IoStatus{} : IoStatus{CMemoryFileSystem::ERROR_CODE_INJECTED}; }
    IoStatus Close() override { return m_fs.Step("close") ? IoStatus{} : IoStatus{CMemoryFileSystem::ERROR_CODE_INJECTED}; }

private:
    CMemoryFileSystem& m_fs;
    std::string m_strName;
};

} // namespace memory_files

inline bool CMemoryFileSystem::Step(const char* pszName)
{
    log.push_back(pszName);
    return nSteps++ != nFailAt;
}

inline size_t CMemoryFileSystem::BytesOnDisk() const
{
    size_t n = 0;
    for (const auto& entry : files)
        n += entry.second.bytes.size();
    return n;
}

inline IoStatus CMemoryFileSystem::GetAttributes(const char* pszPath, FileAttributes& attrs)
{
    if (!Step("attributes"))
        return {ERROR_CODE_INJECTED};
    const auto it = files.find(pszPath);
    if (it == files.end())
        return {ERROR_CODE_MISSING};
    attrs.bReadOnly = it->second.bReadOnly;
    return {};
}

inline IoStatus CMemoryFileSystem::OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file)
{
    if (!Step("open"))
        return {ERROR_CODE_INJECTED};
    const auto it = files.find(pszPath);
    if (it == files.end())
        return {ERROR_CODE_MISSING};
    file = std::make_unique<memory_files::CMemoryReader>(*this, it->second.bytes);
    return {};
}

inline IoStatus CMemoryFileSystem::CreateTempFile(const char* pszFolder, const char* pszPrefix, std::string& strName)
{
    if (!Step("temp"))
        return {ERROR_CODE_INJECTED};
    const std::string strFolder = pszFolder;
    strName = (strFolder == "." ? std::string() : strFolder) + pszPrefix + std::to_string(m_nNextTemp++) + ".tmp";
    files[strName] = MemoryFile();
    strLastTemp = strName;
    return {};
}

inline IoStatus CMemoryFileSystem::OpenWrite(const char* pszPath, std::unique_ptr<CWriteFile>& file)
{
    if (!Step("create"))
        return {ERROR_CODE_INJECTED};
    MemoryFile& target = files[pszPath];
    if (target.bReadOnly)
        return {ERROR_CODE_DENIED};
    target.bytes.clear();
    file = std::make_unique<memory_files::CMemoryWriter>(*this, pszPath);
    return {};
}

inline IoStatus CMemoryFileSystem::Replace(const char* pszFrom, const char* pszTo)
{
    if (!Step("replace"))
        return {ERROR_CODE_INJECTED};
    const auto from = files.find(pszFrom);
    const auto to = files.find(pszTo);
    if (from == files.end())
        return {ERROR_CODE_MISSING};
    if (to != files.end() && to->second.bReadOnly)
        return {ERROR_CODE_DENIED};
    MemoryFile moved = std::move(from->second);
    files.erase(from);
    files[pszTo] = std::move(moved);
    return {};
}

inline IoStatus CMemoryFileSystem::Delete(const char* pszPath)
{
    if (!Step("delete"))
        return {ERROR_CODE_INJECTED};
    return files.erase(pszPath) ? IoStatus{} : IoStatus{ERROR_CODE_MISSING};
}
