#include "core/pc/program_kind.h"

namespace halyard::dos {
namespace {

uint16_t Word(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

bool EndsWithCom(std::string_view name)
{
    if (name.size() < 4 || name[name.size() - 4] != '.')
        return false;
    const std::string_view ext = name.substr(name.size() - 3);
    for (size_t i = 0; i < 3; ++i) {
        if ((ext[i] & ~0x20) != "COM"[i])
            return false;
    }
    return true;
}

}  // namespace

ProgramKind ClassifyProgram(const uint8_t* file, size_t size, std::string_view fileName)
{
    const bool mz = size >= 2 && ((file[0] == 'M' && file[1] == 'Z') || (file[0] == 'Z' && file[1] == 'M'));
    if (!mz)
        return EndsWithCom(fileName) ? ProgramKind::Com : ProgramKind::Other;
    // Only a header whose relocation table starts at 40h or later has room for the offset of a
    // newer header (at 3Ch).
    if (size < 0x40 || Word(file + 0x18) < 0x40)
        return ProgramKind::Mz;
    const uint32_t at = uint32_t(file[0x3C] | file[0x3D] << 8 | file[0x3E] << 16 | uint32_t(file[0x3F]) << 24);
    if (at < 0x40 || at > size - 2)
        return ProgramKind::Mz;
    const uint8_t a = file[at], b = file[at + 1];
    const bool newer = (a == 'P' && b == 'E') || (a == 'N' && b == 'E') || (a == 'L' && (b == 'E' || b == 'X'));
    return newer ? ProgramKind::Other : ProgramKind::Mz;
}

}  // namespace halyard::dos
