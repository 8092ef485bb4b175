#pragma once
// Calls the real classifier the way a view does (room for three runs a byte, count from 0) and
// returns what it wrote, for comparison with expected rows and with the model. The line is copied
// into a buffer of exactly its size, so that the address sanitizer catches a read past its end.
#include <ostream>
#include <string_view>
#include <vector>

#include "core/asm/classifier.h"
#include "core/asm/line_state.h"

inline bool operator==(const ColourRun& a, const ColourRun& b)
{
    return a.start == b.start && a.colourIndex == b.colourIndex;
}

inline std::ostream& operator<<(std::ostream& out, const ColourRun& run)
{
    return out << '(' << run.start << ',' << run.colourIndex << ')';
}

struct RealResult {
    std::vector<ColourRun> runs;
    LineState leaving = 0;
};

inline RealResult ClassifyReal(LineState entering, std::string_view line)
{
    const std::vector<char> bytes(line.begin(), line.end());
    const auto length = std::int32_t(line.size());
    std::vector<ColourRun> room(RunCapacityFor(length));
    std::int32_t count = 0;
    RealResult result;
    result.leaving = ClassifyLine(entering, bytes.data(), length, room.data(), count, std::int32_t(room.size()));
    room.resize(std::size_t(count));
    result.runs = std::move(room);
    return result;
}

// The state alone, with no run array, as a view computes the states it caches.
inline LineState LeavingState(LineState entering, std::string_view line)
{
    const std::vector<char> bytes(line.begin(), line.end());
    std::int32_t count = 0;
    return ClassifyLine(entering, bytes.data(), std::int32_t(line.size()), nullptr, count, 0);
}
