#include "core/reference/word_summary.h"

#include <algorithm>

#include "core/asm/colour_index.h"
#include "core/asm/keyword_notes.h"
#include "core/asm/keywords.h"
#include "core/reference/reference_data.h"
#include "core/reference/topic_text.h"

namespace halyard::reference {

namespace {

// `text` up to and including its first full stop, found on character boundaries.
std::string_view FirstSentence(std::string_view text)
{
    static constexpr std::string_view kStop = "。";
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, kStop.size(), kStop) == 0) return text.substr(0, i + kStop.size());
        const auto c = static_cast<unsigned char>(text[i]);
        i += (kDoubleByteTexts && c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    }
    return text;
}

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The entry naming `capitals` among its mnemonics, which are separated by one blank.
std::size_t InstructionIndex(std::string_view capitals)
{
    std::size_t count = 0;
    const Instruction* entries = Instructions(count);
    for (std::size_t k = 0; k < count; ++k) {
        std::string_view names = entries[k].mnemonics;
        for (std::size_t from = 0; from <= names.size();) {
            const std::size_t blank = std::min(names.find(' ', from), names.size());
            if (names.substr(from, blank - from) == capitals) return k;
            from = blank + 1;
        }
    }
    return kNotFound;
}

std::string InstructionSummary(const Topic& topic)
{
    std::size_t count = 0;
    const Instruction& entry = Instructions(count)[topic.index];
    std::string line = TopicName(topic);
    line += " ";
    line += entry.title;
    line += "：";
    line += FirstSentence(entry.explanation);
    return line;
}

// The 8086 register `capitals` names, from the reference the Search page shows; empty when none.
std::string RegisterSummary(std::string_view capitals)
{
    std::size_t count = 0;
    const Register* registers = Registers(count);
    for (std::size_t k = 0; k < count; ++k)
        if (capitals == registers[k].name)
            return std::string(registers[k].name) + "：" + registers[k].title + "，" + std::string(FirstSentence(registers[k].explanation));
    return std::string();
}

}  // namespace

std::string WordSummary(std::string_view word)
{
    const std::int32_t colour = KeywordColour(word.data(), std::int32_t(word.size()));
    if (colour == ColourInstruction) {
        std::string capitals(word);
        for (char& c : capitals)
            if (c >= 'a' && c <= 'z') c = char(c - ('a' - 'A'));
        const std::size_t index = InstructionIndex(capitals);
        if (index != kNotFound) return InstructionSummary(Topic{TopicKind::Instruction, index, MatchRank::Exact});
        return capitals + "：不在 8086/8088 指令参考里，是后来的处理器或汇编程序才有的写法";
    }
    if (colour == NoKeyword) return std::string();
    if (colour == ColourRegister) {
        std::string capitals(word);
        for (char& c : capitals)
            if (c >= 'a' && c <= 'z') c = char(c - ('a' - 'A'));
        if (std::string summary = RegisterSummary(capitals); !summary.empty()) return summary;
    }
    const char* note = KeywordNote(word);
    return note ? note : std::string();
}

} // namespace halyard::reference
