#pragma once
// A 1.44 MB floppy disk kept in a host file of 2,880 sectors of 512 bytes (80 cylinders, 2 heads,
// 18 sectors a track). The file is opened at the first access; a file that does not exist yet is
// made then, as a freshly formatted empty disk (boot sector with its parameter block, two empty
// FATs, an empty root folder).
#include <cstdint>
#include <string>

#include "core/pc/host.h"

namespace halyard::dos {

inline constexpr unsigned kSectorBytes = 512;
inline constexpr unsigned kFloppyCylinders = 80, kFloppyHeads = 2, kFloppySectors = 18;
inline constexpr unsigned kFloppyTotalSectors = kFloppyCylinders * kFloppyHeads * kFloppySectors;

class DiskImage {
public:
    DiskImage(HostFiles& files, std::string path) : m_files(files), m_path(std::move(path)) {}
    DiskImage(const DiskImage&) = delete;
    DiskImage& operator=(const DiskImage&) = delete;
    ~DiskImage() { Close(); }

    const std::string& Path() const { return m_path; }
    // Opens (or makes) the file: false when the host refuses.
    bool Ready();
    bool Read(unsigned sector, uint8_t* data);
    bool Write(unsigned sector, const uint8_t* data);
    void Close();

private:
    bool Create();
    bool Seek(unsigned sector);

    HostFiles& m_files;
    std::string m_path;
    int m_file = -1;
};

// The first sector of an empty 1.44 MB disk, as FORMAT leaves it.
void EmptyBootSector(uint8_t sector[kSectorBytes]);

}  // namespace halyard::dos
