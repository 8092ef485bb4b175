#pragma once
// The BIOS disk service (INT 13h) for floppy drives A: and B:, each a 1.44 MB image file, with
// the BIOS's status codes in AH (and at 40:41h) and the carry set on failure. There is no hard
// disk: drive 80h and up answer "no such drive".
#include <memory>
#include <string>

#include "core/pc/devices/disk_image.h"
#include "core/pc/bios/guest.h"

namespace halyard::dos {

class BiosDisk {
public:
    explicit BiosDisk(Guest& guest) : m_guest(guest) {}

    // The image behind drive 0 (A:) or 1 (B:); the file is opened, or made, at the first access.
    void SetImage(unsigned drive, const std::string& path);
    void Reset();
    void Interrupt13();
    // The image behind drive 0 or 1, null when the drive has none (DOS's drive data reads it).
    DiskImage* Image(unsigned drive) { return drive < 2 ? m_drives[drive].get() : nullptr; }

private:
    enum Status : uint8_t {
        kOk = 0x00, kBadCommand = 0x01, kSectorNotFound = 0x04, kNotReady = 0x80,
    };
    void Finish(uint8_t status);
    void Transfer(bool write, bool verifyOnly);
    void Format();
    void Parameters();
    DiskImage* Drive(uint8_t dl);

    Guest& m_guest;
    std::unique_ptr<DiskImage> m_drives[2];
};

}  // namespace halyard::dos
