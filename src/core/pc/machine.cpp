#include "core/pc/machine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace halyard::dos {
namespace {

constexpr uint16_t kArenaStart = 0x0100;
// Instructions between two looks at the console and the clock: about a millisecond.
constexpr uint64_t kSlice = 100000;

// The vectors that nothing uses on a DOS PC until a program installs a routine there (0000:0000):
// the user vectors 60h-6Fh, and 78h-FFh.
bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (b[i] == 0 || std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return b[a.size()] == 0;
}

bool EmptyOnDosPc(uint8_t vector) { return (vector >= 0x60 && vector <= 0x6F) || vector >= 0x78; }

}  // namespace

Motherboard::Motherboard(HostFiles& files, HostConsole& console, HostClock& clock, std::unique_ptr<uint8_t[]> memory)
    : m_mem(std::move(memory)),
      m_cpu(m_mem, *this),
      m_files(files),
      m_clock(clock),
      m_guest(m_mem, m_cpu, m_files, console, m_clock),
      m_screen(m_mem, console),
      m_bios(m_guest, m_screen),
      m_devices(m_cpu, m_clock, m_silent),
      m_timer(m_guest, m_devices),
      m_keyboard(m_guest, m_devices),
      m_disk(m_guest),
      m_graphics(m_guest, m_devices, m_screen),
      m_mouse(m_guest, m_graphics),
      m_dos(m_guest, m_screen, m_keyboard, m_disk),
      m_shell(m_guest, m_dos, m_screen)
{
    m_cpu.Attach(m_devices);
    m_graphics.SetDisplay(m_noDisplay);
    m_mouse.SetDisplay(m_noDisplay);
    Reset();
}

void Motherboard::AttachHost(HostSpeaker& speaker, HostDisplay& display)
{
    m_devices.SetSpeaker(speaker);
    m_display = &display;
    m_graphics.SetDisplay(display);
    m_mouse.SetDisplay(display);
}

void Motherboard::Reset()
{
    for (unsigned v = 0; v < 256; ++v) {
        const uint16_t stub = uint16_t(v * 4);
        const uint8_t code[4] = {kHostCall0, kHostCall1, uint8_t(v), 0xCF};
        m_mem.CopyIn(kRomSegment, stub, code, 4);
        m_mem.Write16(0, uint16_t(v * 4), stub);
        m_mem.Write16(0, uint16_t(v * 4 + 2), kRomSegment);
    }
    m_mem.Write8(0xFFFF, 0x0E, 0xFC);  // the machine model byte of an AT
    m_clock.Reset();
    m_bios.Reset();
    m_devices.Reset();
    m_timer.Reset();
    m_keyboard.Reset();
    m_disk.Reset();
    m_mouse.Install();
    m_shell.Install();
    m_dos.Reset(kArenaStart);
}

void Motherboard::SetFloppyImage(unsigned drive, const std::string& path)
{
    m_disk.SetImage(drive, path);
    m_floppyNamed |= drive == 0;
}

std::string Motherboard::Load(const LoadRequest& request)
{
    const size_t slash = request.path.find_last_of("\\/:");
    m_graphics.SetTitle(request.path.substr(slash == std::string::npos ? 0 : slash + 1) + " - Dosrun");
    const std::string folder = slash == std::string::npos ? std::string() : request.path.substr(0, slash + 1);
    if (!m_floppyNamed)
        m_disk.SetImage(0, folder + "A.IMG");
    m_dos.SetPrinterFile(folder + "PRINTER.TXT");
    return LoadProgram(request, m_mem, m_dos, m_cpu.regs);
}

std::vector<std::string> ShellEnvironment(std::vector<std::string> environment)
{
    const auto named = [&environment](const char* name) {
        const size_t length = std::strlen(name);
        return std::find_if(environment.begin(), environment.end(), [&](const std::string& entry) {
            return entry.size() > length && entry[length] == '=' && EqualsIgnoringCase(entry.substr(0, length), name);
        });
    };
    if (const auto comspec = named("COMSPEC"); comspec != environment.end())
        environment.erase(comspec);
    environment.insert(environment.begin(), std::string("COMSPEC=") + kShellPath);
    if (named("PROMPT") == environment.end())
        environment.push_back("PROMPT=$P$G");
    return environment;
}

std::string Motherboard::StartSession(std::vector<std::string> environment, const std::string& command)
{
    LoadRequest request;
    request.image = kShellImage;
    request.path = "COMMAND.COM";
    request.environment = ShellEnvironment(std::move(environment));
    const std::string refusal = Load(request);
    if (refusal.empty())
        m_shell.Begin(command);
    return refusal;
}

void Motherboard::OnHostCall(uint8_t vector)
{
    ++m_hostCalls;
    if (m_cpu.regs.seg[kCS] == kRomSegment && m_cpu.regs.ip == kShellLoop + 3) {
        m_shell.Step();
        return;
    }
    if (HardwareHostCall(vector))
        return;
    switch (vector) {
    case 0x00:  // DOS's handler: the message, and the program ends with code FFh
        m_dos.ConsoleLine("\r\nDivide overflow");
        m_dos.Terminate(0xFF, false);
        return;
    case 0x05:
        // INT 5 is Print Screen, but also where BOUND goes with an index out of range.
        if (m_mem.Read8(StackedCs(), StackedIp()) == 0x62)
            EndProgram(FaultAt("BOUND range exceeded", 0));
        return;
    case 0x06: EndProgram(UndefinedOpcodeMessage()); return;
    case 0x10:
        if (!m_graphics.Video())
            m_bios.Video();
        return;
    case 0x11: m_bios.Equipment(); return;
    case 0x12: m_bios.MemorySize(); return;
    case 0x14: m_bios.Serial(); return;
    case 0x17: m_bios.Printer(); return;
    case 0x1A: m_bios.TimeOfDay(); return;
    case 0x20: m_dos.Terminate(0, false); return;
    case 0x1B: m_dos.NoteBreak(); return;  // DOS's Ctrl+Break handler: Ctrl+C at the next check
    case 0x23: m_dos.Terminate(0, false, true); return;  // DOS's own Ctrl+C handler ends the program
    case 0x27: {  // stay resident with DX bytes
        Registers& R = m_cpu.regs;
        R.r[kDX] = uint16_t((uint32_t(R.r[kDX]) + 15) / 16);
        R.r[kAX] = 0x3100;
        m_dos.Int21();
        return;
    }
    case 0x21: m_dos.Int21(); return;
    case 0x25: case 0x26: m_guest.FailUnsupported("DOS absolute disk access"); return;
    default:
        if (EmptyOnDosPc(vector)) {
            char text[40];
            std::snprintf(text, sizeof text, "INT %02Xh", vector);
            EndProgram(FaultAt(text, 2) + ": nothing is installed at this interrupt vector");
        }
        return;  // the BIOS's and DOS's handlers that only return
    }
}

uint16_t Motherboard::StackedIp() const { return m_mem.Read16(m_cpu.regs.seg[kSS], m_cpu.regs.r[kSP]); }
uint16_t Motherboard::StackedCs() const { return m_mem.Read16(m_cpu.regs.seg[kSS], uint16_t(m_cpu.regs.r[kSP] + 2)); }

std::string Motherboard::FaultAt(const char* what, uint16_t back) const
{
    char text[80];
    std::snprintf(text, sizeof text, "%s at %04X:%04X", what, StackedCs(), uint16_t(StackedIp() - back));
    return text;
}

void Motherboard::EndProgram(const std::string& message)
{
    if (!m_dos.RunsChild()) {
        m_guest.Fail(message);
        return;
    }
    m_dos.ConsoleLine("\r\nDosrun: " + message);
    m_dos.Terminate(0xFF, false);
}

std::string Motherboard::UndefinedOpcodeMessage() const
{
    char text[200];
    const uint16_t cs = StackedCs(), ip = StackedIp();
    const uint8_t opcode = m_mem.Read8(cs, ip);
    // The prefixes and the two-byte opcodes of the 386 and later.
    const bool later = opcode == 0x0F || (opcode >= 0x64 && opcode <= 0x67);
    std::snprintf(text, sizeof text, "undefined opcode %02Xh at %04X:%04X%s", opcode, cs, ip,
                  later ? ": an instruction of the 386 or later, beyond this 8086/80186 machine (programs with a "
                          "DOS extender, such as MASM 6's ML, need a 386)"
                        : "");
    return text;
}

Machine::Machine(HostFiles& files, HostConsole& console, HostClock& clock)
    : m_files(files), m_console(console), m_clock(clock), m_board(std::make_unique<Motherboard>(files, console, clock))
{
}

void Machine::Restart()
{
    std::unique_ptr<uint8_t[]> memory = m_board->TakeMemory();
    m_board.reset();
    m_board = std::make_unique<Motherboard>(m_files, m_console, m_clock, std::move(memory));
    if (m_speaker != nullptr)
        m_board->AttachHost(*m_speaker, *m_display);
    if (m_codePage != 0)
        m_board->SetCodePage(m_codePage);
    for (unsigned drive = 0; drive < 2; ++drive)
        if (!m_floppies[drive].empty())
            m_board->SetFloppyImage(drive, m_floppies[drive]);
}

void Machine::SetCodePage(uint16_t codePage)
{
    m_codePage = codePage;
    m_board->SetCodePage(codePage);
}

void Machine::AttachHost(HostSpeaker& speaker, HostDisplay& display)
{
    m_speaker = &speaker;
    m_display = &display;
    m_board->AttachHost(speaker, display);
}

void Machine::SetFloppyImage(unsigned drive, const std::string& path)
{
    if (drive < 2)
        m_floppies[drive] = path;
    m_board->SetFloppyImage(drive, path);
}

bool Motherboard::RunSome(uint64_t limit, RunResult& result)
{
    while (!m_guest.ended) {
        if (result.instructions >= limit)
            return false;
        if (m_cpu.Halted()) {
            Idle(true);
            ++result.instructions;  // an idle wait counts towards the limit, so a limited run ends
        } else if (m_devices.TakeIdleRequest()) {
            Idle(false);
        } else if (Spinning()) {
            Idle(true);
        }
        result.instructions += m_cpu.Run(std::min(kSlice, limit - result.instructions));
        Service();
        if (m_cpu.AtBreak() || (m_pausing && m_pauseRequested.exchange(false)))
            return false;
    }
    return true;
}

RunResult Motherboard::Finished(RunResult result)
{
    m_dos.Finish();
    m_guest.console.Flush();
    result.exited = m_guest.failure.empty();
    result.exitCode = m_guest.exitCode;
    result.failure = m_guest.failure;
    return result;
}

RunResult Motherboard::Run(uint64_t limit)
{
    RunResult result;
    if (!RunSome(limit, result))
        m_guest.Fail("the instruction limit was reached");
    return Finished(result);
}

RunResult Motherboard::Resume(uint64_t limit)
{
    RunResult result;
    m_pausing = true;
    const bool ended = m_guest.ended || RunSome(limit, result);
    m_pausing = false;
    if (ended)
        return Finished(result);
    m_guest.console.Flush();
    result.paused = true;
    return result;
}

}  // namespace halyard::dos
