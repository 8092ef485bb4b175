#pragma once
// The speaker through the host's sound output: a square wave of the timer's tone, made on a
// thread of its own into a ring of short buffers (so a change of tone is heard within about 20
// ms). Where the host has no sound device the speaker stays silent.
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/pc/host_devices.h"

namespace halyard::dosrun {

class WinSpeaker final : public dos::HostSpeaker {
public:
    WinSpeaker() = default;
    WinSpeaker(const WinSpeaker&) = delete;
    WinSpeaker& operator=(const WinSpeaker&) = delete;
    ~WinSpeaker();

    void Tone(uint32_t hertz) override;

private:
    bool Open();
    void Play();
    void Fill(WAVEHDR& header);

    HWAVEOUT m_out = nullptr;
    HANDLE m_ready = nullptr;
    std::thread m_thread;
    std::atomic<uint32_t> m_hertz{0};
    std::atomic<bool> m_stop{false};
    bool m_failed = false;
    uint32_t m_phase = 0;  // position in the wave, in 1/65536 of a period
    std::vector<std::vector<uint8_t>> m_buffers;
    std::vector<WAVEHDR> m_headers;
};

}  // namespace halyard::dosrun
