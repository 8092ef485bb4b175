#include "toolchain/child_pipes.h"

#include <atomic>
#include <cstdio>

namespace {

constexpr DWORD kOutputBufferSize = 64 * 1024;
// Several queued lines fit before a write to a busy interpreter would block.
constexpr DWORD kInputBufferSize = 64 * 1024;
constexpr int kNameAttempts = 16;

// An anonymous pipe cannot be read with overlapped I/O, so the output pipe is a named pipe with
// a name unique to this process, opened once from each side and never again (one instance, local
// clients only).
bool CreateOutputPipe(FxHandle& readEnd, FxHandle& childEnd)
{
    static std::atomic<unsigned long> s_nextPipe{0};
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char name[96];
        std::snprintf(name, sizeof name, "\\\\.\\pipe\\Halyard.redir.%lu.%lu.%lu", GetCurrentProcessId(),
                      s_nextPipe.fetch_add(1), GetTickCount());
        readEnd.Reset(CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                       1, 0, kOutputBufferSize, 0, nullptr));
        if (!readEnd) {
            if (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_PIPE_BUSY) continue;
            return false;
        }
        childEnd.Reset(CreateFileA(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inherit, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (childEnd) return true;
        const DWORD error = GetLastError();
        readEnd.Reset();
        SetLastError(error);
        return false;
    }
    return false;
}

bool CreateInputPipe(FxHandle& childEnd, FxHandle& writeEnd)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, kInputBufferSize)) return false;
    childEnd.Reset(read);
    writeEnd.Reset(write);
    return SetHandleInformation(write, HANDLE_FLAG_INHERIT, 0) != FALSE;
}

bool DuplicateInheritable(const FxHandle& source, FxHandle& copy)
{
    const HANDLE self = GetCurrentProcess();
    return DuplicateHandle(self, source.Get(), self, copy.Receive(), 0, TRUE, DUPLICATE_SAME_ACCESS) != FALSE;
}

}  // namespace

bool CChildPipes::Create()
{
    const bool made = CreateOutputPipe(hOutputRead, hChildOutput) && DuplicateInheritable(hChildOutput, hChildError) &&
                      CreateInputPipe(hChildInput, hInputWrite);
    if (made) return true;
    const DWORD error = GetLastError();
    *this = CChildPipes{};
    SetLastError(error);
    return false;
}

void CChildPipes::CloseChildEnds() noexcept
{
    hChildOutput.Reset();
    hChildError.Reset();
    hChildInput.Reset();
}
