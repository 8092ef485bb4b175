#pragma once
// The emulated PC: processor, 1 MB of memory, the BIOS and DOS services, and the run loop.
//
// Every interrupt vector points at a host-service stub in the ROM segment (host call n; IRET), so
// a program that hooks a vector and chains to the old one works as on a real machine.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "core/pc/dos/aliased_files.h"
#include "core/pc/bios/bios.h"
#include "core/pc/bios/bios_disk.h"
#include "core/pc/bios/bios_keyboard.h"
#include "core/pc/bios/bios_timer.h"
#include "core/pc/cpu/cpu.h"
#include "core/pc/devices/devices.h"
#include "core/pc/host_devices.h"
#include "core/pc/dos/dos_kernel.h"
#include "core/pc/bios/graphics_screen.h"
#include "core/pc/bios/guest.h"
#include "core/pc/dos/loader.h"
#include "core/pc/dos/mouse_driver.h"
#include "core/pc/dos/shell.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

struct RunResult {
    bool exited = false;       // the program ended itself; else `failure` says why it stopped
    uint8_t exitCode = 0;
    std::string failure;
    uint64_t instructions = 0;
    bool paused = false;  // Resume: the program goes on at the next Resume (a limit or a break)
};

// A program's environment as the PC hands it on: COMSPEC names the shell's COMMAND.COM (a host's
// shell is no use to a DOS program), and PROMPT is $P$G unless it is set.
std::vector<std::string> ShellEnvironment(std::vector<std::string> environment);

// The parts of the machine and how they are wired: what a new machine, or one restarted, is made of.
class Motherboard final : private HostCalls {
public:
    Motherboard(HostFiles& files, HostConsole& console, HostClock& clock, std::unique_ptr<uint8_t[]> memory = {});
    Motherboard(const Motherboard&) = delete;
    Motherboard& operator=(const Motherboard&) = delete;
    // The memory's bytes, for the motherboard that replaces this one.
    std::unique_ptr<uint8_t[]> TakeMemory() { return m_mem.TakeBytes(); }

    // Returns an empty string when the program is ready to run, else why it cannot run.
    std::string Load(const LoadRequest& request);
    // A DOS session instead of a program: the shell, with ShellEnvironment(`environment`), prompting until EXIT, or running `command` alone (a batch
    // file's name and its arguments) and ending with it.
    std::string StartSession(std::vector<std::string> environment, const std::string& command);
    // Runs until the program ends, the machine stops it, or `limit` instructions have run.
    RunResult Run(uint64_t limit = UINT64_MAX);
    // As Run, but `limit` and an address of the processor's break map pause the program instead
    // of ending it: it goes on at the next Resume.
    RunResult Resume(uint64_t limit);
    // Pauses a Resume under way (from any thread) between two slices of instructions, within
    // the longest idle wait (20 ms); a request made when none runs pauses the next one after its
    // first slice.
    void RequestPause() { m_pauseRequested.store(true); }

    // The console's code page, for the services that tell programs about double-byte characters.
    void SetCodePage(uint16_t codePage) { m_dos.SetCodePage(codePage); }
    Memory& Mem() { return m_mem; }
    Cpu& Processor() { return m_cpu; }
    Devices& Board() { return m_devices; }
    GraphicsScreen& Graphics() { return m_graphics; }
    // The host's speaker and graphics window (by default, none).
    void AttachHost(HostSpeaker& speaker, HostDisplay& display);
    // The image file behind floppy drive 0 (A:) or 1 (B:). Unless named, A: is A.IMG in the
    // program's folder.
    void SetFloppyImage(unsigned drive, const std::string& path);

private:
    // The run loop: true when the program ended, false at `limit` or a break.
    bool RunSome(uint64_t limit, RunResult& result);
    RunResult Finished(RunResult result);
    void OnHostCall(uint8_t vector) override;
    void Reset();
    // The return address of the interrupt being served (the faulting or calling instruction's
    // address, or just past it).
    uint16_t StackedIp() const;
    uint16_t StackedCs() const;
    // "`what` at CS:IP", the address `back` bytes before the stacked return address.
    std::string FaultAt(const char* what, uint16_t back) const;
    std::string UndefinedOpcodeMessage() const;
    // A fault that no handler of the program takes: a child ends with code FFh after `message`,
    // and its parent goes on; the first program ends the run with it.
    void EndProgram(const std::string& message);
    bool HardwareHostCall(uint8_t vector);
    void NoteTimePoll();
    bool Spinning();
    // Between two slices: the devices, the keys and the screens brought up to date.
    void Service();
    void PassKeys();
    // `untilEvent`: the processor halted or spins, so nothing happens before the next event.
    void Idle(bool untilEvent);

    Memory m_mem;
    Cpu m_cpu;
    AliasedFiles m_files;  // the host's files under the names DOS programs can use
    MachineClock m_clock;
    Guest m_guest;
    TextScreen m_screen;
    Bios m_bios;
    SilentSpeaker m_silent;
    NoDisplay m_noDisplay;
    HostDisplay* m_display = &m_noDisplay;
    Devices m_devices;
    BiosTimer m_timer;
    BiosKeyboard m_keyboard;
    BiosDisk m_disk;
    bool m_floppyNamed = false;
    GraphicsScreen m_graphics;
    MouseDriver m_mouse;
    uint16_t m_lastPolledTick = 0;
    unsigned m_samePolls = 0;
    // The processor's state at the end of the last slice, and how often in a row it was the same.
    struct SliceEnd {
        Registers regs;
        uint64_t activity = 0;  // host calls and port accesses so far
    } m_lastSlice;
    unsigned m_sameSlices = 0;
    uint64_t m_hostCalls = 0;
    DosKernel m_dos;
    Shell m_shell;
    std::atomic<bool> m_pauseRequested{false};
    bool m_pausing = false;  // a Resume runs: a pause request ends it
};

class Machine {
public:
    Machine(HostFiles& files, HostConsole& console, HostClock& clock);

    // Puts the machine back to the state it was made in, as a new one with the same host (its
    // speaker, window, code page and floppy images), reusing its memory: for one run after
    // another (the fuzzer's).
    void Restart();

    std::string Load(const LoadRequest& request) { return m_board->Load(request); }
    std::string StartSession(std::vector<std::string> environment, const std::string& command)
    {
        return m_board->StartSession(std::move(environment), command);
    }
    RunResult Run(uint64_t limit = UINT64_MAX) { return m_board->Run(limit); }
    RunResult Resume(uint64_t limit) { return m_board->Resume(limit); }
    void RequestPause() { m_board->RequestPause(); }
    void SetCodePage(uint16_t codePage);
    Memory& Mem() { return m_board->Mem(); }
    Cpu& Processor() { return m_board->Processor(); }
    Devices& Board() { return m_board->Board(); }
    GraphicsScreen& Graphics() { return m_board->Graphics(); }
    void AttachHost(HostSpeaker& speaker, HostDisplay& display);
    void SetFloppyImage(unsigned drive, const std::string& path);

private:
    void Attach();

    HostFiles& m_files;
    HostConsole& m_console;
    HostClock& m_clock;
    HostSpeaker* m_speaker = nullptr;
    HostDisplay* m_display = nullptr;
    uint16_t m_codePage = 0;
    std::string m_floppies[2];
    std::unique_ptr<Motherboard> m_board;
};

}  // namespace halyard::dos
