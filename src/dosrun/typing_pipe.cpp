#include "dosrun/typing_pipe.h"

#include "core/pc/session_path.h"

#include <system_error>

namespace halyard::dosrun {
namespace {

constexpr DWORD kMessageSize = 4096;
constexpr WORD kShiftScan = 0x2A;
constexpr WORD kEnterScan = 0x1C;

INPUT_RECORD KeyRecord(WORD virtualKey, WORD scan, char character, bool down, DWORD state)
{
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    key.bKeyDown = down;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = virtualKey;
    key.wVirtualScanCode = scan;
    key.uChar.AsciiChar = character;
    key.dwControlKeyState = state;
    return record;
}

void AppendStroke(std::vector<INPUT_RECORD>& records, WORD virtualKey, WORD scan, char character, bool shift)
{
    const DWORD state = shift ? SHIFT_PRESSED : 0;
    if (shift) records.push_back(KeyRecord(VK_SHIFT, kShiftScan, 0, true, state));
    records.push_back(KeyRecord(virtualKey, scan, character, true, state));
    records.push_back(KeyRecord(virtualKey, scan, character, false, state));
    if (shift) records.push_back(KeyRecord(VK_SHIFT, kShiftScan, 0, false, 0));
}

}  // namespace

std::vector<INPUT_RECORD> KeyRecordsFor(std::string_view text)
{
    std::vector<INPUT_RECORD> records;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            AppendStroke(records, VK_RETURN, kEnterScan, '\r', false);
            continue;
        }
        const SHORT key = static_cast<unsigned char>(c) < 0x80 ? VkKeyScanA(c) : SHORT(-1);
        const bool typeable = key != -1 && (key & 0x0600) == 0;  // no Ctrl or Alt needed
        const WORD virtualKey = typeable ? WORD(key & 0xFF) : 0;
        const WORD scan = typeable ? WORD(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) : 0;
        if (scan == 0)  // a character alone: the machine takes its press
            records.push_back(KeyRecord(0, 0, c, true, 0));
        else
            AppendStroke(records, virtualKey, scan, c, (key & 0x0100) != 0);
    }
    return records;
}

TypingPipe::~TypingPipe()
{
    if (m_thread.joinable()) {
        SetEvent(m_stop);
        m_thread.join();
    }
    for (HANDLE handle : {m_pipe, m_input})
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    for (HANDLE event : {m_stop, m_ready})
        if (event != nullptr) CloseHandle(event);
}

bool TypingPipe::Start(std::function<void(std::string_view)> onRequest)
{
    m_onRequest = std::move(onRequest);
    m_input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    if (m_input == INVALID_HANDLE_VALUE) return false;
    m_pipe = CreateNamedPipeA(dos::TypingPipeName(GetCurrentProcessId()).c_str(),
                              PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                              PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
                              kMessageSize, 0, nullptr);
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (m_pipe == INVALID_HANDLE_VALUE || m_stop == nullptr || m_ready == nullptr) return false;
    try {
        m_thread = std::thread([this] { Serve(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

// Waits for the connect or read under way, or for the stop signal, which cancels it.
bool TypingPipe::Arrived(OVERLAPPED& pending)
{
    const HANDLE events[] = {m_stop, m_ready};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) return true;
    CancelIo(m_pipe);
    DWORD done = 0;
    GetOverlappedResult(m_pipe, &pending, &done, TRUE);
    return false;
}

bool TypingPipe::Connect()
{
    OVERLAPPED pending = {};
    pending.hEvent = m_ready;
    ResetEvent(m_ready);
    if (ConnectNamedPipe(m_pipe, &pending)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED) return true;
    DWORD done = 0;
    return error == ERROR_IO_PENDING && Arrived(pending) && GetOverlappedResult(m_pipe, &pending, &done, FALSE);
}

TypingPipe::Chunk TypingPipe::ReadChunk(char* chunk, DWORD size, DWORD& done)
{
    OVERLAPPED pending = {};
    pending.hEvent = m_ready;
    ResetEvent(m_ready);
    done = 0;
    if (!ReadFile(m_pipe, chunk, size, nullptr, &pending)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_PENDING) {
            if (!Arrived(pending)) return Chunk::End;
        } else if (error != ERROR_MORE_DATA) {
            return Chunk::End;
        }
    }
    if (GetOverlappedResult(m_pipe, &pending, &done, FALSE)) return Chunk::Whole;
    return GetLastError() == ERROR_MORE_DATA ? Chunk::Part : Chunk::End;
}

// One client after another, until Dosrun ends: its messages are typed as they come, a message
// longer than a chunk once it is whole; a broken pipe (the client closed) ends the client.
void TypingPipe::Serve()
{
    try {
        std::vector<char> chunk(kMessageSize);
        while (Connect()) {
            std::string message;
            DWORD done = 0;
            for (Chunk part; (part = ReadChunk(chunk.data(), kMessageSize, done)) != Chunk::End;) {
                message.append(chunk.data(), done);
                if (part == Chunk::Whole) {
                    if (!message.empty() && message[0] == '\0') {
                        if (m_onRequest)
                            m_onRequest(std::string_view(message).substr(1));
                    } else {
                        Type(message);
                    }
                    message.clear();
                }
            }
            DisconnectNamedPipe(m_pipe);
        }
    } catch (...) {
        // Out of memory: the session goes on without its channel.
    }
}

void TypingPipe::Type(std::string_view text)
{
    const std::vector<INPUT_RECORD> records = KeyRecordsFor(text);
    for (size_t at = 0; at < records.size();) {
        DWORD written = 0;
        if (!WriteConsoleInputA(m_input, records.data() + at, DWORD(records.size() - at), &written) || written == 0)
            return;
        at += written;
    }
}

}  // namespace halyard::dosrun
