#include "core/pc/dos/console_io.h"

namespace halyard::dos {

ConsoleIo::ConsoleIo(HostConsole& console, TextScreen& screen, BiosKeyboard& keyboard)
    : m_console(console), m_screen(screen), m_keyboard(keyboard)
{
}

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

bool ConsoleIo::NextKey(uint16_t& key, bool remove)
{
    while (m_keyboard.TakeKey(key, false)) {
        if (key != 0) {
            if (remove)
                m_keyboard.TakeKey(key, true);
            return true;
        }
        m_keyboard.TakeKey(key, true);
    }
    return false;
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
    if (!NextKey(key, true))
        return m_keyboard.KeysMayCome() ? kNoKeyYet : kEndOfInput;
    const uint8_t c = uint8_t(key);
    if (c == 0 || (c == 0xE0 && key >> 8 != 0)) {
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
    const bool ready = m_pendingScan >= 0 || NextKey(key, false);
    if (!ready)
        m_keyboard.CountEmptyPoll();
    return ready;
}

bool ConsoleIo::TakeBreak()
{
    uint16_t key;
    if (m_breakPending) {
        m_breakPending = false;
        NextKey(key, false);  // drops what Ctrl+Break left
        return true;
    }
    if (!NextKey(key, false) || uint8_t(key) != kCtrlC)
        return false;
    NextKey(key, true);
    return true;
}

void ConsoleIo::DiscardInput()
{
    m_cooked.clear();
    m_line.clear();
    if (Redirected(Stream::Input))
        return;
    m_pendingScan = -1;
    uint16_t key;
    while (m_keyboard.TakeKey(key, true)) {
    }
}

LineRead ConsoleIo::ReadLine(unsigned limit, std::string& line)
{
    const bool typed = !Redirected(Stream::Input);
    for (;;) {
        if (typed && m_breakPending) {
            m_breakPending = false;
            m_line.clear();
            Write(Device::Output, reinterpret_cast<const uint8_t*>("^C\r\n"), 4);
            return LineRead::Break;
        }
        const int c = ReadChar();
        if (c == kNoKeyYet)
            return LineRead::Waiting;
        if (c == kEndOfInput || c == '\r')
            break;
        if (c == 0) {  // an extended key edits nothing
            ReadChar();
            continue;
        }
        // LF (Ctrl+J) breaks the line on the screen without ending or entering it: the LF of a
        // redirected CR LF line is not part of the next one.
        if (c == '\n') {
            if (typed)
                Write(Device::Output, reinterpret_cast<const uint8_t*>("\r\n"), 2);
            continue;
        }
        if (c == kCtrlC && typed) {
            m_breakPending = true;
            continue;
        }
        if (c == 8 && typed) {
            if (!m_line.empty()) {
                m_line.pop_back();
                Write(Device::Output, reinterpret_cast<const uint8_t*>("\b \b"), 3);
            }
            continue;
        }
        if (m_line.size() >= limit) {
            Write(Device::Output, 7);
            continue;
        }
        m_line.push_back(char(c));
        Write(Device::Output, uint8_t(c));
    }
    Write(Device::Output, '\r');
    line = std::move(m_line);
    m_line.clear();
    return LineRead::Done;
}

LineRead ConsoleIo::ReadCooked(uint8_t* data, uint32_t size, uint32_t& done)
{
    done = 0;
    if (Redirected(Stream::Input)) {
        while (done < size && FillInput())
            data[done++] = m_input[m_inputPos++];
        return LineRead::Done;
    }
    if (m_cooked.empty()) {
        std::string line;
        const LineRead read = ReadLine(126, line);
        if (read != LineRead::Done)
            return read;
        m_cooked = line + "\r\n";
        Write(Device::Output, '\n');
    }
    for (; done < size && done < m_cooked.size(); ++done)
        data[done] = uint8_t(m_cooked[done]);
    m_cooked.erase(0, done);
    return LineRead::Done;
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
