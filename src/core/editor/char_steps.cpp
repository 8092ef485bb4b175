#include "core/editor/char_steps.h"

#include "core/asm/cp936.h"

namespace {

const unsigned char* Bytes(std::string_view line) { return reinterpret_cast<const unsigned char*>(line.data()); }

int Length(std::string_view line) { return static_cast<int>(line.size()); }

} // namespace

bool IsDoubleByteAt(std::string_view line, int pos)
{
    const unsigned char* p = Bytes(line);
    return pos >= 0 && pos + 1 < Length(line) && IsCp936LeadByte(p[pos]) && IsCp936TrailByte(p[pos + 1]);
}

int NextCharPos(std::string_view line, int pos) { return pos + (IsDoubleByteAt(line, pos) ? 2 : 1); }

int PrevCharPos(std::string_view line, int pos)
{
    const int prev = pos - 1;
    return prev > 0 && IsCp936TrailAt(Bytes(line), prev) ? prev - 1 : prev;
}

int CharStartAt(std::string_view line, int pos)
{
    if (pos <= 0)
        return 0;
    if (pos >= Length(line))
        return Length(line);
    return IsCp936TrailAt(Bytes(line), pos) ? pos - 1 : pos;
}
