#include "core/editor/word_bounds.h"

#include "core/editor/char_steps.h"

namespace {

int Length(std::string_view line) { return static_cast<int>(line.size()); }

bool IsBlankByte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

CharKind KindBefore(std::string_view line, int pos) { return KindAt(line, PrevCharPos(line, pos)); }

int SkipLeft(std::string_view line, int pos, CharKind kind)
{
    while (pos > 0 && KindBefore(line, pos) == kind)
        pos = PrevCharPos(line, pos);
    return pos;
}

int SkipRight(std::string_view line, int pos, CharKind kind)
{
    while (pos < Length(line) && KindAt(line, pos) == kind)
        pos = NextCharPos(line, pos);
    return pos;
}

} // namespace

CharKind KindAt(std::string_view line, int pos)
{
    if (IsDoubleByteAt(line, pos))
        return CharKind::Word;
    const auto c = static_cast<unsigned char>(line[static_cast<size_t>(pos)]);
    if (IsBlankByte(c))
        return CharKind::Blank;
    return IsWordByte(c) ? CharKind::Word : CharKind::Punctuation;
}

int WordLeftPos(std::string_view line, int pos)
{
    pos = SkipLeft(line, pos, CharKind::Blank);
    if (pos == 0)
        return 0;
    return SkipLeft(line, pos, KindBefore(line, pos));
}

int WordRightPos(std::string_view line, int pos)
{
    if (pos >= Length(line))
        return Length(line);
    const CharKind kind = KindAt(line, pos);
    if (kind != CharKind::Blank)
        pos = SkipRight(line, pos, kind);
    return SkipRight(line, pos, CharKind::Blank);
}

int WordStartPos(std::string_view line, int pos) { return SkipLeft(line, pos, CharKind::Word); }

int WordEndPos(std::string_view line, int pos) { return SkipRight(line, pos, CharKind::Word); }

int HomePos(std::string_view line, int pos)
{
    int blanks = 0;
    while (blanks < Length(line) && (line[static_cast<size_t>(blanks)] == ' ' || line[static_cast<size_t>(blanks)] == '\t'))
        ++blanks;
    return blanks == Length(line) || pos == blanks ? 0 : blanks;
}
