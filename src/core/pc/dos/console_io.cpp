#include "core/pc/dos/console_io.h"

namespace halyard::dos {

ConsoleIo::ConsoleIo(HostConsole& console, TextScreen& screen) : m_console(console), m_screen(screen) {}

bool ConsoleIo::FillInput()
{
    if (m_inputPos < m_inputEnd)
        return true;
    if (m_inputEnded)
        return false;
    m_inputPos = 0;
    m_inputEnd = m_console.ReadInput(m_input, sizeof m_input);
    m_inputEnded = m_inputEnd == 0;
    return !m_inputEnded;
}

int ConsoleIo::ReadChar()
{
    if (Redirected(Stream::Input))
        return FillInput() ? m_input[m_inputPos++] : kEndOfInput;
    if (m_pendingScan >= 0) {
        const int scan = m_pendingScan;
        m_pendingScan = -1;
        return scan;
    }
    uint16_t key;
    if (!m_console.WaitKey(key))
        return kEndOfInput;
    const uint8_t c = uint8_t(key);
    if (c == 0 || c == 0xE0) {
        m_pendingScan = key >> 8;
        return 0;
    }
    return c;
}

bool ConsoleIo::InputReady()
{
    if (Redirected(Stream::Input))
        return FillInput();
    uint16_t key;
    return m_pendingScan >= 0 || m_console.PollKey(key);
}

void ConsoleIo::DiscardInput()
{
    m_cooked.clear();
    if (Redirected(Stream::Input))
        return;
    m_pendingScan = -1;
    for (uint16_t key; m_console.PollKey(key);)
        m_console.WaitKey(key);
}

std::string ConsoleIo::ReadLine(unsigned limit)
{
    std::string line;
    for (;;) {
        const int c = ReadChar();
        if (c == kEndOfInput || c == '\r')
            break;
        if (c == 0) {  // an extended key edits nothing
            ReadChar();
            continue;
        }
        // LF (Ctrl+J) breaks the line on the screen without ending or entering it: the LF of a
        // redirected CR LF line is not part of the next one.
        if (c == '\n') {
            if (!Redirected(Stream::Input))
                Write(Device::Output, reinterpret_cast<const uint8_t*>("\r\n"), 2);
            continue;
        }
        if (c == kCtrlC && !Redirected(Stream::Input)) {
            Write(Device::Output, reinterpret_cast<const uint8_t*>("^C\r\n"), 4);
            m_break = true;
            return {};
        }
        if (c == 8 && !Redirected(Stream::Input)) {
            if (!line.empty()) {
                line.pop_back();
                Write(Device::Output, reinterpret_cast<const uint8_t*>("\b \b"), 3);
            }
            continue;
        }
        if (line.size() >= limit) {
            Write(Device::Output, 7);
            continue;
        }
        line.push_back(char(c));
        Write(Device::Output, uint8_t(c));
    }
    Write(Device::Output, '\r');
    return line;
}

uint32_t ConsoleIo::ReadCooked(uint8_t* data, uint32_t size)
{
    if (Redirected(Stream::Input)) {
        uint32_t n = 0;
        while (n < size && FillInput())
            data[n++] = m_input[m_inputPos++];
        return n;
    }
    if (m_cooked.empty()) {
        m_cooked = ReadLine(126) + "\r\n";
        Write(Device::Output, '\n');
    }
    uint32_t n = 0;
    for (; n < size && n < m_cooked.size(); ++n)
        data[n] = uint8_t(m_cooked[n]);
    m_cooked.erase(0, n);
    return n;
}

void ConsoleIo::Echo(uint8_t c)
{
    if (c != '\t') {
        m_screen.Teletype(c);
        return;
    }
    do
        m_screen.Teletype(' ');
    while (m_screen.CursorColumn() % 8 != 0);
}

void ConsoleIo::Write(Device device, uint8_t c)
{
    Write(device, &c, 1);
}

void ConsoleIo::Write(Device device, const uint8_t* data, uint32_t size)
{
    if (device == Device::Output || device == Device::Error) {
        const Stream stream = device == Device::Output ? Stream::Output : Stream::Error;
        if (Redirected(stream)) {
            m_console.WriteStream(stream, data, size);
            return;
        }
    } else if (device != Device::Console) {
        return;
    }
    for (uint32_t i = 0; i < size; ++i)
        Echo(data[i]);
}

}  // namespace halyard::dos
