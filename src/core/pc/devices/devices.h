#pragma once
// The PC's devices behind the ports, and the one place the processor and the BIOS reach them:
// port reads and writes go to the device that decodes them, and the interrupt controller's
// request line goes to the processor.
//
// Emulated time is the host's steady clock since the machine started: Advance() brings the
// timer, the keyboard and the colour adapter to it between two slices of instructions, and a
// port read sees the time of the read. Timer periods that pass while the program keeps
// interrupts off, or while the host waits, are owed and delivered one after another (up to about
// a minute of them), so that the tick count keeps pace with the time of day.
#include <cstdint>

#include "core/pc/devices/cmos.h"
#include "core/pc/cpu/cpu.h"
#include "core/pc/host_devices.h"
#include "core/pc/cpu/io_ports.h"
#include "core/pc/devices/keyboard_controller.h"
#include "core/pc/devices/pic.h"
#include "core/pc/devices/pit.h"
#include "core/pc/devices/video_ports.h"

namespace halyard::dos {

class Devices final : public IoPorts {
public:
    Devices(Cpu& cpu, HostClock& clock, HostSpeaker& speaker);
    void Reset();
    void SetSpeaker(HostSpeaker& speaker) { m_speaker = &speaker; }

    // Emulated microseconds since the start.
    uint64_t Now() const;
    // Brings the devices to the present and raises the interrupts that came due.
    void Advance();
    // Microseconds from now until a device next wants attention (the timer's next tick;
    // UINT64_MAX when the timer will not interrupt again).
    uint64_t UntilNextEvent() const;
    // Passes the controller's request line to the processor (after anything that may change it).
    void UpdateLine();
    // A service saw the program poll with nothing to give: the machine may idle a little.
    void RequestIdle() { m_idleRequested = true; }
    bool TakeIdleRequest()
    {
        const bool requested = m_idleRequested;
        m_idleRequested = false;
        return requested;
    }
    // Whether a key stroke can go in without overtaking the one in progress.
    bool KeyboardIdle() const { return keyboard.Idle() && !pic.Requested(1) && !pic.InService(1); }

    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;
    uint8_t AcknowledgeInterrupt() override;
    // Port reads and writes so far.
    uint64_t PortAccesses() const { return m_portAccesses; }

    Pic pic;
    Pit pit;
    Cmos cmos;
    KeyboardController keyboard;
    VideoPorts video;

private:
    PortDevice* Decode(uint16_t port);
    void SystemControl(uint8_t value);
    uint8_t SystemStatus();
    void UpdateTone();
    void SyncTime();

    Cpu& m_cpu;
    HostClock& m_clock;
    HostSpeaker* m_speaker;
    uint64_t m_start = 0;
    uint64_t m_owedTicks = 0;
    uint8_t m_port61 = 0;
    bool m_refresh = false;
    uint32_t m_tone = 0;
    bool m_idleRequested = false;
    uint64_t m_portAccesses = 0;
};

}  // namespace halyard::dos
