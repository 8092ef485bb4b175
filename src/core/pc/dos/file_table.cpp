#include "core/pc/dos/file_table.h"

namespace halyard::dos {

void FileTable::Reset()
{
    m_entries = {};
    const Device standard[] = {Device::Input, Device::Output, Device::Error, Device::Null, Device::Printer};
    for (unsigned i = 0; i < 5; ++i)
        m_entries[i] = {standard[i], -1, Access::ReadWrite, 1};
}

void FileTable::InitPsp(uint16_t psp)
{
    m_psp = psp;
    m_mem.Write16(psp, kPspHandleCount, kDefaultHandles);
    m_mem.Write16(psp, kPspHandleTable, kPspHandles);
    m_mem.Write16(psp, kPspHandleTable + 2, psp);
    m_mem.Fill(psp, kPspHandles, 0xFF, kDefaultHandles);
    for (uint8_t i = 0; i < 5; ++i)
        m_mem.Write8(psp, uint16_t(kPspHandles + i), i);
}

void FileTable::Inherit(uint16_t child)
{
    m_mem.Write16(child, kPspHandleCount, kDefaultHandles);
    m_mem.Write16(child, kPspHandleTable, kPspHandles);
    m_mem.Write16(child, kPspHandleTable + 2, child);
    for (uint16_t handle = 0; handle < kDefaultHandles; ++handle) {
        uint16_t seg, off;
        uint8_t entry = 0xFF;
        if (Get(handle) != nullptr && Slot(handle, seg, off)) {
            entry = m_mem.Read8(seg, off);
            ++m_entries[entry].references;
        }
        m_mem.Write8(child, uint16_t(kPspHandles + handle), entry);
    }
}

void FileTable::CloseHandles()
{
    const uint16_t count = m_mem.Read16(m_psp, kPspHandleCount);
    for (uint16_t handle = 0; handle < count; ++handle)
        (void)Close(handle);
}

bool FileTable::Slot(uint16_t handle, uint16_t& seg, uint16_t& off) const
{
    if (handle >= m_mem.Read16(m_psp, kPspHandleCount))
        return false;
    off = uint16_t(m_mem.Read16(m_psp, kPspHandleTable) + handle);
    seg = m_mem.Read16(m_psp, kPspHandleTable + 2);
    return true;
}

OpenFile* FileTable::Get(uint16_t handle)
{
    uint16_t seg, off;
    if (!Slot(handle, seg, off))
        return nullptr;
    const uint8_t entry = m_mem.Read8(seg, off);
    if (entry >= m_entries.size() || m_entries[entry].device == Device::Unused)
        return nullptr;
    return &m_entries[entry];
}

uint16_t FileTable::FreeHandle(uint16_t& handle) const
{
    uint16_t seg, off;
    for (handle = 0; Slot(handle, seg, off); ++handle) {
        if (m_mem.Read8(seg, off) == 0xFF)
            return kErrNone;
    }
    return kErrTooManyOpenFiles;
}

uint16_t FileTable::Add(const OpenFile& file, uint16_t& handle)
{
    if (const uint16_t error = FreeHandle(handle); error != kErrNone)
        return error;
    for (uint8_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].device == Device::Unused) {
            m_entries[i] = file;
            m_entries[i].references = 1;
            uint16_t seg, off;
            Slot(handle, seg, off);
            m_mem.Write8(seg, off, i);
            return kErrNone;
        }
    }
    return kErrTooManyOpenFiles;
}

void FileTable::Release(uint8_t entry)
{
    OpenFile& file = m_entries[entry];
    if (--file.references > 0)
        return;
    if (file.device == Device::File)
        (void)m_files.Close(file.host);
    file = {};
}

uint16_t FileTable::Close(uint16_t handle)
{
    if (Get(handle) == nullptr)
        return kErrInvalidHandle;
    uint16_t seg, off;
    Slot(handle, seg, off);
    Release(m_mem.Read8(seg, off));
    m_mem.Write8(seg, off, 0xFF);
    return kErrNone;
}

uint16_t FileTable::Duplicate(uint16_t handle, uint16_t& copy)
{
    OpenFile* file = Get(handle);
    if (file == nullptr)
        return kErrInvalidHandle;
    if (const uint16_t error = FreeHandle(copy); error != kErrNone)
        return error;
    return ForceDuplicate(handle, copy);
}

uint16_t FileTable::ForceDuplicate(uint16_t handle, uint16_t target)
{
    OpenFile* file = Get(handle);
    uint16_t seg, off, targetSeg, targetOff;
    if (file == nullptr || !Slot(target, targetSeg, targetOff))
        return kErrInvalidHandle;
    if (target == handle)
        return kErrNone;
    if (Get(target) != nullptr)
        (void)Close(target);
    Slot(handle, seg, off);
    const uint8_t entry = m_mem.Read8(seg, off);
    ++m_entries[entry].references;
    m_mem.Write8(targetSeg, targetOff, entry);
    return kErrNone;
}

void FileTable::CloseAll()
{
    for (OpenFile& file : m_entries) {
        if (file.device == Device::File)
            (void)m_files.Close(file.host);
        file = {};
    }
}

}  // namespace halyard::dos
