#pragma once
// What the DOS benchmarks give the machine for files: none (their programs open none).
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

}  // namespace halyard::dos::bench
