// The debugger's cost: the compute-bound DOS program of the speed benchmark run free, as the
// reference, and run under the debugger with breakpoints set (none of them reached), in the same
// run; best of 3 each. The goal is at least 80% of the free speed.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/pc/debug/debugger.h"
#include "dos_bench_host.h"

namespace {

using namespace halyard::dos;
using Clock = std::chrono::steady_clock;

// Seconds and instructions of one run of `image`, under the debugger when `debugged`.
std::pair<double, uint64_t> RunOnce(const std::vector<uint8_t>& image, bool debugged)
{
    bench::NoFiles files;
    bench::CollectedOutput console;
    bench::SystemClock clock;
    Machine machine(files, console, clock);
    LoadRequest request;
    request.image = image;
    request.path = "C:\\COMPUTE.COM";
    if (!machine.Load(request).empty())
        return {0, 0};
    Debugger debugger(machine);
    for (uint16_t off : {0xFFF0, 0xFFE0, 0xFFD0})
        debugger.SetBreakpoint(0xF000, off, true);
    const Clock::time_point start = Clock::now();
    uint64_t instructions = 0;
    if (debugged) {
        while (debugger.Continue(1000000).reason == StopReason::Paused)
            instructions += 1000000;
    } else {
        instructions = machine.Run().instructions;
    }
    return {std::chrono::duration<double>(Clock::now() - start).count(), instructions};
}

}  // namespace

int main()
{
    const std::vector<uint8_t> image = bench::ComputeProgram();
    if (image.empty())
        return 1;
    double free = 1e9, debugged = 1e9;
    uint64_t instructions = 0;
    for (int i = 0; i < 3; ++i) {
        const auto plain = RunOnce(image, false);
        instructions = plain.second;
        free = std::min(free, plain.first);
        debugged = std::min(debugged, RunOnce(image, true).first);
    }
    std::printf("free:      %.1f million instructions per second\n", double(instructions) / free / 1e6);
    std::printf("debugged:  %.1f million instructions per second, with 3 breakpoints set\n",
                double(instructions) / debugged / 1e6);
    std::printf("ratio:     %.0f%% of the free speed (goal: at least 80%%)\n", free / debugged * 100);
    return 0;
}
