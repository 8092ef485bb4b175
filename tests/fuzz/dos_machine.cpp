// libFuzzer target for the DOS machine. One machine serves every run, restarted between runs. The
// input is a header, the keys typed, and a program:
//   byte 0: bit 0 chooses the program's form (below); bit 1 makes standard input the keyboard
//           rather than a redirected stream; bits 2-3 how far the clock moves in each of the
//           machine's waits (0, 1, 10 or 55 ms), so that the timer's interrupts come or not;
//   byte 1: the number of keys (low 4 bits), then two bytes for each (a BIOS key code, typed as
//           the presses and releases of its key through the keyboard interrupt);
//   the rest: raw bytes run as a .COM program, or records of four words (AX, BX, CX, DX) that
//           become a program calling INT 21h, INT 10h or INT 16h with those registers (so services
//           get random requests, with DS:DX and ES:BX pointing anywhere in the program's segment).
// Files and console are in memory: nothing outside the machine is touched. Every run must end
// within its instruction budget and its waits, with the machine's own report.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/pc/fake_host.h"

namespace {

using namespace halyard::dos;

constexpr uint64_t kBudget = 20000;
constexpr unsigned kWaits = 64;

struct Pc {
    test::MemoryFiles files;
    test::StringConsole console;
    test::ManualClock clock;
    Machine machine{files, console, clock};
    unsigned waits = 0;
};

std::vector<uint8_t> ServiceCalls(const uint8_t* data, size_t size)
{
    static constexpr uint8_t kVectors[4] = {0x21, 0x21, 0x10, 0x16};
    std::vector<uint8_t> code;
    for (size_t at = 0; at + 8 <= size && code.size() < 0xF000; at += 8) {
        for (uint8_t reg = 0; reg < 4; ++reg) {
            code.push_back(uint8_t(0xB8 + reg));  // MOV AX/CX/DX/BX, imm16
            code.push_back(data[at + reg * 2]);
            code.push_back(data[at + reg * 2 + 1]);
        }
        code.push_back(0xCD);
        code.push_back(kVectors[data[at + 7] & 3]);
    }
    code.push_back(0xCD);
    code.push_back(0x20);
    return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static Pc pc;
    pc.machine.Restart();
    pc.files = test::MemoryFiles();
    pc.console = test::StringConsole();
    pc.clock.now = 1000000;
    pc.files.files["CHILD.COM"] = std::string("\xB8\x07\x4C\xCD\x21", 5);
    pc.files.files["DATA.TXT"] = "line\r\n";
    pc.console.input = "typed\r\n";
    const uint8_t form = data[0];
    pc.console.redirected[0] = !(form & 2);
    static constexpr uint32_t kStepMs[4] = {0, 1, 10, 55};
    const uint32_t step = kStepMs[(form >> 2) & 3];
    pc.waits = 0;
    pc.console.onWait = [step](uint32_t) {
        pc.clock.now += step * 1000ull;
        if (++pc.waits > kWaits)
            pc.console.stopRequest = "the run's waits are used up";
    };
    size_t at = 2;
    for (unsigned k = data[1] & 15; k > 0 && at + 2 <= size; --k, at += 2)
        pc.console.keys.push_back(uint16_t(data[at] | data[at + 1] << 8));
    const uint8_t* rest = data + at;
    const size_t left = size - at;
    const std::vector<uint8_t> program = (form & 1) ? ServiceCalls(rest, left)
                                                    : std::vector<uint8_t>(rest, rest + std::min<size_t>(left, 0xFF00));
    LoadRequest request;
    request.image = program;
    request.path = "C:\\WORK\\TEST.COM";
    request.environment = {"PATH=C:\\BIN"};
    if (!pc.machine.Load(request).empty())
        return 0;
    const RunResult result = pc.machine.Run(kBudget);
    if (result.instructions > kBudget || (!result.exited && result.failure.empty())) {
        std::fprintf(stderr, "dos_machine: the run did not end as it should (%llu instructions)\n",
                     static_cast<unsigned long long>(result.instructions));
        std::abort();
    }
    return 0;
}
