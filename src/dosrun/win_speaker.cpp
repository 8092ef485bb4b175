#include "dosrun/win_speaker.h"

namespace halyard::dosrun {
namespace {

constexpr DWORD kRate = 22050;
constexpr unsigned kBufferSamples = 441;  // 20 ms
constexpr unsigned kBuffers = 3;
constexpr uint8_t kSilence = 0x80, kAmplitude = 24;

}  // namespace

WinSpeaker::~WinSpeaker()
{
    if (m_thread.joinable()) {
        m_stop = true;
        SetEvent(m_ready);
        m_thread.join();
    }
    if (m_out != nullptr) {
        waveOutReset(m_out);
        for (WAVEHDR& header : m_headers)
            waveOutUnprepareHeader(m_out, &header, sizeof header);
        waveOutClose(m_out);
    }
    if (m_ready != nullptr)
        CloseHandle(m_ready);
}

// The device opens at the first tone, so programs that never sound it never touch the host's sound.
void WinSpeaker::Tone(uint32_t hertz)
{
    m_hertz = hertz;
    if (hertz != 0 && m_out == nullptr && !m_failed)
        m_failed = !Open();
}

bool WinSpeaker::Open()
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 8;
    format.nBlockAlign = 1;
    format.nAvgBytesPerSec = kRate;
    m_ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_ready == nullptr ||
        waveOutOpen(&m_out, WAVE_MAPPER, &format, DWORD_PTR(m_ready), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        m_out = nullptr;
        return false;
    }
    m_buffers.assign(kBuffers, std::vector<uint8_t>(kBufferSamples, kSilence));
    m_headers.assign(kBuffers, WAVEHDR{});
    for (unsigned i = 0; i < kBuffers; ++i) {
        m_headers[i].lpData = reinterpret_cast<LPSTR>(m_buffers[i].data());
        m_headers[i].dwBufferLength = kBufferSamples;
        waveOutPrepareHeader(m_out, &m_headers[i], sizeof m_headers[i]);
        Fill(m_headers[i]);
        waveOutWrite(m_out, &m_headers[i], sizeof m_headers[i]);
    }
    m_thread = std::thread([this] { Play(); });
    return true;
}

void WinSpeaker::Fill(WAVEHDR& header)
{
    const uint32_t hertz = m_hertz;
    auto* samples = reinterpret_cast<uint8_t*>(header.lpData);
    // Tones above what the sampling rate can carry are not heard: they play as silence.
    const uint32_t step = hertz == 0 || hertz >= kRate / 2 ? 0 : uint32_t(uint64_t(hertz) * 65536 / kRate);
    for (unsigned i = 0; i < kBufferSamples; ++i) {
        samples[i] = step == 0 ? kSilence : uint8_t((m_phase & 0x8000) ? kSilence + kAmplitude : kSilence - kAmplitude);
        m_phase = (m_phase + step) & 0xFFFF;
    }
}

void WinSpeaker::Play()
{
    while (!m_stop) {
        WaitForSingleObject(m_ready, INFINITE);
        for (WAVEHDR& header : m_headers) {
            if (m_stop)
                return;
            if (header.dwFlags & WHDR_DONE) {
                Fill(header);
                waveOutWrite(m_out, &header, sizeof header);
            }
        }
    }
}

}  // namespace halyard::dosrun
