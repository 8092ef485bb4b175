#include "toolchain/tool_output.h"

#include "fx/fx_handles.h"

namespace {

constexpr std::size_t kMaxOutput = 64 * 1024;

// A pipe one end of which a child inherits: the read end when `childReads`, else the write end.
bool CreateChildPipe(FxHandle& read, FxHandle& write, bool childReads)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(read.Receive(), write.Receive(), &inherit, 64 * 1024)) return false;
    return SetHandleInformation(childReads ? write.Get() : read.Get(), HANDLE_FLAG_INHERIT, 0) != FALSE;
}

// Reads what the pipe holds now; false when it is broken (every writer gone) and empty.
bool ReadAvailable(HANDLE pipe, std::string& output)
{
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return false;
    while (available > 0 && output.size() < kMaxOutput) {
        char chunk[4096];
        DWORD n = 0;
        if (!ReadFile(pipe, chunk, sizeof chunk < available ? sizeof chunk : available, &n, nullptr) || n == 0)
            return false;
        output.append(chunk, n);
        available -= n;
    }
    return true;
}

}  // namespace

std::string CaptureToolOutput(const std::string& commandLine, const std::string& folder, std::string_view input,
                              DWORD timeoutMs)
{
    FxHandle outRead, outWrite, inRead, inWrite;
    if (!CreateChildPipe(outRead, outWrite, false) || !CreateChildPipe(inRead, inWrite, true)) return {};
    DWORD written = 0;
    // The input is a few bytes, far below the pipe's buffer: the write never waits for the child.
    if (!input.empty()) WriteFile(inWrite.Get(), input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    inWrite.Reset();

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = inRead.Get();
    si.hStdOutput = outWrite.Get();
    si.hStdError = outWrite.Get();
    std::string command = commandLine;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return {};
    const FxHandle process(pi.hProcess), thread(pi.hThread);
    outWrite.Reset();
    inRead.Reset();

    std::string output;
    const DWORD start = GetTickCount();
    while (ReadAvailable(outRead.Get(), output) && output.size() < kMaxOutput) {
        if (WaitForSingleObject(process.Get(), 20) == WAIT_OBJECT_0) {
            ReadAvailable(outRead.Get(), output);
            break;
        }
        if (GetTickCount() - start >= timeoutMs) break;
    }
    if (WaitForSingleObject(process.Get(), 0) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
    return output;
}
