#pragma once
// The console as the machine's DOS and BIOS see it: the host's console, except that once the
// keys go through the machine's own keyboard (a graphics window is open, or the program drives
// the keyboard itself) DOS reads its keys from the BIOS's buffer too, so that a key typed in the
// window reaches INT 21h as it reaches INT 16h.
#include "core/pc/host.h"

namespace halyard::dos {

class KeySource {
public:
    // Whether the keys now go through the machine's keyboard.
    virtual bool MachineKeys() = 0;
    // The next key code of the BIOS's buffer, taken (`remove`) or looked at; with `wait`, waits for
    // one. False when there is none (or, waiting, none can come).
    virtual bool NextKey(uint16_t& key, bool remove, bool wait) = 0;
    // DOS looked for a key and found none: a program polling in a loop lets the machine idle.
    virtual void NoteEmptyPoll() = 0;

protected:
    ~KeySource() = default;
};

class KeyboardConsole final : public HostConsole {
public:
    explicit KeyboardConsole(HostConsole& host) : m_host(host) {}
    void SetKeySource(KeySource& source) { m_source = &source; }

    bool IsRedirected(Stream stream) override { return m_host.IsRedirected(stream); }
    uint32_t ReadInput(uint8_t* data, uint32_t size) override { return m_host.ReadInput(data, size); }
    void WriteStream(Stream stream, const uint8_t* data, uint32_t size) override
    {
        m_host.WriteStream(stream, data, size);
    }
    void WriteText(const uint8_t* data, uint32_t size) override { m_host.WriteText(data, size); }
    void ShowScreen(const uint8_t* cells, unsigned row, unsigned column) override
    {
        m_host.ShowScreen(cells, row, column);
    }
    bool PollKey(uint16_t& key) override;
    bool WaitKey(uint16_t& key) override;
    void Flush() override { m_host.Flush(); }
    bool NextKeyEvent(KeyEvent& event) override { return m_host.NextKeyEvent(event); }
    void Wait(uint32_t milliseconds) override { m_host.Wait(milliseconds); }

private:
    HostConsole& m_host;
    KeySource* m_source = nullptr;
};

}  // namespace halyard::dos
