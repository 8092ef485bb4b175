// libFuzzer target for the DOS machine. The first byte chooses the form of the rest: raw bytes run
// as a .COM program, or records of four words (AX, BX, CX, DX) that become a program calling
// INT 21h, INT 10h or INT 16h with those registers (so services get random requests, with DS:DX
// and ES:BX pointing anywhere in the program's segment). Files and console are in memory: nothing
// outside the machine is touched. Every run must end within its instruction budget, with the
// machine's own report.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/pc/fake_host.h"

namespace {

constexpr uint64_t kBudget = 200000;

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
    using namespace halyard::dos;
    if (size < 1)
        return 0;
    test::TestMachine t;
    t.files.files["CHILD.COM"] = std::string("\xB8\x07\x4C\xCD\x21", 5);
    t.files.files["DATA.TXT"] = "line\r\n";
    t.console.input = "typed\r\n";
    const std::vector<uint8_t> program = (data[0] & 1) ? ServiceCalls(data + 1, size - 1)
                                                       : std::vector<uint8_t>(data + 1, data + std::min<size_t>(size, 0xFF00));
    if (!t.Load(program).empty())
        return 0;
    const RunResult result = t.machine.Run(kBudget);
    if (result.instructions > kBudget || (!result.exited && result.failure.empty())) {
        std::fprintf(stderr, "dos_machine: the run did not end as it should (%llu instructions)\n",
                     static_cast<unsigned long long>(result.instructions));
        std::abort();
    }
    return 0;
}
