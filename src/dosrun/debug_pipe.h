#pragma once
// The debugger's end of the channel in Dosrun: "/DEBUG:<pipe>" names a pipe that the IDE serves
// (duplex, byte mode). Dosrun connects to it, a thread of its own reads the IDE's lines into a
// queue, and the machine's thread takes them from there. While the program runs, a "pause" or
// "kill" pauses the machine at once. While it waits for a request, the graphics window (a window
// of this thread) is kept painted.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "core/pc/debug/debug_session.h"

namespace halyard::dosrun {

// True when `word` is Dosrun's option "/DEBUG:<pipe>" (any case); the pipe's name goes to `pipe`.
bool DebugOption(const std::string& word, std::string& pipe);

class DebugPipe final : public dos::DebugLink {
public:
    explicit DebugPipe(dos::Machine& machine) : m_machine(machine) {}
    DebugPipe(const DebugPipe&) = delete;
    DebugPipe& operator=(const DebugPipe&) = delete;
    ~DebugPipe();

    // Connects to the pipe and starts reading; false with `error` set when it cannot.
    [[nodiscard]] bool Connect(const std::string& name, std::string& error);

    std::optional<debugwire::Message> Next() override;
    void Send(const debugwire::Message& message) override;
    void Running(bool running) override;

private:
    void Read();
    void Arrived(const std::string& line);
    // Waits for the queue's event, dispatching this thread's window messages meanwhile.
    void WaitForRequest();

    dos::Machine& m_machine;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    HANDLE m_stop = nullptr;     // manual-reset: Dosrun is ending
    HANDLE m_queued = nullptr;   // auto-reset: a line was queued, or the pipe ended
    std::mutex m_lock;
    std::deque<std::string> m_lines;  // guarded by m_lock
    bool m_ended = false;             // guarded by m_lock: no more lines will come
    bool m_running = false;           // guarded by m_lock
    std::thread m_reader;
};

}  // namespace halyard::dosrun
