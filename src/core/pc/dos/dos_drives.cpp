// INT 21h: what programs learn about the drives (1Bh, 1Ch, 1Fh, 32h, 36h, 53h, 69h). C: (and the
// current drive) is the host's folder, shown as a large FAT16 disk whose free space is the most
// the 16-bit answers hold; A: and B: are the floppy images, read through their boot sector and
// FAT. Any other drive is invalid.
#include <cstring>

#include "core/pc/bios/bios_disk.h"
#include "core/pc/dos/dos_data.h"
#include "core/pc/dos/dos_kernel.h"

namespace halyard::dos {
namespace {

constexpr uint8_t kNoDrive = 0xFF;
constexpr unsigned kFatSectors = 9;

// A BIOS parameter block, as a boot sector holds it from offset 0Bh on.
struct Geometry {
    uint16_t bytesPerSector = 512;
    uint8_t sectorsPerCluster = 64;
    uint16_t reserved = 1;
    uint8_t fats = 2;
    uint16_t rootEntries = 512;
    uint32_t totalSectors = 0;
    uint8_t media = 0xF8;
    uint16_t fatSectors = 256;

    unsigned FirstDirectorySector() const { return reserved + fats * fatSectors; }
    unsigned FirstDataSector() const
    {
        const unsigned rootBytes = rootEntries * 32u;
        return FirstDirectorySector() + (bytesPerSector ? (rootBytes + bytesPerSector - 1) / bytesPerSector : 0);
    }
    unsigned Clusters() const
    {
        const unsigned first = FirstDataSector();
        return sectorsPerCluster && totalSectors > first ? (totalSectors - first) / sectorsPerCluster : 0;
    }
};

Geometry ParseBpb(const Memory& mem, uint16_t seg, uint16_t off)
{
    Geometry g;
    g.bytesPerSector = mem.Read16(seg, off);
    g.sectorsPerCluster = mem.Read8(seg, uint16_t(off + 2));
    g.reserved = mem.Read16(seg, uint16_t(off + 3));
    g.fats = mem.Read8(seg, uint16_t(off + 5));
    g.rootEntries = mem.Read16(seg, uint16_t(off + 6));
    g.totalSectors = mem.Read16(seg, uint16_t(off + 8));
    if (g.totalSectors == 0)
        g.totalSectors = mem.Read16(seg, uint16_t(off + 0x15)) | uint32_t(mem.Read16(seg, uint16_t(off + 0x17))) << 16;
    g.media = mem.Read8(seg, uint16_t(off + 0x0A));
    g.fatSectors = mem.Read16(seg, uint16_t(off + 0x0B));
    return g;
}

Geometry ParseBootSector(const uint8_t* s)
{
    Geometry g;
    const auto word = [s](unsigned at) { return uint16_t(s[at] | s[at + 1] << 8); };
    g.bytesPerSector = word(0x0B);
    g.sectorsPerCluster = s[0x0D];
    g.reserved = word(0x0E);
    g.fats = s[0x10];
    g.rootEntries = word(0x11);
    g.totalSectors = word(0x13);
    g.media = s[0x15];
    g.fatSectors = word(0x16);
    return g;
}

// The host folder: 64 sectors of 512 bytes a cluster, FFFFh clusters.
Geometry HostGeometry()
{
    Geometry g;
    g.totalSectors = g.FirstDataSector() + 0xFFFFu * g.sectorsPerCluster;
    return g;
}

// The fields of DOS 5's drive parameter block from offset 02h to 18h (the caller keeps 00h-01h).
void WriteDpbGeometry(Memory& mem, uint16_t seg, uint16_t off, const Geometry& g)
{
    const unsigned clusters = g.Clusters();
    uint8_t shift = 0;
    while (shift < 7 && (1u << shift) < g.sectorsPerCluster)
        ++shift;
    mem.Write16(seg, uint16_t(off + 0x02), g.bytesPerSector);
    mem.Write8(seg, uint16_t(off + 0x04), uint8_t(g.sectorsPerCluster - 1));
    mem.Write8(seg, uint16_t(off + 0x05), shift);
    mem.Write16(seg, uint16_t(off + 0x06), g.reserved);
    mem.Write8(seg, uint16_t(off + 0x08), g.fats);
    mem.Write16(seg, uint16_t(off + 0x09), g.rootEntries);
    mem.Write16(seg, uint16_t(off + 0x0B), uint16_t(g.FirstDataSector()));
    mem.Write16(seg, uint16_t(off + 0x0D), uint16_t(clusters > 0xFFFE ? 0xFFFF : clusters + 1));
    mem.Write16(seg, uint16_t(off + 0x0F), g.fatSectors);
    mem.Write16(seg, uint16_t(off + 0x11), uint16_t(g.FirstDirectorySector()));
    mem.Write16(seg, uint16_t(off + 0x13), 0);
    mem.Write16(seg, uint16_t(off + 0x15), 0);
    mem.Write8(seg, uint16_t(off + 0x17), g.media);
    mem.Write8(seg, uint16_t(off + 0x18), 0xFF);  // not accessed yet: DOS rebuilds it from the disk
}

}  // namespace

// The drive of DL (0 = the current one, 1 = A:), what it is, its geometry and free clusters.
struct DosKernel::DriveData {
    uint8_t drive = 0;  // 0 = A:
    Geometry geometry;
    unsigned free = 0;
    uint32_t serial = 0;
    char label[11]{};
};

bool DosKernel::ReadDrive(uint8_t dl, DriveData& data)
{
    data.drive = dl == 0 ? CurrentDrive() : uint8_t(dl - 1);
    if (data.drive == CurrentDrive() || data.drive == 2) {
        data.geometry = HostGeometry();
        data.free = 0xFFFF;
        data.serial = 0x1E5A0C01;
        std::memcpy(data.label, "NO NAME    ", 11);
        return true;
    }
    DiskImage* image = data.drive < 2 ? m_disk.Image(data.drive) : nullptr;
    uint8_t sector[kSectorBytes];
    if (image == nullptr || !image->Read(0, sector))
        return false;
    data.geometry = ParseBootSector(sector);
    data.serial = uint32_t(sector[0x27] | sector[0x28] << 8 | sector[0x29] << 16 | uint32_t(sector[0x2A]) << 24);
    std::memcpy(data.label, sector + 0x2B, 11);
    // FAT12 entries from cluster 2 on; a zero entry is a free cluster.
    std::vector<uint8_t> fat(kFatSectors * kSectorBytes);
    for (unsigned i = 0; i < kFatSectors; ++i)
        if (!image->Read(1 + i, fat.data() + i * kSectorBytes))
            return false;
    const unsigned clusters = std::min(data.geometry.Clusters(), unsigned(fat.size() * 2 / 3 - 2));
    for (unsigned c = 2; c < clusters + 2; ++c) {
        const unsigned at = c * 3 / 2;
        const unsigned entry = (fat[at] | fat[at + 1] << 8) >> (c & 1 ? 4 : 0) & 0xFFF;
        data.free += entry == 0;
    }
    return true;
}

bool DosKernel::DriveService(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x1B:
    case 0x1C:
    case 0x36:
        DriveSize(function == 0x1B ? 0 : uint8_t(R.r[kDX]), function == 0x36);
        return true;
    case 0x1F:
    case 0x32: {
        DriveData data;
        if (!ReadDrive(function == 0x1F ? 0 : uint8_t(R.r[kDX]), data)) {
            R.SetAL(kNoDrive);
            return true;
        }
        const uint16_t dpb = uint16_t(dosdata::kDriveBlocks + data.drive % 3 * dosdata::kDriveBlockSize);
        Memory& mem = m_guest.mem;
        mem.Write8(dosdata::kSegment, dpb, data.drive);
        mem.Write8(dosdata::kSegment, uint16_t(dpb + 1), data.drive);
        WriteDpbGeometry(mem, dosdata::kSegment, dpb, data.geometry);
        mem.Write16(dosdata::kSegment, uint16_t(dpb + 0x19), 0xFFFF);  // the last block of the chain
        mem.Write16(dosdata::kSegment, uint16_t(dpb + 0x1B), 0xFFFF);
        mem.Write16(dosdata::kSegment, uint16_t(dpb + 0x1D), 2);
        mem.Write16(dosdata::kSegment, uint16_t(dpb + 0x1F), uint16_t(std::min(data.free, 0xFFFFu)));
        R.SetAL(0);
        R.seg[kDS] = dosdata::kSegment;
        R.r[kBX] = dpb;
        return true;
    }
    case 0x53:  // the caller's BPB at DS:SI becomes the geometry of the DPB at ES:BP
        WriteDpbGeometry(m_guest.mem, R.seg[kES], R.r[kBP], ParseBpb(m_guest.mem, R.seg[kDS], R.r[kSI]));
        return true;
    case 0x69: DiskSerial(); return true;
    default: return false;
    }
}

// 1Bh, 1Ch: AL sectors a cluster, CX bytes a sector, DX clusters, DS:BX the media byte (AL = FFh
// for a drive that is not there). 36h: AX sectors a cluster, BX free clusters, CX, DX the same
// (AX = FFFFh for no drive).
void DosKernel::DriveSize(uint8_t dl, bool freeSpace)
{
    Registers& R = m_guest.R();
    DriveData data;
    if (!ReadDrive(dl, data)) {
        if (freeSpace)
            R.r[kAX] = 0xFFFF;
        else
            R.SetAL(kNoDrive);
        return;
    }
    const Geometry& g = data.geometry;
    R.r[kCX] = g.bytesPerSector;
    R.r[kDX] = uint16_t(std::min(g.Clusters(), 0xFFFFu));
    if (freeSpace) {
        R.r[kAX] = g.sectorsPerCluster;
        R.r[kBX] = uint16_t(std::min(data.free, 0xFFFFu));
        return;
    }
    R.SetAL(g.sectorsPerCluster);
    const uint16_t media = uint16_t(dosdata::kDriveBlocks + data.drive % 3 * dosdata::kDriveBlockSize + 0x17);
    m_guest.mem.Write8(dosdata::kSegment, media, g.media);
    R.seg[kDS] = dosdata::kSegment;
    R.r[kBX] = media;
}

// 69h AL=00h: the serial number, label and file system of drive BL into DS:DX. Setting them (AL=01h)
// would rewrite a boot sector the machine does not own: refused.
void DosKernel::DiskSerial()
{
    Registers& R = m_guest.R();
    DriveData data;
    if (R.AL() > 1 || !ReadDrive(uint8_t(R.r[kBX]), data)) {
        m_guest.Error(R.AL() > 1 ? kErrInvalidFunction : kErrInvalidDrive);
        return;
    }
    if (R.AL() == 1) {
        m_guest.Error(kErrAccessDenied);
        return;
    }
    Memory& mem = m_guest.mem;
    const uint16_t seg = R.seg[kDS], off = R.r[kDX];
    mem.Write16(seg, off, 0);
    mem.Write16(seg, uint16_t(off + 2), uint16_t(data.serial));
    mem.Write16(seg, uint16_t(off + 4), uint16_t(data.serial >> 16));
    mem.CopyIn(seg, uint16_t(off + 6), reinterpret_cast<const uint8_t*>(data.label), 11);
    mem.CopyIn(seg, uint16_t(off + 0x11), reinterpret_cast<const uint8_t*>(data.drive < 2 ? "FAT12   " : "FAT16   "), 8);
    m_guest.Succeed();
}

}  // namespace halyard::dos
