#pragma once
// The typing channel of a DOS session. While Dosrun runs a session with no command, it serves the
// named pipe \\.\pipe\Dosrun-session-<its process id> (inbound, message mode, local clients of
// the same user only). Each message written to it is text that is typed at the session as if on
// the keyboard: every byte becomes the key records of its key (its virtual key and scan code,
// Shift pressed around it where the character needs it) written into this console's input, and
// CR, LF or CR LF is one Enter. The PC takes them as it takes any key, through its keyboard
// interrupt and the BIOS's buffer; what a busy program does not read waits there as typed-ahead
// keys. A byte no key types (above 127) arrives as a character alone. One client at a time;
// when it closes the pipe the next may connect.
//
// A message that starts with a NUL byte is no typing but a request to the session itself:
// "\0DEBUG:<pipe> <file name>" asks that the next program of that file name (such as USER.EXE)
// started in the session be debugged over that pipe (debug_pipe.h): it goes to the handler given
// to Start.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace halyard::dosrun {

// The key records (presses and releases) that type `text`.
std::vector<INPUT_RECORD> KeyRecordsFor(std::string_view text);

class TypingPipe {
public:
    TypingPipe() = default;
    TypingPipe(const TypingPipe&) = delete;
    TypingPipe& operator=(const TypingPipe&) = delete;
    // Stops the thread: signals it, waits for it, then closes the handles.
    ~TypingPipe();

    // Opens this process's pipe and serves it on a background thread; false when the pipe or
    // the console's input cannot be opened (the session then runs without the channel).
    [[nodiscard]] bool Start(std::function<void(std::string_view)> onRequest = {});

private:
    enum class Chunk { Whole, Part, End };  // a message's last part, an earlier one, no more

    void Serve();
    bool Connect();
    Chunk ReadChunk(char* chunk, DWORD size, DWORD& done);
    // False when the stop came first (what was under way is cancelled).
    bool Arrived(OVERLAPPED& pending);
    void Type(std::string_view text);

    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    HANDLE m_input = INVALID_HANDLE_VALUE;  // this console's input, where the keys go
    HANDLE m_stop = nullptr;                // manual-reset: set when Dosrun ends
    HANDLE m_ready = nullptr;               // the event of the connect or read under way
    std::thread m_thread;
    std::function<void(std::string_view)> m_onRequest;  // called on the pipe's thread
};

}  // namespace halyard::dosrun
