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

// FOR %%V IN (set) DO command: the command once for each word of the set (each file a wildcard
// matches), one after the other.
void Shell::For(const std::string& rest)
{
    size_t at = 0;
    const std::string variable = Word(rest, at);
    const size_t open = rest.find('(', at), close = rest.find(')', open == std::string::npos ? at : open);
    const size_t doAt = close == std::string::npos ? close : Capitals(rest).find("DO", close);
    if (variable.size() < 2 || variable[0] != '%' || Capitals(Word(rest, at)) != "IN" || open == std::string::npos ||
        close == std::string::npos || doAt == std::string::npos) {
        PrintLine("Syntax error");
        return;
    }
    const std::string name = variable.substr(variable[1] == '%' ? 2 : 1);
    const std::string command = rest.substr(rest.find_first_not_of(" \t", doAt + 2) == std::string::npos
                                                ? rest.size()
                                                : rest.find_first_not_of(" \t", doAt + 2));
    std::vector<Part> parts;
    const std::string set = rest.substr(open + 1, close - open - 1);
    for (size_t from = 0;;) {
        const std::string item = Word(set, from);
        if (item.empty())
            break;
        std::vector<std::string> items = {item};
        if (item.find_first_of("*?") != std::string::npos)
            items = Matches(item);
        for (const std::string& each : items) {
            std::string line = command;
            const std::string marker = "%" + name;
            for (size_t p = line.find(marker); p != std::string::npos; p = line.find(marker, p + each.size()))
                line.replace(p, marker.size(), each);
            Part part;
            part.command = line;
            part.whole = true;
            parts.push_back(part);
        }
    }
    m_queue.insert(m_queue.begin(), parts.begin(), parts.end());
}

void Shell::CallBatch(const std::string& rest)
{
    m_calling = true;
    RunCommand(rest);
    m_calling = false;
}

}  // namespace halyard::dos
