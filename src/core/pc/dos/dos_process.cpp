// INT 21h: programs starting programs (4Bh, 4Dh), their ends (00h, 31h, 4Ch), new PSPs (26h, 55h).
#include <cstring>

#include "core/pc/dos/dos_kernel.h"
#include "core/pc/dos/fcb_names.h"
#include "core/pc/dos/loader.h"
#include "core/pc/dos/shell.h"

namespace halyard::dos {
namespace {

constexpr uint32_t kLargestProgram = 0xA0000;

// COMMAND.COM in any folder, the name COMSPEC gives the session's shell.
bool NamesTheShell(const std::string& path)
{
    const size_t slash = path.find_last_of("\\:");
    return Capitals(path.substr(slash == std::string::npos ? 0 : slash + 1)) == "COMMAND.COM";
}

}  // namespace

bool DosKernel::ProcessControl(uint8_t function)
{
    Registers& R = m_guest.R();
    switch (function) {
    case 0x00: Terminate(0, false); return true;
    case 0x4C: Terminate(R.AL(), false); return true;
    case 0x31: {
        uint16_t largest = 0;
        (void)m_arena.Resize(m_psp, std::max<uint16_t>(R.r[kDX], 6), largest);
        Terminate(R.AL(), true);
        return true;
    }
    case 0x4B: Exec(); return true;
    case 0x4D:
        R.r[kAX] = m_childResult;
        m_childResult = 0;  // told once, as DOS does
        return true;
    case 0x26: NewPsp(false); return true;
    case 0x55: NewPsp(true); return true;
    default: return false;
    }
}

bool DosKernel::RunsChild()
{
    const uint16_t parent = m_guest.mem.Read16(m_psp, kPspParent);
    return parent != m_psp && parent != 0;
}

void DosKernel::ConsoleLine(const std::string& text)
{
    m_console.Write(Device::Console, reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
    m_console.Write(Device::Console, reinterpret_cast<const uint8_t*>("\r\n"), 2);
}

void DosKernel::Terminate(uint8_t code, bool resident, bool onBreak)
{
    Memory& mem = m_guest.mem;
    Registers& R = m_guest.R();
    const uint16_t child = m_psp;
    const uint16_t parent = mem.Read16(child, kPspParent);
    if (!RunsChild()) {
        m_guest.Exit(code);
        return;
    }
    m_childResult = uint16_t((resident ? kEndedResident : onBreak ? kEndedOnBreak : 0) << 8 | code);
    if (m_watch != nullptr)
        m_watch->Ended(child, code);
    // The vectors the child may have changed come back from its PSP.
    for (uint16_t i = 0; i < 3; ++i)
        for (uint16_t w = 0; w < 2; ++w)
            mem.Write16(0, uint16_t((0x22 + i) * 4 + w * 2), mem.Read16(child, uint16_t(kPspTerminate + i * 4 + w * 2)));
    if (!resident) {
        m_files.CloseHandles();
        m_arena.FreeOwnedBy(child);
    }
    const uint16_t returnIp = mem.Read16(child, kPspTerminate), returnCs = mem.Read16(child, kPspTerminate + 2);
    StartProgram(parent);
    uint16_t flags = 0x0202;
    if (!m_waiting.empty() && m_waiting.back().child == child) {
        // A parent in 4Bh AL=00h: its registers as they were, the carry clear.
        const uint16_t ip = R.ip, cs = R.seg[kCS];
        R = m_waiting.back().regs;
        m_waiting.pop_back();
        R.ip = ip;
        R.seg[kCS] = cs;
        flags = uint16_t(mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 4)) & ~kCF);
    } else {
        // A child that its parent loaded and ran itself: back on the stack of the parent's last
        // DOS call.
        R.seg[kSS] = mem.Read16(parent, kPspStack + 2);
        R.r[kSP] = mem.Read16(parent, kPspStack);
    }
    // The stub's IRET continues at the child's terminate address.
    mem.Write16(R.seg[kSS], R.r[kSP], returnIp);
    mem.Write16(R.seg[kSS], uint16_t(R.r[kSP] + 2), returnCs);
    mem.Write16(R.seg[kSS], uint16_t(R.r[kSP] + 4), flags);
}

uint16_t DosKernel::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    int file = -1;
    if (const uint16_t error = m_guest.files.Open(path, Access::Read, file); error != kErrNone)
        return error;
    bytes.resize(kLargestProgram);
    uint32_t size = 0, done = 0;
    uint16_t error = kErrNone;
    while (size < bytes.size() &&
           (error = m_guest.files.Read(file, bytes.data() + size, uint32_t(bytes.size() - size), done)) == kErrNone &&
           done > 0)
        size += done;
    (void)m_guest.files.Close(file);
    bytes.resize(size);
    return error;
}

// 4Bh: DS:DX the program's path; ES:BX the parameter block (AL=00h/01h: environment segment,
// far pointers to the command tail and the two FCBs; AL=01h gets the child's SS:SP and CS:IP
// back at +0Eh and +12h; AL=03h: load segment and relocation factor).
void DosKernel::Exec()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const uint8_t mode = R.AL();
    std::string path;
    if (mode != 0 && mode != 1 && mode != 3) {
        m_guest.Error(kErrInvalidFunction);
        return;
    }
    if (!PathAt(R.seg[kDS], R.r[kDX], path))
        return;
    const uint16_t blockSeg = R.seg[kES], block = R.r[kBX];
    LoadRequest request;
    const uint16_t error = ReadWholeFile(path, request.image);
    const bool shell = (error == kErrFileNotFound || error == kErrPathNotFound) && NamesTheShell(path) && mode != 3;
    if (shell) {
        request.image = kShellImage;
    } else if (error != kErrNone) {
        m_guest.Error(error);
        return;
    }
    if (mode == 3) {
        m_guest.Result(LoadOverlay(request.image, mem, mem.Read16(blockSeg, block), mem.Read16(blockSeg, uint16_t(block + 2))));
        return;
    }
    request.mz = IsMz(request.image);
    request.path = path;
    const uint16_t environment = mem.Read16(blockSeg, block);
    request.environment = EnvironmentStrings(mem, environment != 0 ? environment : mem.Read16(m_psp, kPspEnvironment));
    const uint16_t tailOff = mem.Read16(blockSeg, uint16_t(block + 2)), tailSeg = mem.Read16(blockSeg, uint16_t(block + 4));
    // The tail's count of characters, taken as they are (DOS copies them, a CR among them included).
    request.tail.resize(std::min<size_t>(mem.Read8(tailSeg, tailOff), kTailLimit));
    mem.CopyOut(tailSeg, uint16_t(tailOff + 1), reinterpret_cast<uint8_t*>(request.tail.data()), uint32_t(request.tail.size()));
    ProgramStart start;
    std::string why;
    if (const uint16_t error = CreateProcess(request, m_psp, mem, *this, start, why); error != kErrNone) {
        m_guest.Error(error);
        return;
    }
    for (uint16_t i = 0; i < 2; ++i) {
        const uint16_t at = uint16_t(block + 6 + i * 4);
        uint8_t fcb[20];
        mem.CopyOut(mem.Read16(blockSeg, uint16_t(at + 2)), mem.Read16(blockSeg, at), fcb, sizeof fcb);
        mem.CopyIn(start.psp, i == 0 ? kPspFcb1 : kPspFcb2, fcb, i == 0 ? 16 : 20);
    }
    const uint32_t drives = ValidDrives();
    for (unsigned i = 0; i < 2; ++i) {
        const uint8_t drive = mem.Read8(start.psp, i == 0 ? kPspFcb1 : kPspFcb2);
        if (drive != 0 && !(drive <= 26 && (drives >> (drive - 1) & 1)))
            start.ax = uint16_t(start.ax | 0xFF << (i * 8));
    }
    StartChild(start, mode == 0);
    if (shell)
        m_startedShell = start.psp;
    else if (mode == 0 && m_watch != nullptr)
        m_watch->Started(start, request.path);
}

void DosKernel::StartChild(const ProgramStart& start, bool run)
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    // The caller's return address, in the IRET frame of its INT 21h, is where the child ends.
    const uint16_t returnIp = mem.Read16(R.seg[kSS], R.r[kSP]), returnCs = mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 2));
    mem.Write16(start.psp, kPspTerminate, returnIp);
    mem.Write16(start.psp, kPspTerminate + 2, returnCs);
    mem.Write16(0, 0x22 * 4, returnIp);
    mem.Write16(0, 0x22 * 4 + 2, returnCs);
    m_files.Inherit(start.psp);
    if (!run) {
        // The child's stack holds its start AX; DEBUG and TD take SS:SP and CS:IP from the block.
        const uint16_t blockSeg = R.seg[kES], block = R.r[kBX];
        const uint16_t sp = uint16_t(start.sp - 2);
        mem.Write16(start.ss, sp, start.ax);
        mem.Write16(blockSeg, uint16_t(block + 0x0E), sp);
        mem.Write16(blockSeg, uint16_t(block + 0x10), start.ss);
        mem.Write16(blockSeg, uint16_t(block + 0x12), start.ip);
        mem.Write16(blockSeg, uint16_t(block + 0x14), start.cs);
        StartProgram(start.psp);
        R.r[kAX] = 0;
        m_guest.Succeed();
        return;
    }
    m_waiting.push_back({start.psp, R});
    StartProgram(start.psp);
    const uint16_t ip = R.ip, cs = R.seg[kCS];
    StartRegisters(start, R);
    // The stub's IRET enters the child: its frame goes on the child's stack.
    R.r[kSP] = uint16_t(start.sp - 6);
    mem.Write16(start.ss, R.r[kSP], start.ip);
    mem.Write16(start.ss, uint16_t(R.r[kSP] + 2), start.cs);
    mem.Write16(start.ss, uint16_t(R.r[kSP] + 4), 0x0202);
    R.ip = ip;
    R.seg[kCS] = cs;
}

// 26h: a copy of the current PSP at segment DX. 55h: a child PSP at DX that shares the current
// program's open files and becomes the current one, SI its memory top.
void DosKernel::NewPsp(bool child)
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const uint16_t target = R.r[kDX];
    uint8_t copy[0x100];
    mem.CopyOut(m_psp, 0, copy, sizeof copy);
    mem.CopyIn(target, 0, copy, sizeof copy);
    for (uint16_t i = 0; i < 3; ++i)
        for (uint16_t w = 0; w < 2; ++w)
            mem.Write16(target, uint16_t(kPspTerminate + i * 4 + w * 2), mem.Read16(0, uint16_t((0x22 + i) * 4 + w * 2)));
    if (!child) {
        // The copy's handle table is the current program's, in its own PSP.
        mem.Write16(target, kPspHandleTable + 2, target);
        return;
    }
    mem.Write16(target, 0x02, R.r[kSI]);
    mem.Write16(target, kPspParent, m_psp);
    m_files.Inherit(target);
    StartProgram(target);
    R.SetAL(0xF0);
}

uint32_t DosKernel::ValidDrives()
{
    return 1u << CurrentDrive() | 1u << 2;
}

uint16_t DosKernel::ParseTailIntoFcbs(uint16_t psp)
{
    Memory& mem = m_guest.mem;
    bool complete;
    const std::string tail = mem.ReadString(psp, kPspTail + 1, mem.Read8(psp, kPspTail), '\r', complete);
    size_t at = 0;
    uint16_t ax = 0;
    for (unsigned i = 0; i < 2; ++i) {
        uint8_t fcb[12];
        mem.CopyOut(psp, i == 0 ? kPspFcb1 : kPspFcb2, fcb, sizeof fcb);
        const FcbParseResult parsed = ParseFcbName(std::string_view(tail).substr(at), kParseSkipSeparator, fcb, ValidDrives());
        mem.CopyIn(psp, i == 0 ? kPspFcb1 : kPspFcb2, fcb, sizeof fcb);
        at += parsed.consumed;
        // The next name starts after whatever ended this one (a switch such as /x included).
        while (at < tail.size() && tail[at] != ' ' && tail[at] != '\t')
            ++at;
        if (parsed.al == 0xFF)
            ax = uint16_t(ax | 0xFF << (i * 8));
    }
    return ax;
}

// 29h: DS:SI the text, ES:DI the FCB, AL how to parse; SI moves past the name.
void DosKernel::ParseName()
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    bool complete;
    const std::string text = mem.ReadString(R.seg[kDS], R.r[kSI], 128, 0, complete);
    uint8_t fcb[12];
    mem.CopyOut(R.seg[kES], R.r[kDI], fcb, sizeof fcb);
    const FcbParseResult parsed = ParseFcbName(text, R.AL(), fcb, ValidDrives());
    mem.CopyIn(R.seg[kES], R.r[kDI], fcb, sizeof fcb);
    R.r[kSI] = uint16_t(R.r[kSI] + parsed.consumed);
    R.SetAL(parsed.al);
}

}  // namespace halyard::dos
