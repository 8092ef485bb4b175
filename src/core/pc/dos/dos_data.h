#pragma once
// DOS's own data below the memory arena: what its services hand out far pointers to.
#include <cstdint>

namespace halyard::dos::dosdata {

inline constexpr uint16_t kSegment = 0x0080;   // 0080:0000 to 00FF:000F, below the arena at 0100h
inline constexpr uint16_t kCriticalError = 0x00;  // the critical-error flag, just before InDOS
inline constexpr uint16_t kInDos = 0x01;          // 34h: never set while a program runs
inline constexpr uint16_t kLeadBytesSize = 0x0E;  // 65h AL=07h: the size of the pairs before 0, 0
inline constexpr uint16_t kLeadBytes = 0x10;      // 63h: pairs of lead-byte ranges, ended by 0, 0
inline constexpr uint16_t kCaseMap = 0x20;        // 38h: the far routine that upper-cases AL
inline constexpr uint16_t kCaseTableSize = 0x3E;  // 65h AL=02h, 04h: the table's size (80h) before it
inline constexpr uint16_t kCaseTable = 0x40;      // its table for 80h-FFh
inline constexpr uint16_t kListOfLists = 0x100;   // 52h: ES:BX points here (the fields a program reads)
inline constexpr uint16_t kDriveBlocks = 0x200;   // 1Fh, 32h: the drive parameter blocks of A:, B:, C:
inline constexpr uint16_t kDriveBlockSize = 0x21;

}  // namespace halyard::dos::dosdata
