// The session's shell: its loop, the line it reads or takes from a batch file, and the programs
// it starts.
#include "core/pc/dos/shell.h"

#include <algorithm>
#include <cctype>

#include "core/pc/dos/dos_kernel.h"
#include "core/pc/dos/loader.h"

namespace halyard::dos {
namespace {

// The shell's buffers in its own segment (its PSP's; the stack is at the segment's top).
constexpr uint16_t kLine = 0x0200, kPath = 0x0300, kTail = 0x0400, kParameters = 0x0480, kIo = 0x1000;
// Where SI and DI point in every call: a folder's name (47h) and a second name (56h).
constexpr uint16_t kSiBuffer = 0x0580, kPath2 = 0x0380;
constexpr uint16_t kIoSize = 0x7000;
constexpr uint8_t kLineLimit = 127;
constexpr uint16_t kShellParagraphs = 0x1000;  // the 64 KB the shell keeps of the memory it is given

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string Capitals(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void Shell::Install()
{
    const uint8_t loop[] = {kHostCall0, kHostCall1, 0xFF, 0xEB, 0xFB};  // host call; JMP to it
    m_guest.mem.CopyIn(kRomSegment, kShellLoop, loop, sizeof loop);
}

void Shell::Begin(const std::string& command)
{
    m_suspended.clear();
    Start(m_guest.R().seg[kDS], command);
}

void Shell::Start(uint16_t psp, const std::string& command)
{
    static_cast<ShellState&>(*this) = ShellState{};
    m_segment = psp;
    for (const std::string& entry : EnvironmentStrings(m_guest.mem, m_guest.mem.Read16(m_segment, kPspEnvironment))) {
        const size_t equals = entry.find('=');
        if (equals != std::string::npos && equals > 0)
            m_variables.emplace_back(Capitals(entry.substr(0, equals)), entry.substr(equals + 1));
    }
    m_pending = command;
    m_oneCommand = !command.empty();
}

void Shell::Switch(uint16_t psp)
{
    if (m_segment != 0)
        m_suspended[m_segment] = static_cast<ShellState&>(*this);
    const auto found = m_suspended.find(psp);
    if (m_dos.TakeStartedShell() != psp && found != m_suspended.end()) {
        static_cast<ShellState&>(*this) = std::move(found->second);
        m_suspended.erase(found);
        return;
    }
    // A program ran COMMAND: its tail is "/C command" for one command, else it prompts until EXIT.
    Memory& mem = m_guest.mem;
    bool complete = false;
    const std::string tail = Trim(mem.ReadString(psp, kPspTail + 1, mem.Read8(psp, kPspTail), '\r', complete));
    const bool one = tail.size() >= 2 && tail[0] == '/' && std::toupper(static_cast<unsigned char>(tail[1])) == 'C';
    Start(psp, one ? Trim(tail.substr(2)) : std::string());
    m_oneCommand = one;
    if (!one)
        PrintLine("");
}

uint16_t Shell::Segment() const { return m_segment; }

Shell::Call Shell::Dos(uint16_t ax, uint16_t bx, uint16_t cx, uint16_t dx, uint16_t es)
{
    Registers& R = m_guest.R();
    Memory& mem = m_guest.mem;
    const Registers saved = R;
    R.r[kAX] = ax;
    R.r[kBX] = bx;
    R.r[kCX] = cx;
    R.r[kDX] = dx;
    R.r[kSI] = kSiBuffer;
    R.r[kDI] = kPath2;
    R.seg[kDS] = m_segment;
    R.seg[kES] = es != 0 ? es : m_segment;
    // The frame of an INT 21h made from the loop: the service returns there, and so does a child
    // that EXEC starts, when it ends.
    R.r[kSP] = uint16_t(R.r[kSP] - 6);
    mem.Write16(R.seg[kSS], R.r[kSP], kShellLoop);
    mem.Write16(R.seg[kSS], uint16_t(R.r[kSP] + 2), kRomSegment);
    mem.Write16(R.seg[kSS], uint16_t(R.r[kSP] + 4), 0x0202);
    const uint16_t breakIp = mem.Read16(0, 0x23 * 4), breakCs = mem.Read16(0, 0x23 * 4 + 2);
    m_dos.Int21();
    Call call;
    if (m_guest.ended)
        return call;
    call.broke = R.ip == breakIp && R.seg[kCS] == breakCs;
    // EXEC leaves the child's entry in an IRET frame on the child's stack: the loop has no IRET,
    // so it is taken here.
    call.started = !call.broke && R.seg[kSS] != saved.seg[kSS];
    if (call.started) {
        R.ip = mem.Read16(R.seg[kSS], R.r[kSP]);
        R.seg[kCS] = mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 2));
        R.flags.Set(mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 4)));
        R.r[kSP] = uint16_t(R.r[kSP] + 6);
        return call;
    }
    call.waiting = m_guest.cpu.Halted();
    call.carry = (mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 4)) & kCF) != 0;
    call.ax = R.r[kAX];
    call.bx = R.r[kBX];
    call.cx = R.r[kCX];
    call.dx = R.r[kDX];
    const uint16_t ip = R.ip;
    R = saved;
    if (call.waiting) {
        R.ip = ip;
        R.flags.SetControl(kIF, true);
    }
    return call;
}

void Shell::Put(uint16_t off, const std::string& text)
{
    m_guest.mem.WriteString(m_segment, off, text);
    m_guest.mem.Write8(m_segment, uint16_t(off + text.size()), 0);
}

void Shell::Print(const std::string& text)
{
    for (size_t at = 0; at < text.size(); at += kIoSize) {
        const std::string part = text.substr(at, kIoSize);
        m_guest.mem.WriteString(m_segment, kIo, part);
        Dos(0x4000, 1, uint16_t(part.size()), kIo);
    }
}

void Shell::ShowPrompt()
{
    const std::string format = Variable("PROMPT").empty() ? "$P$G" : Variable("PROMPT");
    std::string prompt;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '$' || i + 1 == format.size()) {
            prompt.push_back(format[i]);
            continue;
        }
        switch (std::toupper(static_cast<unsigned char>(format[++i]))) {
        case 'P': prompt += CurrentFolder(); break;
        case 'N': prompt += CurrentFolder().substr(0, 1); break;
        case 'G': prompt += '>'; break;
        case 'L': prompt += '<'; break;
        case 'B': prompt += '|'; break;
        case 'Q': prompt += '='; break;
        case '$': prompt += '$'; break;
        case '_': prompt += "\r\n"; break;
        case 'V': prompt += "MS-DOS Version 5.00"; break;
        default: break;
        }
    }
    Print(prompt);
}

void Shell::Step()
{
    if (const uint16_t psp = m_dos.CurrentPsp(); psp != m_segment)
        Switch(psp);
    switch (m_phase) {
    case Phase::Child: ChildEnded(); return;
    case Phase::Pause: Pause(); return;
    case Phase::Ask: AskToEnd(); return;
    case Phase::Prompt:
        if (!m_started) {
            m_started = true;
            Dos(0x4A00, kShellParagraphs, 0, 0, m_segment);  // leave the rest of memory to programs
        }
        if (!m_queue.empty()) {
            RunQueued();
            return;
        }
        if (!m_pending.empty()) {
            std::string line;
            line.swap(m_pending);
            Execute(line);
            return;
        }
        if (!m_batches.empty()) {
            std::string line;
            if (Dos(0x0B00).broke)  // Ctrl+C between the batch file's lines
                StartAsking();
            else if (NextBatchLine(line))
                Execute(line);
            else
                m_batches.pop_back();
            return;
        }
        if (m_oneCommand) {
            Exit();
            return;
        }
        ShowPrompt();
        m_phase = Phase::Reading;
        m_edit = {};
        m_edit.recalled = m_history.size();
        [[fallthrough]];
    case Phase::Reading: {
        std::string line;
        if (!EditLine(line))
            return;
        m_phase = Phase::Prompt;
        Execute(line);
        return;
    }
    }
}

void Shell::Execute(std::string line)
{
    line = Trim(line);
    const bool quiet = !line.empty() && line[0] == '@';
    if (quiet)
        line = Trim(line.substr(1));
    if (!m_batches.empty() && m_echo && !quiet && !line.empty() && line[0] != ':') {
        ShowPrompt();
        PrintLine(line);
    }
    if (line.empty() || line[0] == ':')
        return;
    Dispatch(line);
}

void Shell::RunCommand(const std::string& line)
{
    size_t end = line.find_first_not_of(" \t");
    if (end == std::string::npos)
        return;
    const size_t start = end;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '/' &&
           !(end > start && (line[end] == '\\' || line[end] == '.') && Capitals(line.substr(start, end - start)) == "CD"))
        ++end;
    const std::string verb = line.substr(start, end - start);
    if (!Internal(Capitals(verb), line.substr(end)))
        RunProgram(verb, line.substr(end));
}

bool Shell::Internal(const std::string& verb, const std::string& raw)
{
    const std::string rest = Trim(raw);
    if (verb.size() == 2 && verb[1] == ':' && std::isalpha(static_cast<unsigned char>(verb[0]))) {
        const uint8_t drive = uint8_t(verb[0] - 'A');
        Dos(0x0E00, 0, 0, drive);
        if (uint8_t(Dos(0x1900).ax) != drive)
            PrintLine("Invalid drive");
        return true;
    }
    // Each command with what it is given: the words after it, and (for ECHO) the line as typed.
    using Run = void (*)(Shell&, const std::string& rest, const std::string& raw);
    static const struct {
        const char* name;
        Run run;
    } kCommands[] = {
        {"ECHO", [](Shell& s, const std::string&, const std::string& r) { s.Echo(r.empty() ? r : r.substr(1)); }},
        {"REM", [](Shell&, const std::string&, const std::string&) {}},
        {"VER", [](Shell& s, const std::string&, const std::string&) { s.Version(); }},
        {"CD", [](Shell& s, const std::string& a, const std::string&) { s.ChangeFolder(a); }},
        {"CHDIR", [](Shell& s, const std::string& a, const std::string&) { s.ChangeFolder(a); }},
        {"MD", [](Shell& s, const std::string& a, const std::string&) { s.Folder(0x39, a); }},
        {"MKDIR", [](Shell& s, const std::string& a, const std::string&) { s.Folder(0x39, a); }},
        {"RD", [](Shell& s, const std::string& a, const std::string&) { s.Folder(0x3A, a); }},
        {"RMDIR", [](Shell& s, const std::string& a, const std::string&) { s.Folder(0x3A, a); }},
        {"DEL", [](Shell& s, const std::string& a, const std::string&) { s.Delete(a); }},
        {"ERASE", [](Shell& s, const std::string& a, const std::string&) { s.Delete(a); }},
        {"REN", [](Shell& s, const std::string& a, const std::string&) { s.Rename(a); }},
        {"RENAME", [](Shell& s, const std::string& a, const std::string&) { s.Rename(a); }},
        {"TYPE", [](Shell& s, const std::string& a, const std::string&) { s.Type(a); }},
        {"DIR", [](Shell& s, const std::string& a, const std::string&) { s.Directory(a); }},
        {"SET", [](Shell& s, const std::string& a, const std::string&) { s.Set(a); }},
        {"PATH", [](Shell& s, const std::string& a, const std::string&) { s.Path(a); }},
        {"PROMPT", [](Shell& s, const std::string& a, const std::string&) { s.Set("PROMPT=" + a); }},
        {"EXIT", [](Shell& s, const std::string&, const std::string&) { s.Exit(); }},
        {"CLS", [](Shell& s, const std::string&, const std::string&) { s.ClearScreen(); }},
        {"PAUSE", [](Shell& s, const std::string&, const std::string&) { s.StartPause(); }},
        {"GOTO", [](Shell& s, const std::string& a, const std::string&) { s.Goto(a); }},
        {"SHIFT", [](Shell& s, const std::string&, const std::string&) { s.Shift(); }},
        {"IF", [](Shell& s, const std::string& a, const std::string&) { s.If(a); }},
        {"CALL", [](Shell& s, const std::string& a, const std::string&) { s.CallBatch(a); }},
        {"FOR", [](Shell& s, const std::string& a, const std::string&) { s.For(a); }},
        {"COPY", [](Shell& s, const std::string& a, const std::string&) { s.Copy(a); }},
        {"VOL", [](Shell& s, const std::string& a, const std::string&) { s.Volume(a); }},
        {"DATE", [](Shell& s, const std::string& a, const std::string&) { s.Date(a); }},
        {"TIME", [](Shell& s, const std::string& a, const std::string&) { s.Time(a); }},
    };
    for (const auto& command : kCommands) {
        if (verb == command.name) {
            command.run(*this, rest, raw);
            return true;
        }
    }
    return false;
}

void Shell::Path(const std::string& rest)
{
    if (rest.empty())
        PrintLine(Variable("PATH").empty() ? "No Path" : "PATH=" + Variable("PATH"));
    else
        Set("PATH=" + (rest == ";" ? std::string() : Capitals(rest)));
}

void Shell::StartPause()
{
    PrintLine("Press any key to continue . . .");
    m_phase = Phase::Pause;
    Pause();
}

bool Shell::Exists(const std::string& path)
{
    Put(kPath, path);
    const Call call = Dos(0x4300, 0, 0, kPath);
    return !call.carry && !(call.cx & kAttrDirectory);
}

std::string Shell::FindProgram(const std::string& verb)
{
    const std::string name = Capitals(verb);
    const size_t slash = name.find_last_of("\\:");
    const bool hasExtension = name.find('.', slash == std::string::npos ? 0 : slash) != std::string::npos;
    std::vector<std::string> folders = {""};
    if (slash == std::string::npos) {
        const std::string path = Variable("PATH");
        for (size_t at = 0; at <= path.size();) {
            const size_t semicolon = std::min(path.find(';', at), path.size());
            std::string folder = Trim(path.substr(at, semicolon - at));
            if (!folder.empty())
                folders.push_back(folder.back() == '\\' ? folder : folder + "\\");
            at = semicolon + 1;
        }
    }
    for (const std::string& folder : folders) {
        if (hasExtension) {
            if (Exists(folder + name))
                return folder + name;
            continue;
        }
        for (const char* extension : {".COM", ".EXE", ".BAT"})
            if (Exists(folder + name + extension))
                return folder + name + extension;
    }
    // No COMMAND.COM on the disk: the shell answers for the one COMSPEC names.
    return name == "COMMAND" || name == "COMMAND.COM" ? kShellPath : std::string();
}

void Shell::RunProgram(const std::string& verb, const std::string& tail)
{
    const std::string path = FindProgram(verb);
    if (path.empty()) {
        PrintLine("Bad command or file name");
        return;
    }
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".BAT") == 0) {
        StartBatch(path, tail);
        return;
    }
    Memory& mem = m_guest.mem;
    const std::string typed = tail.substr(0, kTailLimit);
    mem.Write8(m_segment, kTail, uint8_t(typed.size()));
    mem.WriteString(m_segment, kTail + 1, typed + "\r");
    m_childEnvironment = WriteEnvironment();
    const uint16_t block[7] = {m_childEnvironment, kTail, m_segment, kPspFcb1, m_segment, kPspFcb2, m_segment};
    for (unsigned i = 0; i < 7; ++i)
        mem.Write16(m_segment, uint16_t(kParameters + i * 2), block[i]);
    // The FCBs DOS's shell fills from the tail: the child's PSP gets them from the kernel.
    for (const uint16_t fcb : {kPspFcb1, kPspFcb2}) {
        mem.Write8(m_segment, fcb, 0);
        mem.WriteString(m_segment, uint16_t(fcb + 1), std::string(11, ' '));
    }
    Put(kPath, path);
    m_phase = Phase::Child;
    const Call call = Dos(0x4B00, kParameters, 0, kPath);
    if (call.started)
        return;
    m_phase = Phase::Prompt;
    if (m_childEnvironment != 0)
        Dos(0x4900, 0, 0, 0, m_childEnvironment);
    m_childEnvironment = 0;
    PrintLine(call.ax == kErrNotEnoughMemory ? "Program too big to fit in memory" : "Bad command or file name");
}

void Shell::ChildEnded()
{
    m_phase = Phase::Prompt;
    Restore();
    const uint16_t result = Dos(0x4D00).ax;
    m_errorLevel = uint8_t(result);
    if (result >> 8 == kEndedOnBreak && !m_batches.empty())
        StartAsking();
    if (m_childEnvironment != 0)
        Dos(0x4900, 0, 0, 0, m_childEnvironment);
    m_childEnvironment = 0;
}

void Shell::Exit()
{
    const uint8_t code = m_errorLevel;
    m_segment = 0;  // this shell is gone: the next step is its parent's
    Dos(uint16_t(0x4C00 | code));
}

void Shell::StartAsking()
{
    Print("Terminate batch job (Y/N)? ");
    m_phase = Phase::Ask;
    AskToEnd();
}

void Shell::AskToEnd()
{
    const Call key = Dos(0x0700);
    if (key.waiting || m_guest.ended)
        return;
    const char answer = char(std::toupper(uint8_t(key.ax)));
    if (answer != 'Y' && answer != 'N')
        return;  // asked again, as DOS does, until one of the two
    PrintLine(std::string(1, answer));
    m_phase = Phase::Prompt;
    if (answer == 'Y')
        m_batches.clear();
}

std::string Shell::Variable(const std::string& name) const
{
    for (const auto& [key, value] : m_variables)
        if (key == name)
            return value;
    return {};
}

std::vector<std::string> Shell::Environment() const
{
    std::vector<std::string> entries;
    for (const auto& [key, value] : m_variables)
        entries.push_back(key + "=" + value);
    return entries;
}

uint16_t Shell::WriteEnvironment()
{
    std::string block;
    for (const std::string& entry : Environment())
        if (block.size() + entry.size() + 2 < kEnvironmentLimit)
            block += entry + '\0';
    block += '\0';
    const Call call = Dos(0x4800, uint16_t((block.size() + 15) / 16));
    if (call.carry)
        return 0;
    m_guest.mem.WriteString(call.ax, 0, block);
    return call.ax;
}

void Shell::StartBatch(const std::string& path, const std::string& tail)
{
    Put(kPath, path);
    const Call open = Dos(0x3D00, 0, 0, kPath);
    if (open.carry) {
        PrintLine("Batch file missing");
        return;
    }
    std::string text;
    for (;;) {
        const Call read = Dos(0x3F00, open.ax, kIoSize, kIo);
        if (read.carry || read.ax == 0)
            break;
        for (uint16_t i = 0; i < read.ax; ++i)
            text.push_back(char(m_guest.mem.Read8(m_segment, uint16_t(kIo + i))));
    }
    Dos(0x3E00, open.ax);
    if (!m_batches.empty() && !m_calling)
        m_batches.pop_back();  // a batch file named in another takes its place
    m_calling = false;
    Batch batch;
    batch.arguments.push_back(path);
    for (size_t at = 0; at < tail.size();) {
        const size_t start = tail.find_first_not_of(" \t,;=", at);
        if (start == std::string::npos)
            break;
        const size_t end = std::min(tail.find_first_of(" \t,;=", start), tail.size());
        batch.arguments.push_back(tail.substr(start, end - start));
        at = end;
    }
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find_first_of("\r\n\x1A", at);
        if (end == std::string::npos)
            end = text.size();
        batch.lines.push_back(text.substr(at, end - at));
        if (end < text.size() && text[end] == '\x1A')
            break;
        at = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    m_batches.push_back(std::move(batch));
}

bool Shell::NextBatchLine(std::string& line)
{
    Batch& batch = m_batches.back();
    if (batch.next >= batch.lines.size())
        return false;
    const std::string& raw = batch.lines[batch.next++];
    line.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%' || i + 1 >= raw.size()) {
            line.push_back(raw[i]);
            continue;
        }
        const char next = raw[i + 1];
        if (next == '%') {
            line.push_back('%');
            ++i;
        } else if (next >= '0' && next <= '9') {
            const size_t n = size_t(next - '0');
            if (n < batch.arguments.size())
                line += batch.arguments[n];
            ++i;
        } else {
            const size_t close = raw.find('%', i + 1);
            if (close == std::string::npos) {
                line.push_back('%');
                continue;
            }
            line += Variable(Capitals(raw.substr(i + 1, close - i - 1)));
            i = close;
        }
    }
    return true;
}

}  // namespace halyard::dos
