// Redirection (<, >, >>) and pipes (|), as DOS does them: the standard handles are duplicated and
// pointed at files, and a pipe is a temporary file that the left side writes and the right side
// reads, one after the other.
#include <cstdio>

#include "core/pc/dos/shell.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kPath = 0x0300;

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The name after a redirection sign at `at`; `at` ends after it.
std::string NameAt(const std::string& text, size_t& at)
{
    const size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string::npos) {
        at = text.size();
        return {};
    }
    size_t end = start;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t' &&
           text[end] != '<' && text[end] != '>' && text[end] != '|')
        ++end;
    at = end;
    return text.substr(start, end - start);
}

}  // namespace

void Shell::Dispatch(const std::string& line)
{
    // FOR's redirections belong to the command it runs for each item, not to FOR.
    const std::string first = Capitals(Trimmed(line).substr(0, 4));
    if (line.find_first_of("<>|") == std::string::npos || first == "FOR " || first == "FOR\t") {
        RunCommand(line);
        return;
    }
    std::vector<Part> parts(1);
    for (size_t at = 0; at < line.size();) {
        const char c = line[at];
        Part& part = parts.back();
        if (c == '|') {
            parts.emplace_back();
            ++at;
        } else if (c == '>') {
            part.append = at + 1 < line.size() && line[at + 1] == '>';
            at += part.append ? 2 : 1;
            part.output = NameAt(line, at);
        } else if (c == '<') {
            ++at;
            part.input = NameAt(line, at);
        } else {
            part.command.push_back(c);
            ++at;
        }
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "PIPE%u.$$$", ++m_pipes % 10000);
        const std::string pipe = name;
        parts[i].output = pipe;
        parts[i].append = false;
        parts[i + 1].input = pipe;
        parts[i + 1].remove = pipe;
    }
    for (Part& part : parts) {
        part.command = Trimmed(part.command);
        if (part.command.empty()) {
            PrintLine("Syntax error");
            return;
        }
    }
    m_queue.insert(m_queue.begin(), parts.begin(), parts.end());
}

void Shell::RunQueued()
{
    Part part = m_queue.front();
    m_queue.erase(m_queue.begin());
    if (part.whole) {
        Dispatch(part.command);
        return;
    }
    m_remove = part.remove;
    if ((!part.input.empty() && !Redirect(0, part.input, false)) ||
        (!part.output.empty() && !Redirect(1, part.output, part.append))) {
        Restore();
        m_queue.clear();
        return;
    }
    RunCommand(part.command);
    if (m_phase == Phase::Prompt)
        Restore();
}

bool Shell::Redirect(int handle, const std::string& name, bool append)
{
    Put(kPath, name);
    Call file = handle == 0 ? Dos(0x3D00, 0, 0, kPath) : Dos(append ? 0x3D01 : 0x3C00, 0, 0, kPath);
    if (handle == 1 && append && file.carry)
        file = Dos(0x3C00, 0, 0, kPath);
    if (file.carry) {
        PrintLine(handle == 0 ? "File not found" : "File creation error");
        return false;
    }
    if (append)
        Dos(0x4202, file.ax, 0, 0);
    const Call saved = Dos(0x4500, uint16_t(handle));
    m_saved[handle] = saved.carry ? -1 : saved.ax;
    Dos(0x4600, file.ax, uint16_t(handle));
    Dos(0x3E00, file.ax);
    return true;
}

void Shell::Restore()
{
    for (int handle = 0; handle < 2; ++handle) {
        if (m_saved[handle] < 0)
            continue;
        Dos(0x4600, uint16_t(m_saved[handle]), uint16_t(handle));
        Dos(0x3E00, uint16_t(m_saved[handle]));
        m_saved[handle] = -1;
    }
    if (!m_remove.empty()) {
        Put(kPath, m_remove);
        Dos(0x4100, 0, 0, kPath);
        m_remove.clear();
    }
}

}  // namespace halyard::dos
