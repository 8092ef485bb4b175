#pragma once
// A second, deliberately naive classifier for differential tests: the rules one character at a
// time, keywords by a linear scan of the three tables in order, and code page 936 character
// boundaries found forwards once per line. Slow and allocating; tests and fuzzing only.
#include <string_view>
#include <vector>

#include "core/asm/asm_number.h"
#include "core/asm/colour_index.h"
#include "core/asm/keywords.h"
#include "core/asm/line_state.h"

namespace model {

struct Classified {
    std::vector<ColourRun> runs;
    LineState leaving = 0;
};

inline bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        char x = a[k], y = b[k];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

inline int LinearKeywordColour(std::string_view word)
{
    for (std::string_view name : RegisterNames)
        if (SameIgnoringCase(name, word))
            return ColourRegister;
    for (std::string_view name : InstructionNames)
        if (SameIgnoringCase(name, word))
            return ColourInstruction;
    for (std::string_view name : DirectiveNames)
        if (SameIgnoringCase(name, word))
            return ColourDirective;
    for (std::string_view name : MoreDirectiveNames)
        if (SameIgnoringCase(name, word))
            return ColourDirective;
    return NoKeyword;
}

class Model {
public:
    Model(LineState entering, std::string_view line, bool wantRuns)
        : t(line), n(int(line.size())), s(entering), withRuns(wantRuns), trail(line.size(), false)
    {
        for (int i = 0; i + 1 < n; ++i) {
            const unsigned char a = t[i], b = t[i + 1];
            if (a >= 0x81 && a <= 0xFE && ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE)))
                trail[++i] = true;
        }
    }

    Classified Run()
    {
        if (n <= 0)
            return {{}, CarriedState(s)};
        bool first = (s & ~StateBlockComment) == 0;
        int w = -1;
        int firstWord = -1;  // start of the line's first word while it is being read
        Open(0);
        int i = 0;
        for (; i < n; ++i) {
            const char c = Char(i);
            if (firstWord >= 0 && !IsWord(c)) {
                const int delimiter = OpenedComment(firstWord, i);
                firstWord = -1;
                if (delimiter >= 0) { w = -1; i = delimiter; continue; }
            }
            if (s & StateLineComment) { Append(i, ColourComment); break; }
            if (s & StateDirectiveComment) {
                if (t[i] == char(CommentDelimiter(s)) && !trail[i]) {
                    s = (s & ~(StateDirectiveComment | StateDelimiterMask)) | StateLineComment;
                    break;
                }
                continue;
            }
            if (s & StateDoubleQuoted) { CloseAt(i, '"', StateDoubleQuoted); continue; }
            if (s & StateSingleQuoted) { CloseAt(i, '\'', StateSingleQuoted); continue; }
            if (s & StateBlockComment) {
                if (i > 0 && c == '/' && Char(i - 1) == '*') { s &= ~StateBlockComment; Open(i + 1); }
                continue;
            }
            if (i > 0 && c == '/' && Char(i - 1) == '/') { Append(i - 1, ColourComment); s |= StateLineComment; break; }
            if (i > 0 && c == ';') { Append(i, ColourComment); s |= StateLineComment; break; }
            if (s & StateHashLine) {
                if (i > 0 && c == '*' && Char(i - 1) == '/') { Append(i - 1, ColourComment); s |= StateBlockComment; }
                continue;
            }
            if (c == '"') { Append(i, ColourString); s |= StateDoubleQuoted; continue; }
            if (c == '\'') { Append(i, ColourString); s |= StateSingleQuoted; continue; }
            if (i > 0 && c == '*' && Char(i - 1) == '/') { Append(i - 1, ColourComment); s |= StateBlockComment; continue; }
            if (first) {
                if (c == '#') { Append(i, ColourHashLine); s |= StateHashLine; continue; }
                if (c == ';') { Append(i, ColourComment); s |= StateLineComment; continue; }
                if (IsBlank(c)) continue;
                first = false;
                if (IsWord(c)) firstWord = i;
            }
            if (!withRuns) continue;
            if (IsWord(c)) { if (w == -1) w = i; continue; }
            if (w >= 0) { const int after = Word(w, i); w = -1; Open(after); }
        }
        if (w >= 0)
            Word(w, i);
        LineState carried = s & StateBlockComment;
        if (s & StateDirectiveComment)
            carried |= s & (StateDirectiveComment | StateDelimiterMask);
        const LineState leaving = Char(n - 1) == '\\' ? s : carried;
        return {runs, leaving};
    }

private:
    // A trail byte is never taken for the ASCII character it looks like.
    char Char(int i) const { return trail[i] ? '\x80' : t[i]; }

    static bool IsWord(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    }
    static bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    int StateColourNow() const
    {
        if (s & (StateLineComment | StateBlockComment | StateDirectiveComment)) return ColourComment;
        if (s & (StateDoubleQuoted | StateSingleQuoted)) return ColourString;
        if (s & StateHashLine) return ColourHashLine;
        return ColourNormalText;
    }

    void Append(int p, int k)
    {
        if (!withRuns) return;
        if (runs.empty() || p >= runs.back().start) runs.push_back({p, k});
    }
    void Open(int p) { Append(p, StateColourNow()); }

    void CloseAt(int i, char quote, LineState flag)
    {
        if (Char(i) == quote && (i == 0 || Char(i - 1) != '\\')) { s &= ~flag; Open(i + 1); }
    }

    // The first word is COMMENT and an ASCII byte other than a blank follows: the block opens
    // at the word; the delimiter's index, or -1 for a plain word.
    int OpenedComment(int start, int end)
    {
        if (!SameIgnoringCase(t.substr(std::size_t(start), std::size_t(end - start)), "COMMENT")) return -1;
        int at = end;
        while (at < n && IsBlank(t[at])) ++at;
        if (at == n || static_cast<unsigned char>(t[at]) >= 0x80) return -1;
        Append(start, ColourComment);
        s |= StateDirectiveComment | (LineState(static_cast<unsigned char>(t[at])) << 16);
        return at;
    }

    // Where the text after the word begins: after a "?" that the keyword takes, else `end`.
    int Word(int w, int end)
    {
        const std::string_view word = t.substr(std::size_t(w), std::size_t(end - w));
        if (w > 0 && t[w - 1] == '@' && !trail[w - 1]) {
            const int k = LinearKeywordColour(t.substr(std::size_t(w - 1), word.size() + 1));
            if (k != NoKeyword) { Append(w - 1, k); return end; }
        }
        if (end < n && t[end] == '?') {
            const int k = LinearKeywordColour(t.substr(std::size_t(w), word.size() + 1));
            if (k != NoKeyword) { Append(w, k); return end + 1; }
        }
        int k = LinearKeywordColour(word);
        if (k == NoKeyword && IsAsmNumber(word.data(), int(word.size()))) k = ColourNumber;
        if (k != NoKeyword) Append(w, k);
        return end;
    }

    std::string_view t;
    int n;
    LineState s;
    bool withRuns;
    std::vector<bool> trail;
    std::vector<ColourRun> runs;
};

inline Classified Classify(LineState entering, std::string_view line, bool wantRuns = true)
{
    return Model(entering, line, wantRuns).Run();
}

}  // namespace model
