// INT 21h: the dispatch, console, process, memory and system services.
#include "core/pc/dos/dos_kernel.h"

#include <cstdio>

#include "core/pc/bios/bios_timer.h"
#include "core/pc/dos/loader.h"

namespace halyard::dos {

DosKernel::DosKernel(Guest& guest, TextScreen& screen, BiosKeyboard& keyboard, BiosDisk& disk)
    : m_guest(guest),
      m_disk(disk),
      m_printer(guest.files),
      m_arena(guest.mem),
      m_files(guest.mem, guest.files),
      m_console(guest.console, screen, keyboard)
{
}

void DosKernel::Reset(uint16_t arenaStart)
{
    m_arena.Reset(arenaStart, kConventionalTop);
    m_files.Reset();
    m_waiting.clear();
    SetCodePage(437);
}

void DosKernel::StartProgram(uint16_t psp)
{
    m_psp = psp;
    m_files.SetPsp(psp);
    m_dtaSeg = psp;
    m_dtaOff = 0x80;
}

void DosKernel::Finish()
{
    m_files.CloseAll();
    CloseFcbFiles();
    m_printer.Close();
}

void DosKernel::Int21()
{
    Registers& R = m_guest.R();
    // The caller's stack, as DOS keeps it in the PSP: where a child that ends returns to.
    if (m_psp != 0) {
        m_guest.mem.Write16(m_psp, kPspStack, R.r[kSP]);
        m_guest.mem.Write16(m_psp, kPspStack + 2, R.seg[kSS]);
    }
    const uint8_t function = R.AH();
    m_breakCaller = R.r[kAX];
    (void)(Console(function) || Devices(function) || Process(function) || ProcessControl(function) ||
           MemoryService(function) || FileService(function) || OpenService(function) || DriveService(function) ||
           Folder(function) || Find(function) || FcbService(function) || SystemInfo(function));
}

bool DosKernel::Resuming()
{
    const Registers& R = m_guest.R();
    const uint32_t at = uint32_t(R.seg[kSS]) << 16 | R.r[kSP];
    const bool resuming = m_waitingAt == at;
    if (!resuming)
        m_console.ForgetLine();
    m_waitingAt = 0;
    return resuming;
}

void DosKernel::WaitForKey()
{
    const Registers& R = m_guest.R();
    m_waitingAt = uint32_t(R.seg[kSS]) << 16 | R.r[kSP];
    m_guest.RetryAfterInterrupt();
}

bool DosKernel::CheckBreak()
{
    if (!m_console.TakeBreak())
        return false;
    m_console.Write(Device::Output, reinterpret_cast<const uint8_t*>("^C\r\n"), 4);
    Break();
    return true;
}

void DosKernel::CharacterInput(uint8_t function)
{
    Registers& R = m_guest.R();
    if (function == 0x06) {  // DL=FFh: a character if one waits, else ZF
        const int c = m_console.InputReady() ? m_console.ReadChar() : kEndOfInput;
        R.SetAL(c < 0 ? 0 : uint8_t(c));
        m_guest.ReturnFlag(kZF, c < 0);
        return;
    }
    if (function != 0x07 && CheckBreak())
        return;
    const int c = m_console.ReadChar();
    if (c == kNoKeyYet) {
        WaitForKey();
        return;
    }
    R.SetAL(c == kEndOfInput ? 0x1A : uint8_t(c));
    if (c == kCtrlC && function != 0x07 && m_console.FromKeyboard()) {
        m_console.Write(Device::Output, reinterpret_cast<const uint8_t*>("^C\r\n"), 4);
        Break();
        return;
    }
    // Only what is typed is echoed: redirected input is not (as the reference machine does).
    if (function == 0x01 && c != kEndOfInput && m_console.FromKeyboard())
        m_console.Write(Device::Output, uint8_t(c));
}

bool DosKernel::Console(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x01:
    case 0x07:
    case 0x08:
        Resuming();
        CharacterInput(function);
        return true;
    case 0x02:
    case 0x06:
        if (function == 0x02 || uint8_t(R.r[kDX]) != 0xFF) {
            if (function == 0x02 && CheckBreak())
                return true;
            const uint8_t c = uint8_t(R.r[kDX]);
            PutStandardOutput(&c, 1);
            R.SetAL(c);
            return true;
        }
        CharacterInput(function);
        return true;
    case 0x09: {
        if (CheckBreak())
            return true;
        // At most one segment's worth, so an unterminated string cannot print forever.
        bool complete;
        const std::string text = m_guest.mem.ReadString(R.seg[kDS], R.r[kDX], 0xFFFF, '$', complete);
        PutStandardOutput(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
        R.SetAL('$');
        return true;
    }
    case 0x0A:
        Resuming();
        BufferedInput();
        return true;
    case 0x0B:
        if (!CheckBreak())
            R.SetAL(m_console.InputReady() ? 0xFF : 0);
        return true;
    case 0x0C: {
        const uint8_t then = R.AL();
        if (!Resuming())
            m_console.DiscardInput();
        if (then == 0x0A)
            BufferedInput();
        else if (then == 0x06)
            Console(then);
        else if (then == 0x01 || then == 0x07 || then == 0x08)
            CharacterInput(then);
        return true;
    }
    default: return false;
    }
}

// 03h-05h: there is no AUX device (its input is at its end at once, its output goes nowhere);
// PRN is the printer file.
bool DosKernel::Devices(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x03: R.SetAL(0x1A); return true;
    case 0x04: return true;
    case 0x05: {
        const uint8_t c = uint8_t(R.r[kDX]);
        m_printer.Write(&c, 1);
        return true;
    }
    default: return false;
    }
}

// 0Ah: DS:DX holds the buffer's size, then the length read, then the characters and a CR.
void DosKernel::BufferedInput()
{
    Registers& R = m_guest.R();
    const uint16_t seg = R.seg[kDS], off = R.r[kDX];
    const uint8_t size = m_guest.mem.Read8(seg, off);
    if (size == 0)
        return;
    std::string line;
    switch (m_console.ReadLine(size - 1u, line)) {
    case LineRead::Waiting: WaitForKey(); return;
    case LineRead::Break: Break(); return;
    case LineRead::Done: break;
    }
    // A program that asks again for a line after the end of its redirected input would wait
    // forever on DOS: the run stops instead.
    if (line.empty() && m_console.InputAtEnd() && ++m_linesAfterEnd > 1) {
        m_guest.Fail("the program reads on after the end of its redirected input");
        return;
    }
    m_guest.mem.Write8(seg, uint16_t(off + 1), uint8_t(line.size()));
    m_guest.mem.WriteString(seg, uint16_t(off + 2), line + "\r");
}

// Ctrl+C typed while DOS read the keyboard: the program's INT 23h handler runs, and when it
// returns the interrupted call starts again (DOS's own handler ends the program).
void DosKernel::Break()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const uint16_t returnIp = mem.Read16(R.seg[kSS], R.r[kSP]);
    mem.Write16(R.seg[kSS], R.r[kSP], uint16_t(returnIp - 2));  // back to the INT 21h
    R.r[kAX] = m_breakCaller;
    R.ip = mem.Read16(0, 0x23 * 4);
    R.seg[kCS] = mem.Read16(0, 0x23 * 4 + 2);
}

bool DosKernel::Process(uint8_t function)
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    switch (function) {
    case 0x0D: return true;
    case 0x19: R.SetAL(CurrentDrive()); return true;
    case 0x1A:
        m_dtaSeg = R.seg[kDS];
        m_dtaOff = R.r[kDX];
        return true;
    case 0x2F:
        R.seg[kES] = m_dtaSeg;
        R.r[kBX] = m_dtaOff;
        return true;
    case 0x25:
        mem.Write16(0, uint16_t(R.AL() * 4), R.r[kDX]);
        mem.Write16(0, uint16_t(R.AL() * 4 + 2), R.seg[kDS]);
        return true;
    case 0x35:
        R.r[kBX] = mem.Read16(0, uint16_t(R.AL() * 4));
        R.seg[kES] = mem.Read16(0, uint16_t(R.AL() * 4 + 2));
        return true;
    case 0x2A: {
        const LocalTime t = m_guest.clock.Now();
        R.r[kCX] = t.year;
        R.r[kDX] = uint16_t(t.month << 8 | t.day);
        R.SetAL(t.weekday);
        return true;
    }
    case 0x2C: {
        const LocalTime t = m_guest.clock.Now();
        R.r[kCX] = uint16_t(t.hour << 8 | t.minute);
        R.r[kDX] = uint16_t(t.second << 8 | t.hundredths);
        return true;
    }
    case 0x2B: R.SetAL(m_guest.clock.SetDate(R.r[kCX], R.r[kDX] >> 8, R.r[kDX] & 0xFF) ? 0 : 0xFF); return true;
    case 0x2D: {  // the BIOS's tick count follows, as programs that time themselves by it expect
        const bool set = m_guest.clock.SetTime(R.r[kCX] >> 8, R.r[kCX] & 0xFF, R.r[kDX] >> 8, R.r[kDX] & 0xFF);
        if (set)
            CountTimeOfDay(m_guest);
        R.SetAL(set ? 0 : 0xFF);
        return true;
    }
    case 0x2E: m_verify = R.AL() != 0; return true;
    case 0x54: R.SetAL(m_verify ? 1 : 0); return true;
    case 0x30:  // DOS 5.0
        R.r[kAX] = 0x0005;
        R.r[kBX] = 0xFF00;
        R.r[kCX] = 0;
        return true;
    case 0x33: BreakAndVersion(); return true;
    case 0x37:  // the switch character is '/'
        if (R.AL() == 0) {
            R.SetAL(0);
            R.SetR8(2, '/');
        } else {
            R.SetAL(0xFF);
        }
        return true;
    case 0x50: StartProgram(R.r[kBX]); return true;
    case 0x51:
    case 0x62: R.r[kBX] = m_psp; return true;
    case 0x59:
        R.r[kAX] = m_guest.lastError;
        R.r[kBX] = 0x0D01;  // class: application; action: abort
        R.SetR8(5, 1);      // locus: unknown
        return true;
    default: return false;
    }
}

// 33h: the Ctrl+C check (AL 00h-02h), the boot drive (05h) and the true version (06h): 5.00, not in
// the high memory area an 8086 does not have.
void DosKernel::BreakAndVersion()
{
    Registers& R = m_guest.R();
    const bool was = m_breakCheck;
    switch (R.AL()) {
    case 0x00: R.SetR8(2, was ? 1 : 0); return;
    case 0x01: m_breakCheck = uint8_t(R.r[kDX]) != 0; return;
    case 0x02:
        m_breakCheck = uint8_t(R.r[kDX]) != 0;
        R.SetR8(2, was ? 1 : 0);
        return;
    case 0x05: R.SetR8(2, 3); return;  // booted from C:
    case 0x06:
        R.r[kBX] = 0x0005;
        R.r[kDX] = 0;
        return;
    default: R.SetAL(0xFF); return;
    }
}

bool DosKernel::MemoryService(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x48: {
        uint16_t segment = 0, largest = 0;
        const uint16_t error = m_arena.Allocate(R.r[kBX], m_psp, segment, largest);
        if (error == kErrNone) {
            R.r[kAX] = segment;
            m_guest.Succeed();
        } else {
            R.r[kBX] = largest;
            m_guest.Error(error);
        }
        return true;
    }
    case 0x49: m_guest.Result(m_arena.Free(R.seg[kES])); return true;
    case 0x4A: {
        uint16_t largest = 0;
        const uint16_t error = m_arena.Resize(R.seg[kES], R.r[kBX], largest);
        if (error == kErrNotEnoughMemory)
            R.r[kBX] = largest;
        m_guest.Result(error);
        return true;
    }
    case 0x58:  // allocation strategy and upper memory link: first fit, no upper memory
        if (R.AL() == 0 || R.AL() == 2)
            R.r[kAX] = 0;
        else if (R.AL() != 1 && R.AL() != 3)
            m_guest.Error(kErrInvalidFunction);
        else
            m_guest.Succeed();
        return true;
    default: return false;
    }
}

uint8_t DosKernel::CurrentDrive()
{
    const std::string folder = m_guest.files.CurrentDirectory();
    if (folder.size() >= 2 && folder[1] == ':') {
        const char letter = char(folder[0] & ~0x20);
        if (letter >= 'A' && letter <= 'Z')
            return uint8_t(letter - 'A');
    }
    return 2;
}

}  // namespace halyard::dos
