#pragma once
// The command shell of a DOS session: a program of the PC like any other (its PSP, memory and
// environment; a loop in ROM that hands each of its steps to this class), which reads a line at
// its prompt, runs internal commands and starts programs through the same INT 21h services a
// program calls, EXEC among them. What programs leave behind (vectors, resident code, memory
// outside what DOS hands out) stays for the next one, until the session ends with EXIT.
//
// A step never waits inside the host: where a service has to wait for a key, the step returns
// and the loop takes it again, so the timer's and the keyboard's interrupts (and the hooks that
// resident programs put on them) run at the prompt too.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/pc/bios/guest.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

class DosKernel;

// `text` in capitals, as DOS compares names and the shell its commands.
std::string Capitals(std::string text);

// The loop in ROM: a host call the machine routes to Shell::Step, then a jump back to it.
inline constexpr uint16_t kShellLoop = 0x0400;
// What the shell's PSP holds as its program: a far jump to the loop.
inline const std::vector<uint8_t> kShellImage = {0xEA, uint8_t(kShellLoop), uint8_t(kShellLoop >> 8), 0x00, 0xF0};
inline constexpr char kShellPath[] = "C:\\COMMAND.COM";

// What one shell of the session holds: a shell that a program starts (COMMAND, COMMAND /C) has
// its own, and the one that started that program gets its own back when it ends.
struct ShellState {
    enum class Phase : uint8_t { Prompt, Reading, Child, Pause, Ask };
    struct Batch {
        std::vector<std::string> lines, arguments;
        size_t next = 0;
    };
    bool m_calling = false;  // CALL: the batch file runs inside the current one, not instead
    uint16_t m_segment = 0;  // the shell's PSP, code, data and stack
    Phase m_phase = Phase::Prompt;
    bool m_started = false;
    std::string m_pending;   // the command line given at the start
    bool m_echo = true;
    bool m_oneCommand = false;  // COMMAND /C: end after the command
    uint8_t m_errorLevel = 0;
    uint16_t m_childEnvironment = 0;
    std::vector<std::pair<std::string, std::string>> m_variables;  // in the order they were set
    std::vector<Batch> m_batches;
    // The line being typed at the prompt: its text, the cursor in it, and the line of the history
    // that Up and Down have reached.
    struct Edit {
        std::string text;
        size_t cursor = 0;
        bool extended = false;  // the next key is an extended key's scan code
        size_t recalled = 0;
    } m_edit;
    // The parts of a command line with redirections or pipes, run one after the other: a part's
    // command, the files its input and output go to (">>" appending), and the pipe file to
    // delete once it ran; or a whole line with its own redirections (FOR's, for each item).
    struct Part {
        std::string command, input, output, remove;
        bool append = false;
        bool whole = false;
    };
    std::vector<Part> m_queue;
    // DIR /P: the listing, the next of its lines to show, and the folder it lists.
    struct Page {
        std::vector<std::string> lines;
        size_t next = 0;
        std::string folder;
    } m_page;
    std::string m_remove;            // the pipe file the running part reads
    int m_saved[2] = {-1, -1};       // standard input and output while a part has them elsewhere
};

class Shell : private ShellState {
public:
    Shell(Guest& guest, DosKernel& dos, TextScreen& screen) : m_guest(guest), m_dos(dos), m_screen(screen) {}

    // Puts the loop into ROM (the machine's start).
    void Install();
    // The session begins with the shell as the first program just loaded: with `command` empty it
    // prompts until EXIT; else it runs that one command line (a batch file's name and arguments,
    // as COMMAND /C does) and ends with its exit code.
    void Begin(const std::string& command);
    // One step of the loop, for the shell whose PSP is the current program's.
    void Step();

private:
    struct Call {
        uint16_t ax = 0, bx = 0, cx = 0, dx = 0;
        bool carry = false;
        bool waiting = false;  // the service waits for a key: the step ends, and is taken again
        bool started = false;  // EXEC started the child: it runs when the step ends
        bool broke = false;    // Ctrl+C: DOS sent the call to INT 23h (the shell drops the line)
    };

    // INT 21h with AX..DX, DS the shell's segment and ES `es` (0: the shell's too), as the shell's
    // program would call it from its loop.
    // The shell of a fresh session at `psp`, running `command` when there is one.
    void Start(uint16_t psp, const std::string& command);
    // The shell at `psp` takes the steps: one resumed, or one that a program has just started.
    void Switch(uint16_t psp);
    // Ctrl+C in a batch file: "Terminate batch job (Y/N)?", then the wait for Y or N.
    void StartAsking();
    void AskToEnd();
    Call Dos(uint16_t ax, uint16_t bx = 0, uint16_t cx = 0, uint16_t dx = 0, uint16_t es = 0);
    uint16_t Segment() const;
    void Print(const std::string& text);
    void PrintLine(const std::string& text) { Print(text + "\r\n"); }
    void ShowPrompt();
    // The next line of the batch file being run, with its parameters put in; false at its end.
    bool NextBatchLine(std::string& line);
    // A line as typed or read from a batch file: echoed there, labels passed over, then run.
    void Execute(std::string line);
    // A command line with its redirections and pipes (shell_redirect.cpp).
    void Dispatch(const std::string& line);
    // One command, its standard handles as they are.
    void RunCommand(const std::string& line);
    void RunQueued();
    // The standard handles back as they were before the command that ended.
    void Restore();
    bool Redirect(int handle, const std::string& name, bool append);
    bool Internal(const std::string& verb, const std::string& rest);
    void RunProgram(const std::string& verb, const std::string& tail);
    // The file a command names: itself when it has an extension, else .COM, .EXE, .BAT, in the
    // current folder and then along PATH; empty when there is none.
    std::string FindProgram(const std::string& verb);
    bool Exists(const std::string& path);
    void StartBatch(const std::string& path, const std::string& tail);
    void ChildEnded();
    // Reads on at the line typed at the prompt, a key at a time (shell_line.cpp): true with `line`
    // once Enter ends it; false while it waits for keys, and when Ctrl+C dropped it.
    bool EditLine(std::string& line);
    // The line on the screen becomes `text`, the cursor at its end.
    void ReplaceLine(const std::string& text);
    void Exit();

    // Internal commands (shell_commands.cpp).
    void Echo(const std::string& rest);
    void Set(const std::string& rest);
    void ChangeFolder(const std::string& rest);
    void Folder(uint8_t function, const std::string& rest);
    void Delete(const std::string& rest);
    void Rename(const std::string& rest);
    void Type(const std::string& rest);
    void Directory(const std::string& rest);
    void ShowPage();
    void Copy(const std::string& rest);
    void Volume(const std::string& rest);
    void Date(const std::string& rest);
    void Time(const std::string& rest);
    // The names of the files that `pattern` matches, with its folder in front.
    std::vector<std::string> Matches(const std::string& pattern);
    void Version();
    void ClearScreen();
    void Path(const std::string& rest);
    // PAUSE: its message, then the wait for a key (Pause, taken again until one comes).
    void StartPause();
    void Pause();

    // Batch files' commands (shell_batch.cpp).
    void Goto(const std::string& rest);
    void Shift();
    void If(const std::string& rest);
    void CallBatch(const std::string& rest);
    void For(const std::string& rest);
    std::string CurrentFolder();
    // Puts `text` as ASCIIZ at `off` in the shell's segment.
    void Put(uint16_t off, const std::string& text);

    std::string Variable(const std::string& name) const;
    std::vector<std::string> Environment() const;
    // The environment for a child: a block the shell allocates (0 when it could not).
    uint16_t WriteEnvironment();

    Guest& m_guest;
    DosKernel& m_dos;
    TextScreen& m_screen;
    // The shells that started another (a program that ran COMMAND), by their PSPs: each goes on
    // when the program it started ends.
    std::map<uint16_t, ShellState> m_suspended;
    std::vector<std::string> m_history;  // the lines entered at every prompt, the newest last
    unsigned m_pipes = 0;
};

}  // namespace halyard::dos
