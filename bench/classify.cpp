// Classifies every line of a generated 50 MB assembly file (CR LF line ends, code page 936
// comments) and compares with one memchr pass over the same bytes that finds the same lines.
// Prints one line per figure; each figure is the best of several rounds.
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/asm/classifier.h"

namespace {

constexpr std::size_t kTargetBytes = 50u << 20;
constexpr int kRounds = 5;

class Random {
public:
    std::uint32_t Next()
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return std::uint32_t(m_state >> 33);
    }
    template <std::size_t N>
    const char* Pick(const char* const (&items)[N]) { return items[Next() % N]; }

private:
    std::uint64_t m_state = 0x2545F4914F6CDD1Dull;
};

// GBK: 初始化 数据段, 设置计数器, 循环, 输出字符串, 调用, 中文, 世界.
const char* const kChinese[] = {"\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xFD\xBE\xDD\xB6\xCE", "\xC9\xE8\xD6\xC3\xBC\xC6\xCA\xFD\xC6\xF7",
                                "\xD1\xAD\xBB\xB7", "\xCA\xE4\xB3\xF6\xD7\xD6\xB7\xFB\xB4\xAE", "\xB5\xF7\xD3\xC3",
                                "\xD6\xD0\xCE\xC4"};
const char* const kMnemonics[] = {"mov", "add", "sub", "cmp", "jmp", "jne", "call", "push", "pop", "lea",
                                  "int", "loop", "xor", "inc", "dec", "shl", "MOV", "INT", "and", "test"};
const char* const kRegisters[] = {"ax", "bx", "cx", "dx", "si", "di", "al", "ah", "ds", "es", "AX", "DX"};
const char* const kOperands[] = {"21h", "4c00h", "0", "10", "0FFh", "0x1F", "offset msg", "[bx+si]",
                                 "word ptr [bp+4]", "count", "data", "1010b"};

void Append(std::string& text, Random& rng)
{
    char line[160];
    int n = 0;
    switch (rng.Next() % 16) {
    case 0:
        n = std::snprintf(line, sizeof line, "label_%u:", rng.Next() % 10000);
        break;
    case 1:
        n = std::snprintf(line, sizeof line, "; ---- %s %s ----", rng.Pick(kChinese), rng.Pick(kChinese));
        break;
    case 2:
        n = std::snprintf(line, sizeof line, "msg%u db '%s, Hello$', 0dh, 0ah", rng.Next() % 100,
                          rng.Pick(kChinese));
        break;
    case 3:
        n = std::snprintf(line, sizeof line, "code segment");
        break;
    case 4:
        n = std::snprintf(line, sizeof line, "    assume cs:code, ds:data   ; %s", rng.Pick(kChinese));
        break;
    case 5:
        break;  // an empty line
    default:
        n = std::snprintf(line, sizeof line, "    %-6s %s, %s", rng.Pick(kMnemonics), rng.Pick(kRegisters),
                          rng.Pick(kOperands));
        if (rng.Next() % 2 == 0 && n > 0 && n < 100)
            n += std::snprintf(line + n, sizeof line - std::size_t(n), "        ; %s %s", rng.Pick(kChinese),
                               rng.Pick(kChinese));
        break;
    }
    if (n > 0)
        text.append(line, std::size_t(n) < sizeof line ? std::size_t(n) : sizeof line - 1);
    text += "\r\n";
}

std::string MakeFile()
{
    std::string text;
    text.reserve(kTargetBytes + 256);
    Random rng;
    while (text.size() < kTargetBytes)
        Append(text, rng);
    return text;
}

// Calls `perLine(start, length)` for each line, its CR LF not included.
template <typename PerLine>
void ForEachLine(const std::string& text, PerLine perLine)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        const char* next = lf ? lf + 1 : end;
        const char* lineEnd = lf ? lf : end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        perLine(p, std::int32_t(lineEnd - p));
        p = next;
    }
}

template <typename Pass>
double BestMegabytesPerSecond(std::size_t bytes, Pass pass)
{
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        pass();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double rate = double(bytes) / (1024.0 * 1024.0) / took.count();
        if (rate > best)
            best = rate;
    }
    return best;
}

volatile std::uint64_t g_sink;  // keeps the passes from being optimised away

}  // namespace

int main()
{
    const std::string text = MakeFile();
    std::vector<ColourRun> runs(3 * 256);

    const double reference = BestMegabytesPerSecond(text.size(), [&] {
        std::uint64_t lines = 0;
        ForEachLine(text, [&](const char*, std::int32_t length) { lines += std::uint64_t(length) + 1; });
        g_sink = lines;
    });
    const double withRuns = BestMegabytesPerSecond(text.size(), [&] {
        std::uint64_t total = 0;
        LineState state = 0;
        ForEachLine(text, [&](const char* line, std::int32_t length) {
            std::int32_t count = 0;
            state = ClassifyLine(state, line, length, runs.data(), count, std::int32_t(runs.size()));
            total += std::uint64_t(count);
        });
        g_sink = total + state;
    });
    const double statesOnly = BestMegabytesPerSecond(text.size(), [&] {
        LineState state = 0;
        std::int32_t unused = 0;
        ForEachLine(text, [&](const char* line, std::int32_t length) {
            state = ClassifyLine(state, line, length, nullptr, unused, 0);
        });
        g_sink = state;
    });

    std::printf("file: %.1f MB\n", double(text.size()) / (1024.0 * 1024.0));
    std::printf("reference, memchr line split: %.0f MB/s\n", reference);
    std::printf("classify with runs: %.0f MB/s\n", withRuns);
    std::printf("classify with runs / reference: %.1f%%\n", 100.0 * withRuns / reference);
    std::printf("classify states only: %.0f MB/s\n", statesOnly);
    std::printf("classify states only / reference: %.1f%%\n", 100.0 * statesOnly / reference);
    return 0;
}
