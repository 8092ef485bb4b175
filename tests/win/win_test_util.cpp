#include "win/win_test_util.h"
#include <cstdio>
#include <shellapi.h>

namespace wintest {

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%shalyard-test-%lu-%d", base, GetCurrentProcessId(), ++counter);
    CreateDirectoryA(name, nullptr);
    m_path = name;
}

TempDir::~TempDir()
{
    std::string from = m_path + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

std::string TempDir::Write(const char* name, const std::string& bytes) const
{
    std::string path = File(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
    return bytes;
}

}  // namespace wintest
