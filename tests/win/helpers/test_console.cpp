#include "win/helpers/test_console.h"

#include <fstream>
#include <sstream>

namespace console_test {
namespace {

constexpr char kVariable[] = "HALYARD_TEST_CONSOLE_CHILD";

HANDLE OpenConsole(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

// The active screen buffer, opened anew each time: a program may switch buffers.
class Screen {
public:
    Screen() : m_out(OpenConsole("CONOUT$")) {}
    ~Screen()
    {
        if (m_out != INVALID_HANDLE_VALUE)
            CloseHandle(m_out);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;
    HANDLE handle() const { return m_out; }
    CONSOLE_SCREEN_BUFFER_INFO Info() const
    {
        CONSOLE_SCREEN_BUFFER_INFO info = {};
        GetConsoleScreenBufferInfo(m_out, &info);
        return info;
    }

private:
    HANDLE m_out;
};

}  // namespace

bool InNewConsole()
{
    return GetEnvironmentVariableA(kVariable, nullptr, 0) != 0;
}

bool RunInNewConsole(const char* filter, std::string& report)
{
    char exe[MAX_PATH], temp[MAX_PATH], xml[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "con", 0, xml);
    std::string line = std::string("\"") + exe + "\" --gtest_filter=" + filter + " --gtest_output=xml:" + xml;
    SetEnvironmentVariableA(kVariable, "1");
    STARTUPINFOA start = {sizeof start};
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                                        nullptr, &start, &process);
    SetEnvironmentVariableA(kVariable, nullptr);
    if (!started)
        return false;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::stringstream text;
    text << std::ifstream(xml).rdbuf();
    report = text.str();
    DeleteFileA(xml);
    return code == 0;
}

INPUT_RECORD Key(WORD scan, bool down, DWORD state, WORD virtualKey, char character)
{
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.wVirtualScanCode = scan;
    record.Event.KeyEvent.uChar.AsciiChar = character;
    record.Event.KeyEvent.dwControlKeyState = state;
    return record;
}

std::vector<INPUT_RECORD> Stroke(WORD virtualKey, WORD scan, char character, DWORD state)
{
    std::vector<INPUT_RECORD> records;
    const DWORD held = state & (LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED);
    if (held & LEFT_CTRL_PRESSED)
        records.push_back(Key(0x1D, true, LEFT_CTRL_PRESSED, VK_CONTROL));
    if (held & LEFT_ALT_PRESSED)
        records.push_back(Key(0x38, true, held, VK_MENU));
    records.push_back(Key(scan, true, state, virtualKey, character));
    records.push_back(Key(scan, false, state, virtualKey, character));
    if (held & LEFT_ALT_PRESSED)
        records.push_back(Key(0x38, false, held & ~LEFT_ALT_PRESSED, VK_MENU));
    if (held & LEFT_CTRL_PRESSED)
        records.push_back(Key(0x1D, false, 0, VK_CONTROL));
    return records;
}

std::vector<INPUT_RECORD> Typed(const std::string& text)
{
    std::vector<INPUT_RECORD> records;
    for (char c : text) {
        const SHORT vk = VkKeyScanA(c);
        const WORD scan = WORD(MapVirtualKeyA(vk & 0xFF, MAPVK_VK_TO_VSC));
        const auto stroke = Stroke(WORD(vk & 0xFF), scan, c);
        records.insert(records.end(), stroke.begin(), stroke.end());
    }
    return records;
}

Console::Console() : m_in(OpenConsole("CONIN$"))
{
    DWORD mode;
    if (m_in != INVALID_HANDLE_VALUE && !GetConsoleMode(m_in, &mode)) {
        CloseHandle(m_in);
        m_in = INVALID_HANDLE_VALUE;
    }
    if (m_in != INVALID_HANDLE_VALUE)
        FlushConsoleInputBuffer(m_in);
}

Console::~Console()
{
    if (m_in != INVALID_HANDLE_VALUE)
        CloseHandle(m_in);
}

bool Console::Send(const std::vector<INPUT_RECORD>& records)
{
    DWORD written = 0;
    return WriteConsoleInputA(m_in, records.data(), DWORD(records.size()), &written) && written == records.size();
}

int Console::Rows()
{
    const SMALL_RECT window = Screen().Info().srWindow;
    return window.Bottom - window.Top + 1;
}

std::wstring Console::Row(int row)
{
    Screen screen;
    const SMALL_RECT window = screen.Info().srWindow;
    const int width = window.Right - window.Left + 1;
    std::wstring text(size_t(width), L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen.handle(), text.data(), DWORD(width), COORD{window.Left, SHORT(window.Top + row)},
                                &read);
    text.resize(read);
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

WORD Console::Attribute(int row, int column)
{
    Screen screen;
    const SMALL_RECT window = screen.Info().srWindow;
    WORD attribute = 0;
    DWORD read = 0;
    ReadConsoleOutputAttribute(screen.handle(), &attribute, 1,
                               COORD{SHORT(window.Left + column), SHORT(window.Top + row)}, &read);
    return attribute;
}

COORD Console::Cursor()
{
    const CONSOLE_SCREEN_BUFFER_INFO info = Screen().Info();
    return COORD{SHORT(info.dwCursorPosition.X - info.srWindow.Left), SHORT(info.dwCursorPosition.Y - info.srWindow.Top)};
}

int Console::WaitFor(const std::function<bool(const std::wstring&)>& matches, DWORD ms, int from)
{
    const DWORD start = GetTickCount();
    do {
        for (int row = from, rows = Rows(); row < rows; ++row)
            if (matches(Row(row)))
                return row;
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return -1;
}

int Console::WaitForRow(const std::wstring& text, DWORD ms, int from)
{
    return WaitFor([&text](const std::wstring& row) { return row.find(text) != std::wstring::npos; }, ms, from);
}

std::string Console::Dump()
{
    std::string text;
    for (int row = 0, rows = Rows(); row < rows; ++row) {
        const std::wstring line = Row(row);
        char bytes[512] = {};
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), bytes, sizeof bytes - 1, nullptr, nullptr);
        text += std::string(bytes) + "\n";
    }
    return text;
}

}  // namespace console_test
