// INT 21h: files by handle, folders, and find first/next, over the host's file system.
#include "core/pc/dos/dos_kernel.h"

#include <cstdio>

#include "core/pc/dos/dos_names.h"

namespace halyard::dos {
namespace {

constexpr uint32_t kPathLimit = 260;
constexpr size_t kKeptSearches = 8;
// The DTA of a find: our search number and the next match's index in its reserved bytes.
constexpr uint16_t kDtaSearch = 0x0D, kDtaIndex = 0x0F, kDtaAttributes = 0x15, kDtaTime = 0x16,
                   kDtaDate = 0x18, kDtaSize = 0x1A, kDtaName = 0x1E;

}  // namespace

bool DosKernel::PathAt(uint16_t seg, uint16_t off, std::string& path)
{
    bool complete;
    path = m_guest.mem.ReadString(seg, off, kPathLimit, 0, complete);
    if (!complete || path.empty()) {
        m_guest.Error(complete ? kErrFileNotFound : kErrPathNotFound);
        return false;
    }
    return true;
}

bool DosKernel::FileService(uint8_t function)
{
    Registers& R = m_guest.R();
    std::string path;
    switch (function) {
    case 0x3C:
    case 0x5B:
        if (PathAt(R.seg[kDS], R.r[kDX], path))
            CreatePath(path, uint8_t(R.r[kCX]), function == 0x5B);
        return true;
    case 0x3D:
        if (!PathAt(R.seg[kDS], R.r[kDX], path))
            return true;
        if ((R.AL() & 7) > 2)
            m_guest.Error(kErrInvalidAccess);
        else
            OpenPath(path, Access(R.AL() & 7));
        return true;
    case 0x3E: m_guest.Result(m_files.Close(R.r[kBX])); return true;
    case 0x3F: ReadHandle(); return true;
    case 0x40: WriteHandle(); return true;
    case 0x41:
        if (PathAt(R.seg[kDS], R.r[kDX], path))
            m_guest.Result(m_guest.files.Delete(path));
        return true;
    case 0x42: Seek(); return true;
    case 0x43: {
        if (!PathAt(R.seg[kDS], R.r[kDX], path))
            return true;
        if (R.AL() == 1) {
            m_guest.Result(m_guest.files.SetAttributes(path, uint8_t(R.r[kCX])));
            return true;
        }
        uint8_t attributes = 0;
        const uint16_t error = m_guest.files.GetAttributes(path, attributes);
        if (error == kErrNone)
            R.r[kCX] = attributes;
        m_guest.Result(error);
        return true;
    }
    case 0x44: Ioctl(); return true;
    case 0x45: {
        uint16_t copy = 0;
        const uint16_t error = m_files.Duplicate(R.r[kBX], copy);
        if (error == kErrNone)
            R.r[kAX] = copy;
        m_guest.Result(error);
        return true;
    }
    case 0x46: m_guest.Result(m_files.ForceDuplicate(R.r[kBX], R.r[kCX])); return true;
    case 0x56: {
        std::string to;
        if (PathAt(R.seg[kDS], R.r[kDX], path) && PathAt(R.seg[kES], R.r[kDI], to))
            m_guest.Result(m_guest.files.Rename(path, to));
        return true;
    }
    case 0x57: {
        const OpenFile* file = m_files.Get(R.r[kBX]);
        if (file == nullptr || file->device != Device::File) {
            m_guest.Error(file == nullptr ? kErrInvalidHandle : kErrInvalidFunction);
        } else if (R.AL() == 1) {
            m_guest.Result(m_guest.files.SetTime(file->host, R.r[kCX], R.r[kDX]));
        } else {
            uint16_t time = 0, date = 0;
            const uint16_t error = m_guest.files.GetTime(file->host, time, date);
            if (error == kErrNone) {
                R.r[kCX] = time;
                R.r[kDX] = date;
            }
            m_guest.Result(error);
        }
        return true;
    }
    case 0x5A: CreateTemporary(); return true;
    default: return false;
    }
}

bool DosKernel::OpenPath(const std::string& path, Access access)
{
    OpenFile file;
    file.access = access;
    file.device = DeviceName(path);
    if (file.device == Device::Unused) {
        file.device = Device::File;
        if (const uint16_t error = m_guest.files.Open(path, access, file.host); error != kErrNone) {
            m_guest.Error(error);
            return false;
        }
    }
    return AddHandle(file);
}

bool DosKernel::CreatePath(const std::string& path, uint8_t attributes, bool mustBeNew)
{
    if (DeviceName(path) != Device::Unused)
        return OpenPath(path, Access::ReadWrite);
    OpenFile file;
    file.device = Device::File;
    if (const uint16_t error = m_guest.files.Create(path, attributes, mustBeNew, file.host); error != kErrNone) {
        m_guest.Error(error);
        return false;
    }
    return AddHandle(file);
}

// The handle in AX; a host file that finds no free handle is closed again.
bool DosKernel::AddHandle(const OpenFile& file)
{
    uint16_t handle = 0;
    if (const uint16_t error = m_files.Add(file, handle); error != kErrNone) {
        if (file.device == Device::File)
            (void)m_guest.files.Close(file.host);
        m_guest.Error(error);
        return false;
    }
    m_guest.R().r[kAX] = handle;
    m_guest.Succeed();
    return true;
}

// 5Ah: DS:DX holds a folder ending with its separator (or nothing) and room for the name after it.
void DosKernel::CreateTemporary()
{
    Registers& R = m_guest.R();
    std::string folder;
    bool complete;
    folder = m_guest.mem.ReadString(R.seg[kDS], R.r[kDX], kPathLimit, 0, complete);
    if (!complete) {
        m_guest.Error(kErrPathNotFound);
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "HT%06X.TMP", unsigned(++m_tempCounter) * 7919u % 0x1000000u);
        int host = -1;
        const uint16_t error = m_guest.files.Create(folder + name, uint8_t(R.r[kCX]), true, host);
        if (error == kErrFileExists)
            continue;
        if (error != kErrNone) {
            m_guest.Error(error);
            return;
        }
        OpenFile file;
        file.device = Device::File;
        file.host = host;
        if (AddHandle(file))
            m_guest.mem.WriteString(R.seg[kDS], uint16_t(R.r[kDX] + folder.size()), std::string(name) + '\0');
        return;
    }
    m_guest.Error(kErrFileExists);
}

OpenFile* DosKernel::FileInBx(Access use)
{
    OpenFile* file = m_files.Get(m_guest.R().r[kBX]);
    if (file == nullptr) {
        m_guest.Error(kErrInvalidHandle);
        return nullptr;
    }
    if ((use == Access::Read && file->access == Access::Write) || (use == Access::Write && file->access == Access::Read)) {
        m_guest.Error(kErrAccessDenied);
        return nullptr;
    }
    return file;
}

void DosKernel::ReadHandle()
{
    Registers& R = m_guest.R();
    OpenFile* file = FileInBx(Access::Read);
    if (file == nullptr)
        return;
    m_transfer.resize(R.r[kCX]);
    uint32_t done = 0;
    switch (file->device) {
    case Device::File:
        if (const uint16_t error = m_guest.files.Read(file->host, m_transfer.data(), R.r[kCX], done);
            error != kErrNone) {
            m_guest.Error(error);
            return;
        }
        break;
    case Device::Input:
    case Device::Console: {
        const bool typed = file->device == Device::Console || m_console.FromKeyboard();
        if (typed)
            Resuming();
        const LineRead read = m_console.ReadCooked(m_transfer.data(), R.r[kCX], done);
        if (read == LineRead::Waiting) {
            WaitForKey();
            return;
        }
        if (read == LineRead::Break) {
            Break();
            return;
        }
        break;
    }
    default: break;
    }
    m_guest.mem.CopyIn(R.seg[kDS], R.r[kDX], m_transfer.data(), done);
    R.r[kAX] = uint16_t(done);
    m_guest.Succeed();
}

// A write of 0 bytes to a file cuts it at its position.
void DosKernel::WriteHandle()
{
    Registers& R = m_guest.R();
    OpenFile* file = FileInBx(Access::Write);
    if (file == nullptr)
        return;
    const uint32_t size = R.r[kCX];
    m_transfer.resize(size);
    m_guest.mem.CopyOut(R.seg[kDS], R.r[kDX], m_transfer.data(), size);
    uint32_t done = 0;
    if (const uint16_t error = WriteTo(*file, m_transfer.data(), size, done); error != kErrNone) {
        m_guest.Error(error);
        return;
    }
    R.r[kAX] = uint16_t(done);
    m_guest.Succeed();
}

uint16_t DosKernel::WriteTo(const OpenFile& file, const uint8_t* data, uint32_t size, uint32_t& done)
{
    done = size;
    if (file.device == Device::Printer) {
        m_printer.Write(data, size);
        return kErrNone;
    }
    if (file.device != Device::File) {
        m_console.Write(file.device, data, size);
        return kErrNone;
    }
    return size == 0 ? m_guest.files.Truncate(file.host) : m_guest.files.Write(file.host, data, size, done);
}

void DosKernel::PutStandardOutput(const uint8_t* data, uint32_t size)
{
    uint32_t done;
    if (const OpenFile* file = m_files.Get(1); file != nullptr && size > 0)
        (void)WriteTo(*file, data, size, done);
}

void DosKernel::Seek()
{
    Registers& R = m_guest.R();
    OpenFile* file = FileInBx(Access::ReadWrite);
    if (file == nullptr)
        return;
    if (R.AL() > 2) {
        m_guest.Error(kErrInvalidFunction);
        return;
    }
    uint32_t position = 0;
    if (file->device == Device::File) {
        const int32_t offset = int32_t(uint32_t(R.r[kCX]) << 16 | R.r[kDX]);
        if (const uint16_t error = m_guest.files.Seek(file->host, offset, SeekFrom(R.AL()), position);
            error != kErrNone) {
            m_guest.Error(error);
            return;
        }
    }
    R.r[kAX] = uint16_t(position);
    R.r[kDX] = uint16_t(position >> 16);
    m_guest.Succeed();
}

// 44h: the device information and status queries programs make about their handles.
void DosKernel::Ioctl()
{
    Registers& R = m_guest.R();
    const uint8_t sub = R.AL();
    if (sub == 0x08 || sub == 0x09) {  // removable / remote drive: a fixed local disk
        R.r[kAX] = sub == 0x08 ? 1 : 0;
        R.r[kDX] = 0;
        m_guest.Succeed();
        return;
    }
    const OpenFile* file = m_files.Get(R.r[kBX]);
    if (file == nullptr) {
        m_guest.Error(kErrInvalidHandle);
        return;
    }
    bool console = file->device == Device::Console;
    const bool stream = file->device == Device::Input || file->device == Device::Output || file->device == Device::Error;
    if (stream) {
        const Stream s = file->device == Device::Input ? Stream::Input
                         : file->device == Device::Output ? Stream::Output : Stream::Error;
        console = !m_guest.console.IsRedirected(s);
    }
    const bool isFile = file->device == Device::File || (stream && !console);
    switch (sub) {
    case 0x00:
        R.r[kDX] = isFile ? CurrentDrive() : console ? 0x80D3 : file->device == Device::Printer ? 0x80A0 : 0x8084;
        break;
    case 0x01: break;
    case 0x06: R.SetAL(file->device == Device::Null ? 0 : 0xFF); break;
    case 0x07: R.SetAL(0xFF); break;
    default: m_guest.Error(kErrInvalidFunction); return;
    }
    m_guest.Succeed();
}

bool DosKernel::Folder(uint8_t function)
{
    Registers& R = m_guest.R();
    std::string path;
    switch (function) {
    case 0x0E: {
        const char drive[] = {char('A' + (R.r[kDX] & 0x1F)), ':', 0};
        if (uint8_t(R.r[kDX]) < 26 && uint8_t(R.r[kDX]) != CurrentDrive())
            (void)m_guest.files.ChangeDirectory(drive);
        R.SetAL(26);
        return true;
    }
    case 0x39:
    case 0x3A:
    case 0x3B:
        if (!PathAt(R.seg[kDS], R.r[kDX], path))
            return true;
        m_guest.Result(function == 0x39   ? m_guest.files.MakeDirectory(path)
                       : function == 0x3A ? m_guest.files.RemoveDirectory(path)
                                          : m_guest.files.ChangeDirectory(path));
        return true;
    case 0x47: {
        const uint8_t drive = uint8_t(R.r[kDX]);
        const std::string folder = m_guest.files.CurrentDirectory();
        // The folder without its drive and first separator, within the 64 bytes DOS allows.
        const std::string rest = folder.size() > 3 ? folder.substr(3) : std::string();
        if ((drive != 0 && drive - 1 != CurrentDrive()) || rest.size() > 63) {
            m_guest.Error(kErrInvalidDrive);
            return true;
        }
        m_guest.mem.WriteString(R.seg[kDS], R.r[kSI], rest + '\0');
        R.r[kAX] = 0x0100;
        m_guest.Succeed();
        return true;
    }
    default: return false;
    }
}

bool DosKernel::Find(uint8_t function)
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    if (function == 0x4F) {
        if (mem.Read8(m_dtaSeg, uint16_t(m_dtaOff + 1)) != 'H') {
            m_guest.Error(kErrNoMoreFiles);
            return true;
        }
        FindNext(mem.Read16(m_dtaSeg, uint16_t(m_dtaOff + kDtaSearch)),
                 mem.Read16(m_dtaSeg, uint16_t(m_dtaOff + kDtaIndex)));
        return true;
    }
    if (function != 0x4E)
        return false;
    std::string pattern;
    if (!PathAt(R.seg[kDS], R.r[kDX], pattern))
        return true;
    std::vector<DirEntry> all;
    const std::string folder(FolderOf(pattern));
    if (const uint16_t error = m_guest.files.List(folder, all); error != kErrNone) {
        m_guest.Error(kErrPathNotFound);
        return true;
    }
    // Normal files always; hidden, system and folders when asked for; volume labels never.
    const uint8_t allowed = uint8_t((R.r[kCX] & (kAttrHidden | kAttrSystem | kAttrDirectory)) | kAttrReadOnly | kAttrArchive);
    std::vector<DirEntry> matches;
    for (DirEntry& entry : all) {
        entry.name = UpperName(entry.name);
        if ((entry.attributes & ~allowed) == 0 && MatchesPattern(entry.name, pattern.substr(folder.size())))
            matches.push_back(std::move(entry));
    }
    if (matches.empty()) {
        m_guest.Error(kErrNoMoreFiles);
        return true;
    }
    const uint16_t search = m_nextSearch++;
    if (m_searches.size() < kKeptSearches)
        m_searches.resize(kKeptSearches);
    m_searches[search % kKeptSearches] = std::move(matches);
    mem.Fill(m_dtaSeg, m_dtaOff, 0, kDtaName);
    mem.Write8(m_dtaSeg, m_dtaOff, uint8_t(CurrentDrive() + 1));
    mem.Write8(m_dtaSeg, uint16_t(m_dtaOff + 1), 'H');
    FindNext(search, 0);
    return true;
}

void DosKernel::FindNext(uint16_t search, uint16_t index)
{
    Memory& mem = m_guest.mem;
    // A search is kept until kKeptSearches newer ones replaced it.
    const bool kept = uint16_t(m_nextSearch - search) <= kKeptSearches && search < m_nextSearch;
    const std::vector<DirEntry>* matches = kept ? &m_searches[search % kKeptSearches] : nullptr;
    if (matches == nullptr || index >= matches->size()) {
        m_guest.Error(kErrNoMoreFiles);
        return;
    }
    const DirEntry& entry = (*matches)[index];
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaSearch), search);
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaIndex), uint16_t(index + 1));
    mem.Write8(m_dtaSeg, uint16_t(m_dtaOff + kDtaAttributes), entry.attributes);
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaTime), entry.time);
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaDate), entry.date);
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaSize), uint16_t(entry.size));
    mem.Write16(m_dtaSeg, uint16_t(m_dtaOff + kDtaSize + 2), uint16_t(entry.size >> 16));
    mem.Fill(m_dtaSeg, uint16_t(m_dtaOff + kDtaName), 0, 13);
    mem.WriteString(m_dtaSeg, uint16_t(m_dtaOff + kDtaName), entry.name);
    m_guest.Succeed();
}

}  // namespace halyard::dos
