// Loading generated 50 MB assembly-like files (about 1.7 million lines) in each line-end style,
// against reading the same bytes in blocks of the same size and counting their line feeds; the
// 100 MB to 50 MB time ratio; and the bytes held per line after loading beyond the text itself.
// Each time is the best of several rounds of processor time, taken in the same run as its
// reference.
//
// A load writes all of its memory for the first time, a raw pass reuses one block; where the
// first write of a page is slow (virtual machines) that dominates a cold load. The benchmark
// therefore also prints the time to write as many fresh bytes as the buffer holds, and the load
// with the allocator told to keep and reuse freed memory (warm).
#include <malloc.h>

#include <algorithm>
#include <cstring>

#include "buffer_bench_support.h"
#include "core/buffer/line_reader.h"
#include "core/buffer/text_buffer.h"

namespace {

constexpr size_t kMegabyte = 1u << 20;
constexpr int kRounds = 5;

size_t RawPass(const std::string& path)
{
    std::vector<char> block(FILE_BLOCK_SIZE);
    const int fd = open(path.c_str(), O_RDONLY);
    size_t nLf = 0;
    for (ssize_t n; (n = read(fd, block.data(), block.size())) > 0;)
        nLf += static_cast<size_t>(std::count(block.data(), block.data() + n, '\n'));
    close(fd);
    return nLf;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Load {
    double dSeconds = 0;
    int nLines = 0;
    size_t nHeld = 0; // bytes the loaded buffer holds
    size_t nText = 0; // bytes of its lines' text
};

Load LoadOnce(const std::string& path)
{
    bench::CPosixFileSystem fs;
    CTextBuffer buffer;
    Load load;
    const size_t nBefore = HeapInUse();
    load.dSeconds = bench::CpuTimeOnce([&] {
        if (!buffer.LoadFromFile(fs, path.c_str()))
            std::fprintf(stderr, "load of %s failed\n", path.c_str());
    });
    load.nHeld = HeapInUse() - nBefore;
    load.nLines = buffer.GetLineCount();
    for (int i = 0; i < load.nLines; ++i)
        load.nText += static_cast<size_t>(buffer.GetLineLength(i));
    return load;
}

double FreshWrite(size_t nBytes)
{
    char* p = static_cast<char*>(std::malloc(nBytes));
    const double dSeconds = bench::CpuTimeOnce([&] { std::memset(p, 1, nBytes); });
    volatile char chSink = p[nBytes / 2];
    (void)chSink;
    std::free(p);
    return dSeconds;
}

struct Timing {
    double dRaw = 1e9, dLoad = 1e9, dFresh = 1e9;
    Load load;
};

Timing Measure(const std::string& path)
{
    Timing t;
    volatile size_t nSink = 0;
    for (int i = 0; i < kRounds; ++i) {
        t.dRaw = std::min(t.dRaw, bench::CpuTimeOnce([&] { nSink = nSink + RawPass(path); }));
        t.load = LoadOnce(path);
        t.dLoad = std::min(t.dLoad, t.load.dSeconds);
        t.dFresh = std::min(t.dFresh, FreshWrite(t.load.nHeld));
    }
    return t;
}

void PrintLoad(const char* pszWhat, const Timing& t)
{
    const double dMb = 50.0 * kMegabyte / 1e6;
    std::printf("%s: %d lines, raw pass %.1f ms (%.0f MB/s), load %.1f ms (%.0f MB/s), ratio %.2f (target <= 5); "
                "writing %.0f MB of fresh memory %.1f ms\n",
                pszWhat, t.load.nLines, t.dRaw * 1e3, dMb / t.dRaw, t.dLoad * 1e3, dMb / t.dLoad, t.dLoad / t.dRaw,
                t.load.nHeld / 1e6, t.dFresh * 1e3);
}

struct Style {
    const char* pszName;
    const char* pszSeparator;
};

double LoadStyles(const std::string& path, const char* pszWhen)
{
    const Style styles[] = {{"CR LF", "\r\n"}, {"LF CR", "\n\r"}, {"LF", "\n"}};
    double dCrLf = 0;
    for (const Style& style : styles) {
        if (!bench::WriteFileBytes(path, bench::AssemblyText(50 * kMegabyte, style.pszSeparator)))
            return 0;
        const Timing t = Measure(path);
        char szWhat[64];
        std::snprintf(szWhat, sizeof szWhat, "%s load 50 MB %s", pszWhen, style.pszName);
        PrintLoad(szWhat, t);
        if (dCrLf == 0) {
            dCrLf = t.dLoad;
            std::printf("memory: %.1f MB text in %d lines, %.1f MB held: %.1f bytes per line beyond the text "
                        "(target <= 48)\n",
                        t.load.nText / 1e6, t.load.nLines, t.load.nHeld / 1e6,
                        double(t.load.nHeld - t.load.nText) / t.load.nLines);
        }
    }
    return dCrLf;
}

void LoadLarger(const std::string& path, const char* pszWhen, double dLoad50)
{
    if (!bench::WriteFileBytes(path, bench::AssemblyText(100 * kMegabyte, "\r\n")))
        return;
    const Timing t = Measure(path);
    std::printf("%s load 100 MB CR LF: %d lines, load %.1f ms, 100 MB / 50 MB time ratio %.2f (target <= 2.2)\n",
                pszWhen, t.load.nLines, t.dLoad * 1e3, t.dLoad / dLoad50);
}

} // namespace

int main()
{
    const std::string path = "/tmp/halyard-bench-load-" + std::to_string(getpid()) + ".asm";
    LoadLarger(path, "cold", LoadStyles(path, "cold"));
    // From here freed memory stays with the process and the next load writes it again.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    LoadLarger(path, "warm", LoadStyles(path, "warm"));
    std::remove(path.c_str());
    return 0;
}
