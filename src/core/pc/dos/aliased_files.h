#pragma once
// The host's files as DOS programs see them: every name that is not 8.3 ASCII shows as its
// alias (name_aliases.h), and paths the program gives are turned back into host paths before
// they reach the host. Only names with a '~' are looked up, so plain names cost nothing.
#include <functional>
#include <string>
#include <vector>

#include "core/pc/host.h"

namespace halyard::dos {

class AliasedFiles final : public HostFiles {
public:
    explicit AliasedFiles(HostFiles& host) : m_host(host) {}

    // The host path behind a DOS path.
    std::string HostPath(const std::string& dosPath);
    // The DOS path of a host path (each name that is not 8.3 ASCII as its alias); a name that
    // does not exist yet but has an aliased base gets that base.
    std::string DosPath(const std::string& hostPath);

    uint16_t Open(const std::string& path, Access access, int& file) override;
    uint16_t Create(const std::string& path, uint8_t attributes, bool mustBeNew, int& file) override;
    uint16_t Read(int file, uint8_t* data, uint32_t size, uint32_t& done) override;
    uint16_t Write(int file, const uint8_t* data, uint32_t size, uint32_t& done) override;
    uint16_t Truncate(int file) override;
    uint16_t Seek(int file, int32_t offset, SeekFrom from, uint32_t& position) override;
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
    uint16_t List(const std::string& folder, std::vector<DirEntry>& entries) override;

private:
    std::vector<std::string> NamesIn(const std::string& hostFolder);

    HostFiles& m_host;
    std::string m_hostFolder, m_dosFolder;  // the current folder last asked for, and its DOS form
};

// What a host folder holds, by name ("C:\\a\\" lists C:\\a).
using FolderLister = std::function<std::vector<std::string>(const std::string& hostFolder)>;

// The DOS path of a host path, with `namesIn` listing the folders along it: what
// AliasedFiles::DosPath answers, for a process that lists the folders by other means.
std::string AliasedDosPath(const std::string& hostPath, const FolderLister& namesIn);

// The command tail with each name in it that is not 8.3 ASCII replaced by its DOS path (options
// after '/' and separators left as they are; a quoted name loses its quotes when its DOS path
// has no blank).
std::string AliasTail(const std::string& tail, AliasedFiles& files);

}  // namespace halyard::dos
