#include "core/debugger/address_expression.h"

#include <cctype>

namespace halyard::debugger {

namespace {

using debuginfo::SymbolKind;
using debugwire::Reg;

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$' || c == '?'; }

// Reads one expression left to right; every failure sets `error` and stops.
class Parser {
public:
    Parser(std::string_view text, const EvalContext& context, std::string& error)
        : m_text(text), m_context(context), m_error(error) {}

    std::optional<Target> Run();

private:
    struct Sum {
        uint32_t value = 0;
        bool memory = false;      // a bracket or a data name was part of it
        bool usesBp = false;
        bool lone = true;         // exactly one part
        std::optional<Reg> reg;   // the part when it is one register
        const debuginfo::Symbol* symbol = nullptr;
    };

    void SkipBlanks() { while (m_pos < m_text.size() && m_text[m_pos] == ' ') ++m_pos; }
    bool Accept(char c)
    {
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) return ++m_pos, true;
        return false;
    }
    std::string Word();
    bool Fail(const std::string& why)
    {
        if (m_error.empty()) m_error = why;
        return false;
    }
    std::optional<SymbolKind> SizePrefix();
    bool Part(Sum& sum, int sign, bool inBracket);
    bool WordPart(const std::string& word, Sum& sum, int sign);
    bool ParseSum(Sum& sum, bool inBracket);
    std::optional<uint16_t> SegmentOf(const std::string& word) const;

    std::string_view m_text;
    size_t m_pos = 0;
    const EvalContext& m_context;
    std::string& m_error;
};

std::string Parser::Word()
{
    SkipBlanks();
    const size_t start = m_pos;
    while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) ++m_pos;
    return std::string(m_text.substr(start, m_pos - start));
}

}  // namespace

std::optional<uint32_t> ParseHexNumber(std::string_view word)
{
    std::string digits = Upper(word);
    if (digits.size() > 2 && digits[0] == '0' && digits[1] == 'X') digits = digits.substr(2);
    else if (digits.size() > 1 && digits.back() == 'H') digits.pop_back();
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + uint32_t(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'A' + 10);
    }
    return value;
}

namespace {

std::optional<SymbolKind> Parser::SizePrefix()
{
    const size_t start = m_pos;
    const std::string word = Upper(Word());
    static const struct {
        const char* name;
        SymbolKind kind;
    } kSizes[] = {{"BYTE", SymbolKind::Byte}, {"WORD", SymbolKind::Word}, {"DWORD", SymbolKind::Dword}};
    for (const auto& size : kSizes)
        if (word == size.name) {
            const size_t afterSize = m_pos;
            if (Upper(Word()) != "PTR") m_pos = afterSize;
            return size.kind;
        }
    m_pos = start;
    return std::nullopt;
}

std::optional<uint16_t> Parser::SegmentOf(const std::string& word) const
{
    const auto reg = debugwire::RegByName(word);
    if (reg && (*reg == debugwire::CS || *reg == debugwire::DS || *reg == debugwire::ES || *reg == debugwire::SS))
        return m_context.regs[*reg];
    if (const auto number = ParseHexNumber(word); number && *number <= 0xFFFF) return uint16_t(*number);
    return std::nullopt;
}

bool Parser::WordPart(const std::string& word, Sum& sum, int sign)
{
    const auto reg = debugwire::RegByName(word);
    if (reg && *reg != debugwire::FL) {
        sum.value += uint32_t(sign) * m_context.regs[*reg];
        if (*reg == debugwire::BP) sum.usesBp = true;
        sum.reg = reg;
        return true;
    }
    if (m_context.map)
        if (const debuginfo::Symbol* symbol = m_context.map->Find(word)) {
            if (sum.symbol) return Fail("一个表达式里只能有一个名字");
            sum.symbol = symbol;
            sum.value += uint32_t(sign) * symbol->offset;
            return true;
        }
    if (const auto number = ParseHexNumber(word)) {
        sum.value += uint32_t(sign) * *number;
        return true;
    }
    return Fail("不认识的名字：" + word);
}

bool Parser::Part(Sum& sum, int sign, bool inBracket)
{
    if (Accept('[')) {
        if (inBracket) return Fail("方括号不能嵌套");
        Sum inner;
        if (!ParseSum(inner, true) || !Accept(']')) return Fail("缺少 ]");
        sum.value += uint32_t(sign) * inner.value;
        sum.memory = true;
        sum.usesBp = sum.usesBp || inner.usesBp;
        if (inner.symbol) sum.symbol = inner.symbol;
        sum.lone = false;
        return true;
    }
    const std::string word = Word();
    if (word.empty()) return Fail(m_pos < m_text.size() ? std::string("看不懂的字符：") + m_text[m_pos] : "表达式不完整");
    return WordPart(word, sum, sign);
}

bool Parser::ParseSum(Sum& sum, bool inBracket)
{
    int parts = 0;
    int sign = 1;
    for (;;) {
        if (!Part(sum, sign, inBracket)) return false;
        ++parts;
        if (Accept('+')) sign = 1;
        else if (Accept('-')) sign = -1;
        else break;
    }
    if (parts > 1) sum.lone = false;
    if (parts > 1) sum.reg.reset();
    return true;
}

std::optional<Target> Parser::Run()
{
    SkipBlanks();
    const std::optional<SymbolKind> size = SizePrefix();
    Target target;
    std::optional<uint16_t> segment;
    // "seg:" first, when the text has a colon.
    if (m_text.find(':') != std::string_view::npos) {
        segment = SegmentOf(Word());
        if (!segment || !Accept(':')) return Fail("段应是段寄存器或十六进制数"), std::nullopt;
    }
    Sum sum;
    if (!ParseSum(sum, false)) return std::nullopt;
    SkipBlanks();
    if (m_pos != m_text.size()) return Fail("表达式后面多了：" + std::string(m_text.substr(m_pos))), std::nullopt;
    const debuginfo::Symbol* symbol = sum.symbol;
    if (sum.lone && sum.reg && !segment && !size) {
        target.value = uint16_t(sum.value);
        return target;
    }
    target.memory = true;
    target.offset = uint16_t(sum.value);
    target.segment = segment ? *segment
                     : symbol ? uint16_t(m_context.load + symbol->frame)
                     : m_context.regs[sum.usesBp ? debugwire::SS : debugwire::DS];
    target.type = size ? *size : symbol && symbol->kind != SymbolKind::Other ? symbol->kind : SymbolKind::Word;
    target.count = !size && symbol && sum.lone ? symbol->count : 1;
    return target;
}

}  // namespace

uint32_t ElementSize(SymbolKind type)
{
    switch (type) {
    case SymbolKind::Byte: return 1;
    case SymbolKind::Word: case SymbolKind::Near: return 2;
    case SymbolKind::Dword: case SymbolKind::Far: return 4;
    case SymbolKind::Qword: return 8;
    case SymbolKind::Tbyte: return 10;
    default: return 1;
    }
}

std::optional<Target> Evaluate(std::string_view text, const EvalContext& context, std::string& error)
{
    error.clear();
    return Parser(text, context, error).Run();
}

std::optional<Target> EvaluateAddress(std::string_view text, const EvalContext& context, std::string& error)
{
    std::optional<Target> target = Evaluate(text, context, error);
    if (target && !target->memory) {
        target->memory = true;
        target->segment = context.regs[debugwire::DS];
        target->offset = target->value;
    }
    return target;
}

}  // namespace halyard::debugger
