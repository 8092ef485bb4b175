// libFuzzer target for the assembly classifier. The first byte picks the entering state (one of
// the states a file can produce, or the next four bytes raw); the rest is split at LF into lines.
// Each line is checked against the naive model; the runs must stay within three per byte, never
// go backwards and never start on the second byte of a double-byte character; and the states
// computed without runs must be the ones computed with them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/asm/classifier.h"
#include "core/asm/classify_model.h"
#include "core/asm/cp936.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

LineState PickState(const std::uint8_t*& data, std::size_t& size)
{
    static const LineState kStates[] = {0, StateLineComment, StateHashLine, StateBlockComment,
                                        StateDoubleQuoted, StateSingleQuoted, StateHashLine | StateBlockComment};
    if (size == 0)
        return 0;
    const std::uint8_t pick = *data++;
    --size;
    if (pick < 0xF0 || size < 4)
        return kStates[pick % (sizeof kStates / sizeof kStates[0])];
    LineState raw;
    std::memcpy(&raw, data, sizeof raw);
    data += 4;
    size -= 4;
    return raw;
}

// Classifies one line both ways and returns the leaving state.
LineState CheckLine(LineState entering, std::string_view line)
{
    const auto length = std::int32_t(line.size());
    std::vector<ColourRun> runs(RunCapacityFor(length));
    std::int32_t count = 0;
    const LineState leaving = ClassifyLine(entering, line.data(), length, runs.data(), count, std::int32_t(runs.size()));
    std::int32_t untouched = 12345;
    Check(ClassifyLine(entering, line.data(), length, nullptr, untouched, 0) == leaving);
    Check(untouched == 12345);

    const model::Classified expected = model::Classify(entering, line);
    Check(expected.leaving == leaving);
    Check(expected.runs.size() == std::size_t(count));
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    for (std::int32_t r = 0; r < count; ++r) {
        Check(expected.runs[std::size_t(r)].start == runs[std::size_t(r)].start);
        Check(expected.runs[std::size_t(r)].colourIndex == runs[std::size_t(r)].colourIndex);
        Check(r == 0 || runs[std::size_t(r - 1)].start <= runs[std::size_t(r)].start);
        const std::int32_t start = runs[std::size_t(r)].start;
        Check(start >= 0 && start <= length);
        Check(start == length || !IsCp936TrailAt(bytes, start));
    }
    return leaving;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LineState state = PickState(data, size);
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (;;) {
        const std::size_t end = rest.find('\n');
        state = CheckLine(state, rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
