// The debugger's cost: the compute-bound DOS program of the speed benchmark run free, as the
// reference, and run under the debugger with breakpoints set (none of them reached), without and
// with the step-back history, in the same run; best of 3 each. The goal is at least 80% of the
// free speed.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/pc/debug/debugger.h"
#include "dos_bench_host.h"

namespace {

using namespace halyard::dos;
using Clock = std::chrono::steady_clock;

enum class Mode { Free, Breakpoints, History };

// Seconds and instructions of one run of `image`.
std::pair<double, uint64_t> RunOnce(const std::vector<uint8_t>& image, Mode mode)
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
    debugger.KeepHistory(mode == Mode::History);
    for (uint16_t off : {0xFFF0, 0xFFE0, 0xFFD0})
        debugger.SetBreakpoint(0xF000, off, true);
    const Clock::time_point start = Clock::now();
    uint64_t instructions = 0;
    if (mode != Mode::Free) {
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
    double free = 1e9, debugged = 1e9, history = 1e9;
    uint64_t instructions = 0;
    for (int i = 0; i < 3; ++i) {
        const auto plain = RunOnce(image, Mode::Free);
        instructions = plain.second;
        free = std::min(free, plain.first);
        debugged = std::min(debugged, RunOnce(image, Mode::Breakpoints).first);
        history = std::min(history, RunOnce(image, Mode::History).first);
    }
    const auto mips = [&](double seconds) { return double(instructions) / seconds / 1e6; };
    std::printf("free:      %.1f million instructions per second\n", mips(free));
    std::printf("debugged:  %.1f million instructions per second, with 3 breakpoints set (%.0f%%)\n", mips(debugged),
                free / debugged * 100);
    std::printf("history:   %.1f million instructions per second, and the step-back history on (%.0f%%)\n",
                mips(history), free / history * 100);
    std::printf("goal:      at least 80%% of the free speed\n");
    return 0;
}
