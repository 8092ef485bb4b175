// Dosrun: "Dosrun [/A:image] [/B:image] [/DEBUG:pipe] [program [arguments]]". A DOS program (.COM, or MZ without a newer header) runs
// in the emulated PC inside this console and its exit code becomes Dosrun's; with no program, a session of the PC's
// own shell runs until EXIT (typed at from its keyboard and from its pipe), and a batch file (.BAT) runs in one until
// it ends; anything else is started directly with the rest of the command line unchanged, and its exit code passed
// on. When the machine has to stop a program (an unsupported service, an undefined instruction), Dosrun says why on
// standard error and ends with 255. The floppy drives are image files: A.IMG beside the program
// unless /A: names one, and B: only when /B: names one. With /DEBUG: the DOS program is debugged
// from the IDE over the pipe it names (debug_pipe.h, core/debugwire/debug_wire.h).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/pc/dos/aliased_files.h"
#include "core/pc/command_line.h"
#include "core/pc/machine.h"
#include "core/pc/program_kind.h"
#include "core/pc/session_path.h"
#include "dosrun/debug_pipe.h"
#include "dosrun/floppy_option.h"
#include "dosrun/pass_through.h"
#include "dosrun/program_file.h"
#include "dosrun/typing_pipe.h"
#include "dosrun/win_clock.h"
#include "dosrun/win_console.h"
#include "dosrun/win_display.h"
#include "dosrun/win_speaker.h"
#include "dosrun/win_files.h"

namespace {

constexpr int kStopped = 255;

// What the options before the program word ask for.
struct Options {
    std::string images[2];  // the floppy images of A: and B:
    std::string debugPipe;  // the debugger's pipe; empty: the program runs on its own
};

std::vector<std::string> Environment()
{
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    if (block == nullptr)
        return entries;
    for (const char* p = block; *p != 0; p += std::strlen(p) + 1) {
        if (*p != '=')  // skip the per-drive folders ("=C:=C:\...")
            entries.emplace_back(p);
    }
    FreeEnvironmentStringsA(block);
    return entries;
}

// Runs the machine to its end, or serves the debugger's pipe while it is debugged.
halyard::dos::RunResult Run(halyard::dos::Machine& machine, const std::string& debugPipe, bool mz)
{
    using namespace halyard;
    if (debugPipe.empty())
        return machine.Run();
    dosrun::DebugPipe pipe(machine);
    dos::RunResult refused;
    if (!pipe.Connect(debugPipe, refused.failure))
        return refused;
    // At the start DS holds the PSP's segment; an .EXE image starts the paragraph after it.
    const uint16_t psp = machine.Processor().regs.seg[dos::kDS];
    dos::DebugSession session(machine, pipe, psp, uint16_t(mz ? psp + 0x10 : psp));
    return session.Serve();
}

// Runs the machine on what `start` loads (a program, or a session of the shell); its exit code.
template <typename Start>
int RunMachine(const std::string& name, const Options& options, bool mz, Start start)
{
    const std::string* images = options.images;
    using namespace halyard;
    dosrun::WinFiles files;
    dosrun::WinConsole console;
    dosrun::WinClock clock;
    dosrun::WinSpeaker speaker;
    dosrun::WinDisplay display;
    dos::Machine machine(files, console, clock);
    const UINT codePage = GetConsoleOutputCP();
    machine.SetCodePage(uint16_t(codePage != 0 ? codePage : GetOEMCP()));
    machine.AttachHost(speaker, display);
    for (unsigned drive = 0; drive < 2; ++drive)
        if (!images[drive].empty())
            machine.SetFloppyImage(drive, images[drive]);
    dos::AliasedFiles aliased(files);
    std::string refusal = start(machine, aliased);
    if (refusal.empty()) {
        const dos::RunResult result = Run(machine, options.debugPipe, mz);
        dosrun::WinConsole::RunEnded();
        if (!console.IsRedirected(dos::Stream::Input))
            display.Linger();
        if (result.exited)
            return result.exitCode;
        refusal = result.failure;
    }
    console.Flush();
    // Standard error is in text mode: each "\n" goes out as CR LF.
    std::fprintf(stderr, "\nDosrun: %s: %s\n", name.c_str(), refusal.c_str());
    return kStopped;
}

int RunDosProgram(halyard::dosrun::ProgramFile& file, bool mz, std::string_view tail, const Options& options)
{
    using namespace halyard;
    return RunMachine(file.path, options, mz, [&](dos::Machine& machine, dos::AliasedFiles& aliased) {
        dos::LoadRequest request;
        request.image = std::move(file.bytes);
        request.mz = mz;
        // The program sees its own name, and the names in its command line, as names DOS can open.
        request.path = aliased.DosPath(file.path);
        request.tail = dos::AliasTail(std::string(tail), aliased);
        request.environment = dos::ShellEnvironment(Environment());
        return machine.Load(request);
    });
}

// A session of the PC's own shell: at its prompt until EXIT, or running one batch file. Its PATH
// is HALYARD_SESSION_PATH's folders when the program that opened it gave them; at the prompt
// it is typed at through its pipe too (typing_pipe.h).
int RunSession(const std::string& command, const Options& options)
{
    using namespace halyard;
    dosrun::TypingPipe typing;
    if (command.empty())
        (void)typing.Start();  // without it the session is typed at from its own keyboard only
    Options session = options;
    session.debugPipe.clear();  // a session is not debugged
    return RunMachine("COMMAND.COM", session, false, [&](dos::Machine& machine, dos::AliasedFiles& aliased) {
        std::vector<std::string> environment = Environment();
        dos::ApplySessionPath(environment, [&](const std::string& folder) { return aliased.DosPath(folder); });
        return machine.StartSession(std::move(environment), dos::AliasTail(command, aliased));
    });
}

bool IsBatchFile(std::string_view name)
{
    return name.size() > 4 && _strnicmp(name.data() + name.size() - 4, ".BAT", 4) == 0;
}

}  // namespace

int main()
{
    using namespace halyard;
    const std::string line = GetCommandLineA();
    dos::CommandLineParts parts;
    Options options;
    std::string rest;
    bool named = dos::SplitCommandLine(line, parts);
    while (named && (dosrun::FloppyOption(parts.program, options.images) ||
                     dosrun::DebugOption(parts.program, options.debugPipe))) {
        rest = "Dosrun" + std::string(parts.tail);
        named = dos::SplitCommandLine(rest, parts);
    }
    if (!named)
        return RunSession({}, options);
    if (IsBatchFile(parts.program))
        return RunSession(std::string(parts.program) + std::string(parts.tail), options);
    dosrun::ProgramFile file;
    if (dosrun::FindProgram(parts.program, file)) {
        const dos::ProgramKind kind = dos::ClassifyProgram(file.bytes.data(), file.bytes.size(), file.path);
        if (kind != dos::ProgramKind::Other)
            return RunDosProgram(file, kind == dos::ProgramKind::Mz, parts.tail, options);
    }
    return dosrun::RunWindowsProgram(parts.program, std::string(parts.fromProgram));
}
