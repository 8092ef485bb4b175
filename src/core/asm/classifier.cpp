#include "core/asm/classifier.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "core/asm/asm_number.h"
#include "core/asm/cp936.h"
#include "core/asm/keywords.h"

namespace {

// What a byte can mean to the scanner of plain text. The order matters: blanks and other bytes
// are passed over between words, and only the classes from kDoubleQuote on can change the state.
enum ByteClass : std::uint8_t {
    kOther,        // punctuation, control bytes, 0x80 and 0xFF
    kBlank,        // space, HT, LF, VT, FF, CR
    kLead,         // can begin a double-byte character (it does when a trail byte follows)
    kWord,         // A-Z a-z 0-9 _ .
    kDoubleQuote,
    kSingleQuote,
    kSlash,
    kStar,
    kSemicolon,
    kHash,
};

constexpr std::array<std::uint8_t, 256> BuildClasses()
{
    std::array<std::uint8_t, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        std::uint8_t k = kOther;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.')
            k = kWord;
        else if (c == ' ' || (c >= '\t' && c <= '\r'))
            k = kBlank;
        else if (IsCp936LeadByte(static_cast<unsigned char>(c)))
            k = kLead;
        classes[std::size_t(c)] = k;
    }
    const struct { char c; ByteClass k; } punctuation[] = {
        {'"', kDoubleQuote}, {'\'', kSingleQuote}, {'/', kSlash}, {'*', kStar}, {';', kSemicolon}, {'#', kHash},
    };
    for (const auto& p : punctuation)
        classes[static_cast<unsigned char>(p.c)] = p.k;
    return classes;
}

constexpr std::array<std::uint8_t, 256> kClasses = BuildClasses();

// Without runs and past the line's first non-blank byte, only these bytes can change the state of
// plain text ("*" only after "/", which is looked at instead). None of them is ever the second
// byte of a double-byte character.
constexpr std::array<bool, 256> BuildStateChanging()
{
    std::array<bool, 256> set{};
    for (unsigned char c : {'"', '\'', '/', ';'})
        set[c] = true;
    return set;
}

constexpr std::array<bool, 256> kStateChanging = BuildStateChanging();

// Eight bytes at a time: ZeroBytes(x) is 0 exactly when no byte of x is 0 (where one is, the high
// bits of it and perhaps of bytes above it are set).
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t ZeroBytes(std::uint64_t x) { return (x - kOnes) & ~x & (kOnes << 7); }

// Whether one of eight bytes is in kStateChanging. "'" (27h) and "/" (2Fh) differ in bit 3 only,
// and no other byte becomes 2Fh when that bit is set: they are found together.
bool HoldsStateByte(const unsigned char* eight)
{
    std::uint64_t bytes;
    std::memcpy(&bytes, eight, sizeof bytes);
    return (ZeroBytes(bytes ^ (kOnes * '"')) | ZeroBytes((bytes | (kOnes * 0x08)) ^ (kOnes * '/')) |
            ZeroBytes(bytes ^ (kOnes * ';'))) != 0;
}

// A real backslash, not the second half of a double-byte character.
bool IsBackslashAt(const unsigned char* t, std::int32_t i)
{
    return t[i] == '\\' && !IsCp936TrailAt(t, i);
}

// The states in which plain text is not being scanned.
constexpr LineState kOutsidePlain = StateLineComment | StateHashLine | StateBlockComment | StateDoubleQuoted |
                                    StateSingleQuoted | StateDirectiveComment;

// The run a word gets: its start and colour (NoKeyword: none), and where the text after it
// begins.
struct WordRun {
    std::int32_t start;
    std::int32_t colour;
    std::int32_t next;
};

std::int32_t KeywordAt(const unsigned char* line, std::int32_t length, std::int32_t start, std::int32_t count)
{
    return KeywordColourInLine(reinterpret_cast<const char*>(line), length, start, count);
}

// No keyword begins with a digit: a number is not looked up.
[[gnu::always_inline]] inline WordRun ClassifyPlainWord(const unsigned char* line, std::int32_t length,
                                                        std::int32_t start, std::int32_t end)
{
    const bool digit = line[start] >= '0' && line[start] <= '9';
    std::int32_t colour = digit ? NoKeyword : KeywordAt(line, length, start, end - start);
    if (colour == NoKeyword && IsAsmNumber(reinterpret_cast<const char*>(line + start), end - start))
        colour = ColourNumber;
    return WordRun{start, colour, end};
}

// A word after a "@" or before a "?": the sign belongs to it when the longer word is a keyword
// (@DATA, .DATA?); otherwise the word alone is classified. Rare: kept out of line.
[[gnu::noinline]] WordRun ClassifyMarkedWord(const unsigned char* line, std::int32_t length, std::int32_t start,
                                             std::int32_t end)
{
    if (start > 0 && line[start - 1] == '@' && !IsCp936TrailAt(line, start - 1)) {
        const std::int32_t colour = KeywordAt(line, length, start - 1, end - start + 1);
        if (colour != NoKeyword)
            return WordRun{start - 1, colour, end};
    }
    if (end < length && line[end] == '?') {
        const std::int32_t colour = KeywordAt(line, length, start, end - start + 1);
        if (colour != NoKeyword)
            return WordRun{start, colour, end + 1};
    }
    return ClassifyPlainWord(line, length, start, end);
}

// The run of the word line[start..end-1], whole bytes of the line before and after it. Inline, as
// is ClassifyPlainWord: the scan keeps its position and runs in registers only while no call
// takes its address.
[[gnu::always_inline]] inline WordRun ClassifyWord(const unsigned char* line, std::int32_t length,
                                                   std::int32_t start, std::int32_t end)
{
    if ((start > 0 && line[start - 1] == '@') || (end < length && line[end] == '?'))
        return ClassifyMarkedWord(line, length, start, end);
    return ClassifyPlainWord(line, length, start, end);
}

// One call of ClassifyLine; kRuns: runs are written (and there is room for one at least).
// Positions are byte indexes into the line; `m_word` is the start of the word being read, or -1.
// A word stays open across a string (a quote does not end it); the run it gets when it ends then
// starts before the string's run and is dropped.
template <bool kRuns>
class LineScan {
public:
    LineScan(const unsigned char* text, std::int32_t length, ColourRun* runs, std::int32_t runCount,
             std::int32_t runCapacity, LineState entering)
        : m_text(text), m_length(length), m_runs(runs), m_next(kRuns ? runs + runCount : nullptr),
          m_end(kRuns ? runs + runCapacity : nullptr),
          m_lastStart(kRuns && runCount > 0 ? runs[runCount - 1].start : INT32_MIN), m_state(entering),
          m_firstChar((entering & ~StateBlockComment) == 0)
    {
    }

    LineState Scan()
    {
        Open(0);
        std::int32_t i = 0;
        while (i < m_length && !m_stopped) {
            if (m_state & StateLineComment) {
                Append(i, ColourComment);
                break;
            }
            if (m_state & StateDirectiveComment)
                i = CloseDirectiveComment(i);
            else if (m_state & StateDoubleQuoted)
                i = CloseQuote(i, '"', StateDoubleQuoted);
            else if (m_state & StateSingleQuoted)
                i = CloseQuote(i, '\'', StateSingleQuoted);
            else if (m_state & StateBlockComment)
                i = CloseBlockComment(i);
            else if (m_state & StateHashLine)
                i = ScanHashLine(i);
            else
                i = ScanPlain(i);
        }
        if (kRuns && m_word >= 0)
            (void)EndWord(i);
        if (m_text[m_length - 1] == '\\' && IsBackslashAt(m_text, m_length - 1))  // the usual "no" stays inline
            return m_state;
        return CarriedState(m_state);
    }

    std::int32_t RunCount() const { return std::int32_t(m_next - m_runs); }

private:
    // Runs never go backwards: one that would start before the last run is dropped.
    void Append(std::int32_t start, std::int32_t colour)
    {
        if (!kRuns || start < m_lastStart || m_next == m_end)
            return;
        *m_next++ = ColourRun{start, colour};
        m_lastStart = start;
    }

    void Open(std::int32_t start) { Append(start, StateColour(m_state)); }

    void Set(LineState flag, std::int32_t runStart, std::int32_t colour)
    {
        Append(runStart, colour);
        m_state |= flag;
    }

    // A comment to the end of the line: scanning stops at `at`.
    std::int32_t StopInComment(std::int32_t runStart, std::int32_t at)
    {
        Set(StateLineComment, runStart, ColourComment);
        m_stopped = true;
        return at;
    }

    // Inside a string, only its quote matters; one right after a backslash does not close it,
    // one at index 0 always does. Returns where scanning goes on.
    std::int32_t CloseQuote(std::int32_t from, unsigned char quote, LineState flag)
    {
        for (std::int32_t i = from; i < m_length; ++i) {
            const void* hit = std::memchr(m_text + i, quote, std::size_t(m_length - i));
            if (hit == nullptr)
                break;
            i = std::int32_t(static_cast<const unsigned char*>(hit) - m_text);
            if (i == 0 || !IsBackslashAt(m_text, i - 1)) {
                m_state &= ~flag;
                Open(i + 1);
                return i + 1;
            }
        }
        return m_length;
    }

    // The "*" before the closing "/" may be the one that opened the comment: "/*/" is closed.
    std::int32_t CloseBlockComment(std::int32_t from)
    {
        for (std::int32_t i = from; i < m_length; ++i) {
            const void* hit = std::memchr(m_text + i, '/', std::size_t(m_length - i));
            if (hit == nullptr)
                break;
            i = std::int32_t(static_cast<const unsigned char*>(hit) - m_text);
            if (i > 0 && m_text[i - 1] == '*') {
                m_state &= ~StateBlockComment;
                Open(i + 1);
                return i + 1;
            }
        }
        return m_length;
    }

    // A COMMENT block ends at its delimiter (never the second byte of a double-byte character);
    // the rest of that line is comment too.
    std::int32_t CloseDirectiveComment(std::int32_t from)
    {
        const unsigned char delimiter = CommentDelimiter(m_state);
        for (std::int32_t i = from; i < m_length; ++i) {
            const void* hit = std::memchr(m_text + i, delimiter, std::size_t(m_length - i));
            if (hit == nullptr)
                break;
            i = std::int32_t(static_cast<const unsigned char*>(hit) - m_text);
            if (!IsCp936TrailAt(m_text, i)) {
                m_state &= ~(StateDirectiveComment | StateDelimiterMask);
                m_state |= StateLineComment;
                m_stopped = true;
                break;
            }
        }
        return m_length;
    }

    // On a hash line only comments are recognised: ";" (not at index 0), "//" and "/*".
    std::int32_t ScanHashLine(std::int32_t i)
    {
        for (; i < m_length; ++i) {
            const unsigned char c = m_text[i];
            if (i == 0 || (c != ';' && c != '/' && c != '*'))
                continue;
            if (c == ';')
                return StopInComment(i, i);
            if (m_text[i - 1] != '/')
                continue;
            if (c == '/')
                return StopInComment(i - 1, i);
            Set(StateBlockComment, i - 1, ColourComment);
            return i + 1;
        }
        return i;
    }

    // The bytes of one character starting at i: 2 for a lead byte with its trail byte.
    std::int32_t CharLength(std::int32_t i) const
    {
        return (i + 1 < m_length && IsCp936TrailByte(m_text[i + 1])) ? 2 : 1;
    }

    // Plain text, until a comment, string or hash line begins or the line ends.
    std::int32_t ScanPlain(std::int32_t i)
    {
        if (m_firstChar) {
            i = ScanLineStart(i);
            if (m_firstChar || (m_state & kOutsidePlain))
                return i;
        }
        return kRuns ? ScanWords(i) : SkipToStateChange(i);
    }

    // Before the first non-blank byte outside strings and comments: blanks are passed over, "#"
    // opens a hash line and ";" a comment, and the first word may open a COMMENT block.
    std::int32_t ScanLineStart(std::int32_t i)
    {
        while (m_length - i >= 4 && std::memcmp(m_text + i, "    ", 4) == 0)  // the common indentation
            i += 4;
        for (; i < m_length; ++i) {
            const std::uint8_t cls = kClasses[m_text[i]];
            if (cls == kBlank)
                continue;
            if (cls >= kDoubleQuote) {
                const std::int32_t next = ChangeState(i, cls);
                if (next >= 0)
                    return next;
                if (cls == kHash) {
                    Set(StateHashLine, i, ColourHashLine);
                    return i + 1;
                }
                if (cls == kSemicolon) {  // index 0 only: ChangeState takes later ones
                    Set(StateLineComment, i, ColourComment);
                    return i + 1;
                }
            }
            m_firstChar = false;
            return cls == kWord ? ScanFirstWord(i) : EndWordAt(i, cls);
        }
        return i;
    }

    // A byte that begins a comment or string where it stands: returns where scanning goes on
    // once it has, or -1.
    std::int32_t ChangeState(std::int32_t i, std::uint8_t cls)
    {
        switch (cls) {
        case kSemicolon:
            return i > 0 ? StopInComment(i, i) : -1;
        case kSlash:
            return i > 0 && m_text[i - 1] == '/' ? StopInComment(i - 1, i) : -1;
        case kStar:
            if (i == 0 || m_text[i - 1] != '/')
                return -1;
            Set(StateBlockComment, i - 1, ColourComment);
            return i + 1;
        case kDoubleQuote:
            Set(StateDoubleQuoted, i, ColourString);
            return i + 1;
        case kSingleQuote:
            Set(StateSingleQuoted, i, ColourString);
            return i + 1;
        default:
            return -1;
        }
    }

    // Plain text after the first non-blank byte, with runs: words and the bytes between them.
    std::int32_t ScanWords(std::int32_t i)
    {
        while (i < m_length) {
            const std::uint8_t cls = kClasses[m_text[i]];
            if (cls == kWord) {
                if (m_word < 0)
                    m_word = i;
                i = WordEnd(i + 1);
                continue;
            }
            if (cls >= kDoubleQuote) {
                const std::int32_t next = ChangeState(i, cls);
                if (next >= 0)
                    return next;
            }
            i = EndWordAt(i, cls);
        }
        return i;
    }

    // Plain text after the first non-blank byte, without runs: only the bytes that can change the
    // state are looked at, eight at a time. "/*" is found at its "/"; its "*" only when scanning
    // resumes right after a "/" (one that closed a block comment).
    std::int32_t SkipToStateChange(std::int32_t i)
    {
        if (i < m_length && m_text[i] == '*') {
            const std::int32_t next = ChangeState(i, kStar);
            if (next >= 0)
                return next;
        }
        for (;; ++i) {
            while (m_length - i >= 8 && !HoldsStateByte(m_text + i))
                i += 8;
            while (i < m_length && !kStateChanging[m_text[i]])
                ++i;
            if (i >= m_length)
                return i;
            const std::uint8_t cls = kClasses[m_text[i]];
            const std::int32_t next = ChangeState(i, cls);
            if (next >= 0)
                return next;
            if (cls == kSlash && i + 1 < m_length && m_text[i + 1] == '*') {
                Set(StateBlockComment, i, ColourComment);
                return i + 2;
            }
        }
    }

    // A byte that ends the open word (if any) and opens a run; then the blanks and punctuation
    // after it, which change nothing while no word is open, are passed over at once.
    [[gnu::always_inline]] std::int32_t EndWordAt(std::int32_t i, std::uint8_t cls)
    {
        if (!kRuns)
            return i + 1;
        if (m_word >= 0) {
            const std::int32_t next = EndWord(i);
            m_word = -1;
            Append(next, ColourNormalText);  // Open(next): plain text is being scanned
        }
        i += cls == kLead ? CharLength(i) : 1;
        while (i < m_length) {
            const std::uint8_t next = kClasses[m_text[i]];
            if (next <= kBlank)
                ++i;
            else if (next == kLead)
                i += CharLength(i);
            else
                break;
        }
        return i;
    }

    // Word characters are never special: read them all at once, four to a step while four are
    // left, which spares most of the bound checks.
    std::int32_t WordEnd(std::int32_t i) const
    {
        for (; m_length - i >= 4; i += 4) {
            if (kClasses[m_text[i]] != kWord)
                return i;
            if (kClasses[m_text[i + 1]] != kWord)
                return i + 1;
            if (kClasses[m_text[i + 2]] != kWord)
                return i + 2;
            if (kClasses[m_text[i + 3]] != kWord)
                return i + 3;
        }
        while (i < m_length && kClasses[m_text[i]] == kWord)
            ++i;
        return i;
    }

    // The first word of a line: only it can open a COMMENT block.
    std::int32_t ScanFirstWord(std::int32_t start)
    {
        if (kRuns)
            m_word = start;
        const std::int32_t end = WordEnd(start + 1);
        if (end - start == kCommentLength && IsCommentWord(m_text + start))
            return OpenDirectiveComment(start, end);
        return end;
    }

    static constexpr char kCommentInCapitals[] = "COMMENT";
    static constexpr std::int32_t kCommentLength = std::int32_t(sizeof kCommentInCapitals - 1);

    // Seven word characters: only letters can match in capitals, and none of the others does.
    static bool IsCommentWord(const unsigned char* word)
    {
        for (std::int32_t k = 0; k < kCommentLength; ++k)
            if ((word[k] & ~0x20) != static_cast<unsigned char>(kCommentInCapitals[k]))
                return false;
        return true;
    }

    // The first word of a line is the directive COMMENT, and an ASCII byte other than a blank
    // follows it on the line: the block opens at the word and closes at that byte's next
    // occurrence. Returns where scanning goes on: after the delimiter, or `end` for a plain word.
    std::int32_t OpenDirectiveComment(std::int32_t start, std::int32_t end)
    {
        std::int32_t at = end;
        while (at < m_length && kClasses[m_text[at]] == kBlank)
            ++at;
        if (at == m_length || m_text[at] >= 0x80)
            return end;
        m_word = -1;
        Append(start, ColourComment);
        m_state |= StateDirectiveComment | (LineState(m_text[at]) << kDelimiterShift);
        return at + 1;
    }

    // The word m_text[m_word..end-1] ends: a keyword or number gets a run at its start. Returns
    // where the text after the word begins: `end`, or after a "?" that belongs to it.
    [[gnu::always_inline]] std::int32_t EndWord(std::int32_t end)
    {
        if (m_word < m_lastStart)
            return end;  // its run would be dropped
        const WordRun run = ClassifyWord(m_text, m_length, m_word, end);
        if (run.colour != NoKeyword)
            Append(run.start, run.colour);
        return run.next;
    }

    const unsigned char* m_text;
    std::int32_t m_length;
    ColourRun* m_runs;
    ColourRun* m_next;  // where the next run goes; the caller's count is written back at the end
    ColourRun* m_end;   // m_runs + the capacity
    std::int32_t m_lastStart;  // the start of the last run written, or INT32_MIN before any
    LineState m_state;
    bool m_firstChar;  // no non-blank byte seen outside strings and comments yet
    bool m_stopped = false;
    std::int32_t m_word = -1;
};

}  // namespace

LineState ClassifyLine(LineState entering, const char* text, std::int32_t length, ColourRun* runs,
                       std::int32_t& runCount, std::int32_t runCapacity)
{
    if (length <= 0 || text == nullptr)
        return CarriedState(entering);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (runs == nullptr || runCount < 0 || runCount >= runCapacity)  // no run can be written
        return LineScan<false>(bytes, length, runs, runCount, runCapacity, entering).Scan();
    LineScan<true> scan(bytes, length, runs, runCount, runCapacity, entering);
    const LineState leaving = scan.Scan();
    runCount = scan.RunCount();
    return leaving;
}
