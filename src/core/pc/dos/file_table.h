#pragma once
// Open files: the system's table of open files and the program's handle table, which lives in
// its PSP (a byte per handle naming an entry of the system table, FFh = unused) as in DOS, so
// handles survive a program's own copying of its PSP fields.
#include <array>
#include <cstdint>

#include "core/pc/host.h"
#include "core/pc/cpu/memory.h"

namespace halyard::dos {

enum class Device : uint8_t { Unused, Input, Output, Error, Console, Null, Printer, File };

struct OpenFile {
    Device device = Device::Unused;
    int host = -1;  // the host's file, for Device::File
    Access access = Access::ReadWrite;
    uint16_t references = 0;
};

inline constexpr uint16_t kPspHandleCount = 0x32, kPspHandleTable = 0x34, kPspHandles = 0x18;
inline constexpr uint8_t kDefaultHandles = 20;

class FileTable {
public:
    FileTable(Memory& memory, HostFiles& files) : m_mem(memory), m_files(files) {}

    // Standard input, output and error, AUX and PRN as entries 0 to 4.
    void Reset();
    // Gives the PSP its handle table: the five standard handles, the rest unused.
    void InitPsp(uint16_t psp);
    void SetPsp(uint16_t psp) { m_psp = psp; }
    // Gives `child` a table of 20 handles that share the entries of the current PSP's first 20
    // (DOS's inheritance: each shared entry counts one more reference).
    void Inherit(uint16_t child);
    // Closes every handle of the current PSP (a program that ends).
    void CloseHandles();

    // A new entry for `file` on the lowest free handle.
    uint16_t Add(const OpenFile& file, uint16_t& handle);
    // The entry behind `handle`, nullptr when the handle is not open.
    OpenFile* Get(uint16_t handle);
    uint16_t Close(uint16_t handle);
    uint16_t Duplicate(uint16_t handle, uint16_t& copy);
    uint16_t ForceDuplicate(uint16_t handle, uint16_t target);
    // Closes every host file still open (at the end of the run).
    void CloseAll();

private:
    // The handle's slot in the PSP's table; false beyond the table.
    bool Slot(uint16_t handle, uint16_t& seg, uint16_t& off) const;
    uint16_t FreeHandle(uint16_t& handle) const;
    void Release(uint8_t entry);

    Memory& m_mem;
    HostFiles& m_files;
    uint16_t m_psp = 0;
    std::array<OpenFile, 64> m_entries{};
};

}  // namespace halyard::dos
