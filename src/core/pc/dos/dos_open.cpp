// INT 21h: extended open (6Ch), canonical names (60h), region locks (5Ch), commits (68h, 6Ah), the
// handle count (67h), and the network functions a machine without a network refuses (5Eh, 5Fh).
#include <vector>

#include "core/pc/dos/dos_kernel.h"
#include "core/pc/dos/dos_names.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kCanonicalLimit = 128;

}  // namespace

bool DosKernel::OpenService(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x5C:  // locks always succeed on an open handle: the machine runs one program at a time
        if (R.AL() > 1)
            m_guest.Error(kErrInvalidFunction);
        else
            m_guest.Result(m_files.Get(R.r[kBX]) != nullptr ? kErrNone : kErrInvalidHandle);
        return true;
    case 0x5E:
    case 0x5F: m_guest.Error(kErrInvalidFunction); return true;
    case 0x60: CanonicalName(); return true;
    case 0x64: return true;  // the lookahead flag of the device drivers: they have none
    case 0x67: SetHandleCount(); return true;
    case 0x68:
    case 0x6A:  // every write reaches the host at once: nothing is left to commit
        m_guest.Result(m_files.Get(R.r[kBX]) != nullptr ? kErrNone : kErrInvalidHandle);
        return true;
    case 0x6C: ExtendedOpen(); return true;
    default: return false;
    }
}

// 6Ch: DS:SI the name, BL the access, CX the attributes of a new file, DL the action: bits 0-3 for
// a file that exists (0 fail, 1 open, 2 replace), bits 4-7 for one that does not (0 fail,
// 1 create). CX tells what was done: 1 opened, 2 created, 3 replaced.
void DosKernel::ExtendedOpen()
{
    Registers& R = m_guest.R();
    const uint8_t ifExists = R.r[kDX] & 0x0F, ifMissing = (R.r[kDX] >> 4) & 0x0F;
    const uint8_t access = R.r[kBX] & 7;
    std::string path;
    if (ifExists > 2 || ifMissing > 1 || (ifExists == 0 && ifMissing == 0) || access > 2) {
        m_guest.Error(access > 2 ? kErrInvalidAccess : kErrInvalidFunction);
        return;
    }
    if (!PathAt(R.seg[kDS], R.r[kSI], path))
        return;
    const uint8_t attributes = uint8_t(R.r[kCX]);
    uint8_t existing = 0;
    const bool exists = DeviceName(path) != Device::Unused || m_guest.files.GetAttributes(path, existing) == kErrNone;
    uint16_t action = 0;
    if (exists && ifExists == 0)
        m_guest.Error(kErrFileExists);
    else if (!exists && ifMissing == 0)
        m_guest.Error(kErrFileNotFound);
    else if (exists && ifExists == 1)
        action = OpenPath(path, Access(access)) ? 1 : 0;
    else
        action = CreatePath(path, attributes, false) ? (exists ? 3 : 2) : 0;
    if (action != 0)
        R.r[kCX] = action;
}

// 60h: the full name of DS:SI into ES:DI: drive, root, the current folder for a relative name,
// "." and ".." resolved, upper case, backslashes. A drive other than the current one starts at
// its root.
void DosKernel::CanonicalName()
{
    Registers& R = m_guest.R();
    std::string name;
    if (!PathAt(R.seg[kDS], R.r[kSI], name))
        return;
    for (char& c : name)
        if (c == '/')
            c = '\\';
    const std::string current = m_guest.files.CurrentDirectory();
    std::string drive = std::string(1, char('A' + CurrentDrive())) + ":";
    if (name.size() >= 2 && name[1] == ':') {
        const char letter = char(name[0] & ~0x20);
        if (letter < 'A' || letter > 'Z') {
            m_guest.Error(kErrInvalidDrive);
            return;
        }
        drive = std::string(1, letter) + ":";
        name = name.substr(2);
    }
    std::vector<std::string> parts;
    const bool here = drive[0] == char(current[0] & ~0x20) && current.size() > 3;
    const std::string full = name.empty() || name[0] != '\\' ? (here ? current.substr(2) + "\\" : "\\") + name : name;
    size_t at = 0;
    while (at <= full.size()) {
        const size_t end = std::min(full.find('\\', at), full.size());
        const std::string part = full.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(UpperName(part));
        }
        at = end + 1;
    }
    std::string result = drive + "\\";
    for (size_t i = 0; i < parts.size(); ++i)
        result += (i ? "\\" : "") + parts[i];
    if (result.size() >= kCanonicalLimit) {
        m_guest.Error(kErrPathNotFound);
        return;
    }
    m_guest.mem.WriteString(R.seg[kES], R.r[kDI], result + '\0');
    m_guest.Succeed();
}

// 67h: BX handles for the current program. Up to 20 live in its PSP; more get a table in a
// memory block the program owns, so the call fails, as on DOS, when the program holds all memory.
// A smaller table than the open handles need is refused.
void DosKernel::SetHandleCount()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const uint16_t wanted = R.r[kBX], count = mem.Read16(m_psp, kPspHandleCount);
    for (uint16_t handle = wanted; handle < count; ++handle) {
        if (m_files.Get(handle) != nullptr) {
            m_guest.Error(kErrTooManyOpenFiles);
            return;
        }
    }
    uint16_t seg = m_psp, off = kPspHandles;
    if (wanted > kDefaultHandles) {
        uint16_t largest = 0;
        if (const uint16_t error = m_arena.Allocate(uint16_t((wanted + 15u) / 16), m_psp, seg, largest);
            error != kErrNone) {
            m_guest.Error(error);
            return;
        }
        off = 0;
    }
    const uint16_t oldOff = mem.Read16(m_psp, kPspHandleTable), oldSeg = mem.Read16(m_psp, kPspHandleTable + 2);
    std::vector<uint8_t> table(std::max<uint16_t>(wanted, kDefaultHandles), 0xFF);
    mem.CopyOut(oldSeg, oldOff, table.data(), std::min<uint32_t>(count, wanted));
    mem.CopyIn(seg, off, table.data(), uint32_t(table.size()));
    if (oldSeg != m_psp)
        (void)m_arena.Free(oldSeg);
    mem.Write16(m_psp, kPspHandleCount, std::max(wanted, uint16_t(kDefaultHandles)));
    mem.Write16(m_psp, kPspHandleTable, off);
    mem.Write16(m_psp, kPspHandleTable + 2, seg);
    m_guest.Succeed();
}

}  // namespace halyard::dos
