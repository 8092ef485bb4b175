#include "dosrun/win_console.h"

#include <algorithm>
#include <atomic>

#include "core/pc/bios/scan_codes.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dosrun {
namespace {

constexpr size_t kHeldBack = 4096;
constexpr DWORD kBreakTwiceMs = 2000, kSamePressMs = 300;
enum BreakSource { kNoBreak, kSignal, kRecord };
std::atomic<unsigned> g_breaks{0};      // Ctrl+Break presses the control handler took
std::atomic<DWORD> g_lastBreak{0};      // when the last press came (GetTickCount)
std::atomic<int> g_lastSource{kNoBreak};
std::atomic<int> g_stop{0};             // 1: Ctrl+Break twice, 2: the window is closing
std::atomic<bool> g_runEnded{false};

// A press of Ctrl+Break, as the console's signal or as a key record (where the console sends no
// signal): two within two seconds ask for the run to end. A press that comes both ways, close
// together, counts once.
void NoteBreakPress(BreakSource source)
{
    const DWORD now = GetTickCount(), since = now - g_lastBreak;
    const int last = g_lastSource;
    if (last != kNoBreak && last != source && since < kSamePressMs)
        return;
    int running = 0;
    if (last != kNoBreak && since < kBreakTwiceMs)
        g_stop.compare_exchange_strong(running, 1);
    g_lastBreak = now;
    g_lastSource = source;
}
constexpr unsigned kCells = dos::kScreenColumns * dos::kScreenRows;

bool IsConsole(HANDLE h)
{
    DWORD mode;
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode);
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
    m_keys = IsConsole(m_conIn);
    // Keys one at a time, without the console's own echo; Ctrl+C is a key the DOS program reads
    // (DOS answers it with ^C and INT 23h); Ctrl+Break still ends the run.
    if (m_keys && GetConsoleMode(m_conIn, &m_savedInputMode))
        SetConsoleMode(m_conIn, m_savedInputMode & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT));
    m_breakHandled = SetConsoleCtrlHandler(&WinConsole::OnControl, TRUE) != 0;
}

WinConsole::~WinConsole()
{
    Flush();
    if (m_breakHandled)
        SetConsoleCtrlHandler(&WinConsole::OnControl, FALSE);
    if (m_keys)
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

// Ctrl+Break comes as a signal on a thread of its own; twice within two seconds it asks for the
// run to end. Closing the window waits (a little) for the run to end before the process goes.
BOOL WINAPI WinConsole::OnControl(DWORD type)
{
    if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT) {
        g_stop = 2;
        for (int i = 0; i < 40 && !g_runEnded; ++i)
            Sleep(50);
        return FALSE;
    }
    if (type != CTRL_BREAK_EVENT)
        return FALSE;
    NoteBreakPress(kSignal);
    ++g_breaks;
    return TRUE;
}

void WinConsole::RunEnded()
{
    g_runEnded = true;
}

std::string WinConsole::StopRequest()
{
    Drain();
    switch (g_stop.load()) {
    case 1: return "stopped with Ctrl+Break (pressed twice within two seconds)";
    case 2: return "stopped: the console window was closed";
    default: return {};
    }
}

bool WinConsole::KeysMayCome()
{
    return m_keys;
}

void WinConsole::MatchModifiers(DWORD state)
{
    const struct {
        uint8_t bit, scan;
        DWORD flags;
    } kModifiers[] = {{1, dos::scan::kLeftShift, SHIFT_PRESSED},
                      {2, dos::scan::kCtrl, LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED},
                      {4, dos::scan::kAlt, LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED}};
    for (const auto& m : kModifiers) {
        const bool held = (state & m.flags) != 0;
        if (held != ((m_modifiers & m.bit) != 0)) {
            m_events.push_back({m.scan, false, held});
            m_modifiers = uint8_t(m_modifiers ^ m.bit);
        }
    }
}

bool WinConsole::Translate(const KEY_EVENT_RECORD& key)
{
    const uint8_t scan = uint8_t(key.wVirtualScanCode & 0x7F);
    const bool extended = (key.dwControlKeyState & ENHANCED_KEY) != 0;
    if (scan == 0) {  // a character no key types (an input method's): only its press counts
        if (!key.bKeyDown || key.uChar.AsciiChar == 0)
            return false;
        m_events.push_back({0, false, true, uint8_t(key.uChar.AsciiChar)});
        return true;
    }
    if (key.wVirtualKeyCode == VK_CANCEL && key.bKeyDown)
        NoteBreakPress(kRecord);
    switch (key.wVirtualKeyCode) {
    case VK_SHIFT: m_modifiers = uint8_t(key.bKeyDown ? m_modifiers | 1 : m_modifiers & ~1); break;
    case VK_CONTROL: m_modifiers = uint8_t(key.bKeyDown ? m_modifiers | 2 : m_modifiers & ~2); break;
    case VK_MENU: m_modifiers = uint8_t(key.bKeyDown ? m_modifiers | 4 : m_modifiers & ~4); break;
    default:
        if (key.bKeyDown)
            MatchModifiers(key.dwControlKeyState);
        break;
    }
    for (WORD i = 0; i < (key.bKeyDown ? std::max<WORD>(key.wRepeatCount, 1) : 1); ++i)
        m_events.push_back({scan, extended, key.bKeyDown != 0});
    return true;
}

// Each call to the console is a round trip to another process under some hosts: the console is
// asked only when a wait saw it signalled, or once in a while (often enough for keys to feel
// immediate to a program that polls them).
void WinConsole::Drain()
{
    constexpr ULONGLONG kAskEvery = 10;  // milliseconds
    if (!m_keys)
        return;
    const ULONGLONG now = GetTickCount64();
    if (!m_signalled && now - m_asked < kAskEvery)
        return;
    m_signalled = false;
    m_asked = now;
    for (;;) {
        DWORD waiting = 0;
        if (!GetNumberOfConsoleInputEvents(m_conIn, &waiting) || waiting == 0)
            return;
        INPUT_RECORD record;
        DWORD n = 0;
        if (!ReadConsoleInputA(m_conIn, &record, 1, &n) || n == 0)
            return;
        if (record.EventType == KEY_EVENT)
            Translate(record.Event.KeyEvent);
    }
}

bool WinConsole::NextKeyEvent(dos::KeyEvent& event)
{
    if (!m_keys)
        return false;
    // Ctrl down, the Break key's E0 46 down and up, Ctrl up (as held before).
    for (; m_breaksTyped < g_breaks; ++m_breaksTyped) {
        const bool ctrl = m_modifiers & 2;
        if (!ctrl)
            m_events.push_back({dos::scan::kCtrl, false, true});
        m_events.push_back({0x46, true, true});
        m_events.push_back({0x46, true, false});
        if (!ctrl)
            m_events.push_back({dos::scan::kCtrl, false, false});
    }
    Drain();
    if (m_events.empty())
        return false;
    event = m_events.front();
    m_events.pop_front();
    return true;
}

// Records other than keys (focus, mouse, window size) are read and dropped, so that they do not
// end every wait at once. While a key waits for the machine to take it, the wait is a plain sleep.
void WinConsole::Wait(uint32_t milliseconds)
{
    Flush();
    Drain();
    if (!m_keys || !m_events.empty())
        Sleep(milliseconds);
    else
        m_signalled = WaitForSingleObject(m_conIn, milliseconds) == WAIT_OBJECT_0;
}

void WinConsole::Flush()
{
    Write(m_out);
    Write(m_err);
    Write(m_text);
}

}  // namespace halyard::dosrun
