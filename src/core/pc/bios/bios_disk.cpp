#include "core/pc/bios/bios_disk.h"

#include "core/pc/bios/text_screen.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kLastStatus = 0x41;
// The diskette parameter table the BIOS points INT 1Eh at, in the ROM segment.
constexpr uint16_t kParameterTable = 0xEFC7;
constexpr uint8_t kParameters[11] = {0xAF, 0x02, 0x25, 0x02, 0x12, 0x1B, 0xFF, 0x6C, 0xF6, 0x0F, 0x08};

}  // namespace

void BiosDisk::SetImage(unsigned drive, const std::string& path)
{
    m_drives[drive & 1] = std::make_unique<DiskImage>(m_guest.files, path);
}

void BiosDisk::Reset()
{
    m_guest.mem.CopyIn(kRomSegment, kParameterTable, kParameters, sizeof kParameters);
    m_guest.mem.Write16(0, 0x1E * 4, kParameterTable);
    m_guest.mem.Write16(0, 0x1E * 4 + 2, kRomSegment);
    m_guest.mem.Write8(bda::kSegment, kLastStatus, 0);
}

DiskImage* BiosDisk::Drive(uint8_t dl)
{
    return Image(dl);
}

void BiosDisk::Finish(uint8_t status)
{
    m_guest.R().SetAH(status);
    m_guest.mem.Write8(bda::kSegment, kLastStatus, status);
    m_guest.ReturnFlag(kCF, status != kOk);
}

void BiosDisk::Interrupt13()
{
    Registers& R = m_guest.R();
    const uint8_t dl = uint8_t(R.r[kDX]);
    DiskImage* drive = Drive(dl);
    switch (R.AH()) {
    case 0x00: Finish(drive != nullptr || dl < 2 ? kOk : kBadCommand); return;
    case 0x01: Finish(m_guest.mem.Read8(bda::kSegment, kLastStatus)); return;
    case 0x02: Transfer(false, false); return;
    case 0x03: Transfer(true, false); return;
    case 0x04: Transfer(false, true); return;
    case 0x05: Format(); return;
    case 0x08: Parameters(); return;
    case 0x15:  // the drive's type: a floppy that tells a change of disk, or none
        if (drive != nullptr) {
            Finish(kOk);
            R.SetAH(0x02);
        } else {
            Finish(kOk);
        }
        return;
    case 0x16: Finish(kOk); return;  // the disk was not changed
    case 0x17: case 0x18: Finish(drive != nullptr ? kOk : kBadCommand); return;
    default: Finish(kBadCommand); return;
    }
}

// 02h/03h/04h: AL sectors from cylinder CH (bits 8-9 in CL's top bits), sector CL (1-18), head
// DH, to or from ES:BX; AL returns the count done. A transfer may go on past the end of the
// track into the next head and cylinder, as far as the disk reaches.
void BiosDisk::Transfer(bool write, bool verifyOnly)
{
    Registers& R = m_guest.R();
    DiskImage* drive = Drive(uint8_t(R.r[kDX]));
    const unsigned count = R.AL();
    const unsigned cylinder = (R.r[kCX] >> 8) | ((R.r[kCX] & 0xC0) << 2);
    const unsigned sector = R.r[kCX] & 0x3F, head = R.r[kDX] >> 8;
    if (drive == nullptr) {
        R.SetAL(0);
        Finish(kBadCommand);
        return;
    }
    if (count == 0 || sector == 0 || sector > kFloppySectors || head >= kFloppyHeads || cylinder >= kFloppyCylinders) {
        R.SetAL(0);
        Finish(kSectorNotFound);
        return;
    }
    if (!drive->Ready()) {
        R.SetAL(0);
        Finish(kNotReady);
        return;
    }
    const unsigned first = (cylinder * kFloppyHeads + head) * kFloppySectors + sector - 1;
    uint8_t data[kSectorBytes];
    uint16_t at = R.r[kBX];
    unsigned done = 0;
    for (; done < count; ++done, at = uint16_t(at + kSectorBytes)) {
        bool ok;
        if (write) {
            m_guest.mem.CopyOut(R.seg[kES], at, data, kSectorBytes);
            ok = drive->Write(first + done, data);
        } else {
            ok = drive->Read(first + done, data);
            if (ok && !verifyOnly)
                m_guest.mem.CopyIn(R.seg[kES], at, data, kSectorBytes);
        }
        if (!ok)
            break;
    }
    R.SetAL(uint8_t(done));
    Finish(done == count ? kOk : kSectorNotFound);
}

// 05h: formats track CH, head DH: its sectors are filled with F6h, as FORMAT's fill byte.
void BiosDisk::Format()
{
    Registers& R = m_guest.R();
    DiskImage* drive = Drive(uint8_t(R.r[kDX]));
    const unsigned cylinder = R.r[kCX] >> 8, head = R.r[kDX] >> 8;
    if (drive == nullptr || cylinder >= kFloppyCylinders || head >= kFloppyHeads) {
        Finish(drive == nullptr ? kBadCommand : kSectorNotFound);
        return;
    }
    uint8_t data[kSectorBytes];
    for (uint8_t& b : data)
        b = 0xF6;
    const unsigned first = (cylinder * kFloppyHeads + head) * kFloppySectors;
    bool ok = drive->Ready();
    for (unsigned s = 0; ok && s < kFloppySectors; ++s)
        ok = drive->Write(first + s, data);
    Finish(ok ? kOk : kNotReady);
}

// 08h: the geometry of a 1.44 MB drive and the parameter table; for a hard disk, none.
void BiosDisk::Parameters()
{
    Registers& R = m_guest.R();
    if (Drive(uint8_t(R.r[kDX])) == nullptr) {
        R.r[kDX] = 0;
        Finish(kBadCommand);
        return;
    }
    R.r[kAX] = 0;
    R.r[kBX] = 0x0004;
    R.r[kCX] = uint16_t((kFloppyCylinders - 1) << 8 | kFloppySectors);
    R.r[kDX] = uint16_t((kFloppyHeads - 1) << 8 | (m_drives[1] ? 2 : 1));
    R.seg[kES] = kRomSegment;
    R.r[kDI] = kParameterTable;
    Finish(kOk);
}

}  // namespace halyard::dos
