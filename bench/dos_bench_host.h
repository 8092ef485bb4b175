#pragma once
// What the DOS benchmarks give the machine: no files (their programs open none), a console that
// collects what the program writes, and the computer's clock.
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/pc/host.h"

namespace halyard::dos::bench {

class NoFiles final : public HostFiles {
public:
    uint16_t Open(const std::string&, Access, int&) override { return kErrFileNotFound; }
    uint16_t Create(const std::string&, uint8_t, bool, int&) override { return kErrAccessDenied; }
    uint16_t Read(int, uint8_t*, uint32_t, uint32_t&) override { return kErrInvalidHandle; }
    uint16_t Write(int, const uint8_t*, uint32_t, uint32_t&) override { return kErrInvalidHandle; }
    uint16_t Truncate(int) override { return kErrInvalidHandle; }
    uint16_t Seek(int, int32_t, SeekFrom, uint32_t&) override { return kErrInvalidHandle; }
    uint16_t Close(int) override { return kErrInvalidHandle; }
    uint16_t GetTime(int, uint16_t&, uint16_t&) override { return kErrInvalidHandle; }
    uint16_t SetTime(int, uint16_t, uint16_t) override { return kErrInvalidHandle; }
    uint16_t Delete(const std::string&) override { return kErrFileNotFound; }
    uint16_t Rename(const std::string&, const std::string&) override { return kErrFileNotFound; }
    uint16_t GetAttributes(const std::string&, uint8_t&) override { return kErrFileNotFound; }
    uint16_t SetAttributes(const std::string&, uint8_t) override { return kErrFileNotFound; }
    uint16_t MakeDirectory(const std::string&) override { return kErrAccessDenied; }
    uint16_t RemoveDirectory(const std::string&) override { return kErrAccessDenied; }
    uint16_t ChangeDirectory(const std::string&) override { return kErrPathNotFound; }
    std::string CurrentDirectory() override { return "C:\\"; }
    uint16_t List(const std::string&, std::vector<DirEntry>&) override { return kErrNone; }
};

class CollectedOutput final : public HostConsole {
public:
    std::string output;
    bool IsRedirected(Stream) override { return true; }
    uint32_t ReadInput(uint8_t*, uint32_t) override { return 0; }
    void WriteStream(Stream, const uint8_t* data, uint32_t size) override
    {
        output.append(reinterpret_cast<const char*>(data), size);
    }
    void WriteText(const uint8_t*, uint32_t) override {}
    void ShowScreen(const uint8_t*, unsigned, unsigned) override {}
    bool KeysMayCome() override { return false; }
    void Flush() override {}
};

class SystemClock final : public HostClock {
public:
    LocalTime Now() override
    {
        const std::time_t now = std::time(nullptr);
        std::tm t{};
        localtime_r(&now, &t);
        LocalTime local;
        local.year = uint16_t(t.tm_year + 1900);
        local.month = uint8_t(t.tm_mon + 1);
        local.day = uint8_t(t.tm_mday);
        local.weekday = uint8_t(t.tm_wday);
        local.hour = uint8_t(t.tm_hour);
        local.minute = uint8_t(t.tm_min);
        local.second = uint8_t(t.tm_sec);
        return local;
    }
};

// The compute-bound program the speed benchmarks run (assembled at build time); empty, with a
// message, when it cannot be read.
inline std::vector<uint8_t> ComputeProgram()
{
    const std::string program = HALYARD_BENCH_DOS "/DOS_COMPUTE.COM";
    std::ifstream file(program, std::ios::binary);
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)), {});
    if (image.empty())
        std::fprintf(stderr, "cannot read %s\n", program.c_str());
    return image;
}

}  // namespace halyard::dos::bench
