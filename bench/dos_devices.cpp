// The machine's devices at work, on the host's real clock: how much of a core a program takes
// while it waits two seconds (36 timer ticks) in the ways DOS programs wait, against a loop that
// computes for the same time (the reference: one whole core); and how many frames a second a
// mode 13h loop writing all 64,000 pixels a frame keeps up, against the 30 the labs need, with
// each frame made into the window's pixels as Dosrun shows it.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/pc/machine.h"
#include "dos_bench_host.h"

namespace {

using namespace halyard::dos;
using Clock = std::chrono::steady_clock;

// A console window with no key pressed: the machine's waits sleep.
class QuietConsole final : public HostConsole {
public:
    bool IsRedirected(Stream stream) override { return stream != Stream::Input; }
    uint32_t ReadInput(uint8_t*, uint32_t) override { return 0; }
    void WriteStream(Stream, const uint8_t*, uint32_t) override {}
    void WriteText(const uint8_t*, uint32_t) override {}
    void ShowScreen(const uint8_t*, unsigned, unsigned) override {}
    bool KeysMayCome() override { return false; }
    void Flush() override {}
    void Wait(uint32_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

class SteadyClock final : public HostClock {
public:
    LocalTime Now() override { return {2026, 1, 5, 1, 12, 0, 0, 0}; }
    uint64_t Microseconds() override
    {
        return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count());
    }
};

// Takes each frame as the window would: a copy of its pixels.
class FrameCopy final : public HostDisplay {
public:
    unsigned frames = 0;
    std::vector<uint32_t> last;
    void Show(const uint32_t* pixels, unsigned width, unsigned height, const char*) override
    {
        last.assign(pixels, pixels + size_t(width) * height);
        ++frames;
    }
    void Close() override {}
    bool NextKeyEvent(KeyEvent&) override { return false; }
    MouseState Mouse() override { return {}; }
    bool Closed() override { return false; }
};

struct Measured {
    double wall = 0, cpu = 0;
    uint64_t instructions = 0;
    unsigned shown = 0;
};

Measured Run(const char* name)
{
    std::ifstream file(std::string(HALYARD_BENCH_DOS "/") + name, std::ios::binary);
    LoadRequest request;
    request.image.assign(std::istreambuf_iterator<char>(file), {});
    request.path = std::string("C:\\") + name;
    bench::NoFiles files;
    QuietConsole console;
    SteadyClock clock;
    FrameCopy display;
    SilentSpeaker speaker;
    Machine machine(files, console, clock);
    machine.AttachHost(speaker, display);
    if (request.image.empty() || !machine.Load(request).empty()) {
        std::fprintf(stderr, "cannot load %s\n", name);
        std::exit(1);
    }
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const RunResult result = machine.Run();
    Measured m;
    m.cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    m.wall = std::chrono::duration<double>(Clock::now() - start).count();
    m.instructions = result.instructions;
    m.shown = display.frames;
    if (!result.exited)
        std::fprintf(stderr, "%s: %s\n", name, result.failure.c_str());
    return m;
}

// The reference: a loop that computes for `seconds`, measured the same way.
double BusyShare(double seconds)
{
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    volatile uint64_t sink = 0;
    while (std::chrono::duration<double>(Clock::now() - start).count() < seconds)
        for (int i = 0; i < 10000; ++i)
            sink = sink + uint64_t(i);
    return double(std::clock() - cpuStart) / CLOCKS_PER_SEC / seconds;
}

}  // namespace

int main()
{
    std::printf("busy loop (reference):        %3.0f%% of a core\n", BusyShare(2.0) * 100);
    const struct {
        const char* program;
        const char* what;
    } waits[] = {
        {"DOS_POLL_KEYS.COM", "polling INT 16h AH=01"},
        {"DOS_POLL_TICKS.COM", "polling INT 1Ah AH=00"},
        {"DOS_POLL_DOS.COM", "polling INT 21h AH=0Bh"},
        {"DOS_HALT_TICKS.COM", "halting between ticks"},
        {"DOS_POLL_MEMORY.COM", "reading 40:6Ch in a loop"},
    };
    for (const auto& w : waits) {
        const Measured m = Run(w.program);
        std::printf("36 ticks %-25s %3.0f%% of a core (%.2f s)\n", w.what, m.cpu / m.wall * 100, m.wall);
    }
    const Measured draw = Run("DOS_DRAW13.COM");
    std::printf("mode 13h, 64,000 pixels a frame: %.0f frames a second (30 needed); %.0f million instructions a "
                "second, %u frames shown\n",
                90 / draw.wall, double(draw.instructions) / draw.wall / 1e6, draw.shown);
    const Measured pixels = Run("DOS_PIXELS12.COM");
    std::printf("mode 12h, 307,200 pixels through INT 10h AH=0Ch: %.2f s (%.0f thousand calls a second)\n",
                pixels.wall, 307.2 / pixels.wall);
    return 0;
}
