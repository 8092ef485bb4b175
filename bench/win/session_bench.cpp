// The DOS session's speed, measured on the real Dosrun.exe: how soon its prompt appears after
// Dosrun starts, how soon a program typed at the prompt prints (against the same program run by a
// Dosrun of its own, the reference), and how much of a core the session takes while it waits at
// the prompt. The session runs in a console of the benchmark's own (keys are console records, as
// a student's are); its output comes back through a pipe.
//
//   bench_session <Dosrun.exe> <folder with HELLO.COM>
#include <windows.h>

#include <cstdio>
#include <string>

#include "milliseconds.h"

namespace {

struct Child {
    PROCESS_INFORMATION info = {};
    HANDLE output = nullptr;
    std::string seen;

    bool Start(const std::string& dosrun, const std::string& tail, const std::string& folder)
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&output, &write, &inherit, 0))
            return false;
        SetHandleInformation(output, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA start = {sizeof start};
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        start.hStdOutput = write;
        start.hStdError = write;
        std::string line = "\"" + dosrun + "\"" + tail;
        const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                            &start, &info) != 0;
        CloseHandle(write);
        return started;
    }
    // Reads on until `text` has come; false at the end of the output.
    bool WaitFor(const std::string& text)
    {
        for (size_t from = seen.size(); seen.find(text, from > text.size() ? from - text.size() : 0) == std::string::npos;) {
            char buffer[512];
            DWORD got = 0;
            if (!ReadFile(output, buffer, sizeof buffer, &got, nullptr) || got == 0)
                return false;
            seen.append(buffer, got);
        }
        return true;
    }
    double CpuMs() const
    {
        FILETIME created, ended, kernel, user;
        GetProcessTimes(info.hProcess, &created, &ended, &kernel, &user);
        const auto ms = [](const FILETIME& t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4; };
        return ms(kernel) + ms(user);
    }
    ~Child()
    {
        if (info.hProcess != nullptr) {
            if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
                TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
        if (output != nullptr)
            CloseHandle(output);
    }
};

void Type(const std::string& text)
{
    HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    for (const char c : text) {
        INPUT_RECORD keys[2] = {};
        for (int i = 0; i < 2; ++i) {
            keys[i].EventType = KEY_EVENT;
            KEY_EVENT_RECORD& k = keys[i].Event.KeyEvent;
            k.bKeyDown = i == 0;
            k.wRepeatCount = 1;
            k.wVirtualKeyCode = c == '\r' ? VK_RETURN : WORD(VkKeyScanA(c) & 0xFF);
            k.wVirtualScanCode = WORD(MapVirtualKeyA(k.wVirtualKeyCode, MAPVK_VK_TO_VSC));
            k.uChar.AsciiChar = c;
        }
        DWORD written;
        WriteConsoleInputA(in, keys, 2, &written);
    }
    CloseHandle(in);
}

int Measure(const std::string& dosrun, const std::string& folder)
{
    constexpr int kRounds = 5;
    double prompt = 0, atPrompt = 0, alone = 0, idle = 0, busy = 0;
    for (int round = 0; round < kRounds; ++round) {
        Child reference;
        double t0 = Now();
        if (!reference.Start(dosrun, " HELLO.COM", folder) || !reference.WaitFor("Hello")) {
            std::fprintf(stderr, "Dosrun HELLO.COM printed nothing\n");
            return 1;
        }
        alone += Now() - t0;
        Child session;
        t0 = Now();
        if (!session.Start(dosrun, "", folder) || !session.WaitFor(">")) {
            std::fprintf(stderr, "the session showed no prompt\n");
            return 1;
        }
        prompt += Now() - t0;
        const double cpu0 = session.CpuMs(), wall0 = Now();
        Sleep(2000);
        idle += (session.CpuMs() - cpu0) * 100.0 / (Now() - wall0);
        t0 = Now();
        Type("hello\r");
        if (!session.WaitFor("Hello")) {
            std::fprintf(stderr, "HELLO typed at the prompt printed nothing\n");
            return 1;
        }
        atPrompt += Now() - t0;
        Type("exit\r");
        WaitForSingleObject(session.info.hProcess, 5000);
        busy += session.CpuMs();
    }
    std::printf("prompt after Dosrun starts:          %7.1f ms (goal: under 150 ms)\n", prompt / kRounds);
    std::printf("HELLO typed at the prompt prints in: %7.1f ms\n", atPrompt / kRounds);
    std::printf("reference, Dosrun HELLO.COM prints:  %7.1f ms after its start\n", alone / kRounds);
    std::printf("session at the prompt:               %7.2f %% of a core (goal: under 2 %%)\n", idle / kRounds);
    std::printf("a whole session's processor time:    %7.1f ms (start, 2 s at the prompt, HELLO, EXIT)\n", busy / kRounds);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_session <Dosrun.exe> <folder with HELLO.COM>\n");
        return 2;
    }
    // The keys go into a console of the benchmark's own: a new one when it has none it can type at.
    DWORD mode;
    HANDLE in = CreateFileA("CONIN$", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool typable = in != INVALID_HANDLE_VALUE && GetConsoleMode(in, &mode);
    if (in != INVALID_HANDLE_VALUE)
        CloseHandle(in);
    if (!typable) {
        FreeConsole();
        AllocConsole();
    }
    const int result = Measure(argv[1], argv[2]);
    std::fflush(stdout);
    return result;
}
