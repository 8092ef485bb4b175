#include "core/debuginfo/program_map.h"

#include <algorithm>
#include <cctype>

namespace halyard::debuginfo {
namespace {

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

uint32_t Start(const SourceLine& line)
{
    return ProgramMap::ImageAddress(line.frame, line.offset);
}

}  // namespace

// The lines are in address order and do not overlap (but for an ORG that goes back): the line
// that holds an address is the last one with bytes that starts at or below it.
const SourceLine* ProgramMap::LineAt(uint32_t imageAddress) const
{
    auto it = std::upper_bound(lines.begin(), lines.end(), imageAddress,
                               [](uint32_t address, const SourceLine& line) { return address < Start(line); });
    while (it != lines.begin()) {
        --it;
        if (it->length == 0) continue;
        if (imageAddress < Start(*it) + it->length) return &*it;
        return nullptr;
    }
    return nullptr;
}

std::optional<uint32_t> ProgramMap::AddressOf(const std::string& file, int line) const
{
    const SourceLine* best = nullptr;
    for (const SourceLine& candidate : lines) {
        if (!candidate.code || candidate.length == 0 || candidate.line < line || !SameText(candidate.file, file)) continue;
        if (best == nullptr || candidate.line < best->line ||
            (candidate.line == best->line && Start(candidate) < Start(*best)))
            best = &candidate;
    }
    if (best == nullptr) return std::nullopt;
    return Start(*best);
}

const Symbol* ProgramMap::Find(const std::string& name) const
{
    for (const Symbol& symbol : symbols)
        if (SameText(symbol.name, name)) return &symbol;
    return nullptr;
}

}  // namespace halyard::debuginfo
