#pragma once
// A real console for tests that type at a program: the test runs itself again in a new console,
// where it writes key records to the console's input and reads the console's window back.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace console_test {

// Whether this process is the run in a new console that RunInNewConsole started.
bool InNewConsole();
// Runs test `filter` of this executable again in a new, hidden console; true when it passed
// there. `report` receives what the run wrote about its failures.
bool RunInNewConsole(const char* filter, std::string& report);

// A key record: a press or a release.
INPUT_RECORD Key(WORD scan, bool down, DWORD state = 0, WORD virtualKey = 0, char character = 0);

// Presses and releases a key, with Ctrl or Alt (LEFT_CTRL_PRESSED, LEFT_ALT_PRESSED) held around
// it when `state` names them; ENHANCED_KEY marks the cursor keys.
std::vector<INPUT_RECORD> Stroke(WORD virtualKey, WORD scan, char character, DWORD state = 0);
// The strokes of plain letters and digits.
std::vector<INPUT_RECORD> Typed(const std::string& text);

class Console {
public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool Ready() const { return m_in != INVALID_HANDLE_VALUE; }
    bool Send(const std::vector<INPUT_RECORD>& records);
    // Row `row` of the window (0 is its top), without trailing blanks, and one cell's colours.
    std::wstring Row(int row);
    WORD Attribute(int row, int column);
    // The cursor, in the window's rows and columns.
    COORD Cursor();
    int Rows();
    // The first row at or after `from` that `matches`, waiting up to `ms` for one; -1 if none.
    int WaitFor(const std::function<bool(const std::wstring&)>& matches, DWORD ms = 20000, int from = 0);
    // The first row at or after `from` that holds `text`.
    int WaitForRow(const std::wstring& text, DWORD ms = 20000, int from = 0);
    // Every row of the window, for a failure's message.
    std::string Dump();

private:
    HANDLE m_in;
};

}  // namespace console_test
