#include "dosrun/win_console.h"

#include <atomic>

#include "core/pc/bios/bios_keys.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dosrun {
namespace {

constexpr size_t kHeldBack = 4096;
std::atomic<unsigned> g_breaks{0};  // Ctrl+Break presses the control handler took, not yet typed
constexpr unsigned kCells = dos::kScreenColumns * dos::kScreenRows;

bool IsConsole(HANDLE h)
{
    DWORD mode;
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode);
}

// The BIOS code of a key press: scan code high, character low; 0 for keys that make none
// (shift keys alone, key releases).
uint16_t BiosKey(const INPUT_RECORD& record)
{
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown)
        return 0;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    switch (key.wVirtualKeyCode) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
    case VK_LWIN: case VK_RWIN:
        return 0;
    default: break;
    }
    dos::KeyPress press;
    press.scan = uint8_t(key.wVirtualScanCode);
    press.character = uint8_t(key.uChar.AsciiChar);
    press.shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
    press.ctrl = (key.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    press.alt = (key.dwControlKeyState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    return dos::BiosKeyCode(press);
}

// The glyphs of the PC's text-mode font (code page 437), control codes included, as Unicode.
const wchar_t* ScreenGlyphs()
{
    static wchar_t glyphs[256];
    if (glyphs[0x41] != 0)
        return glyphs;
    static const wchar_t kControls[32] = {
        0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
        0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
        0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
    for (unsigned c = 0; c < 256; ++c) {
        const char byte = char(c);
        if (c < 32)
            glyphs[c] = kControls[c];
        else if (MultiByteToWideChar(437, 0, &byte, 1, &glyphs[c], 1) != 1)
            glyphs[c] = L'?';
    }
    glyphs[0x7F] = 0x2302;
    return glyphs;
}

}  // namespace

WinConsole::WinConsole()
{
    const DWORD ids[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
        m_std[i] = GetStdHandle(ids[i]);
        m_redirected[i] = !IsConsole(m_std[i]);
    }
    m_out.handle = m_std[1];
    m_err.handle = m_std[2];
    m_conOut = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    m_conIn = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    m_text.handle = m_conOut;
    // Keys one at a time, without the console's own echo; Ctrl+C is a key the DOS program reads
    // (DOS answers it with ^C and INT 23h); Ctrl+Break still ends the run.
    if (IsConsole(m_conIn) && GetConsoleMode(m_conIn, &m_savedInputMode))
        SetConsoleMode(m_conIn, m_savedInputMode & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT));
}

WinConsole::~WinConsole()
{
    Flush();
    if (m_breakHandled)
        SetConsoleCtrlHandler(&WinConsole::OnControl, FALSE);
    if (IsConsole(m_conIn))
        SetConsoleMode(m_conIn, m_savedInputMode);
    if (m_conIn != INVALID_HANDLE_VALUE)
        CloseHandle(m_conIn);
    if (m_conOut != INVALID_HANDLE_VALUE)
        CloseHandle(m_conOut);
}

bool WinConsole::IsRedirected(dos::Stream stream)
{
    return m_redirected[int(stream)];
}

uint32_t WinConsole::ReadInput(uint8_t* data, uint32_t size)
{
    Flush();
    DWORD n = 0;
    if (!ReadFile(m_std[0], data, size, &n, nullptr))
        return 0;
    return n;
}

void WinConsole::Write(Pending& pending)
{
    const char* p = pending.bytes.data();
    size_t left = pending.bytes.size();
    while (left > 0) {
        DWORD n = 0;
        if (pending.handle == nullptr || pending.handle == INVALID_HANDLE_VALUE ||
            !WriteFile(pending.handle, p, DWORD(left), &n, nullptr) || n == 0)
            break;
        p += n;
        left -= n;
    }
    pending.bytes.clear();
}

void WinConsole::WriteStream(dos::Stream stream, const uint8_t* data, uint32_t size)
{
    Pending& to = stream == dos::Stream::Error ? m_err : m_out;
    Pending& other = stream == dos::Stream::Error ? m_out : m_err;
    if (!other.bytes.empty())
        Write(other);
    to.bytes.append(reinterpret_cast<const char*>(data), size);
    if (to.bytes.size() >= kHeldBack)
        Write(to);
}

void WinConsole::WriteText(const uint8_t* data, uint32_t size)
{
    if (m_conOut == INVALID_HANDLE_VALUE)
        return;
    m_text.bytes.append(reinterpret_cast<const char*>(data), size);
    if (m_text.bytes.size() >= kHeldBack)
        Write(m_text);
}

// The screen goes to the top left of the console's window, as far as the window reaches.
void WinConsole::ShowScreen(const uint8_t* cells, unsigned cursorRow, unsigned cursorColumn)
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (m_conOut == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(m_conOut, &info))
        return;
    Write(m_text);
    // The screen shows the adapter's font, whatever the console's code page: box lines stay lines.
    const wchar_t* glyphs = ScreenGlyphs();
    CHAR_INFO chars[kCells];
    for (unsigned i = 0; i < kCells; ++i) {
        chars[i].Char.UnicodeChar = glyphs[cells[i * 2]];
        chars[i].Attributes = cells[i * 2 + 1];
    }
    const SHORT left = info.srWindow.Left, top = info.srWindow.Top;
    SMALL_RECT region = {left, top, SHORT(left + 79), SHORT(top + 24)};
    WriteConsoleOutputW(m_conOut, chars, COORD{80, 25}, COORD{0, 0}, &region);
    SetConsoleCursorPosition(m_conOut, COORD{SHORT(left + cursorColumn), SHORT(top + cursorRow)});
}

bool WinConsole::PollKey(uint16_t& key)
{
    return NextKey(false, key);
}

bool WinConsole::WaitKey(uint16_t& key)
{
    return NextKey(true, key);
}

bool WinConsole::NextKey(bool wait, uint16_t& key)
{
    if (!IsConsole(m_conIn))
        return false;
    Flush();
    for (;;) {
        INPUT_RECORD record;
        DWORD n = 0;
        const BOOL got = wait ? ReadConsoleInputA(m_conIn, &record, 1, &n) : PeekConsoleInputA(m_conIn, &record, 1, &n);
        if (!got || n == 0) {
            if (!wait || !got)
                return false;
            continue;
        }
        key = BiosKey(record);
        if (key != 0)
            return true;
        if (!wait)
            ReadConsoleInputA(m_conIn, &record, 1, &n);  // not a key press: drop it
    }
}

BOOL WINAPI WinConsole::OnControl(DWORD type)
{
    if (type != CTRL_BREAK_EVENT)
        return FALSE;
    ++g_breaks;
    return TRUE;
}

// Ctrl down, the Break key's E0 46 down and up, Ctrl up.
bool WinConsole::BreakEvent(dos::KeyEvent& event)
{
    if (m_breakStep == 0) {
        if (g_breaks == 0)
            return false;
        --g_breaks;
    }
    static const dos::KeyEvent kStrokes[4] = {{0x1D, false, true}, {0x46, true, true}, {0x46, true, false},
                                              {0x1D, false, false}};
    event = kStrokes[m_breakStep];
    m_breakStep = (m_breakStep + 1) % 4;
    return true;
}

bool WinConsole::NextKeyEvent(dos::KeyEvent& event)
{
    if (!IsConsole(m_conIn))
        return false;
    if (!m_breakHandled)
        m_breakHandled = SetConsoleCtrlHandler(&WinConsole::OnControl, TRUE) != 0;
    if (BreakEvent(event))
        return true;
    for (;;) {
        DWORD waiting = 0;
        if (!GetNumberOfConsoleInputEvents(m_conIn, &waiting) || waiting == 0)
            return false;
        INPUT_RECORD record;
        DWORD n = 0;
        if (!ReadConsoleInputA(m_conIn, &record, 1, &n) || n == 0)
            return false;
        if (record.EventType != KEY_EVENT || record.Event.KeyEvent.wVirtualScanCode == 0)
            continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        event.scan = uint8_t(key.wVirtualScanCode & 0x7F);
        event.extended = (key.dwControlKeyState & ENHANCED_KEY) != 0;
        event.down = key.bKeyDown != 0;
        return true;
    }
}

// Records other than keys (focus, mouse, window size) would end every wait at once: they are
// dropped. A key already waiting is left for DOS to read, and the wait is a plain sleep.
void WinConsole::Wait(uint32_t milliseconds)
{
    Flush();
    if (!IsConsole(m_conIn)) {
        Sleep(milliseconds);
        return;
    }
    INPUT_RECORD record;
    DWORD n = 0;
    while (PeekConsoleInputA(m_conIn, &record, 1, &n) && n == 1 && record.EventType != KEY_EVENT)
        ReadConsoleInputA(m_conIn, &record, 1, &n);
    if (PeekConsoleInputA(m_conIn, &record, 1, &n) && n == 1)
        Sleep(milliseconds);
    else
        WaitForSingleObject(m_conIn, milliseconds);
}

void WinConsole::Flush()
{
    Write(m_out);
    Write(m_err);
    Write(m_text);
}

}  // namespace halyard::dosrun
