#pragma once
// What the interrupt services share: the processor and its memory, the host, and how the run
// ends. A service runs inside its host-call stub (host call, then IRET), so the flags it returns
// are written into the FLAGS image that the IRET will restore.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/pc/cpu/cpu.h"
#include "core/pc/devices/machine_clock.h"
#include "core/pc/host.h"

namespace halyard::dos {

struct Guest {
    Guest(Memory& m, Cpu& c, HostFiles& f, HostConsole& con, MachineClock& clk)
        : mem(m), cpu(c), files(f), console(con), clock(clk)
    {
    }

    Memory& mem;
    Cpu& cpu;
    HostFiles& files;
    HostConsole& console;
    MachineClock& clock;  // the host's time, as the program set it

    bool ended = false;
    uint8_t exitCode = 0;
    std::string failure;  // why the run stopped, when the program did not end by itself
    uint16_t lastError = 0;  // the DOS error of the last failed service, for 59h

    Registers& R() { return cpu.regs; }

    void Exit(uint8_t code)
    {
        ended = true;
        exitCode = code;
        cpu.Stop();
    }
    void Fail(std::string message)
    {
        ended = true;
        failure = std::move(message);
        cpu.Stop();
    }

    // Stops the run: `service` (as "DOS service INT 21h AH=4Bh") is not offered. The caller's INT
    // instruction is the two bytes before the return address on the stack.
    void FailUnsupported(const char* service)
    {
        const Registers& regs = R();
        const uint16_t ip = mem.Read16(regs.seg[kSS], regs.r[kSP]);
        const uint16_t cs = mem.Read16(regs.seg[kSS], uint16_t(regs.r[kSP] + 2));
        char text[128];
        std::snprintf(text, sizeof text, "unsupported %s (AX=%04Xh) at %04X:%04X", service, regs.r[kAX], cs,
                      uint16_t(ip - 2));
        Fail(text);
    }

    // Waits halted with interrupts on, and takes the service again once an interrupt has come
    // and returned: the stub's host call is the three bytes before the IRET it runs from. A
    // service that waits so (for a key) keeps no state of the call but what it stored itself.
    void RetryAfterInterrupt()
    {
        R().ip = uint16_t(R().ip - 3);
        R().flags.SetControl(kIF, true);
        cpu.Halt();
    }

    // The flag `bit` as the service's caller will see it.
    void ReturnFlag(uint16_t bit, bool on)
    {
        const uint16_t sp = uint16_t(R().r[kSP] + 4);
        const uint16_t image = mem.Read16(R().seg[kSS], sp);
        mem.Write16(R().seg[kSS], sp, uint16_t(on ? image | bit : image & ~bit));
    }
    // Success clears the carry; failure sets it with the DOS error code in AX.
    void Succeed() { ReturnFlag(kCF, false); }
    void Error(uint16_t code)
    {
        R().r[kAX] = code;
        lastError = code;
        ReturnFlag(kCF, true);
    }
    void Result(uint16_t code)
    {
        if (code != kErrNone)
            Error(code);
        else
            Succeed();
    }
};

}  // namespace halyard::dos
