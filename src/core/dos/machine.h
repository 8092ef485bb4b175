#pragma once
// The emulated PC: processor, 1 MB of memory, the BIOS and DOS services, and the run loop.
//
// Every interrupt vector points at a host-service stub in the ROM segment (host call n; IRET), so
// a program that hooks a vector and chains to the old one works as on a real machine.
#include <cstdint>
#include <string>

#include "core/dos/aliased_files.h"
#include "core/dos/bios.h"
#include "core/dos/cpu.h"
#include "core/dos/dos_kernel.h"
#include "core/dos/guest.h"
#include "core/dos/loader.h"
#include "core/dos/text_screen.h"

namespace halyard::dos {

struct RunResult {
    bool exited = false;       // the program ended itself; else `failure` says why it stopped
    uint8_t exitCode = 0;
    std::string failure;
    uint64_t instructions = 0;
};

class Machine final : private HostCalls {
public:
    Machine(HostFiles& files, HostConsole& console, HostClock& clock);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // Returns an empty string when the program is ready to run, else why it cannot run.
    std::string Load(const LoadRequest& request);
    // Runs until the program ends, the machine stops it, or `limit` instructions have run.
    RunResult Run(uint64_t limit = UINT64_MAX);

    // The console's code page, for the services that tell programs about double-byte characters.
    void SetCodePage(uint16_t codePage) { m_dos.SetCodePage(codePage); }
    Memory& Mem() { return m_mem; }
    Cpu& Processor() { return m_cpu; }

private:
    void OnHostCall(uint8_t vector) override;
    void Reset();
    std::string FaultMessage() const;

    Memory m_mem;
    Cpu m_cpu;
    AliasedFiles m_files;  // the host's files under the names DOS programs can use
    Guest m_guest;
    TextScreen m_screen;
    Bios m_bios;
    DosKernel m_dos;
};

}  // namespace halyard::dos
