#pragma once
// The DOS services of INT 21h (and INT 20h), over the host's files and console. Each service sets
// AX to a DOS error code and the carry on failure. Every function DOS 5 has answers; any other
// answers as DOS 5 answers a function it does not know.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/pc/dos/console_io.h"
#include "core/pc/dos/file_table.h"
#include "core/pc/bios/guest.h"
#include "core/pc/dos/memory_arena.h"
#include "core/pc/dos/printer.h"


namespace halyard::dos {

struct ProgramStart;

// How a child ended, as 4Dh gives it in AH.
inline constexpr uint8_t kEndedOnBreak = 1, kEndedResident = 3;
class BiosDisk;

// Told when a program starts another (its first instruction comes next; `path` the program's DOS
// path) and when such a child ends, with its return code.
class ProgramWatch {
public:
    virtual void Started(const ProgramStart& start, const std::string& path) = 0;
    virtual void Ended(uint16_t psp, uint8_t code) = 0;

protected:
    ~ProgramWatch() = default;
};

class DosKernel {
public:
    DosKernel(Guest& guest, TextScreen& screen, BiosKeyboard& keyboard, BiosDisk& disk);

    void Reset(uint16_t arenaStart);
    // The console's code page: 936 (or another double-byte one) gives 63h its lead-byte ranges.
    void SetCodePage(uint16_t codePage);
    MemoryArena& Arena() { return m_arena; }
    FileTable& Files() { return m_files; }
    // The program whose PSP is `psp` runs from now on; its DTA is PSP:0080h.
    void StartProgram(uint16_t psp);
    void Int21();
    // Ends the current program with `code` (INT 20h, 00h, 4Ch, 31h, INT 27h; `onBreak`: DOS's own
    // Ctrl+C handler): a child returns to its parent, keeping its memory when `resident`; the
    // first program ends the run.
    void Terminate(uint8_t code, bool resident, bool onBreak = false);
    // The program that runs now.
    uint16_t CurrentPsp() const { return m_psp; }
    // The PSP of the shell that EXEC last started for a program that ran COMMAND.COM (there is
    // no such file: the session's shell answers for it), once; 0 when there is none.
    uint16_t TakeStartedShell() { return std::exchange(m_startedShell, 0); }
    void WatchPrograms(ProgramWatch* watch) { m_watch = watch; }
    // Ctrl+Break was pressed (DOS's INT 1Bh handler): console calls see it as Ctrl+C.
    void NoteBreak() { m_console.NoteBreak(); }
    // Whether the current program is another program's child (the first program's parent is
    // itself).
    bool RunsChild();
    // DOS's own message on the console (not through the program's handles), CR LF added.
    void ConsoleLine(const std::string& text);
    // Fills the PSP's two FCBs from the first two names of its command tail; returns the start
    // AX that tells whether their drives exist.
    uint16_t ParseTailIntoFcbs(uint16_t psp);
    // Closes what the program left open.
    void Finish();
    // Where PRN's output goes: the program's folder.
    void SetPrinterFile(const std::string& path) { m_printer.SetFile(path); }

private:
    bool Console(uint8_t function);
    // 01h, 06h-08h: one character.
    void CharacterInput(uint8_t function);
    // Whether this console call is the one that waited for a key, taken again; any other call
    // drops what a call that waited had read.
    bool Resuming();
    // No key yet: the call waits halted and is taken again (see Guest::RetryAfterInterrupt).
    void WaitForKey();
    // The check for Ctrl+C of a console call: true when the program was sent to INT 23h.
    bool CheckBreak();
    bool Devices(uint8_t function);
    bool Process(uint8_t function);
    bool ProcessControl(uint8_t function);
    bool SystemInfo(uint8_t function);
    bool FcbService(uint8_t function);
    void Exec();
    // 4Bh AL=00h and 01h: `start` is where the child begins; the caller's return address becomes
    // its terminate address.
    void StartChild(const ProgramStart& start, bool run);
    void NewPsp(bool child);
    void ParseName();
    void CountryInfo();
    // 65h: the extended country information and the case conversions.
    void ExtendedCountry();
    void ExtendedCountryTable(uint8_t id, uint16_t table);
    void UpperCase(uint16_t seg, uint16_t off, uint32_t count, bool asciz);
    uint8_t Upper(uint8_t c);
    // The drives (dos_drives.cpp).
    struct DriveData;
    bool DriveService(uint8_t function);
    bool ReadDrive(uint8_t dl, DriveData& data);
    void DriveSize(uint8_t dl, bool freeSpace);
    void DiskSerial();
    // Extended open, canonical names, locks, commits and the handle count (dos_open.cpp).
    bool OpenService(uint8_t function);
    void ExtendedOpen();
    void CanonicalName();
    void SetHandleCount();
    uint32_t ValidDrives();
    // File control blocks (dos_fcb.cpp): where the FCB of DS:DX starts, and its attributes when
    // it is an extended one.
    struct Fcb {
        uint16_t seg, off;
        uint8_t attributes;
    };
    Fcb FcbInDsDx();
    std::string FcbPath(const Fcb& fcb, uint16_t nameAt);
    uint16_t FcbRecordSize(const Fcb& fcb);
    uint32_t FcbRandomRecord(const Fcb& fcb);
    void SetFcbRandomRecord(const Fcb& fcb, uint32_t record);
    uint32_t FcbSequentialRecord(const Fcb& fcb);
    void SetFcbSequentialRecord(const Fcb& fcb, uint32_t record);
    int FcbFile(const Fcb& fcb);
    void FcbOpened(const Fcb& fcb, int file);
    void FcbOpen(bool create);
    void FcbClose();
    uint8_t FcbTransfer(const Fcb& fcb, uint32_t record, uint16_t& count, bool write);
    void FcbSequential(bool write);
    void FcbRandom(bool write, bool block);
    void FcbFileSize();
    std::vector<DirEntry> FcbMatches(const Fcb& fcb);
    void FcbDelete();
    void FcbRename();
    void FcbFind(bool first);
    void CloseFcbFiles();
    // The whole file at `path` through the host's files.
    uint16_t ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
    bool MemoryService(uint8_t function);
    bool FileService(uint8_t function);
    bool Folder(uint8_t function);
    bool Find(uint8_t function);
    void BufferedInput();
    void Break();
    void BreakAndVersion();
    void Ioctl();

    // The ASCIZ path at seg:off; false (with kErrPathNotFound set) when it has no end.
    bool PathAt(uint16_t seg, uint16_t off, std::string& path);
    // Both return whether the handle was opened (in AX).
    bool OpenPath(const std::string& path, Access access);
    bool CreatePath(const std::string& path, uint8_t attributes, bool mustBeNew);
    bool AddHandle(const OpenFile& file);
    // The open file of handle BX; nullptr, with the error returned, when the handle is not open or
    // was opened without the access `use` needs.
    OpenFile* FileInBx(Access use);
    void ReadHandle();
    void WriteHandle();
    uint16_t WriteTo(const OpenFile& file, const uint8_t* data, uint32_t size, uint32_t& done);
    // Console output goes through handle 1, so that a program that redirected it writes there.
    void PutStandardOutput(const uint8_t* data, uint32_t size);
    void Seek();
    void CreateTemporary();
    uint8_t CurrentDrive();
    void FindNext(uint16_t search, uint16_t index);

    // A parent waiting in 4Bh AL=00h for its child: its registers at the call.
    struct Waiting {
        uint16_t child;
        Registers regs;
    };

    Guest& m_guest;
    BiosDisk& m_disk;
    Printer m_printer;
    MemoryArena m_arena;
    std::vector<Waiting> m_waiting;
    std::set<int> m_fcbFiles;             // host files open through FCBs
    std::vector<DirEntry> m_fcbMatches;   // the last FCB search
    size_t m_fcbNext = 0;
    uint16_t m_startedShell = 0;
    ProgramWatch* m_watch = nullptr;
    uint16_t m_childResult = 0;  // for 4Dh: the exit code in AL, how the child ended in AH
    bool m_doubleByte = false;
    FileTable m_files;
    ConsoleIo m_console;
    uint16_t m_psp = 0;
    uint16_t m_dtaSeg = 0, m_dtaOff = 0x80;
    bool m_breakCheck = false;
    bool m_verify = false;
    uint16_t m_tempCounter = 0;
    unsigned m_linesAfterEnd = 0;
    uint32_t m_waitingAt = 0;   // SS:SP of the console call waiting for a key, 0 when none waits
    uint16_t m_breakCaller = 0;  // AX of the INT 21h call in progress, for a restart after Ctrl+C
    std::vector<uint8_t> m_transfer;  // one read or write of up to 64 KB
    // Find first/next: the matches of the last few searches; the DTA names one by its number.
    std::vector<std::vector<DirEntry>> m_searches;
    uint16_t m_nextSearch = 0;
};

}  // namespace halyard::dos
