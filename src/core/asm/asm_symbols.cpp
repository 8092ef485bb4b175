#include "core/asm/asm_symbols.h"

#include <vector>

#include "core/asm/classifier.h"
#include "core/asm/colour_index.h"
#include "core/asm/keywords.h"
#include "core/buffer/text_buffer.h"

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

bool SameWord(std::string_view a, std::string_view capitals)
{
    if (a.size() != capitals.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        unsigned char c = static_cast<unsigned char>(a[k]);
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - ('a' - 'A'));
        if (c != static_cast<unsigned char>(capitals[k]))
            return false;
    }
    return true;
}

// What the word after a name makes of it; kNone when it defines nothing.
constexpr int kNone = -1;

int KindOfDirective(std::string_view word)
{
    static const struct {
        const char* word;
        AsmSymbolKind kind;
    } kDirectives[] = {
        {"PROC", AsmSymbolKind::Procedure}, {"LABEL", AsmSymbolKind::Label},      {"DB", AsmSymbolKind::Variable},
        {"DW", AsmSymbolKind::Variable},    {"DD", AsmSymbolKind::Variable},      {"DF", AsmSymbolKind::Variable},
        {"DQ", AsmSymbolKind::Variable},    {"DT", AsmSymbolKind::Variable},      {"EQU", AsmSymbolKind::Constant},
        {"=", AsmSymbolKind::Constant},     {"MACRO", AsmSymbolKind::Macro},      {"STRUC", AsmSymbolKind::Structure},
        {"RECORD", AsmSymbolKind::Structure}, {"UNION", AsmSymbolKind::Structure}, {"SEGMENT", AsmSymbolKind::Segment},
        {"GROUP", AsmSymbolKind::Segment},
    };
    for (const auto& d : kDirectives)
        if (SameWord(word, d.word))
            return static_cast<int>(d.kind);
    return kNone;
}

// A name may not be a register or an instruction ("mov: ..." is a typing error, not a label);
// directive words such as START and NAME are names students use.
bool MayBeName(std::string_view name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    const std::int32_t colour = KeywordColour(name.data(), std::int32_t(name.size()));
    return colour != ColourRegister && colour != ColourInstruction;
}

// Whether byte `pos` of a classified line is code: not in a comment, string or hash line. The
// colour there is that of the last run starting at or before it.
bool IsCodeAt(const std::vector<ColourRun>& runs, std::int32_t count, int pos)
{
    std::int32_t colour = ColourNormalText;
    for (std::int32_t r = 0; r < count && runs[std::size_t(r)].start <= pos; ++r)
        colour = runs[std::size_t(r)].colourIndex;
    return colour != ColourComment && colour != ColourString && colour != ColourHashLine;
}

struct Definition {
    int kind = kNone;
    int column = 0;
    std::string_view name;
    bool endsProcedure = false;  // "name ENDP"
};

// The definition a line of code makes, if any. Blanks, the name, then a ":" or a defining word.
Definition ParseLine(std::string_view text)
{
    Definition d;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i])))
        ++i;
    const std::size_t start = i;
    while (i < text.size() && IsNameChar(static_cast<unsigned char>(text[i])))
        ++i;
    d.name = text.substr(start, i - start);
    d.column = int(start);
    if (d.name.empty())
        return d;
    while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i])))
        ++i;
    if (i < text.size() && text[i] == ':') {
        d.kind = static_cast<int>(AsmSymbolKind::Label);
        return d;
    }
    const std::size_t wordStart = i;
    if (i < text.size() && text[i] == '=')
        ++i;
    else
        while (i < text.size() && IsNameChar(static_cast<unsigned char>(text[i])))
            ++i;
    const std::string_view word = text.substr(wordStart, i - wordStart);
    d.endsProcedure = SameWord(word, "ENDP");
    d.kind = KindOfDirective(word);
    return d;
}

}  // namespace

bool IsNameChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '@' || c == '?' || c == '$';
}

void NameBoundsAt(std::string_view line, int pos, int& start, int& end)
{
    const int length = int(line.size());
    if (pos < 0) pos = 0;
    if (pos > length) pos = length;
    start = end = pos;
    while (start > 0 && IsNameChar(static_cast<unsigned char>(line[std::size_t(start - 1)])))
        --start;
    while (end < length && IsNameChar(static_cast<unsigned char>(line[std::size_t(end)])))
        ++end;
}

std::vector<AsmSymbol> IndexSymbols(int lineCount, const std::function<std::string_view(int)>& lineAt)
{
    std::vector<AsmSymbol> symbols;
    std::vector<ColourRun> runs;
    LineState state = 0;
    int procedure = -1;  // the open PROC's index in `symbols`
    for (int line = 0; line < lineCount; ++line) {
        const std::string_view text = lineAt(line);
        const auto length = std::int32_t(text.size());
        runs.resize(RunCapacityFor(length));
        std::int32_t count = 0;
        const LineState entering = state;
        state = ClassifyLine(entering, text.data(), length, runs.data(), count, std::int32_t(runs.size()));
        const Definition d = ParseLine(text);
        if (d.name.empty() || !IsCodeAt(runs, count, d.column))
            continue;
        if (d.endsProcedure) {
            procedure = -1;
            continue;
        }
        if (d.kind == kNone || !MayBeName(d.name))
            continue;
        const auto kind = static_cast<AsmSymbolKind>(d.kind);
        symbols.push_back(AsmSymbol{std::string(d.name), kind, line, d.column, procedure});
        if (kind == AsmSymbolKind::Procedure) {
            symbols.back().owner = -1;
            procedure = int(symbols.size()) - 1;
        }
    }
    return symbols;
}

std::vector<AsmSymbol> IndexSymbols(const CTextBuffer& buffer)
{
    return IndexSymbols(buffer.GetLineCount(), [&buffer](int line) { return buffer.GetLine(line); });
}

int FindSymbol(const std::vector<AsmSymbol>& symbols, std::string_view name, int fromLine)
{
    std::string capitals(name);
    for (char& c : capitals)
        if (c >= 'a' && c <= 'z') c = char(c - ('a' - 'A'));
    int procedure = -1;  // the procedure holding fromLine
    for (std::size_t k = 0; k < symbols.size() && symbols[k].line <= fromLine; ++k)
        procedure = symbols[k].kind == AsmSymbolKind::Procedure ? int(k) : symbols[k].owner;
    int first = -1;
    for (std::size_t k = 0; k < symbols.size(); ++k) {
        if (!SameWord(symbols[k].name, capitals))
            continue;
        if (first < 0)
            first = int(k);
        if (procedure >= 0 && symbols[k].owner == procedure)
            return int(k);
    }
    return first;
}
