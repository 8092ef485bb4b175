#pragma once
// Shared by the buffer benchmarks: a generated assembly-like text, a file system that reads real
// files with POSIX calls, and timing helpers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/buffer/file_system.h"

namespace bench {

class CRandom {
public:
    uint32_t Next()
    {
        m_nState = m_nState * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(m_nState >> 33);
    }

private:
    uint64_t m_nState = 0x9E3779B97F4A7C15ull;
};

// About 30 bytes a line with its separator, as in students' programs.
inline std::string AssemblyText(size_t nBytes, const std::string& separator, size_t nMaxLines = SIZE_MAX)
{
    static const char* const kLines[] = {
        "        mov     ax, data      ; %u",   "        mov     ds, ax        ; \xB3\xF5\xCA\xBC",
        "start_%u:",                           "        lea     dx, msg       ; \xCA\xE4\xB3\xF6",
        "        int     21h",                 "",
        "        cmp     cx, 0FFh      ; %u",   "        jne     next_%u",
        "msg%u    db      'Hello$', 0dh, 0ah", "; ---- loop %u: \xD1\xAD\xBB\xB7 ----",
        "        push    bx",                  "        mov     word ptr [bp+4], %u",
    };
    CRandom random;
    std::string text;
    text.reserve(nBytes + 64);
    size_t nLines = 0;
    char szLine[96];
    while (text.size() < nBytes && nLines + 1 < nMaxLines) {
        const int n = std::snprintf(szLine, sizeof szLine, kLines[random.Next() % 12], random.Next() % 1000);
        text.append(szLine, static_cast<size_t>(n > 0 ? n : 0));
        text += separator;
        ++nLines;
    }
    return text;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* pFile = std::fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    const bool bOk = std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return std::fclose(pFile) == 0 && bOk;
}

// Reading only: loading is what the benchmarks measure.
class CPosixFileSystem final : public CFileSystem {
public:
    IoStatus GetAttributes(const char* pszPath, FileAttributes& attrs) override
    {
        struct stat st;
        if (stat(pszPath, &st) != 0)
            return {2};
        attrs.bReadOnly = (st.st_mode & S_IWUSR) == 0;
        return {};
    }

    IoStatus OpenRead(const char* pszPath, std::unique_ptr<CReadFile>& file) override
    {
        const int fd = open(pszPath, O_RDONLY);
        if (fd < 0)
            return {2};
        file = std::make_unique<CReader>(fd);
        return {};
    }

    IoStatus CreateTempFile(const char*, const char*, std::string&) override { return {50}; }
    IoStatus OpenWrite(const char*, std::unique_ptr<CWriteFile>&) override { return {50}; }
    IoStatus Replace(const char*, const char*) override { return {50}; }
    IoStatus Delete(const char*) override { return {50}; }

private:
    class CReader final : public CReadFile {
    public:
        explicit CReader(int fd) : m_fd(fd) {}
        ~CReader() override { close(m_fd); }

        IoStatus Read(char* pBuffer, size_t nSize, size_t& nRead) override
        {
            const ssize_t n = read(m_fd, pBuffer, nSize);
            nRead = n > 0 ? static_cast<size_t>(n) : 0;
            return n < 0 ? IoStatus{5} : IoStatus{};
        }

        IoStatus GetSize(uint64_t& nSize) override
        {
            struct stat st;
            if (fstat(m_fd, &st) != 0)
                return {5};
            nSize = static_cast<uint64_t>(st.st_size);
            return {};
        }

    private:
        int m_fd;
    };
};

inline double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <class F>
double TimeOnce(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return Seconds(std::chrono::steady_clock::now() - start);
}

// The process's processor time: the machines are shared, and a run that waits for a core is
// not slower. For single-threaded measurements of some milliseconds and more.
template <class F>
double CpuTimeOnce(F&& f)
{
    const auto now = [] {
        timespec t;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double dStart = now();
    f();
    return now() - dStart;
}

inline double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

} // namespace bench
