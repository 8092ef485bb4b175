#include "core/pc/devices/disk_image.h"

#include <cstring>
#include <vector>

namespace halyard::dos {
namespace {

constexpr unsigned kFatSectors = 9, kRootSectors = 14;

void Put16(uint8_t* at, uint16_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}

}  // namespace

void EmptyBootSector(uint8_t s[kSectorBytes])
{
    std::memset(s, 0, kSectorBytes);
    // A jump over the parameter block to a loop that halts: this disk does not start a system.
    const uint8_t jump[3] = {0xEB, 0x3C, 0x90};
    std::memcpy(s, jump, 3);
    std::memcpy(s + 3, "HALYARD ", 8);
    Put16(s + 11, kSectorBytes);
    s[13] = 1;                      // sectors per cluster
    Put16(s + 14, 1);               // reserved sectors
    s[16] = 2;                      // FATs
    Put16(s + 17, 224);             // root entries
    Put16(s + 19, kFloppyTotalSectors);
    s[21] = 0xF0;                   // media descriptor
    Put16(s + 22, kFatSectors);
    Put16(s + 24, kFloppySectors);
    Put16(s + 26, kFloppyHeads);
    s[38] = 0x29;                   // extended parameter block follows
    std::memcpy(s + 39, "\x26\x20\x12\x08", 4);  // volume serial number
    std::memcpy(s + 43, "NO NAME    FAT12   ", 19);
    const uint8_t halt[3] = {0xFA, 0xF4, 0xEB};  // CLI; HLT; JMP $-1 (the byte after is FEh)
    std::memcpy(s + 0x3E, halt, 3);
    s[0x41] = 0xFE;
    s[510] = 0x55;
    s[511] = 0xAA;
}

bool DiskImage::Create()
{
    if (m_files.Create(m_path, 0, true, m_file) != kErrNone)
        return false;
    std::vector<uint8_t> disk(size_t(kFloppyTotalSectors) * kSectorBytes, 0);
    EmptyBootSector(disk.data());
    for (unsigned fat = 0; fat < 2; ++fat) {
        uint8_t* first = disk.data() + (1 + fat * kFatSectors) * kSectorBytes;
        first[0] = 0xF0;
        first[1] = first[2] = 0xFF;
    }
    static_assert(1 + 2 * kFatSectors + kRootSectors < kFloppyTotalSectors, "the system area fits");
    uint32_t done = 0;
    return m_files.Write(m_file, disk.data(), uint32_t(disk.size()), done) == kErrNone && done == disk.size();
}

bool DiskImage::Ready()
{
    if (m_file >= 0)
        return true;
    if (m_files.Open(m_path, Access::ReadWrite, m_file) == kErrNone)
        return true;
    m_file = -1;
    if (!Create()) {
        Close();
        return false;
    }
    return true;
}

bool DiskImage::Seek(unsigned sector)
{
    uint32_t position = 0;
    return sector < kFloppyTotalSectors && Ready() &&
           m_files.Seek(m_file, int32_t(sector * kSectorBytes), SeekFrom::Start, position) == kErrNone;
}

// A short file reads as zeros past its end, as a disk would that was never written there.
bool DiskImage::Read(unsigned sector, uint8_t* data)
{
    uint32_t done = 0;
    if (!Seek(sector) || m_files.Read(m_file, data, kSectorBytes, done) != kErrNone)
        return false;
    std::memset(data + done, 0, kSectorBytes - done);
    return true;
}

bool DiskImage::Write(unsigned sector, const uint8_t* data)
{
    uint32_t done = 0;
    return Seek(sector) && m_files.Write(m_file, data, kSectorBytes, done) == kErrNone && done == kSectorBytes;
}

void DiskImage::Close()
{
    if (m_file >= 0)
        (void)m_files.Close(m_file);
    m_file = -1;
}

}  // namespace halyard::dos
