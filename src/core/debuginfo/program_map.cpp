#include "core/debuginfo/program_map.h"

#include <cctype>

namespace halyard::debuginfo {

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace

const SourceLine* ProgramMap::LineAt(uint32_t imageAddress) const
{
    for (const SourceLine& l : lines) {
        const uint32_t start = ImageAddress(l.frame, l.offset);
        if (l.length > 0 && imageAddress >= start && imageAddress < start + l.length) return &l;
    }
    return nullptr;
}

std::optional<uint32_t> ProgramMap::AddressOf(const std::string& file, int line) const
{
    const SourceLine* best = nullptr;
    for (const SourceLine& l : lines)
        if (l.code && l.length > 0 && l.line >= line && SameName(l.file, file) && (!best || l.line < best->line)) best = &l;
    if (!best) return std::nullopt;
    return ImageAddress(best->frame, best->offset);
}

const Symbol* ProgramMap::Find(const std::string& name) const
{
    for (const Symbol& s : symbols)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

}  // namespace halyard::debuginfo
