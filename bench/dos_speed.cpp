// The DOS machine's speed: a compute-bound DOS program (arithmetic, memory moves and string
// instructions, assembled at build time) run in our machine, and the same program in dosbox's
// interpreter (no window, fixed cycles so that it runs flat out) in the same run as the reference.
// dosbox's time is its whole run less that of an empty one (its start and end), best of 3; ours
// is the best of 3 runs. Both count the instructions our machine executed.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

#include "core/pc/machine.h"
#include "dos_bench_host.h"

namespace {

using namespace halyard::dos;
using bench::CollectedOutput;
using bench::NoFiles;
using bench::SystemClock;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

struct OurRun {
    double seconds = 0;
    uint64_t instructions = 0;
    std::string output;
};

OurRun RunOurs(const std::vector<uint8_t>& image)
{
    NoFiles files;
    CollectedOutput console;
    SystemClock clock;
    Machine machine(files, console, clock);
    LoadRequest request;
    request.image = image;
    request.path = "C:\\COMPUTE.COM";
    if (const std::string refusal = machine.Load(request); !refusal.empty()) {
        std::fprintf(stderr, "load: %s\n", refusal.c_str());
        std::exit(1);
    }
    const Clock::time_point start = Clock::now();
    const RunResult result = machine.Run();
    OurRun run{Seconds(start), result.instructions, console.output};
    if (!result.exited)
        std::fprintf(stderr, "run: %s\n", result.failure.c_str());
    return run;
}

// dosbox running `command` (or nothing) from a folder holding the program; the program's output.
double RunDosbox(const std::string& folder, const char* command, std::string& output)
{
    const std::string config = folder + "/bench.conf";
    std::ofstream(config) << "[sdl]\noutput=surface\n[mixer]\nnosound=true\n[speaker]\npcspeaker=false\n"
                             "[cpu]\ncore=normal\ncycles=fixed 1000000\n[autoexec]\nmount c "
                          << folder << "\nc:\n" << command << "\nexit\n";
    const std::string line = "cd " + folder + " && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy HOME=" + folder +
                             " timeout -s KILL 300 dosbox -conf bench.conf -exit >/dev/null 2>&1";
    const Clock::time_point start = Clock::now();
    if (std::system(line.c_str()) != 0)
        std::fprintf(stderr, "dosbox did not end cleanly\n");
    const double seconds = Seconds(start);
    std::ifstream result(folder + "/OUT.TXT", std::ios::binary);
    output.assign(std::istreambuf_iterator<char>(result), {});
    return seconds;
}

}  // namespace

int main()
{
    const std::vector<uint8_t> image = bench::ComputeProgram();
    if (image.empty())
        return 1;
    OurRun ours;
    for (int i = 0; i < 3; ++i) {
        const OurRun run = RunOurs(image);
        if (i == 0 || run.seconds < ours.seconds)
            ours = run;
    }
    const double mips = double(ours.instructions) / ours.seconds / 1e6;
    std::printf("ours:   %.1f million instructions per second (%.0f million in %.3f s)\n", mips,
                double(ours.instructions) / 1e6, ours.seconds);

    char folder[] = "/tmp/dosbench-XXXXXX";
    if (mkdtemp(folder) == nullptr || std::system(("cp " HALYARD_BENCH_DOS "/DOS_COMPUTE.COM " + std::string(folder) + "/COMPUTE.COM").c_str()) != 0)
        return 1;
    double empty = 1e9, full = 1e9;
    std::string unused, reference;
    for (int i = 0; i < 3; ++i) {
        empty = std::min(empty, RunDosbox(folder, "REM", unused));
        full = std::min(full, RunDosbox(folder, "COMPUTE.COM > OUT.TXT", reference));
    }
    (void)std::system((std::string("rm -rf ") + folder).c_str());
    if (reference.empty()) {
        std::printf("dosbox: not available\n");
        return 0;
    }
    const double theirs = double(ours.instructions) / (full - empty) / 1e6;
    std::printf("dosbox: %.1f million instructions per second (%.3f s less %.3f s to start and end)\n", theirs, full,
                empty);
    std::printf("ratio:  %.2f times dosbox's speed; results %s\n", mips / theirs,
                reference == ours.output ? "agree" : "DIFFER");
    return 0;
}
