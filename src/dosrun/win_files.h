#pragma once
// The machine's files are the host's: Win32 files, folders and the process's current folder.
#include <windows.h>

#include <vector>

#include "core/pc/host.h"

namespace halyard::dosrun {

class WinFiles final : public dos::HostFiles {
public:
    WinFiles() = default;
    WinFiles(const WinFiles&) = delete;
    WinFiles& operator=(const WinFiles&) = delete;
    ~WinFiles();

    uint16_t Open(const std::string& path, dos::Access access, int& file) override;
    uint16_t Create(const std::string& path, uint8_t attributes, bool mustBeNew, int& file) override;
    uint16_t Read(int file, uint8_t* data, uint32_t size, uint32_t& done) override;
    uint16_t Write(int file, const uint8_t* data, uint32_t size, uint32_t& done) override;
    uint16_t Truncate(int file) override;
    uint16_t Seek(int file, int32_t offset, dos::SeekFrom from, uint32_t& position) override;
    uint16_t Close(int file) override;
    uint16_t GetTime(int file, uint16_t& time, uint16_t& date) override;
    uint16_t SetTime(int file, uint16_t time, uint16_t date) override;
    uint16_t Delete(const std::string& path) override;
    uint16_t Rename(const std::string& from, const std::string& to) override;
    uint16_t GetAttributes(const std::string& path, uint8_t& attributes) override;
    uint16_t SetAttributes(const std::string& path, uint8_t attributes) override;
    uint16_t MakeDirectory(const std::string& path) override;
    uint16_t RemoveDirectory(const std::string& path) override;
    uint16_t ChangeDirectory(const std::string& path) override;
    std::string CurrentDirectory() override;
    uint16_t List(const std::string& folder, std::vector<dos::DirEntry>& entries) override;

private:
    uint16_t OpenHandle(const std::string& path, DWORD access, DWORD disposition, DWORD attributes, int& file);
    HANDLE Handle(int file) const;

    std::vector<HANDLE> m_handles;  // INVALID_HANDLE_VALUE marks a free number
};

}  // namespace halyard::dosrun
