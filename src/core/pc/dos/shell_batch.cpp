// The commands of batch files: GOTO, SHIFT, IF and CALL.
#include <cstdlib>

#include "core/pc/dos/shell.h"

namespace halyard::dos {
namespace {

std::string Word(const std::string& text, size_t& at)
{
    const size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string::npos) {
        at = text.size();
        return {};
    }
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    at = end;
    return text.substr(start, end - start);
}

}  // namespace

// A label is compared by its first eight characters, in any case.
void Shell::Goto(const std::string& rest)
{
    if (m_batches.empty())
        return;
    size_t at = 0;
    std::string label = Word(rest, at);
    if (!label.empty() && label[0] == ':')
        label.erase(0, 1);
    label = Capitals(label.substr(0, 8));
    Batch& batch = m_batches.back();
    for (size_t i = 0; i < batch.lines.size(); ++i) {
        size_t from = 0;
        const std::string word = Word(batch.lines[i], from);
        if (word.size() > 1 && word[0] == ':' && Capitals(word.substr(1, 8)) == label) {
            batch.next = i + 1;
            return;
        }
    }
    PrintLine("Label not found");
    m_batches.pop_back();
}

void Shell::Shift()
{
    if (!m_batches.empty() && !m_batches.back().arguments.empty())
        m_batches.back().arguments.erase(m_batches.back().arguments.begin());
}

// IF [NOT] ERRORLEVEL n | EXIST name | a==b, then the command.
void Shell::If(const std::string& rest)
{
    size_t at = 0, condition = 0;
    std::string word = Word(rest, at);
    const bool negated = Capitals(word) == "NOT";
    if (negated) {
        condition = at;
        word = Word(rest, at);
    }
    const std::string kind = Capitals(word);
    bool holds = false;
    if (kind == "ERRORLEVEL") {
        holds = m_errorLevel >= std::atoi(Word(rest, at).c_str());
    } else if (kind == "EXIST") {
        Put(0x0300, Word(rest, at));
        holds = !Dos(0x4E00, 0, 0x16, 0x0300).carry;
    } else {
        const size_t equals = rest.find("==", condition);
        if (equals == std::string::npos) {
            PrintLine("Syntax error");
            return;
        }
        const std::string left = Word(rest.substr(0, equals), condition);
        at = equals + 2;
        holds = left == Word(rest, at);
    }
    if (holds != negated) {
        const size_t command = rest.find_first_not_of(" \t", at);
        if (command != std::string::npos)
            Dispatch(rest.substr(command));
    }
}

void Shell::CallBatch(const std::string& rest)
{
    m_calling = true;
    RunCommand(rest);
    m_calling = false;
}

}  // namespace halyard::dos
