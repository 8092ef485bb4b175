// INT 21h: country information, lead bytes, InDOS, extended error, and functions DOS 5 lacks.
#include <cstring>

#include "core/pc/dos/dos_data.h"
#include "core/pc/dos/dos_kernel.h"

namespace halyard::dos {
namespace {

// Code page 437's upper case of 80h-FFh, as the case-map routine returns it.
constexpr uint8_t kUpper437[0x28] = {
    0x80, 0x9A, 0x90, 0x41, 0x8E, 0x41, 0x8F, 0x80, 0x45, 0x45, 0x45, 0x49, 0x49, 0x49, 0x8E, 0x8F,
    0x90, 0x92, 0x92, 0x4F, 0x99, 0x4F, 0x55, 0x55, 0x59, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    0x41, 0x49, 0x4F, 0x55, 0xA5, 0xA5, 0xA6, 0xA7};

// cmp al,80h; jb done; push bx; mov bx,table-80h; cs: xlat; pop bx; done: retf
constexpr uint8_t kCaseMapCode[] = {0x3C, 0x80, 0x72, 0x07, 0x53, 0xBB, uint8_t(dosdata::kCaseTable - 0x80),
                                    uint8_t((dosdata::kCaseTable - 0x80) >> 8), 0x2E, 0xD7, 0x5B, 0xCB};

// The country information of 38h for the United States, as DOS 5 gives it without COUNTRY=:
// date m-d-y, "$", "," thousands, "." decimals, "-" dates, ":" times, 12-hour clock.
constexpr uint8_t kCountry[34] = {0, 0, '$', 0, 0, 0, 0, ',', 0, '.', 0, '-', 0, ':', 0, 0, 2, 0,
                                  0, 0, 0, 0, ',', 0};

bool DoubleByteCodePage(uint16_t codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

}  // namespace

void DosKernel::SetCodePage(uint16_t codePage)
{
    using namespace dosdata;
    Memory& mem = m_guest.mem;
    m_doubleByte = DoubleByteCodePage(codePage);
    mem.Fill(kSegment, 0, 0, 0x200);
    if (m_doubleByte) {
        mem.Write8(kSegment, kLeadBytes, 0x81);
        mem.Write8(kSegment, kLeadBytes + 1, 0xFE);
        mem.Write16(kSegment, kLeadBytesSize, 2);
    }
    mem.Write16(kSegment, kCaseTableSize, 0x80);
    mem.CopyIn(kSegment, kCaseMap, kCaseMapCode, sizeof kCaseMapCode);
    for (unsigned c = 0x80; c < 0x100; ++c) {
        const unsigned i = c - 0x80;
        mem.Write8(kSegment, uint16_t(kCaseTable + i), !m_doubleByte && i < sizeof kUpper437 ? kUpper437[i] : uint8_t(c));
    }
    // The list of lists: no drive parameter blocks or system file tables to walk (null pointers),
    // the last drive Z:, and the first memory control block just before it, where DOS keeps it.
    mem.Write16(kSegment, uint16_t(kListOfLists - 2), uint16_t(m_arena.First()));
    mem.Fill(kSegment, kListOfLists, 0xFF, 0x12);
    mem.Write8(kSegment, kListOfLists + 0x20, 26);
    mem.Write8(kSegment, kListOfLists + 0x21, 26);
}

bool DosKernel::SystemInfo(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x34:
        R.seg[kES] = dosdata::kSegment;
        R.r[kBX] = dosdata::kInDos;
        return true;
    case 0x38: CountryInfo(); return true;
    case 0x52:
        R.seg[kES] = dosdata::kSegment;
        R.r[kBX] = dosdata::kListOfLists;
        return true;
    case 0x5D:
        if (R.AL() != 0x0A) {
            m_guest.Error(kErrInvalidFunction);
            return true;
        }
        // DS:DX: the error (AX), then BX, CX, ... as 59h will report them.
        m_guest.lastError = m_guest.mem.Read16(R.seg[kDS], R.r[kDX]);
        m_guest.Succeed();
        return true;
    case 0x63:
        if (R.AL() == 0) {
            R.seg[kDS] = dosdata::kSegment;
            R.r[kSI] = dosdata::kLeadBytes;
        } else if (R.AL() == 2) {
            R.SetR8(2, 0);  // the console is not in interim mode
        } else if (R.AL() != 1) {
            R.SetAL(0xFF);
            return true;
        }
        R.SetAL(0);
        m_guest.Succeed();
        return true;
    case 0x66:
        if (R.AL() == 1) {
            R.r[kBX] = R.r[kDX] = m_doubleByte ? 936 : 437;
            m_guest.Succeed();
        } else {
            m_guest.Error(R.AL() == 2 ? kErrFileNotFound : kErrInvalidFunction);
        }
        return true;
    case 0x65: ExtendedCountry(); return true;
    default:
        // Not a DOS 5 function: DOS leaves AL = 0 and changes nothing else. The long-name
        // functions of later versions (71h) also set the carry, which is how programs ask for
        // them, as the reference machine answers.
        R.SetAL(0);
        if (function == 0x71)
            m_guest.ReturnFlag(kCF, true);
        return true;
    }
}


// 38h: AL = 0 (or BX = 1 with AL = FFh) reads the country information into DS:DX; DX = FFFFh
// sets the country, of which this machine knows only the United States (1).
void DosKernel::CountryInfo()
{
    Registers& R = m_guest.R();
    const uint16_t country = R.AL() == 0xFF ? R.r[kBX] : R.AL() == 0 ? 1 : R.AL();
    if (country != 1) {
        m_guest.Error(kErrFileNotFound);
        return;
    }
    if (R.r[kDX] != 0xFFFF) {
        m_guest.mem.CopyIn(R.seg[kDS], R.r[kDX], kCountry, sizeof kCountry);
        m_guest.mem.Write16(R.seg[kDS], uint16_t(R.r[kDX] + 0x12), dosdata::kCaseMap);
        m_guest.mem.Write16(R.seg[kDS], uint16_t(R.r[kDX] + 0x14), dosdata::kSegment);
    }
    R.r[kAX] = R.r[kBX] = country;
    m_guest.Succeed();
}

}  // namespace halyard::dos

namespace halyard::dos {

// 65h: AL=01h the extended country information (BX code page, DX country, FFFFh the current ones)
// into ES:DI of CX bytes; 02h, 04h the upper-case tables, 07h the lead bytes, as far pointers;
// 20h-22h upper-case a character, a counted and an ASCIZ string; 23h answers yes (1) or no (0).
void DosKernel::ExtendedCountry()
{
    Registers& R = m_guest.R();
    const uint8_t sub = R.AL();
    const uint16_t codePage = m_doubleByte ? 936 : 437;
    switch (sub) {
    case 0x20: R.SetR8(2, Upper(uint8_t(R.r[kDX]))); break;
    case 0x21: UpperCase(R.seg[kDS], R.r[kDX], R.r[kCX], false); break;
    case 0x22: UpperCase(R.seg[kDS], R.r[kDX], 0x10000, true); break;
    case 0x23: {
        const uint8_t c = Upper(uint8_t(R.r[kDX]));
        R.r[kAX] = c == 'Y' ? 1 : c == 'N' ? 0 : 2;
        break;
    }
    case 0x01:
    case 0x02:
    case 0x04:
    case 0x07:
        if ((R.r[kBX] != 0xFFFF && R.r[kBX] != codePage) || (R.r[kDX] != 0xFFFF && R.r[kDX] != 1)) {
            m_guest.Error(kErrFileNotFound);
            return;
        }
        if (R.r[kCX] < 5) {
            m_guest.Error(kErrInvalidFunction);
            return;
        }
        if (sub == 0x01) {
            const uint16_t size = uint16_t(std::min<unsigned>(R.r[kCX], 7 + sizeof kCountry));
            uint8_t info[7 + sizeof kCountry] = {0x01, uint8_t(sizeof kCountry + 4), 0, 1, 0,
                                                 uint8_t(codePage), uint8_t(codePage >> 8)};
            std::memcpy(info + 7, kCountry, sizeof kCountry);
            info[7 + 0x12] = uint8_t(dosdata::kCaseMap);
            info[7 + 0x14] = uint8_t(dosdata::kSegment);
            m_guest.mem.CopyIn(R.seg[kES], R.r[kDI], info, size);
            R.r[kCX] = size;
        } else {
            ExtendedCountryTable(sub, sub == 0x07 ? dosdata::kLeadBytesSize : dosdata::kCaseTableSize);
        }
        break;
    default: m_guest.Error(kErrInvalidFunction); return;
    }
    m_guest.Succeed();
}

void DosKernel::ExtendedCountryTable(uint8_t id, uint16_t table)
{
    Registers& R = m_guest.R();
    m_guest.mem.Write8(R.seg[kES], R.r[kDI], id);
    m_guest.mem.Write16(R.seg[kES], uint16_t(R.r[kDI] + 1), table);
    m_guest.mem.Write16(R.seg[kES], uint16_t(R.r[kDI] + 3), dosdata::kSegment);
    R.r[kCX] = 5;
}

uint8_t DosKernel::Upper(uint8_t c)
{
    if (c >= 'a' && c <= 'z')
        return uint8_t(c - 0x20);
    return c < 0x80 ? c : m_guest.mem.Read8(dosdata::kSegment, uint16_t(dosdata::kCaseTable + c - 0x80));
}

// In a double-byte code page the byte after a lead byte is left as it is.
void DosKernel::UpperCase(uint16_t seg, uint16_t off, uint32_t count, bool asciz)
{
    Memory& mem = m_guest.mem;
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t at = uint16_t(off + i);
        const uint8_t c = mem.Read8(seg, at);
        if (asciz && c == 0)
            return;
        if (m_doubleByte && c >= 0x81 && c <= 0xFE) {
            ++i;
            continue;
        }
        mem.Write8(seg, at, Upper(c));
    }
}

}  // namespace halyard::dos
