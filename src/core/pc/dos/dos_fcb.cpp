// INT 21h: file control blocks (FCBs): the parsing of names into them (29h) and the file
// functions of DOS 1 that older programs still use. An open FCB keeps the host's file in its
// reserved bytes; DS:DX points at it, or at an extended FCB (FFh, 5 reserved bytes, attributes).
#include <cstring>

#include "core/pc/dos/dos_kernel.h"
#include "core/pc/dos/dos_names.h"
#include "core/pc/dos/fcb_names.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kCurrentBlock = 0x0C, kRecordSize = 0x0E, kFileSize = 0x10, kDate = 0x14, kTime = 0x16,
                   kHostFile = 0x18, kCurrentRecord = 0x20, kRandomRecord = 0x21;
constexpr uint8_t kFcbOk = 0x00, kFcbEnd = 0x01, kFcbPartial = 0x03, kFcbFailed = 0xFF;

}  // namespace

DosKernel::Fcb DosKernel::FcbInDsDx()
{
    Registers& R = m_guest.R();
    Fcb fcb{R.seg[kDS], R.r[kDX], 0};
    if (m_guest.mem.Read8(fcb.seg, fcb.off) == 0xFF) {
        fcb.attributes = m_guest.mem.Read8(fcb.seg, uint16_t(fcb.off + 6));
        fcb.off = uint16_t(fcb.off + 7);
    }
    return fcb;
}

std::string DosKernel::FcbPath(const Fcb& fcb, uint16_t nameAt)
{
    uint8_t name[11];
    m_guest.mem.CopyOut(fcb.seg, uint16_t(fcb.off + nameAt), name, sizeof name);
    const uint8_t drive = m_guest.mem.Read8(fcb.seg, fcb.off);
    const bool current = drive == 0 || drive == CurrentDrive() + 1;
    const std::string prefix = current ? std::string() : std::string(1, char('A' + drive - 1)) + ":";
    return prefix + NameOfFcb(name);
}

uint16_t DosKernel::FcbRecordSize(const Fcb& fcb)
{
    const uint16_t size = m_guest.mem.Read16(fcb.seg, uint16_t(fcb.off + kRecordSize));
    return size == 0 ? 128 : size;
}

uint32_t DosKernel::FcbRandomRecord(const Fcb& fcb)
{
    const Memory& mem = m_guest.mem;
    uint32_t record = mem.Read16(fcb.seg, uint16_t(fcb.off + kRandomRecord)) |
                      uint32_t(mem.Read8(fcb.seg, uint16_t(fcb.off + kRandomRecord + 2))) << 16;
    if (FcbRecordSize(fcb) < 64)
        record |= uint32_t(mem.Read8(fcb.seg, uint16_t(fcb.off + kRandomRecord + 3))) << 24;
    return record;
}

void DosKernel::SetFcbRandomRecord(const Fcb& fcb, uint32_t record)
{
    Memory& mem = m_guest.mem;
    mem.Write16(fcb.seg, uint16_t(fcb.off + kRandomRecord), uint16_t(record));
    mem.Write8(fcb.seg, uint16_t(fcb.off + kRandomRecord + 2), uint8_t(record >> 16));
    if (FcbRecordSize(fcb) < 64)
        mem.Write8(fcb.seg, uint16_t(fcb.off + kRandomRecord + 3), uint8_t(record >> 24));
}

// The sequential position: current block of 128 records and the record in it.
uint32_t DosKernel::FcbSequentialRecord(const Fcb& fcb)
{
    return uint32_t(m_guest.mem.Read16(fcb.seg, uint16_t(fcb.off + kCurrentBlock))) * 128 +
           m_guest.mem.Read8(fcb.seg, uint16_t(fcb.off + kCurrentRecord));
}

void DosKernel::SetFcbSequentialRecord(const Fcb& fcb, uint32_t record)
{
    m_guest.mem.Write16(fcb.seg, uint16_t(fcb.off + kCurrentBlock), uint16_t(record / 128));
    m_guest.mem.Write8(fcb.seg, uint16_t(fcb.off + kCurrentRecord), uint8_t(record % 128));
}

// The host file of an FCB this program opened; -1 for any other.
int DosKernel::FcbFile(const Fcb& fcb)
{
    const int file = int(m_guest.mem.Read16(fcb.seg, uint16_t(fcb.off + kHostFile))) - 1;
    return m_fcbFiles.count(file) ? file : -1;
}

void DosKernel::FcbOpened(const Fcb& fcb, int file)
{
    Memory& mem = m_guest.mem;
    m_fcbFiles.insert(file);
    if (mem.Read8(fcb.seg, fcb.off) == 0)
        mem.Write8(fcb.seg, fcb.off, uint8_t(CurrentDrive() + 1));
    mem.Write16(fcb.seg, uint16_t(fcb.off + kCurrentBlock), 0);
    mem.Write16(fcb.seg, uint16_t(fcb.off + kRecordSize), 128);
    uint32_t size = 0, start = 0;
    (void)m_guest.files.Seek(file, 0, SeekFrom::End, size);
    (void)m_guest.files.Seek(file, 0, SeekFrom::Start, start);
    mem.Write16(fcb.seg, uint16_t(fcb.off + kFileSize), uint16_t(size));
    mem.Write16(fcb.seg, uint16_t(fcb.off + kFileSize + 2), uint16_t(size >> 16));
    uint16_t time = 0, date = 0;
    (void)m_guest.files.GetTime(file, time, date);
    mem.Write16(fcb.seg, uint16_t(fcb.off + kDate), date);
    mem.Write16(fcb.seg, uint16_t(fcb.off + kTime), time);
    mem.Write16(fcb.seg, uint16_t(fcb.off + kHostFile), uint16_t(file + 1));
}

void DosKernel::FcbOpen(bool create)
{
    const Fcb fcb = FcbInDsDx();
    const std::string path = FcbPath(fcb, 1);
    int file = -1;
    uint16_t error = create ? m_guest.files.Create(path, fcb.attributes, false, file)
                            : m_guest.files.Open(path, Access::ReadWrite, file);
    if (!create && error != kErrNone)
        error = m_guest.files.Open(path, Access::Read, file);
    if (error != kErrNone || DeviceName(path) != Device::Unused) {
        if (error == kErrNone)
            (void)m_guest.files.Close(file);
        m_guest.R().SetAL(kFcbFailed);
        return;
    }
    FcbOpened(fcb, file);
    m_guest.R().SetAL(kFcbOk);
}

void DosKernel::FcbClose()
{
    const Fcb fcb = FcbInDsDx();
    const int file = FcbFile(fcb);
    if (file >= 0) {
        m_fcbFiles.erase(file);
        (void)m_guest.files.Close(file);
        m_guest.mem.Write16(fcb.seg, uint16_t(fcb.off + kHostFile), 0);
    }
    m_guest.R().SetAL(file >= 0 ? kFcbOk : kFcbFailed);
}

// Reads or writes `count` records from `record` on, through the DTA; `count` becomes the records
// done (a partial last one included). Returns the AL of the service.
uint8_t DosKernel::FcbTransfer(const Fcb& fcb, uint32_t record, uint16_t& count, bool write)
{
    const int file = FcbFile(fcb);
    const uint32_t size = FcbRecordSize(fcb);
    if (file < 0) {
        count = 0;
        return kFcbEnd;
    }
    const uint32_t bytes = std::min<uint32_t>(uint32_t(count) * size, 0x10000 - m_dtaOff);
    count = uint16_t(bytes / size);
    uint32_t position = 0, done = 0;
    if (m_guest.files.Seek(file, int32_t(record * size), SeekFrom::Start, position) != kErrNone) {
        count = 0;
        return kFcbEnd;
    }
    m_transfer.assign(count * size, 0);
    if (write) {
        m_guest.mem.CopyOut(m_dtaSeg, m_dtaOff, m_transfer.data(), uint32_t(m_transfer.size()));
        if (m_transfer.empty()) {
            (void)m_guest.files.Truncate(file);  // a write of nothing sets the file's size
        } else if (m_guest.files.Write(file, m_transfer.data(), uint32_t(m_transfer.size()), done) != kErrNone) {
            count = 0;
            return kFcbEnd;
        }
        const uint32_t end = position + done;
        if (m_transfer.empty() || end > (m_guest.mem.Read16(fcb.seg, uint16_t(fcb.off + kFileSize)) |
                                         uint32_t(m_guest.mem.Read16(fcb.seg, uint16_t(fcb.off + kFileSize + 2))) << 16)) {
            m_guest.mem.Write16(fcb.seg, uint16_t(fcb.off + kFileSize), uint16_t(end));
            m_guest.mem.Write16(fcb.seg, uint16_t(fcb.off + kFileSize + 2), uint16_t(end >> 16));
        }
        return kFcbOk;
    }
    (void)m_guest.files.Read(file, m_transfer.data(), uint32_t(m_transfer.size()), done);
    m_guest.mem.CopyIn(m_dtaSeg, m_dtaOff, m_transfer.data(), uint32_t(m_transfer.size()));  // zero padded
    const uint16_t whole = uint16_t(done / size);
    const bool partial = done % size != 0;
    count = uint16_t(whole + (partial ? 1 : 0));
    return done == m_transfer.size() ? kFcbOk : partial ? kFcbPartial : kFcbEnd;
}

void DosKernel::FcbSequential(bool write)
{
    const Fcb fcb = FcbInDsDx();
    const uint32_t record = FcbSequentialRecord(fcb);
    uint16_t count = 1;
    const uint8_t al = FcbTransfer(fcb, record, count, write);
    if (count > 0)
        SetFcbSequentialRecord(fcb, record + 1);
    m_guest.R().SetAL(al);
}

void DosKernel::FcbRandom(bool write, bool block)
{
    Registers& R = m_guest.R();
    const Fcb fcb = FcbInDsDx();
    const uint32_t record = FcbRandomRecord(fcb);
    uint16_t count = block ? R.r[kCX] : 1;
    const uint8_t al = FcbTransfer(fcb, record, count, write);
    SetFcbSequentialRecord(fcb, record + (block ? count : 0));
    if (block) {
        SetFcbRandomRecord(fcb, record + count);
        R.r[kCX] = count;
    }
    R.SetAL(al);
}

void DosKernel::FcbFileSize()
{
    const Fcb fcb = FcbInDsDx();
    int file = -1;
    if (m_guest.files.Open(FcbPath(fcb, 1), Access::Read, file) != kErrNone) {
        m_guest.R().SetAL(kFcbFailed);
        return;
    }
    uint32_t size = 0;
    (void)m_guest.files.Seek(file, 0, SeekFrom::End, size);
    (void)m_guest.files.Close(file);
    const uint32_t recordSize = FcbRecordSize(fcb);
    SetFcbRandomRecord(fcb, (size + recordSize - 1) / recordSize);
    m_guest.R().SetAL(kFcbOk);
}

// The names of the current folder (or the FCB's drive) that match the FCB's name, '?' matching
// any character.
std::vector<DirEntry> DosKernel::FcbMatches(const Fcb& fcb)
{
    std::vector<DirEntry> all, matches;
    const std::string path = FcbPath(fcb, 1);
    if (m_guest.files.List(std::string(FolderOf(path)), all) != kErrNone)
        return matches;
    uint8_t pattern[11];
    m_guest.mem.CopyOut(fcb.seg, uint16_t(fcb.off + 1), pattern, sizeof pattern);
    const uint8_t allowed = uint8_t((fcb.attributes & (kAttrHidden | kAttrSystem | kAttrDirectory)) | kAttrReadOnly | kAttrArchive);
    for (DirEntry& entry : all) {
        const std::string form = DirectoryForm(UpperName(entry.name));
        bool match = (entry.attributes & ~allowed) == 0 && MatchesPattern(UpperName(entry.name), "*.*");
        for (size_t i = 0; match && i < 11; ++i)
            match = pattern[i] == '?' || uint8_t(form[i]) == pattern[i];
        if (match)
            matches.push_back(std::move(entry));
    }
    return matches;
}

void DosKernel::FcbDelete()
{
    const Fcb fcb = FcbInDsDx();
    const std::string folder(FolderOf(FcbPath(fcb, 1)));
    bool any = false;
    for (const DirEntry& entry : FcbMatches(fcb))
        any = m_guest.files.Delete(folder + entry.name) == kErrNone || any;
    m_guest.R().SetAL(any ? kFcbOk : kFcbFailed);
}

// 17h: the old name at +01h, the new one at +11h; a '?' in the new name keeps the old character.
void DosKernel::FcbRename()
{
    const Fcb fcb = FcbInDsDx();
    const std::string folder(FolderOf(FcbPath(fcb, 1)));
    uint8_t wanted[11];
    m_guest.mem.CopyOut(fcb.seg, uint16_t(fcb.off + 0x11), wanted, sizeof wanted);
    bool any = false;
    for (const DirEntry& entry : FcbMatches(fcb)) {
        const std::string form = DirectoryForm(UpperName(entry.name));
        uint8_t renamed[11];
        for (size_t i = 0; i < 11; ++i)
            renamed[i] = wanted[i] == '?' ? uint8_t(form[i]) : wanted[i];
        any = m_guest.files.Rename(folder + entry.name, folder + NameOfFcb(renamed)) == kErrNone || any;
    }
    m_guest.R().SetAL(any ? kFcbOk : kFcbFailed);
}

// 11h and 12h: each match goes to the DTA as an FCB (extended when the search's was) followed by
// its directory entry.
void DosKernel::FcbFind(bool first)
{
    const Fcb fcb = FcbInDsDx();
    if (first) {
        m_fcbMatches = FcbMatches(fcb);
        m_fcbNext = 0;
    }
    if (m_fcbNext >= m_fcbMatches.size()) {
        m_guest.R().SetAL(kFcbFailed);
        return;
    }
    const DirEntry& entry = m_fcbMatches[m_fcbNext++];
    Memory& mem = m_guest.mem;
    uint16_t at = m_dtaOff;
    if (fcb.off != m_guest.R().r[kDX]) {
        mem.Fill(m_dtaSeg, at, 0, 7);
        mem.Write8(m_dtaSeg, at, 0xFF);
        mem.Write8(m_dtaSeg, uint16_t(at + 6), fcb.attributes);
        at = uint16_t(at + 7);
    }
    const uint8_t drive = mem.Read8(fcb.seg, fcb.off);
    mem.Write8(m_dtaSeg, at, drive == 0 ? uint8_t(CurrentDrive() + 1) : drive);
    mem.Fill(m_dtaSeg, uint16_t(at + 1), 0, 32);
    mem.WriteString(m_dtaSeg, uint16_t(at + 1), DirectoryForm(UpperName(entry.name)));
    mem.Write8(m_dtaSeg, uint16_t(at + 12), entry.attributes);
    mem.Write16(m_dtaSeg, uint16_t(at + 23), entry.time);
    mem.Write16(m_dtaSeg, uint16_t(at + 25), entry.date);
    mem.Write16(m_dtaSeg, uint16_t(at + 29), uint16_t(entry.size));
    mem.Write16(m_dtaSeg, uint16_t(at + 31), uint16_t(entry.size >> 16));
    m_guest.R().SetAL(kFcbOk);
}

bool DosKernel::FcbService(uint8_t function)
{
    switch (function) {
    case 0x0F: FcbOpen(false); return true;
    case 0x10: FcbClose(); return true;
    case 0x11: FcbFind(true); return true;
    case 0x12: FcbFind(false); return true;
    case 0x13: FcbDelete(); return true;
    case 0x14: FcbSequential(false); return true;
    case 0x15: FcbSequential(true); return true;
    case 0x16: FcbOpen(true); return true;
    case 0x17: FcbRename(); return true;
    case 0x21: FcbRandom(false, false); return true;
    case 0x22: FcbRandom(true, false); return true;
    case 0x23: FcbFileSize(); return true;
    case 0x24: SetFcbRandomRecord(FcbInDsDx(), FcbSequentialRecord(FcbInDsDx())); return true;
    case 0x27: FcbRandom(false, true); return true;
    case 0x28: FcbRandom(true, true); return true;
    case 0x29: ParseName(); return true;
    default: return false;
    }
}

void DosKernel::CloseFcbFiles()
{
    for (const int file : m_fcbFiles)
        (void)m_guest.files.Close(file);
    m_fcbFiles.clear();
}

}  // namespace halyard::dos
